#include "cli/dump.h"

namespace kv {

nlohmann::json DumpHorizontal(const Project& p) {
  const HorizontalData& h = p.Horizontal;
  return {{"PIStation", Latin1ToUtf8(h.PIStation)}, {"Option1", h.Option1},
          {"Option2", h.Option2},                   {"Delta", Latin1ToUtf8(h.Delta)},
          {"Degree", Latin1ToUtf8(h.Degree)},       {"Radius", Latin1ToUtf8(h.Radius)},
          {"InSpiral", Latin1ToUtf8(h.InSpiral)},   {"OutSpiral", Latin1ToUtf8(h.OutSpiral)},
          {"ProfOffset", Latin1ToUtf8(h.ProfOffset)}, {"Back", Latin1ToUtf8(h.Back)},
          {"Ahead", Latin1ToUtf8(h.Ahead)}};
}

nlohmann::json DumpVertical(const Project& p) {
  const VerticalData& v = p.Vertical;
  return {{"GradeIn", Latin1ToUtf8(v.GradeIn)},       {"InLength1", Latin1ToUtf8(v.InLength1)},
          {"OutLength1", Latin1ToUtf8(v.OutLength1)}, {"PISta1", Latin1ToUtf8(v.PISta1)},
          {"PIElev1", Latin1ToUtf8(v.PIElev1)},       {"InLength2", Latin1ToUtf8(v.InLength2)},
          {"OutLength2", Latin1ToUtf8(v.OutLength2)}, {"PISta2", Latin1ToUtf8(v.PISta2)},
          {"PIElev2", Latin1ToUtf8(v.PIElev2)},       {"GradeOut", Latin1ToUtf8(v.GradeOut)}};
}

nlohmann::json DumpCrossTrans(const Project& p) {
  const CrossTransData& c = p.CrossTrans;
  nlohmann::json rows = nlohmann::json::array();
  for (const OverrideRow& r : c.rows)
    rows.push_back({{"OverSta", Latin1ToUtf8(r.OverSta)},
                    {"OverLeft", Latin1ToUtf8(r.OverLeft)},
                    {"OverRight", Latin1ToUtf8(r.OverRight)}});
  return {{"CrownType", c.CrownType},
          {"CrossSlope", Latin1ToUtf8(c.CrossSlope)},
          {"SuperRate", Latin1ToUtf8(c.SuperRate)},
          {"PivotOffset", Latin1ToUtf8(c.PivotOffset)},
          {"InRunOut", Latin1ToUtf8(c.InRunOut)},
          {"InTransLength", Latin1ToUtf8(c.InTransLength)},
          {"InTransPer", Latin1ToUtf8(c.InTransPer)},
          {"OutRunout", Latin1ToUtf8(c.OutRunout)},
          {"OutTransLength", Latin1ToUtf8(c.OutTransLength)},
          {"OutTransPer", Latin1ToUtf8(c.OutTransPer)},
          {"MaxTransVC", Latin1ToUtf8(c.MaxTransVC)},
          {"CrownWidth", Latin1ToUtf8(c.CrownWidth)},
          {"CrownHeight", Latin1ToUtf8(c.CrownHeight)},
          {"CrownLeft", Latin1ToUtf8(c.CrownLeft)},
          {"CrownRight", Latin1ToUtf8(c.CrownRight)},
          {"rows", rows}};
}

}  // namespace kv
