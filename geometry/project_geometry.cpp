#include "geometry/project_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "inputfile/field_routines.h"
#include "inputfile/project.h"

namespace kv::geom {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Plain(double v, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return PlainDecimalText(std::round(v * scale) / scale);
}

// Codes of the reference line's lists; nothing chosen reads as the engine reads
// the column the writer leaves for it.
SkewBase RefSkewBase(int index) {
  switch (index) {
    case 1: return SkewBase::Layout;
    case 2: return SkewBase::Back;
    case 3: return SkewBase::Ahead;
    default: return SkewBase::Control;
  }
}

}  // namespace

std::string Finding::Text() const {
  std::string where = window;
  if (!rows.empty()) where += (rows.find(' ') == std::string::npos ? " row " : " rows ") + rows;
  return "Geometry: (" + record + ") " + where + ", " + field + ": " + message;
}

void ProjectGeometry::Add(std::string record, std::string window, std::string rows, std::string field,
                          std::string message, std::vector<int> bents) {
  findings_.push_back({std::move(record), std::move(window), std::move(rows), std::move(field), std::move(message),
                       std::move(bents)});
}

std::string ProjectGeometry::StationText(double chainage) const { return LabelText(stations_.Station(chainage)); }

std::string ProjectGeometry::LabelText(double station) const { return geom::StationText(station, metric_ ? 3 : 2, metric_); }

std::string StationText(double station, int decimals, bool metric) {
  return FormatStation(FormatFixedNumber(Plain(station, decimals), 16, decimals, false), decimals, metric ? 1 : 0);
}

ProjectGeometry::ProjectGeometry(const Project& p) : metric_(p.MetricUnits == 1) {
  ReadHorizontal(p);
  ReadProfile(p);
  ReadSection(p);
  LayOut(p);
  FindCrossings();
  FindLimits(p);
}

void ProjectGeometry::ReadHorizontal(const Project& p) {
  const HorizontalData& h = p.Horizontal;
  const int units = p.MetricUnits;
  auto value = [&](std::string HorizontalData::*m) { return FieldValue(HorizontalField(m), h.*m, units); };
  auto blank = [&](std::string HorizontalData::*m) { return FieldIsBlank(HorizontalField(m), h.*m, units); };

  const bool backBlank = blank(&HorizontalData::Back), aheadBlank = blank(&HorizontalData::Ahead);
  if (!backBlank && !aheadBlank)
    stations_ = Stationing(value(&HorizontalData::Back), value(&HorizontalData::Ahead));
  else if (backBlank != aheadBlank)
    Add("01", "Horizontal", "", backBlank ? "Back" : "Ahead",
        "the station equation needs both a back and an ahead station; none is applied");

  profOffset_ = value(&HorizontalData::ProfOffset);
  const double deltaDeg = std::abs(value(&HorizontalData::Delta));
  const double radius = value(&HorizontalData::Radius);
  const double degree = metric_ ? 0 : value(&HorizontalData::Degree);
  const double fromDegree = RadiusFromDegree(degree);
  double R = radius > 0 ? radius : fromDegree;
  if (radius > 0 && degree > 0 && std::abs(radius - fromDegree) > 0.01)
    Add("01", "Horizontal", "", "Radius",
        "the radius " + Plain(radius, 2) + " does not match the Degree (" + Plain(fromDegree, 2) +
            " by the arc definition); the radius is used");
  if (deltaDeg >= 180) {
    Add("01", "Horizontal", "", "Delta",
        "a Combined Delta of " + Plain(deltaDeg, 4) +
            " degrees cannot be turned by one curve; the tangents are taken to meet at the PI");
    R = 0;
  } else if (deltaDeg > 0 && R <= 0) {
    Add("01", "Horizontal", "", metric_ ? "Radius" : "Radius, Degree",
        "the control line turns " + Plain(deltaDeg, 4) +
            " degrees without a radius; the tangents are taken to meet at the PI");
  }
  CurveInput in;
  in.pi = stations_.Chainage(value(&HorizontalData::PIStation));
  in.delta = Radians(deltaDeg);
  in.turn = h.Option1 ? -1 : 1;  // the writer's "L" only for Left
  in.R = R;
  in.Lin = std::max(0.0, value(&HorizontalData::InSpiral));
  in.Lout = std::max(0.0, value(&HorizontalData::OutSpiral));
  curve_ = HorizontalCurve(in);
  if (curve_.spiralsDropped) {
    const SpiralElements a = Spiral(R, in.Lin), b = Spiral(R, in.Lout);
    Add("01", "Horizontal", "", "InSpiral, OutSpiral",
        "the spirals turn " + Plain(Degrees(a.theta + b.theta), 4) + " degrees together, more than the Combined Delta of " +
            Plain(deltaDeg, 4) + "; the points are computed on the circular curve alone");
  }

  CurveData& c = curveData_;
  c.turn = curve_.input().turn;
  c.PI = stations_.Station(in.pi);
  c.TS = stations_.Station(curve_.TS);
  c.SC = stations_.Station(curve_.SC);
  c.CS = stations_.Station(curve_.CS);
  c.ST = stations_.Station(curve_.ST);
  c.R = curve_.HasCurve() ? R : 0;
  c.delta = deltaDeg;
  c.LsIn = curve_.in.L;
  c.LsOut = curve_.out.L;
  c.Lc = curve_.Lc;
  c.Tin = curve_.Tin;
  c.Tout = curve_.Tout;
  c.E = curve_.E;
}

