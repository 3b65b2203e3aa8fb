#include "inputfile/description_record.h"

#include "tests/test_support.h"

namespace kv {
namespace {

using test::Pad;

TEST(DescriptionRecord, Reading) {
  const struct { const char* line; int metric; const char* projSub; } cases[] = {
      {"00 Units: feet;", 0, "|"}, {"00 Units: metric;", 1, "|"}, {"00 UNITS: METRIC;", 1, "|"},
      {"00 units: MeTrIc;", 1, "|"}, {"00Units:Metric", 1, "|"},  // "Metric" 6 places after the keyword
      {"00 Project: 2026-117; Subaccount: 04B;", 1, "2026-117|04B"}, {"00 project: A; SUBACCOUNT: B;", 1, "A|B"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Project p;
    SetUnits(p, true);  // read over a metric project
    ReadDescriptionRecord(Pad(c.line), p, {});
    EXPECT_EQ(p.MetricUnits, c.metric);
    EXPECT_EQ(p.Description.Option1, c.metric == 1);
    EXPECT_EQ(p.Description.Option2, c.metric == 0);
    EXPECT_EQ(test::Join({p.Description.ProjNum, p.Description.SubAcc}) + p.Description.GenDesc, c.projSub);
    EXPECT_TRUE(p.IsMarked(Form::Desc));
  }
  // No semicolon: the value runs to the line end. Lines without a keyword append.
  Project p;
  p.Description.GenDesc = "kept\r\n";
  for (const char* l : {"00 Location: Kelso Creek", "00a", "00", "00 mentions designer: here"})
    ReadDescriptionRecord(Pad(l), p, {});
  EXPECT_EQ(p.Description.Location, PadRight("Kelso Creek", 81 - 13));
  EXPECT_EQ(p.Description.GenDesc, "kept\r\n" + PadRight("a", 79) + "\r\n" + std::string(79, ' ') + "\r\n");
  EXPECT_EQ(p.Description.Designer, "here" + std::string(81 - 26, ' '));
  const struct { std::string line; const char* id; int metric; } titles[] = {
      {Pad("00BR-3SPAN01xyz"), "BR-3SPAN01", 0}, {PadRight("00M-1", 79) + "M", "M-1       ", 1},
      {PadRight("00M-1", 79) + "m", "M-1       ", 1}, {PadRight("00M-1", 79) + "X", "M-1       ", 0}};
  for (const auto& c : titles) {
    Project t;
    ReadTitleLine(c.line, t);
    EXPECT_EQ(t.Description.StructureID, c.id);
    EXPECT_EQ(t.MetricUnits, c.metric) << c.line;
  }
}

TEST(DescriptionRecord, WriterLines) {
  Project p;
  DescriptionData& d = p.Description;
  d.StructureID = "BR1";
  d.ProjNum = "P", d.SubAcc = "S", d.Designer = "D", d.Detailer = "T", d.Location = "L";
  const struct { std::string genDesc; bool metric; test::Strings tail; } cases[] = {
      {"", false, {"00"}}, {"one line", false, {"00one line"}}, {"a\r\n\r\nb\r\n", true, {"00a", "00", "00b"}},
      {"a\r\nb", false, {"00a", "00b"}}};
  for (const auto& c : cases) {
    d.GenDesc = c.genDesc;
    SetUnits(p, c.metric);
    LineSink out = test::Write(WriteDescriptionRecords, p);
    test::Strings want = {c.metric ? PadRight("00BR1", 79) + "M" : "00BR1       ",
                          c.metric ? "00 Units: metric;" : "00 Units: feet;", "00 Project: P; Subaccount: S;",
                          "00 Designer: D; Detailer: T;", "00 Location: L;"};
    want.insert(want.end(), c.tail.begin(), c.tail.end());
    EXPECT_EQ(out.lines, want);
    EXPECT_TRUE(out.overflows.empty());
  }
  // A structure ID too long for its columns is kept whole and reported.
  d.StructureID = "ABCDEFGHIJKL";
  LineSink out = test::Write(WriteDescriptionRecords, p);
  EXPECT_EQ(out.lines[0], "00ABCDEFGHIJKL");
  EXPECT_EQ(test::Overflows(out), test::Strings{"Description -1 StructureID ABCDEFGHIJKL 10 12"});
}

}  // namespace
}  // namespace kv
