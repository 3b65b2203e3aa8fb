#include "inputfile/column_map.h"

#include <algorithm>

#include "inputfile/input_file.h"

namespace kv {
namespace {

std::string Range(int first, int width) {
  const int last = first + std::max(width, 1) - 1;
  return last > first ? std::to_string(first) + "-" + std::to_string(last) : std::to_string(first);
}

std::string Where(const Finding& f) {
  std::string where = f.window;
  if (f.row >= 0) where += " row " + std::to_string(f.row + 1);
  return where;
}

}  // namespace

ColumnMap MapColumns(const Project& p) {
  LineSink out;
  out.mapping = true;
  // Room for the places of the single records and of every grid row (at most 16
  // fields a row), so mapping does not regrow.
  out.places.reserve(64 + 16 * (p.CrossTrans.rows.size() + p.GirderLine.rows.size() +
                                 p.BentLine.rows.size() + p.DeadLoad.rows.size()));
  WriteProjectLines(p, out);
  return {std::move(out.lines), std::move(out.places), std::move(out.findings)};
}

std::vector<Finding> WriteFindings(const Project& p) {
  std::string file;
  LineSink out;
  out.file = &file;  // the lines are not kept
  WriteProjectLines(p, out);
  return std::move(out.findings);
}

std::vector<const FieldPlace*> ColumnMap::Find(std::string_view window, int row,
                                               std::string_view field) const {
  std::vector<const FieldPlace*> found;
  for (const FieldPlace& p : places)
    if (p.row == row && p.field == field && p.window == window) found.push_back(&p);
  return found;
}

const FieldPlace* ColumnMap::At(int line, int column) const {
  for (const FieldPlace& p : places)
    if (p.line == line && column >= p.first && column < p.first + std::max(p.used, 1)) return &p;
  return nullptr;
}

std::vector<const Finding*> ColumnMap::FindingsOf(std::string_view window, int row,
                                                  std::string_view field) const {
  std::vector<const Finding*> found;
  for (const Finding& f : findings)
    if (f.window == window && f.row == row && (f.field.empty() || f.field == field))
      found.push_back(&f);
  return found;
}

std::string DescribeFinding(const Finding& f) {
  switch (f.kind) {
    case FindingKind::TooWide:
      return Where(f) + ", " + f.field + ": \"" + f.text + "\" takes " + std::to_string(f.used) +
             " columns; the field has " + std::to_string(f.width);
    case FindingKind::NotANumber:
      return Where(f) + ", " + f.field + ": \"" + f.text + "\" is not a number; written as " +
             std::to_string(f.width) + " blanks";
    case FindingKind::RowLeftOut:
      return Where(f) + ": not written; " + f.text;
  }
  return Where(f);
}

std::string FindingPlaceText(const Finding& f) {
  const std::string line = "line " + std::to_string(f.line + 1);
  switch (f.kind) {
    case FindingKind::TooWide:
      return line + ", columns " + Range(f.first, f.used);
    case FindingKind::NotANumber:
      return line + ", columns " + Range(f.first, f.width);
    case FindingKind::RowLeftOut:
      return "after line " + std::to_string(f.line);
  }
  return line;
}

std::string FieldFormatText(const FieldPlace& p) {
  const std::string w = std::to_string(p.width);
  switch (p.kind) {
    case FieldKind::PointNumber:
      return w + "." + std::to_string(p.decimals) + " digits";
    case FieldKind::Number:
    case FieldKind::Station:
      if (p.decimals == 0) return w + " digits";
      return w + " digits, " + std::to_string(p.decimals) + " implied decimals";
    case FieldKind::Angle:
      return "angle, " + std::to_string(p.width - 6) +
             "+2+4 digits: degrees, minutes, seconds with 2 implied decimals";
    case FieldKind::Text:
      break;
  }
  return w + (p.width == 1 ? " character" : " characters");
}

std::string FieldPlaceText(const ColumnMap& m, const std::vector<const FieldPlace*>& places) {
  if (places.empty()) return {};
  const FieldPlace& p = *places.front();
  std::string text = m.lines[p.line].substr(0, 2) + " " + std::string(p.field);
  if (p.row >= 0) text += " row " + std::to_string(p.row + 1);
  text += ", columns ";
  for (std::size_t i = 0; i < places.size(); ++i)
    text += (i ? ", " : "") + Range(places[i]->first, places[i]->width);
  return text + ", " + FieldFormatText(p);
}

}  // namespace kv
