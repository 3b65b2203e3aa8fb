// Vertical alignment ("02"): the profile grade through the structure, grade in, up
// to two vertical curves and grade out.
#pragma once

#include <string>
#include <string_view>

#include "inputfile/record_io.h"

namespace kv {

struct Project;

// The Vertical editor's boxes, as displayed.
struct VerticalData {
  std::string GradeIn;  // percent
  std::string InLength1;
  std::string OutLength1;
  std::string PISta1;  // station text, 2 (English) or 3 (metric) decimals
  std::string PIElev1;
  std::string InLength2;
  std::string OutLength2;
  std::string PISta2;
  std::string PIElev2;
  std::string GradeOut;  // percent
};

// Fills the ten boxes from the line after the "01" record, whatever its code.
void ReadVerticalRecord(std::string_view line, Project& p, const WarningSink& warn);
// The "02" line.
void WriteVerticalRecord(const Project& p, LineSink& out);
// The columns of a field, named by the text that holds it.
const FieldSpec& VerticalField(std::string VerticalData::*text);

}  // namespace kv
