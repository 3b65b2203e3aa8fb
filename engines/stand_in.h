// Shared bits of the stand-in engine and post-processors: they read and write the files
// the window program names, so every run works end to end without the real programs.
#pragma once

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "cli/dump.h"
#include "geometry/project_geometry.h"
#include "inputfile/input_file.h"

namespace kv::standin {

inline std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Lines end in carriage return and line feed, as the listing window expects.
class Writer {
 public:
  explicit Writer(const std::string& path) : out_(path, std::ios::binary) {}
  bool ok() const { return bool(out_); }
  Writer& operator<<(const std::string& line) {
    out_ << line << "\r\n";
    return *this;
  }

 private:
  std::ofstream out_;
};

// Same path with another extension: what follows the last period is replaced.
inline std::string WithExtension(const std::string& path, const std::string& ext) {
  const auto dot = path.find_last_of('.');
  const auto slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ext;
  return path.substr(0, dot) + ext;
}

inline int Usage(const char* name, const char* args) {
  std::fprintf(stderr, "usage: %s %s\n", name, args);
  return 2;
}

// The input echo of a listing: "  12 | <line>". Returns the record lines it carries.
inline std::vector<std::string> EchoedRecords(const std::vector<std::string>& listing) {
  std::vector<std::string> records;
  for (const std::string& l : listing) {
    const auto bar = l.find(" | ");
    if (bar != std::string::npos && bar == 5) records.push_back(l.substr(bar + 3));
  }
  return records;
}

inline std::string Numbered(std::size_t n, const std::string& line) {
  char num[32];
  std::snprintf(num, sizeof num, "%4zu", n);
  return std::string(" ") + num + " | " + line;
}

// The input records read as the editor reads them, with the warnings in order.
inline Project ReadRecords(const std::vector<std::string>& lines, std::vector<std::string>* warnings) {
  std::string bytes;
  for (const std::string& l : lines) bytes.append(l).append("\r\n");
  Project p;
  ReadInputText(std::move(bytes), p, [&](const std::string& w) {
    if (warnings) warnings->push_back(w);
  });
  return p;
}

// A text cell as a number: stations lose their plus sign; anything else reads as 0.
inline double Number(std::string text) {
  for (auto at = text.find('+'); at != std::string::npos; at = text.find('+')) text.erase(at, 1);
  return std::strtod(text.c_str(), nullptr);
}

// The written girder lines (those with a description), in file order.
inline std::vector<const GirderRow*> UsedGirders(const Project& p) {
  std::vector<const GirderRow*> rows;
  for (const GirderRow& r : p.GirderLine.rows)
    if (GirderRowIsWritten(r)) rows.push_back(&r);
  return rows;
}

inline std::vector<const BentRow*> UsedBents(const Project& p) {
  std::vector<const BentRow*> rows;
  for (const BentRow& r : p.BentLine.rows)
    if (BentRowIsWritten(r)) rows.push_back(&r);
  return rows;
}

// Girder numbers from "1,3,4,6" or "1-20" (and mixtures); counted from 1.
inline std::set<int> GirderSelection(const std::string& list) {
  std::set<int> chosen;
  std::size_t at = 0;
  while (at <= list.size()) {
    std::size_t comma = list.find(',', at);
    const std::string part = list.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
    const auto dash = part.find('-');
    const int lo = std::atoi(part.c_str());
    const int hi = dash == std::string::npos ? lo : std::atoi(part.c_str() + dash + 1);
    for (int g = lo; g >= 1 && g <= hi && g <= 1000; ++g) chosen.insert(g);
    if (comma == std::string::npos) break;
    at = comma + 1;
  }
  return chosen;
}

// The dump is UTF-8; the listing keeps the input file's Latin-1 bytes.
inline std::string Latin1(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = utf8[i];
    if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
      out += char(((c & 0x1F) << 6) | (utf8[++i] & 0x3F));
    } else {
      out += char(c);
    }
  }
  return out;
}

