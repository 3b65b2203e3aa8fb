// kelvara dump: the project read from a file, as JSON.
#include "cli/commands.h"
#include "cli/dump.h"

namespace kv {
namespace {

int Dump(const std::vector<std::string>& args, CliStreams& io) {
  Arguments a;
  if (!ParseArguments(kDumpCommand, args, {}, a, io.err)) return kExitTrouble;
  if (a.operands.size() != 1) return UsageError(kDumpCommand, "name exactly one input file", io.err);
  Project p;
  ReadReport report;
  std::vector<std::string> warnings;
  if (!ReadOperand(a.operands[0], io, p, report, [&](const std::string& w) { warnings.push_back(w); }))
    return kExitTrouble;
  io.out << DumpProject(p, warnings).dump(2) << "\n";
  return kExitClean;
}

}  // namespace

const Command kDumpCommand = {
    "dump", "dump FILE",
    "                     print the project read from FILE as JSON, with its\n"
    "                     reading warnings in order\n",
    "Prints what the editor windows would show after File Open of FILE, as one JSON\n"
    "object keyed by window name, with the family warnings under \"warnings\" in the\n"
    "order they were raised. A FILE of - is standard input.\n"
    "Exit status: 0, or 2 when FILE cannot be read.\n",
    Dump};

}  // namespace kv
