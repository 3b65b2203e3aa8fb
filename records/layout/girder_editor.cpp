#include "records/layout/girder_editor.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

#include "app/control_grid.h"
#include "app/editor_widgets.h"
#include "app/frm_main.h"
#include "app/settings.h"
#include "records/layout/girder_table.h"

namespace kv {
namespace {

// Layout in twips. Cells sit in Frame1 at 240 × row, 288 high (the option list 255);
// a row appended goes 288 - 50 below the last one.
constexpr int kClientWidth = 10692;
constexpr int kClientHeight = 6420;
constexpr int kFrameLeft = 120;
constexpr int kFrameTop = 720;
constexpr int kFrameWidth = 10452;
constexpr int kFrameHeight = 4932;
constexpr int kRowPitch = 240;
constexpr int kCellHeight = 288;
constexpr int kListHeight = 255;
constexpr int kAppendOffset = -50;
constexpr int kButtonTop = 5760;
constexpr int kButtonWidth = 1452;
constexpr int kButtonHeight = 372;

// Grid columns, in the order a row's cells are made and moved.
enum Column { kCombo1, kText1, kCombo3, kText2, kCombo2, kText3, kText4, kText13, kText16, kList1 };

template <std::size_t N>
QStringList Items(const std::array<const char*, N>& a) {
  QStringList out;
  for (const char* s : a) out << QString::fromLatin1(s);
  return out;
}

std::vector<GridColumn> Columns() {
  using K = GridColumn::Kind;
  const QString type = QString::fromLatin1(kGirderLineTypePrompt);
  const QString offset = QString::fromLatin1(kGirderOffsetTypePrompt);
  std::vector<GridColumn> c = {
      {K::DropDown, "Combo1", 0, 1332, "", type, Items(kGirderLineTypeItems)},
      {K::TextBox, "Text1", 1320, 852},
      {K::DropDown, "Combo3", 2160, 1092, "", offset, Items(kGirderOffsetTypeItems)},
      {K::TextBox, "Text2", 3240, 1092},
      {K::DropDown, "Combo2", 4320, 1092, "", offset, Items(kGirderOffsetTypeItems)},
      {K::TextBox, "Text3", 5400, 972},
      {K::TextBox, "Text4", 6360, 1212},
      {K::TextBox, "Text13", 7560, 492},
      {K::TextBox, "Text16", 8040, 252},
      {K::MultiList, "List1", 8400, 1692, "", "", Items(kGirderOptionItems)},
  };
  for (int k : {kCombo1, kCombo3, kCombo2}) c[k].editable = true;
  c[kList1].height = kListHeight;
  return c;
}

GridGeometry Geometry(const GridScroll& s) {
  GridGeometry g;
  g.frameLeft = kFrameLeft;
  g.frameTop = kFrameTop;
  g.frameWidth = kFrameWidth;
  g.frameHeight = kFrameHeight;
  g.ScrollFrom(s);
  g.rowTop = 0;
  g.rowSpacing = kRowPitch;
  g.rowHeight = kCellHeight;
  g.appendOffset = kAppendOffset;
  return g;
}

struct Heading {
  const char* name;
  const char* text;
  int left, top, width, height;  // twips, in the window
};
// The lefts and tops the window has always had; widths and heights leave room for the
// wrapped two- and three-line headings.
constexpr std::array<Heading, 9> kHeadings = {{
    {"lblLineType", "Line Type", 120, 360, 1200, 300},
    {"lblOffsetDistance", "Offset Distance", 2520, 120, 1800, 255},
    {"lblInitial", "Initial", 2040, 360, 900, 300},
    {"lblTerminal", "Terminal", 3960, 360, 1000, 300},
    {"lblElevationShift", "Elevation Shift", 5520, 120, 840, 580},
    {"lblDescription", "Description", 6360, 360, 1200, 300},
    {"lblFracPoints", "X-Type Frac. Points", 7560, 0, 540, 700},
    {"lblDLChar", "DL Char.", 8040, 240, 420, 460},
    {"lblOptions", "Options", 8520, 360, 1500, 300},
}};

struct Button {
  const char* name;
  const char* caption;
  int left;
};
constexpr std::array<Button, 4> kButtons = {{
    {"AddRecord", "Add New Row", 1440},
    {"Delete", "Delete Row", 3720},
    {"Insert", "Insert Row", 5640},
    {"Command3", "Hide", 7800},
}};

constexpr const char* kFullMessage = "The girder line table is full: no more rows can be added.";

std::string Latin1(const QString& s) { return s.toLatin1().toStdString(); }

std::string GirderRow::*TextField(int column) {
  switch (column) {
    case kText1: return &GirderRow::Text1;
    case kText2: return &GirderRow::Text2;
    case kText3: return &GirderRow::Text3;
    case kText4: return &GirderRow::Text4;
    case kText13: return &GirderRow::Text13;
    case kText16: return &GirderRow::Text16;
    default: return nullptr;
  }
}

}  // namespace

GirderLine::GirderLine(Project& project, QWidget* parent) : EditorWindow(project, parent) {
  setObjectName(QStringLiteral("GirderLine"));
  setWindowTitle(QStringLiteral("Girder Line"));
  setFixedSize(TwipsToPixels(kClientWidth, logicalDpiX()), TwipsToPixels(kClientHeight, logicalDpiY()));

  for (const Heading& h : kHeadings) {
    auto* l = new QLabel(QString::fromLatin1(h.text), this);
    l->setObjectName(QString::fromLatin1(h.name));
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PlaceTwips(l, h.left, h.top, h.width, h.height);
    // The narrow columns' headings wrap to three lines above the frame.
    if (h.width < 600) {
      QFont small = l->font();
      small.setPointSizeF(small.pointSizeF() * 0.8);
      l->setFont(small);
    }
  }

  grid_ = new ControlGrid(this, Columns(), Geometry(Table().scroll));
  // The scroll bar stands inside the frame, at its right edge, over the option lists.
  QScrollBar* bar = grid_->ScrollBar();
  bar->setParent(grid_->Frame());
  PlaceTwips(bar, 10080, 0, 255, 4812);
  bar->show();
  connect(bar, &QScrollBar::valueChanged, this, [this](int v) {
    if (!loading_) VScroll1_Change(v);
  });
  connect(grid_, &ControlGrid::CellEdited, this, &GirderLine::CellEdited);
  connect(grid_, &ControlGrid::ChoiceEdited, this, &GirderLine::ChoiceEdited);
  grid_->AddInitialRows(kGirderInitialRows);
  for (int i = 0; i < grid_->RowCount(); ++i) DressRow(i);

  for (const Button& b : kButtons) {
    auto* button = new QPushButton(QString::fromLatin1(b.caption), this);
    button->setObjectName(QString::fromLatin1(b.name));
    PlaceTwips(button, b.left, kButtonTop, kButtonWidth, kButtonHeight);
  }
  connect(findChild<QPushButton*>("AddRecord"), &QPushButton::clicked, this, &GirderLine::AddRecord_Click);
  connect(findChild<QPushButton*>("Insert"), &QPushButton::clicked, this, &GirderLine::Insert_Click);
  connect(findChild<QPushButton*>("Delete"), &QPushButton::clicked, this, &GirderLine::Delete_Click);
  connect(findChild<QPushButton*>("Command3"), &QPushButton::clicked, this, &EditorWindow::HideEditor);

  // A new window starts at the top of the table.
  Table().scroll.Pos = 0;
  Refresh();
}

GirderTable& GirderLine::Table() const { return project().GirderLine; }
GirderRow& GirderLine::RowAt(int i) const { return Table().rows[static_cast<size_t>(i)]; }
int GirderLine::CurrentRow() const { return grid_->CurrentRow(); }

void GirderLine::AppendGridRow() {
  DressRow(grid_->AddRow());
}

void GirderLine::DressRow(int i) {
  auto* fracPoints = qobject_cast<QLineEdit*>(grid_->Cell(i, kText13));
  QFont mono(QStringLiteral("Courier New"));
  mono.setStyleHint(QFont::TypeWriter);
  fracPoints->setFont(mono);

  grid_->ScrollBar()->raise();
}

void GirderLine::CellEdited(int row, int column) {
  if (loading_ || row < 0 || row >= GirderRowCount(Table())) return;
  GirderRow& r = RowAt(row);
  if (std::string GirderRow::*field = TextField(column)) {
    r.*field = Latin1(grid_->CellText(row, column));
  } else if (column == kList1) {
    r.List1 = {};
    for (int k : grid_->SelectedIndexes(row, column))
      if (k >= 0 && k < int(r.List1.size())) r.List1[k] = true;
  }
}

// A pick chooses the item; typing only changes what the box shows, nothing is chosen then.
void GirderLine::ChoiceEdited(int row, int column, int index, const QString& text) {
  if (loading_ || row < 0 || row >= GirderRowCount(Table())) return;
  GirderRow& r = RowAt(row);
  if (index < 0) {
    (column == kCombo1 ? r.Combo1 : column == kCombo3 ? r.Combo3 : r.Combo2) = -1;
    (column == kCombo1 ? r.Combo1Text : column == kCombo3 ? r.Combo3Text : r.Combo2Text) = Latin1(text);
  } else if (column == kCombo1) {
    ChooseGirderLineType(r, index);
    ShowRow(row);  // new offset type entries and terminal cell states
  } else if (column == kCombo3) {
    ChooseGirderInitialOffsetType(r, index);
  } else {
    ChooseGirderTerminalOffsetType(r, index);
  }
}

void GirderLine::ShowRow(int i) {
  const bool was = loading_;
  loading_ = true;
  const GirderRow& d = RowAt(i);
  grid_->ShowChoice(i, kCombo1, d.Combo1, QString::fromLatin1(d.Combo1Text));
  auto* initialType = qobject_cast<QComboBox*>(grid_->Cell(i, kCombo3));
  QStringList entries;
  for (const std::string& e : d.Combo3Items) entries << QString::fromLatin1(e);
  QStringList shown;
  for (int k = 0; k < initialType->count(); ++k) shown << initialType->itemText(k);
  if (shown != entries) {
    grid_->SetItems(i, kCombo3, entries, QString::fromLatin1(kGirderOffsetTypePrompt));
  }
  grid_->ShowChoice(i, kCombo3, d.Combo3, QString::fromLatin1(d.Combo3Text));
  grid_->ShowChoice(i, kCombo2, d.Combo2, QString::fromLatin1(d.Combo2Text));
  for (int column : {kText1, kText2, kText3, kText4, kText13, kText16})
    grid_->SetCellText(i, column, QString::fromLatin1(d.*TextField(column)));
  grid_->Cell(i, kText2)->setEnabled(d.Text2Enabled);
  grid_->Cell(i, kCombo2)->setEnabled(d.Combo2Enabled);
  std::vector<int> selected;
  for (int k = 0; k < int(d.List1.size()); ++k)
    if (d.List1[k]) selected.push_back(k);
  grid_->SetSelectedIndexes(i, kList1, selected);
  loading_ = was;
}

void GirderLine::SyncScrollBar() {
  const GridScroll& s = Table().scroll;
  QScrollBar* bar = grid_->ScrollBar();
  const bool was = loading_;
  loading_ = true;
  bar->setSingleStep(s.Small);
  bar->setPageStep(s.Large);
  bar->setMaximum(s.Max);
  bar->setValue(s.Pos);
  loading_ = was;
}

void GirderLine::Refresh() {
  const int n = GirderRowCount(Table());
  const bool was = loading_;
  loading_ = true;
  while (grid_->RowCount() > n) grid_->RemoveLastRow();
  // Back to the table's scroll value first: rows appended then line up with the rest.
  QScrollBar* bar = grid_->ScrollBar();
  bar->setMaximum(std::max<int>(bar->maximum(), Table().scroll.Max));
  bar->setValue(Table().scroll.Pos);
  while (grid_->RowCount() < n) AppendGridRow();
  SyncScrollBar();
  for (int i = 0; i < n; ++i) ShowRow(i);
  loading_ = was;
}

void GirderLine::ShowFull() { ShowMessage(QString::fromLatin1(kFullMessage)); }

void GirderLine::AddRecord_Click() {
  if (!AddGirderRow(Table())) {
    ShowFull();
    return;
  }
  AppendGridRow();
  ShowRow(grid_->RowCount() - 1);
  SyncScrollBar();
  emit Edited();
}

void GirderLine::Insert_Click() {
  const int at = CurrentRow();
  if (!InsertGirderRow(Table(), at)) {
    ShowFull();
    return;
  }
  AppendGridRow();
  for (int i = at; i < grid_->RowCount(); ++i) ShowRow(i);
  SyncScrollBar();
  emit Edited();
}

void GirderLine::Delete_Click() {
  const int at = CurrentRow();
  DeleteGirderRow(Table(), at);
  for (int i = std::max(at, 0); i < grid_->RowCount(); ++i) ShowRow(i);
  emit Edited();
}

void GirderLine::VScroll1_Change(int value) { Table().scroll.Pos = static_cast<int16_t>(value); }

}  // namespace kv
