// kelvara check: every reading warning, the lines a read leaves, every field too wide
// for its columns or not a number, and every grid row Save leaves out, for files and
// whole folders, on all cores.
#include <algorithm>
#include <cstdlib>
#include <atomic>
#include <cctype>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>

#include "cli/commands.h"
#include "cli/dump.h"
#include "geometry/project_geometry.h"
#include "inputfile/column_map.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

// One finding, ready for either output.
struct Reported {
  const char* kind;  // "warning", "unread", "too_wide", "not_a_number", "left_out", "geometry"
  int line = 0;      // 0: none
  int first = 0, width = 0;
  const char* family = nullptr;
  std::string field;
  std::string message;  // Latin-1, as the program shows it
};

const char* KindName(FindingKind k) {
  switch (k) {
    case FindingKind::TooWide: return "too_wide";
    case FindingKind::NotANumber: return "not_a_number";
    case FindingKind::RowLeftOut: return "left_out";
  }
  return "";
}

std::vector<Reported> Findings(const Project& p, const ReadReport& report) {
  std::vector<Reported> found;
  for (const ReadWarning& w : report.warnings) {
    Reported f{"warning", w.line, 0, 0, kFormWindowNames[int(w.family)], "", w.text};
    if (w.field) f.first = w.field->first, f.width = w.field->width, f.field = w.field->name;
    found.push_back(std::move(f));
  }
  if (report.unreadCount > 0)
    found.push_back({"unread", report.unreadFrom, 0, 0, nullptr, "", UnreadLinesMessage(report)});
  // What the writer knows is wrong, the same findings as the editors' marks show.
  for (const Finding& o : WriteFindings(p)) {
    const auto* family = std::find_if(kFormWindowNames.begin(), kFormWindowNames.end(),
                                      [&](const char* n) { return o.window == n; });
    const bool placed = o.kind != FindingKind::RowLeftOut;
    found.push_back({KindName(o.kind), report.LineOf(o.window, o.row), placed ? o.first : 0,
                     placed ? o.width : 0, family != kFormWindowNames.end() ? *family : nullptr,
                     o.field, DescribeFinding(o)});
  }
  // What only the computed geometry shows: the line of the record (its first row's),
  // with the family and the field it names.
  for (const geom::Finding& g : geom::ProjectGeometry(p).findings()) {
    const auto* family = std::find_if(kFormWindowNames.begin(), kFormWindowNames.end(),
                                      [&](const char* n) { return g.window == n; });
    const int row = g.rows.empty() ? -1 : std::atoi(g.rows.c_str()) - 1;
    found.push_back({"geometry", report.LineOf(g.window, row), 0, 0,
                     family != kFormWindowNames.end() ? *family : nullptr, g.field, g.Text()});
  }
  return found;
}

std::string Json(const std::string& file, const Reported& f) {
  using json = nlohmann::ordered_json;
  json j = {{"file", file},
            {"line", f.line > 0 ? json(f.line) : json(nullptr)},
            {"columns", f.width > 0 ? json::array({f.first, f.first + f.width - 1}) : json(nullptr)},
            {"family", f.family ? json(f.family) : json(nullptr)},
            {"field", f.field.empty() ? json(nullptr) : json(f.field)},
            {"kind", f.kind},
            {"message", Latin1ToUtf8(f.message)}};
  // A file name need not be UTF-8; its odd bytes print as replacement characters.
  return j.dump(-1, ' ', false, json::error_handler_t::replace);
}

struct FileResult {
  std::string out, err;
  int status = kExitClean;
};

FileResult CheckBytes(const std::string& file, LoadedFile loaded, bool json) {
  FileResult r;
  if (!loaded.error.empty()) {
    r.err = "kelvara: " + file + ": " + loaded.error + "\n";
    r.status = kExitTrouble;
    return r;
  }
  Project p;
  const ReadReport report = ReadInputText(std::move(loaded.bytes), p, {});
  for (const Reported& f : Findings(p, report)) {
    r.out += json ? Json(file, f) : file + ": " + Latin1ToUtf8(f.message);
    r.out += "\n";
    r.status = kExitFound;
  }
  return r;
}

