#include "inputfile/input_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "cli/dump.h"
#include "inputfile/field_routines.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

std::string Data(const std::string& name) { return std::string(KV_TEST_DATA) + "/" + name; }

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class TempDir {
 public:
  TempDir() {
    path_ = fs::temp_directory_path() /
            ("kv-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
  }
  std::string File(const std::string& name, const std::string& bytes = {}) const {
    std::string p = (path_ / name).string();
    if (!bytes.empty()) std::ofstream(p, std::ios::binary) << bytes;
    return p;
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

struct Read {
  Project p;
  std::vector<std::string> warnings;
};

Read ReadFile(const std::string& path) {
  Read r;
  ReadInputFile(path, r.p, [&](const std::string& w) { r.warnings.push_back(w); });
  return r;
}

std::string Bytes(const Project& p) {
  std::string s;
  for (const std::string& l : WriteProjectLines(p).lines) s += l + "\r\n";
  return s;
}

std::string Join(const std::vector<std::string>& lines, const char* end) {
  std::string s;
  for (const std::string& l : lines) s += l + end;
  return s;
}

TEST(LineReader, LineEndsAndPadding) {
  LineReader r("ab\r\ncd\nef\rgh");
  EXPECT_EQ(r.ReadPaddedLine(), PadRight("ab", 81));
  EXPECT_EQ(r.ReadPaddedLine(), PadRight("cd", 81));
  EXPECT_EQ(r.ReadPaddedLine(), PadRight("ef", 81));
  EXPECT_FALSE(r.AtEnd());
  EXPECT_EQ(r.ReadPaddedLine(), PadRight("gh", 81));
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(r.ReadPaddedLine(), std::string(81, ' '));
  LineReader wide(std::string(80, 'x') + "\r\n" + std::string(85, 'y'));
  EXPECT_EQ(wide.ReadPaddedLine(), std::string(80, 'x'));
  EXPECT_EQ(wide.ReadPaddedLine(), std::string(85, 'y'));
}

// Every sample settles: the second write and the third give the same bytes.
TEST(Drivers, SamplesSettle) {
  for (const char* name : {"bridge_english.dat", "overpass_metric.dat", "no_horizontal.dat",
                           "metric_title_only.dat", "bad_codes.dat", "ends_after_description.dat",
                           "lines_after_approach.dat"}) {
    TempDir dir;
    Read first = ReadFile(Data(name));
    std::string once = dir.File("once.dat"), twice = dir.File("twice.dat"),
                thrice = dir.File("thrice.dat");
    ASSERT_TRUE(WriteInputFile(once, first.p, {}).ok) << name;
    Read second = ReadFile(once);
    ASSERT_TRUE(WriteInputFile(twice, second.p, {}).ok);
    Read third = ReadFile(twice);
    ASSERT_TRUE(WriteInputFile(thrice, third.p, {}).ok);
    EXPECT_EQ(Slurp(twice), Slurp(thrice)) << name;
    EXPECT_EQ(DumpProject(second.p, {}), DumpProject(third.p, {})) << name;
  }
}

TEST(Drivers, EnglishSampleFillsEveryFamily) {
  Read r = ReadFile(Data("bridge_english.dat"));
  EXPECT_TRUE(r.warnings.empty());
  for (bool m : r.p.marked) EXPECT_TRUE(m);
  EXPECT_EQ(r.p.MetricUnits, 0);
  EXPECT_EQ(r.p.Description.StructureID, "BR-3SPAN01");
  EXPECT_EQ(r.p.Horizontal.PIStation, "125+40.5000");
  EXPECT_EQ(r.p.Vertical.PISta1, "127+00.00");
  EXPECT_EQ(r.p.CrossTrans.CrossSlope, "0.02");
  EXPECT_EQ(r.p.RefLine.RefLineSta, "126+00.0000");
  EXPECT_EQ(r.p.GirderLine.rows[4].Text2, "14.5");
  EXPECT_EQ(r.p.BentLine.rows[3].Text3, "2.5");
  EXPECT_EQ(r.p.DeadLoad.rows[2].Text8, "0.55");
  EXPECT_EQ(r.p.RoadAppr.BegStr, "124+50.0");
  // Written back, the records after the description come out column for column.
  std::string original = Slurp(Data("bridge_english.dat"));
  std::string written = Bytes(r.p);
  EXPECT_EQ(written.substr(written.find("\r\n01")), original.substr(original.find("\r\n01")));
}

TEST(Drivers, MetricSample) {
  Read r = ReadFile(Data("overpass_metric.dat"));
  EXPECT_TRUE(r.warnings.empty());
  EXPECT_EQ(r.p.MetricUnits, 1);
  EXPECT_TRUE(r.p.Description.Option1);
  EXPECT_EQ(r.p.Horizontal.PIStation, "3+400.12500");
  EXPECT_EQ(r.p.Horizontal.Degree, "");  // not read in metric units
  EXPECT_EQ(r.p.CrossTrans.rows[0].OverSta, "3+390.500");
  EXPECT_EQ(r.p.DeadLoad.rows[0].Text5, "0.021");  // "M" units code: 4 decimals
  EXPECT_EQ(r.p.DeadLoad.rows[1].Text5, "2.75");
  EXPECT_FALSE(r.p.IsMarked(Form::RoadApp));
  std::string original = Slurp(Data("overpass_metric.dat"));
  std::string written = Bytes(r.p);
  EXPECT_EQ(written.substr(0, 12), original.substr(0, 12));
  EXPECT_EQ(written[79], 'M');
  EXPECT_EQ(written.substr(written.find("\r\n01")), original.substr(original.find("\r\n01")));
}

TEST(Drivers, Sequencing) {
  {  // no "01" line: the line after the description goes to the vertical reader
    Read r = ReadFile(Data("no_horizontal.dat"));
    EXPECT_FALSE(r.p.IsMarked(Form::Horiz));
    EXPECT_TRUE(r.p.IsMarked(Form::Vert));
    EXPECT_EQ(r.p.Vertical.GradeIn, "2");
    EXPECT_EQ(r.p.Vertical.GradeOut, "-2");
  }
  {  // "m" in column 80 and no units line: metric
    Read r = ReadFile(Data("metric_title_only.dat"));
    EXPECT_EQ(r.p.MetricUnits, 1);
    EXPECT_EQ(r.p.Description.GenDesc, PadRight("First and only description line.", 79) + "\r\n");
  }
  {  // the last line of the file reaches its reader
    Read r = ReadFile(Data("ends_after_description.dat"));
    EXPECT_EQ(r.p.Description.GenDesc,
              PadRight("Last line of the file is a description line.", 79) + "\r\n");
    EXPECT_FALSE(r.p.IsMarked(Form::Vert));
  }
  {  // anything after the "08" line is not read
    EXPECT_EQ(DumpProject(ReadFile(Data("lines_after_approach.dat")).p, {}),
              DumpProject(ReadFile(Data("bridge_english.dat")).p, {}));
  }
}

TEST(Drivers, LastLineIsDeadLoadAndStrayCodesEndLoops) {
  TempDir dir;
  std::string eng = Slurp(Data("bridge_english.dat"));
  std::string upTo07 = eng.substr(0, eng.find("\r\n08") + 2);
  Read r = ReadFile(dir.File("a.dat", upTo07));
  EXPECT_TRUE(r.p.IsMarked(Form::Dead));
  EXPECT_EQ(r.p.DeadLoad.rows[2].Text1, "E");
  EXPECT_FALSE(r.p.IsMarked(Form::RoadApp));
  // A "05" line among the bent lines ends the bent loop and the rest is not read.
  std::string stray = eng;
  stray.insert(stray.find("\r\n06 19500000") + 2, "05 stray girder line\r\n");
  Read s = ReadFile(dir.File("b.dat", stray));
  EXPECT_EQ(s.p.BentLine.rows[1].Text4, "PIER 2    ");
  EXPECT_EQ(s.p.BentLine.rows[2].Text4, "");
  EXPECT_FALSE(s.p.IsMarked(Form::Dead));
}

TEST(Drivers, LineEndsOfOtherSystemsReadAlike) {
  TempDir dir;
  std::string crlf = Slurp(Data("bridge_english.dat"));
  std::string lf, cr;
  for (char c : crlf)
    if (c != '\r') lf += c;
  for (char c : crlf)
    if (c != '\n') cr += c;
  auto want = DumpProject(ReadFile(Data("bridge_english.dat")).p, {});
  EXPECT_EQ(DumpProject(ReadFile(dir.File("lf.dat", lf)).p, {}), want);
  EXPECT_EQ(DumpProject(ReadFile(dir.File("cr.dat", cr)).p, {}), want);
  EXPECT_EQ(DumpProject(ReadFile(dir.File("noend.dat", crlf.substr(0, crlf.size() - 2))).p, {}),
            want);
}

TEST(Drivers, EmptyFileChangesNothing) {
  TempDir dir;
  Project p;
  p.Horizontal.Radius = "150";
  Project before = p;
  std::ofstream(dir.File("empty.dat")).close();
  EXPECT_TRUE(ReadInputFile(dir.File("empty.dat"), p, {}));
  EXPECT_EQ(DumpProject(p, {}), DumpProject(before, {}));
  EXPECT_FALSE(ReadInputFile(dir.File("missing.dat"), p, {}));
}

TEST(Drivers, FullTablesLeaveLinesOutWithOneWarning) {
  TempDir dir;
  std::string eng = Slurp(Data("bridge_english.dat"));
  auto lineOf = [&](const char* prefix) {
    auto at = eng.find(std::string("\r\n") + prefix) + 2;
    return eng.substr(at, eng.find("\r\n", at) + 2 - at);
  };
  std::string head = eng.substr(0, eng.find("\r\n03  1265000") + 2);
  std::string file = head;
  for (int i = 0; i < 140; ++i) file += lineOf("03  1265000");
  file += lineOf("04");
  for (int i = 0; i < 125; ++i) file += lineOf("050 -120000");
  for (int i = 0; i < 120; ++i) file += lineOf("06  8500000");
  for (int i = 0; i < 118; ++i) file += lineOf("07A1");
  file += lineOf("08");
  Read r = ReadFile(dir.File("big.dat", file));
  EXPECT_EQ(r.warnings,
            (std::vector<std::string>{
                "Warning: (03) Superelevation override data, the table is full; 7 lines were left out.",
                "Warning: (05) Girder line data, the table is full; 6 lines were left out.",
                "Warning: (06) Bent line data, the table is full; 1 line was left out.",
                "Warning: (07) Dead load data, the table is full; 1 line was left out."}));
  EXPECT_EQ(OverrideRowCount(r.p.CrossTrans), 133);
  EXPECT_EQ(GirderRowCount(r.p.GirderLine), 119);
  EXPECT_EQ(BentRowCount(r.p.BentLine), 119);
  EXPECT_EQ(DeadLoadRowCount(r.p.DeadLoad), 117);
  EXPECT_TRUE(r.p.IsMarked(Form::RoadApp));
  EXPECT_EQ(r.p.RoadAppr.EndStr, "132+30.0");
}

TEST(Drivers, WarningsInFileOrder) {
  Read r = ReadFile(Data("bad_codes.dat"));
  EXPECT_EQ(r.warnings,
            (std::vector<std::string>{
                "Warning: (04) Reference line data, bad \"Station is on\" value.  Valid values are 0 to 3",
                "Warning: (04) Reference line data, bad \"Skew is with respect to\" value.  Valid values are 1 to 4.",
                "Warning: (04) Reference line data, bad \"Layout line is\" value.",
                "Warning: (04) Reference line data, bad \"Reverse layout line\" value.",
                "Warning: (05) Girder line data, bad line type.",
                "Warning: (05) Girder line data, initial offset type invalid.",
                "Warning: (06) Bent line data, distance type invalid.",
                "Warning: (06) Skew direction invalid. Should be L or R"}));
}

TEST(SafeWrite, FailuresLeaveThePreviousFile) {
  TempDir dir;
  Project p = ReadFile(Data("bridge_english.dat")).p;
  std::vector<std::string> messages;
  auto collect = [&](const std::string& m) { messages.push_back(m); };

  WriteResult none = WriteInputFile("", p, collect);
  EXPECT_FALSE(none.ok);
  EXPECT_EQ(messages, std::vector<std::string>{"No file specified for output."});

  std::string target = dir.File("keep.dat", "previous contents\r\n");
  fs::create_directories(dir.path() / "folder.dat");
  EXPECT_FALSE(WriteInputFile((dir.path() / "folder.dat").string(), p, collect).ok);

  if (::geteuid() != 0) {  // root writes into read-only folders anyway
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WriteInputFile(target, p, collect).ok);
    fs::permissions(dir.path(), fs::perms::owner_all);
  }
  EXPECT_EQ(Slurp(target), "previous contents\r\n");

  ASSERT_TRUE(WriteInputFile(target, p, collect).ok);
  EXPECT_EQ(Slurp(target), Bytes(p));
  int files = 0;
  for (auto& e : fs::directory_iterator(dir.path())) files += e.is_regular_file();
  EXPECT_EQ(files, 1);  // no temporary left behind
  EXPECT_EQ(messages.size(), 1u);
}

}  // namespace
}  // namespace kv
