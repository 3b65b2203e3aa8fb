// The kelvara command-line tool, callable from tests without a process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kv {

// Runs `kelvara args...`; returns the exit status.
int RunKelvara(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kv
