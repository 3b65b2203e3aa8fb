// Files whose every field holds the widest value its columns take: nothing may be
// lost, widened or reformatted on the way through the project and back.
#include "inputfile/input_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

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

// Longest line each record code may have; override "03" lines are shorter still.
const std::map<std::string, std::size_t> kMaxLength = {
    {"00", 80}, {"01", 80}, {"02", 80}, {"03", 80}, {"04", 80},
    {"05", 57}, {"06", 46}, {"07", 80}, {"08", 80}};

struct Held {
  const char* what;
  std::string (*get)(const Project&);
  const char* english;
  const char* metric;
};

// A few texts that show the units and the per-row decimals were taken as meant;
// a file read in the wrong units would still write back the same bytes.
const Held kHeld[] = {
    {"PIStation", [](const Project& p) { return p.Horizontal.PIStation; }, "99999+99.9999",
     "999+999.99999"},
    {"Delta", [](const Project& p) { return p.Horizontal.Delta; }, "999\xB0 99' 99.99\"",
     "999\xB0 99' 99.99\""},
    {"Radius", [](const Project& p) { return p.Horizontal.Radius; }, "9999.99", "9999.99"},
    {"Ahead", [](const Project& p) { return p.Horizontal.Ahead; }, "-9999+99.9999",
     "-99+999.99999"},
    {"GradeIn", [](const Project& p) { return p.Vertical.GradeIn; }, "-99.999999", "-99.999999"},
    {"PISta2", [](const Project& p) { return p.Vertical.PISta2; }, "-9999+99.99", "-99+999.999"},
    {"CrownHeight", [](const Project& p) { return p.CrossTrans.CrownHeight; }, "99.999",
     "999.99"},
    {"override rows", [](const Project& p) { return std::to_string(p.CrossTrans.rows.size()); },
     "7", "6"},
    {"girder 5 shift", [](const Project& p) { return p.GirderLine.rows[4].Text3; }, "-999.9999",
     "-99.99999"},
    {"girder 4 shift", [](const Project& p) { return p.GirderLine.rows[3].Text3; }, "-999.9999",
     "-9999.999"},
    {"bent 4 points", [](const Project& p) { return p.BentLine.rows[3].Text3; }, "-99", "-99"},
    {"bent 2 points", [](const Project& p) { return p.BentLine.rows[1].Text3; }, "-99.9999",
     "-99.9999"},
    {"dead load 2", [](const Project& p) { return p.DeadLoad.rows[1].Text3; }, "-99.999",
     "-9.9999"},
    {"dead load 3", [](const Project& p) { return p.DeadLoad.rows[2].Text3; }, "999.999",
     "9999.99"},
    {"BegStr", [](const Project& p) { return p.RoadAppr.BegStr; }, "99999+99.0", "9999+999.0"},
};

struct Read {
  Project p;
  std::vector<std::string> warnings;
};

std::unique_ptr<Read> ReadFresh(const std::string& path) {
  auto r = std::make_unique<Read>();
  EXPECT_TRUE(ReadInputFile(path, r->p, [&](const std::string& w) { r->warnings.push_back(w); }));
  return r;
}

TEST(WidestValues, RoundTripKeepsEveryByte) {
  const fs::path dir = fs::temp_directory_path() / "kv-widest";
  fs::create_directories(dir);
  for (const bool metric : {false, true}) {
    const std::string name = metric ? "widest_metric.dat" : "widest_english.dat";
    SCOPED_TRACE(name);
    const std::string original = Slurp(Data(name));
    ASSERT_FALSE(original.empty());

    auto first = ReadFresh(Data(name));
    EXPECT_EQ(first->warnings, std::vector<std::string>{});
    EXPECT_EQ(first->p.MetricUnits, metric ? 1 : 0);
    for (const Held& h : kHeld) EXPECT_EQ(h.get(first->p), metric ? h.metric : h.english) << h.what;

    const LineSink lines = WriteProjectLines(first->p);
    for (const std::string& l : lines.lines) {
      ASSERT_TRUE(kMaxLength.count(l.substr(0, 2))) << l;
      EXPECT_LE(l.size(), kMaxLength.at(l.substr(0, 2))) << l;
    }

    const std::string once = (dir / ("once-" + name)).string();
    const WriteResult w1 = WriteInputFile(once, first->p, {});
    ASSERT_TRUE(w1.ok) << w1.error;
    EXPECT_TRUE(w1.overflows.empty()) << w1.overflows.front().field;
    EXPECT_EQ(Slurp(once), original);

    auto second = ReadFresh(once);
    EXPECT_EQ(second->warnings, std::vector<std::string>{});
    const std::string twice = (dir / ("twice-" + name)).string();
    const WriteResult w2 = WriteInputFile(twice, second->p, {});
    ASSERT_TRUE(w2.ok) << w2.error;
    EXPECT_TRUE(w2.overflows.empty());
    EXPECT_EQ(Slurp(twice), original);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace kv
