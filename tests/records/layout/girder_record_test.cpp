#include "records/layout/girder_record.h"

#include "tests/test_support.h"

namespace kv {
namespace {

const std::string kW5 = "Warning: (05) Girder line data, bad line type.";
const std::string kW6 = "Warning: (05) Girder line data, initial offset type invalid.";
const std::string kW7 = "Warning: (05) Girder line data, terminal offset type invalid.";
const std::string kTail = "X AB" "ZX X";  // options, fraction points and DL of Row()

test::Strings Read(const std::string& line, int n, Project& p) {
  return test::Warned([&](const WarningSink& w) { ReadGirderRecord(test::Pad(line), n, p, w); });
}

GirderRow Row(int type, int initial, int terminal, const std::string& description) {
  GirderRow r;
  ChooseGirderLineType(r, type);
  ChooseGirderInitialOffsetType(r, initial);
  ChooseGirderTerminalOffsetType(r, terminal);
  r.Text1 = "12.5", r.Text2 = "14.5", r.Text3 = "0.25", r.Text4 = description, r.Text13 = "AB", r.Text16 = "Z";
  r.List1 = {true, false, true, false, true};
  return r;
}

TEST(GirderRecord, WritesExactColumnsAndRoundTrips) {
  GirderRow bare;
  bare.Text4 = "     ";  // blanks, but not twenty: still written
  GirderRow longer = Row(2, 3, 0, "A DESCRIPTION LONGER THAN TWENTY");
  longer.Text13 = "XYZ", longer.Text16 = " ";
  const struct { int units; GirderRow row; std::string want; } cases[] = {
      {0, Row(3, 1, 2, "G1"), "053  1250002  1450003   02500G1                  " + kTail},
      {1, Row(3, 1, 2, "G1"), "053 12500002 14500003    0250G1                  " + kTail},
      {1, Row(4, 0, 2, "G2"), "054 12500001 1450000   025000G2                  " + kTail},
      {0, Row(1, -1, 1, "G3"), "051  1250005  145000    02500G3                  " + kTail},
      {0, longer, "052  1250004  145000    02500A DESCRIPTION LONGERX XY X X"},
      {0, bare, "05" + std::string(9, ' ') + "0" + std::string(45, ' ')}};
  for (const auto& c : cases) {
    Project p;
    p.MetricUnits = int16_t(c.units);
    p.GirderLine.rows[0] = c.row;
    const LineSink out = test::Write(WriteGirderRecords, p);
    EXPECT_EQ(out.lines, test::Strings{c.want});
    EXPECT_TRUE(out.overflows.empty()) << c.want;
  }
  // Only rows with a description are written; every other cell filled does not count.
  Project p;
  const char* descriptions[] = {"", "FIRST", "                    ", "SECOND"};
  for (int i = 0; i < 4; ++i) p.GirderLine.rows[i] = Row(0, 0, -1, descriptions[i]);
  LineSink out = test::Write(WriteGirderRecords, p);
  ASSERT_EQ(out.lines.size(), 2u);
  EXPECT_EQ(out.lines[0].substr(29, 20) + "|" + out.lines[1].substr(29, 20),
            "FIRST               |SECOND              ");
  // Written, read and written again: the same bytes.
  for (int units : {0, 1}) {
    Project w, q;
    w.MetricUnits = q.MetricUnits = int16_t(units);
    for (int t = 0; t < 5; ++t) w.GirderLine.rows[t] = Row(t, t % 4, 3 - t % 4, "LINE " + std::to_string(t));
    w.GirderLine.rows[2].Text3 = "-1.125";
    const LineSink first = test::Write(WriteGirderRecords, w);
    for (int i = 0; i < int(first.lines.size()); ++i) EXPECT_TRUE(Read(first.lines[i], i, q).empty());
    EXPECT_EQ(test::Write(WriteGirderRecords, q).lines, first.lines) << units;
  }
  // Too wide numbers are recorded and widen the line.
  p.GirderLine.rows[5] = Row(3, 0, 0, "WIDE");
  p.GirderLine.rows[5].Text2 = "123456";
  out = test::Write(WriteGirderRecords, p);
  EXPECT_EQ(test::Overflows(out), test::Strings{"GirderLine 5 Text2 123456 8 10"});
  ASSERT_EQ(out.lines.at(2).size(), 59u);
  EXPECT_EQ(out.lines[2].substr(12, 11), "12345600001");
}

TEST(GirderRecord, ReadsCellsAndRunsTheLineTypeChange) {
  const auto plain = GirderOffsetTypeItemsFor(-1), segmented = GirderOffsetTypeItemsFor(kGirderSegmented),
             varies = GirderOffsetTypeItemsFor(kGirderOffsetVaries);
  const std::string rest = "G1                  " + kTail;
  const struct {
    int units;
    std::string line;
    std::vector<int> combos;  // line type, initial and terminal offset type
    std::vector<std::string> items;
    bool enabled;
    const char* text3;
    test::Strings warnings;
  } cases[] = {
      {0, "053  1250002  1450003   02500" + rest, {3, 1, 2}, plain, true, "0.25", {}},
      {1, "054 12500001 1450000   025000" + rest, {4, 0, -1}, varies, false, "0.25", {}},
      {1, "050 12500001 14500003   25000" + rest, {0, 0, -1}, plain, false, "25", {}},
      {0, "051  1250005  145000    02500" + rest, {1, 0, -1}, segmented, false, "0.25", {}},
      {0, "050  1250005  145000     2500" + rest, {0, 0, -1}, segmented, false, "0.25", {}},  // 5 on parallel
      {0, "056  1250000  1450009    2500" + rest, {-1, -1, -1}, plain, true, "0.25", {kW5, kW6}},
      {0, "053  1250006  1450000    2500" + rest, {3, -1, -1}, plain, true, "0.25", {kW6, kW7}},
      {0, "053  1250001  1450005    2500" + rest, {3, 0, -1}, plain, true, "0.25", {}}};  // terminal 5
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Project p;
    p.MetricUnits = int16_t(c.units);
    EXPECT_EQ(Read(c.line, 0, p), c.warnings);
    const GirderRow& r = p.GirderLine.rows[0];
    EXPECT_TRUE(p.IsMarked(Form::Gird));
    EXPECT_EQ(std::vector<int>({r.Combo1, r.Combo3, r.Combo2}), c.combos);
    EXPECT_EQ(r.Combo3Items, c.items);
    EXPECT_EQ(r.Text2Enabled && r.Combo2Enabled, c.enabled);
    EXPECT_EQ(test::Join({r.Text1, r.Text2, r.Text3, r.Text4, r.Text13, r.Text16}),
              std::string("12.5|14.5|") + c.text3 + "|G1                  |AB|Z");
    EXPECT_EQ(r.List1, (std::array<bool, 5>{true, false, true, false, true}));
  }
  // What the line does not carry stays: the earlier line type with its entries, the options.
  Project p;
  GirderRow& r = p.GirderLine.rows[3];
  ChooseGirderLineType(r, 4);
  r.List1 = {false, true, false, true, false};
  r.Text16 = "Q";
  EXPECT_EQ(Read("059  1250001", 3, p), (test::Strings{kW5}));
  EXPECT_EQ(r.Combo1, 4);
  EXPECT_EQ(test::Join({r.Combo3Text, r.Text2, r.Text3, r.Text16}), "Fr HC at Nom. CS|0|0|");
  EXPECT_EQ(r.List1, (std::array<bool, 5>{false, true, false, true, false}));
}

}  // namespace
}  // namespace kv
