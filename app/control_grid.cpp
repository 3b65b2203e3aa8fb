#include "app/control_grid.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyleOptionComboBox>

#include "app/editor_widgets.h"
#include "app/editor_window.h"
#include "app/field_marks.h"
#include "app/interface_font.h"
#include "app/settings.h"

namespace kv {

namespace {

// A row with widgets above and below the frame, so that a turn of the wheel shows rows
// that are already laid out. (Tab finds the next row through the focus row's neighbours.)
constexpr int kMarginRows = 1;

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

// A cell's drop-down list (its frame, view and bars, most of what a drop-down cell costs)
// is made when it first opens: most cells are never opened. The item view takes its look
// from the box as the view is made, and a box that takes typing gives it the plain list
// look; so the list is given its look as for a box without typing, and every grid list
// has the menu look. (A click makes the list before it opens it; the look is set again
// then, through the box's own answer to a change of style.)
class GridDropDown : public QComboBox {
 public:
  using QComboBox::QComboBox;
  // The entries changed: the list is measured again when it next opens.
  void Refit() { fitted_ = false; }
  void showPopup() override {
    if (!fitted_) {
      makingList_ = true;
      view();
      QEvent restyle(QEvent::StyleChange);
      QComboBox::changeEvent(&restyle);
      makingList_ = false;
      QResizeEvent same(size(), size());
      QComboBox::resizeEvent(&same);  // the typing line back where a box that takes typing has it
      // Wide enough for the longest entry however narrow the box, measured in the look it
      // opens in.
      view()->setMinimumWidth(view()->sizeHintForColumn(0) + 8);
      fitted_ = true;
    }
    QComboBox::showPopup();
  }

 protected:
  void initStyleOption(QStyleOptionComboBox* option) const override {
    QComboBox::initStyleOption(option);
    if (makingList_) option->editable = false;
  }
  // A new style gives the list the look of a box that takes typing: the look and the
  // width are set again at the next opening.
  void changeEvent(QEvent* e) override {
    QComboBox::changeEvent(e);
    if (e->type() == QEvent::StyleChange) fitted_ = false;
  }

