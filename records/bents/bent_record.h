// Bent line records ("06"): one line per row of the bent line table that has a
// description.
#pragma once

#include <string>
#include <string_view>

#include "inputfile/record_io.h"
#include "records/bents/bent_table.h"

namespace kv {

struct Project;

// Reads one "06" line into row n (which exists). Warnings, in order:
//   "Warning: (06) Bent line data, distance type invalid."
//   "Warning: (06) Skew direction invalid. Should be L or R"
//   "Warning: (06) Bent line data, skew type invalid."
void ReadBentRecord(std::string_view line, int n, Project& p, const WarningSink& warn);
// One "06" line per row with a description, in row order.
void WriteBentRecords(const Project& p, LineSink& out);
// True for a row that is written: its description is neither empty nor 10 blanks.
bool BentRowIsWritten(const BentRow& r);
// The columns of the distance (Text1) and the skew angle (Text2).
const FieldSpec& BentField(std::string BentRow::*text);

}  // namespace kv
