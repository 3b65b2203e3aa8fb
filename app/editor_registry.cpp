#include "app/editor_registry.h"

#include <QPushButton>

#include "app/editor_widgets.h"
#include "app/editor_window.h"

namespace kv {

EditorRegistry::EditorRegistry(Project& project, EditorFactories factories)
    : project_(project), factories_(std::move(factories)) {}

EditorRegistry::~EditorRegistry() {
  for (EditorWindow*& w : windows_) {
    delete w;
    w = nullptr;
  }
}

EditorWindow* EditorRegistry::Ensure(Form f) {
  EditorWindow*& w = windows_[Index(f)];
  if (w == nullptr && factories_[Index(f)]) {
    w = factories_[Index(f)](project_);
    if (w != nullptr && w->objectName().isEmpty()) {
      w->setObjectName(QString::fromLatin1(kEditorWindowNames[Index(f)]));
    }
    if (w != nullptr) {
      // A window's buttons (Add, Insert and Delete Row) change the project; they are
      // connected after the window's own handlers, so the edit is done by then.
      for (QPushButton* b : w->findChildren<QPushButton*>())
        QObject::connect(b, &QPushButton::clicked, w, [b] { EditorWindow::NoteEdit(b); });
      QObject::connect(w, &EditorWindow::Edited, w, [this] {
        for (const auto& handler : edited_) handler();
      });
    }
  }
  return w;
}

EditorWindow* EditorRegistry::Show(Form f) {
  EditorWindow* w = Ensure(f);
  if (w == nullptr) return nullptr;
  // A minimized editor comes back as it was before, in front.
  if (w->isMinimized()) w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
  w->show();
  w->raise();
  w->activateWindow();
  return w;
}

void EditorRegistry::RefreshAll() {
  for (EditorWindow* w : windows_) {
    if (w != nullptr) w->Refresh();
  }
}

void EditorRegistry::CloseAll() {
  for (Form f : kEditorClosingOrder) {
    EditorWindow*& w = windows_[Index(f)];
    if (w == nullptr) continue;
    w->CloseForExit();
    delete w;
    w = nullptr;
  }
}

}  // namespace kv