 private:
  bool fitted_ = false;
  bool makingList_ = false;
};

}  // namespace

ControlGrid::ControlGrid(QWidget* host, std::vector<GridColumn> columns, GridGeometry geometry)
    : QObject(host), host_(host), columns_(std::move(columns)), geometry_(geometry) {
  const GridGeometry& g = geometry_;
  frame_ = new QFrame(host_);
  frame_->setObjectName("Frame1");
  frame_->setFrameShape(QFrame::Box);
  frame_->setGeometry(X(g.frameLeft), Y(g.frameTop), X(g.frameWidth), Y(g.frameHeight));

  scroll_ = new QScrollBar(Qt::Vertical, g.scrollInFrame ? static_cast<QWidget*>(frame_) : host_);
  scroll_->setObjectName("VScroll1");
  scroll_->setGeometry(X(g.scrollLeft), Y(g.scrollTop), X(g.scrollWidth), Y(g.scrollHeight));
  scroll_->setRange(g.scrollMin, g.scrollMax);
  scroll_->setSingleStep(g.scrollSmall);
  scroll_->setPageStep(g.scrollLarge);
  scroll_->setValue(g.scrollValue);
  scrollPos_ = scroll_->value();
  connect(scroll_, &QScrollBar::valueChanged, this, &ControlGrid::ApplyScroll);
  // Every edit in the grid is an edit of the project.
  connect(this, &ControlGrid::CellEdited, this, [this] { EditorWindow::NoteEdit(host_); });
  connect(this, &ControlGrid::ChoiceEdited, this, [this] { EditorWindow::NoteEdit(host_); });

  for (const GridColumn& column : columns_) {
    if (column.heading.isEmpty()) continue;
    auto* label = new QLabel(column.heading, host_);
    label->setObjectName(column.headingName.isEmpty() ? column.name + "Heading" : column.headingName);
    label->setGeometry(X(g.frameLeft + column.left), Y(g.headingTop), X(column.width), Y(g.headingHeight));
  }
}

ControlGrid::~ControlGrid() = default;

int ControlGrid::X(double twips) const { return TwipsToPixels(twips, host_->logicalDpiX()); }
int ControlGrid::Y(double twips) const { return TwipsToPixels(twips, host_->logicalDpiY()); }

int ControlGrid::ColumnIndex(const QString& name) const {
  for (size_t i = 0; i < columns_.size(); ++i)
    if (columns_[i].name == name) return static_cast<int>(i);
  return -1;
}

int ControlGrid::TallestCell() const {
  int height = geometry_.rowHeight;
  for (const GridColumn& c : columns_) height = std::max(height, c.height);
  return height;
}

int ControlGrid::BuiltRows() const {
  return static_cast<int>(std::count_if(slots_.begin(), slots_.end(), [](const auto& s) { return s->row >= 0; }));
}

// ---- rows ----

// Row RowCount() at its first-row place as the rows stand now (kept as the place at scroll
// value 0), or else just below the last row, so rows added after scrolling line up.
void ControlGrid::PushRow(bool firstRowPlace) {
  tops_.push_back(firstRowPlace ? geometry_.rowTop + RowCount() * geometry_.rowSpacing + geometry_.scrollValue
                                : tops_.back() + geometry_.rowHeight + geometry_.appendOffset);
  slotOfRow_.push_back(nullptr);
}

void ControlGrid::AddInitialRows(int count) {
  for (int i = 0; i < count; ++i) PushRow(true);
  Layout();
}

int ControlGrid::AddRow() {
  const int index = RowCount();
  AddRows(1);
  return index;
}

void ControlGrid::AddRows(int count) {
  if (count <= 0) return;
  for (int i = 0; i < count; ++i) PushRow(RowCount() == 0 || RowCount() < geometry_.initialRows);
  // Once for all of them: a table read from a file adds its rows together.
  Layout();
}

void ControlGrid::RemoveLastRow() { TrimRows(RowCount() - 1); }

void ControlGrid::TrimRows(int count) {
  count = std::max(count, 0);
  if (count >= RowCount()) return;
  // The widgets of the rows that go, and the spare ones, go with them: a smaller table
  // keeps no more widgets than it has rows.
  std::vector<Slot*> gone;
  for (const auto& s : slots_)
    if (s->row < 0 || s->row >= count) gone.push_back(s.get());
  for (Slot* s : gone) DeleteSlot(s);
  tops_.resize(count);
  slotOfRow_.resize(count);
  std::erase_if(listViews_, [count](const auto& v) { return v.first >= count; });
  if (currentRow_ >= count) currentRow_ = 0;
  Layout();
}

void ControlGrid::DeleteSlot(Slot* slot) {
  if (slot->row >= 0) slotOfRow_[slot->row] = nullptr;
  std::erase(chain_, slot);
  std::erase(stack_, slot);
  for (QWidget* cell : slot->cells) delete cell;
  std::erase_if(slots_, [slot](const auto& s) { return s.get() == slot; });
}

// ---- widgets bound to rows ----

ControlGrid::Slot* ControlGrid::SlotOf(int row) const {
  return row >= 0 && row < RowCount() ? slotOfRow_[row] : nullptr;
}

ControlGrid::Slot& ControlGrid::MakeSlot() const {
  slots_.push_back(std::make_unique<Slot>());
  Slot& slot = *slots_.back();
  for (int c = 0; c < static_cast<int>(columns_.size()); ++c) slot.cells.push_back(MakeCell(c));
  // Into the Tab order beside the other rows' widgets (after the anchor for the first).
  QWidget* previous = chain_.empty() ? tabAnchor_ : chain_.back()->cells.back();
  for (QWidget* cell : slot.cells) {
    if (previous != nullptr) QWidget::setTabOrder(previous, cell);
    previous = cell;
  }
  chain_.push_back(&slot);
  // The bar stands over the last column's cells.
  if (geometry_.scrollInFrame) scroll_->raise();
  return slot;
}

void ControlGrid::Bind(Slot& slot, int row) const {
  slot.row = row;
  slotOfRow_[row] = &slot;
  for (int c = 0; c < static_cast<int>(columns_.size()); ++c) {
    QWidget* cell = slot.cells[c];
    cell->setProperty("Index", row);
    // A screen reader names the cell by its column and row: "Description, row 3".
    cell->setAccessibleName(QStringLiteral("%1, row %2").arg(GridColumnLabel(columns_[c])).arg(row + 1));
    SetFieldMark(cell, MarkTip(row, c));
  }
  Place(slot);
  const auto kept = listViews_.find(row);
  for (int c = 0; c < static_cast<int>(columns_.size()); ++c) {
    QWidget* cell = slot.cells[c];
    if (auto* list = qobject_cast<QListWidget*>(cell)) {
      const ListView view = kept != listViews_.end() ? kept->second[c] : ListView{};
      if (list->count() > 0) list->setCurrentRow(view.current, QItemSelectionModel::NoUpdate);
      list->verticalScrollBar()->setValue(view.scroll);
    }
    cell->show();
  }
  if (binder_) {
    binder_(row);
    return;
  }
  quiet_ = true;
  for (QWidget* cell : slot.cells) {
    if (auto* edit = qobject_cast<QLineEdit*>(cell)) edit->clear();
    else if (auto* combo = qobject_cast<QComboBox*>(cell)) combo->setCurrentIndex(-1);
    else if (auto* list = qobject_cast<QListWidget*>(cell)) list->clearSelection(), UpdateListTip(list);
  }
  quiet_ = false;
}

void ControlGrid::Release(Slot& slot) const {
  // A list's scrolled item and keyboard cursor stay with its row.
  std::vector<ListView> views(columns_.size());
  bool kept = false;
  for (int c = 0; c < static_cast<int>(columns_.size()); ++c)
    if (auto* list = qobject_cast<QListWidget*>(slot.cells[c])) {
      views[c] = {std::max(list->currentRow(), 0), list->verticalScrollBar()->value()};
      kept = kept || views[c].current != 0 || views[c].scroll != 0;
    }
  if (kept) listViews_[slot.row] = std::move(views);
  else listViews_.erase(slot.row);
  slotOfRow_[slot.row] = nullptr;
  slot.row = -1;
  for (QWidget* cell : slot.cells) {
    cell->hide();
    cell->setProperty("Index", QVariant());
  }
}

void ControlGrid::Place(Slot& slot) const {
  const int top = Y(tops_[slot.row] - scrollPos_);
  if (top == slot.top) return;
  slot.top = top;
  const double dpiX = host_->logicalDpiX(), dpiY = host_->logicalDpiY();
  for (size_t c = 0; c < slot.cells.size(); ++c) {
    const int height = columns_[c].height > 0 ? columns_[c].height : geometry_.rowHeight;
    slot.cells[c]->setGeometry(TwipsToPixels(columns_[c].left, dpiX), top, TwipsToPixels(columns_[c].width, dpiX),
                               TwipsToPixels(height, dpiY));
  }
}

int ControlGrid::FocusedRow() const {
  // The window's own focus widget, active or not, or a drop-down's open list.
  QWidget* w = QApplication::activePopupWidget();
  if (w == nullptr) w = host_->window()->focusWidget();
  for (; w != nullptr; w = w->parentWidget())
    if (w->parentWidget() == frame_) return w->property("Index").isValid() ? w->property("Index").toInt() : -1;
  return -1;
}

// Binds the rows within the frame and the margin, and the focus row with its neighbours
// wherever it stands, to widgets; the widgets of other rows are freed for them.
void ControlGrid::Layout() {
  if (layingOut_) return;
  layingOut_ = true;
  const int n = RowCount();
  const double pos = scrollPos_, height = TallestCell(), frameHeight = geometry_.frameHeight;
  const auto firstShown = std::partition_point(tops_.begin(), tops_.end(), [&](double t) { return t - pos + height <= 0; });
  const auto pastShown = std::partition_point(tops_.begin(), tops_.end(), [&](double t) { return t - pos < frameHeight; });
  const int first = std::max(0, int(firstShown - tops_.begin()) - kMarginRows);
  const int last = std::min(n - 1, int(pastShown - tops_.begin()) - 1 + kMarginRows);
  const int focus = FocusedRow();
  auto wanted = [&](int row) { return (row >= first && row <= last) || (focus >= 0 && std::abs(row - focus) <= 1); };

  std::vector<Slot*> spare;
  for (const auto& s : slots_) {
    if (s->row >= 0 && !wanted(s->row)) Release(*s);
    if (s->row < 0) spare.push_back(s.get());
  }
  auto bind = [&](int row) {
    if (row < 0 || row >= n || slotOfRow_[row] != nullptr) return;
    Slot* s = nullptr;
    if (!spare.empty()) s = spare.back(), spare.pop_back();
    else s = &MakeSlot();
    Bind(*s, row);
  };
  for (int row = first; row <= last; ++row) bind(row);
  if (focus >= 0)
    for (int row = focus - 1; row <= focus + 1; ++row) bind(row);
  for (const auto& s : slots_)
    if (s->row >= 0) Place(*s);
  ChainTabOrder();
  Restack();
  layingOut_ = false;
}

// Rows overlap by their borders: a row lies over the row above it, and the bar over all,
// whichever widgets the rows have now.
void ControlGrid::Restack() const {
  std::vector<Slot*> order;
  for (const auto& s : slots_)
    if (s->row >= 0) order.push_back(s.get());
  std::sort(order.begin(), order.end(), [](const Slot* a, const Slot* b) { return a->row < b->row; });
  if (order == stack_) return;
  // Slots that kept their rows are in order among themselves; when they stand together,
  // the rows bound above them go under them and the rows bound below them on top.
  std::vector<Slot*> kept;
  for (Slot* s : stack_)
    if (s->row >= 0 && std::find(order.begin(), order.end(), s) != order.end()) kept.push_back(s);
  auto at = kept.empty() ? order.end() : std::find(order.begin(), order.end(), kept.front());
  const bool together = !kept.empty() && order.end() - at >= std::ptrdiff_t(kept.size()) &&
                        std::equal(kept.begin(), kept.end(), at);
  const auto from = together ? at + std::ptrdiff_t(kept.size()) : order.begin();
  if (together)
    for (auto s = std::make_reverse_iterator(at); s != order.rend(); ++s)
      for (auto cell = (*s)->cells.rbegin(); cell != (*s)->cells.rend(); ++cell) (*cell)->lower();
  for (auto s = from; s != order.end(); ++s)
    for (QWidget* cell : (*s)->cells) cell->raise();
  if (geometry_.scrollInFrame) scroll_->raise();
  stack_ = std::move(order);
}

// Tab goes through the rows in row order, whichever widgets they have now.
void ControlGrid::ChainTabOrder() const {
  std::vector<Slot*> order;
  for (const auto& s : slots_)
    if (s->row >= 0) order.push_back(s.get());
  std::sort(order.begin(), order.end(), [](const Slot* a, const Slot* b) { return a->row < b->row; });
  for (const auto& s : slots_)
    if (s->row < 0) order.push_back(s.get());
  if (order == chain_) return;
  // Every slot's widgets already stand together in the chain, so chaining them one after
  // the other from the first keeps them in the same place among the window's widgets.
  QWidget* previous = tabAnchor_;
  for (Slot* s : order)
    for (QWidget* cell : s->cells) {
      if (previous != nullptr) QWidget::setTabOrder(previous, cell);
      previous = cell;
    }
  chain_ = std::move(order);
}

void ControlGrid::ShowRows(int first, int end) {
  if (!binder_) return;
  for (const auto& s : slots_)
    if (s->row >= std::max(first, 0) && s->row < end) binder_(s->row);
}

QWidget* ControlGrid::MakeCell(int column) const {
  const GridColumn& col = columns_[column];
  QWidget* cell = nullptr;
  switch (col.kind) {
    case GridColumn::Kind::TextBox: {
      auto* edit = new QLineEdit(frame_);
      if (col.maxLength > 0) edit->setMaxLength(col.maxLength);
      if (!col.fixedFont.isEmpty()) {
        QFont mono(col.fixedFont);
        mono.setStyleHint(QFont::TypeWriter);
        edit->setFont(mono);
      }
      ShowFromStart(edit);
      // The row is read at the time: a widget serves many rows.
      connect(edit, &QLineEdit::textEdited, this, [this, edit, column] {
        if (!quiet_) emit const_cast<ControlGrid*>(this)->CellEdited(edit->property("Index").toInt(), column);
      });
      cell = edit;
      break;
    }
    case GridColumn::Kind::DropDown: {
      auto* combo = new GridDropDown(frame_);
      combo->addItems(col.items);
      combo->setPlaceholderText(col.prompt);
      combo->setCurrentIndex(-1);
      if (col.editable) {
        auto* edit = new QLineEdit(combo);
        edit->setCompleter(NoCompletion());
        combo->setLineEdit(edit);
        edit->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setEditText(col.prompt);
        ShowFromStart(combo->lineEdit());
        connect(combo, &QComboBox::activated, this, [this, combo, column](int k) {
          if (!quiet_)
            emit const_cast<ControlGrid*>(this)->ChoiceEdited(combo->property("Index").toInt(), column, k,
                                                              combo->itemText(k));
        });
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, combo, column](const QString& t) {
          if (!quiet_) emit const_cast<ControlGrid*>(this)->ChoiceEdited(combo->property("Index").toInt(), column, -1, t);
        });
      } else {
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo, column] {
          if (!quiet_) emit const_cast<ControlGrid*>(this)->CellEdited(combo->property("Index").toInt(), column);
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
        if (quiet_) return;  // the program's own change sets the tip once it is done
        UpdateListTip(list);
        emit const_cast<ControlGrid*>(this)->CellEdited(list->property("Index").toInt(), column);
      });
      UpdateListTip(list);
      cell = list;
      break;
    }
  }
  // A turn of the wheel over a cell must not give it the focus (and with it the wheel).
  if (cell->focusPolicy() == Qt::WheelFocus) cell->setFocusPolicy(Qt::StrongFocus);
  cell->setObjectName(col.name);
  cell->installEventFilter(const_cast<ControlGrid*>(this));
  // A list's wheel comes through its viewport, a typed drop-down's through its line edit.
  if (auto* view = qobject_cast<QAbstractScrollArea*>(cell))
    view->viewport()->installEventFilter(const_cast<ControlGrid*>(this));
  if (auto* combo = qobject_cast<QComboBox*>(cell); combo && combo->lineEdit())
    combo->lineEdit()->installEventFilter(const_cast<ControlGrid*>(this));
  return cell;
}

