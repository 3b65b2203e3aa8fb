// Dead-load deflection records ("07"): one line per row, up to the first empty row.
#pragma once

#include <string>
#include <string_view>

#include "inputfile/record_io.h"
#include "records/loads/deadload_table.h"

namespace kv {

struct Project;

// The units code takes one column; its cell takes no more than that, since a longer
// text would choose the decimals by the whole cell but be written by its first letter.
inline constexpr int kDeadLoadUnitsWidth = 1;

// Fills all cells of row n (which exists) from one "07" line. Reports nothing.
void ReadDeadLoadRecord(std::string_view line, int n, Project& p, const WarningSink& warn);
// The rows from row 0 up to, not including, the first empty one.
void WriteDeadLoadRecords(const Project& p, LineSink& out);

}  // namespace kv
