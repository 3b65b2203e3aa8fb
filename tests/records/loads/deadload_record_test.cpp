#include "records/loads/deadload_record.h"

#include <gtest/gtest.h>

#include "cli/dump.h"
#include "inputfile/field_routines.h"
#include "inputfile/project.h"

namespace kv {
namespace {

std::vector<std::string> Written(const Project& p) {
  LineSink out;
  WriteDeadLoadRecords(p, out);
  return out.lines;
}

void Read(Project& p, const std::string& line, int n = 0) {
  ReadDeadLoadRecord(PadRight(line, 81), n, p, [](const std::string& w) { FAIL() << w; });
}

TEST(DeadLoadRecord, ReadsCodesAndDeflections) {
  Project p;
  Read(p, "07A1            0000  0125  0250  0375  0500  0550  0500  0375  0250  0125  0000", 2);
  const DeadLoadRow& r = p.DeadLoad.rows[2];
  EXPECT_TRUE(p.IsMarked(Form::Dead));
  EXPECT_EQ(r.Text1 + r.Text2 + r.Text14, "A1 ");
  const char* want[] = {"0", "0.125", "0.25", "0.375", "0.5", "0.55",
                        "0.5", "0.375", "0.25", "0.125", "0"};
  for (std::size_t k = 0; k < 11; ++k) EXPECT_EQ(r.*kDeadLoadDeflections[k], want[k]) << k;
}

TEST(DeadLoadRecord, DecimalsByUnitsAndUnitsCode) {
  struct Case {
    int metric;
    char units;
    const char *text, *written;  // reading "   125", writing it back
  } cases[] = {{0, ' ', "0.125", "  0125"},  {0, 'm', "0.125", "  0125"},
               {1, 'm', "0.0125", " 00125"}, {1, 'M', "0.0125", " 00125"},
               {1, ' ', "1.25", "   125"},   {1, 'x', "1.25", "   125"}};
  for (const Case& c : cases) {
    Project p;
    p.MetricUnits = int16_t(c.metric);
    Read(p, "07AB" + std::string(1, c.units) + std::string(9, ' ') + "   125");
    EXPECT_EQ(p.DeadLoad.rows[0].Text3, c.text);
    EXPECT_EQ(p.DeadLoad.rows[0].Text4, "");  // a blank field is no value
    EXPECT_EQ(Written(p).at(0).substr(14, 12), std::string(c.written) + "      ");
  }
}

TEST(DeadLoadRecord, WritesExactColumns) {
  struct Case {
    int metric;
    const char *units, *value, *field;
  } cases[] = {{0, "", "0.5", "  0500"},  {0, "", "-0.5", "  -500"},      {0, "m", "0.5", "  0500"},
               {1, "", "1.25", "   125"}, {1, "mm", "1.25", "   125"},   {0, "", "abc", "      "}};
  for (const Case& c : cases) {
    Project p;
    p.MetricUnits = int16_t(c.metric);
    p.DeadLoad.rows[0].Text1 = "GH";  // one character is kept
    p.DeadLoad.rows[0].Text14 = c.units;
    p.DeadLoad.rows[0].Text13 = c.value;
    const std::string line = Written(p).at(0);
    EXPECT_EQ(line.substr(0, 14), std::string("07G ") + (*c.units ? *c.units : ' ') + "         ");
    EXPECT_EQ(line.substr(14), std::string(60, ' ') + c.field);
  }
}

TEST(DeadLoadRecord, WritingStopsAtTheFirstEmptyRow) {
  struct Case {
    std::vector<int> filled;
    std::size_t lines;
  } cases[] = {{{}, 0}, {{1, 2}, 0}, {{0, 1, 3}, 2}};
  for (const Case& c : cases) {
    Project p;
    for (int i : c.filled) p.DeadLoad.rows[i].Text3 = "1";
    EXPECT_EQ(Written(p).size(), c.lines);
  }
  Project p;
  p.DeadLoad.rows[0].Text14 = "x";
  EXPECT_EQ(Written(p), std::vector<std::string>{"07  x" + std::string(75, ' ')});
}

TEST(DeadLoadRecord, RoundTripGivesTheSameBytes) {
  const std::vector<std::string> metric = {
      "07A1M          00000 00125 00210 00250 00210 00125 00000 00000 00000 00000 00000",
      "07B2             000   150   275   350   275   150   000   000   000   000   000"};
  Project p;
  p.MetricUnits = 1;
  Read(p, metric[0], 0);
  Read(p, metric[1], 1);
  EXPECT_EQ(Written(p), metric);
}

TEST(DeadLoadRecord, TooWideDeflectionIsReported) {
  Project p;
  p.DeadLoad.rows[0].Text5 = "1000";  // 1000000 takes 7 columns
  LineSink out;
  WriteDeadLoadRecords(p, out);
  ASSERT_EQ(out.overflows.size(), 1u);
  EXPECT_EQ(out.overflows[0].window + " " + out.overflows[0].field, "DeadLoad Text5");
  EXPECT_EQ(out.lines.at(0).size(), 81u);
}

TEST(DeadLoadTable, RowOperations) {
  DeadLoadTable t;
  EXPECT_EQ(t.scroll.Max, 3500);
  EXPECT_EQ(t.scroll.Small, 50);
  for (int i = 0; i < 3; ++i) t.rows[i].Text1 = t.rows[i].Text13 = std::to_string(i);
  ASSERT_TRUE(InsertDeadLoadRow(t, 1));
  EXPECT_EQ(DeadLoadRowCount(t), 21);
  EXPECT_EQ(t.scroll.Max, 4100);
  EXPECT_TRUE(t.rows[1].IsEmpty());
  EXPECT_EQ(t.rows[2].Text13 + t.rows[3].Text13, "12");
  DeleteDeadLoadRow(t, 0);
  EXPECT_EQ(t.rows[0].Text1 + t.rows[1].Text1 + t.rows[2].Text1, "12");
  EXPECT_TRUE(t.rows[20].IsEmpty());
  EXPECT_EQ(DeadLoadRowCount(t), 21);
  EXPECT_EQ(t.scroll.Max, 4100);
  // 97 rows can be appended to the first 20; an insert needs room for two.
  DeadLoadTable full;
  while (AddDeadLoadRow(full)) {
  }
  EXPECT_EQ(DeadLoadRowCount(full), 117);
  full.scroll.Max = 32400;
  EXPECT_FALSE(InsertDeadLoadRow(full, 0));
  EXPECT_EQ(DeadLoadRowCount(full), 117);
}

TEST(DeadLoadRecord, Dump) {
  Project p;
  p.DeadLoad.rows[0].Text14 = "M";
  const nlohmann::json j = DumpDeadLoad(p)["rows"];
  ASSERT_EQ(j.size(), 20u);
  EXPECT_EQ(j[0].size(), 14u);
  EXPECT_EQ(j[0]["Text14"], "M");
  EXPECT_EQ(j[0]["Text13"], "");
}

}  // namespace
}  // namespace kv
