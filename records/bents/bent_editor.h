// The BentLine window: the bent line table as a grid of control arrays, one row per
// bent line, with Add, Insert and Delete Row and a scroll bar that moves the rows.
#pragma once

#include <array>
#include <vector>

#include "app/editor_window.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QFrame;

namespace kv {

class BentLine : public EditorWindow {
  Q_OBJECT

 public:
  explicit BentLine(Project& project, QWidget* parent = nullptr);

  void Refresh() override;

  void AddRecord_Click();
  void Insert_Click();
  void Delete_Click();
  void VScroll1_Change(int value);

  int CurrentRow() const { return CurrentRow_; }

 private:
  // One row's controls, left to right.
  struct Row {
    QLineEdit* Text1;
    QComboBox* Combo1;
    QLineEdit* Text7;
    QLineEdit* Text2;
    QComboBox* Combo2;
    QLineEdit* Text3;
    QLineEdit* Text4;
    QLineEdit* Text5;
    QLineEdit* Text6;
    QLineEdit* Text8;
    QListWidget* List1;
    int top = 0;  // twips, inside Frame1
    std::array<QWidget*, 11> Cells() const;
  };

  void CreateRow(int top);
  void RemoveLastRow();
  void ShowRow(int i);
  void PlaceRow(Row& r);
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
