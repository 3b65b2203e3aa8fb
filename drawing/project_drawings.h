// The plan, profile and section of a project, drawn from its computed geometry.
#pragma once

#include <optional>
#include <string>

#include "drawing/drawing.h"
#include "geometry/project_geometry.h"

namespace kv::draw {

// Plan, in layout coordinates (the x, y the geometry lists): the control line with its
// key points and stations every 100 ft (20 m), the reference and layout lines, every
// girder and bent line with its description, and the findings; turned on the page so
// the stations run to the right, north arrow and scale bar on screen.
Drawing BuildPlan(const geom::ProjectGeometry& g);
// Profile, in running length along the control line and elevation: the profile grade
// with its vertical curves, PVC, PVI, PVT and high or low points, and the bents' stations.
Drawing BuildProfile(const geom::ProjectGeometry& g);
// Section square to the control line at a station, looking up-station, in offset and
// elevation: the deck with its cross slope and every girder line's elevation there.
Drawing BuildSection(const geom::ProjectGeometry& g, double station);

// Where the section is taken, added to the plan or the profile.
void AddPlanCut(Drawing& plan, const geom::ProjectGeometry& g, double station);
void AddProfileCut(Drawing& profile, const geom::ProjectGeometry& g, double station);

// The station of a point of the plan (its foot on the control line) or of the profile;
// nothing where there is none.
std::optional<double> PlanStation(const geom::ProjectGeometry& g, Vec2 at);
std::optional<double> ProfileStation(const geom::ProjectGeometry& g, Vec2 at);
// A station in the middle of the structure, for the first section.
double MiddleStation(const geom::ProjectGeometry& g);

// What lies under the pointer, as the status line tells it: the girder point within
// `snap` drawing units, or else the point itself.
std::string DescribePlanPoint(const geom::ProjectGeometry& g, Vec2 at, double snap);
std::string DescribeProfilePoint(const geom::ProjectGeometry& g, Vec2 at);
std::string DescribeSectionPoint(const geom::ProjectGeometry& g, double station, Vec2 at);

// A station as the views label it (2 decimals, metric 3), or to whole units for ticks.
std::string StationLabel(const geom::ProjectGeometry& g, double station, bool whole = false);

}  // namespace kv::draw
