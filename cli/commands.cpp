#include "cli/commands.h"

#include <algorithm>
#include <array>

#include "kv_version.h"

namespace kv {
namespace {

// Every command, in the order the usage text lists them.
const std::array<const Command*, 5> kCommands = {&kCheckCommand, &kDumpCommand, &kNormalizeCommand,
                                                 &kGeometryCommand, &kPlanCommand};

void Usage(std::ostream& s) {
  s << "Usage: kelvara COMMAND [OPTION]... [ARG]...\n"
       "Checks, shows and rewrites the engine's input files (*.dat).\n"
       "\n"
       "Commands:\n";
  for (const Command* c : kCommands) s << "  " << c->synopsis << "\n" << c->summary;
  s << "\n"
       "A FILE of - is standard input; -- ends the options. 'kelvara COMMAND --help'\n"
       "describes one command. Errors go to standard error as 'kelvara: FILE: reason'.\n"
       "\n"
       "Options:\n"
       "  --help             show this text\n"
       "  --version          show the version\n";
}

// `--help` or `-h` before any "--".
bool AsksForHelp(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--") return false;
    if (a == "--help" || a == "-h") return true;
  }
  return false;
}

}  // namespace

bool Arguments::Has(const std::string& option) const {
  return std::find(options.begin(), options.end(), option) != options.end();
}

int UsageError(const Command& cmd, const std::string& text, std::ostream& err) {
  err << "kelvara: " << cmd.name << ": " << text << "\nTry 'kelvara " << cmd.name << " --help'.\n";
  return kExitTrouble;
}

bool ParseArguments(const Command& cmd, const std::vector<std::string>& args,
                    const std::vector<std::string>& known, Arguments& parsed, std::ostream& err) {
  bool optionsEnded = false;
  for (const std::string& a : args) {
    if (!optionsEnded && a == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
      if (std::find(known.begin(), known.end(), a) == known.end()) {
        UsageError(cmd, "unknown option '" + a + "'", err);
        return false;
      }
      parsed.options.push_back(a);
    } else {
      parsed.operands.push_back(a);
    }
  }
  return true;
}

bool ReadOperand(const std::string& name, CliStreams& io, Project& p, ReadReport& report,
                 const WarningSink& warn) {
  LoadedFile f = name == "-" ? LoadInputStream(io.in) : LoadInputFile(name, true);
  if (!f.error.empty()) {
    io.err << "kelvara: " << name << ": " << f.error << "\n";
    return false;
  }
  report = ReadInputText(std::move(f.bytes), p, warn);
  return true;
}

int RunKelvara(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
  if (args.empty()) {
    Usage(err);
    return kExitTrouble;
  }
  const std::string& name = args[0];
  if (name == "--help" || name == "-h" || name == "help") {
    Usage(out);
    return kExitClean;
  }
  if (name == "--version") {
    out << "kelvara " << KV_VERSION << "\n";
    return kExitClean;
  }
  for (const Command* c : kCommands) {
    if (name != c->name) continue;
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (AsksForHelp(rest)) {
      out << "Usage: kelvara " << c->synopsis << "\n" << c->help;
      return kExitClean;
    }
    CliStreams io{in, out, err};
    return c->run(rest, io);
  }
  err << "kelvara: unknown command '" << name << "'\nTry 'kelvara --help'.\n";
  return kExitTrouble;
}

}  // namespace kv
