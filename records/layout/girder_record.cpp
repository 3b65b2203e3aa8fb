#include "records/layout/girder_record.h"

#include "inputfile/field_routines.h"
#include "inputfile/project.h"

namespace kv {
namespace {

constexpr const char* kWindow = "GirderLine";

// The columns of a "05" line. The one-column codes have rules of their own and are
// read and written by hand below; the table still fixes where they stand.
const FieldSpec kLineType{"Combo1", 3, 1, FieldKind::Text};
const FieldSpec kInitialOffset{"Text1", 4, 8, FieldKind::Number, 4, 5};
const FieldSpec kInitialType{"Combo3", 12, 1, FieldKind::Text};
const FieldSpec kTerminalOffset{"Text2", 13, 8, FieldKind::Number, 4, 5};
const FieldSpec kTerminalType{"Combo2", 21, 1, FieldKind::Text};
const FieldSpec kElevShift{"Text3", 22, 8, FieldKind::Number, 4, 3};
// Metric elevation shifts of an "Offset Varies" line carry two more decimals.
const FieldSpec kElevShiftVaries{"Text3", 22, 8, FieldKind::Number, 4, 5};
const FieldSpec kDescription{"Text4", 30, 20, FieldKind::Text};
const FieldSpec kFracPoints{"Text13", 52, 2, FieldKind::Text};
const FieldSpec kDLChar{"Text16", 54, 1, FieldKind::Text};
// List1 item k is marked in column kOptions[k].first.
const FieldSpec kOptions[] = {{"List1", 50, 1, FieldKind::Text}, {"List1", 51, 1, FieldKind::Text},
                              {"List1", 55, 1, FieldKind::Text}, {"List1", 56, 1, FieldKind::Text},
                              {"List1", 57, 1, FieldKind::Text}};

const FieldSpec& ElevShiftSpec(const GirderRow& r) {
  return r.Combo1 == kGirderOffsetVaries ? kElevShiftVaries : kElevShift;
}

int Code(std::string_view line, const FieldSpec& f) {
  return int(ParseNumberField(Columns(line, f.first, 1), 0));
}

char Digit(int code) { return char('0' + code); }

}  // namespace

void ReadGirderRecord(std::string_view line, int n, Project& p, const WarningSink& warn) {
  p.Mark(Form::Gird);
  GirderRow& r = p.GirderLine.rows[n];
  const int units = p.MetricUnits;

  const int lineType = Code(line, kLineType);
  if (lineType >= 0 && lineType < int(kGirderLineTypeItems.size()))
    ChooseGirderLineType(r, lineType);
  else
    warn("Warning: (05) Girder line data, bad line type.", &kLineType);

  r.Text1 = DecodeField(kInitialOffset, line, units);
  r.Text2 = DecodeField(kTerminalOffset, line, units);

  const int initial = Code(line, kInitialType);
  if (initial < 1 || initial > 5) {
    warn("Warning: (05) Girder line data, initial offset type invalid.", &kInitialType);
  } else if (initial == 5) {
    // A segmented line's only offset type, whatever the line type read above.
    r.Combo3Items = GirderOffsetTypeItemsFor(kGirderSegmented);
    ChooseGirderInitialOffsetType(r, 0);
  } else {
    ChooseGirderInitialOffsetType(r, initial - 1);
  }

  if (r.Combo1 == kGirderFlared) {
    const int terminal = Code(line, kTerminalType);
    if (terminal < 1 || terminal > 5)
      warn("Warning: (05) Girder line data, terminal offset type invalid.", &kTerminalType);
    else if (terminal <= int(kGirderOffsetTypeItems.size()))
      ChooseGirderTerminalOffsetType(r, terminal - 1);
    // 5 has no terminal entry: the choice stays as it was.
  }

  r.Text3 = DecodeField(ElevShiftSpec(r), line, units);
  r.Text4 = DecodeField(kDescription, line, units);
  r.Text13 = DecodeField(kFracPoints, line, units);
  const std::string dl = DecodeField(kDLChar, line, units);
  r.Text16 = IsBlankText(dl) ? std::string() : dl;

  // Any mark selects an option; a blank column leaves the selection as it was.
  for (std::size_t k = 0; k < r.List1.size(); ++k)
    if (Columns(line, kOptions[k].first, 1) != " ") r.List1[k] = true;
}

bool GirderRowIsWritten(const GirderRow& r) {
  return !r.Text4.empty() && (r.Text4.size() != std::size_t(kDescription.width) ||
                              !IsBlankText(r.Text4));
}

const FieldSpec& GirderField(const GirderRow& r, std::string GirderRow::*text) {
  if (text == &GirderRow::Text2) return kTerminalOffset;
  if (text == &GirderRow::Text3) return ElevShiftSpec(r);
  return kInitialOffset;
}

int GirderInitialTypeCode(const GirderRow& r) {
  if (r.Combo1 == kGirderSegmented) return 5;
  return r.Combo3 >= 0 && r.Combo3 < 9 ? r.Combo3 + 1 : 0;
}

int GirderTerminalTypeCode(const GirderRow& r) {
  if (r.Combo1 != kGirderFlared) return -1;
  return r.Combo2 >= 0 && r.Combo2 < 9 ? r.Combo2 + 1 : 0;
}

void WriteGirderRecords(const Project& p, LineSink& out) {
  const int units = p.MetricUnits;
  const std::vector<GirderRow>& rows = p.GirderLine.rows;
  for (int i = 0; i < int(rows.size()); ++i) {
    const GirderRow& r = rows[i];
    if (!GirderRowIsWritten(r)) {
      if (GirderRowHoldsValues(r)) out.RowLeftOut(kWindow, i, "its description is empty");
      continue;
    }

    std::string line = "05";
    auto put = [&](const FieldSpec& f, const std::string& written) {
      PutWritten(out, line, f, written, kWindow, i);
    };
    auto option = [&](int k) { put(kOptions[k], r.List1[k] ? "X" : " "); };
    // A row without a line type has no code; its column stays blank.
    put(kLineType, std::string(1, r.Combo1 >= 0 && r.Combo1 < int(kGirderLineTypeItems.size())
                                      ? Digit(r.Combo1)
                                      : ' '));
    PutField(out, line, kInitialOffset, r.Text1, units, kWindow, i);
    put(kInitialType, std::string(1, Digit(GirderInitialTypeCode(r))));
    PutField(out, line, kTerminalOffset, r.Text2, units, kWindow, i);
    const int terminal = GirderTerminalTypeCode(r);
    put(kTerminalType, terminal < 0 ? " " : std::string(1, Digit(terminal)));
    PutField(out, line, ElevShiftSpec(r), r.Text3, units, kWindow, i);
    // Only the first twenty characters of the description are kept.
    put(kDescription, PadRight(r.Text4.substr(0, kDescription.width), kDescription.width));
    option(0);
    option(1);
    if (r.Text13.empty() || r.Text13 == "  ")
      put(kFracPoints, "  ");
    else
      put(kFracPoints, PadRight(r.Text13.substr(0, kFracPoints.width), kFracPoints.width));
    put(kDLChar, r.Text16.empty() || r.Text16 == " " ? " " : r.Text16.substr(0, 1));
    option(2);
    option(3);
    option(4);
    out.Line(std::move(line));
  }
}

}  // namespace kv
