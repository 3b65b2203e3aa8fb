#pragma once

#include <string>
#include <string_view>

#include "inputfile/record_io.h"

namespace kv {

struct Project;

struct DeadLoadTable {};
void ReadDeadLoadRecord(std::string_view line, int n, Project& p, const WarningSink& warn);
void WriteDeadLoadRecords(const Project& p, LineSink& out);
bool AddDeadLoadRow(DeadLoadTable& t);
int DeadLoadRowCount(const DeadLoadTable& t);

}  // namespace kv
