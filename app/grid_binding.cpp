#include "app/grid_binding.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QScrollBar>

namespace kv {

QStringList DropDownEntries(QWidget* cell) {
  QStringList out;
  if (auto* combo = qobject_cast<QComboBox*>(cell))
    for (int k = 0; k < combo->count(); ++k) out << combo->itemText(k);
  return out;
}

GridBinding::~GridBinding() = default;

void GridBinding::Init(QWidget* host, std::vector<GridColumn> columns, GridGeometry geometry) {
  // A new window starts at the top of the table.
  geometry.ScrollFrom(table_->Scroll());
  table_->Scroll().Pos = 0;
  grid_ = new ControlGrid(host, std::move(columns), geometry);
  // While the whole table is shown anew, rows that get widgets wait for the one showing.
  grid_->SetRowBinder([this](int row) {
    if (!refreshing_) table_->Show(*grid_, row);
  });
  connect(grid_->ScrollBar(), &QScrollBar::valueChanged, this, &GridBinding::VScroll1_Change);
  connect(grid_, &ControlGrid::CellEdited, this, [this](int row, int column) {
    if (!loading_) table_->Edited(*grid_, row, column);
  });
  connect(grid_, &ControlGrid::ChoiceEdited, this, [this](int row, int column, int index, const QString& text) {
    if (!loading_) table_->Picked(*grid_, row, column, index, text);
  });
}

void GridBinding::VScroll1_Change(int value) {
  // The grid has moved the rows; the table keeps the value it applied.
  if (!loading_) table_->Scroll().Pos = static_cast<int16_t>(value);
}

void GridBinding::SyncScrollBar() {
  const GridScroll& s = table_->Scroll();
  QScrollBar* bar = grid_->ScrollBar();
  const bool was = loading_;
  loading_ = true;
  bar->setSingleStep(s.Small);
  bar->setPageStep(s.Large);
  // The value first, within a range that holds both, so the rows move by the difference.
  bar->setMaximum(std::max<int>(s.Max, bar->value()));
  bar->setValue(s.Pos);
  bar->setMaximum(s.Max);
  loading_ = was;
}

void GridBinding::Refresh() {
  const int n = table_->Rows();
  loading_ = refreshing_ = true;
  grid_->TrimRows(n);
  // Back to the table's scroll value first: rows appended then line up with the rest.
  SyncScrollBar();
  grid_->AddRows(n - grid_->RowCount());
  refreshing_ = false;
  grid_->ShowRows(0);
  loading_ = false;
}

bool GridBinding::AddRow() {
  if (!table_->Add()) return false;
  grid_->AddRow();
  SyncScrollBar();
  return true;
}

bool GridBinding::InsertRow() {
  const int at = grid_->CurrentRow();
  if (!table_->Insert(at)) return false;
  grid_->AddRow();
  grid_->ShowRows(at);
  SyncScrollBar();
  return true;
}

void GridBinding::DeleteRow() {
  const int at = grid_->CurrentRow();
  table_->Delete(at);
  grid_->ShowRows(at);
}

}  // namespace kv
