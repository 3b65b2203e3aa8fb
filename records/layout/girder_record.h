#pragma once

#include <string>
#include <string_view>

#include "inputfile/record_io.h"

namespace kv {

struct Project;

struct GirderTable {};
void ReadGirderRecord(std::string_view line, int n, Project& p, const WarningSink& warn);
void WriteGirderRecords(const Project& p, LineSink& out);
bool AddGirderRow(GirderTable& t);
int GirderRowCount(const GirderTable& t);

}  // namespace kv
