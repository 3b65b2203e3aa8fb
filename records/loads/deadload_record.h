// Dead-load deflection records ("07"): one line per row, up to the first empty row.
#pragma once

#include <string>
#include <string_view>

#include "inputfile/record_io.h"
#include "records/loads/deadload_table.h"

namespace kv {

struct Project;

// Fills all cells of row n (which exists) from one "07" line. Reports nothing.
void ReadDeadLoadRecord(std::string_view line, int n, Project& p, const WarningSink& warn);
// The rows from row 0 up to, not including, the first empty one.
void WriteDeadLoadRecords(const Project& p, LineSink& out);

}  // namespace kv
