// A grid over one of the project's tables: the description of the table (which row field
// each column shows, how a row is appended, inserted and deleted, its scroll values), and
// the binding that keeps a ControlGrid showing it. The rows live in the table only; the
// grid's widgets show the rows they are bound to and write every edit straight back.
//
//   const GridTableDesc<BentTable, BentRow> desc = {
//       &BentTable::rows, &BentTable::scroll, AddBentRow, InsertBentRow, DeleteBentRow,
//       {{{GridColumn::Kind::TextBox, "Text1", 0, 852}, {.text = &BentRow::Text1}}, ...}};
//   GridBinding binding(window, project.BentLine, desc, geometry);
//   binding.Refresh();                // the table was read anew
//   binding.AddRow();                 // false when the table is full
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/control_grid.h"
#include "inputfile/grid_scroll.h"

namespace kv {

// Which field of a row one column shows.
template <class Row>
struct GridField {
  std::string Row::*text = nullptr;  // a text box's text
  // A drop-down: the chosen entry (-1: none), what a box that accepts typing shows, and
  // the table's own way to choose entry k (it may change more of the row).
  int Row::*chosen = nullptr;
  std::string Row::*shown = nullptr;
  void (*pick)(Row&, int) = nullptr;
  bool pickChangesRow = false;  // the pick changes other cells: the row is shown again
  std::vector<std::string> Row::*entries = nullptr;  // entries that differ from row to row
  bool Row::*enabled = nullptr;                       // the cell takes input only when true
  std::span<bool> (*options)(Row&) = nullptr;         // an option list's selections
};

template <class Row>
struct GridColumnDesc {
  GridColumn column;
  GridField<Row> field;
};

template <class Table, class Row>
struct GridTableDesc {
  std::vector<Row> Table::*rows;
  GridScroll Table::*scroll;
  bool (*add)(Table&);                  // appends an empty row; false when full
  bool (*insert)(Table&, int) = nullptr;  // an empty row at a row; false when full
  void (*remove)(Table&, int) = nullptr;  // deletes a row, the last one emptied
  std::vector<GridColumnDesc<Row>> columns;
};

// The entries a drop-down cell offers now.
QStringList DropDownEntries(QWidget* cell);

// What the binding asks of a table, whatever its row type.
class GridTable {
 public:
  virtual ~GridTable() = default;
  virtual int Rows() const = 0;
  virtual GridScroll& Scroll() = 0;
  virtual bool Add() = 0;
  virtual bool Insert(int row) = 0;
  virtual void Delete(int row) = 0;
  virtual void Show(ControlGrid& grid, int row) = 0;
  virtual void Edited(ControlGrid& grid, int row, int column) = 0;
  virtual void Picked(ControlGrid& grid, int row, int column, int index, const QString& text) = 0;
};

template <class Table, class Row>
class GridTableOf final : public GridTable {
 public:
  GridTableOf(Table& table, const GridTableDesc<Table, Row>& desc) : table_(table), desc_(desc) {}

  int Rows() const override { return static_cast<int>((table_.*desc_.rows).size()); }
  GridScroll& Scroll() override { return table_.*desc_.scroll; }
  bool Add() override { return desc_.add(table_); }
  bool Insert(int row) override { return desc_.insert != nullptr && desc_.insert(table_, row); }
  void Delete(int row) override {
    if (desc_.remove != nullptr) desc_.remove(table_, row);
  }