// Selections as the editors show them: the chosen item's text ("none" when nothing is
// chosen), and the options chosen in a multi-selection list.
inline std::string Shown(const std::string& family, const std::string& key, const nlohmann::json& v,
                         const nlohmann::json& row) {
  auto items = [&]() -> std::vector<std::string> {
    auto all = [](const auto& a) { return std::vector<std::string>(a.begin(), a.end()); };
    if (family == "CrossTrans" && key == "CrownType") return all(kCrownTypeItems);
    if (family == "RefLine" && key == "StaOn") return all(kStaOnItems);
    if (family == "RefLine" && key == "SkewRespTo") return all(kSkewRespToItems);
    if (family == "RefLine" && key == "LayoutLineIs") return all(kLayoutLineIsItems);
    if (family == "RefLine" && key == "RevLayoutLine") return all(kRevLayoutLineItems);
    if (family == "GirderLine" && key == "Combo1") return all(kGirderLineTypeItems);
    if (family == "GirderLine" && key == "Combo3") return row["Combo3Items"].get<std::vector<std::string>>();
    if (family == "GirderLine" && key == "Combo2") return all(kGirderOffsetTypeItems);
    if (family == "GirderLine" && key == "List1") return all(kGirderOptionItems);
    if (family == "BentLine" && key == "Combo1") return all(kBentDistanceTypeItems);
    if (family == "BentLine" && key == "Combo2") return all(kBentSkewTypeItems);
    if (family == "BentLine" && key == "List1") return all(kBentOptionItems);
    return {};
  }();
  if (v.is_string()) return "\"" + v.get<std::string>() + "\"";
  if (items.empty()) return v.dump();
  if (v.is_array()) {
    std::string chosen;
    for (std::size_t i = 0; i < v.size() && i < items.size(); ++i)
      if (v[i].get<bool>()) chosen += (chosen.empty() ? "" : ", ") + items[i];
    return "[" + chosen + "]";
  }
  const int i = v.get<int>();
  return i >= 0 && i < int(items.size()) ? "\"" + items[i] + "\"" : "none";
}

// One family of the dump as "  Name: value" lines; grid rows that hold something, numbered.
inline void WriteFamily(Writer& out, const std::string& family, const std::string& title,
                        const nlohmann::json& f) {
  const nlohmann::json& familyJson = f;
  out << title;
  for (auto it = familyJson.begin(); it != familyJson.end(); ++it) {
    if (it.key() == "rows") continue;
    std::string v = it->is_string() ? it->get<std::string>() : Shown(family, it.key(), *it, {});
    for (auto at = v.find("\r\n"); at != std::string::npos; at = v.find("\r\n")) v.replace(at, 2, " / ");
    out << "  " + it.key() + ": " + Latin1(v);
  }
  if (familyJson.contains("rows")) {
    int n = 0;
    for (const nlohmann::json& row : familyJson["rows"]) {
      ++n;
      std::string line;
      bool used = false;
      for (auto it = row.begin(); it != row.end(); ++it) {
        if (it->is_string() && !it->get<std::string>().empty()) used = true;
        if (it.key() == "Combo3Items" || it.key().find("Enabled") != std::string::npos) continue;
        line += " " + it.key() + "=" + Shown(family, it.key(), *it, row);
      }
      if (used) out << "  row " + std::to_string(n) + ":" + Latin1(line);
    }
  }
  out << "";
}

