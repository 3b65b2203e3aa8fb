// English engine stand-in: input file -> listing.
#include "stand_in.h"

int main(int argc, char** argv) {
  if (argc != 3) return kv::standin::Usage("KvarEngl", "input.dat listing.lis");
  return kv::standin::WriteListing(argv[1], argv[2], kv::standin::ReadLines(argv[1]), "English");
}
