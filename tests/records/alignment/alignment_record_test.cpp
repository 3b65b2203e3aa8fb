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

// One line of a record family; an "03" line as the cross slope line.
void Read(Project& p, const std::string& line, char code) {
  (code == '1' ? ReadHorizontalRecord : code == '2' ? ReadVerticalRecord : ReadCrossSlopeRecord)(
      test::Pad(line), p, test::kNoWarning);
}
test::Strings Written(const Project& p, char code) {
  return test::Write(code == '1' ? WriteHorizontalRecord : code == '2' ? WriteVerticalRecord : WriteCrossSlopeRecords,
                     p).lines;
}

// Full lines in both units are in the golden dumps; here, what the samples do not hold.
TEST(AlignmentRecords, ReadOverEarlierTextsAndWriteTheSameLines) {
  const std::string zero = "0" + kDeg + " 0' 0.00\"";
  const struct { int metric; std::string line, fields, written = ""; } cases[] = {  // "-": not written
      // Metric: Degree is not read, and though it holds text its columns still come out blank.
      {1, "01L  8153025  340012500         60000 60000 -2250001200.00  335000000  335000000",
       "3+400.12500|8" + kDeg + " 15' 30.25\"|kept|1200|60|60|-2.25|3+350.00000|3+350.00000|L|"},
      // Blank spirals keep their text; the offset and radius read 0, stations empty.
      {0, "01R", "|" + zero + "|" + zero + "|0|kept|kept|0||||R", "-"},
      // The code is not tested on reading.
      {1, "05  -500000 80000  3380000 10245700 80000  0000     0000   000000  0000  1500000",
       "-0.5|80|80|3+380.000|102.457|0|0|0+000.000|0|1.5",
       "02  -500000 80000  3380000 10245700 80000  0000     0000   000000  0000  1500000"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const char code = c.line[1] == '5' ? '2' : c.line[1];
    Project p = test::Units(c.metric);
    p.Horizontal.Degree = p.Horizontal.InSpiral = p.Horizontal.OutSpiral = "kept";
    p.Horizontal.PIStation = "1+00";
    Read(p, c.line, code);
    EXPECT_EQ(Fields(p, code), c.fields);
    if (c.written != "-") { EXPECT_EQ(Written(p, code), test::Strings{c.written.empty() ? c.line : c.written}); }
  }
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
    Read(p, c.line, '1');
    EXPECT_EQ(std::string(p.Horizontal.Option1 ? "L" : "") + (p.Horizontal.Option2 ? "R" : "") + Written(p, '1')[0][2],
              c.option + std::string(1, c.written)) << c.line;
  }
  // An unknown letter keeps the selection (item 2, "C").
  for (auto [letter, selected] : {std::pair{'a', 0}, {'B', 1}, {'c', 2}, {'p', 3}, {'P', 3}, {'X', 2}, {' ', 2}}) {
    Project p;
    p.CrossTrans.CrownType = 2;
    Read(p, std::string("03") + letter, '3');
    EXPECT_EQ(p.CrossTrans.CrownType, selected) << letter;
  }
}

TEST(AlignmentRecords, CrossSlopeBlanksAndOverrideRows) {
  Project p;
  CrossTransData& c = p.CrossTrans;
  c.SuperRate = c.MaxTransVC = c.OutTransPer = "9";
  Read(p, "03", '3');
  // Fields with a blank test empty out; the others read 0.
  EXPECT_EQ(Fields(p, '3'), "-1:0||0||||||||0|0|0|0:||:||:||");
  c.rows[0] = {"", "0.01", "0.02"};    // no station: not written
  c.rows[1] = {"12+50", "-0.02", ""};  // empty right slope: blanks
  // No crown type written as "A"; columns 51-56 blank when MaxTransVC is empty.
  EXPECT_EQ(Written(p, '3'), (test::Strings{"03A00000       00000" + std::string(36, ' ') + "    00000 00000000000000",
                                           "03   125000-0200     "}));
  Project q;  // the blank right slope reads back as empty text
  q.CrossTrans.rows[0].OverRight = "1";
  ReadOverrideRecord(test::Pad("03   125000-0200     "), 0, q, test::kNoWarning);
  EXPECT_EQ(Row(q.CrossTrans.rows[0]), "12+50.00|-0.02|");

  const GridScroll& s = CrossTransData{}.scroll;
  EXPECT_EQ(test::Ints({s.Max, s.Small, s.Large, s.Pos}), test::Ints({1000, 10, 50, 0}));
  // Eight lines read: two rows appended, the maximum 500 higher; rows beyond keep text.
  Project r;
  for (int k = 0; k < 8; ++k)
    ReadOverrideRecord(test::Pad("03  " + std::to_string(1000000 + k)), k, r, test::kNoWarning);
  EXPECT_EQ(test::Ints({OverrideRowCount(r.CrossTrans), r.CrossTrans.scroll.Max}), test::Ints({8, 1500}));
  EXPECT_EQ(r.CrossTrans.rows[7].OverSta, "100+00.07");
  AddOverRecord(r.CrossTrans);
  EXPECT_EQ(Row(r.CrossTrans.rows[8]), "||");
  ReadOverrideRecord(test::Pad("03  1000000"), 0, r, test::kNoWarning);
  EXPECT_EQ(r.CrossTrans.rows[1].OverSta, "100+00.01");
  // 127 rows fit after the first 6; the 128th would pass 32767 and is refused.
  CrossTransData t;
  for (int i = 0; i < 127; ++i) ASSERT_TRUE(AddOverRecord(t)) << i;
  EXPECT_FALSE(AddOverRecord(t));
  EXPECT_EQ(test::Ints({OverrideRowCount(t), t.scroll.Max}), test::Ints({133, 32750}));
}

}  // namespace
}  // namespace kv
