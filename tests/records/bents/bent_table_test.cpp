#include "records/bents/bent_table.h"

#include "tests/test_support.h"

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
  t.rows[19].Text4 = "LAST", t.rows[19].Text7 = "R";
  return t;
}

std::string Descriptions(const BentTable& t) {
  return test::Join({t.rows[0].Text4, t.rows[1].Text4, t.rows[2].Text4, t.rows[3].Text4, t.rows[4].Text4});
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
  EXPECT_EQ(std::vector<int>({BentRowCount(t), t.scroll.Max}), std::vector<int>({119, 32700}));
  // Room for one more step but not two: an insert is refused, a row still fits.
  t.scroll.Max = 32400;
  EXPECT_FALSE(InsertBentRow(t, 0));
  EXPECT_EQ(BentRowCount(t), 119);
  EXPECT_EQ(t.rows[0].Combo1, 2);
  EXPECT_TRUE(AddBentRow(t));
}

TEST(BentTable, InsertAndDeleteRow) {
  const struct { bool insert; int current; const char* want; } cases[] = {
      {true, 0, "|ROW 0|ROW 1|ROW 2|ROW 3"}, {true, 2, "ROW 0|ROW 1||ROW 2|ROW 3"},
      {true, 19, "ROW 0|ROW 1|ROW 2|ROW 3|"}, {false, 0, "ROW 1|ROW 2|ROW 3||"},
      {false, 2, "ROW 0|ROW 1|ROW 3||"}, {false, 19, "ROW 0|ROW 1|ROW 2|ROW 3|"}};
  for (const auto& c : cases) {
    SCOPED_TRACE((c.insert ? "insert at " : "delete at ") + std::to_string(c.current));
    BentTable t = Filled();
    t.rows[19].List1 = {true, true, false, false};
    const BentRow before = t.rows[c.current], below = t.rows[std::min(c.current + 1, 19)];
    if (c.insert) {
      ASSERT_TRUE(InsertBentRow(t, c.current));
      // Every field moves with its row; the emptied row keeps its options.
      const BentRow& moved = t.rows[c.current + 1];
      EXPECT_EQ(moved.Combo2, before.Combo2);
      EXPECT_EQ(moved.Text7, before.Text7);
      EXPECT_EQ(moved.List1, before.List1);
      ExpectEmptied(t.rows[c.current]);
      EXPECT_EQ(t.rows[c.current].List1, before.List1);
    } else {
      DeleteBentRow(t, c.current);
      EXPECT_EQ(t.rows[18].Text4, c.current == 19 ? "" : "LAST");
      if (c.current < 19) {
        EXPECT_EQ(t.rows[c.current].Combo2, below.Combo2);
        EXPECT_EQ(t.rows[c.current].List1, below.List1);
      }
      ExpectEmptied(t.rows[19]);
      EXPECT_EQ(t.rows[19].List1, (std::array<bool, 4>{true, true, false, false}));
    }
    EXPECT_EQ(Descriptions(t), c.want);
    EXPECT_EQ(std::vector<int>({BentRowCount(t), t.scroll.Max}),
              std::vector<int>({c.insert ? 21 : 20, c.insert ? 3600 : 3000}));
  }
}

}  // namespace
}  // namespace kv
