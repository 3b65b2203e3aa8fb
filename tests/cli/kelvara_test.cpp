#include "cli/commands.h"

#include <nlohmann/json.hpp>

#include <algorithm>

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

// One field of widest_english.dat replaced by a value that reads without a warning
// but is wider once written: a written point whose implied-decimal form is one digit
// longer, an exponent where a point cannot do that (stations, one decimal), or
// seconds of 100 and more. Text fields are read by their columns and so can never
// come back wider than their columns; only numbers, stations and angles appear here.
struct WideField {
  const char* code;  // record code of the line
  int nth, first;    // which line with that code from 0, first column of the field
  std::string cols;  // the field's new columns, exactly as wide as the field
  std::string where, text;
  int used;
  std::size_t width = 0;  // when not the columns' width
};

TEST(Kelvara, CheckNamesEveryNumberStationAndAngleTooWide) {
  const std::string sta11 = "  9E5999999", sta9 = "  9E59999", sta7 = "  9E599";  // 900000+99.9999 etc.
  const std::string angle9 = "99999999.", angle8 = "9999999.";  // 999 degrees, 99 minutes, 999.00 seconds
  const std::string deg3 = "999\xB0 99' 999.00\"", deg2 = "99\xB0 99' 999.00\"";
  const std::string n5 = "99999.", n8 = "  99999.", n9 = "  999999.", c5 = "9999.";
  std::vector<WideField> fields = {
      {"01", 0, 4, angle9, "Horizontal, Delta", deg3, 10},
      {"01", 0, 13, sta11, "Horizontal, PIStation", "900000+99.9999", 12},
      {"01", 0, 24, angle8, "Horizontal, Degree", deg2, 9}, {"01", 0, 32, n5, "Horizontal, InSpiral", "99999", 7},
      {"01", 0, 38, n5, "Horizontal, OutSpiral", "99999", 7}, {"01", 0, 44, n8, "Horizontal, ProfOffset", "99999", 9},
      {"01", 0, 52, "  99999", "Horizontal, Radius", "99999", 8},
      {"01", 0, 59, sta11, "Horizontal, Back", "900000+99.9999", 12},
      {"01", 0, 70, sta11, "Horizontal, Ahead", "900000+99.9999", 12},
      {"02", 0, 3, "    9999.", "Vertical, GradeIn", "9999", 10}, {"02", 0, 12, n5, "Vertical, InLength1", "99999", 7},
      {"02", 0, 18, sta9, "Vertical, PISta1", "900000+99.99", 10}, {"02", 0, 27, n9, "Vertical, PIElev1", "999999", 10},
      {"02", 0, 36, n5, "Vertical, OutLength1", "99999", 7}, {"02", 0, 42, n5, "Vertical, InLength2", "99999", 7},
      {"02", 0, 48, sta9, "Vertical, PISta2", "900000+99.99", 10}, {"02", 0, 57, n9, "Vertical, PIElev2", "999999", 10},
      {"02", 0, 66, n5, "Vertical, OutLength2", "99999", 7},
      {"02", 0, 72, "    9999.", "Vertical, GradeOut", "9999", 10},
      {"03", 0, 4, "  99.", "CrossTrans, CrossSlope", "99", 6}, {"03", 0, 9, "  9.", "CrossTrans, SuperRate", "9", 5},
      {"03", 0, 13, n8, "CrossTrans, PivotOffset", "99999", 9}, {"03", 0, 21, c5, "CrossTrans, InRunOut", "9999", 6},
      {"03", 0, 26, c5, "CrossTrans, InTransLength", "9999", 6}, {"03", 0, 31, c5, "CrossTrans, InTransPer", "9999", 6},
      {"03", 0, 36, c5, "CrossTrans, OutRunout", "9999", 6}, {"03", 0, 41, c5, "CrossTrans, OutTransLength", "9999", 6},
      {"03", 0, 46, c5, "CrossTrans, OutTransPer", "9999", 6}, {"03", 0, 51, "1E3", "CrossTrans, MaxTransVC", "100", 4},
      {"03", 0, 57, n9, "CrossTrans, CrownWidth", "999999", 10},
      {"03", 0, 66, " 999.", "CrossTrans, CrownHeight", "999", 6},
      {"03", 0, 71, "  99.", "CrossTrans, CrownLeft", "99", 6},
      {"03", 0, 76, "  99.", "CrossTrans, CrownRight", "99", 6},
      {"03", 1, 3, sta9, "CrossTrans row 1, OverSta", "900000+99.99", 10},
      {"03", 1, 12, "  99.", "CrossTrans row 1, OverLeft", "99", 6},
      {"03", 1, 17, "  99.", "CrossTrans row 1, OverRight", "99", 6},
      {"04", 0, 3, sta11, "RefLine, RefLineSta", "900000+99.9999", 12},
      {"04", 0, 16, angle8, "RefLine, SkewAngle", deg2, 9},
      {"04", 0, 41, n9, "RefLine, TransX", "999999", 10}, {"04", 0, 50, n9, "RefLine, TransY", "999999", 10},
      {"04", 0, 59, sta11, "RefLine, LimitBegSta", "900000+99.9999", 12},
      {"04", 0, 70, sta11, "RefLine, LimitEndSta", "900000+99.9999", 12},
      {"05", 0, 4, n8, "GirderLine row 1, Text1", "99999", 9}, {"05", 0, 13, n8, "GirderLine row 1, Text2", "99999", 9},
      {"05", 0, 22, n8, "GirderLine row 1, Text3", "99999", 9}, {"06", 0, 3, n8, "BentLine row 1, Text1", "99999", 9},
      {"06", 0, 13, angle8, "BentLine row 1, Text2", deg2, 9},
      // Fractional points: a fraction goes in 7 columns, a whole number in the first 3.
      {"06", 0, 22, " 9999.5", "BentLine row 1, Text3", "9999.5", 8},
      {"06", 1, 22, "  9999.", "BentLine row 2, Text3", "9999", 4, 3}};
  for (int k = 0; k < 11; ++k)
    fields.push_back({"07", 0, 15 + 6 * k, " 9999.", "DeadLoad row 1, Text" + std::to_string(3 + k), "9999", 7});
  fields.push_back({"08", 0, 3, sta7, "RoadAppr, BegStr", "900000+99.0", 8});
  fields.push_back({"08", 0, 10, sta7, "RoadAppr, EndStr", "900000+99.0", 8});
  fields.push_back({"08", 0, 17, "     1E8", "RoadAppr, Length", "10000000", 9});
  for (int k = 1; k <= 7; ++k)
    fields.push_back({"08", 0, 17 + 8 * k, n8, "RoadAppr, Off" + std::to_string(k), "99999", 9});

  std::istringstream in(test::Slurp(Data("widest_english.dat")));
  test::Strings lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);  // each keeps its CR
  test::TempDir dir;
  const std::string path = dir.File("too-wide.dat");
  std::string expected, bytes;
  for (const WideField& w : fields) {
    int seen = -1;
    auto line = std::find_if(lines.begin(), lines.end(),
                             [&](const std::string& l) { return l.compare(0, 2, w.code) == 0 && ++seen == w.nth; });
    ASSERT_NE(line, lines.end()) << w.where;
    line->replace(w.first - 1, w.cols.size(), w.cols);
    expected += path + ": " + w.where + ": \"" + w.text + "\" takes " + std::to_string(w.used) +
                " columns; the field has " + std::to_string(w.width ? w.width : w.cols.size()) + "\n";
  }
  for (const std::string& l : lines) bytes += l + "\n";
  dir.File("too-wide.dat", bytes);
  CliRun r = Kelvara({"check", path});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, expected);
  EXPECT_EQ(r.err, "");
}

