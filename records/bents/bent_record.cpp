#include "records/bents/bent_record.h"

#include <cmath>

#include "inputfile/field_routines.h"
#include "inputfile/project.h"

namespace kv {
namespace {

constexpr const char* kWindow = "BentLine";

// The columns of a "06" line. Fields of kind Text with code rules of their own are
// decoded and encoded by hand below; the table still fixes where they stand.
const FieldSpec kDistance{"Text1", 3, 8, FieldKind::Number, 4, 5};
const FieldSpec kDistanceType{"Combo1", 11, 1, FieldKind::Text};
const FieldSpec kSkewDirection{"Text7", 12, 1, FieldKind::Text};
const FieldSpec kSkewAngle{"Text2", 13, 8, FieldKind::Angle};
const FieldSpec kSkewType{"Combo2", 21, 1, FieldKind::Text};
const FieldSpec kFracPoints{"Text3", 22, 7, FieldKind::Number, 4, 4};
const FieldSpec kFracWhole{"Text3", 22, 3, FieldKind::Number, 0, 0};  // whole numbers
const FieldSpec kFracWholeTail{"Text3", 25, 4, FieldKind::Text};       // blank after them
const FieldSpec kDescription{"Text4", 29, 10, FieldKind::Text};
const FieldSpec kOptions{"List1", 39, 4, FieldKind::Text};  // one column per item
const FieldSpec kSelIntersect{"Text5", 43, 1, FieldKind::Text};
const FieldSpec kDL{"Text6", 44, 1, FieldKind::Text};
const FieldSpec kSecRef{"Text8", 45, 2, FieldKind::Text};

// Code in column 11 for each Combo1 index; 5 is not used.
constexpr char kDistanceCodes[] = {'0', '1', '2', '3', '4', '6', '7'};

// A one-column field: the text's first character, a blank for nothing.
std::string FirstChar(const std::string& s) { return s.empty() ? " " : s.substr(0, 1); }

// The text FormatFixedNumber converts: a "+" after the first character is dropped.
std::string WithoutPlus(std::string s) {
  if (s.size() > 1)
    if (auto at = s.find('+', 1); at != std::string::npos) s.erase(at, 1);
  return s;
}

// Columns 22-28: a whole number in 22-24 followed by four blanks, any other
// number with 4 implied decimals, blanks for anything that is not a number.
void PutFracPoints(LineSink& out, std::string& line, const std::string& text, int row) {
  const std::string t = WithoutPlus(text);
  if (t.empty() || !IsNumberText(t)) {
    PutField(out, line, kFracPoints, text, 0, kWindow, row);  // blanks
    return;
  }
  const double v = ParseNumberField(t, 0);
  if (v == std::round(v)) {
    PutField(out, line, kFracWhole, text, 0, kWindow, row);
    PutWritten(out, line, kFracWholeTail, "    ", kWindow, row);
  } else {
    PutField(out, line, kFracPoints, text, 0, kWindow, row);
  }
}

}  // namespace

void ReadBentRecord(std::string_view line, int n, Project& p, const WarningSink& warn) {
  p.Mark(Form::Bent);
  BentRow& r = p.BentLine.rows[n];
  const int units = p.MetricUnits;

  r.Text1 = DecodeField(kDistance, line, units);

  // Codes 4 and 5 both mean "Normal to Ref."; the codes above follow one index lower.
  double d = ParseNumberField(Columns(line, kDistanceType.first, 1), 0);
  if (d > 4) d -= 1;
  if (d >= 0 && d <= 6)
    SelectBentDistanceType(r, int(d));
  else
    warn("Warning: (06) Bent line data, distance type invalid.", &kDistanceType);

  r.Text7 = Columns(line, kSkewDirection.first, 1);
  if (r.Text7 != "L" && r.Text7 != "R") {
    warn("Warning: (06) Skew direction invalid. Should be L or R", &kSkewDirection);
    r.Text7.clear();
  }

  r.Text2 = DecodeField(kSkewAngle, line, units);
  // A skew type without a list item would be lost on saving; say so, keep the row's.
  const double skewType = ParseNumberField(Columns(line, kSkewType.first, 1), 0);
  if (skewType >= 0 && skewType <= 4)
    SelectBentSkewType(r, int(skewType));
  else
    warn("Warning: (06) Bent line data, skew type invalid.", &kSkewType);

  // A whole number in 22-24 with blanks after it reads as that number with 4 implied decimals too.
  r.Text3 = DecodeField(kFracPoints, line, units);

  r.Text4 = DecodeField(kDescription, line, units);
  r.Text5 = DecodeField(kSelIntersect, line, units);
  const std::string dl = DecodeField(kDL, line, units);
  r.Text6 = IsBlankText(dl) ? std::string() : dl;
  r.Text8 = DecodeField(kSecRef, line, units);

  // Any mark selects an option; a blank column leaves the selection as it was.
  const std::string options = Columns(line, kOptions.first, kOptions.width);
  for (std::size_t k = 0; k < r.List1.size(); ++k)
    if (options[k] != ' ') r.List1[k] = true;
}

bool BentRowIsWritten(const BentRow& r) {
  return !r.Text4.empty() && r.Text4 != std::string(kDescription.width, ' ');
}

const FieldSpec& BentField(std::string BentRow::*text) {
  return text == &BentRow::Text2 ? kSkewAngle : kDistance;
}

void WriteBentRecords(const Project& p, LineSink& out) {
  const int units = p.MetricUnits;
  const std::vector<BentRow>& rows = p.BentLine.rows;
  for (int i = 0; i < int(rows.size()); ++i) {
    const BentRow& r = rows[i];
    if (!BentRowIsWritten(r)) {
      if (BentRowHoldsValues(r)) out.RowLeftOut(kWindow, i, "its description is empty");
      continue;
    }

    std::string line = "06";
    auto put = [&](const FieldSpec& f, const std::string& written) {
      PutWritten(out, line, f, written, kWindow, i);
    };
    PutField(out, line, kDistance, r.Text1, units, kWindow, i);
    put(kDistanceType, std::string(1, r.Combo1 >= 0 && r.Combo1 < int(std::size(kDistanceCodes))
                                          ? kDistanceCodes[r.Combo1]
                                          : ' '));
    put(kSkewDirection, FirstChar(r.Text7));
    PutField(out, line, kSkewAngle, r.Text2, units, kWindow, i);
    put(kSkewType, std::string(1, r.Combo2 >= 0 && r.Combo2 < int(kBentSkewTypeItems.size())
                                      ? char('0' + r.Combo2)
                                      : ' '));
    PutFracPoints(out, line, r.Text3, i);
    // Only the first ten characters of the description are kept.
    put(kDescription, PadRight(r.Text4.substr(0, kDescription.width), kDescription.width));
    std::string options;
    for (bool selected : r.List1) options += selected ? 'X' : ' ';
    put(kOptions, options);
    put(kSelIntersect, FirstChar(r.Text5));
    put(kDL, FirstChar(r.Text6));
    if (r.Text8.empty() || r.Text8 == "  ")
      put(kSecRef, " ");
    else
      put(kSecRef, PadRight(r.Text8.substr(0, kSecRef.width), kSecRef.width));
    out.Line(std::move(line));
  }
}

}  // namespace kv
