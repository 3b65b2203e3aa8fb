#include "records/layout/refline_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inputfile/project.h"

namespace kv {
namespace {

const std::string kW1 =
    "Warning: (04) Reference line data, bad \"Station is on\" value.  Valid values are 0 to 3";
const std::string kW2 =
    "Warning: (04) Reference line data, bad \"Skew is with respect to\" value.  Valid values are 1 "
    "to 4.";
const std::string kW3 = "Warning: (04) Reference line data, bad \"Layout line is\" value.";
const std::string kW4 = "Warning: (04) Reference line data, bad \"Reverse layout line\" value.";

std::string Pad(std::string s) { return s.size() < 80 ? s + std::string(81 - s.size(), ' ') : s; }

std::vector<std::string> Read(const std::string& line, Project& p) {
  std::vector<std::string> w;
  ReadRefLineRecord(Pad(line), p, [&](const std::string& m) { w.push_back(m); });
  return w;
}

LineSink Write(const Project& p) {
  LineSink out;
  WriteRefLineRecord(p, out);
  return out;
}

Project Filled(int units) {
  Project p;
  p.MetricUnits = int16_t(units);
  RefLineData& d = p.RefLine;
  d.RefLineSta = "12+34.5678";
  d.StaOn = 2;
  d.Option1 = false;
  d.Option2 = true;
  d.SkewAngle = "12\xB0 34' 56.78\"";
  d.SkewRespTo = 1;
  d.Option3 = false;
  d.Option4 = true;
  d.LayoutLineIs = 2;
  d.RevLayoutLine = 3;
  d.Check1 = d.Check3 = d.Check4 = true;
  d.TransX = "1.5";
  d.TransY = "-2.25";
  d.LimitBegSta = "10+00.0000";
  return p;
}

TEST(RefLineRecord, WritesExactColumns) {
  struct Case {
    const char* name;
    Project p;
    std::string want;
  };
  const std::string nine(9, ' '), eleven(11, ' ');
  const Case cases[] = {
      {"never edited", Project{},
       "04" + eleven + " L" + " 0 0 000" + "000" + "    " + " " + nine + nine + nine + eleven + eleven},
      {"english", Filled(0),
       "04   12345678" "2R" "12345678" "213" "X X" "3" "X" + nine + "    15000" "   -22500" +
           "   10000000" + eleven},
      {"metric", Filled(1),
       "04  123456780" "2R" "12345678" "213" "X X" "3" "X" + nine + "   150000" "  -225000" +
           "  100000000" + eleven},
  };
  for (const Case& c : cases) {
    LineSink out = Write(c.p);
    ASSERT_EQ(out.lines.size(), 1u) << c.name;
    EXPECT_EQ(out.lines[0], c.want) << c.name;
    EXPECT_EQ(out.lines[0].size(), 80u) << c.name;
    EXPECT_TRUE(out.overflows.empty()) << c.name;
  }
}

TEST(RefLineRecord, NeverEditedLineReadsBackWithTwoWarnings) {
  Project p;
  std::string line = Write(Project{}).lines[0];
  EXPECT_EQ(Read(line, p), (std::vector<std::string>{kW2, kW3}));
  EXPECT_TRUE(p.IsMarked(Form::Ref));
  EXPECT_EQ(p.RefLine.StaOn, 0);
  EXPECT_EQ(p.RefLine.RevLayoutLine, 0);
  EXPECT_EQ(p.RefLine.SkewRespTo, -1);
  EXPECT_EQ(p.RefLine.LayoutLineIs, -1);
  EXPECT_EQ(p.RefLine.TransX + "|" + p.RefLine.TransY, "0|0");
  EXPECT_EQ(p.RefLine.RefLineSta + p.RefLine.LimitBegSta + p.RefLine.LimitEndSta, "");
  EXPECT_EQ(p.RefLine.SkewAngle, "0\xB0 0' 0.00\"");
  EXPECT_TRUE(p.RefLine.Option1);
}

TEST(RefLineRecord, ReadsDisplayTextsAndRoundTrips) {
  struct Case {
    int units;
    const char* station;
    const char* begin;
  };
  for (const Case& c : {Case{0, "12+34.5678", "10+00.0000"}, Case{1, "1+234.56780", "1+000.00000"}}) {
    Project fresh;
    fresh.MetricUnits = int16_t(c.units);
    const std::string line = Write(Filled(c.units)).lines[0];
    EXPECT_TRUE(Read(line, fresh).empty());
    const RefLineData& d = fresh.RefLine;
    EXPECT_EQ(d.RefLineSta, c.station);
    EXPECT_EQ(d.LimitBegSta, c.begin);
    EXPECT_EQ(d.LimitEndSta, "");
    EXPECT_EQ(d.SkewAngle, "12\xB0 34' 56.78\"");
    EXPECT_EQ(d.TransX + "|" + d.TransY, "1.5|-2.25");
    EXPECT_EQ(std::vector<int>({d.StaOn, d.SkewRespTo, d.LayoutLineIs, d.RevLayoutLine}),
              std::vector<int>({2, 1, 2, 3}));
    EXPECT_EQ(std::vector<bool>({d.Option1, d.Option2, d.Option3, d.Option4, d.Check1, d.Check2,
                                 d.Check3, d.Check4}),
              std::vector<bool>({false, true, false, true, true, false, true, true}));
    EXPECT_EQ(Write(fresh).lines[0], line) << c.units;
  }
}

TEST(RefLineRecord, CodesAndFlags) {
  const std::string good = Write(Filled(0)).lines[0];
  auto with = [&](int col, char ch) {
    std::string s = good;
    s[col - 1] = ch;
    return s;
  };
  struct Case {
    std::string line;
    std::vector<std::string> warnings;
    bool left, sameSkew;
  };
  std::string all = with(14, '7');
  all[23] = '5';
  all[25] = '4';
  all[29] = '9';
  const Case cases[] = {
      {with(14, '7'), {kW1}, false, true},      {with(24, '5'), {kW2}, false, true},
      {with(24, '0'), {kW2}, false, true},      {with(26, '4'), {kW3}, false, true},
      {with(30, '9'), {kW4}, false, true},      {all, {kW1, kW2, kW3, kW4}, false, true},
      {with(15, 'l'), {}, true, true},          {with(15, 'L'), {}, true, true},
      {with(15, ' '), {}, false, true},         {with(15, 'x'), {}, false, true},
      {with(25, '0'), {}, false, false},        {with(25, '2'), {}, false, false},
      {with(25, ' '), {}, false, false},
  };
  for (const Case& c : cases) {
    Project p;
    p.RefLine.StaOn = 1;  // a bad code keeps the earlier selection
    p.RefLine.SkewRespTo = 3;
    EXPECT_EQ(Read(c.line, p), c.warnings) << c.line;
    EXPECT_EQ(p.RefLine.Option1, c.left) << c.line;
    EXPECT_EQ(p.RefLine.Option2, !c.left) << c.line;
    EXPECT_EQ(p.RefLine.Option4, c.sameSkew) << c.line;
    EXPECT_EQ(p.RefLine.Option3, !c.sameSkew) << c.line;
    EXPECT_EQ(p.RefLine.StaOn, c.line[13] == '7' ? 1 : 2) << c.line;
    EXPECT_EQ(p.RefLine.SkewRespTo, c.line[23] == '2' ? 1 : 3) << c.line;
  }
}

TEST(RefLineRecord, BlankOptionColumnsNeverClearACheckBox) {
  Project p;
  p.RefLine.Check2 = true;
  std::string line = Write(Project{}).lines[0];
  line[30] = '*';  // column 31: any mark ticks Check4
  Read(line, p);
  EXPECT_EQ(std::vector<bool>({p.RefLine.Check1, p.RefLine.Check2, p.RefLine.Check3,
                               p.RefLine.Check4}),
            std::vector<bool>({false, true, false, true}));
}

TEST(RefLineRecord, TooWideFieldsWidenTheLine) {
  Project p;
  p.RefLine.SkewAngle = "123\xB0 0' 0.00\"";
  p.RefLine.TransX = "123456";
  LineSink out = Write(p);
  ASSERT_EQ(out.overflows.size(), 2u);
  EXPECT_EQ(out.overflows[0].window + "." + out.overflows[0].field, "RefLine.SkewAngle");
  EXPECT_EQ(out.overflows[0].row, -1);
  EXPECT_EQ(out.overflows[0].width, 8);
  EXPECT_EQ(out.overflows[0].used, 9);
  EXPECT_EQ(out.overflows[1].field, "TransX");
  EXPECT_EQ(out.overflows[1].used, 10);
  EXPECT_EQ(out.lines[0].size(), 82u);
  EXPECT_EQ(out.lines[0].substr(15, 9), "123 0 000");
}

}  // namespace
}  // namespace kv
