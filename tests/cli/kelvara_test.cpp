#include "cli/commands.h"

#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "tests/test_support.h"

namespace kv {
namespace {

using test::Data;

struct CliRun { int status; std::string out, err; };
CliRun Kelvara(std::vector<std::string> args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  int status = RunKelvara(args, in, out, err);
  return {status, out.str(), err.str()};
}

TEST(Kelvara, StatusesAndOutput) {
  test::TempDir dir;
  const std::string norm = dir.File("norm.dat"), bad = Data("bad_codes.dat"), missing = Data("no_such_file.dat"),
                    cut = Data("hostile/cut_mid_line.dat");
  const std::string badBytes = test::Slurp(bad), english = test::Bytes(test::Read("bridge_english.dat"));
  // What stdout starts with (or contains, anywhere), what stderr contains, how many lines stdout has (0: empty).
  const struct { std::vector<std::string> args; int status; std::string out, err; bool anywhere = false; int lines = -1;
                 std::string in = ""; } cases[] = {
      {{"check", Data("bridge_english.dat"), Data("overpass_metric.dat")}, 0, "", "", false, 0},
      // Every field in its columns, but no bridge: only the geometry has something to say.
      {{"check", Data("widest_english.dat"), Data("widest_metric.dat")}, 1,
       Data("widest_english.dat") + ": Geometry: (01) Horizontal, Radius: ", ""},
      {{"check", Data("bridge_english.dat"), bad}, 1,
       bad + ": Warning: (04) Reference line data, bad \"Station is on\" value.  Valid values are 0 to 3\n", "", false,
       9},
      {{"check", bad, missing}, 2, bad + ": ", "kelvara: " + missing + ": No such file or directory\n"},
      {{"check", "-"}, 1, "-: Warning: (04)", "", false, 9, badBytes},
      {{"check", "--", "--json"}, 2, "", "kelvara: --json: No such file or directory\n", false, 0},
      {{"check", "--json", "-"}, 1, "{\"file\":\"-\",\"line\":6,\"columns\":[14,14],\"family\":\"RefLine\",\"field\":"
       "\"StaOn\",\"kind\":\"warning\",\"message\":\"Warning: (04) Reference line data, bad \\\"Station is on\\\" "
       "value.  Valid values are 0 to 3\"}\n", "", false, 9, badBytes},
      {{"check", "--json", Data("stray_girder_line.dat")}, 1, "{\"file\":\"" + Data("stray_girder_line.dat") +
       "\",\"line\":22,\"columns\":null,\"family\":null,\"field\":null,\"kind\":\"unread\",\"message\":\"7 lines from "
       "line 22 on were not read: the record order breaks there. Save would not keep them.\"}\n", "", false, 1},
      // Its only girder line has a blank description: saving would leave the row out.
      {{"check", cut}, 1, cut + ": GirderLine row 1: not written; its description is empty\n", "", false, 1},
      {{"normalize", Data("bridge_english.dat"), norm}, 0, "", "", false, 0},
      {{"check", norm}, 0, "", "", false, 0},
      {{"normalize", "-", "-"}, 0, english, "", false, -1, test::Slurp(Data("bridge_english.dat"))},
      {{"normalize", Data("stray_girder_line.dat"), norm}, 0, "", ": 7 lines from line 22 on were not read"},
      {{"normalize", bad, dir.path().string()}, 2, "", "kelvara: " + dir.path().string() + ": Is a directory\n"},
      {{"dump", "-"}, 0, "{\n  \"BentLine\"", "", false, -1, badBytes},
      {{"dump", "a.dat", "--help"}, 0, "Usage: kelvara dump FILE\n", ""},
      {{"check", "--frob"}, 2, "", "kelvara: check: unknown option '--frob'\nTry 'kelvara check --help'.\n"},
      {{}, 2, "", "Usage: kelvara"}, {{"frobnicate"}, 2, "", "kelvara: unknown command 'frobnicate'"},
      {{"dump"}, 2, "", "name exactly one input file"},
      {{"normalize", "a"}, 2, "", "name the input file and the output file"},
      {{"check"}, 2, "", "name at least one input file"},
      {{"--version"}, 0, "kelvara ", ""}, {{"--help"}, 0, "normalize IN OUT", "", true},
      {{"check", "-h"}, 0, "Usage: kelvara check [--json] FILE|FOLDER...\n", ""},
      {{"plan", Data("bridge_english.dat"), dir.File("plan.svg")}, 0, "", "", false, 0},
      {{"plan", "--dxf", "-", "-"}, 0, "  0\nSECTION\n  2\nHEADER\n", "", false, -1, english},
      {{"plan", "-", "x.txt"}, 2, "", "kelvara: plan: 'x.txt' ends in neither .svg nor .dxf; give --svg or --dxf\n"},
      {{"plan", "--svg", "--dxf", "a", "b"}, 2, "", "kelvara: plan: choose --svg or --dxf, not both\n"},
      {{"plan", missing, "p.svg"}, 2, "", "kelvara: " + missing + ": No such file or directory\n"},
      {{"plan", bad, dir.path().string() + "/"}, 2, "", "ends in neither"},
      {{"plan", "--svg", Data("bridge_english.dat"), dir.path().string()}, 2, "",
       "kelvara: " + dir.path().string() + ": Is a directory\n"},
      {{"plan", "a"}, 2, "", "name the input file and the output file"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(test::Join(c.args));
    const CliRun r = Kelvara(c.args, c.in);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_TRUE(c.anywhere ? r.out.find(c.out) != std::string::npos : r.out.rfind(c.out, 0) == 0) << r.out;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    if (c.lines == 0) { EXPECT_EQ(r.out, ""); }
    if (c.lines > 0) { EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), c.lines); }
  }
  // The file is what standard output gets.
  EXPECT_EQ(test::Slurp(dir.path() / "plan.svg"), Kelvara({"plan", "--svg", Data("bridge_english.dat"), "-"}).out);
}

// A folder is every *.dat below it (any case), listed in name order whichever core
// finished first; other files are not read.
TEST(Kelvara, CheckOfAFolder) {
  test::TempDir dir;
  const std::string bad = test::Slurp(Data("bad_codes.dat")), stray = test::Slurp(Data("stray_girder_line.dat"));
  test::fs::create_directories(dir.path() / "b");
  dir.File("a.dat", test::Slurp(Data("bridge_english.dat"))), dir.File("b/one.dat", bad), dir.File("b/c.DAT", stray);
  for (int i = 0; i < 20; ++i) dir.File("b/z" + std::to_string(i + 10) + ".dat", i % 2 ? bad : stray);
  dir.File("notes.txt", bad);
  const CliRun r = Kelvara({"check", dir.path().string()});
  EXPECT_EQ(r.status, 1);
  std::vector<std::string> files;
  for (std::istringstream lines(r.out); std::getline(lines, files.emplace_back());)
    files.back() = files.back().substr(dir.path().string().size() + 1, files.back().find(": ") - dir.path().string().size() - 1);
  files.pop_back();
  files.erase(std::unique(files.begin(), files.end()), files.end());
  std::vector<std::string> want = {"b/c.DAT", "b/one.dat"};
  for (int i = 0; i < 20; ++i) want.push_back("b/z" + std::to_string(i + 10) + ".dat");
  EXPECT_EQ(files, want);
}

// The built tool with its standard output on fd: a full disk or a pipe nobody reads
// is an error (exit 2) named on stderr; with SIGPIPE left alone the pipe ends it.
TEST(Kelvara, AFailedWriteToStandardOutputIsAnError) {
  test::TempDir dir;
  const std::string errFile = dir.File("err.txt");
  auto run = [&](int fd, bool ignorePipe) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      if (ignorePipe) ::signal(SIGPIPE, SIG_IGN);
      ::dup2(fd, 1), ::dup2(::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
      ::execl(KV_KELVARA_EXE, "kelvara", "dump", Data("bridge_english.dat").c_str(), nullptr);
      ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
  };
  const int full = ::open("/dev/full", O_WRONLY);
  int status = run(full, false);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
  EXPECT_EQ(test::Slurp(errFile), "kelvara: write error: No space left on device\n");
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  ::close(pipeEnds[0]);
  status = run(pipeEnds[1], true);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
  EXPECT_EQ(test::Slurp(errFile), "kelvara: write error: Broken pipe\n");
  status = run(pipeEnds[1], false);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGPIPE);
  ::close(pipeEnds[1]), ::close(full);
}

