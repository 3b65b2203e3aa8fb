#include "inputfile/input_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "inputfile/field_routines.h"

namespace kv {
namespace {

std::function<bool(SaveStep)>& SaveFaultHook() {
  static std::function<bool(SaveStep)> hook;
  return hook;
}

bool SaveFault(SaveStep step) { return SaveFaultHook() && SaveFaultHook()(step); }

bool Code(const std::string& line, const char* code) {
  return line.size() >= 2 && line[0] == code[0] && line[1] == code[1];
}

std::string TableFullWarning(const char* code, const char* family, int leftOut) {
  return std::string("Warning: (") + code + ") " + family + ", the table is full; " +
         std::to_string(leftOut) + (leftOut == 1 ? " line was" : " lines were") + " left out.";
}

}  // namespace

std::string LineReader::ReadPaddedLine() {
  std::string line;
  if (!AtEnd()) {
    std::size_t end = data_.find_first_of("\r\n", pos_);
    if (end == std::string::npos) {
      line.assign(data_, pos_, std::string::npos);
      pos_ = data_.size();
    } else {
      line.assign(data_, pos_, end - pos_);
      pos_ = end + 1;
      if (data_[end] == '\r' && pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
    }
  }
  if (line.size() < 80) line.append(81 - line.size(), ' ');
  return line;
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  // One read of the whole file; a file whose size cannot be told is read in pieces.
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size > 0) {
    bytes.resize(static_cast<std::size_t>(size));
    in.read(bytes.data(), size);
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    in.clear();
  }
  char chunk[4096];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) bytes.append(chunk, in.gcount());
  return !in.bad();
}

bool ReadInputFile(const std::string& path, Project& p, const WarningSink& warn) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return false;
  ReadInputText(std::move(bytes), p, warn);
  return true;
}

void ReadInputText(std::string bytes, Project& p, const WarningSink& warn) {
  LineReader r(std::move(bytes));
  if (r.AtEnd()) return;

  std::string cur;
  auto advance = [&] {
    if (r.AtEnd()) return false;
    cur = r.ReadPaddedLine();
    return true;
  };

  // Lines of one grid family: each read into row n, a row appended first when the
  // table has none left; a full table leaves the family's further lines out.
  auto grid = [&](const char* code, const char* family, auto rowCount, auto addRow,
                  auto readRow) {
    int n = 0, leftOut = 0;
    bool more = true, full = false;
    while (Code(cur, code)) {
      if (!full && n >= rowCount() && !addRow()) full = true;
      if (full)
        ++leftOut;
      else
        readRow(cur, n++);
      if (!advance()) {
        more = false;
        break;
      }
    }
    if (leftOut > 0) warn(TableFullWarning(code, family, leftOut));
    return more;
  };

  cur = r.ReadPaddedLine();
  ReadTitleLine(cur, p);
  if (!advance()) return;
  while (Code(cur, "00")) {
    ReadDescriptionRecord(cur, p, warn);
    if (!advance()) return;
  }
  if (Code(cur, "01")) {
    ReadHorizontalRecord(cur, p, warn);
    if (!advance()) return;
  }
  ReadVerticalRecord(cur, p, warn);
  if (!advance()) return;
  ReadCrossSlopeRecord(cur, p, warn);
  if (!advance()) return;
  if (!grid("03", "Superelevation override data",
            [&] { return OverrideRowCount(p.CrossTrans); },
            [&] { return AddOverRecord(p.CrossTrans); },
            [&](const std::string& l, int k) { ReadOverrideRecord(l, k, p, warn); }))
    return;
  ReadRefLineRecord(cur, p, warn);
  if (!advance()) return;
  if (!grid("05", "Girder line data", [&] { return GirderRowCount(p.GirderLine); },
            [&] { return AddGirderRow(p.GirderLine); },
            [&](const std::string& l, int n) { ReadGirderRecord(l, n, p, warn); }))
    return;
  if (!grid("06", "Bent line data", [&] { return BentRowCount(p.BentLine); },
            [&] { return AddBentRow(p.BentLine); },
            [&](const std::string& l, int n) { ReadBentRecord(l, n, p, warn); }))
    return;
  if (!grid("07", "Dead load data", [&] { return DeadLoadRowCount(p.DeadLoad); },
            [&] { return AddDeadLoadRow(p.DeadLoad); },
            [&](const std::string& l, int n) { ReadDeadLoadRecord(l, n, p, warn); }))
    return;
  if (Code(cur, "08")) ReadRoadApprRecord(cur, p, warn);
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

void SetSaveFaultHook(std::function<bool(SaveStep)> hook) { SaveFaultHook() = std::move(hook); }

WriteResult WriteInputFile(const std::string& path, const Project& p, const WarningSink& message) {
  WriteResult result;
  if (path.empty()) {
    if (message) message("No file specified for output.");
    result.error = "No file specified for output.";
    return result;
  }
  LineSink lines = WriteProjectLines(p);
  result.overflows = std::move(lines.overflows);
  std::size_t total = 0;
  for (const std::string& l : lines.lines) total += l.size() + 2;
  std::string bytes;
  bytes.reserve(total);
  for (const std::string& l : lines.lines) bytes.append(l).append("\r\n");

  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path target(path);
  if (fs::is_directory(target, ec)) {
    result.error = path + " is a folder";
    return result;
  }
  // Write beside the target and replace it only when the whole file is out, so a
  // failed save leaves the previous file as it was.
  static std::atomic<unsigned> counter{0};
  fs::path temp;
  std::FILE* f = nullptr;
  for (int attempt = 0; attempt < 100 && !f; ++attempt) {
    temp = target;
    temp += ".kvtmp" + std::to_string(counter++);
    f = std::fopen(temp.string().c_str(), "wbx");
    if (!f && errno != EEXIST) break;
  }
  if (!f) {
    result.error = std::string("cannot create ") + temp.string() + ": " + std::strerror(errno);
    return result;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fflush(f) == 0 && ok;
  int err = errno;
  if (ok && SaveFault(SaveStep::WriteTemp)) {
    ok = false;
    err = ENOSPC;
  }
  ok = std::fclose(f) == 0 && ok;
  if (ok && SaveFault(SaveStep::ReplaceTarget)) {
    ok = false;
    result.error = std::string("cannot replace ") + path;
  } else if (ok) {
    fs::rename(temp, target, ec);
    if (ec) {
      ok = false;
      result.error = ec.message();
    }
  } else {
    result.error = std::string("cannot write ") + path + ": " + std::strerror(err);
  }
  if (!ok) {
    fs::remove(temp, ec);
    return result;
  }
  result.ok = true;
  return result;
}

}  // namespace kv
