#include "app/control_grid.h"

#include "app/editor_window.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

#include "app/editor_widgets.h"
#include "app/interface_font.h"
#include "app/field_marks.h"
#include "app/settings.h"

namespace kv {

ControlGrid::ControlGrid(QWidget* host, std::vector<GridColumn> columns, GridGeometry geometry)
    : QObject(host), host_(host), columns_(std::move(columns)), geometry_(geometry) {
  const GridGeometry& g = geometry_;
  frame_ = new QFrame(host_);
  frame_->setObjectName("Frame1");
  frame_->setFrameShape(QFrame::Box);
  frame_->setGeometry(X(g.frameLeft), Y(g.frameTop), X(g.frameWidth), Y(g.frameHeight));

  scroll_ = new QScrollBar(Qt::Vertical, host_);
  scroll_->setObjectName("VScroll1");
  scroll_->setGeometry(X(g.scrollLeft), Y(g.scrollTop), X(g.scrollWidth), Y(g.scrollHeight));
  scroll_->setRange(g.scrollMin, g.scrollMax);
  scroll_->setSingleStep(g.scrollSmall);
  scroll_->setPageStep(g.scrollLarge);
  scroll_->setValue(g.scrollValue);
  scrollPos_ = scroll_->value();
  connect(scroll_, &QScrollBar::valueChanged, this, &ControlGrid::ApplyScroll);
  // Every user edit of a cell is an edit of the project.
  connect(this, &ControlGrid::CellEdited, this, [this] { EditorWindow::NoteEdit(host_); });
  connect(this, &ControlGrid::ChoiceEdited, this, [this] { EditorWindow::NoteEdit(host_); });

  for (const GridColumn& column : columns_) {
    if (column.heading.isEmpty()) continue;
    auto* label = new QLabel(column.heading, host_);
    label->setObjectName(column.headingName.isEmpty() ? column.name + "Heading" : column.headingName);
    label->setGeometry(X(g.frameLeft + column.left), Y(g.headingTop), X(column.width), Y(g.headingHeight));
  }
}

int ControlGrid::X(double twips) const { return TwipsToPixels(twips, host_->logicalDpiX()); }
int ControlGrid::Y(double twips) const { return TwipsToPixels(twips, host_->logicalDpiY()); }

int ControlGrid::ColumnIndex(const QString& name) const {
  for (size_t i = 0; i < columns_.size(); ++i)
    if (columns_[i].name == name) return static_cast<int>(i);
  return -1;
}

void ControlGrid::AddInitialRows(int count) {
  for (int i = 0; i < count; ++i) {
    const int index = RowCount();
    Row row;
    row.top = geometry_.rowTop + index * geometry_.rowSpacing - (scrollPos_ - geometry_.scrollValue);
    rows_.push_back(row);
    for (size_t c = 0; c < columns_.size(); ++c)
      rows_.back().cells.push_back(MakeCell(index, static_cast<int>(c)));
    Place(rows_.back());
  }
}

int ControlGrid::AddRow() {
  if (rows_.empty()) {
    AddInitialRows(1);
    return 0;
  }
  const int index = RowCount();
  Row row;
  // Just below the last row as it stands now, so rows added after scrolling line up.
  row.top = rows_.back().top + geometry_.rowHeight + geometry_.appendOffset;
  rows_.push_back(row);
  // Tab goes on from the row above into the new one, before the window's buttons.
  QWidget* previous = rows_[rows_.size() - 2].cells.back();
  for (size_t c = 0; c < columns_.size(); ++c) {
    QWidget* cell = MakeCell(index, static_cast<int>(c));
    rows_.back().cells.push_back(cell);
    QWidget::setTabOrder(previous, cell);
    previous = cell;
  }
  Place(rows_.back());
  return index;
}

void ControlGrid::RemoveLastRow() {
  if (rows_.empty()) return;
  for (QWidget* cell : rows_.back().cells) delete cell;
  rows_.pop_back();
  if (currentRow_ >= RowCount()) currentRow_ = 0;
}

void ControlGrid::TrimRows(int count) {
  while (RowCount() > std::max(count, 0)) RemoveLastRow();
}

namespace {

// A narrow cell shows the start of a text put into it, not its end.
void ShowFromStart(QLineEdit* edit) {
  QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] {
    if (!edit->isModified()) edit->setCursorPosition(0);  // set by the program, not typed
  });
  QObject::connect(edit, &QLineEdit::editingFinished, edit, [edit] { edit->setCursorPosition(0); });
}

