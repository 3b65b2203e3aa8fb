// Widgets of the record editors, bound to the project's fields: every edit lands in
// the field at once, and Load() shows the fields again without echoing back.
#pragma once

#include <QCheckBox>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QButtonGroup;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace kv {

class EditorWindow;

class FieldBinder {
 public:
  QLineEdit* Text(QWidget* parent, const char* name, std::string* field);
  // Lines of the field are separated by CR LF, in the box by LF.
  QPlainTextEdit* MultiText(QWidget* parent, const char* name, std::string* field);
  QCheckBox* Check(QWidget* parent, const char* name, const char* text, bool* field);
  // A one-choice list; the field holds the selected index, -1 for none.
  QListWidget* List(QWidget* parent, const char* name, const std::vector<const char*>& items,
                    int* field);
  // Two exclusive option buttons; onPick runs after the user picks one (first: true for
  // the first button).
  std::pair<QRadioButton*, QRadioButton*> Options(QWidget* parent, const char* name1,
                                                  const char* text1, bool* field1,
                                                  const char* name2, const char* text2,
                                                  bool* field2,
                                                  std::function<void(bool first)> onPick = {});
  // Shows every bound field as the project holds it.
  void Load();
  bool loading() const { return loading_; }

 private:
  std::vector<std::function<void()>> loaders_;
  bool loading_ = false;
};

QLabel* MakeLabel(QWidget* parent, const char* text);
// The editor's "Hide" button.
QPushButton* MakeHideButton(EditorWindow* window, const char* name);
// The "Hide" button centred in a row of its own across the grid's columns.
void AddHideRow(EditorWindow* window, QGridLayout* grid, int row, int columns);

// Text boxes and drop-downs of every window show a text longer than their box whole in
// their tip. Once, at start-up.
void ShowWholeTextsInTips();
// Each text box, list and drop-down of a window (grid cells aside) gets the label before
// it on its line, or else just above it, as its buddy and accessible name ("PI Station"),
// so a screen reader names the field. Once the window is laid out.
void NameFieldsByTheirLabels(QWidget* window);
// True when the keyboard focus is on w or inside it.
bool HasFocusIn(const QWidget* w);
// The control takes wheel input only while it has the focus (an item view's viewport
// included); otherwise the wheel does nothing to it.
void TakeWheelOnlyWithFocus(QWidget* w);
// The row of a one-choice list's selected item, -1 when none is selected.
int SelectedRow(const QListWidget* list);

// Places a widget by twips through the window's logical DPI.
void PlaceTwips(QWidget* w, int left, int top, int width, int height);

// A check box whose text wraps inside its width, for long option texts in a fixed layout.
class WrapCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};

}  // namespace kv
