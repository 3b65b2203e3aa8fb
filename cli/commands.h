// The kelvara command-line tool, callable from tests without a process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kv {

// Runs `kelvara args...`; returns the exit status.
int RunKelvara(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

struct Project;
// Reads a file as File Open does in a freshly started program; false (and a line on
// err) when it cannot be read.
bool ReadFresh(const std::string& path, Project& p, std::vector<std::string>& warnings, std::ostream& err);

}  // namespace kv
