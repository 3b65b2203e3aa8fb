// kelvara normalize: a file read and written again as Save writes it.
#include "cli/commands.h"

namespace kv {
namespace {

int Normalize(const std::vector<std::string>& args, CliStreams& io) {
  Arguments a;
  if (!ParseArguments(kNormalizeCommand, args, {}, a, io.err)) return kExitTrouble;
  if (a.operands.size() != 2)
    return UsageError(kNormalizeCommand, "name the input file and the output file", io.err);
  const std::string& in = a.operands[0];
  const std::string& out = a.operands[1];
  Project p;
  ReadReport report;
  if (!ReadOperand(in, io, p, report, [&](const std::string& w) { io.err << in << ": " << w << "\n"; }))
    return kExitTrouble;
  if (report.unreadCount > 0) io.err << in << ": " << UnreadLinesMessage(report) << "\n";
  if (out == "-") {
    io.out << ProjectFileBytes(p);
    return kExitClean;  // a failed write to standard output is caught on closing it
  }
  const WriteResult r = WriteInputFile(out, p, {});
  if (!r.ok) {
    io.err << "kelvara: " << out << ": " << r.error
           << (r.left == SaveLeft::Unconfirmed ? " (written, but the disk did not confirm it is stored)"
               : r.left == SaveLeft::Unknown   ? " (the file may be incomplete)"
                                               : "")
           << "\n";
    return kExitTrouble;
  }
  return kExitClean;
}

}  // namespace

const Command kNormalizeCommand = {
    "normalize", "normalize IN OUT",
    "                     read IN and write it to OUT as the editor saves it\n",
    "Reads IN as File Open does and writes it to OUT as Save does: CRLF line ends,\n"
    "every field in its columns. IN of - is standard input, OUT of - standard output.\n"
    "Reading warnings and lines that were not read go to standard error.\n"
    "OUT is replaced safely: a link is followed and stays a link, the file keeps its\n"
    "permissions, and a failed write leaves the previous file as it was. A device or\n"
    "FIFO is written as it is.\n"
    "Exit status: 0, or 2 when IN cannot be read or OUT cannot be written.\n",
    Normalize};

}  // namespace kv
