#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <streambuf>

#include "cli/commands.h"
#include "inputfile/process_heap.h"

namespace {

// Standard output that remembers why a write failed (a full disk, a pipe nobody reads).
class StdoutBuffer : public std::streambuf {
 public:
  StdoutBuffer() { setp(buffer_, buffer_ + sizeof buffer_); }
  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override {
    if (sync() != 0) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
  }
  int sync() override {
    for (const char* p = pbase(); p < pptr();) {
      const ssize_t n = ::write(1, p, std::size_t(pptr() - p));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        if (error_ == 0) error_ = n < 0 ? errno : EIO;
        setp(buffer_, buffer_ + sizeof buffer_);
        return -1;
      }
      p += n;
    }
    setp(buffer_, buffer_ + sizeof buffer_);
    return 0;
  }

 private:
  char buffer_[65536];
  int error_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  kv::KeepFreedHeap();
  std::vector<std::string> args(argv + 1, argv + argc);
  StdoutBuffer buffer;
  std::ostream out(&buffer);
  int status = kv::RunKelvara(args, std::cin, out, std::cerr);
  out.flush();
  if (buffer.error() != 0) {
    std::cerr << "kelvara: write error: " << std::strerror(buffer.error()) << "\n";
    if (status != kv::kExitTrouble) status = kv::kExitTrouble;
  }
  return status;
}
