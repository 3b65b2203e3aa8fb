#include "records/alignment/horizontal_record.h"

#include "tests/test_support.h"

namespace kv {
namespace {

using test::kDeg;

std::string Written(const Project& p) { return test::Write(WriteHorizontalRecord, p).lines.at(0); }
void Read(Project& p, const std::string& line) { ReadHorizontalRecord(test::Pad(line), p, test::kNoWarning); }

// Every text box in form order, then the direction.
std::string Fields(const HorizontalData& h) {
  return test::Join({h.PIStation, h.Delta, h.Degree, h.Radius, h.InSpiral, h.OutSpiral, h.ProfOffset, h.Back,
                     h.Ahead, h.Option1 ? "L" : "", h.Option2 ? "R" : ""});
}

TEST(HorizontalRecord, ReadsEveryFieldAndWritesTheSameLine) {
  const std::string zero = "0" + kDeg + " 0' 0.00\"";
  const struct { int metric; std::string line, fields; bool same = true; } cases[] = {
      {0, "01R 12345678  125405000 230 000 15000 15000  -650002291.83  130000000  130255000",
       "125+40.5000|12" + kDeg + " 34' 56.78\"|2" + kDeg + " 30' 0.00\"|2291.83|150|150|-6.5|130+00.0000|"
       "130+25.5000||R"},
      // Metric: five decimals in stations and offset, three in spirals; Degree not read,
      // and though it holds text its columns still come out blank.
      {1, "01L  8153025  340012500         60000 60000 -2250001200.00  335000000  335000000",
       "3+400.12500|8" + kDeg + " 15' 30.25\"|kept|1200|60|60|-2.25|3+350.00000|3+350.00000|L|"},
      // Blank spirals keep their text; the offset and radius read 0, stations empty.
      {0, "01R", "|" + zero + "|" + zero + "|0|kept|kept|0||||R", false}};
  for (const auto& c : cases) {
    Project p;
    p.MetricUnits = int16_t(c.metric);
    p.Horizontal.Degree = p.Horizontal.InSpiral = p.Horizontal.OutSpiral = "kept";
    p.Horizontal.PIStation = "1+00";
    Read(p, c.line);
    EXPECT_TRUE(p.IsMarked(Form::Horiz));
    EXPECT_EQ(Fields(p.Horizontal), c.fields) << c.line;
    if (c.same) EXPECT_EQ(Written(p), c.line);
  }
  // A project that never had a record: packed zero angles, everything else blank.
  EXPECT_EQ(Written(Project{}), "01R  0 0 000" + std::string(11, ' ') + " 0 0 000" + std::string(49, ' '));
}

TEST(HorizontalRecord, DirectionLetterAnywhereFromColumnThree) {
  const struct { std::string line; const char* option; char written; } cases[] = {
      {"01l", "L", 'L'}, {"01R", "R", 'R'}, {"01" + std::string(76, ' ') + "r", "R", 'R'},
      {"01R" + std::string(70, ' ') + "L", "L", 'L'},  // "L" is looked for first
      {"01 ", "", 'R'}, {"L1 ", "", 'R'}};             // columns 1-2 are not searched
  for (const auto& c : cases) {
    Project p;
    p.Horizontal.Option1 = p.Horizontal.Option2 = true;
    Read(p, c.line);
    EXPECT_EQ(std::string(p.Horizontal.Option1 ? "L" : "") + (p.Horizontal.Option2 ? "R" : ""), c.option) << c.line;
    EXPECT_EQ(Written(p)[2], c.written) << c.line;
  }
}

TEST(HorizontalRecord, TypedTextsToColumns) {
  using H = HorizontalData;
  const struct { int metric; std::string H::*field; std::string text; int first; std::string columns; } cases[] = {
      {0, &H::PIStation, "123+45.67", 13, "  123456700"}, {1, &H::PIStation, "1+234.5", 13, "  123450000"},
      {0, &H::Radius, "150", 52, " 150.00"}, {0, &H::OutSpiral, "", 38, "      "},
      {1, &H::InSpiral, "12.5", 32, " 12500"}, {0, &H::ProfOffset, "-3.25", 44, "  -32500"},
      {0, &H::Degree, "3" + kDeg + " 5' 7\"", 24, " 3 5 007"}, {1, &H::Degree, "3" + kDeg + " 5' 7\"", 24, "        "},
      {0, &H::Back, "abc", 59, "           "}};
  for (const auto& c : cases) {
    Project p;
    p.MetricUnits = int16_t(c.metric);
    p.Horizontal.*c.field = c.text;
    const std::string line = Written(p);
    ASSERT_EQ(line.size(), 80u) << c.text;
    EXPECT_EQ(line.substr(c.first - 1, c.columns.size()), c.columns) << c.text;
  }
  // A station typed with its plus sign reads back in station form.
  Project p;
  p.Horizontal.PIStation = "123+45.67";
  Read(p, Written(p));
  EXPECT_EQ(p.Horizontal.PIStation, "123+45.6700");
  // A too wide radius is reported and widens the line.
  p.Horizontal.Radius = "12345.6";
  p.Horizontal.Ahead = "1+00";
  const LineSink out = test::Write(WriteHorizontalRecord, p);
  EXPECT_EQ(test::Overflows(out), test::Strings{"Horizontal -1 Radius 12345.6 7 8"});
  ASSERT_EQ(out.lines.at(0).size(), 81u);
  EXPECT_EQ(out.lines[0].substr(51, 8), "12345.60");
  EXPECT_EQ(out.lines[0].substr(70), "    1000000");
}

}  // namespace
}  // namespace kv
