#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/dump.h"
#include "inputfile/input_file.h"

namespace kv {
namespace {

std::string Hostile(const std::string& name) {
  return std::string(KV_TEST_DATA) + "/hostile/" + name;
}

std::string Bytes(const Project& p) {
  std::string s;
  for (const std::string& l : WriteProjectLines(p).lines) s += l + "\r\n";
  return s;
}

struct HostileCase {
  const char* file;
  std::vector<std::string> warnings;  // in the order reading raises them
  int overrides, girders, bents, loads;
  std::string titleLine = "00          ";  // the first line written back
};

class HostileFiles : public ::testing::TestWithParam<HostileCase> {};

// Every hostile file reads without harm, gives exactly its warnings, and what it
// gives writes and reads back to the same bytes.
TEST_P(HostileFiles, ReadWarnAndSettle) {
  const HostileCase& c = GetParam();
  Project p;
  std::vector<std::string> warnings;
  ASSERT_TRUE(ReadInputFile(Hostile(c.file), p, [&](const std::string& w) { warnings.push_back(w); }));
  EXPECT_EQ(warnings, c.warnings) << c.file;
  EXPECT_EQ(OverrideRowCount(p.CrossTrans), c.overrides);
  EXPECT_EQ(GirderRowCount(p.GirderLine), c.girders);
  EXPECT_EQ(BentRowCount(p.BentLine), c.bents);
  EXPECT_EQ(DeadLoadRowCount(p.DeadLoad), c.loads);

  const std::string bytes = Bytes(p);
  EXPECT_EQ(bytes.substr(0, bytes.find("\r\n")), c.titleLine);

  // Blank number columns read as zero, so the first write may still change once;
  // from the second write on the bytes must stay put.
  Project second, third;
  ReadInputText(Bytes(p), second, [](const std::string&) {});
  const std::string settled = Bytes(second);
  ReadInputText(settled, third, [](const std::string&) {});
  EXPECT_EQ(Bytes(third), settled);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileFiles,
    ::testing::Values(
        HostileCase{"empty.dat",
                    {},
                    6, 20, 20, 20},
        HostileCase{"binary.dat",
                    {"Warning: (04) Reference line data, bad \"Skew is with respect to\" value.  Valid values are 1 to 4.",
                     "Warning: (04) Reference line data, bad \"Layout line is\" value."},
                    6, 20, 20, 20, "00\x02\x03\x04\x05\x06\a\b\t  "},
        HostileCase{"nul_in_lines.dat",
                    {},
                    6, 20, 20, 20, std::string("00BR-3SPAN\0" "1", 12)},
        HostileCase{"megabyte_line.dat",
                    {},
                    6, 20, 20, 20, "00AAAAAAAAAA"},
        HostileCase{"cr_only.dat",
                    {},
                    6, 20, 20, 20, "00BR-3SPAN01"},
        HostileCase{"lf_only.dat",
                    {},
                    6, 20, 20, 20, "00BR-3SPAN01"},
        HostileCase{"cut_mid_line.dat",
                    {},
                    6, 20, 20, 20, "00BR-3SPAN01"},
        HostileCase{"codes_out_of_place.dat",
                    {"Warning: (04) Reference line data, bad \"Layout line is\" value."},
                    6, 20, 20, 20, "00  12450  1"},
        HostileCase{"grids_overfull.dat",
                    {"Warning: (03) Superelevation override data, the table is full; 26 lines were left out.",
                     "Warning: (05) Girder line data, the table is full; 31 lines were left out.",
                     "Warning: (06) Bent line data, the table is full; 1 line was left out.",
                     "Warning: (07) Dead load data, the table is full; 3 lines were left out."},
                    133, 119, 119, 117, "00BR-3SPAN01"},
        HostileCase{"non_numeric.dat",
                    {"Warning: (04) Reference line data, bad \"Skew is with respect to\" value.  Valid values are 1 to 4.",
                     "Warning: (04) Reference line data, bad \"Layout line is\" value.",
                     "Warning: (05) Girder line data, initial offset type invalid.",
                     "Warning: (05) Girder line data, initial offset type invalid.",
                     "Warning: (05) Girder line data, initial offset type invalid.",
                     "Warning: (05) Girder line data, initial offset type invalid.",
                     "Warning: (05) Girder line data, initial offset type invalid."},
                    6, 20, 20, 20, "00BR-3SPAN01"},
        HostileCase{"high_characters.dat",
                    {"Warning: (06) Skew direction invalid. Should be L or R",
                     "Warning: (06) Skew direction invalid. Should be L or R",
                     "Warning: (06) Skew direction invalid. Should be L or R",
                     "Warning: (06) Skew direction invalid. Should be L or R"},
                    6, 20, 20, 20, "00\xE9\xE9-3\xE9\xE9\xE9\xE9" "01"}),
    [](const ::testing::TestParamInfo<HostileCase>& i) {
      std::string n = i.param.file;
      n = n.substr(0, n.find('.'));
      for (char& ch : n) if (ch == '-') ch = '_';
      return n;
    });

}  // namespace
}  // namespace kv
