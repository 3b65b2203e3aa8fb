// Writes the largest project the tables hold (119 girder lines by 119 bent lines) to a
// file, for looking at it in the program; with --tables, the sample with every grid
// full, as the reading, writing and window benchmarks hold it.
//   kelvara_largest_file [--tables] OUT.dat
#include <fstream>
#include <iostream>
#include <string_view>

#include "bench/largest_project.h"

int main(int argc, char** argv) {
  const bool tables = argc == 3 && std::string_view(argv[1]) == "--tables";
  if (argc != 2 && !tables) {
    std::cerr << "usage: kelvara_largest_file [--tables] OUT.dat\n";
    return 2;
  }
  std::ofstream out(argv[argc - 1], std::ios::binary);
  out << (tables ? kv::bench::FullTablesFile() : kv::bench::LargestProjectFile());
  return out.good() ? 0 : 2;
}