// The operands as files: "-" as it stands, a folder as every *.dat below it in name order.
std::vector<std::string> Expand(const std::vector<std::string>& operands, std::ostream& err,
                                int& status) {
  std::vector<std::string> files;
  for (const std::string& name : operands) {
    std::error_code ec;
    if (name == "-" || !fs::is_directory(name, ec)) {
      files.push_back(name);
      continue;
    }
    std::vector<std::string> found;
    for (fs::recursive_directory_iterator it(name, ec), end; !ec && it != end; it.increment(ec)) {
      std::string ext = it->path().extension().string();
      std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
      std::error_code typeEc;
      if (ext == ".dat" && it->is_regular_file(typeEc)) found.push_back(it->path().string());
    }
    if (ec) {
      err << "kelvara: " << name << ": " << ec.message() << "\n";
      status = kExitTrouble;
    }
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
  }
  return files;
}

int Check(const std::vector<std::string>& args, CliStreams& io) {
  Arguments a;
  if (!ParseArguments(kCheckCommand, args, {"--json"}, a, io.err)) return kExitTrouble;
  if (a.operands.empty()) return UsageError(kCheckCommand, "name at least one input file or folder", io.err);
  const bool json = a.Has("--json");
  int status = kExitClean;
  const std::vector<std::string> files = Expand(a.operands, io.err, status);

  // Standard input is read here, once; the files by the workers. Results print in
  // file order as soon as each one and those before it are done.
  std::optional<LoadedFile> stdinBytes;
  std::vector<FileResult> results(files.size());
  std::vector<char> done(files.size(), 0);
  std::mutex mutex;
  std::condition_variable cv;
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t i; (i = next++) < files.size();) {
      LoadedFile loaded;
      if (files[i] == "-") {
        loaded = *stdinBytes;
      } else {
        loaded = LoadInputFile(files[i], true);
      }
      FileResult r = CheckBytes(files[i], std::move(loaded), json);
      std::lock_guard lock(mutex);
      results[i] = std::move(r);
      done[i] = 1;
      cv.notify_all();
    }
  };
  if (std::find(files.begin(), files.end(), "-") != files.end()) stdinBytes = LoadInputStream(io.in);
  const std::size_t threads =
      std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), files.size());
  std::vector<std::jthread> workers;
  if (threads <= 1) work();
  else
    for (std::size_t t = 0; t < threads; ++t) workers.emplace_back(work);
  for (std::size_t i = 0; i < files.size(); ++i) {
    FileResult r;
    {
      std::unique_lock lock(mutex);
      cv.wait(lock, [&] { return done[i] != 0; });
      r = std::move(results[i]);
    }
    io.out << r.out;
    io.err << r.err;
    status = std::max(status, r.status);
  }
  return status;
}

}  // namespace

const Command kCheckCommand = {
    "check", "check [--json] FILE|FOLDER...",
    "                     list every reading warning, the lines a read leaves, every\n"
    "                     field too wide for its columns or not a number, and every\n"
    "                     grid row saving would leave out, and what the geometry\n"
    "                     finds wrong; a FOLDER is every *.dat below it; exit 0\n"
    "                     when clean, 1 when anything was found,\n"
    "                     2 when a file cannot be read\n",
    "Reads each FILE as File Open does in a freshly started editor and lists, one a\n"
    "line, as 'FILE: message' in UTF-8:\n"
    "  - every reading warning, in the order the editor shows them;\n"
    "  - the lines the read left when the record order breaks with lines holding\n"
    "    something after it (Save would not keep them);\n"
    "  - every field whose text needs more columns than the file gives it, or that\n"
    "    is not a number and is written as blanks;\n"
    "  - every girder, bent or dead-load row that holds values but that Save would\n"
    "    leave out;\n"
    "  - what the computed geometry finds wrong (spirals longer than the curve,\n"
    "    overlapping vertical curves, bents out of order, girder lines that cross,\n"
    "    points outside the limits of valid data, ...).\n"
    "A FOLDER stands for every *.dat file below it, checked on all cores and listed\n"
    "in name order. A FILE of - is standard input.\n"
    "\n"
    "  --json    one JSON object a line instead: file, line, columns ([first, last]),\n"
    "            family (editor window), field, kind (warning, unread, too_wide,\n"
    "            not_a_number, left_out, geometry) and\n"
    "            message; null where a finding has no such place\n"
    "\n"
    "Exit status: 0 when every file is clean, 1 when anything was found, 2 when a file\n"
    "cannot be read or the arguments are wrong.\n",
    Check};

}  // namespace kv
