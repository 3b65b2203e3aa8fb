// Saves the bytes of SOURCE to TARGET through SafeSave and says what happened, with
// the fault shim (when preloaded) armed for the save alone:
//   calls: open write fsync ...
//   ok Replaced | failed REASON previous|unconfirmed|unknown
#include <dlfcn.h>

#include <fstream>
#include <iostream>
#include <sstream>

#include "inputfile/safe_save.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::ostringstream bytes;
  bytes << std::ifstream(argv[2], std::ios::binary).rdbuf();
  auto arm = reinterpret_cast<void (*)(int)>(::dlsym(RTLD_DEFAULT, "kv_fault_arm"));
  auto calls = reinterpret_cast<const char* (*)()>(::dlsym(RTLD_DEFAULT, "kv_fault_calls"));
  if (arm) arm(1);
  const kv::SaveResult r = kv::SafeSave(argv[1], bytes.str());
  if (arm) arm(0);
  std::cout << "calls: " << (calls ? calls() : "") << "\n";
  static const char* const kMethods[] = {"Replaced", "InPlace", "Direct"};
  if (r.ok) std::cout << "ok " << kMethods[int(r.method)] << "\n";
  static const char* const kLeft[] = {"previous", "unconfirmed", "unknown"};
  if (!r.ok) std::cout << "failed " << r.error << " " << kLeft[int(r.left)] << "\n";
  return 0;
}
