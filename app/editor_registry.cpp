#include "app/editor_registry.h"

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
      QObject::connect(w, &EditorWindow::Edited, w, [this] {
        if (edited_) edited_();
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
