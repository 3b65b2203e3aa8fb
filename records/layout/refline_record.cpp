#include "records/layout/refline_record.h"

#include <utility>

#include "inputfile/field_routines.h"
#include "inputfile/project.h"

namespace kv {
namespace {

constexpr const char* kWindow = "RefLine";

// The columns of the "04" line. One-column codes, sides and marks are read and
// written by hand below; the table still fixes where they stand.
const FieldSpec kRefLineSta{"RefLineSta", 3, 11, FieldKind::Station, 4, 5};
const FieldSpec kStaOn{"StaOn", 14, 1, FieldKind::Text};
const FieldSpec kSide{"Option2", 15, 1, FieldKind::Text};
const FieldSpec kSkewAngle{"SkewAngle", 16, 8, FieldKind::Angle};
const FieldSpec kSkewRespTo{"SkewRespTo", 24, 1, FieldKind::Text};
const FieldSpec kBentSkew{"Option4", 25, 1, FieldKind::Text};
const FieldSpec kLayoutLineIs{"LayoutLineIs", 26, 1, FieldKind::Text};
const FieldSpec kCheck1{"Check1", 27, 1, FieldKind::Text};
const FieldSpec kCheck2{"Check2", 28, 1, FieldKind::Text};
const FieldSpec kCheck3{"Check3", 29, 1, FieldKind::Text};
const FieldSpec kRevLayoutLine{"RevLayoutLine", 30, 1, FieldKind::Text};
const FieldSpec kCheck4{"Check4", 31, 1, FieldKind::Text};
const FieldSpec kTransX{"TransX", 41, 9, FieldKind::Number, 4, 5};
const FieldSpec kTransY{"TransY", 50, 9, FieldKind::Number, 4, 5};
const FieldSpec kLimitBegSta{"LimitBegSta", 59, 11, FieldKind::Station, 4, 5};
const FieldSpec kLimitEndSta{"LimitEndSta", 70, 11, FieldKind::Station, 4, 5};

std::string Col(std::string_view line, const FieldSpec& f) { return Columns(line, f.first, 1); }
int Code(std::string_view line, const FieldSpec& f) {
  return int(ParseNumberField(Col(line, f), 0));
}

// Reads a code into a list selection; false for a code outside lo..lo+count-1,
// the selection then stays.
bool SelectByCode(int& selection, int code, int lo, int count) {
  if (code < lo || code >= lo + count) return false;
  selection = code - lo;
  return true;
}

char Mark(bool ticked) { return ticked ? 'X' : ' '; }

}  // namespace

void ReadRefLineRecord(std::string_view line, Project& p, const WarningSink& warn) {
  p.Mark(Form::Ref);
  RefLineData& r = p.RefLine;
  const int units = p.MetricUnits;

  r.RefLineSta = DecodeField(kRefLineSta, line, units);
  if (!SelectByCode(r.StaOn, Code(line, kStaOn), 0, int(kStaOnItems.size())))
    warn("Warning: (04) Reference line data, bad \"Station is on\" value.  Valid values are 0 to 3",
         &kStaOn);

  const std::string side = Col(line, kSide);
  r.Option1 = side == "L" || side == "l";
  r.Option2 = !r.Option1;

  r.SkewAngle = DecodeField(kSkewAngle, line, units);
  if (!SelectByCode(r.SkewRespTo, Code(line, kSkewRespTo), 1, int(kSkewRespToItems.size())))
    warn("Warning: (04) Reference line data, bad \"Skew is with respect to\" value.  Valid values "
         "are 1 to 4.",
         &kSkewRespTo);

  // Only a 1 means the bent lines take the reference line's skew; anything else,
  // a column without a digit included, leaves them parallel.
  r.Option4 = Col(line, kBentSkew) == "1";
  r.Option3 = !r.Option4;

  if (!SelectByCode(r.LayoutLineIs, Code(line, kLayoutLineIs), 1, int(kLayoutLineIsItems.size())))
    warn("Warning: (04) Reference line data, bad \"Layout line is\" value.", &kLayoutLineIs);
  if (!SelectByCode(r.RevLayoutLine, Code(line, kRevLayoutLine), 0, int(kRevLayoutLineItems.size())))
    warn("Warning: (04) Reference line data, bad \"Reverse layout line\" value.", &kRevLayoutLine);

  r.TransX = DecodeField(kTransX, line, units);
  r.TransY = DecodeField(kTransY, line, units);
  r.LimitBegSta = DecodeField(kLimitBegSta, line, units);
  r.LimitEndSta = DecodeField(kLimitEndSta, line, units);

  // A blank column never clears a check box.
  if (Col(line, kCheck1) != " ") r.Check1 = true;
  if (Col(line, kCheck2) != " ") r.Check2 = true;
  if (Col(line, kCheck3) != " ") r.Check3 = true;
  if (Col(line, kCheck4) != " ") r.Check4 = true;
}

const FieldSpec& RefLineField(std::string RefLineData::*text) {
  const std::pair<std::string RefLineData::*, const FieldSpec*> fields[] = {
      {&RefLineData::RefLineSta, &kRefLineSta}, {&RefLineData::SkewAngle, &kSkewAngle},
      {&RefLineData::TransX, &kTransX},         {&RefLineData::TransY, &kTransY},
      {&RefLineData::LimitBegSta, &kLimitBegSta}, {&RefLineData::LimitEndSta, &kLimitEndSta}};
  for (const auto& [member, field] : fields)
    if (member == text) return *field;
  return kRefLineSta;
}

void WriteRefLineRecord(const Project& p, LineSink& out) {
  const RefLineData& r = p.RefLine;
  const int units = p.MetricUnits;
  // An index as its code digit; `none` when nothing is selected.
  auto code = [](int selection, int lo, char none) {
    return selection >= 0 && selection + lo <= 9 ? char('0' + selection + lo) : none;
  };

  std::string line = "04";
  auto put = [&](const FieldSpec& f, char c) { PutWritten(out, line, f, std::string(1, c), kWindow); };
  PutField(out, line, kRefLineSta, r.RefLineSta, units, kWindow);
  put(kStaOn, code(r.StaOn, 0, ' '));
  put(kSide, r.Option2 ? 'R' : 'L');
  AlsoIn(out, kWindow, -1, "Option1");
  PutField(out, line, kSkewAngle, r.SkewAngle, units, kWindow);
  put(kSkewRespTo, code(r.SkewRespTo, 1, '0'));
  put(kBentSkew, r.Option4 ? '1' : '0');
  AlsoIn(out, kWindow, -1, "Option3");
  put(kLayoutLineIs, code(r.LayoutLineIs, 1, '0'));
  put(kCheck1, Mark(r.Check1));
  put(kCheck2, Mark(r.Check2));
  put(kCheck3, Mark(r.Check3));
  put(kRevLayoutLine, code(r.RevLayoutLine, 0, ' '));
  put(kCheck4, Mark(r.Check4));
  line += std::string(9, ' ');  // columns 32-40 are spare
  PutField(out, line, kTransX, r.TransX, units, kWindow);
  PutField(out, line, kTransY, r.TransY, units, kWindow);
  PutField(out, line, kLimitBegSta, r.LimitBegSta, units, kWindow);
  PutField(out, line, kLimitEndSta, r.LimitEndSta, units, kWindow);
  out.Line(std::move(line));
}

}  // namespace kv
