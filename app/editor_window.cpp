#include "app/editor_window.h"

#include <QCloseEvent>

namespace kv {

EditorWindow::EditorWindow(Project& project, QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project) {}

void EditorWindow::CloseForExit() {
  exiting_ = true;
  close();
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  if (exiting_) {
    event->accept();
    return;
  }
  hide();
  event->ignore();
}

}  // namespace kv
