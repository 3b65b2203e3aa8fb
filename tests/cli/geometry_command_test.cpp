// `kelvara geometry`: the JSON a designer or a script reads, one point with --at, and the
// refusals. The numbers are the hand-checked ones of the geometry tests.
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "tests/test_support.h"

namespace kv {
namespace {

using nlohmann::json;
using test::Data;

struct CliResult { int status; std::string out, err; };
CliResult Kelvara(std::vector<std::string> args) {
  std::istringstream in;
  std::ostringstream out, err;
  const int status = RunKelvara(args, in, out, err);
  return {status, out.str(), err.str()};
}

TEST(GeometryCommand, TheSampleAsJson) {
  const CliResult r = Kelvara({"geometry", Data("bridge_english.dat")});
  ASSERT_EQ(r.status, 0) << r.err;
  const json j = json::parse(r.out);
  EXPECT_EQ(j["units"], "feet");
  // No spirals would give TS = SC and CS = ST; these have 150 ft each.
  const json& h = j["horizontal"];
  const std::pair<const char*, double> horizontal[] = {
      {"PI", 12540.5},       {"TS", 12212.792691}, {"SC", 12362.792691}, {"CS", 12716.089987},
      {"ST", 12866.089987},  {"R", 2291.83},       {"Delta", 12.58243889}, {"Ls_in", 150},
      {"Ls_out", 150},       {"Lc", 353.297296},   {"T_in", 327.707309}, {"T_out", 327.707309}};
  for (const auto& [key, value] : horizontal) EXPECT_NEAR(h[key].get<double>(), value, 1e-6) << key;
  EXPECT_EQ(h.size(), 13u);
  // The first curve climbs throughout; the second has its high point at 131+30.19.
  const json& curves = j["profile"]["curves"];
  ASSERT_EQ(curves.size(), 2u);
  EXPECT_EQ(curves[0].dump(), R"({"PVC":12500.0,"PVI":12700.0,"PVT":12900.0,"elevation_PVC":509.84,)"
                              R"("elevation_PVI":512.34,"elevation_PVT":513.566667,"turning_point":null})");
  EXPECT_EQ(curves[1]["turning_point"].dump(), R"({"elevation":514.579245,"station":13130.188679})");
  ASSERT_EQ(j["girders"].size(), 5u);
  EXPECT_EQ(j["girders"][0]["row"], 1);
  EXPECT_EQ(j["girders"][0]["description"], "G1 EXTERIOR LEFT    ");
  EXPECT_EQ(j["girders"][0]["points"][0].dump(), R"({"bent":1,"elevation":511.28994,"offset":-12.576511,)"
                                                 R"("station":12603.350819,"x":4988.0,"y":2005.045614})");
  for (const json& g : j["girders"]) EXPECT_EQ(g["points"].size(), 4u);
  EXPECT_EQ(j["findings"], json::array());

  const CliResult metric = Kelvara({"geometry", Data("overpass_metric.dat")});
  EXPECT_EQ(json::parse(metric.out)["units"], "metres");
}

// --at gives the control line's point at a station, and with --offset a point beside it: at G1's
// point on bent 1 it gives that point's grid coordinates and deck elevation, the grade and bearing of
// the control line there (7.889 deg right of the layout line, on the arc), and the profile.
TEST(GeometryCommand, OnePointWithAt) {
  const std::string want = R"({"bearing":7.88895727,"elevation":511.28994,"grade":1.0855,"offset":-12.576511,)"
                           R"("profile_elevation":511.046879,"station":12603.350819,"x":4987.999999,"y":2005.045614})";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--at", "126+03.350819", "--offset", "-12.576511"},
        {"--at=12603.350819", "--offset=-12.576511"}}) {
    std::vector<std::string> all{"geometry", Data("bridge_english.dat")};
    all.insert(all.end(), args.begin(), args.end());
    const CliResult r = Kelvara(all);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(json::parse(r.out).dump(), want) << test::Join(args);
  }
  // The sample's equation jumps from 134+00 to 134+25.50: 134+10 is not a station of the line.
  const CliResult gap = Kelvara({"geometry", Data("bridge_english.dat"), "--at", "134+10"});
  EXPECT_EQ(gap.status, 0);
  EXPECT_EQ(json::parse(gap.out)["station"], 13410.0);
  EXPECT_EQ(gap.err, "kelvara: geometry: station 134+10 lies in the gap the station equation jumps over; the point at "
                     "the equation is given\n");
}

TEST(GeometryCommand, Refusals) {
  const std::string f = Data("bridge_english.dat");
  const struct { std::vector<std::string> args; std::string err; } cases[] = {
      {{"geometry"}, "kelvara: geometry: name exactly one input file"},
      {{"geometry", f, f}, "kelvara: geometry: name exactly one input file"},
      {{"geometry", f, "--offset", "3"}, "kelvara: geometry: --offset needs --at"},
      {{"geometry", f, "--at", "12+3x"}, "kelvara: geometry: not a station: '12+3x'"},
      {{"geometry", f, "--at", "1+00", "--offset", "left"}, "kelvara: geometry: not an offset: 'left'"},
      {{"geometry", f, "--frob"}, "kelvara: geometry: unknown option '--frob'"},
      {{"geometry", Data("no_such_file.dat")}, "no_such_file.dat: No such file or directory\n"},
  };
  for (const auto& c : cases) {
    const CliResult r = Kelvara(c.args);
    EXPECT_EQ(r.status, 2) << test::Join(c.args);
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace
}  // namespace kv
