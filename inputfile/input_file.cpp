#include "inputfile/input_file.h"

#include <cerrno>
#include <cstring>

#include "inputfile/field_routines.h"
#include "inputfile/safe_save.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <filesystem>
#include <fstream>
#endif

namespace kv {
namespace {

bool Code(const std::string& line, const char* code) {
  return line.size() >= 2 && line[0] == code[0] && line[1] == code[1];
}

std::string TableFullWarning(const char* code, const char* family, int leftOut) {
  return std::string("Warning: (") + code + ") " + family + ", the table is full; " +
         std::to_string(leftOut) + (leftOut == 1 ? " line was" : " lines were") + " left out.";
}

bool HoldsSomething(const std::string& line) {
  return line.find_first_not_of(" \t") != std::string::npos;
}

bool StartsWith(const std::string& s, std::string_view prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

void LineReader::ReadPaddedLine(std::string& line) {
  line.clear();
  if (!AtEnd()) {
    // A line ends at the first CR or LF (find_first_of would look each byte up in the set).
    std::size_t end = data_.find('\n', pos_);
    if (end == std::string::npos) end = data_.size();
    if (const void* cr = std::memchr(data_.data() + pos_, '\r', end - pos_))
      end = std::size_t(static_cast<const char*>(cr) - data_.data());
    line.assign(data_, pos_, end - pos_);
    pos_ = end;
    if (end < data_.size()) {
      ++pos_;
      if (data_[end] == '\r' && pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
    }
  }
  if (line.size() < 80) line.append(81 - line.size(), ' ');
}

std::string TakeInputText(std::string& bytes) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) bytes.erase(0, 3);
  // With a byte-order mark, or a title line whose "00" has a zero byte beside each digit.
  using namespace std::string_view_literals;
  if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF") ||
      StartsWith(bytes, "0\0" "0\0"sv) || StartsWith(bytes, "\0" "0\0" "0"sv))
    return kUtf16Text;
  return {};
}

LoadedFile LoadInputStream(std::istream& in) {
  LoadedFile f;
  char chunk[65536];
  while (f.bytes.size() <= kMaxInputBytes && (in.read(chunk, sizeof chunk) || in.gcount() > 0))
    f.bytes.append(chunk, std::size_t(in.gcount()));
  if (f.bytes.size() > kMaxInputBytes) f.error = kFileTooLarge;
  else if (in.bad()) f.error = std::strerror(EIO);
  else f.error = TakeInputText(f.bytes);
  if (!f.error.empty()) f.bytes.clear();
  return f;
}

#if defined(__unix__) || defined(__APPLE__)

LoadedFile LoadInputFile(const std::string& path, bool streams) {
  LoadedFile f;
  // Without streams the open must not wait for a FIFO's writer.
  int fd;
  do fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC | (streams ? 0 : O_NONBLOCK));
  while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    f.error = std::strerror(errno);
    return f;
  }
  struct stat st{};
  if (::fstat(fd, &st) != 0) f.error = std::strerror(errno);
  else if (S_ISDIR(st.st_mode)) f.error = std::strerror(EISDIR);
  else if (!S_ISREG(st.st_mode) && !streams) f.error = kNotRegularFile;
  else if (S_ISREG(st.st_mode) && std::size_t(st.st_size) > kMaxInputBytes) f.error = kFileTooLarge;
  if (f.error.empty()) {
    if (S_ISREG(st.st_mode)) f.bytes.reserve(std::size_t(st.st_size));
    char chunk[65536];
    for (;;) {
      const ssize_t n = ::read(fd, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) f.error = std::strerror(errno);
      if (n <= 0) break;
      f.bytes.append(chunk, std::size_t(n));
      // A device that never ends (/dev/zero) stops here.
      if (f.bytes.size() > kMaxInputBytes) {
        f.error = kFileTooLarge;
        break;
      }
    }
  }
  ::close(fd);
  if (f.error.empty()) f.error = TakeInputText(f.bytes);
  if (!f.error.empty()) f.bytes.clear();
  return f;
}

