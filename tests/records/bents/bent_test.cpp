#include "records/bents/bent_record.h"
#include "records/bents/bent_table.h"

#include "tests/test_support.h"

namespace kv {
namespace {

using test::kDeg;
const std::string kDistWarn = "Warning: (06) Bent line data, distance type invalid.";
const std::string kSkewWarn = "Warning: (06) Skew direction invalid. Should be L or R";
const std::string kTypeWarn = "Warning: (06) Bent line data, skew type invalid.";

test::Strings Read(Project& p, const std::string& line, int n = 0) {
  return test::Warned([&](const WarningSink& w) { ReadBentRecord(test::Pad(line), n, p, w); });
}
test::Strings Written(const Project& p) { return test::Write(WriteBentRecords, p).lines; }

// Every cell of a row: combo texts and selections, the texts, then the options.
std::string Cells(const BentRow& r) {
  std::string options;
  for (bool b : r.List1) options += "01"[b];
  return test::Join({r.Combo1Text, std::to_string(r.Combo1), r.Combo2Text, std::to_string(r.Combo2), r.Text1, r.Text2,
                     r.Text3, r.Text4, r.Text5, r.Text6, r.Text7, r.Text8, options});
}

// Full lines in both units are in the golden dumps; here, codes and blanks.
TEST(BentRecord, CodesWarningsAndBlanks) {
  // Distance type preset to 2, skew type to 3; after reading: both, the skew direction.
  const struct { std::vector<std::pair<int, std::string>> at; const char* read; test::Strings warnings; char col11; }
      cases[] = {{{{11, "5"}, {12, "L"}}, "4 0 L", {}, '4'}, {{{11, "7"}, {12, "R"}, {21, "4"}}, "6 4 R", {}, '7'},
                 {{{11, "x"}, {12, "L"}}, "0 0 L", {}, '0'}, {{{11, "8"}, {12, "L"}}, "2 0 L", {kDistWarn}, '2'},
                 {{{12, "l"}}, "0 0 ", {kSkewWarn}, '0'},
                 {{{11, "9"}, {12, " "}, {21, "7"}}, "2 3 ", {kDistWarn, kSkewWarn, kTypeWarn}, '2'}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.read);
    Project p;
    SelectBentDistanceType(p.BentLine.rows[0], 2);
    SelectBentSkewType(p.BentLine.rows[0], 3);
    EXPECT_EQ(Read(p, test::Put(test::Put(test::Pad("06"), c.at), {{29, "PIER"}})), c.warnings);
    const BentRow& r = p.BentLine.rows[0];
    EXPECT_EQ(std::to_string(r.Combo1) + " " + std::to_string(r.Combo2) + " " + r.Text7, c.read);
    EXPECT_EQ(Written(p).at(0)[10], c.col11);
  }
  // A blank DL column is no text; the other blank one-column fields stay blanks; blank
  // option columns leave an option selected.
  Project p;
  p.BentLine.rows[0].List1[0] = true;
  Read(p, test::Put(test::Pad("06"), {{12, "L"}}));
  EXPECT_EQ(Cells(p.BentLine.rows[0]),
            "Horiz. Control|0|Default|0|0|0" + kDeg + " 0' 0.00\"|0|          | ||L|  |1000");
}

TEST(BentRecord, WritesExactColumnsAndRoundTrips) {
  // Fractional points: a fraction in 7 columns, a whole number in the first 3.
  const struct { const char *text, *columns, *readBack; } points[] = {
      {"5", "  5    ", "5"}, {"5.25", "  52500", "5.25"}, {"0.5", "  05000", "0.5"}, {"-3", " -3    ", "-3"},
      {"", "       ", "0"}, {"abc", "       ", "0"}};
  for (const auto& c : points) {
    Project p;
    p.BentLine.rows[0].Text4 = "PIER";
    p.BentLine.rows[0].Text3 = c.text;
    const std::string line = Written(p).at(0);
    EXPECT_EQ(line.substr(21, 7), c.columns) << c.text;
    Read(p, line);
    EXPECT_EQ(p.BentLine.rows[0].Text3, c.readBack) << c.text;
  }
  Project p;
  BentRow& r = p.BentLine.rows[1];
  SelectBentDistanceType(r, 6), SelectBentSkewType(r, 2);
  r.Text1 = "85", r.Text7 = "R", r.Text2 = "12" + kDeg + " 30' 15.5\"", r.Text3 = "10";
  r.Text4 = "PIER 2 EXTRA";  // ten characters are kept
  r.List1 = {true, false, false, true};
  r.Text5 = "B", r.Text6 = "2", r.Text8 = "S2";
  p.BentLine.rows[3].Text4 = "ABUT", p.BentLine.rows[3].Text8 = "S";
  p.BentLine.rows[5].Text4 = std::string(10, ' ');  // no description: not written
  const test::Strings english = {"06  8500007R123015502 10    PIER 2 EXTX  XB2S2",
                                 "06         L 0 0 000        ABUT            S "};
  EXPECT_EQ(Written(p), english);
  r.Text8 = "  ";  // a blank sec. ref. is one blank ending the line
  EXPECT_EQ(Written(p).at(0), english[0].substr(0, 44) + " ");
}

TEST(BentTable, AddRowAndCapacity) {
  BentTable t;
  EXPECT_EQ(Cells(t.rows[19]), "Distance Type|-1|Skew Type|-1|||||||L||0000");
  SelectBentDistanceType(t.rows[0], 2);
  ASSERT_TRUE(AddBentRow(t));
  EXPECT_EQ(Cells(t.rows[20]), "Back Tangent|-1|Skew Type|-1|||||||||0000");  // row 0's text, nothing selected
  EXPECT_EQ(t.scroll.Max, 3300);
  while (AddBentRow(t)) continue;
  EXPECT_EQ(test::Ints({BentRowCount(t), t.scroll.Max}), test::Ints({119, 32700}));
  // Room for one more step but not two: an insert is refused, a row still fits.
  t.scroll.Max = 32400;
  EXPECT_FALSE(InsertBentRow(t, 0));
  EXPECT_EQ(test::Ints({BentRowCount(t), t.rows[0].Combo1}), test::Ints({119, 2}));
  EXPECT_TRUE(AddBentRow(t));
}

// Every field moves with its row; the emptied row shows the prompts and no texts but
// keeps its options. Rows 0..3 carry their index, a skew type and one option.
TEST(BentTable, InsertAndDeleteRow) {
  BentTable before;
  for (int i = 0; i < 4; ++i) {
    before.rows[i].Text4 = "ROW " + std::to_string(i), before.rows[i].List1[i] = true;
    SelectBentSkewType(before.rows[i], i + 1);
  }
  before.rows[19].Text4 = "LAST", before.rows[19].Text7 = "R", before.rows[19].List1 = {true, true, false, false};
  test::EachInsertAndDelete(before, {0, 2, 19}, InsertBentRow, DeleteBentRow,
                            [&](std::vector<BentRow>& want, bool insert, int current) {
    want[insert ? current : 19].List1 = before.rows[insert ? current : 19].List1;
  }, Cells);
}

}  // namespace
}  // namespace kv