void ProjectGeometry::ReadProfile(const Project& p) {
  const VerticalData& v = p.Vertical;
  const int units = p.MetricUnits;
  auto value = [&](std::string VerticalData::*m) { return FieldValue(VerticalField(m), v.*m, units); };
  struct Pi {
    std::string VerticalData::*sta, VerticalData::*elev, VerticalData::*in, VerticalData::*out;
    const char *staName, *inName, *outName;
  };
  const Pi fields[] = {
      {&VerticalData::PISta1, &VerticalData::PIElev1, &VerticalData::InLength1, &VerticalData::OutLength1,
       "PISta1", "InLength1", "OutLength1"},
      {&VerticalData::PISta2, &VerticalData::PIElev2, &VerticalData::InLength2, &VerticalData::OutLength2,
       "PISta2", "InLength2", "OutLength2"}};
  std::vector<VerticalPI> pis;
  std::vector<int> numbers;
  for (int i = 0; i < 2; ++i) {
    const Pi& f = fields[i];
    // The engine reads a blank PI station as zero; either way there is no curve.
    const double station = value(f.sta);
    if (station == 0) continue;
    bool gap = false;
    VerticalPI pi{stations_.Chainage(station, &gap), value(f.elev), value(f.in), value(f.out)};
    if (gap)
      Add("02", "Vertical", "", f.staName,
          "the PI station " + StationText(pi.u) + " lies in the gap the station equation jumps over");
    if ((pi.lIn > 0) != (pi.lOut > 0))
      Add("02", "Vertical", "", pi.lIn > 0 ? f.outName : f.inName,
          "vertical curve " + std::to_string(i + 1) +
              " needs both an in and an out length; the grades meet at its PI without a curve");
    pis.push_back(pi);
    numbers.push_back(i + 1);
  }
  if (pis.empty()) {
    // Only worth saying when there are girder points to put elevations on.
    if (std::any_of(p.GirderLine.rows.begin(), p.GirderLine.rows.end(), GirderRowIsWritten) &&
        std::any_of(p.BentLine.rows.begin(), p.BentLine.rows.end(), BentRowIsWritten))
      Add("02", "Vertical", "", "PISta1", "no PI station: the profile, and so every elevation, is unknown");
    return;
  }
  profile_ = Profile(value(&VerticalData::GradeIn) / 100, pis, value(&VerticalData::GradeOut) / 100);
  const std::vector<VerticalCurve>& curves = profile_.Curves();
  if (curves.size() == 2) {
    if (curves[1].pvi <= curves[0].pvi)
      Add("02", "Vertical", "", "PISta2",
          "the PI of vertical curve 2 at " + StationText(curves[1].pvi) + " is not after that of curve 1 at " +
              StationText(curves[0].pvi));
    else if (curves[0].pvt > curves[1].pvc)
      Add("02", "Vertical", "", "OutLength1, InLength2",
          "vertical curve 1 ends at " + StationText(curves[0].pvt) + ", after vertical curve 2 begins at " +
              StationText(curves[1].pvc));
  }
  for (std::size_t i = 0; i < curves.size(); ++i) {
    const VerticalCurve& c = curves[i];
    if (stations_.HasEquation() && c.pvc < stations_.back() && c.pvt > stations_.back())
      Add("02", "Vertical", "", fields[numbers[i] - 1].staName,
          "vertical curve " + std::to_string(numbers[i]) + " from " + StationText(c.pvc) + " to " +
              StationText(c.pvt) + " runs over the station equation at back " + LabelText(stations_.back()) +
              " = ahead " + LabelText(stations_.ahead()));
    profileCurves_.push_back({stations_.Station(c.pvc), stations_.Station(c.pvi), stations_.Station(c.pvt), c.zPvc,
                              c.zPvi, c.zPvt, c.hasTurn, c.hasTurn ? stations_.Station(c.turnU) : 0, c.turnZ});
  }
}

