#include "inputfile/safe_save.h"

#include <cerrno>
#include <cstring>
#include <random>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>
#else
#include <filesystem>
#include <fstream>
#endif

namespace kv {
namespace {

SaveResult Failed(int err, SaveLeft left = SaveLeft::Previous) {
  SaveResult r;
  r.error = std::strerror(err);
  r.left = left;
  return r;
}

SaveResult Done(SaveMethod how) {
  SaveResult r;
  r.ok = true;
  r.method = how;
  return r;
}

// A hidden name beside the target, unique enough that leftovers of another program
// never block a save.
std::string TempName(const std::string& base) {
  thread_local std::mt19937_64 gen{std::random_device{}()};
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string tail = ".kvsave-";
  for (int i = 0; i < 8; ++i) tail += kChars[gen() % 62];
  std::string name = "." + base + tail;
  return name.size() <= 255 ? name : tail;  // a 255-byte name leaves no room for a suffix
}

}  // namespace

#if defined(__unix__) || defined(__APPLE__)

namespace {

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Reset(); }
  Fd(Fd&& o) noexcept : fd_(std::exchange(o.fd_, -1)) {}
  Fd& operator=(Fd&& o) noexcept {
    if (this != &o) Reset(), fd_ = std::exchange(o.fd_, -1);
    return *this;
  }
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  void Reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

int Open(const std::string& path, int flags, mode_t mode = 0) {
  int fd;
  do fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

// 0, or the errno of the write that failed. at < 0 writes at the current offset.
int WriteAll(int fd, std::string_view bytes, off_t at) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = at < 0 ? ::write(fd, bytes.data() + done, bytes.size() - done)
                             : ::pwrite(fd, bytes.data() + done, bytes.size() - done, at + off_t(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    done += std::size_t(n);
  }
  return 0;
}

std::string Folder(const std::string& p) {
  const auto slash = p.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : p.substr(0, slash);
}

std::string BaseName(const std::string& p) { return p.substr(p.rfind('/') + 1); }

// The name the data lives under: symbolic links followed. A dangling link gives the
// name it points to, where a direct write would create the file.
int ResolveLinks(std::string path, std::string& real) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    const bool found = ::lstat(path.c_str(), &st) == 0;
    if (!found && errno != ENOENT) return errno;
    if (!found || !S_ISLNK(st.st_mode)) {
      real = path;
      return 0;
    }
    std::string target(4096, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0) return errno;
    if (std::size_t(n) == target.size()) return ENAMETOOLONG;
    target.resize(std::size_t(n));
    path = target.front() == '/' ? target : Folder(path) + "/" + target;
  }
  return ELOOP;
}

// Devices, FIFOs and the like are written as they are. Opening without blocking: a
// FIFO that nobody reads fails at once instead of freezing the program.
SaveResult WriteDirect(const std::string& path, std::string_view bytes) {
  const int fd = Open(path, O_WRONLY | O_NOCTTY | O_NONBLOCK);
  if (fd < 0 && errno == ENXIO) {
    SaveResult r;
    r.error = kNoFifoReader;
    return r;
  }
  if (fd < 0) return Failed(errno);
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  int err = WriteAll(fd, bytes, -1);
  if (::close(fd) != 0 && err == 0) err = errno;
  return err == 0 ? Done(SaveMethod::Direct) : Failed(err, SaveLeft::Unknown);
}

// Over the file itself. The room is claimed first, so a full disk fails before a byte
// changes; a failed write puts the old bytes back when they could be read.
SaveResult WriteInPlace(int fd, const struct stat& st, bool readable, std::string_view bytes) {
  std::string old;
  if (readable) {
    old.resize(std::size_t(st.st_size));
    std::size_t got = 0;
    while (got < old.size()) {
      const ssize_t n = ::pread(fd, old.data() + got, old.size() - got, off_t(got));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += std::size_t(n);
    }
    readable = got == old.size();
  }
#if defined(__linux__)
  // Reserved without growing the file, so a save killed here leaves it as it was.
  if (off_t(bytes.size()) > st.st_size &&
      ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(bytes.size())) != 0 &&
      (errno == ENOSPC || errno == EDQUOT || errno == EFBIG || errno == EIO))
    return Failed(errno);
#endif
  int err = WriteAll(fd, bytes, 0);
  if (err == 0 && ::ftruncate(fd, off_t(bytes.size())) != 0) err = errno;
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (err == 0) return Done(SaveMethod::InPlace);
  const bool restored = readable && WriteAll(fd, old, 0) == 0 &&
                        ::ftruncate(fd, off_t(old.size())) == 0 && ::fsync(fd) == 0;
  return Failed(err, restored ? SaveLeft::Previous : SaveLeft::Unknown);
}

bool ProcFdUsable() {
  static const bool usable = ::access("/proc/self/fd", X_OK) == 0;
  return usable;
}

// The temporary file: unnamed where the system has them, so that a save killed
// before it is complete leaves nothing; otherwise a new name beside the target.
struct Temp {
  Fd fd;
  std::string name;  // empty while unnamed
  int err = 0;
};

Temp MakeTemp(const std::string& dir, const std::string& base) {
  Temp t;
#if defined(O_TMPFILE)
  if (ProcFdUsable()) {
    t.fd = Fd(Open(dir, O_TMPFILE | O_WRONLY, 0666));
    if (t.fd) return t;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
      t.err = errno;
      return t;
    }
  }
