// The safe save under real faults: every call that changes a file failed or killed
// in turn (a preloaded shim), a second user's permissions, links, modes, owners,
// devices and FIFOs, and a full disk.
#include "inputfile/safe_save.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>

#include "tests/test_support.h"

namespace kv {
namespace {

namespace fs = test::fs;
using test::Slurp;

const std::string kOld = "old bytes\r\n";
const std::string kNew(3000, 'n');  // longer than kOld: a save in place must claim room

// What the folder holds, by name.
test::Strings Names(const fs::path& dir) {
  test::Strings names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

struct stat Stat(const std::string& path) {
  struct stat st{};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st;
}

#if defined(KV_SAVE_PROBE)

struct ProbeRun {
  std::string calls, result;
  bool killed = false;
};

ProbeRun Probe(const std::string& target, const std::string& source, int faultAt, const std::string& fault) {
  const std::string cmd = "ASAN_OPTIONS=verify_asan_link_order=0 exec env LD_PRELOAD=" KV_FAULT_SHIM " KV_FAULT_AT=" +
                          std::to_string(faultAt) + " KV_FAULT=" + fault + " " KV_SAVE_PROBE " '" + target + "' '" +
                          source + "'";
  std::FILE* p = ::popen(cmd.c_str(), "r");
  std::string out;
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
  const int status = ::pclose(p);
  ProbeRun r;
  r.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  std::istringstream lines(out);
  std::getline(lines, r.calls), std::getline(lines, r.result);
  r.calls = r.calls.substr(std::min<std::size_t>(7, r.calls.size()));  // after "calls: "
  return r;
}

// Each call of a save that changes a file fails in turn with EIO and with ENOSPC, or
// the process is killed right before it. The target then holds its old bytes, and a
// failure says so, or the new ones (a failed flush of the folder, past the rename,
// says that); it keeps its mode and its other name; and nothing else is left in the
// folder, but for the one window a rename cannot close: killed between naming the
// finished temporary and the rename, the temporary (the whole new file) stays beside
// the untouched target.
TEST(SafeSave, EveryCallFailedOrKilledInTurn) {
  // With the calls of a save without a fault: the data is flushed before it takes the
  // name, the folder after; in place, the room is claimed before a byte changes.
  const struct { const char* name; bool exists, hardLink; const char* calls; } scenes[] = {
      {"new file", false, false, "open write fsync linkat close open fsync close"},
      {"replacing a 0640 file", true, false, "open open write fchmod fsync linkat rename close open fsync close close"},
      {"hard-linked, in place", true, true, "open fallocate pwrite ftruncate fsync close"}};
  const std::string source = (fs::temp_directory_path() / ("kv-source-" + std::to_string(::getpid()))).string();
  std::ofstream(source, std::ios::binary) << kNew;
  struct Remove { std::string path; ~Remove() { std::remove(path.c_str()); } } removeSource{source};
  for (const auto& scene : scenes) {
    for (const std::string fault : {"EIO", "ENOSPC", "kill"}) {
      test::Strings calls;
      for (std::size_t at = 0; at <= calls.size(); ++at) {
        const std::string call = at == 0 ? "none" : calls[at - 1];
        SCOPED_TRACE(std::string(scene.name) + ", " + fault + " at call " + std::to_string(at) + " (" + call + ")");
        test::TempDir dir;
        const std::string target = dir.File("bridge.dat", scene.exists ? kOld : "");
        if (scene.exists) ::chmod(target.c_str(), 0640);
        if (scene.hardLink) fs::create_hard_link(target, dir.path() / "other.dat");
        const ProbeRun r = Probe(target, source, int(at), fault);
        if (at == 0) {
          std::istringstream words(r.calls);
          for (std::string w; words >> w;) calls.push_back(w);
          ASSERT_EQ(r.result, scene.hardLink ? "ok InPlace" : "ok Replaced");
          ASSERT_EQ(r.calls, scene.calls);
        }
        const std::string now = fs::exists(target) ? Slurp(target) : "(none)";
        const bool old = now == (scene.exists ? kOld : "(none)");
        const bool told = r.result.ends_with(" previous") ? old : r.result.ends_with(" unconfirmed") && now == kNew;
        EXPECT_TRUE(r.killed ? old || now == kNew : r.result.starts_with("failed ") ? told : now == kNew)
            << r.result << " / file: " << now.substr(0, 20);
        if (scene.exists) { EXPECT_EQ(Stat(target).st_mode & 07777, 0640u); }
        if (scene.hardLink) { EXPECT_EQ(Slurp(dir.path() / "other.dat"), now); }
        test::Strings want = {"bridge.dat"};
        if (scene.hardLink) want.push_back("other.dat");
        if (!scene.exists && old) want.clear();
        test::Strings names = Names(dir.path());
        if (r.killed && call == "rename" && names.size() == want.size() + 1) {
          EXPECT_TRUE(names[0].starts_with(".bridge.dat.kvsave-") && Slurp(dir.path() / names[0]) == kNew);
          names.erase(names.begin());
        }
        EXPECT_EQ(names, want);
      }
    }
  }
}

#endif

TEST(SafeSave, LinksModesOwnersDevicesAndFifos) {
  test::TempDir dir;
  const fs::path d = dir.path();
  auto save = [](const fs::path& p) { return SafeSave(p.string(), kNew); };

  // A chain of relative links to a 0640 file of another owner: the links stay, the
  // file takes the bytes with its mode and owner.
  fs::create_directories(d / "sub");
  const std::string real = dir.File("sub/real.dat", kOld);
  ::chmod(real.c_str(), 0640);
  const bool root = ::geteuid() == 0;
  if (root) { ASSERT_EQ(::chown(real.c_str(), 65534, 65534), 0); }
  fs::create_symlink("sub/real.dat", d / "link2.dat");
  fs::create_symlink("link2.dat", d / "link1.dat");
  SaveResult r = save(d / "link1.dat");
  EXPECT_TRUE(r.ok && r.method == SaveMethod::Replaced) << r.error;
  EXPECT_TRUE(fs::is_symlink(d / "link1.dat") && fs::is_symlink(d / "link2.dat"));
  EXPECT_EQ(Slurp(real), kNew);
  EXPECT_EQ(Stat(real).st_mode & 07777, 0640u);
  if (root) { EXPECT_EQ(Stat(real).st_uid + Stat(real).st_gid, 2u * 65534); }

  // A dangling link makes the file it names; other names of a file see the new bytes.
  fs::create_symlink("sub/made.dat", d / "dangling.dat");
  EXPECT_TRUE(save(d / "dangling.dat").ok);
  EXPECT_TRUE(fs::is_symlink(d / "dangling.dat") && Slurp(d / "sub/made.dat") == kNew);
  dir.File("a.dat", kOld);
  fs::create_hard_link(d / "a.dat", d / "b.dat");
  r = save(d / "a.dat");
  EXPECT_TRUE(r.ok && r.method == SaveMethod::InPlace);
  EXPECT_TRUE(Slurp(d / "b.dat") == kNew && Stat((d / "b.dat").string()).st_ino == Stat((d / "a.dat").string()).st_ino);

  // A name of 255 bytes has no room for a suffix, yet replaces as any other.
  const std::string longName(251, 'x');
  dir.File(longName + ".dat", kOld);
  r = save(d / (longName + ".dat"));
  EXPECT_TRUE(r.ok && r.method == SaveMethod::Replaced && Slurp(d / (longName + ".dat")) == kNew) << r.error;

  // A folder is refused; a device and a FIFO with a reader are written and stay what
  // they are; a FIFO nobody reads fails at once instead of waiting.
  fs::create_directories(d / "folder.dat");
  r = save(d / "folder.dat");
  EXPECT_TRUE(!r.ok && r.error == "Is a directory" && r.left == SaveLeft::Previous);
  r = SafeSave("/dev/null", kNew);
  EXPECT_TRUE(r.ok && r.method == SaveMethod::Direct && fs::is_character_file("/dev/null"));
  ASSERT_EQ(::mkfifo((d / "fifo.dat").c_str(), 0600), 0);
  r = save(d / "fifo.dat");
  EXPECT_TRUE(!r.ok && r.error == kNoFifoReader) << r.error;
  std::string received;
  std::thread reader([&] { received = Slurp(d / "fifo.dat"); });
  for (int i = 0; i < 500 && !(r = save(d / "fifo.dat")).ok; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  reader.join();
  EXPECT_TRUE(r.ok && r.method == SaveMethod::Direct && received == kNew && fs::is_fifo(d / "fifo.dat"));

  EXPECT_EQ(Names(d), (test::Strings{"a.dat", "b.dat", "dangling.dat", "fifo.dat", "folder.dat", "link1.dat",
                                     "link2.dat", "sub", longName + ".dat"}));
  EXPECT_EQ(Names(d / "sub"), (test::Strings{"made.dat", "real.dat"}));
}

// Runs f in a child process as user and group 65534; its answer is the exit status.
int AsOtherUser(const std::function<int()>& f) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
    ::_exit(f());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Root writes through any mode; another user is refused a read-only file, and where
// no temporary file can stand beside the file (a read-only folder) or replacing it
// would take it from its owner (someone else's file in a sticky folder), the file is
// written in place. Each case as the answer of SafeSave in a child that dropped root.
TEST(SafeSave, PermissionsAsRootAndAsAnotherUser) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root, to save as a second user";
  test::TempDir dir;
  const fs::path d = dir.path();
  ::chmod(d.c_str(), 0755);
  auto answer = [](const std::string& path) {
    const SaveResult r = SafeSave(path, kNew);
    return r.ok ? 10 + int(r.method) : r.error == "Permission denied" && r.left == SaveLeft::Previous ? 1 : 2;
  };
  const struct { const char* name; mode_t folderMode, fileMode; uid_t folderOwner, fileOwner; int want; bool written; } cases[] = {
      {"read-only file", 0777, 0444, 65534, 65534, 1, false},
      {"read-only folder, writable file", 0555, 0644, 0, 65534, 10 + int(SaveMethod::InPlace), true},
      {"another owner's writable file in a sticky folder", 01777, 0666, 0, 0, 10 + int(SaveMethod::InPlace), true},
      {"new file in a folder not writable", 0755, 0, 0, 0, 1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path folder = d / c.name;
    fs::create_directories(folder);
    const std::string file = (folder / "x.dat").string();
    if (c.fileMode != 0) {
      std::ofstream(file, std::ios::binary) << kOld;
      ::chmod(file.c_str(), c.fileMode), ::chown(file.c_str(), c.fileOwner, c.fileOwner);
    }
    ::chmod(folder.c_str(), c.folderMode), ::chown(folder.c_str(), c.folderOwner, c.folderOwner);
    EXPECT_EQ(AsOtherUser([&] { return answer(file); }), c.want);
    EXPECT_EQ(c.fileMode == 0 ? fs::exists(file) : Slurp(file) == kNew, c.written);
    if (c.fileMode != 0) { EXPECT_EQ(Stat(file).st_mode & 07777, c.fileMode); }
    if (c.fileMode != 0) { EXPECT_EQ(Stat(file).st_uid, c.fileOwner); }
    EXPECT_EQ(Names(folder).size(), c.fileMode == 0 ? 0u : 1u);
  }
  // Root writes a read-only file, as a direct write would, and it stays read-only.
  const std::string readOnly = dir.File("ro.dat", kOld);
  ::chmod(readOnly.c_str(), 0444);
  EXPECT_TRUE(SafeSave(readOnly, kNew).ok);
  EXPECT_EQ(Slurp(readOnly), kNew);
  EXPECT_EQ(Stat(readOnly).st_mode & 07777, 0444u);
}

// A small tmpfs filled up: saving a larger file, over a hard-linked one (in place) or
// as a new one fails with "No space left on device" and leaves the folder as it was.
TEST(SafeSave, FullDiskKeepsTheOldFile) {
  test::TempDir dir;
  const fs::path mnt = dir.path() / "disk";
  fs::create_directories(mnt);
  if (::mount("kv-test", mnt.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "cannot mount a small tmpfs here (" << std::strerror(errno) << ")";
  struct Unmount { fs::path p; ~Unmount() { ::umount2(p.c_str(), MNT_DETACH); } } unmount{mnt};
  std::ofstream(mnt / "target.dat", std::ios::binary) << kOld;
  fs::create_hard_link(mnt / "target.dat", mnt / "linked.dat");
  std::ofstream(mnt / "single.dat", std::ios::binary) << kOld;
  {
    std::ofstream fill(mnt / "fill", std::ios::binary);
    const std::string block(1024, 'f');
    while (fill.write(block.data(), block.size()).flush()) {}
  }
  const std::string big(20000, 'b');
  for (const char* name : {"single.dat", "target.dat", "new.dat"}) {
    const SaveResult r = SafeSave((mnt / name).string(), big);
    EXPECT_TRUE(!r.ok && r.error == "No space left on device" && r.left == SaveLeft::Previous) << name << ": " << r.error;
  }
  EXPECT_TRUE(Slurp(mnt / "target.dat") == kOld && Slurp(mnt / "single.dat") == kOld);
  EXPECT_EQ(Names(mnt), (test::Strings{"fill", "linked.dat", "single.dat", "target.dat"}));
}

}  // namespace
}  // namespace kv
