// What every record reader and writer shares: the warning callback, the line sink
// that collects written lines and too-wide fields, and one-field conversions
// described by a column table.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace kv {

struct FieldSpec;

// Readers raise their warnings through this, in order, and go on reading. A warning
// about one field names it, so that a report can point at its columns. Takes any
// callable on the text alone, or on the text and the field (nullptr for none).
class WarningSink {
 public:
  using Handler = std::function<void(const std::string& text, const FieldSpec* field)>;
  WarningSink() = default;
  template <class F>
    requires(std::is_invocable_v<F&, const std::string&, const FieldSpec*> &&
             !std::is_same_v<std::decay_t<F>, WarningSink>)
  WarningSink(F f) : handler_(std::move(f)) {}
  template <class F>
    requires(std::is_invocable_v<F&, const std::string&> &&
             !std::is_invocable_v<F&, const std::string&, const FieldSpec*>)
  WarningSink(F f) {
    // A function pointer or a std::function may be empty; a lambda never is.
    if constexpr (std::is_pointer_v<F> || requires(const F& g) { g.operator bool(); })
      if (!static_cast<bool>(f)) return;
    handler_ = [f = std::move(f)](const std::string& text, const FieldSpec*) { f(text); };
  }
  void operator()(const std::string& text, const FieldSpec* field = nullptr) const {
    if (handler_) handler_(text, field);
  }
  explicit operator bool() const { return static_cast<bool>(handler_); }

 private:
  Handler handler_;
};

enum class FieldKind {
  Number,       // FormatFixedNumber with implied decimals / ParseNumberField as plain text
  PointNumber,  // FormatFixedNumber with a written point / ParseNumberField(field, 0)
  Station,      // FormatFixedNumber implied / FormatStation
  Angle,        // PackDmsAngle / FormatDmsAngle; degree digits = width - 6, seconds 2 decimals
  Text,         // left-justified text / columns as they stand
};

// A field whose text needed more columns than the field has; the line widens.
struct Overflow {
  std::string window;  // editor window name, e.g. "GirderLine"
  int row = -1;        // grid row, or -1 for a single-record field
  std::string field;   // control name, e.g. "Text1"
  std::string text;    // the text as held
  int first = 0;       // the field's first column
  int width = 0;       // columns the field has
  int used = 0;        // columns the written value took
};

// Where a field of the project stands in the written lines. Window and field names
// are the writers' own static texts.
struct FieldPlace {
  std::string_view window;
  int row = -1;  // grid row, or -1 for a single-record field
  std::string_view field;
  int line = 0;   // index into the written lines
  int first = 0;  // first column, 1-based
  int width = 0;  // columns the field has
  int used = 0;   // columns the written value took
  FieldKind kind = FieldKind::Text;
  int decimals = 0;  // implied (or, for PointNumber, written) decimals
};

// What the writer knows is wrong with what it writes; nothing is refused or changed.
enum class FindingKind {
  TooWide,     // the value takes more columns than its field has: the rest of the line moves
  NotANumber,  // text in a number field, written as blanks
  RowLeftOut,  // a grid row that holds values but is not written
};

struct Finding {
  FindingKind kind;
  std::string window;
  int row = -1;
  std::string field;   // control name; empty for a row left out
  std::string text;    // the text as held; for a row left out, why it is left out
  int line = 0;        // index of the written line; for a row left out, of the line it would have preceded
  int first = 0;       // first column of the field as written
  int width = 0;       // columns the field has
  int used = 0;        // columns the written value took
};

class LineSink {
 public:
  void Line(std::string line) {
    if (file)
      file->append(line).append("\r\n");
    else
      lines.push_back(std::move(line));
    ++lineCount_;
  }
  // Appends the written field to line; records an overflow (and a finding) when it is
  // too wide, a finding when a number field's text comes out as blanks, and where the
  // field stands when mapping.
  void Field(std::string& line, const std::string& written, int width, std::string_view window,
             int row, std::string_view field, std::string_view text,
             FieldKind kind = FieldKind::Text, int decimals = 0);
  // A row of a grid that holds values and is not written, with the reason.
  void RowLeftOut(std::string_view window, int row, std::string_view why);

  std::vector<std::string> lines;  // without line ends
  std::vector<Overflow> overflows;
  std::vector<Finding> findings;   // in file order
  bool mapping = false;            // record every field's place
  std::vector<FieldPlace> places;  // in file order
  // When set, the lines go straight into it, each with CR LF, as Save writes them,
  // and not into lines.
  std::string* file = nullptr;

 private:
  int lineCount_ = 0;
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
// Columns a writer formats by its own rules (codes, marks, descriptions), appended
// through the sink so that their place is known.
void PutWritten(LineSink& out, std::string& line, const FieldSpec& f, const std::string& written,
                std::string_view window, int row = -1);
// A second control written in the same columns as the last field put (the other
// button of an option pair); mapping only.
void AlsoIn(LineSink& out, std::string_view window, int row, std::string_view field);

}  // namespace kv
