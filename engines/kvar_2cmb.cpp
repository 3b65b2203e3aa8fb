// First camber stage stand-in: listing + girder selection -> .cmb beside the listing,
// carrying the dead-load rows of the selected girder lines (matched by the girder
// line's dead-load character) from the listing's input echo, then each selected girder
// line's station and elevation at every bent line from the listing's geometry.
#include <algorithm>

#include "stand_in.h"

int main(int argc, char** argv) {
  using namespace kv::standin;
  if (argc != 3) return Usage("Kvar2Cmb", "listing.lis girders");
  const std::vector<std::string> listing = ReadLines(argv[1]);
  const std::vector<std::string> records = EchoedRecords(listing);
  const kv::Project p = ReadRecords(records, nullptr);
  const std::set<int> chosen = GirderSelection(argv[2]);
  const auto girders = UsedGirders(p);
  std::set<std::string> codes;
  for (int g : chosen)
    if (g <= int(girders.size()) && !girders[g - 1]->Text16.empty()) codes.insert(girders[g - 1]->Text16);
  Writer out(WithExtension(argv[1], ".cmb"));
  if (!out.ok()) return 1;
  out << std::string("Girders: ") + argv[2];
  for (int g : chosen)
    if (g <= int(girders.size()))
      out << "Girder " + std::to_string(g) + ": " + girders[g - 1]->Text4 + " (dead load " +
                 girders[g - 1]->Text16 + ")";
  for (const std::string& r : records)
    if (r.rfind("07", 0) == 0 && r.size() > 2 && codes.count(std::string(1, r[2]))) out << r;
  // The girder points table names girder lines by grid row; the selection counts written lines.
  std::set<int> rows;
  for (int g : chosen)
    if (g <= int(girders.size())) rows.insert(int(girders[g - 1] - p.GirderLine.rows.data()) + 1);
  auto table = std::find(listing.begin(), listing.end(), kGirderPointsHeading);
  if (table != listing.end() && ++table != listing.end())
    for (auto it = table + 1; it != listing.end() && !it->empty(); ++it) {
      ListedPoint pt;
      if (ReadListedPoint(*it, pt) && rows.count(pt.girder))
        out << Fixed("Girder row %3d, bent row %3d: station %s, elevation %s", pt.girder, pt.bent, pt.station.c_str(),
                     pt.elevation.c_str());
    }
  return 0;
}
