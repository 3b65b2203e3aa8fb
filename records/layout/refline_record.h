#pragma once

#include <string>
#include <string_view>

#include "inputfile/record_io.h"

namespace kv {

struct Project;

struct RefLineData {};
void ReadRefLineRecord(std::string_view line, Project& p, const WarningSink& warn);
void WriteRefLineRecord(const Project& p, LineSink& out);

}  // namespace kv
