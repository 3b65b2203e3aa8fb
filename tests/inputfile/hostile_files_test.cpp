#include "cli/dump.h"
#include "tests/test_support.h"

namespace kv {
namespace {

const std::string kW04Skew =
    "Warning: (04) Reference line data, bad \"Skew is with respect to\" value.  Valid values are 1 to 4.";
const std::string kW04Layout = "Warning: (04) Reference line data, bad \"Layout line is\" value.";
const std::string kW05Initial = "Warning: (05) Girder line data, initial offset type invalid.";
const std::string kW06Skew = "Warning: (06) Skew direction invalid. Should be L or R";

struct FileCase {
  const char* name;               // under the test data, without ".dat"
  test::Strings warnings;         // in the order reading raises them
  std::string titleLine;          // the first line written back
  bool approach = false;          // the "08" line was reached
  int overrides = 6, girders = 20, bents = 20, loads = 20;
};

class Files : public ::testing::TestWithParam<FileCase> {};

// Every sample and hostile file reads without harm, gives exactly its warnings,
// and settles: blank number columns read as zero, so the first write may still
// change once; from the second write on the bytes and what they read stay put.
TEST_P(Files, ReadWarnAndSettle) {
  const FileCase& c = GetParam();
  Project p;
  test::Strings warnings;
  ASSERT_TRUE(ReadInputFile(test::Data(c.name + std::string(".dat")), p,
                            [&](const std::string& w) { warnings.push_back(w); }));
  EXPECT_EQ(warnings, c.warnings);
  EXPECT_EQ(std::vector<int>({OverrideRowCount(p.CrossTrans), GirderRowCount(p.GirderLine),
                              BentRowCount(p.BentLine), DeadLoadRowCount(p.DeadLoad)}),
            std::vector<int>({c.overrides, c.girders, c.bents, c.loads}));
  EXPECT_EQ(p.IsMarked(Form::RoadApp), c.approach);
  const std::string bytes = test::Bytes(p);
  EXPECT_EQ(bytes.substr(0, bytes.find("\r\n")), c.titleLine);
  Project second, third;
  ReadInputText(bytes, second, test::kIgnore);
  const std::string settled = test::Bytes(second);
  ReadInputText(settled, third, test::kIgnore);
  EXPECT_EQ(test::Bytes(third), settled);
  EXPECT_EQ(DumpProject(third, {}), DumpProject(second, {}));
}

INSTANTIATE_TEST_SUITE_P(
    Samples, Files,
    ::testing::Values(
        FileCase{"bridge_english", {}, "00BR-3SPAN01", true},
        FileCase{"overpass_metric", {}, PadRight("00M-OVP-07", 79) + "M"},
        FileCase{"no_horizontal", {}, "00NOHORIZ   "},
        FileCase{"metric_title_only", {}, PadRight("00MTITLE", 79) + "M"},
        FileCase{"ends_after_description", {}, "00SHORT     "},
        FileCase{"lines_after_approach", {}, "00BR-3SPAN01", true},
        FileCase{"bad_codes",
                 {"Warning: (04) Reference line data, bad \"Station is on\" value.  Valid values are 0 to 3",
                  kW04Skew, kW04Layout, "Warning: (04) Reference line data, bad \"Reverse layout line\" value.",
                  "Warning: (05) Girder line data, bad line type.", kW05Initial,
                  "Warning: (06) Bent line data, distance type invalid.", kW06Skew},
                 "00BADCODES  "}),
    [](const auto& i) { return std::string(i.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Hostile, Files,
    ::testing::Values(
        FileCase{"hostile/empty", {}, "00          "},
        FileCase{"hostile/binary", {kW04Skew, kW04Layout}, "00\x02\x03\x04\x05\x06\a\b\t  "},
        FileCase{"hostile/nul_in_lines", {}, std::string("00BR-3SPAN\0" "1", 12), true},
        FileCase{"hostile/megabyte_line", {}, "00AAAAAAAAAA", true},
        FileCase{"hostile/cr_only", {}, "00BR-3SPAN01", true}, FileCase{"hostile/lf_only", {}, "00BR-3SPAN01", true},
        FileCase{"hostile/cut_mid_line", {}, "00BR-3SPAN01"},
        FileCase{"hostile/codes_out_of_place", {kW04Layout}, "00  12450  1"},
        FileCase{"hostile/grids_overfull",
                 {"Warning: (03) Superelevation override data, the table is full; 26 lines were left out.",
                  "Warning: (05) Girder line data, the table is full; 31 lines were left out.",
                  "Warning: (06) Bent line data, the table is full; 1 line was left out.",
                  "Warning: (07) Dead load data, the table is full; 3 lines were left out."},
                 "00BR-3SPAN01", true, 133, 119, 119, 117},
        FileCase{"hostile/non_numeric", {kW04Skew, kW04Layout, kW05Initial, kW05Initial, kW05Initial, kW05Initial,
                                         kW05Initial}, "00BR-3SPAN01", true},
        FileCase{"hostile/high_characters", {kW06Skew, kW06Skew, kW06Skew, kW06Skew},
                 "00\xE9\xE9-3\xE9\xE9\xE9\xE9" "01", true}),
    [](const auto& i) { return std::string(i.param.name).substr(8); });

}  // namespace
}  // namespace kv
