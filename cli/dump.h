// The project as JSON, one object per editor keyed by its window name.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "inputfile/project.h"

namespace kv {

// The file's bytes are Latin-1; JSON wants UTF-8.
std::string Latin1ToUtf8(std::string_view s);

nlohmann::json DumpDescription(const Project& p);
nlohmann::json DumpHorizontal(const Project& p);
nlohmann::json DumpVertical(const Project& p);
nlohmann::json DumpCrossTrans(const Project& p);
nlohmann::json DumpRefLine(const Project& p);
nlohmann::json DumpGirderLine(const Project& p);
nlohmann::json DumpBentLine(const Project& p);
nlohmann::json DumpDeadLoad(const Project& p);
nlohmann::json DumpRoadAppr(const Project& p);

// The whole dump: MetricUnits, warnings, marked, and the nine editors.
nlohmann::json DumpProject(const Project& p, const std::vector<std::string>& warnings);

}  // namespace kv