#else

LoadedFile LoadInputFile(const std::string& path, bool streams) {
  namespace fs = std::filesystem;
  std::error_code ec;
  LoadedFile f;
  const fs::file_status st = fs::status(path, ec);
  if (ec) f.error = ec.message();
  else if (fs::is_directory(st)) f.error = std::strerror(EISDIR);
  else if (!fs::is_regular_file(st) && !streams) f.error = kNotRegularFile;
  if (!f.error.empty()) return f;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    f.error = std::strerror(errno);
    return f;
  }
  return LoadInputStream(in);
}

#endif

int ReadReport::LineOf(std::string_view window, int row) const {
  for (const RecordLine& r : records)
    if (r.row == row && window == kFormWindowNames[int(r.family)]) return r.line;
  return 0;
}

std::string UnreadLinesMessage(const ReadReport& r) {
  if (r.unreadCount <= 0) return {};
  const std::string from = std::to_string(r.unreadFrom);
  if (r.unreadCount == 1)
    return "Line " + from + " was not read: the record order breaks there. Save would not keep it.";
  return std::to_string(r.unreadCount) + " lines from line " + from +
         " on were not read: the record order breaks there. Save would not keep them.";
}

ReadReport ReadInputFile(const std::string& path, Project& p, const WarningSink& warn) {
  LoadedFile f = LoadInputFile(path);
  if (!f.error.empty()) {
    ReadReport r;
    r.error = std::move(f.error);
    return r;
  }
  return ReadInputText(std::move(f.bytes), p, warn);
}

