// Saving a whole file so that a failure at any point leaves the previous file as it
// was: File Save and Save As, the recovery copy and the command-line tool all save
// through here.
#pragma once

#include <string>
#include <string_view>

namespace kv {

enum class SaveMethod {
  Replaced,  // a complete, flushed new file took the old one's name
  InPlace,   // written over the file itself, flushed (hard links, folders without room
             // for a temporary file, files whose owner a new file could not keep)
  Direct,    // a device, FIFO or other non-regular file, written as it is
};

// What a failed save left at the path.
enum class SaveLeft {
  Previous,     // what the file held before, byte for byte
  Unconfirmed,  // the new bytes, whole, but the disk did not confirm they are stored
  Unknown,      // possibly part of either (a device or FIFO, or an in-place write that
                // could not put the old bytes back)
};

// Why a FIFO could not be written without waiting.
inline constexpr const char* kNoFifoReader = "No program is reading from this FIFO";

struct SaveResult {
  bool ok = false;
  SaveMethod method = SaveMethod::Replaced;
  std::string error;  // the system's reason, e.g. "No space left on device"
  SaveLeft left = SaveLeft::Previous;
};

// Writes bytes to path. Links are followed to the real file, which keeps its
// permissions (and owner and group where the system allows) and its other names;
// a file or folder the user may not write is refused as a direct write would
// refuse it; a folder is refused.
SaveResult SafeSave(const std::string& path, std::string_view bytes);

}  // namespace kv
