// The reading and writing drivers: which line goes to which record reader, and in
// which order the families are written.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "inputfile/project.h"
#include "inputfile/record_io.h"

namespace kv {

// The lines of a file's bytes. A line ends at CR LF, at LF alone or at CR alone, so
// a file edited on another system reads the same.
class LineReader {
 public:
  explicit LineReader(std::string data) : data_(std::move(data)) {}
  bool AtEnd() const { return pos_ >= data_.size(); }
  // The next line, padded with blanks to 81 characters when shorter than 80; a line
  // of 81 blanks once the end has been reached.
  std::string ReadPaddedLine();

 private:
  std::string data_;
  std::size_t pos_ = 0;
};

// The whole file's bytes; false when it could not be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// Reads the file into p (which is not cleared first). Warnings go to warn in order.
// Returns false when the file could not be opened.
bool ReadInputFile(const std::string& path, Project& p, const WarningSink& warn);

// The same from the file's bytes.
void ReadInputText(std::string bytes, Project& p, const WarningSink& warn);

// The lines of the whole file, without line ends, and the fields that did not fit.
LineSink WriteProjectLines(const Project& p);
// The same into a sink of the caller's (one that maps every field's place).
void WriteProjectLines(const Project& p, LineSink& out);

struct WriteResult {
  bool ok = false;
  std::string error;                // why the file was not written
  std::vector<Overflow> overflows;  // fields wider than their columns
};

// Writes p to path with CRLF line ends, through a temporary file beside path that
// replaces it only when complete. An empty path raises "No file specified for
// output." through message and touches nothing.
WriteResult WriteInputFile(const std::string& path, const Project& p, const WarningSink& message);

// Lets tests make a save fail at one step, as a full disk or a stop would. The
// hook is asked before each step; true makes that step fail. Empty by default.
enum class SaveStep { WriteTemp, ReplaceTarget };
void SetSaveFaultHook(std::function<bool(SaveStep)> hook);

}  // namespace kv
