#include "cli/dump.h"

namespace kv {

nlohmann::json DumpBentLine(const Project& p) {
  nlohmann::json rows = nlohmann::json::array();
  for (const BentRow& r : p.BentLine.rows) {
    nlohmann::json options = nlohmann::json::array();
    for (bool selected : r.List1) options.push_back(selected);
    rows.push_back({{"Text1", Latin1ToUtf8(r.Text1)},
                    {"Combo1", r.Combo1},
                    {"Text7", Latin1ToUtf8(r.Text7)},
                    {"Text2", Latin1ToUtf8(r.Text2)},
                    {"Combo2", r.Combo2},
                    {"Text3", Latin1ToUtf8(r.Text3)},
                    {"Text4", Latin1ToUtf8(r.Text4)},
                    {"Text5", Latin1ToUtf8(r.Text5)},
                    {"Text6", Latin1ToUtf8(r.Text6)},
                    {"Text8", Latin1ToUtf8(r.Text8)},
                    {"List1", options}});
  }
  return {{"rows", rows}};
}

nlohmann::json DumpDeadLoad(const Project& p) {
  nlohmann::json rows = nlohmann::json::array();
  for (const DeadLoadRow& r : p.DeadLoad.rows) {
    nlohmann::json row = nlohmann::json::object();
    for (std::size_t c = 0; c < kDeadLoadCells.size(); ++c)
      row[kDeadLoadCellNames[c]] = Latin1ToUtf8(r.*kDeadLoadCells[c]);
    rows.push_back(row);
  }
  return {{"rows", rows}};
}

nlohmann::json DumpRoadAppr(const Project& p) {
  const RoadApprData& a = p.RoadAppr;
  return {{"BegStr", Latin1ToUtf8(a.BegStr)}, {"EndStr", Latin1ToUtf8(a.EndStr)},
          {"Length", Latin1ToUtf8(a.Length)}, {"Off1", Latin1ToUtf8(a.Off1)},
          {"Off2", Latin1ToUtf8(a.Off2)},     {"Off3", Latin1ToUtf8(a.Off3)},
          {"Off4", Latin1ToUtf8(a.Off4)},     {"Off5", Latin1ToUtf8(a.Off5)},
          {"Off6", Latin1ToUtf8(a.Off6)},     {"Off7", Latin1ToUtf8(a.Off7)}};
}

}  // namespace kv
