// What every record reader and writer shares: the warning callback, the line sink
// that collects written lines and too-wide fields, and one-field conversions
// described by a column table.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Readers raise their warnings through this, in order, and go on reading.
using WarningSink = std::function<void(const std::string&)>;

// A field whose text needed more columns than the field has; the line widens.
struct Overflow {
  std::string window;  // editor window name, e.g. "GirderLine"
  int row = -1;        // grid row, or -1 for a single-record field
  std::string field;   // control name, e.g. "Text1"
  std::string text;    // the text as held
  int width = 0;       // columns the field has
  int used = 0;        // columns the written value took
};

class LineSink {
 public:
  void Line(std::string line) { lines.push_back(std::move(line)); }
  // Appends the written field to line and records an overflow when it is too wide.
  void Field(std::string& line, const std::string& written, int width, std::string_view window,
             int row, std::string_view field, std::string_view text);

  std::vector<std::string> lines;  // without line ends
  std::vector<Overflow> overflows;
};

enum class FieldKind {
  Number,       // FormatFixedNumber with implied decimals / ParseNumberField as plain text
  PointNumber,  // FormatFixedNumber with a written point / ParseNumberField(field, 0)
  Station,      // FormatFixedNumber implied / FormatStation
  Angle,        // PackDmsAngle / FormatDmsAngle; degree digits = width - 6, seconds 2 decimals
  Text,         // left-justified text / columns as they stand
};

// One row of a record's column table.
struct FieldSpec {
  const char* name;  // control name
  int first;         // first column, 1-based
  int width;
  FieldKind kind;
  int decEnglish = 0;
  int decMetric = 0;
  int Decimals(int metricUnits) const { return metricUnits == 1 ? decMetric : decEnglish; }
};

// Display text for the field's columns of a (padded) line.
std::string DecodeField(const FieldSpec& f, std::string_view line, int metricUnits);
// The field's columns for a display text (may be wider than f.width).
std::string EncodeField(const FieldSpec& f, std::string_view text, int metricUnits);
// The number the engine reads for a display text: the text as the writer puts it in
// the field's columns, read back by the engine's own rules (blanks are zeros, implied
// decimals unless a point is written; an angle in decimal degrees).
double FieldValue(const FieldSpec& f, std::string_view text, int metricUnits);
// True when the writer puts nothing but blanks in the field's columns for the text.
bool FieldIsBlank(const FieldSpec& f, std::string_view text, int metricUnits);

// EncodeField, appended to line through the sink so that overflows are recorded.
void PutField(LineSink& out, std::string& line, const FieldSpec& f, std::string_view text,
              int metricUnits, std::string_view window, int row = -1);

}  // namespace kv