void ProjectGeometry::ReadSection(const Project& p) {
  const CrossTransData& c = p.CrossTrans;
  const int units = p.MetricUnits;
  auto value = [&](std::string CrossTransData::*m) { return FieldValue(CrossTransField(m), c.*m, units); };
  SectionInput in;
  switch (CrownTypeLetter(c)) {
    case 'B': in.crown = Crown::B; break;
    case 'C': in.crown = Crown::C; break;
    case 'P': in.crown = Crown::P; break;
    default: in.crown = Crown::A; break;
  }
  in.slope = value(&CrossTransData::CrossSlope);
  in.rate = value(&CrossTransData::SuperRate);
  in.pivot = pivot_ = value(&CrossTransData::PivotOffset);
  in.in = {value(&CrossTransData::InRunOut), value(&CrossTransData::InTransLength),
           value(&CrossTransData::InTransPer)};
  in.out = {value(&CrossTransData::OutRunout), value(&CrossTransData::OutTransLength),
            value(&CrossTransData::OutTransPer)};
  in.crownWidth = value(&CrossTransData::CrownWidth);
  in.crownHeight = value(&CrossTransData::CrownHeight);
  in.crownLeft = value(&CrossTransData::CrownLeft);
  in.crownRight = value(&CrossTransData::CrownRight);
  for (const OverrideRow& r : c.rows) {
    if (!OverrideRowIsWritten(r)) continue;
    auto over = [&](std::string OverrideRow::*m) { return FieldValue(OverrideField(m), r.*m, units); };
    const double left = over(&OverrideRow::OverLeft);
    // One slope alone: the section is one plane across.
    const bool oneSlope = FieldIsBlank(OverrideField(&OverrideRow::OverRight), r.OverRight, units);
    in.overrides.push_back({stations_.Chainage(over(&OverrideRow::OverSta)), left,
                            oneSlope ? left : over(&OverrideRow::OverRight)});
  }
  std::stable_sort(in.overrides.begin(), in.overrides.end(),
                   [](const SectionOverride& a, const SectionOverride& b) { return a.u < b.u; });
  CurveSpan span{curve_.HasCurve(), curve_.input().turn, curve_.TS, curve_.ST, curve_.in.L, curve_.out.L};
  section_ = CrossSection(std::move(in), span);
}

double ProjectGeometry::Elevation(double u, double offset) const {
  if (!profile_.Defined()) return kNaN;
  return profile_.Elevation(u) + section_.Rise(u, offset - profOffset_);
}

