// What every record editor window is: a top-level view on the one Project, created on
// first use and only hidden afterwards, so the values it shows stay in the project.
#pragma once

#include <QWidget>

#include "inputfile/project.h"

class QCloseEvent;

namespace kv {

class EditorWindow : public QWidget {
  Q_OBJECT

 public:
  explicit EditorWindow(Project& project, QWidget* parent = nullptr);

  Project& project() const { return project_; }

  // The project was read anew (File Open): show what it holds now. Called for every
  // created editor, shown or hidden.
  virtual void Refresh() {}

  // The end of the program: the window really closes; the registry then destroys it.
  void CloseForExit();

  // Tells the editor window that holds `inside` that the user changed the project.
  static void NoteEdit(QWidget* inside);

  // Puts the keyboard focus in a field: a form field by name (row -1), or a cell of a
  // grid row (from 0), its row scrolled into view; an empty field is the row's first
  // cell. False when the window has no such field.
  bool FocusField(int row, const QString& field);

 signals:
  // The user changed the project through this window (typing, a pick, a row added,
  // inserted or deleted); not sent when the window shows the project anew.
  void Edited();

 public slots:
  // For the editor's "Hide" button.
  void HideEditor() { hide(); }

 protected:
  // A message box through the main window's message seam (none without a main window).
  void ShowMessage(const QString& text);

  // The frame's close box only hides, like "Hide".
  void closeEvent(QCloseEvent* event) override;
  // The first showing names each field by its label, once the layout has placed them.
  void showEvent(QShowEvent* event) override;

 private:
  Project& project_;
  bool exiting_ = false;
  bool named_ = false;
};

}  // namespace kv
