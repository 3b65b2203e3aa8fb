// Girder line records ("05"): one line per row of the girder line table that has a
// description.
#pragma once

#include <string>
#include <string_view>

#include "inputfile/record_io.h"
#include "records/layout/girder_table.h"

namespace kv {

struct Project;

// Reads one "05" line into row n (which exists). Choosing the line type runs the
// line-type change. Warnings, in order:
//   "Warning: (05) Girder line data, bad line type."
//   "Warning: (05) Girder line data, initial offset type invalid."
//   "Warning: (05) Girder line data, terminal offset type invalid."
void ReadGirderRecord(std::string_view line, int n, Project& p, const WarningSink& warn);
// One "05" line per row with a description, in row order.
void WriteGirderRecords(const Project& p, LineSink& out);
// True for a row that is written: its description is neither empty nor 20 blanks.
bool GirderRowIsWritten(const GirderRow& r);
// The columns of the offsets (Text1, Text2) and the elevation shift (Text3), whose
// decimals follow the row's line type.
const FieldSpec& GirderField(const GirderRow& r, std::string GirderRow::*text);
// The offset type codes a row is written with: the initial one (5 for a segmented
// line, 0 when none is chosen) and the terminal one (-1, a blank, unless the line is
// flared; 0 when none is chosen).
int GirderInitialTypeCode(const GirderRow& r);
int GirderTerminalTypeCode(const GirderRow& r);

}  // namespace kv
