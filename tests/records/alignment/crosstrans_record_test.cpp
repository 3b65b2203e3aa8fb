#include "records/alignment/crosstrans_record.h"

#include "tests/test_support.h"

namespace kv {
namespace {

using test::Join;

test::Strings Written(const Project& p) { return test::Write(WriteCrossSlopeRecords, p).lines; }
void ReadOverride(Project& p, const std::string& line, int k) {
  ReadOverrideRecord(test::Pad(line), k, p, test::kNoWarning);
}

std::string Fields(const CrossTransData& c) {
  return Join({c.CrossSlope, c.SuperRate, c.PivotOffset, c.InRunOut, c.InTransLength, c.InTransPer, c.OutRunout,
               c.OutTransLength, c.OutTransPer, c.MaxTransVC, c.CrownWidth, c.CrownHeight, c.CrownLeft, c.CrownRight});
}
std::string Row(const OverrideRow& r) { return Join({r.OverSta, r.OverLeft, r.OverRight}); }

TEST(CrossTransRecord, ReadsCrossSlopeAndOverridesAndWritesTheSameLines) {
  const struct { int metric; test::Strings lines; int crown; std::string fields; test::Strings rows; } cases[] = {
      {0,
       {"03B002000400   00000 500012000 6700 500012000 6700500      240000 02500020000200",
        "03  1265000-020000400", "03  12800000040000400", "03  131000000200     "},
       1, "0.02|0.04|0|50|120|67|50|120|67|50|24|0.25|0.02|0.02",
       {"126+50.00|-0.02|0.04", "128+00.00|0.04|0.04", "131+00.00|0.02|"}},
      // Metric: pivot and crown width 5 decimals, transition lengths 3, crown height 2.
      {1,
       {"03A002500500 -180000 200045000 7000 200045000 7000300      720000  0500025000250",
        "03  3390500-025000500"},
       0, "0.025|0.05|-1.8|20|45|70|20|45|70|30|7.2|0.5|0.025|0.025", {"3+390.500|-0.025|0.05"}}};
  for (const auto& c : cases) {
    Project p;
    p.MetricUnits = int16_t(c.metric);
    ReadCrossSlopeRecord(test::Pad(c.lines[0]), p, test::kNoWarning);
    for (int k = 1; k < int(c.lines.size()); ++k) ReadOverride(p, c.lines[k], k - 1);
    EXPECT_TRUE(p.IsMarked(Form::Cross));
    EXPECT_EQ(p.CrossTrans.CrownType, c.crown);
    EXPECT_EQ(Fields(p.CrossTrans), c.fields);
    for (int k = 0; k < int(c.rows.size()); ++k) EXPECT_EQ(Row(p.CrossTrans.rows[k]), c.rows[k]);
    EXPECT_EQ(OverrideRowCount(p.CrossTrans), kOverrideInitialRows);
    EXPECT_EQ(Written(p), c.lines);
  }
}

TEST(CrossTransRecord, CrownTypeLettersAndBlankColumns) {
  // An unknown letter keeps the selection (item 2, "C").
  for (auto [letter, selected] : {std::pair{'a', 0}, {'B', 1}, {'c', 2}, {'p', 3}, {'P', 3}, {'X', 2}, {' ', 2}}) {
    Project p;
    p.CrossTrans.CrownType = 2;
    ReadCrossSlopeRecord(test::Pad(std::string("03") + letter), p, test::kNoWarning);
    EXPECT_EQ(p.CrossTrans.CrownType, selected) << letter;
  }
  for (auto [selected, letter] : {std::pair{-1, 'A'}, {0, 'A'}, {1, 'B'}, {2, 'C'}, {3, 'P'}}) {
    Project p;
    p.CrossTrans.CrownType = selected;
    EXPECT_EQ(Written(p).at(0)[2], letter) << selected;
  }
  Project p;
  p.CrossTrans.SuperRate = p.CrossTrans.MaxTransVC = p.CrossTrans.OutTransPer = "9";
  ReadCrossSlopeRecord(test::Pad("03"), p, test::kNoWarning);
  // Fields with a blank test empty out; the others read 0.
  EXPECT_EQ(Fields(p.CrossTrans), "0||0||||||||0|0|0|0");
  // Columns 51-56 blank when MaxTransVC is empty.
  EXPECT_EQ(Written(p), test::Strings{"03A00000       00000" + std::string(36, ' ') + "    00000 00000000000000"});
  p.MetricUnits = 1;
  p.CrossTrans.MaxTransVC = "12.5";
  p.CrossTrans.CrownHeight = "0.5";
  const std::string metric = Written(p).at(0);
  EXPECT_EQ(metric.substr(50, 6) + "|" + metric.substr(65, 5), "125   |  050");
}

TEST(CrossTransRecord, OverrideLinesAndRows) {
  Project p;
  CrossTransData& c = p.CrossTrans;
  c.rows[0] = {"", "0.01", "0.02"};      // no station: not written
  c.rows[1] = {"12+50", "-0.02", ""};    // empty right slope: blanks
  c.rows[4] = {"1+00", "12.5", "0.04"};  // too wide a left slope
  const LineSink out = test::Write(WriteCrossSlopeRecords, p);
  ASSERT_EQ(out.lines.size(), 3u);
  EXPECT_EQ(out.lines[1] + "|" + out.lines[2], "03   125000-0200     |03    1000012500000400");
  EXPECT_EQ(test::Overflows(out), test::Strings{"CrossTrans 4 OverLeft 12.5 5 6"});
  Project q;  // the blank right slope reads back as empty text
  q.CrossTrans.rows[0].OverRight = "1";
  ReadOverride(q, out.lines[1], 0);
  EXPECT_EQ(Row(q.CrossTrans.rows[0]), "12+50.00|-0.02|");

  const GridScroll& s = CrossTransData{}.scroll;
  EXPECT_EQ(std::vector<int>({OverrideRowCount(CrossTransData{}), s.Max, s.Small, s.Large, s.Pos}),
            std::vector<int>({6, 1000, 10, 50, 0}));
  // Eight lines read: two rows appended, the maximum 500 higher; rows beyond keep text.
  Project r;
  for (int k = 0; k < 8; ++k) ReadOverride(r, "03  " + std::to_string(1000000 + k), k);
  EXPECT_EQ(OverrideRowCount(r.CrossTrans), 8);
  EXPECT_EQ(r.CrossTrans.scroll.Max, 1500);
  EXPECT_EQ(r.CrossTrans.rows[7].OverSta, "100+00.07");
  AddOverRecord(r.CrossTrans);
  EXPECT_EQ(Row(r.CrossTrans.rows[8]), "||");
  ReadOverride(r, "03  1000000", 0);
  EXPECT_EQ(r.CrossTrans.rows[1].OverSta, "100+00.01");
  // 127 rows fit after the first 6; the 128th would pass 32767 and is refused.
  CrossTransData t;
  for (int i = 0; i < 127; ++i) ASSERT_TRUE(AddOverRecord(t)) << i;
  EXPECT_EQ(t.scroll.Max, 32750);
  EXPECT_FALSE(AddOverRecord(t));
  EXPECT_EQ(OverrideRowCount(t), 133);
  EXPECT_EQ(t.scroll.Max, 32750);
}

}  // namespace
}  // namespace kv
