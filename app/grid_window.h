// The row-grid windows (girder lines, bent lines, dead loads): one window over a table's
// description. The window brings its headings, Frame1 with the rows and VScroll1, and the
// Add, Insert, Delete and Hide buttons; the description says what each column shows and
// how the table grows and shrinks.
#pragma once

#include <Qt>
#include <vector>

#include "app/editor_window.h"
#include "app/grid_binding.h"

namespace kv {

struct GridLabel {
  const char* name;
  const char* text;
  int left, top, width, height;  // twips, in the window
  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
  bool wrap = false;
  bool small = false;  // a smaller font, for a heading over a narrow column
};

struct GridButton {
  enum class Role { Add, Insert, Delete, Hide };
  const char* name;
  const char* caption;
  int left, top, width, height;  // twips
  Role role;
};

struct GridWindowLayout {
  const char* name;   // the window's objectName
  const char* title;  // its caption
  int clientWidth, clientHeight;  // twips
  GridGeometry geometry;          // frame, bar and rows; the scroll values come from the table
  std::vector<GridLabel> labels;  // in the order they are made
  std::vector<GridButton> buttons;
  bool buttonsFirstInTab = false;  // the buttons come before the rows in the Tab order
  const char* fullMessage;         // Add or Insert on a full table
  // What a screen reader calls each column's cells, in column order ("Line Type"); a
  // column left out is called by its heading.
  std::vector<const char*> cellNames = {};
};

class GridWindow : public EditorWindow {
  Q_OBJECT

 public:
  void Refresh() override;

  void AddRecord_Click();
  void Insert_Click();
  void Delete_Click();
  // Keeps the scroll value; the grid itself moves the rows by the difference.
  void VScroll1_Change(int value) { binding_->VScroll1_Change(value); }

  ControlGrid& Grid() const { return binding_->Grid(); }
  ControlGrid& grid() const { return binding_->Grid(); }
  int CurrentRow() const { return binding_->CurrentRow(); }

 protected:
  template <class Table, class Row>
  GridWindow(Project& project, const GridWindowLayout& layout, Table& table, const GridTableDesc<Table, Row>& desc,
             QWidget* parent)
      : EditorWindow(project, parent), layout_(layout) {
    BuildLabels();
    binding_ = new GridBinding(this, table, desc, layout.geometry);
    Finish();
  }

 private:
  void BuildLabels();
  void Finish();

  const GridWindowLayout& layout_;
  GridBinding* binding_ = nullptr;
};

}  // namespace kv
