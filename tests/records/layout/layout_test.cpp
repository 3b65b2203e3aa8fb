#include "records/layout/girder_record.h"
#include "records/layout/girder_table.h"
#include "records/layout/refline_record.h"

#include "tests/test_support.h"

namespace kv {
namespace {

const std::string kW5 = "Warning: (05) Girder line data, bad line type.";
const std::string kW6 = "Warning: (05) Girder line data, initial offset type invalid.";
const std::string kW7 = "Warning: (05) Girder line data, terminal offset type invalid.";

test::Strings Read(const std::string& line, int n, Project& p) {
  return test::Warned([&](const WarningSink& w) { ReadGirderRecord(test::Pad(line), n, p, w); });
}

// Every cell of a row, the first offset type entry standing for its list, then the
// options and whether the terminal text and type take input.
std::string Cells(const GirderRow& r, bool states = true) {
  std::string flags;
  for (bool b : r.List1) flags += "01"[b];
  if (states) flags += std::string{'|', "01"[r.Text2Enabled], "01"[r.Combo2Enabled]};
  return test::Join({r.Combo1Text, std::to_string(r.Combo1), r.Combo3Text, std::to_string(r.Combo3),
                     r.Combo3Items.at(0), r.Combo2Text, std::to_string(r.Combo2), r.Text1, r.Text2, r.Text3, r.Text4,
                     r.Text13, r.Text16, flags});
}
const std::string kEmptied = "Line Type|-1|Offset Type|-1|Bent from LOL|Offset Type|-1|||||||00000|11";

GirderRow Row(int type, int initial, int terminal, const std::string& description) {
  GirderRow r;
  ChooseGirderLineType(r, type), ChooseGirderInitialOffsetType(r, initial), ChooseGirderTerminalOffsetType(r, terminal);
  r.Text1 = "12.5", r.Text2 = "14.5", r.Text3 = "0.25", r.Text4 = description, r.Text13 = "AB", r.Text16 = "Z";
  r.List1 = {true, false, true, false, true};
  return r;
}

// Rows written and lines read beyond what the samples hold (their golden dumps and
// exact write-back pin the rest).
TEST(GirderRecord, WritesAndReadsExactColumns) {
  const std::string g = "G1                  X AB" "ZX X";  // description, options, fraction points and DL
  GirderRow bare, longer = Row(2, 3, 0, "A DESCRIPTION LONGER THAN TWENTY");
  bare.Text4 = "     ";  // blanks, but not twenty: still written
  longer.Text13 = "XYZ", longer.Text16 = " ";
  const struct { int units; GirderRow row; std::string line; } writes[] = {
      {1, Row(4, 0, 2, "G1"), "054 12500001 1450000   025000" + g},  // terminal type only on a flared line
      {0, Row(1, -1, 1, "G1"), "051  1250005  145000    02500" + g},   // 5 whatever is chosen
      {0, longer, "052  1250004  145000    02500A DESCRIPTION LONGERX XY X X"},
      {0, bare, "05" + std::string(9, ' ') + "0" + std::string(45, ' ')}};
  for (const auto& c : writes) {
    Project p = test::Units(c.units);
    p.GirderLine.rows[0] = c.row;
    EXPECT_EQ(test::Write(WriteGirderRecords, p).lines, test::Strings{c.line});
  }
  const auto plain = GirderOffsetTypeItemsFor(-1), segmented = GirderOffsetTypeItemsFor(kGirderSegmented);
  const struct { std::string line; test::Ints combos; test::Strings items; bool enabled; test::Strings warnings = {};
  } reads[] = {
      {"050  1250005", {0, 0, -1}, segmented, false},  // 5 on a parallel line
      {"056  1250000  1450009", {-1, -1, -1}, plain, true, {kW5, kW6}},
      {"053  1250006  1450000", {3, -1, -1}, plain, true, {kW6, kW7}},
      {"053  1250001  1450005", {3, 0, -1}, plain, true}};  // terminal 5
  for (const auto& c : reads) {
    SCOPED_TRACE(c.line);
    Project p;
    EXPECT_EQ(Read(c.line, 0, p), c.warnings);
    const GirderRow& r = p.GirderLine.rows[0];
    EXPECT_EQ(test::Ints({r.Combo1, r.Combo3, r.Combo2}), c.combos);
    EXPECT_EQ(r.Combo3Items, c.items);
    EXPECT_EQ(r.Text2Enabled && r.Combo2Enabled, c.enabled);
  }
  // Only rows with a description are written; every other cell filled does not count.
  Project p;
  const char* descriptions[] = {"", "FIRST", "                    ", "SECOND"};
  for (int i = 0; i < 4; ++i) p.GirderLine.rows[i] = Row(0, 0, -1, descriptions[i]);
  const test::Strings lines = test::Write(WriteGirderRecords, p).lines;
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(29, 20) + "|" + lines[1].substr(29, 20), "FIRST               |SECOND              ");
  // What the line does not carry stays: the earlier line type with its entries, the options.
  GirderRow& r = p.GirderLine.rows[3];
  ChooseGirderLineType(r, 4);
  r.Text16 = "Q";
  EXPECT_EQ(Read("059  1250001", 3, p), (test::Strings{kW5}));
  EXPECT_EQ(Cells(r), "Offset Varies|4|Fr HC at Nom. CS|0|Fr HC at Nom. CS|Offset Type|-1|12.5|0|0|" +
                          std::string(20, ' ') + "|  ||10101|00");
}

TEST(GirderTable, StartStateAddRowAndCapacity) {
  GirderTable t;
  EXPECT_EQ(test::Ints({GirderRowCount(t), t.scroll.Max, t.scroll.Small, t.scroll.Large, t.scroll.Pos}),
            test::Ints({20, 3000, 100, 300, 0}));
  EXPECT_EQ(Cells(t.rows[19]), kEmptied);
  // A new row takes row 0's entries and terminal text state; its terminal type takes input.
  ChooseGirderLineType(t.rows[0], kGirderSegmented);
  ChooseGirderLineType(t.rows[1], kGirderFlared);
  ASSERT_TRUE(AddGirderRow(t));
  EXPECT_EQ(Cells(t.rows[20]), "Line Type|-1|Offset Type|-1|Normal from base|Offset Type|-1|||||||00000|01");
  while (AddGirderRow(t)) continue;
  EXPECT_EQ(test::Ints({GirderRowCount(t), t.scroll.Max}), test::Ints({119, 32700}));
  // Room for one more step but not two: an insert is refused, a row still fits.
  t.scroll.Max = 32400;
  t.rows[5].Text4 = "KEPT";
  EXPECT_FALSE(InsertGirderRow(t, 5));
  EXPECT_EQ(std::to_string(GirderRowCount(t)) + t.rows[5].Text4 + std::to_string(t.scroll.Max), "119KEPT32400");
  EXPECT_TRUE(AddGirderRow(t));
  GirderTable fresh;  // no current row past the end
  EXPECT_FALSE(InsertGirderRow(fresh, 20));
  EXPECT_EQ(fresh.scroll.Max, 3000);
}

// A change of line type sets the row's entries, clears the initial offset type and
// enables the terminal cells on a flared line only; the contents stay.
TEST(GirderTable, LineTypeChange) {
  const std::string tail = "|Norm. from LOL|1||9|||||00000|";
  const std::string want[] = {"Parallel to Horiz.|0|Offset Type|-1|Bent from LOL" + tail + "00",
                              "Segmented|1|Offset Type|-1|Normal from base" + tail + "00",
                              "Parallel to Layout|2|Offset Type|-1|Bent from LOL" + tail + "00",
                              "Flared Girder Line|3|Offset Type|-1|Bent from LOL" + tail + "11",
                              "Offset Varies|4|Offset Type|-1|Fr HC at Nom. CS" + tail + "00"};
  for (int type = 0; type < 5; ++type) {
    GirderTable t;
    GirderRow& r = t.rows[7];
    ChooseGirderLineType(r, kGirderOffsetVaries), ChooseGirderInitialOffsetType(r, 3);
    r.Text2 = "9";
    ChooseGirderTerminalOffsetType(r, 1), ChooseGirderLineType(r, type);
    EXPECT_EQ(Cells(r), want[type]);
    EXPECT_EQ(Cells(t.rows[6]) + Cells(t.rows[8]), kEmptied + kEmptied) << "only the row itself";
  }
}

// Rows move cell by cell, the line type first, so their terminal cells take input by
// their line type; the emptied row keeps its entries and their states.
TEST(GirderTable, InsertAndDeleteRow) {
  GirderTable filled;
  for (int i = 0; i < 5; ++i) filled.rows[i].Text4 = "ROW " + std::to_string(i), filled.rows[i].List1[i] = true;
  filled.rows[2] = Row(kGirderFlared, 1, 3, "ROW 2"), filled.rows[3] = Row(kGirderOffsetVaries, 2, -1, "ROW 3");
  filled.rows[19] = Row(kGirderSegmented, -1, -1, "LAST");
  test::EachInsertAndDelete(filled, {0, 1, 2, 4, 19}, InsertGirderRow, DeleteGirderRow,
                            [&](std::vector<GirderRow>& want, bool insert, int current) {
    const int freed = insert ? current : 19;
    for (int i = current; i < 20 + insert; ++i)
      want[i].Text2Enabled = want[i].Combo2Enabled = want[i].Combo1 == kGirderFlared;
    want[freed].Combo3Items = filled.rows[freed].Combo3Items;
    want[freed].Text2Enabled = filled.rows[freed].Text2Enabled, want[freed].Combo2Enabled = filled.rows[freed].Combo2Enabled;
  }, [](const GirderRow& r) { return Cells(r); });
  // A moved row's initial offset type is chosen among the entries of its line type,
  // not among the entries it had (a "5" read on a parallel line gives these).
  ChooseGirderLineType(filled.rows[4], 0);
  filled.rows[4].Combo3Items = GirderOffsetTypeItemsFor(kGirderSegmented);
  ChooseGirderInitialOffsetType(filled.rows[4], 0);
  DeleteGirderRow(filled, 0);
  EXPECT_EQ(filled.rows[3].Combo3Items, GirderOffsetTypeItemsFor(-1));
  EXPECT_EQ(filled.rows[3].Combo3Text, "Bent from LOL");
}

const std::string kW1 = "Warning: (04) Reference line data, bad \"Station is on\" value.  Valid values are 0 to 3";
const std::string kW2 =
    "Warning: (04) Reference line data, bad \"Skew is with respect to\" value.  Valid values are 1 to 4.";
const std::string kW3 = "Warning: (04) Reference line data, bad \"Layout line is\" value.";
const std::string kW4 = "Warning: (04) Reference line data, bad \"Reverse layout line\" value.";

test::Strings Read(const std::string& line, Project& p) {
  return test::Warned([&](const WarningSink& w) { ReadRefLineRecord(test::Pad(line), p, w); });
}
std::string Written(const Project& p) { return test::Write(WriteRefLineRecord, p).lines.at(0); }

// The codes, the options and checks, then the texts.
std::string Fields(const RefLineData& d) {
  std::string s;
  for (int v : {d.StaOn, d.SkewRespTo, d.LayoutLineIs, d.RevLayoutLine}) s += std::to_string(v) + " ";
  for (bool b : {d.Option1, d.Option2, d.Option3, d.Option4, d.Check1, d.Check2, d.Check3, d.Check4}) s += "01"[b];
  return s + "|" + test::Join({d.RefLineSta, d.LimitBegSta, d.LimitEndSta, d.SkewAngle, d.TransX, d.TransY});
}

// Full lines in both units are in the golden dumps; here, a record never edited.
TEST(RefLineRecord, NeverEditedLine) {
  const std::string nine(9, ' '), eleven(11, ' ');
  EXPECT_EQ(Written(Project{}), "04" + eleven + " L 0 0 000000     " + nine + nine + nine + eleven + eleven);
  // Read back: two warnings, Option1 and Option3 set.
  Project p;
  p.RefLine.Check2 = true;
  std::string line = Written(Project{});
  line[30] = '*';  // column 31: any mark ticks Check4; a blank column never clears one
  EXPECT_EQ(Read(line, p), (test::Strings{kW2, kW3}));
  EXPECT_EQ(Fields(p.RefLine), "0 -1 -1 0 10100101||||0\xB0 0' 0.00\"|0|0");
}

TEST(RefLineRecord, CodesAndFlags) {
  const std::string good = "04   123456782R12345678213X X3X" + std::string(9, ' ') + "    15000   -22500   10000000";
  const struct { std::vector<std::pair<int, std::string>> at; test::Strings warnings; bool left, sameSkew; } cases[] = {
      {{{14, "7"}}, {kW1}, false, true}, {{{24, "0"}}, {kW2}, false, true},
      {{{14, "7"}, {24, "5"}, {26, "4"}, {30, "9"}}, {kW1, kW2, kW3, kW4}, false, true},
      {{{15, "l"}}, {}, true, true}, {{{15, "L"}}, {}, true, true}, {{{15, " "}}, {}, false, true},
      {{{15, "x"}}, {}, false, true}, {{{25, "0"}}, {}, false, false}, {{{25, "2"}}, {}, false, false},
      {{{25, " "}}, {}, false, false}};
  for (const auto& c : cases) {
    const std::string line = test::Put(good, c.at);
    SCOPED_TRACE(line);
    Project p;
    p.RefLine.StaOn = 1, p.RefLine.SkewRespTo = 3;  // a bad code keeps the earlier selection
    EXPECT_EQ(Read(line, p), c.warnings);
    const RefLineData& d = p.RefLine;
    EXPECT_EQ(std::vector<bool>({d.Option1, d.Option2, d.Option3, d.Option4}),
              std::vector<bool>({c.left, !c.left, !c.sameSkew, c.sameSkew}));
    EXPECT_EQ(test::Ints({d.StaOn, d.SkewRespTo}), test::Ints({line[13] == '7' ? 1 : 2, line[23] == '2' ? 1 : 3}));
  }
}

}  // namespace
}  // namespace kv
