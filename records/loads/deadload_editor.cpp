#include "records/loads/deadload_editor.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "app/editor_widgets.h"
#include "app/settings.h"

namespace kv {
namespace {

// Layout in twips.
constexpr int kClientWidth = 11325;
constexpr int kClientHeight = 6450;
constexpr int kFrameLeft = 300;
constexpr int kFrameTop = 720;
constexpr int kButtonTop = 6000;
constexpr int kButtonHeight = 372;

struct ColumnPlace {
  int left, width;
  const char* heading;
};
// In grid order (kDeadLoadCellNames): the codes, the units, tenth points 0 to 10.
constexpr ColumnPlace kPlaces[14] = {
    {0, 252, "Girder Code"}, {600, 252, "Bent Line Code"}, {1080, 252, "Units"}, {1440, 852, "0"},
    {2280, 972, "1"},        {3240, 852, "2"},             {4080, 852, "3"},     {4920, 852, "4"},
    {5760, 852, "5"},        {6600, 852, "6"},             {7440, 852, "7"},     {8280, 732, "8"},
    {9000, 732, "9"},        {9720, 732, "10"}};

std::vector<GridColumn> Columns() {
  std::vector<GridColumn> out;
  for (size_t c = 0; c < kDeadLoadCellNames.size(); ++c)
    out.push_back({GridColumn::Kind::TextBox, kDeadLoadCellNames[c], kPlaces[c].left, kPlaces[c].width,
                   kPlaces[c].heading});
  for (GridColumn& c : out)
    if (c.name == QLatin1String("Text14")) c.maxLength = kDeadLoadUnitsWidth;
  return out;
}

GridGeometry Geometry(const GridScroll& s) {
  GridGeometry g;
  g.frameLeft = kFrameLeft;
  g.frameTop = kFrameTop;
  g.frameWidth = 10692;
  g.frameHeight = 5136;
  // At the frame's right edge (positions inside the frame, on the window).
  g.scrollLeft = kFrameLeft + 10440;
  g.scrollTop = kFrameTop + 120;
  g.scrollWidth = 252;
  g.scrollHeight = 4812;
  g.ScrollFrom(s);
  g.rowTop = 120;
  g.rowSpacing = 240;
  g.rowHeight = 288;
  g.appendOffset = -20;
  // The tenth-point numbers sit under the common heading.
  g.headingTop = 420;
  g.headingHeight = 260;
  return g;
}

// The three code headings are wider than their boxes and wrap, bottom-aligned.
struct Wide {
  const char* column;
  int left, width;  // twips inside the frame
};
constexpr Wide kWideHeadings[] = {{"Text1", -180, 612}, {"Text2", 420, 612}, {"Text14", 900, 612}};

struct Button {
  const char* name;
  const char* caption;
  int left, width;
};
constexpr Button kButtons[] = {{"AddRecord", "Add Row", 2040, 1332},
                               {"Delete", "Delete Row", 4080, 1212},
                               {"Insert", "Insert Row", 6000, 1452},
                               {"Command3", "Hide", 8160, 1212}};

constexpr const char* kFullMessage = "The dead load table is full: no more rows can be added.";

}  // namespace

DeadLoad::DeadLoad(Project& project, QWidget* parent) : EditorWindow(project, parent) {
  setWindowTitle(QStringLiteral("Dead Load Deflection"));
  setFixedSize(TwipsToPixels(kClientWidth, logicalDpiX()), TwipsToPixels(kClientHeight, logicalDpiY()));

  grid_ = new ControlGrid(this, Columns(), Geometry(project.DeadLoad.scroll));
  auto* common = new QLabel(QStringLiteral("Deflections at Tenth Points"), this);
  common->setObjectName(QStringLiteral("DeflectionsHeading"));
  common->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
  PlaceTwips(common, kFrameLeft + 1440, 120, 9012, 260);
  for (size_t c = 3; c < kDeadLoadCellNames.size(); ++c)
    if (auto* l = findChild<QLabel*>(QString::fromLatin1(kDeadLoadCellNames[c]) + "Heading"))
      l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
  for (const Wide& w : kWideHeadings) {
    auto* l = findChild<QLabel*>(QString::fromLatin1(w.column) + "Heading");
    if (l == nullptr) continue;
    l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    l->setWordWrap(true);
    PlaceTwips(l, kFrameLeft + w.left, 0, w.width, kFrameTop - 40);
  }

  for (const Button& b : kButtons) {
    auto* button = new QPushButton(QString::fromLatin1(b.caption), this);
    button->setObjectName(QString::fromLatin1(b.name));
    PlaceTwips(button, b.left, kButtonTop, b.width, kButtonHeight);
  }
  connect(findChild<QPushButton*>("AddRecord"), &QPushButton::clicked, this, &DeadLoad::AddRecord_Click);
  connect(findChild<QPushButton*>("Insert"), &QPushButton::clicked, this, &DeadLoad::Insert_Click);
  connect(findChild<QPushButton*>("Delete"), &QPushButton::clicked, this, &DeadLoad::Delete_Click);
  connect(findChild<QPushButton*>("Command3"), &QPushButton::clicked, this, &EditorWindow::HideEditor);

  connect(grid_, &ControlGrid::CellEdited, this, &DeadLoad::CellEdited);
  connect(grid_->ScrollBar(), &QScrollBar::valueChanged, this, &DeadLoad::VScroll1_Change);

  grid_->AddInitialRows(kDeadLoadInitialRows);
  Refresh();
}

void DeadLoad::ShowRowsFrom(int first) {
  const DeadLoadTable& t = project().DeadLoad;
  for (int i = std::max(first, 0); i < grid_->RowCount(); ++i)
    for (size_t c = 0; c < kDeadLoadCells.size(); ++c)
      grid_->SetCellText(i, static_cast<int>(c), QString::fromLatin1(t.rows[i].*kDeadLoadCells[c]));
}

void DeadLoad::CellEdited(int row, int column) {
  DeadLoadTable& t = project().DeadLoad;
  if (refreshing_ || row < 0 || row >= DeadLoadRowCount(t)) return;
  t.rows[row].*kDeadLoadCells[column] = grid_->CellText(row, column).toLatin1().toStdString();
}

void DeadLoad::SyncMaximum() { grid_->ScrollBar()->setMaximum(project().DeadLoad.scroll.Max); }

void DeadLoad::Refresh() {
  const DeadLoadTable& t = project().DeadLoad;
  const int n = DeadLoadRowCount(t);
  refreshing_ = true;
  grid_->TrimRows(n);
  SyncMaximum();
  grid_->ScrollBar()->setValue(t.scroll.Pos);  // moves the rows to the scroll value held
  while (grid_->RowCount() < n) grid_->AddRow();
  ShowRowsFrom(0);
  refreshing_ = false;
}

void DeadLoad::AddRecord_Click() {
  if (!AddDeadLoadRow(project().DeadLoad)) {
    ShowMessage(QString::fromLatin1(kFullMessage));
    return;
  }
  ShowRowsFrom(grid_->AddRow());
  SyncMaximum();
  emit Edited();
}

void DeadLoad::Insert_Click() {
  const int at = grid_->CurrentRow();
  if (!InsertDeadLoadRow(project().DeadLoad, at)) {
    ShowMessage(QString::fromLatin1(kFullMessage));
    return;
  }
  grid_->AddRow();
  ShowRowsFrom(at);
  SyncMaximum();
  emit Edited();
}

void DeadLoad::Delete_Click() {
  const int at = grid_->CurrentRow();
  DeleteDeadLoadRow(project().DeadLoad, at);
  ShowRowsFrom(at);
  emit Edited();
}

void DeadLoad::VScroll1_Change(int value) {
  // The grid has moved the boxes; the project keeps the value it applied.
  if (!refreshing_) project().DeadLoad.scroll.Pos = static_cast<int16_t>(value);
}

}  // namespace kv
