#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "inputfile/input_file.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Names(const fs::path& dir) {
  std::vector<std::string> n;
  for (auto& e : fs::directory_iterator(dir)) n.push_back(e.path().filename().string());
  std::sort(n.begin(), n.end());
  return n;
}

struct FaultCase {
  const char* name;
  SaveStep failAt;
  bool targetExists;       // saving over a previous file, or a new one
  const char* errorStart;  // how the failure is told
};

class SaveUnderFault : public ::testing::TestWithParam<FaultCase> {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / (std::string("kv-safe-") + GetParam().name);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    SetSaveFaultHook({});
    fs::remove_all(dir_);
  }
  fs::path dir_;
};

// A save that fails at any step leaves the previous file byte for byte, leaves no
// temporary beside it, and the next save without the fault goes through.
TEST_P(SaveUnderFault, PreviousFileKept) {
  const FaultCase& c = GetParam();
  Project p;
  ASSERT_TRUE(ReadInputFile(std::string(KV_TEST_DATA) + "/bridge_english.dat", p, {}));
  const fs::path target = dir_ / "bridge.dat";
  const std::string previous = std::string("previous\r\n\0bytes\xff\r\n", 18);
  if (c.targetExists) std::ofstream(target, std::ios::binary) << previous;

  std::vector<SaveStep> asked;
  SetSaveFaultHook([&](SaveStep s) {
    asked.push_back(s);
    return s == c.failAt;
  });
  std::vector<std::string> messages;
  WriteResult r = WriteInputFile(target.string(), p, [&](const std::string& m) { messages.push_back(m); });
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error.rfind(c.errorStart, 0), 0u) << r.error;
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(asked.back(), c.failAt);
  if (c.targetExists) {
    EXPECT_EQ(Slurp(target), previous);
    EXPECT_EQ(Names(dir_), std::vector<std::string>{"bridge.dat"});
  } else {
    EXPECT_TRUE(Names(dir_).empty());
  }

  SetSaveFaultHook({});
  ASSERT_TRUE(WriteInputFile(target.string(), p, {}).ok);
  std::string expected;
  for (const std::string& l : WriteProjectLines(p).lines) expected += l + "\r\n";
  EXPECT_EQ(Slurp(target), expected);
  EXPECT_EQ(Names(dir_), std::vector<std::string>{"bridge.dat"});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveUnderFault,
    ::testing::Values(
        FaultCase{"DiskFullOverOld", SaveStep::WriteTemp, true, "cannot write "},
        FaultCase{"DiskFullNew", SaveStep::WriteTemp, false, "cannot write "},
        FaultCase{"StopBeforeReplaceOverOld", SaveStep::ReplaceTarget, true, "cannot replace "},
        FaultCase{"StopBeforeReplaceNew", SaveStep::ReplaceTarget, false, "cannot replace "}),
    [](const ::testing::TestParamInfo<FaultCase>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace kv