ReadReport ReadInputText(std::string bytes, Project& p, const WarningSink& warn) {
  ReadReport report;
  LineReader r(std::move(bytes));
  if (r.AtEnd()) return report;

  std::string cur;
  int lineNo = 0;
  auto advance = [&] {
    if (r.AtEnd()) return false;
    r.ReadPaddedLine(cur);
    ++lineNo;
    return true;
  };
  // What a family's reader gets: its warnings are noted with the current line and the
  // family, then passed on.
  auto sinkOf = [&](Form family) {
    return WarningSink([&report, &warn, &lineNo, family](const std::string& text, const FieldSpec* field) {
      report.warnings.push_back({text, lineNo, family, field});
      warn(text, field);
    });
  };
  // The same for a single record, noting the line it is read from.
  auto at = [&](Form family) {
    report.records.push_back({family, -1, lineNo});
    return sinkOf(family);
  };

  // Lines of one grid family: each read into row n, a row appended first when the
  // table has none left; a full table leaves the family's further lines out.
  auto grid = [&](const char* code, const char* familyText, Form family, auto rowCount,
                  auto addRow, auto readRow) {
    int n = 0, leftOut = 0, firstLeftOut = 0;
    bool more = true, full = false;
    const WarningSink rowWarn = sinkOf(family);
    while (Code(cur, code)) {
      if (!full && n >= rowCount() && !addRow()) full = true;
      if (full) {
        if (leftOut++ == 0) firstLeftOut = lineNo;
      } else {
        report.records.push_back({family, n, lineNo});
        readRow(cur, n, rowWarn);
        ++n;
      }
      if (!advance()) {
        more = false;
        break;
      }
    }
    if (leftOut > 0) {
      const std::string w = TableFullWarning(code, familyText, leftOut);
      report.warnings.push_back({w, firstLeftOut, family, nullptr});
      warn(w);
    }
    return more;
  };

  // False when the file ended before the sequence did; true when it stopped at cur,
  // which an "08" reader took (tookLast) or nothing did.
  bool tookLast = false;
  auto sequence = [&] {
    advance();
    ReadTitleLine(cur, p);
    report.records.push_back({Form::Desc, -1, 1});
    if (!advance()) return false;
    while (Code(cur, "00")) {
      ReadDescriptionRecord(cur, p, at(Form::Desc));
      if (!advance()) return false;
    }
    if (Code(cur, "01")) {
      ReadHorizontalRecord(cur, p, at(Form::Horiz));
      if (!advance()) return false;
    }
    ReadVerticalRecord(cur, p, at(Form::Vert));
    if (!advance()) return false;
    ReadCrossSlopeRecord(cur, p, at(Form::Cross));
    if (!advance()) return false;
    if (!grid("03", "Superelevation override data", Form::Cross,
              [&] { return OverrideRowCount(p.CrossTrans); },
              [&] { return AddOverRecord(p.CrossTrans); },
              [&](const std::string& l, int k, const WarningSink& w) { ReadOverrideRecord(l, k, p, w); }))
      return false;
    ReadRefLineRecord(cur, p, at(Form::Ref));
    if (!advance()) return false;
    if (!grid("05", "Girder line data", Form::Gird, [&] { return GirderRowCount(p.GirderLine); },
              [&] { return AddGirderRow(p.GirderLine); },
              [&](const std::string& l, int n, const WarningSink& w) { ReadGirderRecord(l, n, p, w); }))
      return false;
    if (!grid("06", "Bent line data", Form::Bent, [&] { return BentRowCount(p.BentLine); },
              [&] { return AddBentRow(p.BentLine); },
              [&](const std::string& l, int n, const WarningSink& w) { ReadBentRecord(l, n, p, w); }))
      return false;
    if (!grid("07", "Dead load data", Form::Dead, [&] { return DeadLoadRowCount(p.DeadLoad); },
              [&] { return AddDeadLoadRow(p.DeadLoad); },
              [&](const std::string& l, int n, const WarningSink& w) { ReadDeadLoadRecord(l, n, p, w); }))
      return false;
    if (Code(cur, "08")) {
      ReadRoadApprRecord(cur, p, at(Form::RoadApp));
      tookLast = true;
    }
    return true;
  };
  if (!sequence()) return report;

  // What the read left: from the line it stopped at to the last line holding something.
  const int first = tookLast ? lineNo + 1 : lineNo;
  int last = !tookLast && HoldsSomething(cur) ? lineNo : 0;
  while (advance())
    if (HoldsSomething(cur)) last = lineNo;
  if (last >= first) {
    report.unreadFrom = first;
    report.unreadCount = last - first + 1;
  }
  return report;
}

LineSink WriteProjectLines(const Project& p) {
  LineSink out;
  WriteProjectLines(p, out);
  return out;
}

void WriteProjectLines(const Project& p, LineSink& out) {
  WriteDescriptionRecords(p, out);
  WriteHorizontalRecord(p, out);
  WriteVerticalRecord(p, out);
  WriteCrossSlopeRecords(p, out);
  WriteRefLineRecord(p, out);
  WriteGirderRecords(p, out);
  WriteBentRecords(p, out);
  WriteDeadLoadRecords(p, out);
  WriteRoadApprRecord(p, out);
}

std::string ProjectFileBytes(const Project& p, std::vector<Overflow>* overflows) {
  std::string bytes;
  // Room for a line of 80 columns per grid row and a few more lines.
  bytes.reserve(82 * (32 + p.CrossTrans.rows.size() + p.GirderLine.rows.size() +
                      p.BentLine.rows.size() + p.DeadLoad.rows.size()));
  LineSink out;
  out.file = &bytes;
  WriteProjectLines(p, out);
  if (overflows) *overflows = std::move(out.overflows);
  return bytes;
}

WriteResult WriteInputFile(const std::string& path, const Project& p, const WarningSink& message) {
  WriteResult result;
  if (path.empty()) {
    message("No file specified for output.");
    result.error = "No file specified for output.";
    return result;
  }
  const SaveResult saved = SafeSave(path, ProjectFileBytes(p, &result.overflows));
  result.ok = saved.ok;
  result.error = saved.error;
  result.left = saved.left;
  return result;
}

}  // namespace kv
