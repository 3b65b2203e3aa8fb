// The project's geometry, from the texts the editors show, read as the engine reads
// the columns they are written to: the curve, the profile, and for every girder line
// its point on every bent line, with what only the geometry can find wrong.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "geometry/cross_section.h"
#include "geometry/horizontal.h"
#include "geometry/layout.h"
#include "geometry/profile.h"
#include "geometry/stationing.h"

namespace kv {
struct Project;
}

namespace kv::geom {

struct Finding {
  std::string record;  // "01" to "06"
  std::string window;  // the editor: "Horizontal", "GirderLine", ...
  std::string rows;    // grid rows, 1-based ("4", "2 and 5"); empty for a single record
  std::string field;   // the control(s) the finding is about
  std::string message;
  // The bent rows (1-based) a girder line finding is at: the bent, or the two a crossing
  // lies between. Empty when it is about no particular bent.
  std::vector<int> bents;
  // "Geometry: (06) BentLine row 4, Text1: ..."
  std::string Text() const;
};

// Stations here are as the designer writes them (after the station equation).
struct CurveData {
  int turn = 1;  // +1 right, -1 left
  double PI = 0, TS = 0, SC = 0, CS = 0, ST = 0;
  double R = 0, delta = 0;  // delta in degrees
  double LsIn = 0, LsOut = 0, Lc = 0, Tin = 0, Tout = 0, E = 0;
};

struct ProfileCurveData {
  double PVC = 0, PVI = 0, PVT = 0;
  double zPVC = 0, zPVI = 0, zPVT = 0;
  bool hasTurn = false;
  double turnStation = 0, turnZ = 0;
};

struct GirderPoint {
  int bent = 0;  // 1-based bent grid row
  bool found = false;
  double station = 0, offset = 0, x = 0, y = 0, elevation = 0;
};

struct GirderLineData {
  int row = 0;  // 1-based grid row
  std::string description;
  int lineType = 0;   // the code written for it: 0 "Parallel to Horiz." to 4 "Offset Varies"
  double shift = 0;   // the elevation shift, in every point's elevation
  std::span<const GirderPoint> points;  // one per bent line, in row order; held by the geometry
};

struct BentLineData {
  int row = 0;
  std::string description;
  bool found = false;
  double station = 0;  // where it crosses the control line
};

struct PointData {
  double station = 0, offset = 0, x = 0, y = 0;
  double bearing = 0;  // degrees from the grid's +y toward +x
  double grade = 0;    // percent
  double profileElevation = 0, elevation = 0;
  bool inGap = false;  // the station lies in the station equation's gap
};

// A station as a station field shows it (123+45.67, metric 1+234.567), with `decimals`.
std::string StationText(double station, int decimals, bool metric);

class ProjectGeometry {
 public:
  explicit ProjectGeometry(const Project& p);
  // The layout refers to the curve, the lines to the points: both stay where they are.
  ProjectGeometry(const ProjectGeometry&) = delete;
  ProjectGeometry& operator=(const ProjectGeometry&) = delete;

  bool metric() const { return metric_; }
  bool hasProfile() const { return profile_.Defined(); }
  const CurveData& curve() const { return curveData_; }
  const std::vector<ProfileCurveData>& profileCurves() const { return profileCurves_; }
  const std::vector<BentLineData>& bents() const& { return bents_; }
  const std::vector<GirderLineData>& girders() const& { return girders_; }
  const std::vector<Finding>& findings() const& { return findings_; }
  // From a temporary, by value: a range-for over ProjectGeometry(p).findings() is safe.
  std::vector<Finding> findings() && { return std::move(findings_); }
  // The girder lines refer into the geometry's points: not from a temporary.
  const std::vector<GirderLineData>& girders() && = delete;

  PointData At(double station, double offset) const;
  // The same at a running length along the control line (no station equation to pass).
  PointData AtChainage(double u, double offset) const;
  // The cross slope at a running length: each side's fall to the right.
  Slopes SlopesAt(double u) const { return section_.At(u); }

  // For drawing: the control line, its stations, the layout grid (x, y are its
  // coordinates) and every bent line that is written, in the order of bents().
  const HorizontalCurve& controlLine() const { return curve_; }
  const Stationing& stationing() const { return stations_; }
  const Layout& layout() const { return *layout_; }
  const std::vector<BentLine>& bentLines() const& { return lines_; }
  double profileOffset() const { return profOffset_; }
  double referenceStation() const { return refStation_; }
  double pivotOffset() const { return pivot_; }

 private:
  void ReadHorizontal(const Project& p);
  void ReadProfile(const Project& p);
  void ReadSection(const Project& p);
  void LayOut(const Project& p);
  void FindCrossings();
  void FindLimits(const Project& p);
  double Elevation(double u, double offset) const;
  std::string StationText(double chainage) const;  // of a running length
  std::string LabelText(double station) const;
  void Add(std::string record, std::string window, std::string rows, std::string field, std::string message,
           std::vector<int> bents = {});

  bool metric_ = false;
  HorizontalCurve curve_{CurveInput{}};
  Stationing stations_;
  Profile profile_;
  CrossSection section_;
  double profOffset_ = 0, pivot_ = 0, refStation_ = 0;
  std::optional<Layout> layout_;
  CurveData curveData_;
  std::vector<ProfileCurveData> profileCurves_;
  std::vector<BentLineData> bents_;
  std::vector<BentLine> lines_;
  std::vector<GirderLineData> girders_;
  std::vector<Finding> findings_;
  // Every girder line's points, line after line, in one block (the plan view redraws them
  // on every keystroke), and their running lengths for the checks.
  std::vector<GirderPoint> points_;
  std::vector<double> pointU_;
};

}  // namespace kv::geom
