// The kelvara command-line tool, callable from tests without a process. Each command
// lives in a file of its own and has one entry in the table in commands.cpp.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "inputfile/input_file.h"

namespace kv {

struct CliStreams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

struct Command {
  const char* name;
  const char* synopsis;  // after "kelvara ": "check [--json] FILE|FOLDER..."
  const char* summary;   // its lines in the usage text, each indented by the table
  const char* help;      // `kelvara NAME --help`, after the synopsis line
  // Runs with the arguments after the command's name; `--help` is answered before.
  int (*run)(const std::vector<std::string>& args, CliStreams& io);
};

extern const Command kCheckCommand;
extern const Command kDumpCommand;
extern const Command kNormalizeCommand;
extern const Command kGeometryCommand;
extern const Command kPlanCommand;

// Runs `kelvara args...`; returns the exit status.
int RunKelvara(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err);

// --- shared by the commands ---

// Exit statuses: clean, something found, trouble (a file not read or written, bad arguments).
inline constexpr int kExitClean = 0, kExitFound = 1, kExitTrouble = 2;

// The options and operands of args: anything starting with "-" before "--" is an option,
// except "-" itself, which names standard input or output. Tells err and returns false
// on an option not in `known`.
struct Arguments {
  std::vector<std::string> options;
  std::vector<std::string> operands;
  bool Has(const std::string& option) const;
};
bool ParseArguments(const Command& cmd, const std::vector<std::string>& args,
                    const std::vector<std::string>& known, Arguments& parsed, std::ostream& err);

// "kelvara: CMD: text" and the hint at the command's help, for wrong arguments.
int UsageError(const Command& cmd, const std::string& text, std::ostream& err);

// Reads the input file `name` ("-": standard input) into p as File Open does in a
// freshly started program; FIFOs and devices are taken as streams. On failure tells
// err "kelvara: NAME: REASON" and returns false.
bool ReadOperand(const std::string& name, CliStreams& io, Project& p, ReadReport& report,
                 const WarningSink& warn = {});

}  // namespace kv
