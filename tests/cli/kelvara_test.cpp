#include "cli/commands.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/test_support.h"

namespace kv {
namespace {

using test::Data;

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
  CliRun clean = Kelvara({"check", Data("bridge_english.dat"), Data("overpass_metric.dat"),
                          Data("widest_english.dat"), Data("widest_metric.dat")});
  EXPECT_EQ(clean.status, 0);
  EXPECT_EQ(clean.out, "");
  CliRun bad = Kelvara({"check", Data("bridge_english.dat"), Data("bad_codes.dat")});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out.substr(0, bad.out.find('\n')),
            Data("bad_codes.dat") +
                ": Warning: (04) Reference line data, bad \"Station is on\" value.  Valid values are 0 to 3");
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

// One field of widest_english.dat replaced by a value that reads without a warning
// but is wider once written: a written point whose implied-decimal form is one digit
// longer, an exponent where a point cannot do that (stations, one decimal), or
// seconds of 100 and more. Text fields are read by their columns and so can never
// come back wider than their columns; only numbers, stations and angles appear here.
struct WideField {
  const char* code;  // record code of the line
  int nth;           // which line with that code, from 0
  int first;         // first column of the field
  const char* cols;  // the field's new columns, exactly as wide as the field
  std::string report;
};

const char* const kSta11 = "  9E5999999";  // 900000+99.9999: one digit too many
const char* const kSta9 = "  9E59999";
const char* const kSta7 = "  9E599";
const char* const kAngle9 = "99999999.";  // 999 degrees, 99 minutes, 999.00 seconds
const char* const kAngle8 = "9999999.";
const std::string kWideDeg3 = "\"999\xB0 99' 999.00\"\" takes 10 columns; the field has 9";
const std::string kWideDeg2 = "\"99\xB0 99' 999.00\"\" takes 9 columns; the field has 8";
const std::string kWideSta11 = "\"900000+99.9999\" takes 12 columns; the field has 11";
const std::string kWideSta9 = "\"900000+99.99\" takes 10 columns; the field has 9";

std::vector<WideField> WideFields() {
  std::vector<WideField> f = {
      {"01", 0, 4, kAngle9, "Horizontal, Delta: " + kWideDeg3},
      {"01", 0, 13, kSta11, "Horizontal, PIStation: " + kWideSta11},
      {"01", 0, 24, kAngle8, "Horizontal, Degree: " + kWideDeg2},
      {"01", 0, 32, "99999.", "Horizontal, InSpiral: \"99999\" takes 7 columns; the field has 6"},
      {"01", 0, 38, "99999.", "Horizontal, OutSpiral: \"99999\" takes 7 columns; the field has 6"},
      {"01", 0, 44, "  99999.", "Horizontal, ProfOffset: \"99999\" takes 9 columns; the field has 8"},
      {"01", 0, 52, "  99999", "Horizontal, Radius: \"99999\" takes 8 columns; the field has 7"},
      {"01", 0, 59, kSta11, "Horizontal, Back: " + kWideSta11},
      {"01", 0, 70, kSta11, "Horizontal, Ahead: " + kWideSta11},
      {"02", 0, 3, "    9999.", "Vertical, GradeIn: \"9999\" takes 10 columns; the field has 9"},
      {"02", 0, 12, "99999.", "Vertical, InLength1: \"99999\" takes 7 columns; the field has 6"},
      {"02", 0, 18, kSta9, "Vertical, PISta1: " + kWideSta9},
      {"02", 0, 27, "  999999.", "Vertical, PIElev1: \"999999\" takes 10 columns; the field has 9"},
      {"02", 0, 36, "99999.", "Vertical, OutLength1: \"99999\" takes 7 columns; the field has 6"},
      {"02", 0, 42, "99999.", "Vertical, InLength2: \"99999\" takes 7 columns; the field has 6"},
      {"02", 0, 48, kSta9, "Vertical, PISta2: " + kWideSta9},
      {"02", 0, 57, "  999999.", "Vertical, PIElev2: \"999999\" takes 10 columns; the field has 9"},
      {"02", 0, 66, "99999.", "Vertical, OutLength2: \"99999\" takes 7 columns; the field has 6"},
      {"02", 0, 72, "    9999.", "Vertical, GradeOut: \"9999\" takes 10 columns; the field has 9"},
      {"03", 0, 4, "  99.", "CrossTrans, CrossSlope: \"99\" takes 6 columns; the field has 5"},
      {"03", 0, 9, "  9.", "CrossTrans, SuperRate: \"9\" takes 5 columns; the field has 4"},
      {"03", 0, 13, "  99999.", "CrossTrans, PivotOffset: \"99999\" takes 9 columns; the field has 8"},
      {"03", 0, 21, "9999.", "CrossTrans, InRunOut: \"9999\" takes 6 columns; the field has 5"},
      {"03", 0, 26, "9999.", "CrossTrans, InTransLength: \"9999\" takes 6 columns; the field has 5"},
      {"03", 0, 31, "9999.", "CrossTrans, InTransPer: \"9999\" takes 6 columns; the field has 5"},
      {"03", 0, 36, "9999.", "CrossTrans, OutRunout: \"9999\" takes 6 columns; the field has 5"},
      {"03", 0, 41, "9999.", "CrossTrans, OutTransLength: \"9999\" takes 6 columns; the field has 5"},
      {"03", 0, 46, "9999.", "CrossTrans, OutTransPer: \"9999\" takes 6 columns; the field has 5"},
      {"03", 0, 51, "1E3", "CrossTrans, MaxTransVC: \"100\" takes 4 columns; the field has 3"},
      {"03", 0, 57, "  999999.", "CrossTrans, CrownWidth: \"999999\" takes 10 columns; the field has 9"},
      {"03", 0, 66, " 999.", "CrossTrans, CrownHeight: \"999\" takes 6 columns; the field has 5"},
      {"03", 0, 71, "  99.", "CrossTrans, CrownLeft: \"99\" takes 6 columns; the field has 5"},
      {"03", 0, 76, "  99.", "CrossTrans, CrownRight: \"99\" takes 6 columns; the field has 5"},
      {"03", 1, 3, kSta9, "CrossTrans row 1, OverSta: " + kWideSta9},
      {"03", 1, 12, "  99.", "CrossTrans row 1, OverLeft: \"99\" takes 6 columns; the field has 5"},
      {"03", 1, 17, "  99.", "CrossTrans row 1, OverRight: \"99\" takes 6 columns; the field has 5"},
      {"04", 0, 3, kSta11, "RefLine, RefLineSta: " + kWideSta11},
      {"04", 0, 16, kAngle8, "RefLine, SkewAngle: " + kWideDeg2},
      {"04", 0, 41, "  999999.", "RefLine, TransX: \"999999\" takes 10 columns; the field has 9"},
      {"04", 0, 50, "  999999.", "RefLine, TransY: \"999999\" takes 10 columns; the field has 9"},
      {"04", 0, 59, kSta11, "RefLine, LimitBegSta: " + kWideSta11},
      {"04", 0, 70, kSta11, "RefLine, LimitEndSta: " + kWideSta11},
      {"05", 0, 4, "  99999.", "GirderLine row 1, Text1: \"99999\" takes 9 columns; the field has 8"},
      {"05", 0, 13, "  99999.", "GirderLine row 1, Text2: \"99999\" takes 9 columns; the field has 8"},
      {"05", 0, 22, "  99999.", "GirderLine row 1, Text3: \"99999\" takes 9 columns; the field has 8"},
      {"06", 0, 3, "  99999.", "BentLine row 1, Text1: \"99999\" takes 9 columns; the field has 8"},
      {"06", 0, 13, kAngle8, "BentLine row 1, Text2: " + kWideDeg2},
      // Fractional points: a fraction goes in 7 columns, a whole number in the first 3.
      {"06", 0, 22, " 9999.5", "BentLine row 1, Text3: \"9999.5\" takes 8 columns; the field has 7"},
      {"06", 1, 22, "  9999.", "BentLine row 2, Text3: \"9999\" takes 4 columns; the field has 3"},
  };
  for (int k = 0; k < 11; ++k)
    f.push_back({"07", 0, 15 + 6 * k, " 9999.",
                 "DeadLoad row 1, Text" + std::to_string(3 + k) +
                     ": \"9999\" takes 7 columns; the field has 6"});
  f.push_back({"08", 0, 3, kSta7, "RoadAppr, BegStr: \"900000+99.0\" takes 8 columns; the field has 7"});
  f.push_back({"08", 0, 10, kSta7, "RoadAppr, EndStr: \"900000+99.0\" takes 8 columns; the field has 7"});
  f.push_back({"08", 0, 17, "     1E8",
               "RoadAppr, Length: \"10000000\" takes 9 columns; the field has 8"});
  for (int k = 1; k <= 7; ++k)
    f.push_back({"08", 0, 17 + 8 * k, "  99999.",
                 "RoadAppr, Off" + std::to_string(k) + ": \"99999\" takes 9 columns; the field has 8"});
  return f;
}

TEST(Kelvara, CheckNamesEveryNumberStationAndAngleTooWide) {
  std::ifstream in(Data("widest_english.dat"), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  std::vector<std::string> lines;
  for (std::string l; std::getline(s, l);) lines.push_back(l);  // each keeps its CR

  std::string expected;
  const std::string path = (std::filesystem::temp_directory_path() / "kv-too-wide.dat").string();
  for (const WideField& w : WideFields()) {
    int seen = -1;
    auto line = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
      return l.compare(0, 2, w.code) == 0 && ++seen == w.nth;
    });
    ASSERT_NE(line, lines.end()) << w.report;
    line->replace(w.first - 1, std::strlen(w.cols), w.cols);
    expected += path + ": " + w.report + "\n";
  }
  std::ofstream out(path, std::ios::binary);
  for (const std::string& l : lines) out << l << "\n";
  out.close();

