#include "records/alignment/horizontal_record.h"

#include "tests/test_support.h"

namespace kv {
namespace {

const std::string kDeg(1, kDegreeSign);

std::string Written(const Project& p) { return test::Write(WriteHorizontalRecord, p).lines.at(0); }

void Read(Project& p, const std::string& line) {
  ReadHorizontalRecord(test::Pad(line), p, [](const std::string& w) { FAIL() << w; });
}

// Every text box in form order, then the direction.
std::vector<std::string> Fields(const HorizontalData& h) {
  return {h.PIStation, h.Delta, h.Degree, h.Radius, h.InSpiral, h.OutSpiral,
          h.ProfOffset, h.Back, h.Ahead, h.Option1 ? "L" : "", h.Option2 ? "R" : ""};
}

TEST(HorizontalRecord, ReadsEveryFieldAndWritesTheSameLine) {
  const struct { int metric; std::string line; std::vector<std::string> fields; } cases[] = {
      {0, "01R 12345678  125405000 230 000 15000 15000  -650002291.83  130000000  130255000",
       {"125+40.5000", "12" + kDeg + " 34' 56.78\"", "2" + kDeg + " 30' 0.00\"", "2291.83", "150",
        "150", "-6.5", "130+00.0000", "130+25.5000", "", "R"}},
      // Metric: five decimals in stations and offset, three in spirals; Degree not read,
      // and though it holds text its columns still come out blank.
      {1, "01L  8153025  340012500         60000 60000 -2250001200.00  335000000  335000000",
       {"3+400.12500", "8" + kDeg + " 15' 30.25\"", "kept", "1200", "60", "60", "-2.25",
        "3+350.00000", "3+350.00000", "L", ""}}};
  for (const auto& c : cases) {
    Project p;
    p.MetricUnits = int16_t(c.metric);
    p.Horizontal.Degree = "kept";
    Read(p, c.line);
    EXPECT_TRUE(p.IsMarked(Form::Horiz));
    EXPECT_EQ(Fields(p.Horizontal), c.fields) << c.line;
    EXPECT_EQ(Written(p), c.line);
  }
}

TEST(HorizontalRecord, DirectionLetterAnywhereFromColumnThree) {
  const struct { std::string line; bool left, right; char written; } cases[] = {
      {"01l", true, false, 'L'}, {"01R", false, true, 'R'},
      {"01" + std::string(76, ' ') + "r", false, true, 'R'},
      {"01R" + std::string(70, ' ') + "L", true, false, 'L'},  // "L" is looked for first
      {"01 ", false, false, 'R'}, {"L1 ", false, false, 'R'}};  // columns 1-2 are not searched
  for (const auto& c : cases) {
    Project p;
    p.Horizontal.Option1 = p.Horizontal.Option2 = true;
    Read(p, c.line);
    EXPECT_EQ(p.Horizontal.Option1, c.left) << c.line;
    EXPECT_EQ(p.Horizontal.Option2, c.right) << c.line;
    EXPECT_EQ(Written(p)[2], c.written) << c.line;
  }
}

TEST(HorizontalRecord, BlankFields) {
  Project p;
  p.Horizontal.InSpiral = "7", p.Horizontal.OutSpiral = "8", p.Horizontal.PIStation = "1+00";
  Read(p, "01R");
  // Blank spirals keep their text; the offset and radius read 0, stations empty.
  const std::string zero = "0" + kDeg + " 0' 0.00\"";
  EXPECT_EQ(Fields(p.Horizontal),
            (std::vector<std::string>{"", zero, zero, "0", "7", "8", "0", "", "", "", "R"}));
  // A project that never had a record: packed zero angles, everything else blank.
  EXPECT_EQ(Written(Project{}), "01R  0 0 000" + std::string(11, ' ') + " 0 0 000" + std::string(49, ' '));
}

TEST(HorizontalRecord, TypedTextsToColumns) {
  const struct {
    int metric;
    std::string HorizontalData::*field;
    std::string text;
    int first;
    std::string columns;
  } cases[] = {
      {0, &HorizontalData::PIStation, "123+45.67", 13, "  123456700"},
      {1, &HorizontalData::PIStation, "1+234.5", 13, "  123450000"},
      {0, &HorizontalData::Radius, "150", 52, " 150.00"},
      {0, &HorizontalData::OutSpiral, "", 38, "      "},
      {1, &HorizontalData::InSpiral, "12.5", 32, " 12500"},
      {0, &HorizontalData::ProfOffset, "-3.25", 44, "  -32500"},
      {0, &HorizontalData::Degree, "3" + kDeg + " 5' 7\"", 24, " 3 5 007"},
      {1, &HorizontalData::Degree, "3" + kDeg + " 5' 7\"", 24, "        "},
      {0, &HorizontalData::Back, "abc", 59, "           "}};
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
}

TEST(HorizontalRecord, TooWideRadiusWidensTheLine) {
  Project p;
  p.Horizontal.Radius = "12345.6";
  p.Horizontal.Ahead = "1+00";
  const LineSink out = test::Write(WriteHorizontalRecord, p);
  EXPECT_EQ(test::Overflows(out), std::vector<std::string>{"Horizontal -1 Radius 12345.6 7 8"});
  ASSERT_EQ(out.lines.at(0).size(), 81u);
  EXPECT_EQ(out.lines[0].substr(51, 8), "12345.60");
  EXPECT_EQ(out.lines[0].substr(70), "    1000000");
}

}  // namespace
}  // namespace kv