void ProjectGeometry::LayOut(const Project& p) {
  const RefLineData& r = p.RefLine;
  const int units = p.MetricUnits;
  auto value = [&](std::string RefLineData::*m) { return FieldValue(RefLineField(m), r.*m, units); };
  LayoutInput li;
  bool gap = false;
  refStation_ = value(&RefLineData::RefLineSta);
  li.refU = stations_.Chainage(refStation_, &gap);
  if (gap) Add("04", "RefLine", "", "RefLineSta", "the reference station lies in the gap the station equation jumps over");
  li.on = r.StaOn == 1 ? StationOn::Back : r.StaOn == 2 ? StationOn::Ahead : StationOn::Control;
  li.refSkew = {RefSkewBase(r.SkewRespTo), r.Option2, Radians(value(&RefLineData::SkewAngle))};
  li.bentsSameSkew = r.Option4;
  li.kind = r.LayoutLineIs == 1 ? LayoutKind::Chord : r.LayoutLineIs == 2 ? LayoutKind::Ahead : LayoutKind::Back;
  li.decreasing = r.RevLayoutLine == 1 || r.RevLayoutLine == 2;
  li.reversed = r.RevLayoutLine == 1 || r.RevLayoutLine == 3;
  li.transX = value(&RefLineData::TransX);
  li.transY = value(&RefLineData::TransY);
  layout_.emplace(curve_, li);
  const Layout& lay = *layout_;

  std::vector<BentLine>& lines = lines_;
  for (std::size_t i = 0; i < p.BentLine.rows.size(); ++i) {
    const BentRow& b = p.BentLine.rows[i];
    if (!BentRowIsWritten(b)) continue;
    const double distance = FieldValue(BentField(&BentRow::Text1), b.Text1, units);
    const Distance type = b.Combo1 >= 0 && b.Combo1 <= 6 ? Distance(b.Combo1) : Distance::Control;
    std::optional<Skew> skew;
    if (b.Combo2 >= 1 && b.Combo2 <= 4)
      skew = Skew{SkewBase(b.Combo2 - 1), b.Text7 == "R", Radians(FieldValue(BentField(&BentRow::Text2), b.Text2, units))};
    const BentLine line = lay.Bent(distance, type, skew);
    lines.push_back(line);
    bents_.push_back({int(i) + 1, b.Text4, line.found, line.found ? stations_.Station(line.u) : kNaN});
    if (!line.found)
      Add("06", "BentLine", std::to_string(i + 1), "Text1", "the bent line does not cross the horizontal control line");
  }
  int firstFound = -1, lastFound = -1;
  for (int k = 0; k < int(lines.size()); ++k)
    if (lines[k].found) {
      if (firstFound < 0) firstFound = k;
      lastFound = k;
    }

  // A bent line that does not carry on the stations of those before it.
  int direction = 0, previous = -1;
  for (int k = 0; k < int(lines.size()); ++k) {
    if (!lines[k].found) continue;
    if (previous >= 0) {
      const double step = lines[k].u - lines[previous].u;
      if (direction == 0 && step != 0) direction = step > 0 ? 1 : -1;
      if (direction == 0 || step * direction <= 0)
        Add("06", "BentLine", std::to_string(bents_[k].row), "Text1",
            "its station " + StationText(lines[k].u) + " does not follow on from " +
                StationText(lines[previous].u) + " of the bent line before it (row " +
                std::to_string(bents_[previous].row) + ")");
    }
    previous = k;
  }

  const std::size_t written =
      std::count_if(p.GirderLine.rows.begin(), p.GirderLine.rows.end(), GirderRowIsWritten);
  points_.reserve(written * lines.size());
  pointU_.reserve(written * lines.size());
  girders_.reserve(written);
  for (std::size_t i = 0; i < p.GirderLine.rows.size(); ++i) {
    const GirderRow& g = p.GirderLine.rows[i];
    if (!GirderRowIsWritten(g)) continue;
    const std::size_t first = points_.size();
    const double o = FieldValue(GirderField(g, &GirderRow::Text1), g.Text1, units);
    const double ot = FieldValue(GirderField(g, &GirderRow::Text2), g.Text2, units);
    const double shift = FieldValue(GirderField(g, &GirderRow::Text3), g.Text3, units);
    const int lineType = g.Combo1 >= 0 && g.Combo1 < int(kGirderLineTypeItems.size()) ? g.Combo1 : 0;
    // Offset types as written: 1-4 the list's entries, 5 "Normal from base"
    // (square from the control line); nothing chosen is taken as that too.
    auto offsetType = [](int code) { return code >= 1 && code <= 4 ? code - 1 : 3; };
    const int initial = offsetType(GirderInitialTypeCode(g)), terminal = offsetType(GirderTerminalTypeCode(g));
    auto pointBy = [&](int type, double offset, const BentLine& b) -> std::optional<Vec2> {
      switch (type) {
        case 0: return lay.AlongFromLayout(b, offset);
        case 1: return lay.SquareFromLayout(b, offset);
        case 2: return lay.AlongFromControl(b, offset);
        default: return lay.SquareFromControl(b, offset);
      }
    };
    // What fixes the line: an offset from the control line, or a straight line.
    std::optional<double> fromControl;
    std::optional<std::pair<Vec2, Vec2>> straight;
    if (firstFound >= 0) {
      const std::optional<Vec2> p0 = pointBy(initial, o, lines[firstFound]);
      if (lineType == kGirderSegmented || (lineType == 0 && initial == 3)) {
        fromControl = o;
      } else if (lineType == 0 && p0) {
        fromControl = curve_.Project(*p0).offset;
      } else if (lineType == 2 && p0) {
        const Vec2 n = RightOf(lay.layoutDir());
        straight = std::pair{lay.refPoint() + Dot(*p0 - lay.refPoint(), n) * n, lay.layoutDir()};
      } else if (lineType == kGirderFlared && p0) {
        const std::optional<Vec2> p1 = pointBy(terminal, ot, lines[lastFound]);
        if (p1 && Length(*p1 - *p0) > 1e-9) straight = std::pair{*p0, *p1 - *p0};
        else if (p1) fromControl = curve_.Project(*p0).offset;
      }
    }
    const bool constantVaries = g.List1[3];  // "Type 4 constant offset"
    for (std::size_t k = 0; k < lines.size(); ++k) {
      const BentLine& b = lines[k];
      GirderPoint pt;
      pt.bent = bents_[k].row;
      double u = b.u, offset = 0;
      std::optional<Vec2> at;
      bool square = false;  // (u, offset) already known
      if (b.found && lineType == kGirderOffsetVaries) {
        // Held at a width along the deck from the control line or the pivot.
        const bool fromPivot = initial >= 2, nominal = initial % 2 == 0;
        const double origin = fromPivot ? pivot_ : -profOffset_;  // from the profile grade line
        // The width along the deck: as measured on the normal section, or level.
        const double s = nominal ? section_.DeckLength(b.u, origin, origin + o, true) : o;
        double w = b.u;
        offset = kNaN;
        for (int it = 0; it < 6; ++it) {
          const double next = profOffset_ + (constantVaries ? origin + o : section_.WidthAlongDeck(w, origin, s, false));
          if (std::abs(next - offset) < 1e-10) break;  // the deck there gives the same offset
          offset = next;
          at = lay.SquareFromControl(b, offset, &w);
          if (!at) break;
        }
        u = w;
        square = true;
      } else if (b.found && fromControl) {
        offset = *fromControl;
        at = lay.SquareFromControl(b, offset, &u);
        square = true;
      } else if (b.found && straight) {
        at = lay.OnLine(b, straight->first, straight->second);
      }
      if (at) {
        bool valid = true;
        if (!square) {
          const Foot f = curve_.Project(*at);
          u = f.u, offset = f.offset, valid = f.valid;
        }
        const Vec2 grid = lay.ToGrid(*at);
        pt = {bents_[k].row, true, stations_.Station(u), offset, grid.x, grid.y, Elevation(u, offset) + shift};
        if (!valid)
          Add("05", "GirderLine", std::to_string(i + 1), "Text1",
              "its point on bent row " + std::to_string(pt.bent) +
                  " lies outside the corner of the horizontal control line, with no square foot on it",
              {pt.bent});
      } else if (b.found) {
        Add("05", "GirderLine", std::to_string(i + 1), "Text1",
            "the girder line does not meet bent row " + std::to_string(pt.bent), {pt.bent});
      }
      pointU_.push_back(pt.found ? u : kNaN);
      points_.push_back(pt);
    }
    girders_.push_back({int(i) + 1, g.Text4, lineType, shift,
                        std::span<const GirderPoint>(points_.data() + first, lines.size())});
  }
}

