#include "inputfile/description_record.h"

#include <gtest/gtest.h>

#include "inputfile/field_routines.h"
#include "inputfile/project.h"

namespace kv {
namespace {

std::string Padded(std::string s) { return PadRight(s, 81); }

void ReadLines(Project& p, std::initializer_list<const char*> lines) {
  for (const char* l : lines) ReadDescriptionRecord(Padded(l), p, {});
}

TEST(DescriptionRecord, KeywordsAndUnits) {
  struct Case {
    const char* line;
    int metric;  // units after the line, read over a metric project
    const char* projNum;
    const char* subAcc;
  } cases[] = {
      {"00 Units: feet;", 0, "", ""},
      {"00 Units: metric;", 1, "", ""},
      {"00 UNITS: METRIC;", 1, "", ""},
      {"00 units: MeTrIc;", 1, "", ""},
      {"00Units:Metric", 1, "", ""},  // "Metric" 6 places after the keyword start
      {"00 Project: 2026-117; Subaccount: 04B;", 1, "2026-117", "04B"},
      {"00 project: A; SUBACCOUNT: B;", 1, "A", "B"},
  };
  for (const Case& c : cases) {
    Project p;
    SetUnits(p, true);
    ReadLines(p, {c.line});
    EXPECT_EQ(p.MetricUnits, c.metric) << c.line;
    EXPECT_EQ(p.Description.Option1, c.metric == 1) << c.line;
    EXPECT_EQ(p.Description.Option2, c.metric == 0) << c.line;
    EXPECT_EQ(p.Description.ProjNum, c.projNum) << c.line;
    EXPECT_EQ(p.Description.SubAcc, c.subAcc) << c.line;
    EXPECT_EQ(p.Description.GenDesc, "") << c.line;
    EXPECT_TRUE(p.IsMarked(Form::Desc));
  }
}

TEST(DescriptionRecord, ValueWithoutSemicolonRunsToLineEnd) {
  Project p;
  ReadLines(p, {"00 Location: Kelso Creek"});
  EXPECT_EQ(p.Description.Location, PadRight("Kelso Creek", 81 - 13));
}

TEST(DescriptionRecord, FreeLinesAppendToGeneralDescription) {
  Project p;
  p.Description.GenDesc = "kept\r\n";
  ReadLines(p, {"00a", "00", "00 mentions designer: here"});
  EXPECT_EQ(p.Description.GenDesc, "kept\r\n" + PadRight("a", 79) + "\r\n" + std::string(79, ' ') + "\r\n");
  EXPECT_EQ(p.Description.Designer, "here" + std::string(81 - 26, ' '));
}

TEST(DescriptionRecord, TitleLine) {
  struct Case {
    std::string line;
    const char* id;
    int metric;
  } cases[] = {
      {Padded("00BR-3SPAN01xyz"), "BR-3SPAN01", 0},
      {PadRight("00M-1", 79) + "M", "M-1       ", 1},
      {PadRight("00M-1", 79) + "m", "M-1       ", 1},
      {PadRight("00M-1", 79) + "X", "M-1       ", 0},
  };
  for (const Case& c : cases) {
    Project p;
    ReadTitleLine(c.line, p);
    EXPECT_EQ(p.Description.StructureID, c.id);
    EXPECT_EQ(p.MetricUnits, c.metric);
  }
}

TEST(DescriptionRecord, WriterLines) {
  Project p;
  p.Description.StructureID = "BR1";
  p.Description.ProjNum = "P";
  p.Description.SubAcc = "S";
  p.Description.Designer = "D";
  p.Description.Detailer = "T";
  p.Description.Location = "L";
  struct Case {
    std::string genDesc;
    bool metric;
    std::vector<std::string> tail;
  } cases[] = {
      {"", false, {"00"}},
      {"one line", false, {"00one line"}},
      {"a\r\n\r\nb\r\n", true, {"00a", "00", "00b"}},
      {"a\r\nb", false, {"00a", "00b"}},
  };
  for (const Case& c : cases) {
    p.Description.GenDesc = c.genDesc;
    SetUnits(p, c.metric);
    LineSink out;
    WriteDescriptionRecords(p, out);
    std::vector<std::string> want = {
        c.metric ? PadRight("00BR1", 79) + "M" : "00BR1       ",
        c.metric ? "00 Units: metric;" : "00 Units: feet;",
        "00 Project: P; Subaccount: S;", "00 Designer: D; Detailer: T;", "00 Location: L;"};
    want.insert(want.end(), c.tail.begin(), c.tail.end());
    EXPECT_EQ(out.lines, want);
    EXPECT_TRUE(out.overflows.empty());
  }
}

TEST(DescriptionRecord, LongStructureIdIsKeptAndReported) {
  Project p;
  p.Description.StructureID = "ABCDEFGHIJKL";
  LineSink out;
  WriteDescriptionRecords(p, out);
  EXPECT_EQ(out.lines[0], "00ABCDEFGHIJKL");
  ASSERT_EQ(out.overflows.size(), 1u);
  EXPECT_EQ(out.overflows[0].field, "StructureID");
  EXPECT_EQ(out.overflows[0].used, 12);
}

}  // namespace
}  // namespace kv
