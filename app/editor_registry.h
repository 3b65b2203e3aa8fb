// The record editors by "&Data Entry" entry: a factory per form, the one window made
// from it on first use, and the order in which they close when the program ends.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "inputfile/project.h"

namespace kv {

class EditorWindow;

// Makes the editor window of a form (top-level, not shown).
using EditorFactory = std::function<EditorWindow*(Project&)>;
using EditorFactories = std::array<EditorFactory, kFormCount>;

// Window names by form, in menu order.
inline constexpr const auto& kEditorWindowNames = kFormWindowNames;

inline constexpr std::array<Form, kFormCount> kEditorClosingOrder = {
    Form::Bent, Form::Cross, Form::Dead, Form::Desc,   Form::Gird,
    Form::Horiz, Form::Ref,  Form::Vert, Form::RoadApp};

// The editors this build has (editor_table.cpp); a form without one has no factory.
EditorFactories DefaultEditorFactories();

class EditorRegistry {
 public:
  EditorRegistry(Project& project, EditorFactories factories);
  ~EditorRegistry();
  EditorRegistry(const EditorRegistry&) = delete;
  EditorRegistry& operator=(const EditorRegistry&) = delete;

  bool HasFactory(Form f) const { return static_cast<bool>(factories_[Index(f)]); }
  // The created window, or nullptr.
  EditorWindow* Window(Form f) const { return windows_[Index(f)]; }
  // The window, created hidden if it does not exist yet; nullptr without a factory.
  EditorWindow* Ensure(Form f);
  // Ensure, then show non-modally and bring to the front.
  EditorWindow* Show(Form f);
  // Every created editor, shown or hidden, shows the project anew.
  void RefreshAll();
  // Closes and destroys the created editors in the closing order.
  void CloseAll();
  // Runs handler after every edit the user makes in any editor (EditorWindow::Edited),
  // every handler given, in order.
  void OnEdited(std::function<void()> handler) { edited_.push_back(std::move(handler)); }

 private:
  static int Index(Form f) { return static_cast<int>(f); }

  Project& project_;
  EditorFactories factories_;
  std::array<EditorWindow*, kFormCount> windows_{};
  std::vector<std::function<void()>> edited_;
};

}  // namespace kv
