#include "records/alignment/vertical_record.h"

#include "inputfile/project.h"

namespace kv {
namespace {

constexpr const char* kWindow = "Vertical";

struct VertField {
  FieldSpec cols;
  std::string VerticalData::*text;
};

// In file order. Grades carry 6 implied decimals in both units.
const VertField kFields[] = {
    {{"GradeIn", 3, 9, FieldKind::Number, 6, 6}, &VerticalData::GradeIn},
    {{"InLength1", 12, 6, FieldKind::Number, 2, 3}, &VerticalData::InLength1},
    {{"PISta1", 18, 9, FieldKind::Station, 2, 3}, &VerticalData::PISta1},
    {{"PIElev1", 27, 9, FieldKind::Number, 4, 5}, &VerticalData::PIElev1},
    {{"OutLength1", 36, 6, FieldKind::Number, 2, 3}, &VerticalData::OutLength1},
    {{"InLength2", 42, 6, FieldKind::Number, 2, 3}, &VerticalData::InLength2},
    {{"PISta2", 48, 9, FieldKind::Station, 2, 3}, &VerticalData::PISta2},
    {{"PIElev2", 57, 9, FieldKind::Number, 4, 5}, &VerticalData::PIElev2},
    {{"OutLength2", 66, 6, FieldKind::Number, 2, 3}, &VerticalData::OutLength2},
    {{"GradeOut", 72, 9, FieldKind::Number, 6, 6}, &VerticalData::GradeOut},
};

// The first curve and the grade out are read before the second curve.
constexpr int kReadOrder[] = {0, 1, 2, 3, 4, 9, 5, 6, 7, 8};

}  // namespace

void ReadVerticalRecord(std::string_view line, Project& p, const WarningSink&) {
  p.Mark(Form::Vert);
  for (int i : kReadOrder)
    p.Vertical.*kFields[i].text = DecodeField(kFields[i].cols, line, p.MetricUnits);
}

const FieldSpec& VerticalField(std::string VerticalData::*text) {
  for (const VertField& f : kFields)
    if (f.text == text) return f.cols;
  return kFields[0].cols;  // every text of the record is in the table
}

void WriteVerticalRecord(const Project& p, LineSink& out) {
  std::string line = "02";
  for (const VertField& f : kFields)
    PutField(out, line, f.cols, p.Vertical.*f.text, p.MetricUnits, kWindow);
  out.Line(std::move(line));
}

}  // namespace kv