void ProjectGeometry::FindCrossings() {
  const std::size_t nb = bents_.size(), ng = girders_.size();
  auto offsetAt = [&](std::size_t g, std::size_t b) {
    const GirderPoint& pt = girders_[g].points[b];
    return pt.found ? pt.offset : kNaN;
  };
  auto rows = [&](std::size_t a, std::size_t b) {
    return std::to_string(girders_[a].row) + " and " + std::to_string(girders_[b].row);
  };
  const double touch = 1e-6;
  auto before = [&](std::size_t b) {
    return [&, b](std::size_t x, std::size_t y) {
      const double ox = offsetAt(x, b), oy = offsetAt(y, b);
      if (std::isnan(ox) || std::isnan(oy)) return !std::isnan(ox) && std::isnan(oy);
      return ox < oy;
    };
  };
  // Lines in the order of their offsets at a bent; kept from bent to bent while it holds.
  std::vector<std::size_t> order(ng);
  std::iota(order.begin(), order.end(), 0);
  for (std::size_t b = 0; b < nb; ++b) {
    if (!std::is_sorted(order.begin(), order.end(), before(b))) std::sort(order.begin(), order.end(), before(b));
    // Side by side in that order, the lines that meet here.
    for (std::size_t k = 0; k + 1 < ng; ++k) {
      const double o1 = offsetAt(order[k], b), o2 = offsetAt(order[k + 1], b);
      if (std::isnan(o1) || std::isnan(o2)) break;
      if (o2 - o1 < touch)
        Add("05", "GirderLine", rows(std::min(order[k], order[k + 1]), std::max(order[k], order[k + 1])), "Text1",
            "the girder lines meet at bent row " + std::to_string(bents_[b].row), {bents_[b].row});
    }
    if (b + 1 == nb) break;
    // The span to the next bent: in the same order there, nothing crossed.
    bool same = true;
    double last = -std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < ng && same; ++k) {
      const double o0 = offsetAt(order[k], b), o1 = offsetAt(order[k], b + 1);
      if (std::isnan(o0) || std::isnan(o1)) continue;
      same = o1 > last;
      last = o1;
    }
    if (same) continue;
    for (std::size_t i = 0; i < ng; ++i)
      for (std::size_t j = i + 1; j < ng; ++j) {
        const double d0 = offsetAt(i, b) - offsetAt(j, b), d1 = offsetAt(i, b + 1) - offsetAt(j, b + 1);
        if (std::abs(d0) >= touch && std::abs(d1) >= touch && d0 * d1 < 0)
          Add("05", "GirderLine", rows(i, j), "Text1",
              "the girder lines cross between bent rows " + std::to_string(bents_[b].row) + " and " +
                  std::to_string(bents_[b + 1].row),
              {bents_[b].row, bents_[b + 1].row});
      }
  }
}