// Handed to each editable box's own line edit so the box does not build a completer of
// its own: that completer and its models were half the cost of opening a large grid, and
// a typed cell is not meant to be completed from the list.
QCompleter* NoCompletion() {
  static QCompleter* none = new QCompleter(QStringList{}, qApp);
  return none;
}

}  // namespace

// The drop-down list opens wide enough for its longest entry, however narrow the box.
void FitPopup(QComboBox* c) { c->view()->setMinimumWidth(c->view()->sizeHintForColumn(0) + 8); }

QWidget* ControlGrid::MakeCell(int row, int column) {
  const GridColumn& col = columns_[column];
  QWidget* cell = nullptr;
  switch (col.kind) {
    case GridColumn::Kind::TextBox: {
      auto* edit = new QLineEdit(frame_);
      if (col.maxLength > 0) edit->setMaxLength(col.maxLength);
      ShowFromStart(edit);
      connect(edit, &QLineEdit::textEdited, this, [this, edit, column] {
        if (!quiet_) emit CellEdited(edit->property("Index").toInt(), column);
      });
      cell = edit;
      break;
    }
    case GridColumn::Kind::DropDown: {
      auto* combo = new QComboBox(frame_);
      combo->addItems(col.items);
      combo->setPlaceholderText(col.prompt);
      combo->setCurrentIndex(-1);
      FitPopup(combo);
      if (col.editable) {
        auto* edit = new QLineEdit(combo);
        edit->setCompleter(NoCompletion());
        combo->setLineEdit(edit);
        edit->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setEditText(col.prompt);
        ShowFromStart(combo->lineEdit());
        // The row is read at the time: rows come and go.
        connect(combo, &QComboBox::activated, this, [this, combo, column](int k) {
          if (!quiet_) emit ChoiceEdited(combo->property("Index").toInt(), column, k, combo->itemText(k));
        });
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, combo, column](const QString& t) {
          if (!quiet_) emit ChoiceEdited(combo->property("Index").toInt(), column, -1, t);
        });
      } else {
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo, column] {
          if (!quiet_) emit CellEdited(combo->property("Index").toInt(), column);
        });
      }
      cell = combo;
      break;
    }
    case GridColumn::Kind::MultiList: {
      auto* list = new QListWidget(frame_);
      list->addItems(col.items);
      // Options longer than the list is wide are shown in the narrow face, whole.
      if (NeedsNarrowFace(column, list)) list->setFont(InterfaceNarrowFont());
      // A plain click chooses one option; Ctrl and Shift add to the choice.
      list->setSelectionMode(QAbstractItemView::ExtendedSelection);
      list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
      list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      list->setFocusPolicy(Qt::StrongFocus);
      if (list->count() > 0) list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
      connect(list, &QListWidget::itemSelectionChanged, this, [this, list, column] {
        UpdateListTip(list);
        if (!quiet_) emit CellEdited(list->property("Index").toInt(), column);
      });
      UpdateListTip(list);
      cell = list;
      break;
    }
  }
  // A turn of the wheel over a cell must not give it the focus (and with it the wheel).
  if (cell->focusPolicy() == Qt::WheelFocus) cell->setFocusPolicy(Qt::StrongFocus);
  cell->setObjectName(col.name);
  cell->setProperty("Index", row);
  cell->installEventFilter(this);
  // A list's wheel comes through its viewport, a typed drop-down's through its line edit.
  if (auto* view = qobject_cast<QAbstractScrollArea*>(cell)) view->viewport()->installEventFilter(this);
  if (auto* combo = qobject_cast<QComboBox*>(cell); combo && combo->lineEdit()) combo->lineEdit()->installEventFilter(this);
  SetFieldMark(cell, MarkTip(row, column));
  cell->show();
  return cell;
}

