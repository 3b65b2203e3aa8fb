#include "inputfile/record_io.h"

#include "inputfile/field_routines.h"

namespace kv {

void LineSink::Field(std::string& line, const std::string& written, int width,
                     std::string_view window, int row, std::string_view field,
                     std::string_view text) {
  line += written;
  if (int(written.size()) > width)
    overflows.push_back({std::string(window), row, std::string(field), std::string(text), width,
                         int(written.size())});
}

std::string DecodeField(const FieldSpec& f, std::string_view line, int metricUnits) {
  const std::string cols = Columns(line, f.first, f.width);
  switch (f.kind) {
    case FieldKind::Number:
      return PlainDecimalText(ParseNumberField(cols, f.Decimals(metricUnits)));
    case FieldKind::PointNumber:
      return PlainDecimalText(ParseNumberField(cols, 0));
    case FieldKind::Station:
      return FormatStation(cols, f.Decimals(metricUnits), metricUnits);
    case FieldKind::Angle:
      return FormatDmsAngle(cols, f.width - 6, 2);
    case FieldKind::Text:
      return cols;
  }
  return cols;
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
  out.Field(line, EncodeField(f, text, metricUnits), f.width, window, row, f.name, text);
}

}  // namespace kv
