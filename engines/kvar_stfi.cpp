// Stick figure stand-in: listing + output code -> a schematic plan of the structure:
// girder lines along the bridge at their initial offsets, bent lines across it at their
// distances, each with its description. DXF for code 8, a plain list otherwise.
#include <algorithm>
#include <cstdlib>

#include "stand_in.h"

namespace {

struct Stick {
  double x1, y1, x2, y2;
  const char* layer;
  std::string label;
};

}  // namespace

int main(int argc, char** argv) {
  using namespace kv::standin;
  if (argc != 3) return Usage("KvarStFi", "listing.lis code");
  const int code = std::atoi(argv[2]);
  if (code != 4 && code != 8 && code != 16) return 2;
  const kv::Project p = ReadRecords(EchoedRecords(ReadLines(argv[1])), nullptr);
  const auto girders = UsedGirders(p);
  const auto bents = UsedBents(p);
  double xlo = 0, xhi = 100, ylo = 0, yhi = 10;
  if (!bents.empty()) {
    xlo = xhi = Number(bents.front()->Text1);
    for (const auto* b : bents) xlo = std::min(xlo, Number(b->Text1)), xhi = std::max(xhi, Number(b->Text1));
  }
  if (!girders.empty()) {
    ylo = yhi = Number(girders.front()->Text1);
    for (const auto* g : girders) ylo = std::min(ylo, Number(g->Text1)), yhi = std::max(yhi, Number(g->Text1));
  }
  std::vector<Stick> sticks;
  for (const auto* g : girders) {
    const double y = Number(g->Text1);
    sticks.push_back({xlo, y, xhi, y, "GIRDERS", g->Text4});
  }
  for (const auto* b : bents) {
    const double x = Number(b->Text1);
    sticks.push_back({x, ylo, x, yhi, "BENTS", b->Text4});
  }
  const bool dxf = code == 8;
  Writer out(WithExtension(argv[1], dxf ? ".dxf" : ".stk"));
  if (!out.ok()) return 1;
  auto num = [](double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%.4f", v);
    return std::string(b);
  };
  if (dxf) {
    out << "0" << "SECTION" << "2" << "ENTITIES";
    for (const Stick& s : sticks) {
      out << "0" << "LINE" << "8" << s.layer << "10" << num(s.x1) << "20" << num(s.y1) << "30"
          << "0.0" << "11" << num(s.x2) << "21" << num(s.y2) << "31" << "0.0";
      out << "0" << "TEXT" << "8" << s.layer << "10" << num(s.x1) << "20" << num(s.y1) << "30"
          << "0.0" << "40" << "1.0" << "1" << s.label;
    }
    out << "0" << "ENDSEC" << "0" << "EOF";
  } else {
    out << "STAND-IN STICK FIGURE, code " + std::to_string(code) + ": layer x1 y1 x2 y2 description";
    for (const Stick& s : sticks)
      out << std::string(s.layer) + " " + num(s.x1) + " " + num(s.y1) + " " + num(s.x2) + " " +
                 num(s.y2) + " " + s.label;
  }
  return 0;
}