bool ControlGrid::NeedsNarrowFace(int column, const QListWidget* list) {
  if (narrow_.size() != columns_.size()) narrow_.assign(columns_.size(), -1);
  if (narrow_[column] < 0) {
    const QFontMetrics m(list->font());
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const int room = X(columns_[column].width) - 2 * list->frameWidth() - 2 * margin;
    int widest = 0;
    for (const QString& item : columns_[column].items) widest = std::max(widest, m.horizontalAdvance(item));
    narrow_[column] = widest > room ? 1 : 0;
  }
  return narrow_[column] == 1;
}

void ControlGrid::UpdateListTip(QListWidget* list) {
  QStringList names;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->isSelected()) names << list->item(i)->text();
  SetPlainToolTip(list, names.isEmpty() ? QString("(none selected)") : names.join(", "));
}

void ControlGrid::SetCellMark(int row, int column, const QString& tip) {
  if (row < 0 || column < 0 || column >= static_cast<int>(columns_.size())) return;
  if (tip.isEmpty()) {
    auto it = marks_.find(row);
    if (it == marks_.end()) return;
    it->second.cells.erase(column);
    if (it->second.row.isEmpty() && it->second.cells.empty()) marks_.erase(it);
  } else {
    marks_[row].cells[column] = tip;
  }
  ShowMark(row, column);
}

void ControlGrid::SetRowMark(int row, const QString& tip) {
  if (row < 0) return;
  if (tip.isEmpty()) {
    auto it = marks_.find(row);
    if (it == marks_.end()) return;
    it->second.row.clear();
    if (it->second.cells.empty()) marks_.erase(it);
  } else {
    marks_[row].row = tip;
  }
  for (size_t c = 0; c < columns_.size(); ++c) ShowMark(row, static_cast<int>(c));
}

QString ControlGrid::MarkTip(int row, int column) const {
  auto it = marks_.find(row);
  if (it == marks_.end()) return {};
  auto cell = it->second.cells.find(column);
  QString tip = cell == it->second.cells.end() ? QString() : cell->second;
  if (!it->second.row.isEmpty()) tip += (tip.isEmpty() ? "" : "\n") + it->second.row;
  return tip;
}

void ControlGrid::ShowMark(int row, int column) {
  if (QWidget* cell = Cell(row, column)) SetFieldMark(cell, MarkTip(row, column));
}

void ControlGrid::Place(Row& row) {
  for (size_t c = 0; c < row.cells.size(); ++c) {
    const int height = columns_[c].height > 0 ? columns_[c].height : geometry_.rowHeight;
    row.cells[c]->setGeometry(X(columns_[c].left), Y(row.top), X(columns_[c].width), Y(height));
  }
}

void ControlGrid::ApplyScroll(int value) {
  // Every cell moves by the difference between the value last applied and this one.
  const int delta = value - scrollPos_;
  scrollPos_ = value;
  for (Row& row : rows_) {
    row.top -= delta;
    Place(row);
  }
}

void ControlGrid::GrowMax(int amount) { scroll_->setMaximum(scroll_->maximum() + amount); }

QWidget* ControlGrid::Cell(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= static_cast<int>(columns_.size())) return nullptr;
  return rows_[row].cells[column];
}

QString ControlGrid::CellText(int row, int column) const {
  QWidget* cell = Cell(row, column);
  if (auto* edit = qobject_cast<QLineEdit*>(cell)) return edit->text();
  if (auto* combo = qobject_cast<QComboBox*>(cell)) return combo->currentIndex() < 0 ? QString() : combo->currentText();
  if (auto* list = qobject_cast<QListWidget*>(cell)) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
      if (list->item(i)->isSelected()) names << list->item(i)->text();
    return names.join(",");
  }
  return {};
}

void ControlGrid::SetCellText(int row, int column, const QString& text) {
  QWidget* cell = Cell(row, column);
  quiet_ = true;
  if (auto* edit = qobject_cast<QLineEdit*>(cell)) {
    edit->setText(text);
    edit->setCursorPosition(0);  // the start of the text in a narrow cell
  } else if (auto* combo = qobject_cast<QComboBox*>(cell)) {
    combo->setCurrentIndex(text.isEmpty() ? -1 : combo->findText(text));
  } else if (auto* list = qobject_cast<QListWidget*>(cell)) {
    const QStringList names = text.split(',', Qt::SkipEmptyParts);
    for (int i = 0; i < list->count(); ++i) list->item(i)->setSelected(names.contains(list->item(i)->text()));
  }
  quiet_ = false;
}

