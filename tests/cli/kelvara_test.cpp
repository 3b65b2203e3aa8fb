#include "cli/commands.h"

#include <nlohmann/json.hpp>

#include <algorithm>

#include "tests/test_support.h"

namespace kv {
namespace {

using test::Data;

struct CliRun { int status; std::string out, err; };
CliRun Kelvara(std::vector<std::string> args) {
  std::ostringstream out, err;
  int status = RunKelvara(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(Kelvara, StatusesAndOutput) {
  test::TempDir dir;
  const std::string norm = dir.File("norm.dat"), bad = Data("bad_codes.dat");
  // What stdout starts with (or contains, anywhere), what stderr contains, how many lines stdout has (0: empty).
  const struct { std::vector<std::string> args; int status; std::string out, err; bool anywhere = false; int lines = -1;
  } cases[] = {
      {{"check", Data("bridge_english.dat"), Data("overpass_metric.dat")}, 0, "", "", false, 0},
      // Every field in its columns, but no bridge: only the geometry has something to say.
      {{"check", Data("widest_english.dat"), Data("widest_metric.dat")}, 1,
       Data("widest_english.dat") + ": Geometry: (01) Horizontal, Radius: ", ""},
      {{"check", Data("bridge_english.dat"), bad}, 1,
       bad + ": Warning: (04) Reference line data, bad \"Station is on\" value.  Valid values are 0 to 3\n", "", false,
       9},
      {{"check", bad, Data("no_such_file.dat")}, 2, bad + ": ", "no_such_file.dat: cannot be read"},
      {{"normalize", Data("bridge_english.dat"), norm}, 0, "", "", false, 0},
      {{"check", norm}, 0, "", "", false, 0},
      {{}, 2, "", "Usage: kelvara"}, {{"frobnicate"}, 2, "", "unknown command 'frobnicate'"},
      {{"dump"}, 2, "", "name exactly one input file"},
      {{"normalize", "a"}, 2, "", "name the input file and the output file"},
      {{"check"}, 2, "", "name at least one input file"},
      {{"--version"}, 0, "kelvara ", ""}, {{"--help"}, 0, "normalize IN OUT", "", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(test::Join(c.args));
    const CliRun r = Kelvara(c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_TRUE(c.anywhere ? r.out.find(c.out) != std::string::npos : r.out.rfind(c.out, 0) == 0) << r.out;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    if (c.lines == 0) EXPECT_EQ(r.out, "");
    if (c.lines > 0) EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), c.lines);
  }
}

// Each sample and hostile file reads into exactly its dump under golden/ (every field,
// row, warning and mark; update.sh rewrites them; each value was checked against the columns).
// too_wide.dat has every number, station and angle of widest_english.dat replaced by a value
// that reads without a warning but is wider once written: `check` names each field in file
// order and `normalize` writes each value whole, its line that much wider.
TEST(Kelvara, EveryFileMatchesItsGoldenFiles) {
  int files = 0;
  for (const std::string folder : {"", "hostile/"})
    for (const auto& e : test::fs::directory_iterator(Data(folder))) {
      if (e.path().extension() != ".dat") continue;
      const std::string name = folder + e.path().stem().string();
      SCOPED_TRACE(name);
      ++files;
      const CliRun r = Kelvara({"dump", e.path().string()});
      ASSERT_EQ(r.status, 0) << r.err;
      const auto want = nlohmann::json::parse(test::Slurp(Data("golden/" + name + ".json")), nullptr, false);
      ASSERT_FALSE(want.is_discarded()) << "no golden file";
      EXPECT_EQ(nlohmann::json::parse(r.out).dump(1), want.dump(1));  // one value a line: failures show a diff
    }
  EXPECT_EQ(files, 23);
  test::TempDir dir;
  const CliRun check = Kelvara({"check", Data("too_wide.dat")}), norm = Kelvara({"normalize", Data("too_wide.dat"),
                                                                                   dir.File("norm.dat")});
  std::string report = check.out;
  for (std::size_t at; (at = report.find(Data(""))) != std::string::npos;) report.erase(at, Data("").size());
  EXPECT_EQ(std::to_string(check.status) + check.err + report, "1" + test::Slurp(Data("golden/too_wide.check")));
  int tooWide = 0;
  for (std::size_t at = 0; (at = report.find(" columns; the field has ", at)) != std::string::npos; ++at) ++tooWide;
  EXPECT_EQ(tooWide, 70);
  EXPECT_EQ(norm.status, 0);
  EXPECT_EQ(test::Slurp(dir.File("norm.dat")), test::Slurp(Data("golden/too_wide.dat")));
}

}  // namespace
}  // namespace kv
