#include "records/layout/refline_record.h"

#include "tests/test_support.h"

namespace kv {
namespace {

const std::string kW1 = "Warning: (04) Reference line data, bad \"Station is on\" value.  Valid values are 0 to 3";
const std::string kW2 =
    "Warning: (04) Reference line data, bad \"Skew is with respect to\" value.  Valid values are 1 to 4.";
const std::string kW3 = "Warning: (04) Reference line data, bad \"Layout line is\" value.";
const std::string kW4 = "Warning: (04) Reference line data, bad \"Reverse layout line\" value.";

test::Strings Read(const std::string& line, Project& p) {
  return test::Warned([&](const WarningSink& w) { ReadRefLineRecord(test::Pad(line), p, w); });
}
std::string Written(const Project& p) { return test::Write(WriteRefLineRecord, p).lines.at(0); }

std::string Codes(const RefLineData& d) {
  std::string s;
  for (int v : {d.StaOn, d.SkewRespTo, d.LayoutLineIs, d.RevLayoutLine}) s += std::to_string(v) + " ";
  for (bool b : {d.Option1, d.Option2, d.Option3, d.Option4, d.Check1, d.Check2, d.Check3, d.Check4}) s += "01"[b];
  return s;
}

Project Filled(int units) {
  Project p;
  p.MetricUnits = int16_t(units);
  RefLineData& d = p.RefLine;
  d.RefLineSta = "12+34.5678", d.SkewAngle = "12\xB0 34' 56.78\"", d.LimitBegSta = "10+00.0000";
  d.StaOn = 2, d.SkewRespTo = 1, d.LayoutLineIs = 2, d.RevLayoutLine = 3;
  d.Option1 = d.Option3 = false, d.Option2 = d.Option4 = true;
  d.Check1 = d.Check3 = d.Check4 = true;
  d.TransX = "1.5", d.TransY = "-2.25";
  return p;
}

TEST(RefLineRecord, WritesExactColumnsAndReadsThemBack) {
  const std::string nine(9, ' '), eleven(11, ' ');
  EXPECT_EQ(Written(Project{}), "04" + eleven + " L 0 0 000000     " + nine + nine + nine + eleven + eleven);
  const struct { int units; std::string line, stations; } cases[] = {
      {0, "04   123456782R12345678213X X3X" + nine + "    15000   -22500   10000000" + eleven,
       "12+34.5678|10+00.0000|"},
      {1, "04  1234567802R12345678213X X3X" + nine + "   150000  -225000  100000000" + eleven,
       "1+234.56780|1+000.00000|"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.units);
    const LineSink out = test::Write(WriteRefLineRecord, Filled(c.units));
    EXPECT_EQ(out.lines, test::Strings{c.line});
    EXPECT_TRUE(out.overflows.empty());
    Project fresh;
    fresh.MetricUnits = int16_t(c.units);
    EXPECT_TRUE(Read(c.line, fresh).empty());
    const RefLineData& d = fresh.RefLine;
    EXPECT_EQ(test::Join({d.RefLineSta, d.LimitBegSta, d.LimitEndSta}), c.stations);
    EXPECT_EQ(test::Join({d.SkewAngle, d.TransX, d.TransY}), "12\xB0 34' 56.78\"|1.5|-2.25");
    EXPECT_EQ(Codes(d), "2 1 2 3 01011011");
    EXPECT_EQ(Written(fresh), c.line);
  }
  // A never edited line reads back with two warnings.
  Project p;
  p.RefLine.Check2 = true;
  std::string line = Written(Project{});
  line[30] = '*';  // column 31: any mark ticks Check4; a blank column never clears one
  EXPECT_EQ(Read(line, p), (test::Strings{kW2, kW3}));
  const RefLineData& d = p.RefLine;
  EXPECT_TRUE(p.IsMarked(Form::Ref));
  EXPECT_EQ(Codes(d).substr(0, 11) + "|" + Codes(d).substr(14), "0 -1 -1 0 1|0101");  // Option1, the checks
  EXPECT_EQ(test::Join({d.TransX, d.TransY, d.RefLineSta + d.LimitBegSta + d.LimitEndSta, d.SkewAngle}),
            "0|0||0\xB0 0' 0.00\"");
}

TEST(RefLineRecord, CodesAndFlags) {
  const std::string good = Written(Filled(0));
  auto with = [&](std::vector<std::pair<int, char>> changes) {  // 1-based columns
    std::string s = good;
    for (auto [col, ch] : changes) s[col - 1] = ch;
    return s;
  };
  const struct { std::string line; test::Strings warnings; bool left, sameSkew; } cases[] = {
      {with({{14, '7'}}), {kW1}, false, true}, {with({{24, '5'}}), {kW2}, false, true},
      {with({{24, '0'}}), {kW2}, false, true}, {with({{26, '4'}}), {kW3}, false, true},
      {with({{30, '9'}}), {kW4}, false, true},
      {with({{14, '7'}, {24, '5'}, {26, '4'}, {30, '9'}}), {kW1, kW2, kW3, kW4}, false, true},
      {with({{15, 'l'}}), {}, true, true}, {with({{15, 'L'}}), {}, true, true}, {with({{15, ' '}}), {}, false, true},
      {with({{15, 'x'}}), {}, false, true}, {with({{25, '0'}}), {}, false, false},
      {with({{25, '2'}}), {}, false, false}, {with({{25, ' '}}), {}, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Project p;
    p.RefLine.StaOn = 1;  // a bad code keeps the earlier selection
    p.RefLine.SkewRespTo = 3;
    EXPECT_EQ(Read(c.line, p), c.warnings);
    const RefLineData& d = p.RefLine;
    EXPECT_EQ(std::vector<bool>({d.Option1, d.Option2, d.Option3, d.Option4}),
              std::vector<bool>({c.left, !c.left, !c.sameSkew, c.sameSkew}));
    EXPECT_EQ(d.StaOn, c.line[13] == '7' ? 1 : 2);
    EXPECT_EQ(d.SkewRespTo, c.line[23] == '2' ? 1 : 3);
  }
  // Too wide fields widen the line.
  Project p;
  p.RefLine.SkewAngle = "123\xB0 0' 0.00\"";
  p.RefLine.TransX = "123456";
  const LineSink out = test::Write(WriteRefLineRecord, p);
  EXPECT_EQ(test::Overflows(out),
            (test::Strings{"RefLine -1 SkewAngle 123\xB0 0' 0.00\" 8 9", "RefLine -1 TransX 123456 9 10"}));
  ASSERT_EQ(out.lines.at(0).size(), 82u);
  EXPECT_EQ(out.lines[0].substr(15, 9), "123 0 000");
}

}  // namespace
}  // namespace kv