#endif
  for (int attempt = 0; attempt < 100; ++attempt) {
    t.name = TempName(base);
    t.fd = Fd(Open(dir + "/" + t.name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666));
    if (t.fd) return t;
    if (errno != EEXIST) break;
  }
  t.err = errno;
  t.name.clear();
  return t;
}

// Where no new file can stand beside the target, or replacing it would lose its
// owner, the target itself can still be written.
bool WriteInPlaceInstead(int err) {
  return err == EACCES || err == EPERM || err == EROFS || err == ENAMETOOLONG || err == EEXIST;
}

}  // namespace

SaveResult SafeSave(const std::string& path, std::string_view bytes) {
  if (path.empty()) return Failed(ENOENT);
  struct stat st{};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) return Failed(errno);
  if (exists && S_ISDIR(st.st_mode)) return Failed(EISDIR);
  if (exists && !S_ISREG(st.st_mode)) return WriteDirect(path, bytes);

  std::string real;
  if (int err = ResolveLinks(path, real)) return Failed(err);
  Fd target;
  bool readable = false, inPlace = false;
  if (exists) {
    // A link the system makes up (/proc/self/fd/N) may point at no name on disk: such
    // a file is written through the link as given.
    struct stat named{};
    if (::lstat(real.c_str(), &named) != 0 || named.st_dev != st.st_dev || named.st_ino != st.st_ino)
      real = path, inPlace = true;
    // Asked the way a direct write asks: modes, ACLs and read-only mounts all answer.
    target = Fd(Open(real, O_RDWR | O_NOCTTY | O_NONBLOCK));
    readable = bool(target);
    if (!target && errno == EACCES) target = Fd(Open(real, O_WRONLY | O_NOCTTY | O_NONBLOCK));
    if (!target) return Failed(errno);
    if (::fstat(target.get(), &st) != 0) return Failed(errno);
    if (!S_ISREG(st.st_mode)) return WriteDirect(path, bytes);
    // Other names of the file would keep the old bytes after a rename.
    if (st.st_nlink > 1) inPlace = true;
  }
  if (inPlace) return WriteInPlace(target.get(), st, readable, bytes);

  const std::string dir = Folder(real), base = BaseName(real);
  Temp temp = MakeTemp(dir, base);
  if (!temp.fd) {
    if (exists && WriteInPlaceInstead(temp.err)) return WriteInPlace(target.get(), st, readable, bytes);
    return Failed(temp.err);
  }
  auto discard = [&] {
    if (!temp.name.empty()) ::unlink((dir + "/" + temp.name).c_str());
    temp.fd.Reset();
  };
  int err = WriteAll(temp.fd.get(), bytes, -1);
  if (err == 0 && exists) {
    struct stat made{};
    if (::fstat(temp.fd.get(), &made) != 0) {
      err = errno;
    } else if ((made.st_uid != st.st_uid || made.st_gid != st.st_gid) &&
               ::fchown(temp.fd.get(), st.st_uid, st.st_gid) != 0) {
      if (errno != EPERM) {
        err = errno;
      } else {
        discard();  // only the file itself keeps an owner we may not give
        return WriteInPlace(target.get(), st, readable, bytes);
      }
    }
    if (err == 0 && ::fchmod(temp.fd.get(), st.st_mode & 07777) != 0) err = errno;
  }
  if (err == 0 && ::fsync(temp.fd.get()) != 0) err = errno;
  if (err != 0) {
    discard();
    return Failed(err);
  }

  bool named = !temp.name.empty();
#if defined(O_TMPFILE)
  if (!named) {
    const std::string self = "/proc/self/fd/" + std::to_string(temp.fd.get());
    auto link = [&](const std::string& to) {
      return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0;
    };
    // A new file takes its name at once; an existing one is replaced by rename.
    if (exists || !link(real)) {
      if (!exists && errno != EEXIST) return Failed(errno);
      for (int attempt = 0; attempt < 100 && temp.name.empty(); ++attempt) {
        const std::string name = TempName(base);
        if (link(dir + "/" + name)) temp.name = name;
        else if (errno != EEXIST) return Failed(errno);
      }
      if (temp.name.empty()) return Failed(EEXIST);
      named = true;
    }
  }
#endif
  if (named && ::rename((dir + "/" + temp.name).c_str(), real.c_str()) != 0) {
    err = errno;
    discard();
    if (exists && (err == EPERM || err == EACCES)) return WriteInPlace(target.get(), st, readable, bytes);
    return Failed(err);
  }
  temp.fd.Reset();
  // The new name is only safe on disk once the folder is; past the rename the old
  // file is gone, so a failure here can only be told.
  Fd folder(Open(dir, O_RDONLY | O_DIRECTORY));
  if (folder && ::fsync(folder.get()) != 0 && errno != EINVAL && errno != EROFS)
    return Failed(errno, SaveLeft::Unconfirmed);
  return Done(SaveMethod::Replaced);
}

#else  // no POSIX calls: a temporary beside the target, then a rename

SaveResult SafeSave(const std::string& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (path.empty()) return Failed(ENOENT);
  if (fs::is_directory(path, ec)) return Failed(EISDIR);
  const fs::path target(path);
  const fs::path temp = target.parent_path() / TempName(target.filename().string());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), std::streamsize(bytes.size())).flush()) {
      out.close();
      fs::remove(temp, ec);
      return Failed(EIO);
    }
  }
  fs::rename(temp, target, ec);
  if (ec) {
    SaveResult r;
    r.error = ec.message();
    fs::remove(temp, ec);
    return r;
  }
  return Done(SaveMethod::Replaced);
}

#endif

}  // namespace kv
