#include "app/editor_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <utility>

#include "app/editor_widgets.h"
#include "app/frm_main.h"

namespace kv {

EditorWindow::EditorWindow(Project& project, QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project) {}

void EditorWindow::CloseForExit() {
  exiting_ = true;
  close();
}

void EditorWindow::NoteEdit(QWidget* inside) {
  if (auto* editor = qobject_cast<EditorWindow*>(inside->window())) emit editor->Edited();
}

void EditorWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!std::exchange(named_, true)) NameFieldsByTheirLabels(this);
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  if (exiting_) {
    event->accept();
    return;
  }
  hide();
  event->ignore();
}

void EditorWindow::ShowMessage(const QString& text) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* main = qobject_cast<frmMain*>(w);
    if (main != nullptr && main->platform().messages != nullptr) {
      main->platform().messages->Show(this, QString::fromLatin1(kProgramTitle), text);
      return;
    }
  }
  QMessageBox::information(this, QString::fromLatin1(kProgramTitle), text);
}

}  // namespace kv
