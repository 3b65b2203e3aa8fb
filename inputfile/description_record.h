#pragma once

#include <string>
#include <string_view>

#include "inputfile/record_io.h"

namespace kv {

struct Project;

struct DescriptionData {
  std::string StructureID;
  std::string GenDesc;  // lines separated by "\r\n"
  bool Option1 = false;  // "Metric"
  bool Option2 = true;   // "English"
  std::string ProjNum, SubAcc, Designer, Detailer, Location;
};

// Selects the units option buttons and sets MetricUnits to match.
void SetUnits(Project& p, bool metric);
// The title line: structure ID and the units mark in column 80.
void ReadTitleLine(std::string_view line, Project& p);
void ReadDescriptionRecord(std::string_view line, Project& p, const WarningSink& warn);
// Title line, the four keyword lines and the general description lines.
void WriteDescriptionRecords(const Project& p, LineSink& out);

}  // namespace kv
