#include "records/layout/girder_table.h"

#include "tests/test_support.h"

namespace kv {
namespace {

// Rows 0..4 carry their index in the description; row 2 is a flared line with both
// offset types chosen, row 3 an "Offset Varies" line.
GirderTable Filled() {
  GirderTable t;
  for (int i = 0; i < 5; ++i) {
    t.rows[i].Text4 = "ROW " + std::to_string(i);
    t.rows[i].List1[i] = true;
  }
  ChooseGirderLineType(t.rows[2], kGirderFlared);
  ChooseGirderInitialOffsetType(t.rows[2], 1);
  ChooseGirderTerminalOffsetType(t.rows[2], 3);
  t.rows[2].Text2 = "14.5";
  ChooseGirderLineType(t.rows[3], kGirderOffsetVaries);
  ChooseGirderInitialOffsetType(t.rows[3], 2);
  return t;
}

std::string Descriptions(const GirderTable& t, int count) {
  test::Strings d;
  for (int i = 0; i < count; ++i) d.push_back(t.rows[i].Text4);
  return test::Join(d);
}

void ExpectEmptied(const GirderRow& r) {
  EXPECT_EQ(r.Combo1Text + "|" + r.Combo3Text + "|" + r.Combo2Text, "Line Type|Offset Type|Offset Type");
  EXPECT_EQ(std::vector<int>({r.Combo1, r.Combo3, r.Combo2}), std::vector<int>({-1, -1, -1}));
  EXPECT_EQ(r.Text1 + r.Text2 + r.Text3 + r.Text4 + r.Text13 + r.Text16, "");
  EXPECT_EQ(r.List1, (std::array<bool, 5>{}));
}

TEST(GirderTable, StartStateAddRowAndCapacity) {
  GirderTable t;
  EXPECT_EQ(std::vector<int>({GirderRowCount(t), t.scroll.Max, t.scroll.Small, t.scroll.Large, t.scroll.Pos}),
            std::vector<int>({20, 3000, 100, 300, 0}));
  ExpectEmptied(t.rows[19]);
  ChooseGirderLineType(t.rows[0], kGirderSegmented);  // row 0's entries go to a new row
  ChooseGirderLineType(t.rows[1], kGirderFlared);
  ASSERT_TRUE(AddGirderRow(t));
  EXPECT_EQ(std::vector<int>({GirderRowCount(t), t.scroll.Max}), std::vector<int>({21, 3300}));
  ExpectEmptied(t.rows[20]);
  EXPECT_EQ(t.rows[20].Combo3Items, GirderOffsetTypeItemsFor(kGirderSegmented));
  EXPECT_TRUE(t.rows[20].Combo2Enabled);
  EXPECT_FALSE(t.rows[20].Text2Enabled);  // the text box follows row 0's
  while (AddGirderRow(t)) {
  }
  EXPECT_EQ(std::vector<int>({GirderRowCount(t), t.scroll.Max}), std::vector<int>({119, 32700}));
  // Room for one more step but not two: an insert is refused, a row still fits.
  t.scroll.Max = 32400;
  t.rows[5].Text4 = "KEPT";
  EXPECT_FALSE(InsertGirderRow(t, 5));
  EXPECT_EQ(std::vector<int>({GirderRowCount(t), t.scroll.Max}), std::vector<int>({119, 32400}));
  EXPECT_EQ(t.rows[5].Text4, "KEPT");
  EXPECT_TRUE(AddGirderRow(t));
  GirderTable fresh;  // no current row past the end
  EXPECT_FALSE(InsertGirderRow(fresh, 20));
  EXPECT_EQ(fresh.scroll.Max, 3000);
}

TEST(GirderTable, LineTypeChange) {
  for (int type = 0; type < 5; ++type) {
    SCOPED_TRACE(type);
    GirderTable t;
    GirderRow& r = t.rows[7];
    ChooseGirderLineType(r, kGirderOffsetVaries);
    ChooseGirderInitialOffsetType(r, 3);
    r.Text2 = "9";
    ChooseGirderTerminalOffsetType(r, 1);
    ChooseGirderLineType(r, type);
    EXPECT_EQ(r.Combo1Text, kGirderLineTypeItems[type]);
    EXPECT_EQ(r.Combo3Items,
              GirderOffsetTypeItemsFor(type == 1 ? kGirderSegmented : type == 4 ? kGirderOffsetVaries : -1));
    EXPECT_EQ(r.Combo3, -1);
    EXPECT_EQ(r.Combo3Text, "Offset Type");
    EXPECT_EQ(std::vector<bool>({r.Text2Enabled, r.Combo2Enabled}), std::vector<bool>(2, type == 3));
    EXPECT_EQ(r.Text2 + "|" + r.Combo2Text, "9|Norm. from LOL");  // contents stay
    EXPECT_TRUE(t.rows[6].Text2Enabled && t.rows[8].Text2Enabled) << "only the row itself";
  }
}

TEST(GirderTable, InsertAndDeleteRow) {
  const struct { bool insert; int current; const char* want; int flaredAt; } cases[] = {
      {true, 0, "|ROW 0|ROW 1|ROW 2|ROW 3|ROW 4", 3}, {true, 2, "ROW 0|ROW 1||ROW 2|ROW 3|ROW 4", 3},
      {true, 4, "ROW 0|ROW 1|ROW 2|ROW 3||ROW 4", 2}, {false, 0, "ROW 1|ROW 2|ROW 3|ROW 4||", 1},
      {false, 1, "ROW 0|ROW 2|ROW 3|ROW 4||", 1}, {false, 4, "ROW 0|ROW 1|ROW 2|ROW 3||", 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE((c.insert ? "insert at " : "delete at ") + std::to_string(c.current));
    GirderTable t = Filled();
    const GirderRow before = t.rows[c.current];
    if (c.insert) {
      ASSERT_TRUE(InsertGirderRow(t, c.current));
      ExpectEmptied(t.rows[c.current]);
      // The emptied row keeps its entries and the enabled state of its terminal cells.
      EXPECT_EQ(t.rows[c.current].Combo3Items, before.Combo3Items);
      EXPECT_EQ(t.rows[c.current].Text2Enabled, before.Text2Enabled);
    } else {
      DeleteGirderRow(t, c.current);
      ExpectEmptied(t.rows[19]);
    }
    EXPECT_EQ(std::vector<int>({GirderRowCount(t), t.scroll.Max}),
              std::vector<int>({c.insert ? 21 : 20, c.insert ? 3600 : 3000}));
    EXPECT_EQ(Descriptions(t, 6), c.want);
    // The flared row and the "Offset Varies" row below it moved whole.
    const GirderRow& r = t.rows[c.flaredAt];
    EXPECT_EQ(r.Combo1Text, "Flared Girder Line");
    EXPECT_TRUE(r.Text2Enabled && r.Combo2Enabled);
    EXPECT_EQ(r.Combo2Text + "|" + r.Text2 + "|" + r.Combo3Text, "Norm. from HCL|14.5|Norm. from LOL");
    EXPECT_EQ(r.Combo3Items, GirderOffsetTypeItemsFor(-1));
    EXPECT_TRUE(r.List1[2]);
    const GirderRow& varies = t.rows[c.flaredAt + 1];
    EXPECT_EQ(varies.Combo3Items, GirderOffsetTypeItemsFor(kGirderOffsetVaries));
    EXPECT_EQ(varies.Combo3Text, "Fr Pivot at Nom. CS");
    EXPECT_FALSE(varies.Text2Enabled);
  }
  // A moved row's initial offset type is chosen among the entries of its line type,
  // not among the entries it had (a "5" read on a parallel line gives these).
  GirderTable odd = Filled();
  ChooseGirderLineType(odd.rows[4], 0);
  odd.rows[4].Combo3Items = GirderOffsetTypeItemsFor(kGirderSegmented);
  ChooseGirderInitialOffsetType(odd.rows[4], 0);
  DeleteGirderRow(odd, 0);
  EXPECT_EQ(odd.rows[3].Combo3Items, GirderOffsetTypeItemsFor(-1));
  EXPECT_EQ(odd.rows[3].Combo3Text, "Bent from LOL");
  // Deleting the last row empties it but keeps its entries.
  GirderTable t = Filled();
  t.rows[19].Text4 = "LAST";
  ChooseGirderLineType(t.rows[19], kGirderSegmented);
  DeleteGirderRow(t, 19);
  ExpectEmptied(t.rows[19]);
  EXPECT_EQ(t.rows[19].Combo3Items, GirderOffsetTypeItemsFor(kGirderSegmented));
  EXPECT_EQ(Descriptions(t, 5), Descriptions(Filled(), 5));
}

}  // namespace
}  // namespace kv
