// The three post-processor dialogs. Each is a top-level window of its own, shown
// non-modally, at most once per main window; "OK" starts a run and closes it unless the
// file dialog was cancelled. They outlive a closed main window, not a destroyed one.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "app/editor_widgets.h"

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace kv {

class frmMain;

class PostDialog : public QWidget {
  Q_OBJECT

 public:
  frmMain* main() const { return main_; }
  QPushButton* Command1 = nullptr;

 protected:
  PostDialog(frmMain& main, const char* name, const char* caption);
  // Enter presses "OK", as its default look promises.
  void keyPressEvent(QKeyEvent* event) override;
  // Adds "OK" below the fields and connects it.
  void FinishLayout(QGridLayout* grid, int row, int columns);
  // The run of this dialog; it calls `finished` when it is over (after its wait, for
  // the camber run), and the dialog closes then. A cancelled file dialog never calls
  // it, so the dialog stays open.
  virtual void Run(std::function<void()> finished) = 0;

 private:
  void Command1_Click();
  QPointer<frmMain> main_;
};

class Camber : public PostDialog {
  Q_OBJECT
 public:
  explicit Camber(frmMain& main);
  QLineEdit* GirderSelect;

 protected:
  void Run(std::function<void()> finished) override;
};

class Stick : public PostDialog {
  Q_OBJECT
 public:
  explicit Stick(frmMain& main);
  QComboBox* cmbOutType;
  // The code of the chosen type, 0 when none is chosen.
  int OutputCode() const;

 protected:
  void Run(std::function<void()> finished) override;
};

class ProjectCoord : public PostDialog {
  Q_OBJECT
 public:
  explicit ProjectCoord(frmMain& main);
  QLineEdit *NorthOff, *EastOff, *NorS, *Degrees, *Minutes, *Seconds, *EorW;

 protected:
  void Run(std::function<void()> finished) override;
};

// The dialog of type T for this main window, created when there is none, then shown.
template <class T>
T* ShowPostDialog(frmMain& main) {
  T* dialog = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* t = qobject_cast<T*>(w);
    if (t != nullptr && t->main() == &main) dialog = t;
  }
  const bool made = dialog == nullptr;
  if (made) dialog = new T(main);
  dialog->show();
  if (made) NameFieldsByTheirLabels(dialog);  // laid out once shown
  dialog->raise();
  dialog->activateWindow();
  return dialog;
}

}  // namespace kv
