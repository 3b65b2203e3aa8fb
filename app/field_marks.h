// The editors' live marks: a red frame inside a field's box and a tooltip that says
// what Save will make of it, for every finding of the column map. One place sets them
// (EditorMarks); a grid keeps the marks of its rows by row index (ControlGrid::SetCellMark).
#pragma once

#include <QString>
#include <map>
#include <string>
#include <tuple>
#include <vector>

class QWidget;

namespace kv {

class EditorRegistry;
struct Finding;

// Frames w in red and shows `tip` as its tooltip, above the tooltip it has of its own;
// an empty tip takes the mark away. Doing it again with the same tip changes nothing.
void SetFieldMark(QWidget* w, const QString& tip);
// True when w carries a mark.
bool HasFieldMark(const QWidget* w);
// A control's own tooltip, kept below a mark it may carry.
void SetPlainToolTip(QWidget* w, const QString& tip);
// The form field of that name in an editor window: not a grid cell (which carries
// its row as "Index"). nullptr when there is none.
QWidget* FormField(QWidget* window, const QString& name);

// The tooltip text of a finding on its field or row: what the field needs and has, or
// why the row is not written.
QString FindingTip(const Finding& f);

class EditorMarks {
 public:
  // Marks what the findings name in every editor that exists and takes away the marks
  // of findings that are gone. A field or row with several findings shows them all.
  void Apply(const std::vector<Finding>& findings, EditorRegistry& editors);

 private:
  using Key = std::tuple<std::string, int, std::string>;  // window, row, field ("" for a row)
  std::map<Key, QString> shown_;
};

}  // namespace kv
