#include "records/loads/deadload_editor.h"

#include "records/loads/deadload_table.h"

namespace kv {
namespace {

// In grid order (kDeadLoadCells): the codes, the units, tenth points 0 to 10.
struct ColumnPlace {
  int left, width;
};
constexpr ColumnPlace kPlaces[14] = {{0, 252},    {600, 252},  {1080, 252}, {1440, 852}, {2280, 972},
                                     {3240, 852}, {4080, 852}, {4920, 852}, {5760, 852}, {6600, 852},
                                     {7440, 852}, {8280, 732}, {9000, 732}, {9720, 732}};

const GridTableDesc<DeadLoadTable, DeadLoadRow>& Desc() {
  static const GridTableDesc<DeadLoadTable, DeadLoadRow> desc = [] {
    GridTableDesc<DeadLoadTable, DeadLoadRow> d{&DeadLoadTable::rows, &DeadLoadTable::scroll, AddDeadLoadRow,
                                                InsertDeadLoadRow, DeleteDeadLoadRow, {}};
    for (size_t c = 0; c < kDeadLoadCells.size(); ++c)
      d.columns.push_back({{GridColumn::Kind::TextBox, kDeadLoadCellNames[c], kPlaces[c].left, kPlaces[c].width},
                           {.text = kDeadLoadCells[c]}});
    d.columns[2].column.maxLength = kDeadLoadUnitsWidth;  // Text14, the units code
    return d;
  }();
  return desc;
}

// The tenth-point numbers under their common heading; the code headings are wider than
// their boxes and wrap.
constexpr auto kOver = Qt::AlignHCenter | Qt::AlignBottom;
constexpr int kButtonTop = 6000, kButtonHeight = 372;

const GridWindowLayout& Layout() {
  static const GridWindowLayout layout = {
      "DeadLoad", "Dead Load Deflection", 11325, 6450,
      {.frameLeft = 300, .frameTop = 720, .frameWidth = 10692, .frameHeight = 5136,
       // At the frame's right edge (positions inside the frame, on the window).
       .scrollLeft = 300 + 10440, .scrollTop = 720 + 120, .scrollWidth = 252, .scrollHeight = 4812,
       .rowTop = 120, .rowSpacing = 240, .rowHeight = 288, .initialRows = kDeadLoadInitialRows, .appendOffset = -20},
      {{"Text1Heading", "Girder Code", 120, 0, 612, 680, kOver, true},
       {"Text2Heading", "Bent Line Code", 720, 0, 612, 680, kOver, true},
       {"Text14Heading", "Units", 1200, 0, 612, 680, kOver, true},
       {"Text3Heading", "0", 1740, 420, 852, 260, kOver},
       {"Text4Heading", "1", 2580, 420, 972, 260, kOver},
       {"Text5Heading", "2", 3540, 420, 852, 260, kOver},
       {"Text6Heading", "3", 4380, 420, 852, 260, kOver},
       {"Text7Heading", "4", 5220, 420, 852, 260, kOver},
       {"Text8Heading", "5", 6060, 420, 852, 260, kOver},
       {"Text9Heading", "6", 6900, 420, 852, 260, kOver},
       {"Text10Heading", "7", 7740, 420, 852, 260, kOver},
       {"Text11Heading", "8", 8580, 420, 732, 260, kOver},
       {"Text12Heading", "9", 9300, 420, 732, 260, kOver},
       {"Text13Heading", "10", 10020, 420, 732, 260, kOver},
       {"DeflectionsHeading", "Deflections at Tenth Points", 300 + 1440, 120, 9012, 260, kOver}},
      {{"AddRecord", "Add Row", 2040, kButtonTop, 1332, kButtonHeight, GridButton::Role::Add},
       {"Delete", "Delete Row", 4080, kButtonTop, 1212, kButtonHeight, GridButton::Role::Delete},
       {"Insert", "Insert Row", 6000, kButtonTop, 1452, kButtonHeight, GridButton::Role::Insert},
       {"Command3", "Hide", 8160, kButtonTop, 1212, kButtonHeight, GridButton::Role::Hide}},
      true,
      "The dead load table is full: no more rows can be added.",
      {"Girder Code", "Bent Line Code", "Units", "Deflection at 0", "Deflection at 1", "Deflection at 2", "Deflection at 3", "Deflection at 4", "Deflection at 5", "Deflection at 6", "Deflection at 7", "Deflection at 8", "Deflection at 9", "Deflection at 10"}};
  return layout;
}

}  // namespace

DeadLoad::DeadLoad(Project& project, QWidget* parent)
    : GridWindow(project, Layout(), project.DeadLoad, Desc(), parent) {}

}  // namespace kv
