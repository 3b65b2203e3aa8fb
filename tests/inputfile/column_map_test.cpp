// The column map: the lines exactly as Save writes them, every field's place, and the
// findings with their lines and columns in file order.
#include "inputfile/column_map.h"

#include "tests/test_support.h"

namespace kv {
namespace {

using test::Data;
using test::Strings;

Strings Listed(const ColumnMap& m) {
  Strings out;
  for (const Finding& f : m.findings) out.push_back(FindingPlaceText(f) + ": " + DescribeFinding(f));
  return out;
}

// Lines 1-6 are the description; then "01" (7), "02", "03", "04" (10), one "05" (11),
// one "06" (12) and one "07" (13).
TEST(ColumnMap, FindingsInFileOrderWithTheirLinesAndColumns) {
  Project p;
  p.Horizontal.Radius = "12345.678";  // one column too many: the station equation moves right
  p.Horizontal.Back = "12+34+5";
  p.Horizontal.InSpiral = "   ";  // blanks stay blanks: nothing to say
  GirderTable& g = p.GirderLine;
  g.rows[0].Text4 = "G1", g.rows[0].Text1 = "x";
  g.rows[1].Text1 = "5";
  g.rows[2].Text4 = std::string(20, ' '), g.rows[2].List1[4] = true;
  g.rows[3].Combo1Text = "Segm";  // typed, nothing chosen: not a value
  p.BentLine.rows[1].Text4 = "P1", p.BentLine.rows[1].Text3 = "1..2";  // rows start with "L": not a value
  DeadLoadTable& d = p.DeadLoad;
  d.rows[0].Text3 = "1", d.rows[2].Text14 = "m", d.rows[4].Text13 = "2";

  const ColumnMap m = MapColumns(p);
  EXPECT_EQ(m.lines, WriteProjectLines(p).lines);
  EXPECT_EQ(m.lines[6].substr(51, 20), "12345.68" + std::string(12, ' '));
  EXPECT_EQ(Listed(m), (Strings{
      "line 7, columns 52-59: Horizontal, Radius: \"12345.678\" takes 8 columns; the field has 7",
      "line 7, columns 60-70: Horizontal, Back: \"12+34+5\" is not a number; written as 11 blanks",
      "line 11, columns 4-11: GirderLine row 1, Text1: \"x\" is not a number; written as 8 blanks",
      "after line 11: GirderLine row 2: not written; its description is empty",
      "after line 11: GirderLine row 3: not written; its description is empty",
      "line 12, columns 22-28: BentLine row 2, Text3: \"1..2\" is not a number; written as 7 blanks",
      "after line 13: DeadLoad row 3: not written; it comes after the empty row 2",
      "after line 13: DeadLoad row 5: not written; it comes after the empty row 2"}));
  const auto radius = m.FindingsOf("Horizontal", -1, "Radius"), row3 = m.FindingsOf("DeadLoad", 2, "Text7");
  ASSERT_TRUE(radius.size() == 1 && row3.size() == 1);
  EXPECT_EQ(radius[0]->kind, FindingKind::TooWide);
  EXPECT_EQ(row3[0]->kind, FindingKind::RowLeftOut);
}

// Every column of every record line from 3 on belongs to exactly one field, spare
// columns to none; a field's status names its code, columns and how it is written.
TEST(ColumnMap, EveryColumnBelongsToOneFieldAndEachFieldIsNamed) {
  for (const char* sample : {"bridge_english.dat", "overpass_metric.dat", "widest_english.dat", "widest_metric.dat"}) {
    SCOPED_TRACE(sample);
    Project p;
    ReadInputFile(Data(sample), p, test::kIgnore);
    const ColumnMap m = MapColumns(p);
    std::vector<std::vector<int>> cover(m.lines.size());
    for (std::size_t i = 0; i < m.lines.size(); ++i) cover[i].assign(m.lines[i].size() + 1, 0);
    const FieldPlace* last = nullptr;
    for (const FieldPlace& f : m.places) {
      // The other button of an option pair stands in the same column.
      const bool again = last && last->line == f.line && last->first == f.first && last->window == f.window;
      if (!again)
        for (int c = f.first; c < f.first + f.used; ++c) ++cover[std::size_t(f.line)].at(std::size_t(c));
      last = &f;
    }
    for (std::size_t i = 0; i < m.lines.size(); ++i) {
      const std::string& l = m.lines[i];
      if (l.compare(0, 2, "00") == 0) continue;
      for (int c = 3; c <= int(l.size()); ++c) {
        const bool spare = (l.compare(0, 2, "03") == 0 && l.size() > 21 && c >= 54 && c <= 56) ||
                           (l.compare(0, 2, "04") == 0 && c >= 32 && c <= 40) ||
                           (l.compare(0, 2, "07") == 0 && c >= 6 && c <= 14);
        EXPECT_EQ(cover[i][std::size_t(c)], spare ? 0 : 1) << "line " << i + 1 << " column " << c << ": " << l;
      }
    }
    if (std::string(sample) != "bridge_english.dat") continue;
    const std::tuple<const char*, int, const char*, std::string> named[] = {
        {"Horizontal", -1, "Radius", "01 Radius, columns 52-58, 7.2 digits"},
        {"Horizontal", -1, "PIStation", "01 PIStation, columns 13-23, 11 digits, 4 implied decimals"},
        {"Horizontal", -1, "Delta",
         "01 Delta, columns 4-12, angle, 3+2+4 digits: degrees, minutes, seconds with 2 implied decimals"},
        {"Horizontal", -1, "Option2", "01 Option2, columns 3, 1 character"},
        {"Description", -1, "ProjNum", "00 ProjNum, columns 13-20, 8 characters"},
        {"CrossTrans", 2, "OverRight", "03 OverRight row 3, columns 17-21, 5 digits, 4 implied decimals"},
        {"GirderLine", 0, "List1", "05 List1 row 1, columns 50, 51, 55, 56, 57, 1 character"},
        {"BentLine", 0, "Text3", "06 Text3 row 1, columns 22-24, 25-28, 3 digits"},
        {"DeadLoad", 2, "Text13", "07 Text13 row 3, columns 75-80, 6 digits, 3 implied decimals"},
        {"RoadAppr", -1, "BegStr", "08 BegStr, columns 3-9, 7 digits"},
        {"GirderLine", 5, "Text1", ""},  // a row without a description is not in the file
    };
    for (const auto& [window, row, field, want] : named)
      EXPECT_EQ(FieldPlaceText(m, m.Find(window, row, field)), want) << field;
    const FieldPlace* at = m.At(7, 55);
    ASSERT_NE(at, nullptr);
    EXPECT_EQ(std::string(at->field), "Radius");
    EXPECT_EQ(m.At(7, 81), nullptr);
  }
}

}  // namespace
}  // namespace kv
