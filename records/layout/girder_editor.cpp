#include "records/layout/girder_editor.h"

#include "records/layout/girder_table.h"

namespace kv {
namespace {

template <std::size_t N>
QStringList Items(const std::array<const char*, N>& a) {
  QStringList out;
  for (const char* s : a) out << QString::fromLatin1(s);
  return out;
}

// Cells sit in Frame1 at 240 × row, 288 high (the option list 255); a row appended goes
// 288 - 50 below the last one. The columns in the order a row's cells are made and moved;
// choosing a line type runs the line-type change, which gives the row its initial offset
// types and its terminal cells' states.
const GridTableDesc<GirderTable, GirderRow>& Desc() {
  using K = GridColumn::Kind;
  using R = GirderRow;
  static const QString type = QString::fromLatin1(kGirderLineTypePrompt);
  static const QString offset = QString::fromLatin1(kGirderOffsetTypePrompt);
  static const GridTableDesc<GirderTable, GirderRow> desc = {
      &GirderTable::rows, &GirderTable::scroll, AddGirderRow, InsertGirderRow, DeleteGirderRow,
      {{{K::DropDown, "Combo1", 0, 1332, "", type, Items(kGirderLineTypeItems), "", true},
        {.chosen = &R::Combo1, .shown = &R::Combo1Text, .pick = ChooseGirderLineType, .pickChangesRow = true}},
       {{K::TextBox, "Text1", 1320, 852}, {.text = &R::Text1}},
       {{K::DropDown, "Combo3", 2160, 1092, "", offset, Items(kGirderOffsetTypeItems), "", true},
        {.chosen = &R::Combo3, .shown = &R::Combo3Text, .pick = ChooseGirderInitialOffsetType,
         .entries = &R::Combo3Items}},
       {{K::TextBox, "Text2", 3240, 1092}, {.text = &R::Text2, .enabled = &R::Text2Enabled}},
       {{K::DropDown, "Combo2", 4320, 1092, "", offset, Items(kGirderOffsetTypeItems), "", true},
        {.chosen = &R::Combo2, .shown = &R::Combo2Text, .pick = ChooseGirderTerminalOffsetType,
         .enabled = &R::Combo2Enabled}},
       {{K::TextBox, "Text3", 5400, 972}, {.text = &R::Text3}},
       {{K::TextBox, "Text4", 6360, 1212}, {.text = &R::Text4}},
       {{.name = "Text13", .left = 7560, .width = 492, .fixedFont = "Courier New"}, {.text = &R::Text13}},
       {{K::TextBox, "Text16", 8040, 252}, {.text = &R::Text16}},
       {{K::MultiList, "List1", 8400, 1692, "", "", Items(kGirderOptionItems), "", false, 255},
        {.options = [](R& r) { return std::span<bool>(r.List1); }}}}};
  return desc;
}

constexpr auto kTop = Qt::AlignLeft | Qt::AlignTop;
constexpr int kButtonTop = 5760, kButtonWidth = 1452, kButtonHeight = 372;

// Headings at the lefts and tops the window has always had; widths and heights leave room
// for the wrapped two- and three-line headings, the narrow columns' in a smaller font.
const GridWindowLayout& Layout() {
  static const GridWindowLayout layout = {
      "GirderLine", "Girder Line", 10692, 6420,
      {.frameLeft = 120, .frameTop = 720, .frameWidth = 10452, .frameHeight = 4932,
       // Inside the frame, at its right edge, over the option lists.
       .scrollLeft = 10080, .scrollTop = 0, .scrollWidth = 255, .scrollHeight = 4812, .scrollInFrame = true,
       .rowTop = 0, .rowSpacing = 240, .rowHeight = 288, .initialRows = kGirderInitialRows, .appendOffset = -50},
      {{"lblLineType", "Line Type", 120, 360, 1200, 300, kTop, true},
       {"lblOffsetDistance", "Offset Distance", 2520, 120, 1800, 255, kTop, true},
       {"lblInitial", "Initial", 2040, 360, 900, 300, kTop, true},
       {"lblTerminal", "Terminal", 3960, 360, 1000, 300, kTop, true},
       {"lblElevationShift", "Elevation Shift", 5520, 120, 840, 580, kTop, true},
       {"lblDescription", "Description", 6360, 360, 1200, 300, kTop, true},
       {"lblFracPoints", "X-Type Frac. Points", 7560, 0, 540, 700, kTop, true, true},
       {"lblDLChar", "DL Char.", 8040, 240, 420, 460, kTop, true, true},
       {"lblOptions", "Options", 8520, 360, 1500, 300, kTop, true}},
      {{"AddRecord", "Add New Row", 1440, kButtonTop, kButtonWidth, kButtonHeight, GridButton::Role::Add},
       {"Delete", "Delete Row", 3720, kButtonTop, kButtonWidth, kButtonHeight, GridButton::Role::Delete},
       {"Insert", "Insert Row", 5640, kButtonTop, kButtonWidth, kButtonHeight, GridButton::Role::Insert},
       {"Command3", "Hide", 7800, kButtonTop, kButtonWidth, kButtonHeight, GridButton::Role::Hide}},
      false,
      "The girder line table is full: no more rows can be added.",
      {"Line Type", "Initial Offset Distance", "Initial Offset Type", "Terminal Offset Distance", "Terminal Offset Type", "Elevation Shift", "Description", "X-Type Frac. Points", "DL Char.", "Options"}};
  return layout;
}

}  // namespace

GirderLine::GirderLine(Project& project, QWidget* parent)
    : GridWindow(project, Layout(), project.GirderLine, Desc(), parent) {}

}  // namespace kv
