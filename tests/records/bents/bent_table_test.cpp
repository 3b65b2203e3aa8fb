#include "records/bents/bent_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv {
namespace {

// Rows 0..3 carry their index in the description, a skew type and one option.
BentTable Filled() {
  BentTable t;
  for (int i = 0; i < 4; ++i) {
    t.rows[i].Text4 = "ROW " + std::to_string(i);
    SelectBentSkewType(t.rows[i], i + 1);
    t.rows[i].List1[i] = true;
  }
  return t;
}

std::vector<std::string> Descriptions(const BentTable& t) {
  std::vector<std::string> d;
  for (int i = 0; i < 5; ++i) d.push_back(t.rows[i].Text4);
  return d;
}

// An emptied row shows the prompts and no texts; its options stay.
void ExpectEmptied(const BentRow& r) {
  EXPECT_EQ(r.Combo1Text + "|" + r.Combo2Text, "Distance Type|Skew Type");
  EXPECT_EQ(std::vector<int>({r.Combo1, r.Combo2}), std::vector<int>({-1, -1}));
  EXPECT_EQ(r.Text1 + r.Text2 + r.Text3 + r.Text4 + r.Text5 + r.Text6 + r.Text7 + r.Text8, "");
}

TEST(BentTable, AddRowAndCapacity) {
  BentTable t;
  EXPECT_EQ(t.rows[19].Text7 + "|" + t.rows[19].Combo1Text, "L|Distance Type");
  SelectBentDistanceType(t.rows[0], 2);
  ASSERT_TRUE(AddBentRow(t));
  EXPECT_EQ(t.rows[20].Combo1Text, "Back Tangent");  // row 0's text, nothing selected
  EXPECT_EQ(t.rows[20].Combo1, -1);
  EXPECT_EQ(t.rows[20].Text7, "");
  EXPECT_EQ(t.scroll.Max, 3300);
  while (AddBentRow(t)) {
  }
  EXPECT_EQ(BentRowCount(t), 119);
  EXPECT_EQ(t.scroll.Max, 32700);
  // Room for one more step but not two: an insert is refused, a row still fits.
  t.scroll.Max = 32400;
  EXPECT_FALSE(InsertBentRow(t, 0));
  EXPECT_EQ(BentRowCount(t), 119);
  EXPECT_EQ(t.rows[0].Combo1, 2);
  EXPECT_TRUE(AddBentRow(t));
}

TEST(BentTable, InsertAndDeleteRow) {
  const struct { int current; std::vector<std::string> want; } inserts[] = {
      {0, {"", "ROW 0", "ROW 1", "ROW 2", "ROW 3"}},
      {2, {"ROW 0", "ROW 1", "", "ROW 2", "ROW 3"}},
      {19, {"ROW 0", "ROW 1", "ROW 2", "ROW 3", ""}}};
  for (const auto& c : inserts) {
    SCOPED_TRACE("insert at " + std::to_string(c.current));
    BentTable t = Filled();
    t.rows[19].Text7 = "R";
    const BentRow before = t.rows[c.current];
    ASSERT_TRUE(InsertBentRow(t, c.current));
    EXPECT_EQ(BentRowCount(t), 21);
    EXPECT_EQ(t.scroll.Max, 3600);
    EXPECT_EQ(Descriptions(t), c.want);
    const BentRow& moved = t.rows[c.current + 1];
    EXPECT_EQ(moved.Combo2, before.Combo2);
    EXPECT_EQ(moved.Text7, before.Text7);
    EXPECT_EQ(moved.List1, before.List1);
    ExpectEmptied(t.rows[c.current]);
    EXPECT_EQ(t.rows[c.current].List1, before.List1);
  }
  const struct { int current; std::vector<std::string> want; } deletes[] = {
      {0, {"ROW 1", "ROW 2", "ROW 3", "", ""}},
      {2, {"ROW 0", "ROW 1", "ROW 3", "", ""}},
      {19, {"ROW 0", "ROW 1", "ROW 2", "ROW 3", ""}}};
  for (const auto& c : deletes) {
    SCOPED_TRACE("delete at " + std::to_string(c.current));
    BentTable t = Filled();
    t.rows[19].Text4 = "LAST";
    t.rows[19].List1 = {true, true, false, false};
    const BentRow below = t.rows[std::min(c.current + 1, 19)];
    DeleteBentRow(t, c.current);
    EXPECT_EQ(Descriptions(t), c.want);
    EXPECT_EQ(t.rows[18].Text4, c.current == 19 ? "" : "LAST");
    if (c.current < 19) {
      EXPECT_EQ(t.rows[c.current].Combo2, below.Combo2);
      EXPECT_EQ(t.rows[c.current].List1, below.List1);
    }
    ExpectEmptied(t.rows[19]);
    EXPECT_EQ(t.rows[19].List1, (std::array<bool, 4>{true, true, false, false}));
    EXPECT_EQ(BentRowCount(t), 20);
    EXPECT_EQ(t.scroll.Max, 3000);
  }
}

}  // namespace
}  // namespace kv