void ControlGrid::SetItems(int row, int column, const QStringList& items, const QString& prompt) {
  auto* combo = qobject_cast<QComboBox*>(Cell(row, column));
  if (!combo) return;
  quiet_ = true;
  combo->clear();
  combo->addItems(items);
  combo->setPlaceholderText(prompt);
  combo->setCurrentIndex(-1);
  FitPopup(combo);
  if (combo->isEditable()) combo->setEditText(prompt);
  quiet_ = false;
}

int ControlGrid::ChosenIndex(int row, int column) const {
  if (auto* combo = qobject_cast<QComboBox*>(Cell(row, column))) return combo->currentIndex();
  return -1;
}

void ControlGrid::SetChosenIndex(int row, int column, int index) {
  auto* combo = qobject_cast<QComboBox*>(Cell(row, column));
  if (!combo) return;
  quiet_ = true;
  combo->setCurrentIndex(index);
  quiet_ = false;
}

void ControlGrid::ShowChoice(int row, int column, int index, const QString& text) {
  auto* combo = qobject_cast<QComboBox*>(Cell(row, column));
  if (!combo || !combo->lineEdit()) return;
  quiet_ = true;
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
  combo->setEditText(text);
  combo->lineEdit()->setCursorPosition(0);  // the start of the text, not its end, in a narrow box
  quiet_ = false;
}

std::vector<int> ControlGrid::SelectedIndexes(int row, int column) const {
  std::vector<int> out;
  if (auto* list = qobject_cast<QListWidget*>(Cell(row, column)))
    for (int i = 0; i < list->count(); ++i)
      if (list->item(i)->isSelected()) out.push_back(i);
  return out;
}

void ControlGrid::SetSelectedIndexes(int row, int column, const std::vector<int>& indexes) {
  auto* list = qobject_cast<QListWidget*>(Cell(row, column));
  if (!list) return;
  quiet_ = true;
  for (int i = 0; i < list->count(); ++i)
    list->item(i)->setSelected(std::find(indexes.begin(), indexes.end(), i) != indexes.end());
  UpdateListTip(list);
  quiet_ = false;
}

void ControlGrid::ScrollIntoView(int row) {
  if (row < 0 || row >= RowCount()) return;
  int height = geometry_.rowHeight;
  for (const GridColumn& c : columns_) height = std::max(height, c.height);
  const double top = rows_[row].top, bottom = top + height;
  double delta = 0;
  if (top < 0) delta = top;
  else if (bottom > geometry_.frameHeight) delta = std::min(top, bottom - geometry_.frameHeight);
  if (delta == 0) return;
  // Whole SmallChange steps, as the bar's own arrows would move it.
  const int step = std::max(1, scroll_->singleStep());
  const int steps = static_cast<int>(std::ceil(std::abs(delta) / step));
  scroll_->setValue(scrollPos_ + (delta < 0 ? -steps : steps) * step);
}

bool ControlGrid::eventFilter(QObject* watched, QEvent* event) {
  // The cell itself, or the viewport or line edit inside it.
  auto* cell = qobject_cast<QWidget*>(watched);
  if (cell != nullptr && !cell->property("Index").isValid()) cell = cell->parentWidget();
  if (cell == nullptr || !cell->property("Index").isValid()) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::FocusOut:
      if (watched == cell) currentRow_ = cell->property("Index").toInt();
      break;
    case QEvent::FocusIn:
      // Tab from the last row in the frame scrolls the grid to the row it reaches.
      if (watched == cell) ScrollIntoView(cell->property("Index").toInt());
      break;
    case QEvent::Wheel:
      // Over a cell without the focus the wheel scrolls the grid, never the cell's choice.
      if (!HasFocusIn(cell)) {
        QCoreApplication::sendEvent(scroll_, event);
        return true;
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kv
