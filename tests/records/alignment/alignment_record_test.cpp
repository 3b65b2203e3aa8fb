#include "records/alignment/crosstrans_record.h"
#include "records/alignment/horizontal_record.h"
#include "records/alignment/vertical_record.h"

#include "tests/test_support.h"

namespace kv {
namespace {

using test::Join;
using test::kDeg;

std::string Row(const OverrideRow& r) { return Join({r.OverSta, r.OverLeft, r.OverRight}); }

// Every text box of the record in form order (the crown type and rows for "03").
std::string Fields(const Project& p, char code) {
  const HorizontalData& h = p.Horizontal;
  const VerticalData& v = p.Vertical;
  const CrossTransData& c = p.CrossTrans;
  if (code == '1')
    return Join({h.PIStation, h.Delta, h.Degree, h.Radius, h.InSpiral, h.OutSpiral, h.ProfOffset, h.Back, h.Ahead,
                 h.Option1 ? "L" : "", h.Option2 ? "R" : ""});
  if (code == '2')
    return Join({v.GradeIn, v.InLength1, v.OutLength1, v.PISta1, v.PIElev1, v.InLength2, v.OutLength2, v.PISta2,
                 v.PIElev2, v.GradeOut});
  std::string s = std::to_string(c.CrownType) + ":" +
                  Join({c.CrossSlope, c.SuperRate, c.PivotOffset, c.InRunOut, c.InTransLength, c.InTransPer,
                        c.OutRunout, c.OutTransLength, c.OutTransPer, c.MaxTransVC, c.CrownWidth, c.CrownHeight,
                        c.CrownLeft, c.CrownRight});
  for (int k = 0; k < 3; ++k) s += ":" + Row(c.rows[k]);
  return s;
}

// The lines of one record family read in order; the first "03" is the cross slope line.
void Read(Project& p, const test::Strings& lines, char code) {
  for (int k = 0; k < int(lines.size()); ++k) {
    const std::string l = test::Pad(lines[k]);
    if (code == '1') ReadHorizontalRecord(l, p, test::kNoWarning);
    if (code == '2') ReadVerticalRecord(l, p, test::kNoWarning);
    if (code == '3' && k) ReadOverrideRecord(l, k - 1, p, test::kNoWarning);
    if (code == '3' && !k) ReadCrossSlopeRecord(l, p, test::kNoWarning);
  }
}
test::Strings Written(const Project& p, char code) {
  return test::Write(code == '1' ? WriteHorizontalRecord : code == '2' ? WriteVerticalRecord : WriteCrossSlopeRecords,
                     p).lines;
}

TEST(AlignmentRecords, ReadEveryFieldAndWriteTheSameLines) {
  const std::string zero = "0" + kDeg + " 0' 0.00\"";
  const struct { int metric; test::Strings lines; std::string fields; test::Strings written = {}; } cases[] = {
      {0, {"01R 12345678  125405000 230 000 15000 15000  -650002291.83  130000000  130255000"},
       "125+40.5000|12" + kDeg + " 34' 56.78\"|2" + kDeg + " 30' 0.00\"|2291.83|150|150|-6.5|130+00.0000|"
       "130+25.5000||R"},
      // Metric: five decimals in stations and offset, three in spirals; Degree not read,
      // and though it holds text its columns still come out blank.
      {1, {"01L  8153025  340012500         60000 60000 -2250001200.00  335000000  335000000"},
       "3+400.12500|8" + kDeg + " 15' 30.25\"|kept|1200|60|60|-2.25|3+350.00000|3+350.00000|L|"},
      // Blank spirals keep their text; the offset and radius read 0, stations empty.
      {0, {"01R"}, "|" + zero + "|" + zero + "|0|kept|kept|0||||R", {"-"}},
      {0, {"02  1250000 20000  1270000  5123400 20000 15000  1315000  5151000 15000  -800000"},
       "1.25|200|200|127+00.00|512.34|150|150|131+50.00|515.1|-0.8"},
      // The code is not tested on reading.
      {1, {"05  -500000 80000  3380000 10245700 80000  0000     0000   000000  0000  1500000"},
       "-0.5|80|80|3+380.000|102.457|0|0|0+000.000|0|1.5",
       {"02  -500000 80000  3380000 10245700 80000  0000     0000   000000  0000  1500000"}},
      {0, {"03B002000400   00000 500012000 6700 500012000 6700500      240000 02500020000200",
           "03  1265000-020000400", "03  12800000040000400", "03  131000000200     "},
       "1:0.02|0.04|0|50|120|67|50|120|67|50|24|0.25|0.02|0.02:126+50.00|-0.02|0.04:128+00.00|0.04|0.04:"
       "131+00.00|0.02|"},
      // Metric: pivot and crown width 5 decimals, transition lengths 3, crown height 2.
      {1, {"03A002500500 -180000 200045000 7000 200045000 7000300      720000  0500025000250", "03  3390500-025000500"},
       "0:0.025|0.05|-1.8|20|45|70|20|45|70|30|7.2|0.5|0.025|0.025:3+390.500|-0.025|0.05:||:||"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines[0]);
    const char code = c.lines[0][1] == '5' ? '2' : c.lines[0][1];
    Project p = test::Units(c.metric);
    p.Horizontal.Degree = p.Horizontal.InSpiral = p.Horizontal.OutSpiral = "kept";
    p.Horizontal.PIStation = "1+00";
    Read(p, c.lines, code);
    EXPECT_EQ(Fields(p, code), c.fields);
    if (c.written != test::Strings{"-"}) EXPECT_EQ(Written(p, code), c.written.empty() ? c.lines : c.written);
  }
  EXPECT_EQ(OverrideRowCount(CrossTransData{}), 6);
  // A project that never had a record: packed zero angles, everything else blank.
  EXPECT_EQ(Written(Project{}, '1')[0], "01R  0 0 000" + std::string(11, ' ') + " 0 0 000" + std::string(49, ' '));
}

TEST(AlignmentRecords, DirectionAndCrownTypeLetters) {
  const struct { std::string line; const char* option; char written; } directions[] = {
      {"01l", "L", 'L'}, {"01R", "R", 'R'}, {"01" + std::string(76, ' ') + "r", "R", 'R'},
      {"01R" + std::string(70, ' ') + "L", "L", 'L'},  // "L" is looked for first
      {"01 ", "", 'R'}, {"L1 ", "", 'R'}};             // columns 1-2 are not searched
  for (const auto& c : directions) {
    Project p;
    p.Horizontal.Option1 = p.Horizontal.Option2 = true;
    Read(p, {c.line}, '1');
    EXPECT_EQ(std::string(p.Horizontal.Option1 ? "L" : "") + (p.Horizontal.Option2 ? "R" : "") + Written(p, '1')[0][2],
              c.option + std::string(1, c.written)) << c.line;
  }
  // An unknown letter keeps the selection (item 2, "C").
  for (auto [letter, selected] : {std::pair{'a', 0}, {'B', 1}, {'c', 2}, {'p', 3}, {'P', 3}, {'X', 2}, {' ', 2}}) {
    Project p;
    p.CrossTrans.CrownType = 2;
    Read(p, {std::string("03") + letter}, '3');
    EXPECT_EQ(p.CrossTrans.CrownType, selected) << letter;
  }
  for (auto [selected, letter] : {std::pair{-1, 'A'}, {0, 'A'}, {1, 'B'}, {2, 'C'}, {3, 'P'}}) {
    Project p;
    p.CrossTrans.CrownType = selected;
    EXPECT_EQ(Written(p, '3').at(0)[2], letter) << selected;
  }
}

TEST(AlignmentRecords, CrossSlopeBlanksAndOverrideRows) {
  Project p;
  CrossTransData& c = p.CrossTrans;
  c.SuperRate = c.MaxTransVC = c.OutTransPer = "9";
  Read(p, {"03"}, '3');
  // Fields with a blank test empty out; the others read 0.
  EXPECT_EQ(Fields(p, '3'), "-1:0||0||||||||0|0|0|0:||:||:||");
  c.rows[0] = {"", "0.01", "0.02"};    // no station: not written
  c.rows[1] = {"12+50", "-0.02", ""};  // empty right slope: blanks
  // Columns 51-56 blank when MaxTransVC is empty.
  EXPECT_EQ(Written(p, '3'), (test::Strings{"03A00000       00000" + std::string(36, ' ') + "    00000 00000000000000",
                                           "03   125000-0200     "}));
  Project q;  // the blank right slope reads back as empty text
  q.CrossTrans.rows[0].OverRight = "1";
  ReadOverrideRecord(test::Pad("03   125000-0200     "), 0, q, test::kNoWarning);
  EXPECT_EQ(Row(q.CrossTrans.rows[0]), "12+50.00|-0.02|");

  const GridScroll& s = CrossTransData{}.scroll;
  EXPECT_EQ(std::vector<int>({s.Max, s.Small, s.Large, s.Pos}), std::vector<int>({1000, 10, 50, 0}));
  // Eight lines read: two rows appended, the maximum 500 higher; rows beyond keep text.
  Project r;
  for (int k = 0; k < 8; ++k)
    ReadOverrideRecord(test::Pad("03  " + std::to_string(1000000 + k)), k, r, test::kNoWarning);
  EXPECT_EQ(std::vector<int>({OverrideRowCount(r.CrossTrans), r.CrossTrans.scroll.Max}), std::vector<int>({8, 1500}));
  EXPECT_EQ(r.CrossTrans.rows[7].OverSta, "100+00.07");
  AddOverRecord(r.CrossTrans);
  EXPECT_EQ(Row(r.CrossTrans.rows[8]), "||");
  ReadOverrideRecord(test::Pad("03  1000000"), 0, r, test::kNoWarning);
  EXPECT_EQ(r.CrossTrans.rows[1].OverSta, "100+00.01");
  // 127 rows fit after the first 6; the 128th would pass 32767 and is refused.
  CrossTransData t;
  for (int i = 0; i < 127; ++i) ASSERT_TRUE(AddOverRecord(t)) << i;
  EXPECT_FALSE(AddOverRecord(t));
  EXPECT_EQ(std::vector<int>({OverrideRowCount(t), t.scroll.Max}), std::vector<int>({133, 32750}));
}

}  // namespace
}  // namespace kv
