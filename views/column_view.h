// The column view: the lines Save would write now, in a fixed-pitch font under a ruler
// of columns 1 to 80, the field under the keyboard focus highlighted with its columns
// in the status line, and the findings of the column map listed in file order.
// Clicking a field, or a finding, asks for that field's editor (FieldChosen).
#pragma once

#include <QAbstractScrollArea>
#include <QWidget>
#include <memory>
#include <string>

#include "inputfile/column_map.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace kv {

// The lines under their ruler, with a line number before each.
class ColumnText : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit ColumnText(QWidget* parent = nullptr);

  void SetMap(std::shared_ptr<const ColumnMap> map);
  // The places to highlight (those of the field under the focus); its line comes into view.
  void SetHighlight(std::vector<FieldPlace> places);
  const std::vector<FieldPlace>& Highlight() const { return highlight_; }

  // Line (from 0) and column (from 1) at a point of the viewport; -1 outside the lines.
  std::pair<int, int> LineColumnAt(const QPoint& p) const;
  // The viewport point at the middle of a column of a line, for clicks.
  QPoint PointOf(int line, int column) const;

  QSize sizeHint() const override;

 signals:
  void Clicked(int line, int column);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  int CharWidth() const;
  int LineHeight() const;
  int Gutter() const;
  int RulerHeight() const;
  int Columns() const;  // the widest line, at least 80
  int ColumnX(int column) const;
  void UpdateScrollBars();

  std::shared_ptr<const ColumnMap> map_;
  std::vector<FieldPlace> highlight_;
};

class ColumnView : public QWidget {
  Q_OBJECT

 public:
  explicit ColumnView(QWidget* parent = nullptr);

  // The project's map anew (after every edit).
  void ShowMap(std::shared_ptr<const ColumnMap> map);
  // The control under the keyboard focus: highlighted, and named in the status line.
  // An empty window clears nothing: the last field stays highlighted.
  void ShowFocus(const std::string& window, int row, const std::string& field);
  // What the view shows.
  const ColumnMap* Map() const { return map_.get(); }

  ColumnText* Text = nullptr;
  QLabel* lblFindings = nullptr;
  QListWidget* lstFindings = nullptr;
  QLabel* lblStatus = nullptr;

 signals:
  // The user asked for a field (row and field from a grid; an empty field for a row).
  void FieldChosen(const QString& window, int row, const QString& field);
  void VisibilityChanged(bool visible);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void ShowStatus();
  void ChooseFinding(QListWidgetItem* item);

  std::shared_ptr<const ColumnMap> map_;
  std::string focusWindow_, focusField_;
  int focusRow_ = -1;
  QStringList shownFindings_;
};

}  // namespace kv
