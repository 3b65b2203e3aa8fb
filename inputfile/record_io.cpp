#include "inputfile/record_io.h"

#include "inputfile/field_routines.h"

namespace kv {

namespace {

// A line's nominal 80 columns.
constexpr std::size_t kLineRoom = 80;

bool IsNumberKind(FieldKind k) {
  return k == FieldKind::Number || k == FieldKind::PointNumber || k == FieldKind::Station;
}

}  // namespace

void LineSink::Field(std::string& line, const std::string& written, int width,
                     std::string_view window, int row, std::string_view field,
                     std::string_view text, FieldKind kind, int decimals) {
  const int first = int(line.size()) + 1, used = int(written.size());
  const int at = lineCount_;
  // Room for a whole line at its first field, so it is not moved as it grows.
  if (line.capacity() < kLineRoom) line.reserve(kLineRoom);
  line += written;
  if (mapping) places.push_back({window, row, field, at, first, width, used, kind, decimals});
  if (used > width) {
    overflows.push_back({std::string(window), row, std::string(field), std::string(text), first,
                         width, used});
    findings.push_back({FindingKind::TooWide, std::string(window), row, std::string(field),
                        std::string(text), at, first, width, used});
  } else if (IsNumberKind(kind) && IsBlankText(written) && !IsBlankText(text)) {
    findings.push_back({FindingKind::NotANumber, std::string(window), row, std::string(field),
                        std::string(text), at, first, width, used});
  }
}

void LineSink::RowLeftOut(std::string_view window, int row, std::string_view why) {
  findings.push_back({FindingKind::RowLeftOut, std::string(window), row, std::string(),
                      std::string(why), lineCount_, 0, 0, 0});
}

std::string DecodeField(const FieldSpec& f, std::string_view line, int metricUnits) {
  // Read lines are padded, so a field mostly stands inside the line.
  std::string padded;
  std::string_view cols;
  if (f.first >= 1 && f.width >= 0 && std::size_t(f.first - 1 + f.width) <= line.size()) {
    cols = line.substr(std::size_t(f.first - 1), std::size_t(f.width));
  } else {
    padded = Columns(line, f.first, f.width);
    cols = padded;
  }
  switch (f.kind) {
    case FieldKind::Number:
      return NumberFieldText(cols, f.Decimals(metricUnits));
    case FieldKind::PointNumber:
      return NumberFieldText(cols, 0);
    case FieldKind::Station:
      return FormatStation(cols, f.Decimals(metricUnits), metricUnits);
    case FieldKind::Angle:
      return FormatDmsAngle(cols, f.width - 6, 2);
    case FieldKind::Text:
      break;
  }
  return std::string(cols);
}

std::string EncodeField(const FieldSpec& f, std::string_view text, int metricUnits) {
  switch (f.kind) {
    case FieldKind::Number:
    case FieldKind::Station:
      return FormatFixedNumber(text, f.width, f.Decimals(metricUnits), false);
    case FieldKind::PointNumber:
      return FormatFixedNumber(text, f.width, f.Decimals(metricUnits), true);
    case FieldKind::Angle:
      return PackDmsAngle(text, f.width - 6, 2);
    case FieldKind::Text:
      return PadRight(text, f.width);
  }
  return PadRight(text, f.width);
}

double FieldValue(const FieldSpec& f, std::string_view text, int metricUnits) {
  const std::string cols = EncodeField(f, text, metricUnits);
  switch (f.kind) {
    case FieldKind::Number:
    case FieldKind::Station:
      return ParseNumberField(cols, f.Decimals(metricUnits));
    case FieldKind::PointNumber:
      return ParseNumberField(cols, 0);
    case FieldKind::Angle:
      return ParseDmsParts(cols, f.width - 6, 2).Decimal();
    case FieldKind::Text:
      return ParseNumberField(cols, 0);
  }
  return 0;
}

bool FieldIsBlank(const FieldSpec& f, std::string_view text, int metricUnits) {
  return EncodeField(f, text, metricUnits).find_first_not_of(' ') == std::string::npos;
}

void PutField(LineSink& out, std::string& line, const FieldSpec& f, std::string_view text,
              int metricUnits, std::string_view window, int row) {
  out.Field(line, EncodeField(f, text, metricUnits), f.width, window, row, f.name, text, f.kind,
            f.Decimals(metricUnits));
}

void PutWritten(LineSink& out, std::string& line, const FieldSpec& f, const std::string& written,
                std::string_view window, int row) {
  out.Field(line, written, f.width, window, row, f.name, written, FieldKind::Text);
}

void AlsoIn(LineSink& out, std::string_view window, int row, std::string_view field) {
  if (!out.mapping || out.places.empty()) return;
  FieldPlace again = out.places.back();
  again.window = window, again.row = row, again.field = field;
  out.places.push_back(again);
}

}  // namespace kv
