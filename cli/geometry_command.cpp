#include "cli/geometry_command.h"

#include <cmath>

#include "cli/commands.h"
#include "cli/dump.h"
#include "inputfile/field_routines.h"

namespace kv {
namespace {

using nlohmann::json;

// Lengths to a millionth, angles to a hundred-millionth of a degree; nothing known: null.
json Num(double v, int decimals = 6) {
  if (!std::isfinite(v)) return nullptr;
  const double scale = std::pow(10.0, decimals);
  const double r = std::round(v * scale) / scale;
  return r == 0 ? 0.0 : r;
}


}  // namespace

bool ParseStation(const std::string& text, double& station) {
  // The "+" of a station goes as when the field is written; what is left must be a number.
  std::string t = text;
  if (t.size() > 1)
    if (auto plus = t.find('+', 1); plus != std::string::npos) t.erase(plus, 1);
  if (t.empty() || !IsNumberText(t)) return false;
  station = ParseNumberField(t, 0);
  return true;
}

json GeometryJson(const geom::ProjectGeometry& g) {
  const geom::CurveData& c = g.curve();
  json j;
  j["units"] = g.metric() ? "metres" : "feet";
  j["horizontal"] = {{"PI", Num(c.PI)},       {"TS", Num(c.TS)},     {"SC", Num(c.SC)},       {"CS", Num(c.CS)},
                     {"ST", Num(c.ST)},       {"R", Num(c.R)},       {"Delta", Num(c.delta, 8)},
                     {"Ls_in", Num(c.LsIn)},  {"Ls_out", Num(c.LsOut)}, {"Lc", Num(c.Lc)},
                     {"T_in", Num(c.Tin)},    {"T_out", Num(c.Tout)}, {"E", Num(c.E)}};
  json curves = json::array();
  for (const geom::ProfileCurveData& v : g.profileCurves())
    curves.push_back({{"PVC", Num(v.PVC)},
                      {"PVI", Num(v.PVI)},
                      {"PVT", Num(v.PVT)},
                      {"elevation_PVC", Num(v.zPVC)},
                      {"elevation_PVI", Num(v.zPVI)},
                      {"elevation_PVT", Num(v.zPVT)},
                      {"turning_point", v.hasTurn ? json{{"station", Num(v.turnStation)}, {"elevation", Num(v.turnZ)}}
                                                  : json(nullptr)}});
  j["profile"] = {{"curves", curves}};
  json girders = json::array();
  for (const geom::GirderLineData& line : g.girders()) {
    json points = json::array();
    for (const geom::GirderPoint& p : line.points) {
      if (!p.found) {
        points.push_back({{"bent", p.bent}, {"station", nullptr}, {"offset", nullptr}, {"x", nullptr},
                          {"y", nullptr}, {"elevation", nullptr}});
        continue;
      }
      points.push_back({{"bent", p.bent}, {"station", Num(p.station)}, {"offset", Num(p.offset)}, {"x", Num(p.x)},
                        {"y", Num(p.y)}, {"elevation", Num(p.elevation)}});
    }
    girders.push_back({{"row", line.row}, {"description", Latin1ToUtf8(line.description)}, {"points", points}});
  }
  j["girders"] = girders;
  json findings = json::array();
  for (const geom::Finding& f : g.findings())
    findings.push_back({{"record", f.record},
                        {"window", f.window},
                        {"rows", f.rows},
                        {"field", f.field},
                        {"message", Latin1ToUtf8(f.message)},
                        {"text", Latin1ToUtf8(f.Text())}});
  j["findings"] = findings;
  return j;
}

json PointJson(const geom::PointData& d) {
  return {{"station", Num(d.station)},
          {"offset", Num(d.offset)},
          {"x", Num(d.x)},
          {"y", Num(d.y)},
          {"bearing", Num(d.bearing, 8)},
          {"grade", Num(d.grade)},
          {"profile_elevation", Num(d.profileElevation)},
          {"elevation", Num(d.elevation)}};
}

std::vector<std::string> GeometryFindings(const Project& p) {
  std::vector<std::string> texts;
  const geom::ProjectGeometry g(p);
  for (const geom::Finding& f : g.findings()) texts.push_back(f.Text());
  return texts;
}

namespace {

int Geometry(const std::vector<std::string>& args, CliStreams& io) {
  std::string file, at, offset;
  bool hasAt = false, hasOffset = false, optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto optionValue = [&](const std::string& name, std::string& value, bool& seen) {
      if (a == name && i + 1 < args.size()) {
        value = args[++i];
      } else if (a.rfind(name + "=", 0) == 0) {
        value = a.substr(name.size() + 1);
      } else {
        return false;
      }
      seen = true;
      return true;
    };
    if (!optionsEnded && a == "--") {
      optionsEnded = true;
      continue;
    }
    if (!optionsEnded && (optionValue("--at", at, hasAt) || optionValue("--offset", offset, hasOffset))) continue;
    if (!optionsEnded && a.size() > 1 && a[0] == '-')
      return UsageError(kGeometryCommand, "unknown option '" + a + "'", io.err);
    if (!file.empty()) return UsageError(kGeometryCommand, "name exactly one input file", io.err);
    file = a;
  }
  if (file.empty()) return UsageError(kGeometryCommand, "name exactly one input file", io.err);
  if (hasOffset && !hasAt) return UsageError(kGeometryCommand, "--offset needs --at", io.err);
  double station = 0, off = 0;
  if (hasAt && !ParseStation(at, station))
    return UsageError(kGeometryCommand, "not a station: '" + at + "'", io.err);
  if (hasOffset && !ParseStation(offset, off))
    return UsageError(kGeometryCommand, "not an offset: '" + offset + "'", io.err);
  Project p;
  ReadReport report;
  if (!ReadOperand(file, io, p, report)) return kExitTrouble;
  const geom::ProjectGeometry g(p);
  if (!hasAt) {
    io.out << GeometryJson(g).dump(2) << "\n";
    return kExitClean;
  }
  const geom::PointData d = g.At(station, off);
  if (d.inGap)
    io.err << "kelvara: geometry: station " << at << " lies in the gap the station equation jumps over; "
           << "the point at the equation is given\n";
  io.out << PointJson(d).dump(2) << "\n";
  return kExitClean;
}

}  // namespace

const Command kGeometryCommand = {
    "geometry", "geometry FILE [--at STATION [--offset O]]",
    "                     print the computed alignment, profile and girder points as\n"
    "                     JSON, or one point of the control line\n",
    "Reads FILE as File Open does and prints, as JSON, what the program computes from it:\n"
    "the horizontal curve (PI, TS, SC, CS, ST, R, Delta, spiral and tangent lengths, Lc,\n"
    "E), the profile's vertical curves with their turning points, every girder line's\n"
    "station, offset, x, y and elevation at every bent line, and the geometry's findings.\n"
    "Stations are plain numbers in the file's length unit (243+18.72 is 24318.72).\n"
    "A FILE of - is standard input.\n"
    "\n"
    "  --at STATION   one point instead: STATION as 243+18.72 or 24318.72, after the\n"
    "                 station equation; station, offset, x, y, bearing (degrees from\n"
    "                 north, clockwise), grade (percent), profile and point elevation\n"
    "  --offset O     the point O to the right of the control line (left: negative)\n"
    "\n"
    "Exit status: 0 when the geometry was printed, 2 when the file cannot be read or\n"
    "the arguments are wrong.\n",
    Geometry};

}  // namespace kv
