#include "records/loads/deadload_record.h"

#include "tests/test_support.h"

namespace kv {
namespace {

test::Strings Written(const Project& p) { return test::Write(WriteDeadLoadRecords, p).lines; }
void Read(Project& p, const std::string& line, int n = 0) {
  ReadDeadLoadRecord(test::Pad(line), n, p, test::kNoWarning);
}

TEST(DeadLoadRecord, ReadsCodesAndDeflections) {
  Project p;
  Read(p, "07A1            0000  0125  0250  0375  0500  0550  0500  0375  0250  0125  0000", 2);
  const DeadLoadRow& r = p.DeadLoad.rows[2];
  EXPECT_TRUE(p.IsMarked(Form::Dead));
  EXPECT_EQ(r.Text1 + r.Text2 + r.Text14, "A1 ");
  test::Strings read;
  for (auto cell : kDeadLoadDeflections) read.push_back(r.*cell);
  EXPECT_EQ(test::Join(read), "0|0.125|0.25|0.375|0.5|0.55|0.5|0.375|0.25|0.125|0");
  // Metric rows with and without the "M" units code write back byte for byte.
  const test::Strings metric = {
      "07A1M          00000 00125 00210 00250 00210 00125 00000 00000 00000 00000 00000",
      "07B2             000   150   275   350   275   150   000   000   000   000   000"};
  Project m;
  m.MetricUnits = 1;
  Read(m, metric[0], 0);
  Read(m, metric[1], 1);
  EXPECT_EQ(Written(m), metric);
  // Decimals by the units and the row's units code; a blank field is no value.
  const struct { int metric; char units; const char *text, *written; } cases[] = {
      {0, ' ', "0.125", "  0125"}, {0, 'm', "0.125", "  0125"}, {1, 'm', "0.0125", " 00125"},
      {1, 'M', "0.0125", " 00125"}, {1, ' ', "1.25", "   125"}, {1, 'x', "1.25", "   125"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.metric) + c.units);
    Project q;
    q.MetricUnits = int16_t(c.metric);
    Read(q, "07AB" + std::string(1, c.units) + std::string(9, ' ') + "   125");
    EXPECT_EQ(q.DeadLoad.rows[0].Text3 + "|" + q.DeadLoad.rows[0].Text4, c.text + std::string("|"));
    EXPECT_EQ(Written(q).at(0).substr(14, 12), std::string(c.written) + "      ");
  }
}

TEST(DeadLoadRecord, WritesExactColumns) {
  const struct { int metric; const char *units, *value, *field; } cases[] = {
      {0, "", "0.5", "  0500"}, {0, "", "-0.5", "  -500"}, {0, "m", "0.5", "  0500"}, {1, "", "1.25", "   125"},
      {1, "mm", "1.25", "   125"}, {0, "", "abc", "      "}};
  for (const auto& c : cases) {
    Project p;
    p.MetricUnits = int16_t(c.metric);
    p.DeadLoad.rows[0].Text1 = "GH";  // one character is kept
    p.DeadLoad.rows[0].Text14 = c.units;
    p.DeadLoad.rows[0].Text13 = c.value;
    EXPECT_EQ(Written(p).at(0), std::string("07G ") + (*c.units ? *c.units : ' ') + std::string(69, ' ') + c.field);
  }
  // Writing stops at the first empty row.
  const struct { std::vector<int> filled; std::size_t lines; } rows[] = {{{}, 0}, {{1, 2}, 0}, {{0, 1, 3}, 2}};
  for (const auto& c : rows) {
    Project p;
    for (int i : c.filled) p.DeadLoad.rows[i].Text3 = "1";
    EXPECT_EQ(Written(p).size(), c.lines);
  }
  Project p;
  p.DeadLoad.rows[0].Text14 = "x";
  EXPECT_EQ(Written(p), test::Strings{"07  x" + std::string(75, ' ')});
  // A deflection too wide for its columns is reported and widens the line.
  p.DeadLoad.rows[0].Text5 = "1000";  // 1000000 takes 7 columns
  const LineSink out = test::Write(WriteDeadLoadRecords, p);
  EXPECT_EQ(test::Overflows(out), test::Strings{"DeadLoad 0 Text5 1000 6 7"});
  EXPECT_EQ(out.lines.at(0).size(), 81u);
}

TEST(DeadLoadTable, RowOperations) {
  DeadLoadTable t;
  EXPECT_EQ(std::vector<int>({t.scroll.Max, t.scroll.Small}), std::vector<int>({3500, 50}));
  for (int i = 0; i < 3; ++i) t.rows[i].Text1 = t.rows[i].Text13 = std::to_string(i);
  ASSERT_TRUE(InsertDeadLoadRow(t, 1));
  EXPECT_EQ(std::vector<int>({DeadLoadRowCount(t), t.scroll.Max}), std::vector<int>({21, 4100}));
  EXPECT_TRUE(t.rows[1].IsEmpty());
  EXPECT_EQ(t.rows[2].Text13 + t.rows[3].Text13, "12");
  DeleteDeadLoadRow(t, 0);
  EXPECT_EQ(t.rows[0].Text1 + t.rows[1].Text1 + t.rows[2].Text1, "12");
  EXPECT_TRUE(t.rows[20].IsEmpty());
  EXPECT_EQ(std::vector<int>({DeadLoadRowCount(t), t.scroll.Max}), std::vector<int>({21, 4100}));
  // 97 rows can be appended to the first 20; an insert needs room for two.
  DeadLoadTable full;
  while (AddDeadLoadRow(full)) {
  }
  EXPECT_EQ(DeadLoadRowCount(full), 117);
  full.scroll.Max = 32400;
  EXPECT_FALSE(InsertDeadLoadRow(full, 0));
  EXPECT_EQ(DeadLoadRowCount(full), 117);
}

}  // namespace
}  // namespace kv
