#include "cli/dump.h"

namespace kv {

nlohmann::json DumpRefLine(const Project& p) {
  const RefLineData& r = p.RefLine;
  return {{"RefLineSta", Latin1ToUtf8(r.RefLineSta)},
          {"StaOn", r.StaOn},
          {"Option1", r.Option1},
          {"Option2", r.Option2},
          {"SkewAngle", Latin1ToUtf8(r.SkewAngle)},
          {"SkewRespTo", r.SkewRespTo},
          {"Option3", r.Option3},
          {"Option4", r.Option4},
          {"LayoutLineIs", r.LayoutLineIs},
          {"RevLayoutLine", r.RevLayoutLine},
          {"TransX", Latin1ToUtf8(r.TransX)},
          {"TransY", Latin1ToUtf8(r.TransY)},
          {"LimitBegSta", Latin1ToUtf8(r.LimitBegSta)},
          {"LimitEndSta", Latin1ToUtf8(r.LimitEndSta)},
          {"Check1", r.Check1},
          {"Check2", r.Check2},
          {"Check3", r.Check3},
          {"Check4", r.Check4}};
}

nlohmann::json DumpGirderLine(const Project& p) {
  nlohmann::json rows = nlohmann::json::array();
  for (const GirderRow& r : p.GirderLine.rows) {
    nlohmann::json items = nlohmann::json::array();
    for (const std::string& item : r.Combo3Items) items.push_back(Latin1ToUtf8(item));
    nlohmann::json options = nlohmann::json::array();
    for (bool selected : r.List1) options.push_back(selected);
    rows.push_back({{"Combo1", r.Combo1},
                    {"Text1", Latin1ToUtf8(r.Text1)},
                    {"Combo3", r.Combo3},
                    {"Combo3Items", items},
                    {"Text2", Latin1ToUtf8(r.Text2)},
                    {"Combo2", r.Combo2},
                    {"Text3", Latin1ToUtf8(r.Text3)},
                    {"Text4", Latin1ToUtf8(r.Text4)},
                    {"Text13", Latin1ToUtf8(r.Text13)},
                    {"Text16", Latin1ToUtf8(r.Text16)},
                    {"List1", options},
                    {"Text2Enabled", r.Text2Enabled},
                    {"Combo2Enabled", r.Combo2Enabled},
                    // Both terminal cells take input.
                    {"TerminalEnabled", r.Text2Enabled && r.Combo2Enabled}});
  }
  return {{"rows", rows}};
}

}  // namespace kv
