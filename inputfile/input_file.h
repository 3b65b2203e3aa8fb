// The reading and writing drivers: which line goes to which record reader, and in
// which order the families are written.
#pragma once

#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "inputfile/project.h"
#include "inputfile/record_io.h"
#include "inputfile/safe_save.h"

namespace kv {

// The lines of a file's bytes. A line ends at CR LF, at LF alone or at CR alone, so
// a file edited on another system reads the same.
class LineReader {
 public:
  explicit LineReader(std::string data) : data_(std::move(data)) {}
  bool AtEnd() const { return pos_ >= data_.size(); }
  // The next line into line (whose room is used again), padded with blanks to 81
  // characters when shorter than 80; a line of 81 blanks once the end has been reached.
  void ReadPaddedLine(std::string& line);

 private:
  std::string data_;
  std::size_t pos_ = 0;
};

// Larger files are no input files (the largest real project is under 100 KB), and
// reading one would only fill the memory.
inline constexpr std::size_t kMaxInputBytes = std::size_t(16) << 20;

// Why a file could not be opened, beside the system's own reasons.
inline constexpr const char* kNotRegularFile = "Not a regular file";
inline constexpr const char* kFileTooLarge = "Larger than 16 MiB, too large for an input file";
inline constexpr const char* kUtf16Text = "A UTF-16 text, not an 8-bit input file";

// Why bytes are no input file (a UTF-16 text), or the empty text. A UTF-8 byte-order
// mark is removed, so it does not become part of the structure ID.
std::string TakeInputText(std::string& bytes);

struct LoadedFile {
  std::string bytes;
  std::string error;  // why the file was not read; empty when it was
};

// An input file's bytes. A folder, a file over kMaxInputBytes and a UTF-16 text are
// refused, and so is anything but a regular file (a FIFO, a device) unless streams
// are taken, as the command-line tool takes them. Without streams nothing blocks.
LoadedFile LoadInputFile(const std::string& path, bool streams = false);
// The same from a stream (standard input).
LoadedFile LoadInputStream(std::istream& in);

// A reading warning and where it stands.
struct ReadWarning {
  std::string text;
  int line = 0;                      // in the file, from 1
  Form family = Form::Desc;          // the family being read
  const FieldSpec* field = nullptr;  // the field whose code was bad, if one was
};

// Which line each record was read from.
struct RecordLine {
  Form family;
  int row;  // grid row, or -1 for a single record
  int line;
};

struct ReadReport {
  std::string error;                  // why the file could not be read
  std::vector<ReadWarning> warnings;  // the family warnings, in order
  std::vector<RecordLine> records;
  // When the read stopped with lines left that hold something: the first line not
  // read, and how many lines from there to the last that holds something.
  int unreadFrom = 0;
  int unreadCount = 0;

  explicit operator bool() const { return error.empty(); }
  // The line a window's row was read from; 0 when none was.
  int LineOf(std::string_view window, int row) const;
};

// Lines the read left, with what a Save would do to them; empty when none were left.
std::string UnreadLinesMessage(const ReadReport& r);

// Reads the file into p (which is not cleared first), as File Open reads it: the
// file is loaded by LoadInputFile first. Warnings go to warn in order.
ReadReport ReadInputFile(const std::string& path, Project& p, const WarningSink& warn);

// The same from the file's bytes.
ReadReport ReadInputText(std::string bytes, Project& p, const WarningSink& warn);

// The lines of the whole file, without line ends, and the fields that did not fit.
LineSink WriteProjectLines(const Project& p);
// The same into a sink of the caller's (one that maps every field's place).
void WriteProjectLines(const Project& p, LineSink& out);

// The whole file as Save writes it.
std::string ProjectFileBytes(const Project& p, std::vector<Overflow>* overflows = nullptr);

struct WriteResult {
  bool ok = false;
  std::string error;                // why the file was not written
  SaveLeft left = SaveLeft::Previous;  // what a failure left in the file
  std::vector<Overflow> overflows;  // fields wider than their columns
};

// Writes p to path with CRLF line ends through SafeSave. An empty path raises "No file
// specified for output." through message and touches nothing.
WriteResult WriteInputFile(const std::string& path, const Project& p, const WarningSink& message);

}  // namespace kv
