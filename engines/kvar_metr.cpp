// Metric engine stand-in: intermediate file -> listing.
#include "stand_in.h"

int main(int argc, char** argv) {
  if (argc != 3) return kv::standin::Usage("KvarMetr", "intermediate.bip listing.lis");
  std::vector<std::string> lines = kv::standin::ReadLines(argv[1]);
  if (lines.empty() || lines[0].rfind("KVBIP ", 0) != 0) return 1;
  const std::string input = lines[0].substr(6);
  lines.erase(lines.begin());
  return kv::standin::WriteListing(input, argv[2], lines, "metric");
}
