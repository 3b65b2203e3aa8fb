#include "records/bents/bent_editor.h"

#include <array>

#include <QComboBox>
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
constexpr int kFrameLeft = 240;
constexpr int kFrameTop = 720;
constexpr int kButtonTop = 5880;
constexpr int kButtonHeight = 372;

// Columns in grid order, left to right.
enum Column { kText1, kCombo1, kText7, kText2, kCombo2, kText3, kText4, kText5, kText6, kText8, kList1 };

// The row field behind each text box column (nullptr: a combo or the options list).
constexpr std::array<std::string BentRow::*, 11> kTextFields = {
    &BentRow::Text1, nullptr,         &BentRow::Text7, &BentRow::Text2, nullptr,        &BentRow::Text3,
    &BentRow::Text4, &BentRow::Text5, &BentRow::Text6, &BentRow::Text8, nullptr};

template <size_t N>
QStringList Items(const std::array<const char*, N>& items) {
  QStringList out;
  for (const char* item : items) out << QString::fromLatin1(item);
  return out;
}

std::vector<GridColumn> Columns() {
  using K = GridColumn::Kind;
  std::vector<GridColumn> c = {
      {K::TextBox, "Text1", 0, 852, "Distance"},
      {K::DropDown, "Combo1", 840, 1572, "", kBentDistancePrompt, Items(kBentDistanceTypeItems)},
      {K::TextBox, "Text7", 2400, 252, "Skew"},
      {K::TextBox, "Text2", 2640, 1092, ""},
      {K::DropDown, "Combo2", 3720, 1332, "", kBentSkewPrompt, Items(kBentSkewTypeItems)},
      {K::TextBox, "Text3", 5040, 612, "Fractional Points"},
      {K::TextBox, "Text4", 5640, 1212, "Description"},
      {K::TextBox, "Text5", 6840, 612, "Sel. Intersect"},
      {K::TextBox, "Text6", 7440, 492, "DL"},
      {K::TextBox, "Text8", 7920, 612, "Sec. Ref."},
      {K::MultiList, "List1", 8520, 1692, "Options", "", Items(kBentOptionItems)},
  };
  // Both combos accept typing; only a chosen item is written to the file.
  c[kCombo1].editable = c[kCombo2].editable = true;
  return c;
}

GridGeometry Geometry(const GridScroll& s) {
  GridGeometry g;
  g.frameLeft = kFrameLeft;
  g.frameTop = kFrameTop;
  g.frameWidth = 10692;
  g.frameHeight = 4932;
  // Beside the rows, at the frame's right (positions inside the frame, on the window).
  g.scrollLeft = kFrameLeft + 10320;
  g.scrollTop = kFrameTop + 120;
  g.scrollWidth = 252;
  g.scrollHeight = 4692;
  g.ScrollFrom(s);
  g.rowTop = 120;
  g.rowSpacing = 240;
  g.rowHeight = 288;
  g.appendOffset = -20;
  g.headingTop = 60;
  g.headingHeight = kFrameTop - 90;
  return g;
}

// A heading label centred over the columns from `left` to `right` (twips inside the
// frame), wrapping onto a second line and wider than a narrow column.
struct Span {
  const char* column;
  int left, right;
};
constexpr Span kHeadingSpans[] = {
    {"Text1", 0, 2412},    {"Text7", 2400, 5052}, {"Text3", 5040, 5652}, {"Text4", 5640, 6852},
    {"Text5", 6840, 7452}, {"Text6", 7440, 7932}, {"Text8", 7920, 8532}, {"List1", 8520, 10212}};

struct Button {
  const char* name;
  const char* caption;
  int left, width;
};
constexpr Button kButtons[] = {{"AddRecord", "Add Row", 1440, 1332},
                               {"Delete", "Delete Row", 3720, 1212},
                               {"Insert", "Insert Row", 5640, 1452},
                               {"Command1", "Hide", 7800, 1212}};

constexpr const char* kFullMessage = "The bent line table is full: no more rows can be added.";

}  // namespace

