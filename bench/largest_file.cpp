// Writes the largest project the tables hold (119 girder lines by 119 bent lines) to a
// file, for looking at it in the program:  kelvara_largest_file OUT.dat
#include <fstream>
#include <iostream>

#include "bench/largest_project.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: kelvara_largest_file OUT.dat\n";
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << kv::bench::LargestProjectFile();
  return out.good() ? 0 : 2;
}
