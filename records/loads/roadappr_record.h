#pragma once

#include <string>
#include <string_view>

#include "inputfile/record_io.h"

namespace kv {

struct Project;

struct RoadApprData {};
void ReadRoadApprRecord(std::string_view line, Project& p, const WarningSink& warn);
void WriteRoadApprRecord(const Project& p, LineSink& out);

}  // namespace kv