void ProjectGeometry::FindLimits(const Project& p) {
  const RefLineData& r = p.RefLine;
  const int units = p.MetricUnits;
  const FieldSpec& begSpec = RefLineField(&RefLineData::LimitBegSta);
  const FieldSpec& endSpec = RefLineField(&RefLineData::LimitEndSta);
  const bool hasBeg = !FieldIsBlank(begSpec, r.LimitBegSta, units), hasEnd = !FieldIsBlank(endSpec, r.LimitEndSta, units);
  if (!hasBeg && !hasEnd) return;
  const double beg = stations_.Chainage(FieldValue(begSpec, r.LimitBegSta, units));
  const double end = stations_.Chainage(FieldValue(endSpec, r.LimitEndSta, units));
  for (std::size_t b = 0; b < bents_.size(); ++b) {
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (std::size_t g = 0; g < girders_.size(); ++g) {
      const double u = pointU_[g * bents_.size() + b];
      if (!std::isnan(u)) lo = std::min(lo, u), hi = std::max(hi, u);
    }
    if (lo > hi) continue;
    const std::string row = std::to_string(bents_[b].row);
    if (hasBeg && lo < beg - 1e-9)
      Add("06", "BentLine", row, "Text1",
          "its girder points reach back to " + StationText(lo) +
              ", before the begin of valid elevation and cross-slope data at " + StationText(beg) +
              " (RefLine LimitBegSta)");
    if (hasEnd && hi > end + 1e-9)
      Add("06", "BentLine", row, "Text1",
          "its girder points reach on to " + StationText(hi) +
              ", past the end of valid elevation and cross-slope data at " + StationText(end) +
              " (RefLine LimitEndSta)");
  }
}

PointData ProjectGeometry::At(double station, double offset) const {
  bool gap = false;
  const double u = stations_.Chainage(station, &gap);
  PointData d = AtChainage(u, offset);
  d.station = station;
  d.inGap = gap;
  return d;
}

PointData ProjectGeometry::AtChainage(double u, double offset) const {
  PointData d;
  const Pose pose = curve_.At(u);
  const Vec2 grid = layout_->ToGrid(pose.at + offset * pose.Right());
  d.station = stations_.Station(u);
  d.offset = offset;
  d.x = grid.x;
  d.y = grid.y;
  d.bearing = layout_->GridBearing(pose.azimuth);
  d.grade = profile_.Defined() ? 100 * profile_.Grade(u) : kNaN;
  d.profileElevation = profile_.Defined() ? profile_.Elevation(u) : kNaN;
  d.elevation = Elevation(u, offset);
  return d;
}

}  // namespace kv::geom
