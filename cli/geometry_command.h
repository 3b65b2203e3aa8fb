// `kelvara geometry`: the project's computed geometry as JSON, or one point of it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "geometry/project_geometry.h"
#include "inputfile/project.h"

namespace kv {

nlohmann::json GeometryJson(const geom::ProjectGeometry& g);
nlohmann::json PointJson(const geom::PointData& d);

// The findings only the geometry gives, as `check` prints them.
std::vector<std::string> GeometryFindings(const Project& p);

// A station as typed: 243+18.72 or 24318.72; false for anything else.
bool ParseStation(const std::string& text, double& station);

}  // namespace kv
