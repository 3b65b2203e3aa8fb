// First camber stage stand-in: listing + girder selection -> .cmb beside the listing,
// carrying the dead-load rows of the listing's input echo.
#include "stand_in.h"

int main(int argc, char** argv) {
  if (argc != 3) return kv::standin::Usage("Kvar2Cmb", "listing.lis girders");
  const auto records = kv::standin::EchoedRecords(kv::standin::ReadLines(argv[1]));
  kv::standin::Writer out(kv::standin::WithExtension(argv[1], ".cmb"));
  if (!out.ok()) return 1;
  out << std::string("Girders: ") + argv[2];
  for (const std::string& r : records)
    if (r.rfind("07", 0) == 0) out << r;
  return 0;
}
