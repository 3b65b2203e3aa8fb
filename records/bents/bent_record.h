#pragma once

#include <string>
#include <string_view>

#include "inputfile/record_io.h"

namespace kv {

struct Project;

struct BentTable {};
void ReadBentRecord(std::string_view line, int n, Project& p, const WarningSink& warn);
void WriteBentRecords(const Project& p, LineSink& out);
bool AddBentRow(BentTable& t);
int BentRowCount(const BentTable& t);

}  // namespace kv