  void Show(ControlGrid& grid, int row) override {
    Row& r = At(row);
    for (int c = 0; c < static_cast<int>(desc_.columns.size()); ++c) {
      const GridColumn& column = desc_.columns[c].column;
      const GridField<Row>& f = desc_.columns[c].field;
      if (f.text != nullptr) grid.SetCellText(row, c, Text(r.*f.text));
      if (f.entries != nullptr) {
        QStringList entries;
        for (const std::string& e : r.*f.entries) entries << Text(e);
        if (DropDownEntries(grid.Cell(row, c)) != entries) grid.SetItems(row, c, entries, column.prompt);
      }
      if (f.chosen != nullptr) {
        if (f.shown != nullptr) grid.ShowChoice(row, c, r.*f.chosen, Text(r.*f.shown));
        else grid.SetChosenIndex(row, c, r.*f.chosen);
      }
      if (f.options != nullptr) {
        std::vector<int> selected;
        const std::span<bool> options = f.options(r);
        for (int k = 0; k < static_cast<int>(options.size()); ++k)
          if (options[k]) selected.push_back(k);
        grid.SetSelectedIndexes(row, c, selected);
      }
      if (f.enabled != nullptr) grid.Cell(row, c)->setEnabled(r.*f.enabled);
    }
  }

  void Edited(ControlGrid& grid, int row, int column) override {
    if (row < 0 || row >= Rows()) return;
    Row& r = At(row);
    const GridField<Row>& f = desc_.columns[column].field;
    if (f.text != nullptr) {
      r.*f.text = grid.CellText(row, column).toLatin1().toStdString();
    } else if (f.options != nullptr) {
      const std::span<bool> options = f.options(r);
      std::fill(options.begin(), options.end(), false);
      for (int k : grid.SelectedIndexes(row, column))
        if (k >= 0 && k < static_cast<int>(options.size())) options[k] = true;
    } else if (f.chosen != nullptr) {
      Picked(grid, row, column, grid.ChosenIndex(row, column), QString());
    }
  }

  // A pick chooses the entry; typing only changes what the box shows, nothing is chosen then.
  void Picked(ControlGrid& grid, int row, int column, int index, const QString& text) override {
    if (row < 0 || row >= Rows()) return;
    Row& r = At(row);
    const GridField<Row>& f = desc_.columns[column].field;
    if (index < 0) {
      r.*f.chosen = -1;
      if (f.shown != nullptr) r.*f.shown = text.toLatin1().toStdString();
      return;
    }
    if (f.pick != nullptr) f.pick(r, index);
    else r.*f.chosen = index;
    if (f.pickChangesRow) Show(grid, row);
  }

 private:
  Row& At(int row) { return (table_.*desc_.rows)[static_cast<std::size_t>(row)]; }
  static QString Text(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

  Table& table_;
  const GridTableDesc<Table, Row>& desc_;
};

// Keeps a ControlGrid showing a table: as many rows, the table's scroll values in VScroll1,
// every edit written into the row at once.
class GridBinding : public QObject {
  Q_OBJECT

 public:
  template <class Table, class Row>
  GridBinding(QWidget* host, Table& table, const GridTableDesc<Table, Row>& desc, GridGeometry geometry)
      : QObject(host), table_(std::make_unique<GridTableOf<Table, Row>>(table, desc)) {
    std::vector<GridColumn> columns;
    for (const GridColumnDesc<Row>& c : desc.columns) columns.push_back(c.column);
    Init(host, std::move(columns), geometry);
  }
  ~GridBinding() override;

  ControlGrid& Grid() const { return *grid_; }
  int CurrentRow() const { return grid_->CurrentRow(); }

  // The table was read anew: as many rows as it holds, its scroll values, every row shown.
  void Refresh();
  // Append, insert at CurrentRow, delete CurrentRow; false when the table is full.
  bool AddRow();
  bool InsertRow();
  void DeleteRow();
  // The scroll value the grid last applied, kept in the table (GirderScrollPos, ...).
  void VScroll1_Change(int value);

 private:
  void Init(QWidget* host, std::vector<GridColumn> columns, GridGeometry geometry);
  void SyncScrollBar();

  std::unique_ptr<GridTable> table_;
  ControlGrid* grid_ = nullptr;
  bool loading_ = false;
  bool refreshing_ = false;
};

}  // namespace kv
