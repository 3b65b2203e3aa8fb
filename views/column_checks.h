// Keeps the column map of the project current: after every edit (and File Open) it is
// built anew, the editors' marks follow it, and the column view, when it is shown,
// shows it (while it is not, only the findings are built). It follows the keyboard
// focus through the editors for the view, and brings the editor of a field the view
// asks for to the front with the focus in that field.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <string>

#include "app/field_marks.h"
#include "inputfile/column_map.h"

class QAction;

namespace kv {

class ColumnView;
class frmMain;

class ColumnChecks : public QObject {
  Q_OBJECT

 public:
  // Follows the window's editors; `menuEntry` is the view's checkable menu entry.
  ColumnChecks(frmMain& window, QAction* menuEntry);
  ~ColumnChecks() override;

  // Builds the map anew once the current event is done (edits come in bursts).
  void Schedule();
  // Builds it now.
  void Update();

  // Shows or hides the view, created on first use.
  void ShowView(bool show);
  ColumnView* View() const;

  // The editor of a field to the front, the focus in the field (for a row: its first cell).
  void Reveal(const QString& window, int row, const QString& field);

 private:
  void FocusChanged(QWidget* now);

  frmMain& window_;
  QAction* menuEntry_;
  QTimer timer_;
  std::shared_ptr<const ColumnMap> map_;
  EditorMarks marks_;
  QPointer<ColumnView> view_;
  std::string focusWindow_, focusField_;
  int focusRow_ = -1;
};

}  // namespace kv
