#pragma once

#include <string>
#include <string_view>

#include "inputfile/record_io.h"

namespace kv {

struct Project;

struct CrossTransData {};
void ReadCrossSlopeRecord(std::string_view line, Project& p, const WarningSink& warn);
void ReadOverrideRecord(std::string_view line, int k, Project& p, const WarningSink& warn);
bool AddOverRecord(CrossTransData& t);
int OverrideRowCount(const CrossTransData& t);
void WriteCrossSlopeRecords(const Project& p, LineSink& out);

}  // namespace kv
