#include "views/column_checks.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QScrollBar>

#include "app/editor_window.h"
#include "app/frm_main.h"
#include "views/column_view.h"

namespace kv {
namespace {

std::string Bytes(const QString& s) { return s.toLatin1().toStdString(); }

}  // namespace

ColumnChecks::ColumnChecks(frmMain& window, QAction* menuEntry)
    : window_(window), menuEntry_(menuEntry) {
  timer_.setSingleShot(true);
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, &ColumnChecks::Update);
  window.editors().OnEdited([self = QPointer<ColumnChecks>(this)] {
    if (self) self->Schedule();
  });
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusChanged(now); });
}

ColumnChecks::~ColumnChecks() { delete view_; }

ColumnView* ColumnChecks::View() const { return view_; }

void ColumnChecks::Schedule() { timer_.start(); }

void ColumnChecks::Update() {
  timer_.stop();
  // The marks need the findings only; the lines and every field's place only the view.
  if (!view_ || !view_->isVisible()) {
    map_.reset();
    marks_.Apply(WriteFindings(window_.project()), window_.editors());
    return;
  }
  map_ = std::make_shared<const ColumnMap>(MapColumns(window_.project()));
  marks_.Apply(map_->findings, window_.editors());
  view_->ShowMap(map_);
}

void ColumnChecks::ShowView(bool show) {
  if (!show) {
    if (view_) view_->hide();
    return;
  }
  if (!view_) {
    // A window of its own that goes with the main window.
    view_ = new ColumnView(&window_);
    connect(view_, &ColumnView::FieldChosen, this, &ColumnChecks::Reveal);
    connect(view_, &ColumnView::VisibilityChanged, menuEntry_, &QAction::setChecked);
  }
  if (!map_) map_ = std::make_shared<const ColumnMap>(MapColumns(window_.project()));
  view_->ShowMap(map_);
  view_->ShowFocus(focusWindow_, focusRow_, focusField_);
  view_->show();
  view_->raise();
}

void ColumnChecks::FocusChanged(QWidget* now) {
  auto* editor = now != nullptr ? qobject_cast<EditorWindow*>(now->window()) : nullptr;
  if (editor == nullptr || qobject_cast<QPushButton*>(now) || qobject_cast<QScrollBar*>(now)) return;
  // The control itself, or the box it is part of (a drop-down's line edit, a list).
  for (QWidget* w = now; w != nullptr && w != editor; w = w->parentWidget()) {
    const QString name = w->objectName();
    if (!w->property("Index").isValid() && (name.isEmpty() || name.startsWith(QLatin1String("qt_")))) continue;
    focusWindow_ = Bytes(editor->objectName());
    focusRow_ = w->property("Index").isValid() ? w->property("Index").toInt() : -1;
    focusField_ = Bytes(name);
    if (view_) view_->ShowFocus(focusWindow_, focusRow_, focusField_);
    return;
  }
}

void ColumnChecks::Reveal(const QString& window, int row, const QString& field) {
  window_.RevealField(window, row, field);
}

}  // namespace kv
