#include "cli/commands.h"

#include <filesystem>
#include <fstream>

#include "cli/dump.h"
#include "cli/geometry_command.h"
#include "inputfile/input_file.h"
#include "kv_version.h"

namespace kv {
namespace {

const char* const kUsage =
    "Usage: kelvara COMMAND [ARGS]\n"
    "Checks, shows and rewrites the engine's input files (*.dat).\n"
    "\n"
    "Commands:\n"
    "  check FILE...      list every reading warning, every field too wide for its\n"
    "                     columns and what the geometry finds wrong; exit 0 when\n"
    "                     clean, 1 when anything was found,\n"
    "                     2 when a file cannot be read\n"
    "  dump FILE          print the project read from FILE as JSON\n"
    "  normalize IN OUT   read IN and write it to OUT as the editor saves it\n"
    "  geometry FILE [--at STATION [--offset O]]\n"
    "                     print the computed alignment, profile and girder points as\n"
    "                     JSON, or one point of the control line\n"
    "\n"
    "Options:\n"
    "  --help             show this text\n"
    "  --version          show the version\n";

}  // namespace

// Reading as File Open does in a freshly started program.
bool ReadFresh(const std::string& path, Project& p, std::vector<std::string>& warnings,
               std::ostream& err) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    err << "kelvara: " << path << ": is a folder, not an input file\n";
    return false;
  }
  if (!ReadInputFile(path, p, [&](const std::string& w) { warnings.push_back(w); })) {
    err << "kelvara: " << path << ": cannot be read\n";
    return false;
  }
  return true;
}

namespace {

std::string Describe(const Overflow& o) {
  std::string where = o.window;
  if (o.row >= 0) where += " row " + std::to_string(o.row + 1);
  return where + ", " + o.field + ": \"" + o.text + "\" takes " + std::to_string(o.used) +
         " columns; the field has " + std::to_string(o.width);
}

int Check(const std::vector<std::string>& files, std::ostream& out, std::ostream& err) {
  int status = 0;
  for (const std::string& file : files) {
    Project p;
    std::vector<std::string> warnings;
    if (!ReadFresh(file, p, warnings, err)) {
      status = 2;
      continue;
    }
    for (const std::string& w : warnings) out << file << ": " << w << "\n";
    LineSink lines = WriteProjectLines(p);
    for (const Overflow& o : lines.overflows) out << file << ": " << Describe(o) << "\n";
    const std::vector<std::string> geometry = GeometryFindings(p);
    for (const std::string& g : geometry) out << file << ": " << g << "\n";
    if ((!warnings.empty() || !lines.overflows.empty() || !geometry.empty()) && status == 0) status = 1;
  }
  return status;
}

}  // namespace

int RunKelvara(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << kUsage;
    return 2;
  }
  const std::string& cmd = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (cmd == "--help" || cmd == "-h" || cmd == "help") {
    out << kUsage;
    return 0;
  }
  if (cmd == "--version") {
    out << "kelvara " << KV_VERSION << "\n";
    return 0;
  }
  if (cmd == "check") {
    if (rest.empty()) {
      err << "kelvara check: name at least one input file\n";
      return 2;
    }
    return Check(rest, out, err);
  }
  if (cmd == "dump") {
    if (rest.size() != 1) {
      err << "kelvara dump: name exactly one input file\n";
      return 2;
    }
    Project p;
    std::vector<std::string> warnings;
    if (!ReadFresh(rest[0], p, warnings, err)) return 2;
    out << DumpProject(p, warnings).dump(2) << "\n";
    return 0;
  }
  if (cmd == "geometry") return GeometryCommand(rest, out, err);
  if (cmd == "normalize") {
    if (rest.size() != 2) {
      err << "kelvara normalize: name the input file and the output file\n";
      return 2;
    }
    Project p;
    std::vector<std::string> warnings;
    if (!ReadFresh(rest[0], p, warnings, err)) return 2;
    for (const std::string& w : warnings) err << rest[0] << ": " << w << "\n";
    WriteResult r = WriteInputFile(rest[1], p, [&](const std::string& m) { err << m << "\n"; });
    if (!r.ok) {
      err << "kelvara normalize: " << rest[1] << ": " << r.error << "\n";
      return 2;
    }
    return 0;
  }
  err << "kelvara: unknown command '" << cmd << "'\n\n" << kUsage;
  return 2;
}

}  // namespace kv
