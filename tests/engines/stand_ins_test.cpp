// The stand-in engines and post-processors on their own, without the editor: each run with
// its command line on a copy of a sample, and what it writes. Needs no display.
#include <cstdlib>

#include "../test_support.h"

namespace kv {
namespace {

// Runs a program of the program folder with quoted arguments; its exit status.
int RunProgram(const std::string& program, const std::vector<std::string>& args) {
  std::string line = "\"" + std::string(KV_ENGINE_DIR) + "/" + program + "\"";
  for (const std::string& a : args) line += " \"" + a + "\"";
  return std::system(line.c_str());
}

TEST(StandIns, EachProgramWritesItsFileFromTheOneBefore) {
  test::TempDir dir;
  const std::string english = dir.File("bridge.dat"), metric = dir.File("overpass.dat");
  test::fs::copy_file(test::Data("bridge_english.dat"), english);
  test::fs::copy_file(test::Data("overpass_metric.dat"), metric);
  const std::string b = dir.File("bridge"), m = dir.File("overpass");
  // In order: a program, its arguments, the file it writes, a piece of that file (one computed
  // point each for the engines: G1 on bent 1 in feet, G1 on bent 2 in metres, checked by hand).
  const struct { const char* program; std::vector<std::string> args; std::string out, piece; } steps[] = {
      {"KvarEngl", {b + ".dat", b + ".lis"}, b + ".lis",
       "\n      1    1     126+03.3508    -12.5765     4988.0000     2005.0456    511.2899  G1 EXTERIOR"},
      {"KvarM2e", {m + ".dat", m + ".bip"}, m + ".bip", ""},
      {"KvarMetr", {m + ".bip", m + ".lis"}, m + ".lis",
       "\n      1    2      3+356.8847     -1.1875       95.5207      -17.0687    102.9229  G1 LEFT"},
      {"Kvar2Cmb", {b + ".lis", "1-20"}, b + ".cmb",
       "\r\nGirder row   5, bent row   4: station 128+89.4660, elevation 512.7864\r\n"},
      {"KvarCamb", {b + ".cmb", b + ".out"}, b + ".out", "Girders: 1-20"},
      {"KvarStFi", {b + ".lis", "8"}, b + ".dxf", "0\r\nSECTION\r\n2\r\nENTITIES\r\n"},
      {"KvarPrCo", {b + ".lis", b + ".pcf", "1000", "", "N", "12", "30", "15.5", "E"}, b + ".pcf",
       "Northing offset: [1000]\r\nEasting offset: []"},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.program);
    ASSERT_EQ(RunProgram(s.program, s.args), 0);
    const std::string written = test::Slurp(s.out);
    EXPECT_FALSE(written.empty());
    EXPECT_NE(written.find(s.piece), std::string::npos) << written.substr(0, 400);
  }
}

}  // namespace
}  // namespace kv
