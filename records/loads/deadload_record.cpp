#include "records/loads/deadload_record.h"

#include "inputfile/field_routines.h"
#include "inputfile/project.h"

namespace kv {
namespace {

constexpr const char* kWindow = "DeadLoad";

// The columns of a "07" line, the codes in grid order (kDeadLoadCells). Columns 6-14
// are spare. The deflections' implied
// decimals depend on the row's units code as well as the project's units, so the
// decimals here are filled in per row (see Decimals).
const FieldSpec kCodes[] = {
    {"Text1", 3, 1, FieldKind::Text},
    {"Text2", 4, 1, FieldKind::Text},
    {"Text14", 5, kDeadLoadUnitsWidth, FieldKind::Text},
};
constexpr int kSpareWidth = 9;
const FieldSpec kDeflections[] = {
    {"Text3", 15, 6, FieldKind::Number},  {"Text4", 21, 6, FieldKind::Number},
    {"Text5", 27, 6, FieldKind::Number},  {"Text6", 33, 6, FieldKind::Number},
    {"Text7", 39, 6, FieldKind::Number},  {"Text8", 45, 6, FieldKind::Number},
    {"Text9", 51, 6, FieldKind::Number},  {"Text10", 57, 6, FieldKind::Number},
    {"Text11", 63, 6, FieldKind::Number}, {"Text12", 69, 6, FieldKind::Number},
    {"Text13", 75, 6, FieldKind::Number},
};
static_assert(std::size(kDeflections) == kDeadLoadDeflections.size());

// Implied decimals of a row's deflections: 3 in English projects; in metric ones 4
// for a row whose units code is "m" or "M", 2 for any other.
int Decimals(int metricUnits, const std::string& unitsCode) {
  if (metricUnits != 1) return 3;
  return unitsCode == "m" || unitsCode == "M" ? 4 : 2;
}

FieldSpec WithDecimals(FieldSpec f, int d) {
  f.decEnglish = f.decMetric = d;
  return f;
}

}  // namespace

void ReadDeadLoadRecord(std::string_view line, int n, Project& p, const WarningSink&) {
  p.Mark(Form::Dead);
  DeadLoadRow& r = p.DeadLoad.rows[n];
  r.Text1 = DecodeField(kCodes[0], line, p.MetricUnits);
  r.Text2 = DecodeField(kCodes[1], line, p.MetricUnits);
  r.Text14 = DecodeField(kCodes[2], line, p.MetricUnits);
  const int d = Decimals(p.MetricUnits, r.Text14);
  for (std::size_t k = 0; k < kDeadLoadDeflections.size(); ++k) {
    const FieldSpec f = WithDecimals(kDeflections[k], d);
    // A blank field is no value, not 0.
    r.*kDeadLoadDeflections[k] = IsBlankField(Columns(line, f.first, f.width))
                                     ? std::string()
                                     : DecodeField(f, line, p.MetricUnits);
  }
}

void WriteDeadLoadRecords(const Project& p, LineSink& out) {
  const std::vector<DeadLoadRow>& rows = p.DeadLoad.rows;
  for (int i = 0; i < int(rows.size()); ++i) {
    const DeadLoadRow& r = rows[i];
    // The table ends at its first empty row; what stands below it is lost.
    if (r.IsEmpty()) {
      const std::string why = "it comes after the empty row " + std::to_string(i + 1);
      for (int k = i + 1; k < int(rows.size()); ++k)
        if (!rows[k].IsEmpty()) out.RowLeftOut(kWindow, k, why);
      break;
    }
    std::string line = "07";
    // A code cell gives its first character only.
    for (int c = 0; c < 3; ++c) {
      const std::string& code = r.*kDeadLoadCells[c];
      PutWritten(out, line, kCodes[c], code.empty() ? " " : code.substr(0, 1), kWindow, i);
    }
    line += std::string(kSpareWidth, ' ');
    const int d = Decimals(p.MetricUnits, r.Text14);
    for (std::size_t k = 0; k < kDeadLoadDeflections.size(); ++k)
      PutField(out, line, WithDecimals(kDeflections[k], d), r.*kDeadLoadDeflections[k],
               p.MetricUnits, kWindow, i);
    out.Line(std::move(line));
  }
}

}  // namespace kv
