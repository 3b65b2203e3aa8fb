#include <algorithm>

#include "tests/test_support.h"

namespace kv {
namespace {

using test::Slurp;

test::Strings Names(const test::fs::path& dir) {
  test::Strings n;
  for (auto& e : test::fs::directory_iterator(dir)) n.push_back(e.path().filename().string());
  std::sort(n.begin(), n.end());
  return n;
}

// A save that fails at any step leaves the previous file byte for byte, leaves no
// temporary beside it, and the next save without the fault goes through. Saves to
// no path, to a folder and into a read-only folder fail the same way.
TEST(SafeSave, FailedSavesKeepThePreviousFile) {
  Project p;
  ASSERT_TRUE(ReadInputFile(test::Data("bridge_english.dat"), p, {}));
  const std::string previous("previous\r\n\0bytes\xff\r\n", 18);
  for (SaveStep failAt : {SaveStep::WriteTemp, SaveStep::ReplaceTarget}) {
    for (bool targetExists : {true, false}) {
      const char* errorStart = failAt == SaveStep::WriteTemp ? "cannot write " : "cannot replace ";
      SCOPED_TRACE(errorStart + std::string(targetExists ? "over an old file" : "a new file"));
      test::TempDir dir;
      const std::string target = targetExists ? dir.File("bridge.dat", previous) : dir.File("bridge.dat");
      std::vector<SaveStep> asked;
      SetSaveFaultHook([&](SaveStep s) { return asked.push_back(s), s == failAt; });
      test::Strings messages;
      WriteResult r = WriteInputFile(target, p, [&](const std::string& m) { messages.push_back(m); });
      SetSaveFaultHook({});
      EXPECT_FALSE(r.ok);
      EXPECT_EQ(r.error.rfind(errorStart, 0), 0u) << r.error;
      EXPECT_TRUE(messages.empty());
      EXPECT_EQ(asked.back(), failAt);
      if (targetExists) EXPECT_EQ(Slurp(target), previous);
      EXPECT_EQ(Names(dir.path()), targetExists ? test::Strings{"bridge.dat"} : test::Strings{});
      ASSERT_TRUE(WriteInputFile(target, p, {}).ok);
      EXPECT_EQ(Slurp(target), test::Bytes(p));
      EXPECT_EQ(Names(dir.path()), test::Strings{"bridge.dat"});
    }
  }
  test::TempDir dir;
  test::Strings messages;
  auto collect = [&](const std::string& m) { messages.push_back(m); };
  EXPECT_FALSE(WriteInputFile("", p, collect).ok);
  EXPECT_EQ(messages, test::Strings{"No file specified for output."});
  const std::string target = dir.File("keep.dat", "previous contents\r\n");
  test::fs::create_directories(dir.path() / "folder.dat");
  EXPECT_FALSE(WriteInputFile((dir.path() / "folder.dat").string(), p, collect).ok);
  if (::geteuid() != 0) {  // root writes into read-only folders anyway
    test::fs::permissions(dir.path(), test::fs::perms::owner_read | test::fs::perms::owner_exec);
    EXPECT_FALSE(WriteInputFile(target, p, collect).ok);
    test::fs::permissions(dir.path(), test::fs::perms::owner_all);
  }
  EXPECT_EQ(Slurp(target), "previous contents\r\n");
  EXPECT_EQ(Names(dir.path()), (test::Strings{"folder.dat", "keep.dat"}));
  EXPECT_EQ(messages.size(), 1u);
}

}  // namespace
}  // namespace kv