BentLine::BentLine(Project& project, QWidget* parent) : EditorWindow(project, parent) {
  setWindowTitle(QStringLiteral("Bent Line Data"));
  setFixedSize(TwipsToPixels(kClientWidth, logicalDpiX()), TwipsToPixels(kClientHeight, logicalDpiY()));

  grid_ = new ControlGrid(this, Columns(), Geometry(project.BentLine.scroll));
  for (const Span& s : kHeadingSpans) {
    auto* label = findChild<QLabel*>(QString::fromLatin1(s.column) + "Heading");
    if (label == nullptr) continue;
    const int width = std::max(s.right - s.left, 900);
    const int left = kFrameLeft + (s.left + s.right - width) / 2;
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    label->setWordWrap(true);
    PlaceTwips(label, left, 60, width, kFrameTop - 90);
  }

  for (const Button& b : kButtons) {
    auto* button = new QPushButton(QString::fromLatin1(b.caption), this);
    button->setObjectName(QString::fromLatin1(b.name));
    PlaceTwips(button, b.left, kButtonTop, b.width, kButtonHeight);
  }
  connect(findChild<QPushButton*>("AddRecord"), &QPushButton::clicked, this, &BentLine::AddRecord_Click);
  connect(findChild<QPushButton*>("Insert"), &QPushButton::clicked, this, &BentLine::Insert_Click);
  connect(findChild<QPushButton*>("Delete"), &QPushButton::clicked, this, &BentLine::Delete_Click);
  connect(findChild<QPushButton*>("Command1"), &QPushButton::clicked, this, &EditorWindow::HideEditor);

  connect(grid_, &ControlGrid::CellEdited, this, &BentLine::CellEdited);
  connect(grid_, &ControlGrid::ChoiceEdited, this, &BentLine::ChoiceEdited);
  connect(grid_->ScrollBar(), &QScrollBar::valueChanged, this, &BentLine::VScroll1_Change);

  grid_->AddInitialRows(kBentInitialRows);
  Refresh();
}

void BentLine::ShowRow(int i) {
  const BentRow& r = project().BentLine.rows.at(static_cast<size_t>(i));
  for (int c = 0; c < static_cast<int>(kTextFields.size()); ++c)
    if (kTextFields[c] != nullptr) grid_->SetCellText(i, c, QString::fromLatin1(r.*kTextFields[c]));
  // A combo shows the row's text: the chosen item, a typed text, its prompt, or row 0's
  // text on an appended row.
  grid_->ShowChoice(i, kCombo1, r.Combo1, QString::fromLatin1(r.Combo1Text));
  grid_->ShowChoice(i, kCombo2, r.Combo2, QString::fromLatin1(r.Combo2Text));
  std::vector<int> options;
  for (int k = 0; k < static_cast<int>(r.List1.size()); ++k)
    if (r.List1[k]) options.push_back(k);
  grid_->SetSelectedIndexes(i, kList1, options);
}

void BentLine::ShowRowsFrom(int first) {
  for (int i = std::max(first, 0); i < grid_->RowCount(); ++i) ShowRow(i);
}

void BentLine::CellEdited(int row, int column) {
  if (refreshing_ || row < 0 || row >= BentRowCount(project().BentLine)) return;
  BentRow& r = project().BentLine.rows[static_cast<size_t>(row)];
  if (column == kList1) {
    r.List1 = {};
    for (int k : grid_->SelectedIndexes(row, column))
      if (k < static_cast<int>(r.List1.size())) r.List1[k] = true;
  } else if (kTextFields[column] != nullptr) {
    r.*kTextFields[column] = grid_->CellText(row, column).toLatin1().toStdString();
  }
}

void BentLine::ChoiceEdited(int row, int column, int index, const QString& text) {
  if (refreshing_ || row < 0 || row >= BentRowCount(project().BentLine)) return;
  BentRow& r = project().BentLine.rows[static_cast<size_t>(row)];
  const bool distance = column == kCombo1;
  if (index >= 0) {
    distance ? SelectBentDistanceType(r, index) : SelectBentSkewType(r, index);
  } else {
    (distance ? r.Combo1 : r.Combo2) = -1;
    (distance ? r.Combo1Text : r.Combo2Text) = text.toLatin1().toStdString();
  }
}

void BentLine::SyncMaximum() { grid_->ScrollBar()->setMaximum(project().BentLine.scroll.Max); }

void BentLine::Refresh() {
  const BentTable& t = project().BentLine;
  const int n = BentRowCount(t);
  refreshing_ = true;
  grid_->TrimRows(n);
  SyncMaximum();
  grid_->ScrollBar()->setValue(t.scroll.Pos);  // moves the rows to the scroll value held
  while (grid_->RowCount() < n) grid_->AddRow();
  ShowRowsFrom(0);
  refreshing_ = false;
}

void BentLine::AddRecord_Click() {
  if (!AddBentRow(project().BentLine)) {
    ShowMessage(QString::fromLatin1(kFullMessage));
    return;
  }
  ShowRow(grid_->AddRow());
  SyncMaximum();
  emit Edited();
}

void BentLine::Insert_Click() {
  const int at = grid_->CurrentRow();
  if (!InsertBentRow(project().BentLine, at)) {
    ShowMessage(QString::fromLatin1(kFullMessage));
    return;
  }
  grid_->AddRow();
  ShowRowsFrom(at);
  SyncMaximum();
  emit Edited();
}

void BentLine::Delete_Click() {
  const int at = grid_->CurrentRow();
  DeleteBentRow(project().BentLine, at);
  ShowRowsFrom(at);
  emit Edited();
}

void BentLine::VScroll1_Change(int value) {
  // The grid has moved the rows; the project keeps the value it applied.
  if (!refreshing_) project().BentLine.scroll.Pos = static_cast<int16_t>(value);
}

}  // namespace kv
