#include "records/loads/roadappr_record.h"

#include "inputfile/project.h"

namespace kv {
namespace {

constexpr const char* kWindow = "RoadAppr";

struct ApprField {
  FieldSpec cols;
  std::string RoadApprData::*text;
};

// The same columns in English and metric projects; stations are whole units.
const ApprField kFields[] = {
    {{"BegStr", 3, 7, FieldKind::Station, 0, 0}, &RoadApprData::BegStr},
    {{"EndStr", 10, 7, FieldKind::Station, 0, 0}, &RoadApprData::EndStr},
    {{"Length", 17, 8, FieldKind::Number, 1, 1}, &RoadApprData::Length},
    {{"Off1", 25, 8, FieldKind::Number, 4, 4}, &RoadApprData::Off1},
    {{"Off2", 33, 8, FieldKind::Number, 4, 4}, &RoadApprData::Off2},
    {{"Off3", 41, 8, FieldKind::Number, 4, 4}, &RoadApprData::Off3},
    {{"Off4", 49, 8, FieldKind::Number, 4, 4}, &RoadApprData::Off4},
    {{"Off5", 57, 8, FieldKind::Number, 4, 4}, &RoadApprData::Off5},
    {{"Off6", 65, 8, FieldKind::Number, 4, 4}, &RoadApprData::Off6},
    {{"Off7", 73, 8, FieldKind::Number, 4, 4}, &RoadApprData::Off7},
};

}  // namespace

void ReadRoadApprRecord(std::string_view line, Project& p, const WarningSink&) {
  p.Mark(Form::RoadApp);
  for (const ApprField& f : kFields) p.RoadAppr.*f.text = DecodeField(f.cols, line, p.MetricUnits);
}

void WriteRoadApprRecord(const Project& p, LineSink& out) {
  const RoadApprData& a = p.RoadAppr;
  // Without a begin station there are no approaches to compute.
  if (a.BegStr.empty() || a.BegStr == std::string(7, ' ')) return;
  std::string line = "08";
  for (const ApprField& f : kFields)
    PutField(out, line, f.cols, a.*f.text, p.MetricUnits, kWindow);
  out.Line(std::move(line));
}

}  // namespace kv
