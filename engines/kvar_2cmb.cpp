// First camber stage stand-in: listing + girder selection -> .cmb beside the listing,
// carrying the dead-load rows of the selected girder lines (matched by the girder
// line's dead-load character) from the listing's input echo.
#include "stand_in.h"

int main(int argc, char** argv) {
  using namespace kv::standin;
  if (argc != 3) return Usage("Kvar2Cmb", "listing.lis girders");
  const std::vector<std::string> records = EchoedRecords(ReadLines(argv[1]));
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
  return 0;
}
