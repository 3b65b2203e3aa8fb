#include <algorithm>

#include "tests/test_support.h"

namespace kv {
namespace {

using test::Slurp;

std::vector<std::string> Names(const test::fs::path& dir) {
  std::vector<std::string> n;
  for (auto& e : test::fs::directory_iterator(dir)) n.push_back(e.path().filename().string());
  std::sort(n.begin(), n.end());
  return n;
}

// A save that fails at any step leaves the previous file byte for byte, leaves no
// temporary beside it, and the next save without the fault goes through.
TEST(SafeSave, FaultAtEachStepKeepsThePreviousFile) {
  const struct { SaveStep failAt; bool targetExists; const char* errorStart; } cases[] = {
      {SaveStep::WriteTemp, true, "cannot write "},
      {SaveStep::WriteTemp, false, "cannot write "},
      {SaveStep::ReplaceTarget, true, "cannot replace "},
      {SaveStep::ReplaceTarget, false, "cannot replace "}};
  Project p;
  ASSERT_TRUE(ReadInputFile(test::Data("bridge_english.dat"), p, {}));
  const std::string previous("previous\r\n\0bytes\xff\r\n", 18);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.errorStart + std::string(c.targetExists ? "over an old file" : "a new file"));
    test::TempDir dir;
    const std::string target = c.targetExists ? dir.File("bridge.dat", previous) : dir.File("bridge.dat");
    std::vector<SaveStep> asked;
    SetSaveFaultHook([&](SaveStep s) {
      asked.push_back(s);
      return s == c.failAt;
    });
    std::vector<std::string> messages;
    WriteResult r = WriteInputFile(target, p, [&](const std::string& m) { messages.push_back(m); });
    SetSaveFaultHook({});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error.rfind(c.errorStart, 0), 0u) << r.error;
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(asked.back(), c.failAt);
    if (c.targetExists) EXPECT_EQ(Slurp(target), previous);
    EXPECT_EQ(Names(dir.path()), c.targetExists ? std::vector<std::string>{"bridge.dat"}
                                                : std::vector<std::string>{});
    ASSERT_TRUE(WriteInputFile(target, p, {}).ok);
    EXPECT_EQ(Slurp(target), test::Bytes(p));
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"bridge.dat"});
  }
}

TEST(SafeSave, NoPathFolderAndReadOnlyFolderFail) {
  test::TempDir dir;
  Project p;
  ASSERT_TRUE(ReadInputFile(test::Data("bridge_english.dat"), p, {}));
  std::vector<std::string> messages;
  auto collect = [&](const std::string& m) { messages.push_back(m); };
  EXPECT_FALSE(WriteInputFile("", p, collect).ok);
  EXPECT_EQ(messages, std::vector<std::string>{"No file specified for output."});

  const std::string target = dir.File("keep.dat", "previous contents\r\n");
  test::fs::create_directories(dir.path() / "folder.dat");
  EXPECT_FALSE(WriteInputFile((dir.path() / "folder.dat").string(), p, collect).ok);
  if (::geteuid() != 0) {  // root writes into read-only folders anyway
    test::fs::permissions(dir.path(), test::fs::perms::owner_read | test::fs::perms::owner_exec);
    EXPECT_FALSE(WriteInputFile(target, p, collect).ok);
    test::fs::permissions(dir.path(), test::fs::perms::owner_all);
  }
  EXPECT_EQ(Slurp(target), "previous contents\r\n");
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"folder.dat", "keep.dat"}));
  EXPECT_EQ(messages.size(), 1u);
}

}  // namespace
}  // namespace kv
