#include "records/alignment/crosstrans_record.h"

#include <cctype>

#include "inputfile/field_routines.h"
#include "inputfile/project.h"

namespace kv {
namespace {

constexpr const char* kWindow = "CrossTrans";

struct CrossField {
  FieldSpec cols;
  std::string CrossTransData::*text;
  bool emptyWhenBlank;  // blank columns read as empty text rather than 0
};

// Columns 4 to 80 of the cross-slope line; 54-56 stay blank between MaxTransVC and
// CrownWidth. The metric crown height carries fewer decimals than the English one.
const CrossField kFields[] = {
    {{"CrossSlope", 4, 5, FieldKind::Number, 4, 4}, &CrossTransData::CrossSlope, false},
    {{"SuperRate", 9, 4, FieldKind::Number, 4, 4}, &CrossTransData::SuperRate, true},
    {{"PivotOffset", 13, 8, FieldKind::Number, 4, 5}, &CrossTransData::PivotOffset, false},
    {{"InRunOut", 21, 5, FieldKind::Number, 2, 2}, &CrossTransData::InRunOut, true},
    {{"InTransLength", 26, 5, FieldKind::Number, 2, 3}, &CrossTransData::InTransLength, true},
    {{"InTransPer", 31, 5, FieldKind::Number, 2, 2}, &CrossTransData::InTransPer, true},
    {{"OutRunout", 36, 5, FieldKind::Number, 2, 2}, &CrossTransData::OutRunout, true},
    {{"OutTransLength", 41, 5, FieldKind::Number, 2, 3}, &CrossTransData::OutTransLength, true},
    {{"OutTransPer", 46, 5, FieldKind::Number, 2, 2}, &CrossTransData::OutTransPer, true},
    {{"MaxTransVC", 51, 3, FieldKind::Number, 1, 1}, &CrossTransData::MaxTransVC, true},
    {{"CrownWidth", 57, 9, FieldKind::Number, 4, 5}, &CrossTransData::CrownWidth, false},
    {{"CrownHeight", 66, 5, FieldKind::Number, 3, 2}, &CrossTransData::CrownHeight, false},
    {{"CrownLeft", 71, 5, FieldKind::Number, 4, 4}, &CrossTransData::CrownLeft, false},
    {{"CrownRight", 76, 5, FieldKind::Number, 4, 4}, &CrossTransData::CrownRight, false},
};
constexpr int kGapFirst = 54, kGapWidth = 3;

const FieldSpec kCrownType{"CrownType", 3, 1, FieldKind::Text};

struct OverField {
  FieldSpec cols;
  std::string OverrideRow::*text;
  bool emptyWhenBlank;
};

const OverField kOverFields[] = {
    {{"OverSta", 3, 9, FieldKind::Station, 2, 3}, &OverrideRow::OverSta, false},
    {{"OverLeft", 12, 5, FieldKind::Number, 4, 4}, &OverrideRow::OverLeft, false},
    {{"OverRight", 17, 5, FieldKind::Number, 4, 4}, &OverrideRow::OverRight, true},
};

template <class Field>
std::string Decode(const Field& f, std::string_view line, int units) {
  if (f.emptyWhenBlank && IsBlankField(Columns(line, f.cols.first, f.cols.width))) return {};
  return DecodeField(f.cols, line, units);
}

}  // namespace

void ReadCrossSlopeRecord(std::string_view line, Project& p, const WarningSink&) {
  p.Mark(Form::Cross);
  CrossTransData& c = p.CrossTrans;
  // An unknown letter leaves the selection as it was.
  const char code = char(std::toupper(static_cast<unsigned char>(Columns(line, 3, 1)[0])));
  for (int i = 0; i < int(kCrownTypeItems.size()); ++i)
    if (code == kCrownTypeItems[i][0]) {
      c.CrownType = i;
      break;
    }
  for (const CrossField& f : kFields) c.*f.text = Decode(f, line, p.MetricUnits);
}

void ReadOverrideRecord(std::string_view line, int k, Project& p, const WarningSink&) {
  CrossTransData& c = p.CrossTrans;
  if (k < 0) return;
  while (k >= OverrideRowCount(c))
    if (!AddOverRecord(c)) return;
  OverrideRow& r = c.rows[k];
  for (const OverField& f : kOverFields) r.*f.text = Decode(f, line, p.MetricUnits);
}

bool AddOverRecord(CrossTransData& t) {
  if (!t.scroll.CanGrow(1)) return false;
  MakeRoom(t.rows, t.scroll);
  t.rows.emplace_back();
  t.scroll.Grow(1);
  return true;
}

int OverrideRowCount(const CrossTransData& t) { return int(t.rows.size()); }

const FieldSpec& CrossTransField(std::string CrossTransData::*text) {
  for (const CrossField& f : kFields)
    if (f.text == text) return f.cols;
  return kFields[0].cols;  // every text of the line is in the table
}

const FieldSpec& OverrideField(std::string OverrideRow::*text) {
  for (const OverField& f : kOverFields)
    if (f.text == text) return f.cols;
  return kOverFields[0].cols;
}

bool OverrideRowIsWritten(const OverrideRow& r) { return !r.OverSta.empty(); }

char CrownTypeLetter(const CrossTransData& c) {
  return c.CrownType >= 1 && c.CrownType <= 3 ? kCrownTypeItems[c.CrownType][0] : 'A';
}

void WriteCrossSlopeRecords(const Project& p, LineSink& out) {
  const CrossTransData& c = p.CrossTrans;
  const int units = p.MetricUnits;
  std::string line = "03";
  PutWritten(out, line, kCrownType, std::string(1, CrownTypeLetter(c)), kWindow);
  for (const CrossField& f : kFields) {
    if (f.cols.first == kGapFirst + kGapWidth) line.append(std::size_t(kGapWidth), ' ');
    PutField(out, line, f.cols, c.*f.text, units, kWindow);
  }
  out.Line(std::move(line));

  for (int i = 0; i < OverrideRowCount(c); ++i) {
    const OverrideRow& r = c.rows[i];
    if (!OverrideRowIsWritten(r)) continue;
    std::string over = "03";
    for (const OverField& f : kOverFields) PutField(out, over, f.cols, r.*f.text, units, kWindow, i);
    out.Line(std::move(over));
  }
}

}  // namespace kv
