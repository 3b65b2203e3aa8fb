// The DeadLoad window: the dead-load deflection table as a grid of text boxes, one
// row per "07" line, with Add, Insert and Delete Row and a scroll bar that moves the rows.
#pragma once

#include <array>
#include <vector>

#include "app/editor_window.h"

class QFrame;
class QLineEdit;
class QScrollBar;

namespace kv {

class DeadLoad : public EditorWindow {
  Q_OBJECT

 public:
  explicit DeadLoad(Project& project, QWidget* parent = nullptr);

  void Refresh() override;

  void AddRecord_Click();
  void Insert_Click();
  void Delete_Click();
  void VScroll1_Change(int value);

  int CurrentRow() const { return CurrentRow_; }

 private:
  // One row's boxes in grid order: Text1, Text2, Text14, Text3 ... Text13.
  struct Row {
    std::array<QLineEdit*, 14> cells{};
    int top = 0;  // twips, inside Frame1
  };

  void CreateRow(int top);
  void RemoveLastRow();
  void ShowRow(int i);
  void PlaceRow(const Row& r);
  void SyncScrollBar();
  void FocusChanged(QWidget* old);
  int Px(double twips) const;

  QFrame* Frame1_ = nullptr;
  QScrollBar* VScroll1_ = nullptr;
  std::vector<Row> rows_;
  int16_t CurrentRow_ = 0;
  bool loading_ = false;
};

}  // namespace kv
