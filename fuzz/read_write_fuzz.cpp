// Any bytes: read into a fresh project, write, read and write again. Nothing may
// fail, and the cycle must settle: the third write equals the second.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "inputfile/input_file.h"

namespace {

std::string Cycle(const std::string& bytes) {
  kv::Project p;
  kv::ReadInputText(bytes, p, [](const std::string&) {});
  std::string out;
  for (const std::string& l : kv::WriteProjectLines(p).lines) out += l + "\r\n";
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string first = Cycle(std::string(reinterpret_cast<const char*>(data), size));
  const std::string second = Cycle(first);
  const std::string third = Cycle(second);
  if (second != third) std::abort();
  return 0;
}
