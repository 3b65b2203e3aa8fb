// Any bytes: read into a fresh project, write, read and write again. Nothing may
// fail, and the cycle must settle: the third write equals the second. A field read
// from one file can be too wide for its columns on writing (a 7-digit radius gains
// its two decimals); such a line is written longer, as the engine's writer does, and
// the next read sees its later fields shifted. Settling is asked of the cycle whose
// first two writes put every field in its columns. A description value that holds
// ";" or one of the description keywords cannot come back as it was written: the
// reader takes the keyword inside the value as a keyword of its own, so such a value
// changes on every cycle by the line's own rules and is not asked to settle. The geometry
// of every project read must come out too, whatever the numbers.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "geometry/project_geometry.h"
#include "inputfile/input_file.h"

namespace {

bool CarriesKeyword(std::string value) {
  std::transform(value.begin(), value.end(), value.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  for (const char* k : {";", "units:", "project:", "designer:", "detailer:", "subaccount:",
                        "location:"})
    if (value.find(k) != std::string::npos) return true;
  return false;
}

std::string Cycle(const std::string& bytes, bool* fits = nullptr) {
  kv::Project p;
  kv::ReadInputText(bytes, p, [](const std::string&) {});
  const kv::geom::ProjectGeometry geometry(p);
  if (geometry.girders().size() > p.GirderLine.rows.size()) std::abort();
  const kv::LineSink written = kv::WriteProjectLines(p);
  const kv::DescriptionData& d = p.Description;
  bool settles = written.overflows.empty();
  for (const std::string* v : {&d.ProjNum, &d.SubAcc, &d.Designer, &d.Detailer, &d.Location})
    if (CarriesKeyword(*v)) settles = false;
  if (fits) *fits = settles;
  std::string out;
  for (const std::string& l : written.lines) out += l + "\r\n";
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bool firstFits = false, secondFits = false;
  const std::string first =
      Cycle(std::string(reinterpret_cast<const char*>(data), size), &firstFits);
  const std::string second = Cycle(first, &secondFits);
  const std::string third = Cycle(second);
  if (firstFits && secondFits && second != third) std::abort();
  return 0;
}