void ControlGrid::UpdateListTip(QListWidget* list) const {
  QStringList names;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->isSelected()) names << list->item(i)->text();
  SetPlainToolTip(list, names.isEmpty() ? QString("(none selected)") : names.join(", "));
}

void ControlGrid::SetColumnLabels(const QStringList& labels) {
  for (int c = 0; c < static_cast<int>(columns_.size()) && c < labels.size(); ++c)
    if (!labels[c].isEmpty()) columns_[c].label = labels[c];
  for (Slot* slot : slotOfRow_)
    if (slot != nullptr)
      for (int c = 0; c < static_cast<int>(columns_.size()); ++c)
        slot->cells[c]->setAccessibleName(QStringLiteral("%1, row %2").arg(GridColumnLabel(columns_[c])).arg(slot->row + 1));
}

bool ControlGrid::NeedsNarrowFace(int column, const QListWidget* list) const {
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

// Only a row that has widgets now shows its marks; the others show them when bound.
void ControlGrid::ShowMark(int row, int column) const {
  if (Slot* slot = row >= 0 && row < static_cast<int>(slotOfRow_.size()) ? slotOfRow_[row] : nullptr)
    SetFieldMark(slot->cells[column], MarkTip(row, column));
}

void ControlGrid::ApplyScroll(int value) {
  // Every row moves by the difference between the value last applied and this one.
  scrollPos_ = value;
  Layout();
}

void ControlGrid::GrowMax(int amount) { scroll_->setMaximum(scroll_->maximum() + amount); }

// ---- cells ----

QWidget* ControlGrid::Cell(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= static_cast<int>(columns_.size())) return nullptr;
  if (Slot* s = slotOfRow_[row]) return s->cells[column];
  // A row outside the frame, asked for by name: it gets widgets of its own until the grid
  // next lays its rows out.
  Slot* slot = nullptr;
  for (const auto& s : slots_)
    if (s->row < 0) slot = s.get();
  if (slot == nullptr) slot = &MakeSlot();
  Bind(*slot, row);
  ChainTabOrder();
  Restack();
  return slot->cells[column];
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
    // The same text with nothing to undo is already what the cell would become.
    if (edit->text() != text || edit->isUndoAvailable() || edit->isRedoAvailable() || edit->isModified())
      edit->setText(text);
    edit->setCursorPosition(0);  // the start of the text in a narrow cell
  } else if (auto* combo = qobject_cast<QComboBox*>(cell)) {
    combo->setCurrentIndex(text.isEmpty() ? -1 : combo->findText(text));
  } else if (auto* list = qobject_cast<QListWidget*>(cell)) {
    const QStringList names = text.split(',', Qt::SkipEmptyParts);
    for (int i = 0; i < list->count(); ++i) list->item(i)->setSelected(names.contains(list->item(i)->text()));
    UpdateListTip(list);
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
  if (auto* cell = dynamic_cast<GridDropDown*>(combo)) cell->Refit();
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
  QLineEdit* edit = combo->lineEdit();
  if (edit->text() != text || edit->isUndoAvailable() || edit->isRedoAvailable() || edit->isModified())
    combo->setEditText(text);
  edit->setCursorPosition(0);  // the start of the text, not its end, in a narrow box
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
  bool changed = false;
  for (int i = 0; i < list->count(); ++i) {
    const bool selected = std::find(indexes.begin(), indexes.end(), i) != indexes.end();
    if (list->item(i)->isSelected() == selected) continue;
    list->item(i)->setSelected(selected);
    changed = true;
  }
  if (changed) UpdateListTip(list);
  quiet_ = false;
}

void ControlGrid::ScrollIntoView(int row) {
  if (row < 0 || row >= RowCount()) return;
  const double top = RowTop(row), bottom = top + TallestCell();
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
  // Every paint and move of every cell passes here; the row is looked up (a property read
  // by name) only for the three events that need it.
  const QEvent::Type type = event->type();
  if (type != QEvent::FocusOut && type != QEvent::FocusIn && type != QEvent::Wheel)
    return QObject::eventFilter(watched, event);
  // The cell itself, or the viewport or line edit inside it.
  auto* cell = qobject_cast<QWidget*>(watched);
  if (cell != nullptr && cell->parentWidget() != frame_) cell = cell->parentWidget();
  if (cell == nullptr || cell->parentWidget() != frame_ || !cell->property("Index").isValid())
    return QObject::eventFilter(watched, event);
  switch (type) {
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
