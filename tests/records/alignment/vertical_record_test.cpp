#include "records/alignment/vertical_record.h"

#include "tests/test_support.h"

namespace kv {
namespace {

std::string Written(const Project& p) { return test::Write(WriteVerticalRecord, p).lines.at(0); }
void Read(Project& p, const std::string& line) { ReadVerticalRecord(test::Pad(line), p, test::kNoWarning); }

std::string Fields(const VerticalData& v) {
  return test::Join({v.GradeIn, v.InLength1, v.OutLength1, v.PISta1, v.PIElev1, v.InLength2, v.OutLength2, v.PISta2,
                     v.PIElev2, v.GradeOut});
}

TEST(VerticalRecord, ReadsEveryFieldAndWritesTheSameLine) {
  const struct { int metric; std::string line, fields; } cases[] = {
      {0, "02  1250000 20000  1270000  5123400 20000 15000  1315000  5151000 15000  -800000",
       "1.25|200|200|127+00.00|512.34|150|150|131+50.00|515.1|-0.8"},
      {1, "02  -500000 80000  3380000 10245700 80000  0000     0000   000000  0000  1500000",
       "-0.5|80|80|3+380.000|102.457|0|0|0+000.000|0|1.5"}};
  for (const auto& c : cases) {
    Project p, q;
    p.MetricUnits = q.MetricUnits = int16_t(c.metric);
    Read(p, c.line);
    EXPECT_TRUE(p.IsMarked(Form::Vert));
    EXPECT_EQ(Fields(p.Vertical), c.fields) << c.line;
    EXPECT_EQ(Written(p), c.line);
    Read(q, "05" + c.line.substr(2));  // the code is not tested on reading
    EXPECT_EQ(Fields(q.Vertical), c.fields);
  }
  // A single curve: blanks read as zero (a station as empty) and come back as zeros.
  Project p;
  p.Vertical.PISta2 = "1+00";
  Read(p, "02  1250000 20000  1270000  5123400 20000" + std::string(30, ' ') + "  -800000");
  EXPECT_EQ(Fields(p.Vertical), "1.25|200|200|127+00.00|512.34|0|0||0|-0.8");
  EXPECT_EQ(Written(p).substr(41, 30), "   000" + std::string(9, ' ') + "    00000" + "   000");
}

TEST(VerticalRecord, TypedTextsToColumns) {
  using V = VerticalData;
  const struct { int metric; std::string V::*field; std::string text; int first; std::string columns; } cases[] = {
      {0, &V::GradeIn, "-2.5", 3, " -2500000"}, {1, &V::GradeOut, "0.5", 72, "  0500000"},
      {0, &V::InLength1, "12.5", 12, "  1250"}, {1, &V::InLength1, "12.5", 12, " 12500"},
      {0, &V::PIElev2, "100.25", 57, "  1002500"}, {1, &V::PIElev2, "100.25", 57, " 10025000"},
      {0, &V::PISta1, "12+34.5", 18, "   123450"}, {1, &V::PISta2, "1+234.5", 48, "  1234500"},
      {0, &V::OutLength2, "x", 66, "      "}};
  for (const auto& c : cases) {
    Project p;
    p.MetricUnits = int16_t(c.metric);
    p.Vertical.*c.field = c.text;
    const std::string line = Written(p);
    ASSERT_EQ(line.size(), 80u) << c.text;
    EXPECT_EQ(line.substr(c.first - 1, c.columns.size()), c.columns) << c.text;
  }
}

}  // namespace
}  // namespace kv
