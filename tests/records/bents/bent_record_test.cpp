#include "records/bents/bent_record.h"

#include "tests/test_support.h"

namespace kv {
namespace {

using test::kDeg;
const std::string kDistWarn = "Warning: (06) Bent line data, distance type invalid.";
const std::string kSkewWarn = "Warning: (06) Skew direction invalid. Should be L or R";
const std::string kTypeWarn = "Warning: (06) Bent line data, skew type invalid.";

test::Strings Read(Project& p, const std::string& line, int n = 0) {
  return test::Warned([&](const WarningSink& w) { ReadBentRecord(test::Pad(line), n, p, w); });
}
test::Strings Written(const Project& p) { return test::Write(WriteBentRecords, p).lines; }

TEST(BentRecord, ReadsEveryFieldCodesAndWarnings) {
  for (int metric : {0, 1}) {
    Project p;
    p.MetricUnits = int16_t(metric);
    p.BentLine.rows[3].List1[0] = true;  // blank option columns leave it selected
    EXPECT_TRUE(Read(p, "06 28000006R123015501  25000ABUT 4      XXD4S4", 3).empty());
    const BentRow& r = p.BentLine.rows[3];
    EXPECT_TRUE(p.IsMarked(Form::Bent));
    // Distance code 6 is "Normal Offset".
    EXPECT_EQ(test::Join({r.Text1, r.Combo1Text, r.Text7, r.Text2, r.Combo2Text, r.Text3, r.Text4,
                          r.Text5 + r.Text6 + r.Text8}),
              (metric ? "28" : "280") +
                  ("|Normal Offset|R|12" + kDeg + " 30' 15.50\"|Horiz. Control|2.5|ABUT 4    |D4S4"));
    EXPECT_EQ(r.List1, (std::array<bool, 4>{true, false, true, true}));
  }
  const struct {
    std::vector<std::pair<int, std::string>> fields;
    int combo1;  // after reading; preset to 2, skew type preset to 3
    const char* text7;
    int combo2;
    test::Strings warnings;
    char col11;  // written back
  } cases[] = {
      {{{11, "5"}, {12, "L"}}, 4, "L", 0, {}, '4'}, {{{11, "7"}, {12, "R"}, {21, "4"}}, 6, "R", 4, {}, '7'},
      {{{11, "x"}, {12, "L"}}, 0, "L", 0, {}, '0'}, {{{11, "8"}, {12, "L"}}, 2, "L", 0, {kDistWarn}, '2'},
      {{{12, "l"}}, 0, "", 0, {kSkewWarn}, '0'},
      {{{11, "9"}, {12, " "}, {21, "7"}}, 2, "", 3, {kDistWarn, kSkewWarn, kTypeWarn}, '2'}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.col11);
    Project p;
    SelectBentDistanceType(p.BentLine.rows[0], 2);
    SelectBentSkewType(p.BentLine.rows[0], 3);
    EXPECT_EQ(Read(p, test::Put(test::Put(test::Pad("06"), c.fields), {{29, "PIER"}})), c.warnings);
    const BentRow& r = p.BentLine.rows[0];
    EXPECT_EQ(r.Combo1, c.combo1);
    EXPECT_EQ(r.Text7, c.text7);
    EXPECT_EQ(r.Combo2, c.combo2);
    EXPECT_EQ(Written(p).at(0)[10], c.col11);
  }
  Project p;
  Read(p, test::Put(test::Pad("06"), {{12, "L"}}));
  const BentRow& r = p.BentLine.rows[0];
  EXPECT_EQ(std::vector<int>({r.Combo1, r.Combo2}), std::vector<int>({0, 0}));
  // A blank DL column is no text; the other blank one-column fields stay blanks.
  EXPECT_EQ(r.Text3 + "|" + r.Text5 + "|" + r.Text6 + "|" + r.Text8, "0| ||  ");
}

TEST(BentRecord, FractionalPoints) {
  const struct { const char *text, *columns, *readBack; } cases[] = {
      {"5", "  5    ", "5"}, {"5.25", "  52500", "5.25"}, {"0.5", "  05000", "0.5"}, {"-3", " -3    ", "-3"},
      {"", "       ", "0"}, {"abc", "       ", "0"}};
  for (const auto& c : cases) {
    Project p;
    p.BentLine.rows[0].Text4 = "PIER";
    p.BentLine.rows[0].Text3 = c.text;
    const std::string line = Written(p).at(0);
    EXPECT_EQ(line.substr(21, 7), c.columns) << c.text;
    Read(p, line);
    EXPECT_EQ(p.BentLine.rows[0].Text3, c.readBack) << c.text;
  }
}

TEST(BentRecord, WritesExactColumnsAndRoundTrips) {
  Project p;
  BentRow& r = p.BentLine.rows[1];
  r.Text1 = "85";
  SelectBentDistanceType(r, 6);
  r.Text7 = "R";
  r.Text2 = "12" + kDeg + " 30' 15.5\"";
  SelectBentSkewType(r, 2);
  r.Text3 = "10";
  r.Text4 = "PIER 2 EXTRA";  // ten characters are kept
  r.List1 = {true, false, false, true};
  r.Text5 = "B", r.Text6 = "2", r.Text8 = "S2";
  p.BentLine.rows[3].Text4 = "ABUT";
  p.BentLine.rows[3].Text8 = "S";
  p.BentLine.rows[5].Text4 = std::string(10, ' ');  // no description: not written
  const test::Strings english = {"06  8500007R123015502 10    PIER 2 EXTX  XB2S2",
                                 "06         L 0 0 000        ABUT            S "};
  EXPECT_EQ(Written(p), english);
  r.Text8 = "  ";  // a blank sec. ref. is one blank ending the line
  EXPECT_EQ(Written(p).at(0), english[0].substr(0, 44) + " ");
  p.MetricUnits = 1;
  const std::string metric = Written(p).at(0);
  EXPECT_EQ(metric.substr(0, 10), "06 8500000");
  // Blank columns read as 0, so only the filled row comes back byte for byte.
  Project q;
  q.MetricUnits = 1;
  Read(q, metric);
  EXPECT_EQ(Written(q), test::Strings{metric});
  // Too wide fields are reported and not cut: 1234560000 takes 10 columns, a whole
  // number of points has 3.
  p.MetricUnits = 0;
  r.Text1 = "123456";
  r.Text3 = "1234";
  const LineSink out = test::Write(WriteBentRecords, p);
  EXPECT_EQ(test::Overflows(out), (test::Strings{"BentLine 1 Text1 123456 8 10", "BentLine 1 Text3 1234 3 4"}));
  EXPECT_EQ(out.lines.at(0).substr(2, 10), "1234560000");
}

}  // namespace
}  // namespace kv
