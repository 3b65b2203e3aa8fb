// Second camber stage stand-in: .cmb -> camber output.
#include "stand_in.h"

int main(int argc, char** argv) {
  if (argc != 3) return kv::standin::Usage("KvarCamb", "camber.cmb output.out");
  const auto lines = kv::standin::ReadLines(argv[1]);
  if (lines.empty()) return 1;
  kv::standin::Writer out(argv[2]);
  if (!out.ok()) return 1;
  out << "STAND-IN CAMBER OUTPUT - dead-load rows carried through, no camber computed"
      << lines[0] << "";
  for (std::size_t i = 1; i < lines.size(); ++i) out << kv::standin::Numbered(i, lines[i]);
  return 0;
}
