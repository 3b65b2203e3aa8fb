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
    if constexpr (std::is_constructible_v<bool, const F&>)
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

class LineSink {
 public:
  void Line(std::string line) { lines.push_back(std::move(line)); }
  // Appends the written field to line and records an overflow when it is too wide.
  void Field(std::string& line, const std::string& written, int first, int width,
             std::string_view window, int row, std::string_view field, std::string_view text);

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
// EncodeField, appended to line through the sink so that overflows are recorded.
void PutField(LineSink& out, std::string& line, const FieldSpec& f, std::string_view text,
              int metricUnits, std::string_view window, int row = -1);

}  // namespace kv