inline std::string Fixed(const char* format, ...) __attribute__((format(printf, 1, 2)));
inline std::string Fixed(const char* format, ...) {
  char buf[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  return buf;
}

// Where the girder points stand in the listing's table (1-based columns, as the input file's):
// girder row 1-7, bent row 8-12, station 13-28, offset 29-40, x 41-54, y 55-68, elevation 69-80,
// then two blanks and the girder's description. Lengths with four decimals.
inline constexpr const char* kGirderPointsHeading = "Girder points";
struct ListedPoint {
  int girder = 0, bent = 0;
  std::string station, elevation;
};
inline bool ReadListedPoint(const std::string& line, ListedPoint& p) {
  if (line.size() < 80) return false;
  p.girder = std::atoi(line.substr(0, 7).c_str());
  p.bent = std::atoi(line.substr(7, 5).c_str());
  auto trimmed = [&](std::size_t at, std::size_t n) {
    const std::string s = line.substr(at, n);
    const auto b = s.find_first_not_of(' ');
    return b == std::string::npos ? std::string() : s.substr(b);
  };
  p.station = trimmed(12, 16);
  p.elevation = trimmed(68, 12);
  return p.girder > 0 && p.bent > 0;
}

// The geometry computed from the input: the curve, the profile's key points, every girder
// line's point on every bent line, and what the geometry finds wrong.
inline void WriteGeometry(Writer& out, const Project& p) {
  const geom::ProjectGeometry g(p);
  const bool metric = g.metric();
  auto sta = [&](double s) { return geom::StationText(s, 4, metric); };
  auto num = [](double v) { return std::isfinite(v) ? Fixed("%.4f", v) : std::string("unknown"); };
  const geom::CurveData& c = g.curve();
  out << Fixed("Geometry (computed by the stand-in from the input; lengths in %s)", metric ? "metres" : "feet") << "";
  out << Fixed("Horizontal curve, %s", c.turn > 0 ? "right" : "left");
  out << Fixed("  PI %16s   Delta %14.8f deg   R      %14.4f", sta(c.PI).c_str(), c.delta, c.R);
  out << Fixed("  TS %16s   T in  %14.4f       Ls in  %14.4f", sta(c.TS).c_str(), c.Tin, c.LsIn);
  out << Fixed("  SC %16s   T out %14.4f       Ls out %14.4f", sta(c.SC).c_str(), c.Tout, c.LsOut);
  out << Fixed("  CS %16s   Lc    %14.4f       E      %14.4f", sta(c.CS).c_str(), c.Lc, c.E);
  out << Fixed("  ST %16s", sta(c.ST).c_str()) << "";
  out << "Profile";
  out << Fixed("  Curve %16s %12s %16s %12s %16s %12s  %s", "PVC", "Elevation", "PVI", "Elevation", "PVT",
               "Elevation", "High or low point");
  int n = 0;
  for (const geom::ProfileCurveData& v : g.profileCurves())
    out << Fixed("  %5d %16s %12.4f %16s %12.4f %16s %12.4f  %s", ++n, sta(v.PVC).c_str(), v.zPVC, sta(v.PVI).c_str(),
                 v.zPVI, sta(v.PVT).c_str(), v.zPVT,
                 v.hasTurn ? (sta(v.turnStation) + " at " + num(v.turnZ)).c_str() : "none");
  if (n == 0) out << "  none: no PI station";
  out << "" << kGirderPointsHeading;
  out << Fixed("%7s%5s%16s%12s%14s%14s%12s  %s", "Girder", "Bent", "Station", "Offset", "X", "Y", "Elevation",
               "Description");
  for (const geom::GirderLineData& line : g.girders())
    for (const geom::GirderPoint& pt : line.points) {
      if (!pt.found) {
        out << Fixed("%7d%5d  %s", line.row, pt.bent, "no point: the lines do not meet");
        continue;
      }
      out << Fixed("%7d%5d%16s%12.4f%14.4f%14.4f%12s  %s", line.row, pt.bent, sta(pt.station).c_str(), pt.offset, pt.x,
                   pt.y, num(pt.elevation).c_str(), line.description.c_str());
    }
  out << "" << "Geometry findings:";
  if (g.findings().empty()) out << "  none";
  for (const geom::Finding& f : g.findings()) out << "  " + f.Text();
  out << "";
}

// The stand-in engine's listing: a header, the warnings, every family as the editors
// show it, then the input echoed (the post-processor stand-ins read it back), then the
// geometry.
inline int WriteListing(const std::string& input, const std::string& listing,
                        const std::vector<std::string>& lines, const char* units) {
  Writer out(listing);
  if (!out.ok()) return 1;
  out << "STAND-IN GEOMETRY ENGINE - the input as read, then the geometry computed from it"
      << std::string("Units: ") + units << "Input: " + input << "";
  std::vector<std::string> warnings;
  const Project p = ReadRecords(lines, &warnings);
  out << "Warnings:";
  if (warnings.empty()) out << "  none";
  for (const std::string& w : warnings) out << "  " + w;
  out << "";
  const nlohmann::json dump = DumpProject(p, warnings);
  const char* families[][2] = {{"Description", "Project description"},
                               {"Horizontal", "Horizontal alignment"},
                               {"Vertical", "Vertical alignment"},
                               {"CrossTrans", "Cross slope and transitions"},
                               {"RefLine", "Reference line"},
                               {"GirderLine", "Girder lines"},
                               {"BentLine", "Bent lines"},
                               {"DeadLoad", "Dead load deflections"},
                               {"RoadAppr", "Roadway approaches"}};
  for (const auto& f : families) WriteFamily(out, f[0], f[1], dump[f[0]]);
  out << "Input echo:";
  for (std::size_t i = 0; i < lines.size(); ++i) out << Numbered(i + 1, lines[i]);
  out << "";
  WriteGeometry(out, p);
  out << "End of listing";
  return 0;
}

}  // namespace kv::standin
