#include "cli/dump.h"

namespace kv {

std::string Latin1ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (unsigned char c : s) {
    if (c < 0x80) {
      out += char(c);
    } else {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

nlohmann::json DumpDescription(const Project& p) {
  const DescriptionData& d = p.Description;
  return {{"StructureID", Latin1ToUtf8(d.StructureID)},
          {"GenDesc", Latin1ToUtf8(d.GenDesc)},
          {"Option1", d.Option1},
          {"Option2", d.Option2},
          {"ProjNum", Latin1ToUtf8(d.ProjNum)},
          {"SubAcc", Latin1ToUtf8(d.SubAcc)},
          {"Designer", Latin1ToUtf8(d.Designer)},
          {"Detailer", Latin1ToUtf8(d.Detailer)},
          {"Location", Latin1ToUtf8(d.Location)}};
}

nlohmann::json DumpProject(const Project& p, const std::vector<std::string>& warnings) {
  nlohmann::json j = nlohmann::json::object();
  j["MetricUnits"] = int(p.MetricUnits);
  nlohmann::json w = nlohmann::json::array();
  for (const std::string& s : warnings) w.push_back(Latin1ToUtf8(s));
  j["warnings"] = w;
  nlohmann::json marked = nlohmann::json::array();
  for (int i = 0; i < kFormCount; ++i)
    if (p.marked[i]) marked.push_back(kFormMenuNames[i]);
  j["marked"] = marked;
  j["Description"] = DumpDescription(p);
  j["Horizontal"] = DumpHorizontal(p);
  j["Vertical"] = DumpVertical(p);
  j["CrossTrans"] = DumpCrossTrans(p);
  j["RefLine"] = DumpRefLine(p);
  j["GirderLine"] = DumpGirderLine(p);
  j["BentLine"] = DumpBentLine(p);
  j["DeadLoad"] = DumpDeadLoad(p);
  j["RoadAppr"] = DumpRoadAppr(p);
  return j;
}

}  // namespace kv
