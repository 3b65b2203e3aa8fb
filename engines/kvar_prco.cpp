// Project coordinates stand-in: writes the offsets and bearing it was given; it does not
// transform any coordinate.
#include "stand_in.h"

int main(int argc, char** argv) {
  if (argc != 10)
    return kv::standin::Usage("KvarPrCo", "listing.lis out.pcf north east N/S deg min sec E/W");
  const auto records = kv::standin::EchoedRecords(kv::standin::ReadLines(argv[1]));
  kv::standin::Writer out(argv[2]);
  if (!out.ok()) return 1;
  out << "STAND-IN PROJECT COORDINATES - values as given, nothing transformed"
      << std::string("Listing: ") + argv[1] << std::string("Northing offset: [") + argv[3] + "]"
      << std::string("Easting offset: [") + argv[4] + "]"
      << std::string("Bearing: [") + argv[5] + "] [" + argv[6] + "] [" + argv[7] + "] [" +
             argv[8] + "] [" + argv[9] + "]"
      << "Records in the listing: " + std::to_string(records.size());
  return 0;
}
