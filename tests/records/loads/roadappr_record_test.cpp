#include "records/loads/roadappr_record.h"

#include <gtest/gtest.h>

#include "cli/dump.h"
#include "inputfile/field_routines.h"
#include "inputfile/project.h"

namespace kv {
namespace {

const std::string kSample =
    "08  12450  13230     300 -200000 -120000  -60000   00000   60000  120000  200000";

LineSink Written(const Project& p) {
  LineSink out;
  WriteRoadApprRecord(p, out);
  return out;
}

void Read(Project& p, const std::string& line) {
  ReadRoadApprRecord(PadRight(line, 81), p, [](const std::string& w) { FAIL() << w; });
}

std::vector<std::string> Boxes(const RoadApprData& a) {
  return {a.BegStr, a.EndStr, a.Length, a.Off1, a.Off2, a.Off3, a.Off4, a.Off5, a.Off6, a.Off7};
}

TEST(RoadApprRecord, ReadsTheTenBoxesAndWritesThemBack) {
  for (int metric : {0, 1}) {
    Project p;
    p.MetricUnits = int16_t(metric);
    Read(p, kSample);
    EXPECT_TRUE(p.IsMarked(Form::RoadApp));
    const char* beg = metric ? "12+450.0" : "124+50.0";
    const char* end = metric ? "13+230.0" : "132+30.0";
    EXPECT_EQ(Boxes(p.RoadAppr), (std::vector<std::string>{beg, end, "30", "-20", "-12", "-6", "0",
                                                           "6", "12", "20"}));
    EXPECT_EQ(Written(p).lines, std::vector<std::string>{kSample});
  }
  // Blank stations read as empty boxes, blank numbers as 0: they come back as zeros.
  Project p;
  Read(p, "08");
  EXPECT_EQ(Boxes(p.RoadAppr),
            (std::vector<std::string>{"", "", "0", "0", "0", "0", "0", "0", "0", "0"}));
  p.RoadAppr.BegStr = "1+00";
  std::string offsets;
  for (int k = 0; k < 7; ++k) offsets += "   00000";
  EXPECT_EQ(Written(p).lines.at(0), "08    100" + std::string(7, ' ') + "      00" + offsets);
}

TEST(RoadApprRecord, WritesOnlyWithABeginStation) {
  for (const char* beg : {"", "       "}) {
    Project p;
    p.RoadAppr.BegStr = beg;
    p.RoadAppr.EndStr = p.RoadAppr.Length = "50";
    EXPECT_TRUE(Written(p).lines.empty());
    p.RoadAppr.BegStr += "0";
    EXPECT_EQ(Written(p).lines.size(), 1u);
  }
}

TEST(RoadApprRecord, WritesExactColumns) {
  struct Case {
    const char* text;
    int box;  // 0 BegStr, 1 Length, 2 Off1
    const char* columns;
  } cases[] = {
      {"123+45.67", 0, "  12346"}, {"12345+6", 0, " 123456"},    {"-5+00", 0, "   -500"},
      {"12.34", 1, "     123"},    {"-999999.9", 1, "-9999999"}, {"x", 1, "        "},
      {"", 2, "        "},         {"-1.5", 2, "  -15000"},      {"0.00005", 2, "   00001"},
  };
  const int first[] = {3, 17, 25};
  for (const Case& c : cases) {
    Project p;
    RoadApprData& a = p.RoadAppr;
    a.BegStr = "1";
    std::string* boxes[] = {&a.BegStr, &a.Length, &a.Off1};
    *boxes[c.box] = c.text;
    const LineSink out = Written(p);
    ASSERT_EQ(out.lines.size(), 1u);
    EXPECT_EQ(out.lines[0].size(), 80u);
    EXPECT_EQ(out.lines[0].substr(first[c.box] - 1, std::string(c.columns).size()), c.columns)
        << c.text;
  }
}

TEST(RoadApprRecord, TooWideValueIsReportedAndDump) {
  Project p;
  p.RoadAppr.BegStr = "12345678";
  p.RoadAppr.Off7 = "10000";  // 100000000 takes 9 columns
  const LineSink out = Written(p);
  ASSERT_EQ(out.overflows.size(), 2u);
  EXPECT_EQ(out.overflows[0].field + " " + out.overflows[1].field, "BegStr Off7");
  EXPECT_EQ(out.lines.at(0).size(), 82u);
  const nlohmann::json j = DumpRoadAppr(p);
  EXPECT_EQ(j.size(), 10u);
  EXPECT_EQ(j["Off7"], "10000");
  EXPECT_EQ(j["Length"], "");
}

}  // namespace
}  // namespace kv
