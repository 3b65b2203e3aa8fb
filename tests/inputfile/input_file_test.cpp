#include "inputfile/input_file.h"

#include "cli/dump.h"
#include "tests/test_support.h"

namespace kv {
namespace {

using test::Data;
using test::Slurp;

Project ReadFile(const std::string& path, test::Strings* warnings = nullptr) {
  Project p;
  ReadInputFile(path, p, [&](const std::string& w) { if (warnings) warnings->push_back(w); });
  return p;
}

std::string Dump(const std::string& path) { return DumpProject(ReadFile(path), {}).dump(); }

// From the first line of the horizontal record to the end.
std::string AfterDescription(const std::string& bytes) { return bytes.substr(bytes.find("\r\n01")); }

TEST(LineReader, LineEndsAndPadding) {
  LineReader r("ab\r\ncd\nef\rgh");
  for (const char* want : {"ab", "cd", "ef"}) EXPECT_EQ(r.ReadPaddedLine(), PadRight(want, 81));
  EXPECT_FALSE(r.AtEnd());
  EXPECT_EQ(r.ReadPaddedLine(), PadRight("gh", 81));
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(r.ReadPaddedLine(), std::string(81, ' '));
  LineReader wide(std::string(80, 'x') + "\r\n" + std::string(85, 'y'));
  EXPECT_EQ(wide.ReadPaddedLine(), std::string(80, 'x'));
  EXPECT_EQ(wide.ReadPaddedLine(), std::string(85, 'y'));
}

// Written back, the records after the description come out column for column.
TEST(Drivers, SamplesFillTheirFamiliesAndWriteBackExactly) {
  test::Strings warnings;
  Project e = ReadFile(Data("bridge_english.dat"), &warnings), m = ReadFile(Data("overpass_metric.dat"), &warnings);
  EXPECT_TRUE(warnings.empty());
  for (bool marked : e.marked) EXPECT_TRUE(marked);
  EXPECT_EQ(e.MetricUnits, 0);
  EXPECT_EQ(test::Join({e.Description.StructureID, e.Horizontal.PIStation, e.Vertical.PISta1, e.CrossTrans.CrossSlope,
                        e.RefLine.RefLineSta, e.GirderLine.rows[4].Text2, e.BentLine.rows[3].Text3,
                        e.DeadLoad.rows[2].Text8, e.RoadAppr.BegStr}),
            "BR-3SPAN01|125+40.5000|127+00.00|0.02|126+00.0000|14.5|2.5|0.55|124+50.0");
  EXPECT_EQ(AfterDescription(test::Bytes(e)), AfterDescription(Slurp(Data("bridge_english.dat"))));
  EXPECT_EQ(m.MetricUnits, 1);
  EXPECT_TRUE(m.Description.Option1);
  // Degree is not read in metric units; an "M" units code gives 4 decimals.
  EXPECT_EQ(test::Join({m.Horizontal.PIStation, m.Horizontal.Degree, m.CrossTrans.rows[0].OverSta,
                        m.DeadLoad.rows[0].Text5, m.DeadLoad.rows[1].Text5}),
            "3+400.12500||3+390.500|0.021|2.75");
  const std::string original = Slurp(Data("overpass_metric.dat")), written = test::Bytes(m);
  EXPECT_EQ(written.substr(0, 12), original.substr(0, 12));
  EXPECT_EQ(written[79], 'M');
  EXPECT_EQ(AfterDescription(written), AfterDescription(original));
}

TEST(Drivers, Sequencing) {
  // No "01" line: the line after the description goes to the vertical reader.
  Project p = ReadFile(Data("no_horizontal.dat"));
  EXPECT_FALSE(p.IsMarked(Form::Horiz));
  EXPECT_EQ(p.Vertical.GradeIn + "|" + p.Vertical.GradeOut, "2|-2");
  // "m" in column 80 and no units line: metric.
  p = ReadFile(Data("metric_title_only.dat"));
  EXPECT_EQ(p.MetricUnits, 1);
  EXPECT_EQ(p.Description.GenDesc, PadRight("First and only description line.", 79) + "\r\n");
  // The last line of the file reaches its reader.
  p = ReadFile(Data("ends_after_description.dat"));
  EXPECT_EQ(p.Description.GenDesc, PadRight("Last line of the file is a description line.", 79) + "\r\n");
  EXPECT_FALSE(p.IsMarked(Form::Vert));
  // Anything after the "08" line is not read.
  EXPECT_EQ(Dump(Data("lines_after_approach.dat")), Dump(Data("bridge_english.dat")));

  test::TempDir dir;
  const std::string eng = Slurp(Data("bridge_english.dat"));
  p = ReadFile(dir.File("a.dat", eng.substr(0, eng.find("\r\n08") + 2)));
  EXPECT_EQ(p.DeadLoad.rows[2].Text1, "E");
  EXPECT_FALSE(p.IsMarked(Form::RoadApp));
  // A "05" line among the bent lines ends the bent loop and the rest is not read.
  std::string stray = eng;
  stray.insert(stray.find("\r\n06 19500000") + 2, "05 stray girder line\r\n");
  p = ReadFile(dir.File("b.dat", stray));
  EXPECT_EQ(p.BentLine.rows[1].Text4 + "|" + p.BentLine.rows[2].Text4, "PIER 2    |");
  EXPECT_FALSE(p.IsMarked(Form::Dead));
  // Line ends of other systems, or none at the end, read alike.
  std::string lf, cr;
  for (char c : eng) {
    if (c != '\r') lf += c;
    if (c != '\n') cr += c;
  }
  for (const std::string& bytes : {lf, cr, eng.substr(0, eng.size() - 2)})
    EXPECT_EQ(Dump(dir.File("ends.dat", bytes)), Dump(Data("bridge_english.dat")));
  // An empty file changes nothing; a missing one fails.
  p.Horizontal.Radius = "150";
  const auto before = DumpProject(p, {});
  EXPECT_TRUE(ReadInputFile(Data("hostile/empty.dat"), p, {}));
  EXPECT_EQ(DumpProject(p, {}), before);
  EXPECT_FALSE(ReadInputFile(Data("no_such_file.dat"), p, {}));
}

}  // namespace
}  // namespace kv
