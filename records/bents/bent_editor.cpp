#include "records/bents/bent_editor.h"

#include "records/bents/bent_table.h"

namespace kv {
namespace {

template <size_t N>
QStringList Items(const std::array<const char*, N>& items) {
  QStringList out;
  for (const char* item : items) out << QString::fromLatin1(item);
  return out;
}

// Columns in grid order, left to right. Both drop-downs accept typing; only a chosen
// item is written to the file.
const GridTableDesc<BentTable, BentRow>& Desc() {
  using K = GridColumn::Kind;
  using R = BentRow;
  static const GridTableDesc<BentTable, BentRow> desc = {
      &BentTable::rows, &BentTable::scroll, AddBentRow, InsertBentRow, DeleteBentRow,
      {{{K::TextBox, "Text1", 0, 852}, {.text = &R::Text1}},
       {{K::DropDown, "Combo1", 840, 1572, "", kBentDistancePrompt, Items(kBentDistanceTypeItems), "", true},
        {.chosen = &R::Combo1, .shown = &R::Combo1Text, .pick = SelectBentDistanceType}},
       {{K::TextBox, "Text7", 2400, 252}, {.text = &R::Text7}},
       {{K::TextBox, "Text2", 2640, 1092}, {.text = &R::Text2}},
       {{K::DropDown, "Combo2", 3720, 1332, "", kBentSkewPrompt, Items(kBentSkewTypeItems), "", true},
        {.chosen = &R::Combo2, .shown = &R::Combo2Text, .pick = SelectBentSkewType}},
       {{K::TextBox, "Text3", 5040, 612}, {.text = &R::Text3}},
       {{K::TextBox, "Text4", 5640, 1212}, {.text = &R::Text4}},
       {{K::TextBox, "Text5", 6840, 612}, {.text = &R::Text5}},
       {{K::TextBox, "Text6", 7440, 492}, {.text = &R::Text6}},
       {{K::TextBox, "Text8", 7920, 612}, {.text = &R::Text8}},
       {{K::MultiList, "List1", 8520, 1692, "", "", Items(kBentOptionItems)},
        {.options = [](R& r) { return std::span<bool>(r.List1); }}}}};
  return desc;
}

// Each heading centred over its columns, at least 900 wide, wrapping onto a second line.
constexpr auto kOver = Qt::AlignHCenter | Qt::AlignBottom;
constexpr int kButtonTop = 5880, kButtonHeight = 372;

const GridWindowLayout& Layout() {
  static const GridWindowLayout layout = {
      "BentLine", "Bent Line Data", 11325, 6450,
      {.frameLeft = 240, .frameTop = 720, .frameWidth = 10692, .frameHeight = 4932,
       // Beside the rows, at the frame's right (positions inside the frame, on the window).
       .scrollLeft = 240 + 10320, .scrollTop = 720 + 120, .scrollWidth = 252, .scrollHeight = 4692,
       .rowTop = 120, .rowSpacing = 240, .rowHeight = 288, .initialRows = kBentInitialRows, .appendOffset = -20},
      {{"Text1Heading", "Distance", 240, 60, 2412, 630, kOver, true},
       {"Text7Heading", "Skew", 2640, 60, 2652, 630, kOver, true},
       {"Text3Heading", "Fractional Points", 5136, 60, 900, 630, kOver, true},
       {"Text4Heading", "Description", 5880, 60, 1212, 630, kOver, true},
       {"Text5Heading", "Sel. Intersect", 6936, 60, 900, 630, kOver, true},
       {"Text6Heading", "DL", 7476, 60, 900, 630, kOver, true},
       {"Text8Heading", "Sec. Ref.", 8016, 60, 900, 630, kOver, true},
       {"List1Heading", "Options", 8760, 60, 1692, 630, kOver, true}},
      {{"AddRecord", "Add Row", 1440, kButtonTop, 1332, kButtonHeight, GridButton::Role::Add},
       {"Delete", "Delete Row", 3720, kButtonTop, 1212, kButtonHeight, GridButton::Role::Delete},
       {"Insert", "Insert Row", 5640, kButtonTop, 1452, kButtonHeight, GridButton::Role::Insert},
       {"Command1", "Hide", 7800, kButtonTop, 1212, kButtonHeight, GridButton::Role::Hide}},
      true,
      "The bent line table is full: no more rows can be added.",
      {"Distance", "Distance Type", "Skew Direction", "Skew Angle", "Skew Type", "Fractional Points", "Description", "Sel. Intersect", "DL", "Sec. Ref.", "Options"}};
  return layout;
}

}  // namespace

BentLine::BentLine(Project& project, QWidget* parent)
    : GridWindow(project, Layout(), project.BentLine, Desc(), parent) {}

}  // namespace kv