  CliRun r = Kelvara({"check", path});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, expected);
  EXPECT_EQ(r.err, "");
  std::filesystem::remove(path);
}

TEST(Kelvara, DumpSchema) {
  CliRun r = Kelvara({"dump", Data("bridge_english.dat")});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["MetricUnits"], 0);
  EXPECT_EQ(j["warnings"].size(), 0u);
  EXPECT_EQ(j["marked"], (nlohmann::json{"mnuFormDesc", "mnuFormHoriz", "mnuFormVert", "mnuFormCross",
                                         "mnuFormRef", "mnuFormGird", "mnuFormBent", "mnuFormDead",
                                         "mnuFormRoadApp"}));
  EXPECT_EQ(j["Horizontal"]["Delta"], "12\u00b0 34' 56.78\"");
  EXPECT_EQ(j["Horizontal"]["Option2"], true);
  EXPECT_EQ(j["Description"]["StructureID"], "BR-3SPAN01");
  EXPECT_EQ(j["CrossTrans"]["CrownType"], 1);
  EXPECT_EQ(j["CrossTrans"]["rows"].size(), 6u);
  EXPECT_EQ(j["GirderLine"]["rows"].size(), 20u);
  EXPECT_EQ(j["GirderLine"]["rows"][4]["TerminalEnabled"], true);
  EXPECT_EQ(j["GirderLine"]["rows"][2]["Combo3Items"][0], "Normal from base");
  EXPECT_EQ(j["BentLine"]["rows"][0]["Text2"], "15\u00b0 0' 0.00\"");
  EXPECT_EQ(j["BentLine"]["rows"][19]["Text7"], "L");
  EXPECT_EQ(j["BentLine"]["rows"][19]["Combo1"], -1);
  EXPECT_EQ(j["BentLine"]["rows"][3]["List1"], (nlohmann::json{false, false, true, true}));
  EXPECT_EQ(j["DeadLoad"]["rows"][0].size(), 14u);
  EXPECT_EQ(j["DeadLoad"]["rows"][0]["Text14"], " ");
  EXPECT_EQ(j["DeadLoad"]["rows"][19]["Text13"], "");
  EXPECT_EQ(j["RoadAppr"].size(), 10u);
  EXPECT_EQ(j["RoadAppr"]["Off7"], "20");
}

TEST(Kelvara, NormalizeAndArguments) {
  test::TempDir dir;
  const std::string out = dir.File("norm.dat");
  CliRun n = Kelvara({"normalize", Data("bridge_english.dat"), out});
  EXPECT_EQ(n.status, 0) << n.err;
  EXPECT_EQ(Kelvara({"check", out}).status, 0);
  const struct { std::vector<std::string> args; const char* inErr; } cases[] = {
      {{}, "Usage: kelvara"},
      {{"frobnicate"}, "unknown command 'frobnicate'"},
      {{"dump"}, "name exactly one input file"},
      {{"normalize", "a"}, "name the input file and the output file"},
      {{"check"}, "name at least one input file"}};
  for (const auto& c : cases) {
    CliRun r = Kelvara(c.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(c.inErr), std::string::npos) << r.err;
  }
  EXPECT_EQ(Kelvara({"--version"}).out.rfind("kelvara ", 0), 0u);
  EXPECT_NE(Kelvara({"--help"}).out.find("normalize IN OUT"), std::string::npos);
}

}  // namespace
}  // namespace kv
