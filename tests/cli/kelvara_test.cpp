#include "cli/commands.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kv {
namespace {

std::string Data(const std::string& name) { return std::string(KV_TEST_DATA) + "/" + name; }

struct CliRun {
  int status;
  std::string out, err;
};

CliRun Kelvara(std::vector<std::string> args) {
  std::ostringstream out, err;
  int status = RunKelvara(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(Kelvara, CheckStatusesAndLines) {
  CliRun clean = Kelvara({"check", Data("bridge_english.dat"), Data("overpass_metric.dat")});
  EXPECT_EQ(clean.status, 0);
  EXPECT_EQ(clean.out, "");

  CliRun bad = Kelvara({"check", Data("bridge_english.dat"), Data("bad_codes.dat")});
  EXPECT_EQ(bad.status, 1);
  std::string prefix = Data("bad_codes.dat") + ": ";
  EXPECT_EQ(bad.out.substr(0, bad.out.find('\n')),
            prefix + "Warning: (04) Reference line data, bad \"Station is on\" value.  Valid values are 0 to 3");
  EXPECT_EQ(std::count(bad.out.begin(), bad.out.end(), '\n'), 8);

  CliRun missing = Kelvara({"check", Data("bad_codes.dat"), Data("no_such_file.dat")});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("no_such_file.dat: cannot be read"), std::string::npos);
}

TEST(Kelvara, CheckListsFieldsTooWideForTheirColumns) {
  auto dir = std::filesystem::temp_directory_path() / "kv-cli-wide";
  std::filesystem::create_directories(dir);
  std::string path = (dir / "wide.dat").string();
  std::ifstream in(Data("bridge_english.dat"), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  std::string bytes = s.str();
  // A radius with a written point takes the whole field and more: 12345.67 is 8 wide.
  bytes.replace(bytes.find("2291.83"), 7, "12345.6");
  std::ofstream(path, std::ios::binary) << bytes;
  // Reading 12345.6 gives a radius that needs 8 columns once written as 12345.60.
  CliRun r = Kelvara({"check", path});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, path + ": Horizontal, Radius: \"12345.6\" takes 8 columns; the field has 7\n");
  std::filesystem::remove_all(dir);
}

TEST(Kelvara, DumpSchema) {
  CliRun r = Kelvara({"dump", Data("bridge_english.dat")});
  ASSERT_EQ(r.status, 0) << r.err;
  auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["MetricUnits"], 0);
  EXPECT_EQ(j["warnings"].size(), 0u);
  EXPECT_EQ(j["marked"], (nlohmann::json{"mnuFormDesc", "mnuFormHoriz", "mnuFormVert",
                                         "mnuFormCross", "mnuFormRef", "mnuFormGird",
                                         "mnuFormBent", "mnuFormDead", "mnuFormRoadApp"}));
  EXPECT_EQ(j["Horizontal"]["Delta"], "12\u00b0 34' 56.78\"");
  EXPECT_EQ(j["Horizontal"]["Option2"], true);
  EXPECT_EQ(j["Description"]["StructureID"], "BR-3SPAN01");
  EXPECT_EQ(j["CrossTrans"]["CrownType"], 1);
  EXPECT_EQ(j["CrossTrans"]["rows"].size(), 6u);
  EXPECT_EQ(j["GirderLine"]["rows"].size(), 20u);
  EXPECT_EQ(j["GirderLine"]["rows"][4]["TerminalEnabled"], true);
  EXPECT_EQ(j["GirderLine"]["rows"][2]["Combo3Items"][0], "Normal from base");
  EXPECT_EQ(j["BentLine"]["rows"][19]["Text7"], "L");
  EXPECT_EQ(j["BentLine"]["rows"][3]["List1"], (nlohmann::json{false, false, true, true}));
  EXPECT_EQ(j["DeadLoad"]["rows"][0]["Text14"], " ");
  EXPECT_EQ(j["RoadAppr"]["Off7"], "20");
}

TEST(Kelvara, NormalizeAndArguments) {
  auto out = (std::filesystem::temp_directory_path() / "kv-cli-norm.dat").string();
  CliRun n = Kelvara({"normalize", Data("bridge_english.dat"), out});
  EXPECT_EQ(n.status, 0) << n.err;
  CliRun again = Kelvara({"check", out});
  EXPECT_EQ(again.status, 0);
  std::filesystem::remove(out);

  struct Case {
    std::vector<std::string> args;
    int status;
    const char* inErr;
  } cases[] = {
      {{}, 2, "Usage: kelvara"},
      {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
      {{"dump"}, 2, "name exactly one input file"},
      {{"normalize", "a"}, 2, "name the input file and the output file"},
      {{"check"}, 2, "name at least one input file"},
  };
  for (const Case& c : cases) {
    CliRun r = Kelvara(c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_NE(r.err.find(c.inErr), std::string::npos) << r.err;
  }
  EXPECT_EQ(Kelvara({"--version"}).out.rfind("kelvara ", 0), 0u);
  EXPECT_NE(Kelvara({"--help"}).out.find("normalize IN OUT"), std::string::npos);
}

}  // namespace
}  // namespace kv
