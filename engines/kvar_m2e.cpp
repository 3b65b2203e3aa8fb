// First metric stage stand-in: input file -> intermediate file (a marker line, then the
// input as it stands).
#include "stand_in.h"

int main(int argc, char** argv) {
  if (argc != 3) return kv::standin::Usage("KvarM2e", "input.dat intermediate.bip");
  kv::standin::Writer out(argv[2]);
  if (!out.ok()) return 1;
  out << std::string("KVBIP ") + argv[1];
  for (const std::string& l : kv::standin::ReadLines(argv[1])) out << l;
  return 0;
}
