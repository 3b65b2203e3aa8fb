// kelvara plan: the plan the editor's Plan view shows, written as SVG or DXF.
#include <algorithm>
#include <cctype>

#include "cli/commands.h"
#include "drawing/export.h"
#include "drawing/project_drawings.h"
#include "inputfile/safe_save.h"

namespace kv {
namespace {

bool EndsWith(std::string name, const std::string& suffix) {
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

int Plan(const std::vector<std::string>& args, CliStreams& io) {
  Arguments a;
  if (!ParseArguments(kPlanCommand, args, {"--svg", "--dxf"}, a, io.err)) return kExitTrouble;
  if (a.operands.size() != 2) return UsageError(kPlanCommand, "name the input file and the output file", io.err);
  if (a.Has("--svg") && a.Has("--dxf")) return UsageError(kPlanCommand, "choose --svg or --dxf, not both", io.err);
  const std::string& in = a.operands[0];
  const std::string& out = a.operands[1];
  bool dxf = a.Has("--dxf");
  if (!a.Has("--svg") && !dxf) {
    if (EndsWith(out, ".dxf")) {
      dxf = true;
    } else if (!EndsWith(out, ".svg")) {
      return UsageError(kPlanCommand, "'" + out + "' ends in neither .svg nor .dxf; give --svg or --dxf", io.err);
    }
  }
  Project p;
  ReadReport report;
  if (!ReadOperand(in, io, p, report, [&](const std::string& w) { io.err << in << ": " << w << "\n"; }))
    return kExitTrouble;
  if (report.unreadCount > 0) io.err << in << ": " << UnreadLinesMessage(report) << "\n";
  const geom::ProjectGeometry g(p);
  const draw::Drawing plan = draw::BuildPlan(g);
  const std::string bytes =
      dxf ? draw::WriteDxf(plan)
          : draw::WriteSvg(plan, draw::FitView(plan, draw::kExportWidth, draw::kExportHeight,
                                               [](const std::string& s) { return draw::EstimateText(s); }));
  if (out == "-") {
    io.out << bytes;
    return kExitClean;
  }
  const SaveResult r = SafeSave(out, bytes);
  if (!r.ok) {
    io.err << "kelvara: " << out << ": " << r.error << "\n";
    return kExitTrouble;
  }
  return kExitClean;
}

}  // namespace

const Command kPlanCommand = {
    "plan", "plan [--svg|--dxf] FILE OUT",
    "                     write the plan of FILE's structure to OUT as SVG or DXF\n",
    "Reads FILE as File Open does and writes its plan, as the editor's Plan view draws it:\n"
    "the horizontal control line with its key points and stations, the reference and\n"
    "layout lines, every girder and bent line with its description, and the geometry's\n"
    "findings marked in red. OUT ending in .svg gets a drawing of the structure as the\n"
    "view first shows it (1400 by 900 pixels); OUT ending in .dxf gets every line in\n"
    "layout coordinates (the x, y that kelvara geometry prints), one layer per kind of\n"
    "line: CONTROL_LINE, STATIONS, KEY_POINTS, TANGENTS, REFERENCE_LINE, LAYOUT_LINE,\n"
    "GIRDER_LINES, BENT_LINES, FINDINGS.\n"
    "A FILE of - is standard input; an OUT of - is standard output (give --svg or --dxf).\n"
    "Reading warnings go to standard error. OUT is replaced safely, as Save replaces a file.\n"
    "\n"
    "  --svg   write SVG whatever OUT's name\n"
    "  --dxf   write DXF (release 12, ASCII) whatever OUT's name\n"
    "\n"
    "Exit status: 0 when the plan was written, 2 when FILE cannot be read, OUT cannot be\n"
    "written or the arguments are wrong.\n",
    Plan};

}  // namespace kv
