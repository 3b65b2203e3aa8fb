// Stick figure stand-in: listing + output code -> a schematic of the listing's girder
// ("05") and bent ("06") records, one line each: DXF for code 8, a plain list otherwise.
#include <cstdlib>

#include "stand_in.h"

int main(int argc, char** argv) {
  if (argc != 3) return kv::standin::Usage("KvarStFi", "listing.lis code");
  const int code = std::atoi(argv[2]);
  if (code != 4 && code != 8 && code != 16) return 2;
  std::vector<std::string> lines;
  for (const std::string& r : kv::standin::EchoedRecords(kv::standin::ReadLines(argv[1])))
    if (r.rfind("05", 0) == 0 || r.rfind("06", 0) == 0) lines.push_back(r);
  // Girder lines run along x, bent lines across; one unit apart, in record order.
  const bool dxf = code == 8;
  kv::standin::Writer out(kv::standin::WithExtension(argv[1], dxf ? ".dxf" : ".stk"));
  if (!out.ok()) return 1;
  if (dxf) out << "0" << "SECTION" << "2" << "ENTITIES";
  else out << "STAND-IN STICK FIGURE, code " + std::to_string(code) + ": x1 y1 x2 y2 record";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const bool girder = lines[i][1] == '5';
    const double k = double(i), x1 = girder ? 0 : k, y1 = girder ? k : 0,
                 x2 = girder ? 100 : k, y2 = girder ? k : 100;
    if (dxf) {
      out << "0" << "LINE" << "8" << (girder ? "GIRDERS" : "BENTS");
      const double v[] = {x1, y1, x2, y2};
      const char* g[] = {"10", "20", "11", "21"};
      for (int j = 0; j < 4; ++j) out << g[j] << std::to_string(v[j]);
    } else {
      out << std::to_string(x1) + " " + std::to_string(y1) + " " + std::to_string(x2) + " " +
                 std::to_string(y2) + " " + lines[i];
    }
  }
  if (dxf) out << "0" << "ENDSEC" << "0" << "EOF";
  return 0;
}