// Each sample and hostile file reads into exactly its dump under golden/ (every field,
// row, warning and mark; update.sh rewrites them; each value was checked against the columns).
// too_wide.dat has every number, station and angle of widest_english.dat replaced by a value
// that reads without a warning but is wider once written: `check` names each field in file
// order and `normalize` writes each value whole, its line that much wider.
TEST(Kelvara, EveryFileMatchesItsGoldenFiles) {
  int files = 0;
  for (const std::string folder : {"", "hostile/"})
    for (const auto& e : test::fs::directory_iterator(Data(folder))) {
      if (e.path().extension() != ".dat") continue;
      const std::string name = folder + e.path().stem().string();
      SCOPED_TRACE(name);
      ++files;
      const CliRun r = Kelvara({"dump", e.path().string()});
      ASSERT_EQ(r.status, 0) << r.err;
      const auto want = nlohmann::json::parse(test::Slurp(Data("golden/" + name + ".json")), nullptr, false);
      ASSERT_FALSE(want.is_discarded()) << "no golden file";
      EXPECT_EQ(nlohmann::json::parse(r.out).dump(1), want.dump(1));  // one value a line: failures show a diff
    }
  EXPECT_EQ(files, 23);
  test::TempDir dir;
  const CliRun check = Kelvara({"check", Data("too_wide.dat")}), norm = Kelvara({"normalize", Data("too_wide.dat"),
                                                                                   dir.File("norm.dat")});
  std::string report = check.out;
  for (std::size_t at; (at = report.find(Data(""))) != std::string::npos;) report.erase(at, Data("").size());
  EXPECT_EQ(std::to_string(check.status) + check.err + report, "1" + test::Slurp(Data("golden/too_wide.check")));
  int tooWide = 0;
  for (std::size_t at = 0; (at = report.find(" columns; the field has ", at)) != std::string::npos; ++at) ++tooWide;
  EXPECT_EQ(tooWide, 70);
  EXPECT_EQ(norm.status, 0);
  EXPECT_EQ(test::Slurp(dir.File("norm.dat")), test::Slurp(Data("golden/too_wide.dat")));
}

}  // namespace
}  // namespace kv