TEST(Kelvara, DumpSchema) {
  CliRun r = Kelvara({"dump", Data("bridge_english.dat")});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  using J = nlohmann::json;
  const std::pair<const char*, J> cases[] = {
      {"/MetricUnits", 0}, {"/warnings", J::array()}, {"/Horizontal/Delta", "12\u00b0 34' 56.78\""},
      {"/marked", {"mnuFormDesc", "mnuFormHoriz", "mnuFormVert", "mnuFormCross", "mnuFormRef", "mnuFormGird",
                   "mnuFormBent", "mnuFormDead", "mnuFormRoadApp"}},
      {"/Horizontal/Option2", true}, {"/Description/StructureID", "BR-3SPAN01"}, {"/CrossTrans/CrownType", 1},
      {"/GirderLine/rows/4/TerminalEnabled", true}, {"/GirderLine/rows/2/Combo3Items/0", "Normal from base"},
      {"/BentLine/rows/0/Text2", "15\u00b0 0' 0.00\""},
      {"/BentLine/rows/19/Text7", "L"}, {"/BentLine/rows/19/Combo1", -1},
      {"/BentLine/rows/3/List1", {false, false, true, true}}, {"/DeadLoad/rows/0/Text14", " "},
      {"/DeadLoad/rows/19/Text13", ""}, {"/RoadAppr/Off7", "20"}};
  for (const auto& [pointer, want] : cases) EXPECT_EQ(j.at(J::json_pointer(pointer)), want) << pointer;
  EXPECT_EQ(std::vector<std::size_t>({j["CrossTrans"]["rows"].size(), j["GirderLine"]["rows"].size(),
                                      j["DeadLoad"]["rows"][0].size(), j["RoadAppr"].size()}),
            std::vector<std::size_t>({6, 20, 14, 10}));
}

TEST(Kelvara, NormalizeAndArguments) {
  test::TempDir dir;
  const std::string out = dir.File("norm.dat");
  CliRun n = Kelvara({"normalize", Data("bridge_english.dat"), out});
  EXPECT_EQ(n.status, 0) << n.err;
  EXPECT_EQ(Kelvara({"check", out}).status, 0);
  const struct { std::vector<std::string> args; const char* inErr; } cases[] = {
      {{}, "Usage: kelvara"}, {{"frobnicate"}, "unknown command 'frobnicate'"},
      {{"dump"}, "name exactly one input file"},
      {{"normalize", "a"}, "name the input file and the output file"}, {{"check"}, "name at least one input file"}};
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
