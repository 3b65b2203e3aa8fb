#include "cli/commands.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <tuple>

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
      {{"check", Data("bridge_english.dat"), Data("overpass_metric.dat"), Data("widest_english.dat"),
        Data("widest_metric.dat")}, 0, "", "", false, 0},
      {{"check", Data("bridge_english.dat"), bad}, 1,
       bad + ": Warning: (04) Reference line data, bad \"Station is on\" value.  Valid values are 0 to 3\n", "", false,
       8},
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

// Each number, station and angle of widest_english.dat replaced by a value that reads
// without a warning but is wider once written: a written point (one digit more in the
// implied-decimal form), an exponent where a point cannot do that, or seconds of 100 and
// more. Text fields are read by their columns and can never come back wider.
TEST(Kelvara, CheckNamesEveryNumberStationAndAngleTooWide) {
  struct At { const char* code; int first; std::string field; int nth = 0; };  // nth: which line with that code
  std::vector<At> dead, offsets;
  for (int k = 0; k < 11; ++k) dead.push_back({"07", 15 + 6 * k, "Text" + std::to_string(3 + k)});
  for (int k = 1; k <= 7; ++k) offsets.push_back({"08", 17 + 8 * k, "Off" + std::to_string(k)});
  const std::string deg3 = "999\xB0 99' 999.00\"", deg2 = "99\xB0 99' 999.00\"";  // 999.00 seconds
  const struct { std::string cols, text; int used; std::vector<At> at; std::size_t width = 0; } kinds[] = {
      {"99999999.", deg3, 10, {{"01", 4, "Delta"}}},
      {"9999999.", deg2, 9, {{"01", 24, "Degree"}, {"04", 16, "SkewAngle"}, {"06", 13, "Text2"}}},
      {"  9E5999999", "900000+99.9999", 12, {{"01", 13, "PIStation"}, {"01", 59, "Back"}, {"01", 70, "Ahead"},
       {"04", 3, "RefLineSta"}, {"04", 59, "LimitBegSta"}, {"04", 70, "LimitEndSta"}}},
      {"  9E59999", "900000+99.99", 10, {{"02", 18, "PISta1"}, {"02", 48, "PISta2"}, {"03", 3, "OverSta", 1}}},
      {"  9E599", "900000+99.0", 8, {{"08", 3, "BegStr"}, {"08", 10, "EndStr"}}},
      {"99999.", "99999", 7, {{"01", 32, "InSpiral"}, {"01", 38, "OutSpiral"}, {"02", 12, "InLength1"},
       {"02", 36, "OutLength1"}, {"02", 42, "InLength2"}, {"02", 66, "OutLength2"}}},
      {"  99999", "99999", 8, {{"01", 52, "Radius"}}},
      {"  99999.", "99999", 9, {{"01", 44, "ProfOffset"}, {"03", 13, "PivotOffset"}, {"05", 4, "Text1"},
       {"05", 13, "Text2"}, {"05", 22, "Text3"}, {"06", 3, "Text1"}}},
      {"  99999.", "99999", 9, offsets},
      {"    9999.", "9999", 10, {{"02", 3, "GradeIn"}, {"02", 72, "GradeOut"}}},
      {"  999999.", "999999", 10, {{"02", 27, "PIElev1"}, {"02", 57, "PIElev2"}, {"03", 57, "CrownWidth"},
       {"04", 41, "TransX"}, {"04", 50, "TransY"}}},
      {"  99.", "99", 6, {{"03", 4, "CrossSlope"}, {"03", 71, "CrownLeft"}, {"03", 76, "CrownRight"},
       {"03", 12, "OverLeft", 1}, {"03", 17, "OverRight", 1}}},
      {"  9.", "9", 5, {{"03", 9, "SuperRate"}}},
      {"9999.", "9999", 6, {{"03", 21, "InRunOut"}, {"03", 26, "InTransLength"}, {"03", 31, "InTransPer"},
       {"03", 36, "OutRunout"}, {"03", 41, "OutTransLength"}, {"03", 46, "OutTransPer"}}},
      {"1E3", "100", 4, {{"03", 51, "MaxTransVC"}}}, {" 999.", "999", 6, {{"03", 66, "CrownHeight"}}},
      {"     1E8", "10000000", 9, {{"08", 17, "Length"}}}, {" 9999.", "9999", 7, dead},
      // Fractional points: a fraction goes in 7 columns, a whole number in the first 3.
      {" 9999.5", "9999.5", 8, {{"06", 22, "Text3"}}}, {"  9999.", "9999", 4, {{"06", 22, "Text3", 1}}, 3}};
  const std::map<std::string, std::string> windows = {{"01", "Horizontal"}, {"02", "Vertical"}, {"03", "CrossTrans"},
      {"04", "RefLine"}, {"05", "GirderLine"}, {"06", "BentLine"}, {"07", "DeadLoad"}, {"08", "RoadAppr"}};

  std::istringstream in(test::Slurp(Data("widest_english.dat")));
  test::Strings lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);  // each keeps its CR
  test::TempDir dir;
  const std::string path = dir.File("too-wide.dat");
  // Reported in file order: line by line, column by column.
  std::vector<std::tuple<std::string, int, int, std::string>> expected;
  std::vector<std::size_t> wider(lines.size());
  for (const auto& k : kinds)
    for (const At& a : k.at) {
      int seen = -1;
      auto line = std::find_if(lines.begin(), lines.end(),
                               [&](const std::string& l) { return l.compare(0, 2, a.code) == 0 && ++seen == a.nth; });
      ASSERT_NE(line, lines.end()) << a.field;
      line->replace(a.first - 1, k.cols.size(), k.cols);
      wider[line - lines.begin()] += k.used - (k.width ? k.width : k.cols.size());
      const bool grid = (a.code[1] >= '5' && a.code[1] <= '7') || a.nth;
      const std::string row = grid ? " row " + std::to_string(a.nth + (a.code[1] != '3')) : "";
      expected.emplace_back(a.code, a.nth, a.first,
                            path + ": " + windows.at(a.code) + row + ", " + a.field + ": \"" + k.text + "\" takes " +
                                std::to_string(k.used) + " columns; the field has " +
                                std::to_string(k.width ? k.width : k.cols.size()) + "\n");
    }
  std::sort(expected.begin(), expected.end());
  std::string bytes, report;
  for (const std::string& l : lines) bytes += l + "\n";
  for (const auto& e : expected) report += std::get<3>(e);
  dir.File("too-wide.dat", bytes);
  CliRun r = Kelvara({"check", path});
  EXPECT_EQ(std::vector<std::string>({std::to_string(r.status), r.out, r.err}),
            std::vector<std::string>({"1", report, ""}));
  EXPECT_EQ(expected.size(), 70u);
  // Written back, each value is whole and its line that much wider.
  const std::string norm = dir.File("norm.dat");
  Kelvara({"normalize", path, norm});
  std::istringstream written(test::Slurp(norm));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string l;
    ASSERT_TRUE(std::getline(written, l)) << i;
    EXPECT_EQ(l.size(), lines[i].size() + wider[i]) << l;
  }
}

// Each sample and hostile file reads into exactly its dump under golden/ (every field,
// row, warning and mark; update.sh rewrites them; each value was checked against the columns).
TEST(Kelvara, DumpOfEveryFileMatchesItsGoldenFile) {
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
  EXPECT_EQ(files, 20);
}

}  // namespace
}  // namespace kv
