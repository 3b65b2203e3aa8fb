#include "records/loads/deadload_record.h"
#include "records/loads/roadappr_record.h"

#include "tests/test_support.h"

namespace kv {
namespace {

test::Strings Written(const Project& p) { return test::Write(WriteDeadLoadRecords, p).lines; }

// Full lines in both units are in the golden dumps; here, codes, blanks and what is written.
TEST(DeadLoadRecord, CodesDeflectionsAndColumns) {
  // Decimals by the units and the row's units code; a blank field is no value.
  const struct { int metric; char units; const char *text, *written; } cases[] = {
      {0, ' ', "0.125", "  0125"}, {0, 'm', "0.125", "  0125"}, {1, 'm', "0.0125", " 00125"},
      {1, 'M', "0.0125", " 00125"}, {1, ' ', "1.25", "   125"}, {1, 'x', "1.25", "   125"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.metric) + c.units);
    Project q = test::Units(c.metric);
    ReadDeadLoadRecord(test::Pad(std::string("07AB") + c.units + std::string(12, ' ') + "125"), 0, q, test::kNoWarning);
    EXPECT_EQ(q.DeadLoad.rows[0].Text3 + "|" + q.DeadLoad.rows[0].Text4, c.text + std::string("|"));
    EXPECT_EQ(Written(q).at(0).substr(14, 12), std::string(c.written) + "      ");
  }
  // Only the first character of a code is written.
  const struct { int metric; const char *units, *value, *field; } codes[] = {
      {0, "", "-0.5", "  -500"}, {1, "mm", "1.25", "   125"}, {0, "", "abc", "      "}};
  for (const auto& c : codes) {
    Project p = test::Units(c.metric);
    p.DeadLoad.rows[0].Text1 = "GH", p.DeadLoad.rows[0].Text14 = c.units, p.DeadLoad.rows[0].Text13 = c.value;
    EXPECT_EQ(Written(p).at(0), std::string("07G ") + (*c.units ? *c.units : ' ') + std::string(69, ' ') + c.field);
  }
  // Writing stops at the first empty row.
  for (auto [filled, lines] : {std::pair<std::vector<int>, std::size_t>{{}, 0}, {{1, 2}, 0}, {{0, 1, 3}, 2}}) {
    Project p;
    for (int i : filled) p.DeadLoad.rows[i].Text3 = "1";
    EXPECT_EQ(Written(p).size(), lines);
  }
  Project x;
  x.DeadLoad.rows[0].Text14 = "x";
  EXPECT_EQ(Written(x), test::Strings{"07  x" + std::string(75, ' ')});
}

TEST(DeadLoadTable, RowOperations) {
  DeadLoadTable t;
  EXPECT_EQ(test::Ints({t.scroll.Max, t.scroll.Small}), test::Ints({3500, 50}));
  for (int i = 0; i < 20; ++i) t.rows[i].Text1 = t.rows[i].Text13 = std::to_string(i);
  test::EachInsertAndDelete(t, {0, 1, 19}, InsertDeadLoadRow, DeleteDeadLoadRow, [](auto&, bool, int) {},
                            [](const DeadLoadRow& r) { return r.Text1 + "|" + r.Text13 + "|" + "01"[r.IsEmpty()]; });
  // 97 rows can be appended to the first 20; an insert needs room for two.
  DeadLoadTable full;
  while (AddDeadLoadRow(full)) continue;
  EXPECT_EQ(DeadLoadRowCount(full), 117);
  full.scroll.Max = 32400;
  EXPECT_FALSE(InsertDeadLoadRow(full, 0) || DeadLoadRowCount(full) != 117);
}

std::string Boxes(const RoadApprData& a) {
  return test::Join({a.BegStr, a.EndStr, a.Length, a.Off1, a.Off2, a.Off3, a.Off4, a.Off5, a.Off6, a.Off7});
}

TEST(RoadApprRecord, BlanksAndTheBeginStation) {
  // Blank stations read as empty boxes, blank numbers as 0: they come back as zeros.
  Project p;
  ReadRoadApprRecord(test::Pad("08"), p, test::kNoWarning);
  EXPECT_EQ(Boxes(p.RoadAppr), "||0|0|0|0|0|0|0|0");
  p.RoadAppr.BegStr = "1+00";
  std::string offsets;
  for (int k = 0; k < 7; ++k) offsets += "   00000";
  EXPECT_EQ(test::Write(WriteRoadApprRecord, p).lines,
            test::Strings{"08    100" + std::string(7, ' ') + "      00" + offsets});
  // Without a begin station nothing is written.
  for (const std::string beg : {"", "       "}) {
    p.RoadAppr.BegStr = beg;
    EXPECT_TRUE(test::Write(WriteRoadApprRecord, p).lines.empty()) << '"' << beg << '"';
    p.RoadAppr.BegStr = beg + "0";
    EXPECT_EQ(test::Write(WriteRoadApprRecord, p).lines.size(), 1u);
  }
}

TEST(RoadApprRecord, WritesExactColumns) {
  using R = RoadApprData;
  const struct { const char* text; std::string R::*box; int first; const char* columns; } cases[] = {
      {"123+45.67", &R::BegStr, 3, "  12346"}, {"12345+6", &R::BegStr, 3, " 123456"},
      {"-5+00", &R::BegStr, 3, "   -500"}, {"12.34", &R::Length, 17, "     123"},
      {"-999999.9", &R::Length, 17, "-9999999"}, {"x", &R::Length, 17, "        "},
      {"-1.5", &R::Off1, 25, "  -15000"}, {"0.00005", &R::Off1, 25, "   00001"}};
  for (const auto& c : cases) {
    Project p;
    p.RoadAppr.BegStr = "1";
    p.RoadAppr.*c.box = c.text;
    const std::string line = test::Write(WriteRoadApprRecord, p).lines.at(0);
    EXPECT_EQ(line.substr(c.first - 1, std::string(c.columns).size()) + "|" + std::to_string(line.size()),
              c.columns + std::string("|80")) << c.text;
  }
}

}  // namespace
}  // namespace kv
