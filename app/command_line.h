// The editor's own command line: an optional input file, --version and --help. Qt's
// own options (-platform, -style, ...) are left for QApplication.
#pragma once

#include <string>

namespace kv {

inline constexpr const char* kUsage =
    "Usage: wexa-kelvara [--version] [-h|--help] [--] [FILE]\n"
    "Editor for bridge geometry input files (*.dat). FILE is opened as File Open\n"
    "does. The engines and the help document are looked for in the program's folder.\n";

struct CommandLine {
  enum class Action { Run, Version, Help, Error };
  Action action = Action::Run;
  std::string file;   // the input file to open, empty for none
  std::string error;  // what was wrong, for Action::Error
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

}  // namespace kv
