#include "records/loads/roadappr_record.h"

#include "tests/test_support.h"

namespace kv {
namespace {

std::vector<std::string> Written(const Project& p) { return test::Write(WriteRoadApprRecord, p).lines; }

void Read(Project& p, const std::string& line) {
  ReadRoadApprRecord(test::Pad(line), p, [](const std::string& w) { FAIL() << w; });
}

std::vector<std::string> Boxes(const RoadApprData& a) {
  return {a.BegStr, a.EndStr, a.Length, a.Off1, a.Off2, a.Off3, a.Off4, a.Off5, a.Off6, a.Off7};
}

TEST(RoadApprRecord, ReadsTheTenBoxesAndWritesThemBack) {
  const std::string sample =
      "08  12450  13230     300 -200000 -120000  -60000   00000   60000  120000  200000";
  for (int metric : {0, 1}) {
    Project p;
    p.MetricUnits = int16_t(metric);
    Read(p, sample);
    EXPECT_TRUE(p.IsMarked(Form::RoadApp));
    EXPECT_EQ(Boxes(p.RoadAppr), (std::vector<std::string>{metric ? "12+450.0" : "124+50.0",
                                                           metric ? "13+230.0" : "132+30.0", "30",
                                                           "-20", "-12", "-6", "0", "6", "12", "20"}));
    EXPECT_EQ(Written(p), std::vector<std::string>{sample});
  }
  // Blank stations read as empty boxes, blank numbers as 0: they come back as zeros.
  Project p;
  Read(p, "08");
  EXPECT_EQ(Boxes(p.RoadAppr), (std::vector<std::string>{"", "", "0", "0", "0", "0", "0", "0", "0", "0"}));
  p.RoadAppr.BegStr = "1+00";
  std::string offsets;
  for (int k = 0; k < 7; ++k) offsets += "   00000";
  EXPECT_EQ(Written(p), std::vector<std::string>{"08    100" + std::string(7, ' ') + "      00" + offsets});
  // Without a begin station nothing is written.
  for (const char* beg : {"", "       "}) {
    p.RoadAppr.BegStr = beg;
    EXPECT_TRUE(Written(p).empty()) << '"' << beg << '"';
    p.RoadAppr.BegStr += "0";
    EXPECT_EQ(Written(p).size(), 1u);
  }
}

TEST(RoadApprRecord, WritesExactColumns) {
  const struct { const char* text; int box; const char* columns; } cases[] = {  // box 0 BegStr, 1 Length, 2 Off1
      {"123+45.67", 0, "  12346"}, {"12345+6", 0, " 123456"},    {"-5+00", 0, "   -500"},
      {"12.34", 1, "     123"},    {"-999999.9", 1, "-9999999"}, {"x", 1, "        "},
      {"", 2, "        "},         {"-1.5", 2, "  -15000"},      {"0.00005", 2, "   00001"}};
  const int first[] = {3, 17, 25};
  for (const auto& c : cases) {
    Project p;
    RoadApprData& a = p.RoadAppr;
    a.BegStr = "1";
    std::string* boxes[] = {&a.BegStr, &a.Length, &a.Off1};
    *boxes[c.box] = c.text;
    const std::vector<std::string> lines = Written(p);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), 80u);
    EXPECT_EQ(lines[0].substr(first[c.box] - 1, std::string(c.columns).size()), c.columns) << c.text;
  }
  Project p;
  p.RoadAppr.BegStr = "12345678";
  p.RoadAppr.Off7 = "10000";  // 100000000 takes 9 columns
  const LineSink out = test::Write(WriteRoadApprRecord, p);
  EXPECT_EQ(test::Overflows(out), (std::vector<std::string>{"RoadAppr -1 BegStr 12345678 7 8",
                                                            "RoadAppr -1 Off7 10000 8 9"}));
  EXPECT_EQ(out.lines.at(0).size(), 82u);
}

}  // namespace
}  // namespace kv
