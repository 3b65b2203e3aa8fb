#include "records/loads/roadappr_record.h"

#include "tests/test_support.h"

namespace kv {
namespace {

test::Strings Written(const Project& p) { return test::Write(WriteRoadApprRecord, p).lines; }
void Read(Project& p, const std::string& line) { ReadRoadApprRecord(test::Pad(line), p, test::kNoWarning); }

std::string Boxes(const RoadApprData& a) {
  return test::Join({a.BegStr, a.EndStr, a.Length, a.Off1, a.Off2, a.Off3, a.Off4, a.Off5, a.Off6, a.Off7});
}

TEST(RoadApprRecord, ReadsTheTenBoxesAndWritesThemBack) {
  const std::string sample = "08  12450  13230     300 -200000 -120000  -60000   00000   60000  120000  200000";
  for (int metric : {0, 1}) {
    Project p;
    p.MetricUnits = int16_t(metric);
    Read(p, sample);
    EXPECT_TRUE(p.IsMarked(Form::RoadApp));
    EXPECT_EQ(Boxes(p.RoadAppr), metric ? "12+450.0|13+230.0|30|-20|-12|-6|0|6|12|20"
                                        : "124+50.0|132+30.0|30|-20|-12|-6|0|6|12|20");
    EXPECT_EQ(Written(p), test::Strings{sample});
  }
  // Blank stations read as empty boxes, blank numbers as 0: they come back as zeros.
  Project p;
  Read(p, "08");
  EXPECT_EQ(Boxes(p.RoadAppr), "||0|0|0|0|0|0|0|0");
  p.RoadAppr.BegStr = "1+00";
  std::string offsets;
  for (int k = 0; k < 7; ++k) offsets += "   00000";
  EXPECT_EQ(Written(p), test::Strings{"08    100" + std::string(7, ' ') + "      00" + offsets});
  // Without a begin station nothing is written.
  for (const char* beg : {"", "       "}) {
    p.RoadAppr.BegStr = beg;
    EXPECT_TRUE(Written(p).empty()) << '"' << beg << '"';
    p.RoadAppr.BegStr += "0";
    EXPECT_EQ(Written(p).size(), 1u);
  }
}

TEST(RoadApprRecord, WritesExactColumns) {
  using R = RoadApprData;
  const struct { const char* text; std::string R::*box; int first; const char* columns; } cases[] = {
      {"123+45.67", &R::BegStr, 3, "  12346"}, {"12345+6", &R::BegStr, 3, " 123456"},
      {"-5+00", &R::BegStr, 3, "   -500"}, {"12.34", &R::Length, 17, "     123"},
      {"-999999.9", &R::Length, 17, "-9999999"}, {"x", &R::Length, 17, "        "}, {"", &R::Off1, 25, "        "},
      {"-1.5", &R::Off1, 25, "  -15000"}, {"0.00005", &R::Off1, 25, "   00001"}};
  for (const auto& c : cases) {
    Project p;
    p.RoadAppr.BegStr = "1";
    p.RoadAppr.*c.box = c.text;
    const test::Strings lines = Written(p);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), 80u);
    EXPECT_EQ(lines[0].substr(c.first - 1, std::string(c.columns).size()), c.columns) << c.text;
  }
  Project p;
  p.RoadAppr.BegStr = "12345678";
  p.RoadAppr.Off7 = "10000";  // 100000000 takes 9 columns
  const LineSink out = test::Write(WriteRoadApprRecord, p);
  EXPECT_EQ(test::Overflows(out), (test::Strings{"RoadAppr -1 BegStr 12345678 7 8", "RoadAppr -1 Off7 10000 8 9"}));
  EXPECT_EQ(out.lines.at(0).size(), 82u);
}

}  // namespace
}  // namespace kv
