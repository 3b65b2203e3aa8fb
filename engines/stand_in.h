// Shared bits of the stand-in engine and post-processors: they read and write the files
// the window program names, so every run works end to end without the real programs.
#pragma once

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace kv::standin {

inline std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Lines end in carriage return and line feed, as the listing window expects.
class Writer {
 public:
  explicit Writer(const std::string& path) : out_(path, std::ios::binary) {}
  bool ok() const { return bool(out_); }
  Writer& operator<<(const std::string& line) {
    out_ << line << "\r\n";
    return *this;
  }

 private:
  std::ofstream out_;
};

// Same path with another extension: what follows the last period is replaced.
inline std::string WithExtension(const std::string& path, const std::string& ext) {
  const auto dot = path.find_last_of('.');
  const auto slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ext;
  return path.substr(0, dot) + ext;
}

inline int Usage(const char* name, const char* args) {
  std::fprintf(stderr, "usage: %s %s\n", name, args);
  return 2;
}

// The input echo of a listing: "  12 | <line>". Returns the record lines it carries.
inline std::vector<std::string> EchoedRecords(const std::vector<std::string>& listing) {
  std::vector<std::string> records;
  for (const std::string& l : listing) {
    const auto bar = l.find(" | ");
    if (bar != std::string::npos && bar == 5) records.push_back(l.substr(bar + 3));
  }
  return records;
}

inline std::string Numbered(std::size_t n, const std::string& line) {
  char num[16];
  std::snprintf(num, sizeof num, "%4zu", n);
  return std::string(" ") + num + " | " + line;
}

// The stand-in engine's listing: a header, the records counted by code, the input echoed.
inline int WriteListing(const std::string& input, const std::string& listing,
                        const std::vector<std::string>& lines, const char* units) {
  Writer out(listing);
  if (!out.ok()) return 1;
  out << "STAND-IN GEOMETRY ENGINE - no geometry is computed by this program"
      << std::string("Units: ") + units << "Input: " + input << "";
  int counts[9] = {};
  for (const std::string& l : lines)
    if (l.size() >= 2 && l[0] == '0' && l[1] >= '0' && l[1] <= '8') ++counts[l[1] - '0'];
  out << "Records by code:";
  for (int c = 0; c < 9; ++c)
    out << "  0" + std::to_string(c) + ": " + std::to_string(counts[c]);
  out << "" << "Input echo:";
  for (std::size_t i = 0; i < lines.size(); ++i) out << Numbered(i + 1, lines[i]);
  out << "" << "End of listing";
  return 0;
}

}  // namespace kv::standin
