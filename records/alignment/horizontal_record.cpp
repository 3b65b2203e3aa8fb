#include "records/alignment/horizontal_record.h"

#include "inputfile/field_routines.h"
#include "inputfile/project.h"

namespace kv {
namespace {

constexpr const char* kWindow = "Horizontal";

struct HorizField {
  FieldSpec cols;
  std::string HorizontalData::*text;
};

// Column 3 is the direction letter of the option pair Option1 ("Left") / Option2.
const FieldSpec kDirection = {"Option1", 3, 1, FieldKind::Text};

// Columns 4-80 in file order. Radius is the one
// field written with a point (two decimals) and read as it stands.
const HorizField kDelta = {{"Delta", 4, 9, FieldKind::Angle}, &HorizontalData::Delta};
const HorizField kPIStation = {{"PIStation", 13, 11, FieldKind::Station, 4, 5},
                               &HorizontalData::PIStation};
const HorizField kDegree = {{"Degree", 24, 8, FieldKind::Angle}, &HorizontalData::Degree};
const HorizField kInSpiral = {{"InSpiral", 32, 6, FieldKind::Number, 2, 3},
                              &HorizontalData::InSpiral};
const HorizField kOutSpiral = {{"OutSpiral", 38, 6, FieldKind::Number, 2, 3},
                               &HorizontalData::OutSpiral};
const HorizField kProfOffset = {{"ProfOffset", 44, 8, FieldKind::Number, 4, 5},
                                &HorizontalData::ProfOffset};
const HorizField kRadius = {{"Radius", 52, 7, FieldKind::PointNumber, 2, 2},
                            &HorizontalData::Radius};
const HorizField kBack = {{"Back", 59, 11, FieldKind::Station, 4, 5}, &HorizontalData::Back};
const HorizField kAhead = {{"Ahead", 70, 11, FieldKind::Station, 4, 5}, &HorizontalData::Ahead};

const HorizField* const kColumnOrder[] = {&kDelta,     &kPIStation, &kDegree, &kInSpiral, &kOutSpiral,
                                          &kProfOffset, &kRadius,    &kBack,   &kAhead};

void Read(const HorizField& f, std::string_view line, Project& p) {
  p.Horizontal.*f.text = DecodeField(f.cols, line, p.MetricUnits);
}

bool HasLetter(std::string_view s, char upper) {
  for (char c : s)
    if (c == upper || c == upper - 'A' + 'a') return true;
  return false;
}

}  // namespace

void ReadHorizontalRecord(std::string_view line, Project& p, const WarningSink&) {
  HorizontalData& h = p.Horizontal;
  p.Mark(Form::Horiz);
  // The letter may stand anywhere from column 3 on.
  const std::string_view rest = line.size() > 2 ? line.substr(2) : std::string_view();
  h.Option1 = HasLetter(rest, 'L');
  h.Option2 = !h.Option1 && HasLetter(rest, 'R');
  Read(kDelta, line, p);
  Read(kPIStation, line, p);
  if (p.MetricUnits != 1) Read(kDegree, line, p);
  Read(kRadius, line, p);
  for (const HorizField* f : {&kInSpiral, &kOutSpiral})
    if (!IsBlankField(Columns(line, f->cols.first, f->cols.width))) Read(*f, line, p);
  Read(kProfOffset, line, p);
  Read(kBack, line, p);
  Read(kAhead, line, p);
}

const FieldSpec& HorizontalField(std::string HorizontalData::*text) {
  for (const HorizField* f : kColumnOrder)
    if (f->text == text) return f->cols;
  return kDelta.cols;  // every text of the record is in the table
}

void WriteHorizontalRecord(const Project& p, LineSink& out) {
  const HorizontalData& h = p.Horizontal;
  std::string line = "01";
  PutWritten(out, line, kDirection, h.Option1 ? "L" : "R", kWindow);
  AlsoIn(out, kWindow, -1, "Option2");
  for (const HorizField* f : kColumnOrder) {
    if (f == &kDegree && p.MetricUnits == 1) {
      PutWritten(out, line, f->cols, std::string(f->cols.width, ' '), kWindow);
      continue;
    }
    PutField(out, line, f->cols, h.*f->text, p.MetricUnits, kWindow);
  }
  out.Line(std::move(line));
}

}  // namespace kv
