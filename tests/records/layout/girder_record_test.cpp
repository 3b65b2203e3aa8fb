#include "records/layout/girder_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inputfile/project.h"

namespace kv {
namespace {

const std::string kW5 = "Warning: (05) Girder line data, bad line type.";
const std::string kW6 = "Warning: (05) Girder line data, initial offset type invalid.";
const std::string kW7 = "Warning: (05) Girder line data, terminal offset type invalid.";

std::string Pad(std::string s) { return s.size() < 80 ? s + std::string(81 - s.size(), ' ') : s; }

std::vector<std::string> Read(const std::string& line, int n, Project& p) {
  std::vector<std::string> w;
  ReadGirderRecord(Pad(line), n, p, [&](const std::string& m) { w.push_back(m); });
  return w;
}

LineSink Write(const Project& p) {
  LineSink out;
  WriteGirderRecords(p, out);
  return out;
}

GirderRow Row(int type, int initial, int terminal, const char* description) {
  GirderRow r;
  ChooseGirderLineType(r, type);
  ChooseGirderInitialOffsetType(r, initial);
  ChooseGirderTerminalOffsetType(r, terminal);
  r.Text1 = "12.5";
  r.Text2 = "14.5";
  r.Text3 = "0.25";
  r.Text4 = description;
  r.Text13 = "AB";
  r.Text16 = "Z";
  r.List1 = {true, false, true, false, true};
  return r;
}

TEST(GirderRecord, WritesExactColumns) {
  struct Case {
    const char* name;
    int units;
    GirderRow row;
    std::string want;
  };
  const std::string tail = "X AB" "ZX X";
  GirderRow bare;
  bare.Text4 = "     ";  // blanks, but not twenty: still written
  GirderRow longer = Row(2, 3, 0, "A DESCRIPTION LONGER THAN TWENTY");
  longer.Text13 = "XYZ";
  longer.Text16 = " ";
  const Case cases[] = {
      {"flared english", 0, Row(3, 1, 2, "G1"),
       "053  1250002  1450003   02500G1                  " + tail},
      {"flared metric", 1, Row(3, 1, 2, "G1"),
       "053 12500002 14500003    0250G1                  " + tail},
      {"varies metric", 1, Row(4, 0, 2, "G2"),
       "054 12500001 1450000   025000G2                  " + tail},
      {"segmented english", 0, Row(1, -1, 1, "G3"),
       "051  1250005  145000    02500G3                  " + tail},
      {"long texts, no types", 0, longer,
       "052  1250004  145000    02500A DESCRIPTION LONGERX XY X X"},
      {"empty cells", 0, bare, "05 " + std::string(8, ' ') + "0" + std::string(17, ' ') +
                                   std::string(20, ' ') + std::string(8, ' ')},
  };
  for (const Case& c : cases) {
    Project p;
    p.MetricUnits = int16_t(c.units);
    p.GirderLine.rows[0] = c.row;
    LineSink out = Write(p);
    ASSERT_EQ(out.lines.size(), 1u) << c.name;
    EXPECT_EQ(out.lines[0], c.want) << c.name;
    EXPECT_EQ(out.lines[0].size(), 57u) << c.name;
    EXPECT_TRUE(out.overflows.empty()) << c.name;
  }
}

TEST(GirderRecord, RowsWithoutDescriptionAreSkipped) {
  Project p;
  const char* descriptions[] = {"", "FIRST", "                    ", "SECOND"};
  for (int i = 0; i < 4; ++i) p.GirderLine.rows[i] = Row(0, 0, -1, descriptions[i]);
  p.GirderLine.rows[0].Text1 = "1";  // every other cell filled does not count
  LineSink out = Write(p);
  ASSERT_EQ(out.lines.size(), 2u);
  EXPECT_EQ(out.lines[0].substr(29, 20), "FIRST               ");
  EXPECT_EQ(out.lines[1].substr(29, 20), "SECOND              ");
}

TEST(GirderRecord, ReadsCellsAndRunsTheLineTypeChange) {
  struct Case {
    const char* name;
    int units;
    std::string line;
    int type, initial, terminal;
    std::vector<std::string> items;
    bool enabled;
    const char* text3;
    std::vector<std::string> warnings;
  };
  const std::string rest = "G1                  X AB" "ZX X";
  const Case cases[] = {
      {"flared", 0, "053  1250002  1450003   02500" + rest, 3, 1, 2, GirderOffsetTypeItemsFor(-1), true,
       "0.25", {}},
      {"varies metric", 1, "054 12500001 1450000   025000" + rest, 4, 0, -1, GirderOffsetTypeItemsFor(kGirderOffsetVaries),
       false, "0.25", {}},
      {"parallel metric", 1, "050 12500001 14500003   25000" + rest, 0, 0, -1,
       GirderOffsetTypeItemsFor(-1), false, "25", {}},
      {"segmented", 0, "051  1250005  145000    02500" + rest, 1, 0, -1, GirderOffsetTypeItemsFor(kGirderSegmented),
       false, "0.25", {}},
      {"code 5 on parallel", 0, "050  1250005  145000     2500" + rest, 0, 0, -1,
       GirderOffsetTypeItemsFor(kGirderSegmented), false, "0.25", {}},
      {"bad codes", 0, "056  1250000  1450009    2500" + rest, -1, -1, -1, GirderOffsetTypeItemsFor(-1),
       true, "0.25", {kW5, kW6}},
      {"flared, bad terminal", 0, "053  1250006  1450000    2500" + rest, 3, -1, -1,
       GirderOffsetTypeItemsFor(-1), true, "0.25", {kW6, kW7}},
      {"flared, terminal 5", 0, "053  1250001  1450005    2500" + rest, 3, 0, -1,
       GirderOffsetTypeItemsFor(-1), true, "0.25", {}},
  };
  for (const Case& c : cases) {
    Project p;
    p.MetricUnits = int16_t(c.units);
    EXPECT_EQ(Read(c.line, 0, p), c.warnings) << c.name;
    const GirderRow& r = p.GirderLine.rows[0];
    EXPECT_TRUE(p.IsMarked(Form::Gird));
    EXPECT_EQ(std::vector<int>({r.Combo1, r.Combo3, r.Combo2}),
              std::vector<int>({c.type, c.initial, c.terminal}))
        << c.name;
    EXPECT_EQ(r.Combo3Items, c.items) << c.name;
    EXPECT_EQ(r.Text2Enabled && r.Combo2Enabled, c.enabled) << c.name;
    EXPECT_EQ(r.Text1 + "|" + r.Text2 + "|" + r.Text3, std::string("12.5|14.5|") + c.text3) << c.name;
    EXPECT_EQ(r.Text4, "G1                  ") << c.name;
    EXPECT_EQ(r.Text13 + "|" + r.Text16, "AB|Z") << c.name;
    EXPECT_EQ(r.List1, (std::array<bool, 5>{true, false, true, false, true})) << c.name;
  }
}

TEST(GirderRecord, ReadingKeepsWhatTheLineDoesNotCarry) {
  Project p;
  GirderRow& r = p.GirderLine.rows[3];
  ChooseGirderLineType(r, 4);
  r.List1 = {false, true, false, true, false};
  r.Text16 = "Q";
  EXPECT_EQ(Read("059  1250001", 3, p), (std::vector<std::string>{kW5}));
  EXPECT_EQ(r.Combo1, 4);  // the earlier line type stays, with its entries
  EXPECT_EQ(r.Combo3Text, "Fr HC at Nom. CS");
  EXPECT_EQ(r.Text2 + "|" + r.Text3 + "|" + r.Text16, "0|0|");
  EXPECT_EQ(r.List1, (std::array<bool, 5>{false, true, false, true, false}));
}

TEST(GirderRecord, WriteReadWriteGivesTheSameBytes) {
  for (int units : {0, 1}) {
    Project p;
    p.MetricUnits = int16_t(units);
    for (int t = 0; t < 5; ++t)
      p.GirderLine.rows[t] = Row(t, t % 4, 3 - t % 4, ("LINE " + std::to_string(t)).c_str());
    p.GirderLine.rows[2].Text3 = "-1.125";
    const LineSink first = Write(p);
    Project q;
    q.MetricUnits = int16_t(units);
    for (int i = 0; i < int(first.lines.size()); ++i) EXPECT_TRUE(Read(first.lines[i], i, q).empty());
    EXPECT_EQ(Write(q).lines, first.lines) << units;
  }
}

TEST(GirderRecord, TooWideNumbersAreRecorded) {
  Project p;
  p.GirderLine.rows[5] = Row(3, 0, 0, "WIDE");
  p.GirderLine.rows[5].Text2 = "123456";
  LineSink out = Write(p);
  ASSERT_EQ(out.overflows.size(), 1u);
  const Overflow& o = out.overflows[0];
  EXPECT_EQ(o.window + "." + o.field + "@" + std::to_string(o.row), "GirderLine.Text2@5");
  EXPECT_EQ(o.width, 8);
  EXPECT_EQ(o.used, 10);
  EXPECT_EQ(out.lines[0].size(), 59u);
  EXPECT_EQ(out.lines[0].substr(12, 11), "12345600001");
}

}  // namespace
}  // namespace kv
