// Preloaded into a saving process: once armed, counts every call that changes a file
// and makes call number KV_FAULT_AT fail as the disk would (KV_FAULT=EIO, ENOSPC, ...)
// or kills the process right before it (KV_FAULT=kill).
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool armed = false;
int count = 0;
std::string calls;

// True when this call is the one to fail (errno set); kills when asked to.
bool Fail(const char* name) {
  if (!armed) return false;
  ++count;
  calls += (calls.empty() ? "" : " ") + std::string(name);
  const char* at = std::getenv("KV_FAULT_AT");
  if (at == nullptr || std::atoi(at) != count) return false;
  const char* fault = std::getenv("KV_FAULT");
  const std::string f = fault ? fault : "EIO";
  if (f == "kill") ::kill(::getpid(), SIGKILL);
  errno = f == "ENOSPC" ? ENOSPC : f == "EACCES" ? EACCES : f == "EPERM" ? EPERM : EIO;
  return true;
}

template <class F>
F Next(const char* name) {
  return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

void kv_fault_arm(int on) { armed = on != 0; }
const char* kv_fault_calls() { return calls.c_str(); }

int open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if ((flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE) {
    va_list ap;
    va_start(ap, flags);
    mode = va_arg(ap, mode_t);
    va_end(ap);
  }
  if (Fail("open")) return -1;
  return Next<int (*)(const char*, int, ...)>("open")(path, flags, mode);
}
ssize_t write(int fd, const void* b, size_t n) {
  return Fail("write") ? -1 : Next<ssize_t (*)(int, const void*, size_t)>("write")(fd, b, n);
}
ssize_t pwrite(int fd, const void* b, size_t n, off_t at) {
  return Fail("pwrite") ? -1 : Next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite")(fd, b, n, at);
}
int fallocate(int fd, int mode, off_t at, off_t n) {
  return Fail("fallocate") ? -1 : Next<int (*)(int, int, off_t, off_t)>("fallocate")(fd, mode, at, n);
}
int ftruncate(int fd, off_t n) { return Fail("ftruncate") ? -1 : Next<int (*)(int, off_t)>("ftruncate")(fd, n); }
int fsync(int fd) { return Fail("fsync") ? -1 : Next<int (*)(int)>("fsync")(fd); }
int fchown(int fd, uid_t u, gid_t g) { return Fail("fchown") ? -1 : Next<int (*)(int, uid_t, gid_t)>("fchown")(fd, u, g); }
int fchmod(int fd, mode_t m) { return Fail("fchmod") ? -1 : Next<int (*)(int, mode_t)>("fchmod")(fd, m); }
int linkat(int d1, const char* p1, int d2, const char* p2, int flags) {
  if (Fail("linkat")) return -1;
  return Next<int (*)(int, const char*, int, const char*, int)>("linkat")(d1, p1, d2, p2, flags);
}
int rename(const char* from, const char* to) {
  return Fail("rename") ? -1 : Next<int (*)(const char*, const char*)>("rename")(from, to);
}
int unlink(const char* path) { return Fail("unlink") ? -1 : Next<int (*)(const char*)>("unlink")(path); }
int close(int fd) {
  // The descriptor is gone either way, as after a real failed close.
  const bool fail = Fail("close");
  const int r = Next<int (*)(int)>("close")(fd);
  return fail ? (errno = EIO, -1) : r;
}

}  // extern "C"
