#include "drawing/export.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <sstream>

namespace kv::draw {
namespace {

std::string Num(double v) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  std::string s = buf;
  if (s == "-0.00") s = "0.00";
  return s;
}

std::string Colour(const LayerStyle& s) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", s.r, s.g, s.b);
  return buf;
}

// The project's Latin-1 bytes as UTF-8, with what XML reserves escaped.
std::string XmlText(const std::string& latin1) {
  std::string out;
  for (unsigned char c : latin1) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        if (c < 0x20) {
          out += ' ';
        } else if (c < 0x80) {
          out += char(c);
        } else {
          out += char(0xC0 | (c >> 6));
          out += char(0x80 | (c & 0x3F));
        }
    }
  }
  return out;
}

void SvgMark(std::ostringstream& o, const Mark& m, const View& v) {
  const Vec2 c = v.ToScreen(m.at);
  const double r = m.size / 2;
  switch (m.shape) {
    case Shape::Dot: o << "<circle cx=\"" << Num(c.x) << "\" cy=\"" << Num(c.y) << "\" r=\"" << Num(r) << "\" fill=\"currentColor\"/>\n"; break;
    case Shape::Circle: o << "<circle cx=\"" << Num(c.x) << "\" cy=\"" << Num(c.y) << "\" r=\"" << Num(r) << "\" fill=\"white\"/>\n"; break;
    case Shape::Triangle:
      o << "<polygon points=\"" << Num(c.x) << "," << Num(c.y - r) << " " << Num(c.x + r) << "," << Num(c.y + 0.8 * r) << " "
        << Num(c.x - r) << "," << Num(c.y + 0.8 * r) << "\" fill=\"white\"/>\n";
      break;
    case Shape::Diamond:
      o << "<polygon points=\"" << Num(c.x) << "," << Num(c.y - r) << " " << Num(c.x + r) << "," << Num(c.y) << " " << Num(c.x)
        << "," << Num(c.y + r) << " " << Num(c.x - r) << "," << Num(c.y) << "\" fill=\"white\"/>\n";
      break;
    case Shape::Tick: {
      const Vec2 d = v.ScreenDir(m.dir), a = c - r * d, b = c + r * d;
      o << "<line x1=\"" << Num(a.x) << "\" y1=\"" << Num(a.y) << "\" x2=\"" << Num(b.x) << "\" y2=\"" << Num(b.y) << "\"/>\n";
      break;
    }
    case Shape::Warning:
      o << "<circle cx=\"" << Num(c.x) << "\" cy=\"" << Num(c.y) << "\" r=\"" << Num(r)
        << "\" fill=\"currentColor\" stroke=\"white\" stroke-width=\"1.5\"><title>" << XmlText(m.tip) << "</title></circle>\n"
        << "<text x=\"" << Num(c.x) << "\" y=\"" << Num(c.y + 0.36 * kLabelPixels) << "\" fill=\"white\" stroke=\"none\" "
        << "font-weight=\"bold\" text-anchor=\"middle\">!</text>\n";
      break;
  }
}

void SvgLabels(std::ostringstream& o, const Drawing& d, const std::vector<Placed>& placed) {
  for (int layer = 0; layer < kLayerCount; ++layer) {
    bool open = false;
    for (const Placed& p : placed) {
      const Label& l = d.labels[p.label];
      if (int(l.layer) != layer) continue;
      if (!open) {
        const LayerStyle& s = StyleOf(l.layer);
        // Names in the colour of their lines, a little darker, over a white ground.
        char fill[8];
        std::snprintf(fill, sizeof fill, "#%02x%02x%02x", s.r * 3 / 4, s.g * 3 / 4, s.b * 3 / 4);
        o << "<g id=\"" << s.name << "_TEXT\" fill=\"" << (l.layer == Layer::Grid || l.layer == Layer::Axes ? "#303030" : fill)
          << "\">\n";
        open = true;
      }
      o << "<g transform=\"translate(" << Num(p.origin.x) << "," << Num(p.origin.y) << ") rotate(" << Num(p.Angle())
        << ")\"><rect width=\"" << Num(p.width) << "\" height=\"" << Num(p.height)
        << "\" fill=\"white\" fill-opacity=\"0.75\"/><text y=\"" << Num(p.ascent) << "\">"
        << XmlText(l.text) << "</text></g>\n";
    }
    if (open) o << "</g>\n";
  }
}

void SvgLayers(std::ostringstream& o, const Drawing& d, const View& v, const char* suffix) {
  for (int layer = 0; layer < kLayerCount; ++layer) {
    const LayerStyle& s = StyleOf(Layer(layer));
    std::ostringstream body;
    for (const Path& p : d.paths) {
      if (int(p.layer) != layer || p.points.size() < 2) continue;
      body << "<polyline points=\"";
      for (std::size_t i = 0; i < p.points.size(); ++i) {
        const Vec2 q = v.ToScreen(p.points[i]);
        body << (i ? " " : "") << Num(q.x) << "," << Num(q.y);
      }
      body << "\"/>\n";
    }
    for (const Mark& m : d.marks)
      if (int(m.layer) == layer) SvgMark(body, m, v);
    if (body.str().empty()) continue;
    o << "<g id=\"" << s.name << suffix << "\" color=\"" << Colour(s) << "\" stroke=\"" << Colour(s) << "\" stroke-width=\""
      << Num(s.width) << "\" fill=\"none\" stroke-linejoin=\"round\" stroke-linecap=\"round\"";
    if (s.dashed) o << " stroke-dasharray=\"7 4\"";
    if (Layer(layer) == Layer::Findings) o << " stroke-opacity=\"0.35\"";
    o << ">\n" << body.str() << "</g>\n";
  }
}

// DXF, release 12: group code, value.
struct Dxf {
  std::ostringstream o;
  void G(int code, const std::string& v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%3d", code);
    o << buf << "\n" << v << "\n";
  }
  void G(int code, double v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    G(code, std::string(buf));
  }
  void G(int code, int v) { G(code, std::to_string(v)); }
  void Point(int code, Vec2 p) {
    G(code, p.x);
    G(code + 10, p.y);
    G(code + 20, 0.0);
  }
};

}  // namespace

std::string WriteSvg(const Drawing& d, const View& v, const MeasureText& measure) {
  std::ostringstream o;
  o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << Num(v.width) << "\" height=\"" << Num(v.height)
    << "\" viewBox=\"0 0 " << Num(v.width) << " " << Num(v.height)
    << "\" font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\" font-size=\"" << Num(kLabelPixels) << "\">\n"
    << "<title>" << XmlText(d.title) << "</title>\n"
    << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  SvgLayers(o, d, v, "");
  const Drawing over = Overlay(d, v);
  const View screen = ScreenView(v.width, v.height);
  SvgLayers(o, over, screen, "_SHEET");
  const std::vector<Placed> sheet = PlaceLabels(over, screen, measure, false);
  SvgLabels(o, d, PlaceLabels(d, v, measure, true, sheet));
  SvgLabels(o, over, sheet);
  o << "</svg>\n";
  return o.str();
}

std::string WriteDxf(const Drawing& d) {
  Box ext;
  for (const Path& p : d.paths)
    for (Vec2 q : p.points) ext.Add(d.dxf(q));
  for (const Mark& m : d.marks) ext.Add(d.dxf(m.at));
  if (ext.Empty()) ext.Add(Vec2{0, 0});
  Box focus;
  if (!d.focus.Empty()) {
    // The focus is on the page; the same box's corners, taken back to DXF units.
    const Mat2 toDxf = d.dxf * d.page.Inverse();
    for (Vec2 c : {Vec2{d.focus.x0, d.focus.y0}, Vec2{d.focus.x1, d.focus.y0}, Vec2{d.focus.x0, d.focus.y1},
                   Vec2{d.focus.x1, d.focus.y1}})
      focus.Add(toDxf(c));
  } else {
    focus = ext;
  }
  // Text a hundredth of the structure high, so names stay apart as they do on screen.
  const double h = std::max(0.012 * std::max(focus.Width(), focus.Height()), 0.05);
  const double k = h / kLabelPixels;  // drawing units per pixel

  std::set<int> used;
  for (const Path& p : d.paths) used.insert(int(p.layer));
  for (const Mark& m : d.marks) used.insert(int(m.layer));
  for (const Label& l : d.labels) used.insert(int(l.layer));

  Dxf x;
  x.G(0, "SECTION");
  x.G(2, "HEADER");
  x.G(9, "$ACADVER");
  x.G(1, "AC1009");
  x.G(9, "$DWGCODEPAGE");
  x.G(3, "ANSI_1252");
  x.G(9, "$EXTMIN");
  x.Point(10, {ext.x0, ext.y0});
  x.G(9, "$EXTMAX");
  x.Point(10, {ext.x1, ext.y1});
  x.G(0, "ENDSEC");

  x.G(0, "SECTION");
  x.G(2, "TABLES");
  x.G(0, "TABLE");
  x.G(2, "LTYPE");
  x.G(70, 2);
  x.G(0, "LTYPE");
  x.G(2, "CONTINUOUS");
  x.G(70, 0);
  x.G(3, "Solid line");
  x.G(72, 65);
  x.G(73, 0);
  x.G(40, 0.0);
  x.G(0, "LTYPE");
  x.G(2, "DASHED");
  x.G(70, 0);
  x.G(3, "__ __ __");
  x.G(72, 65);
  x.G(73, 2);
  x.G(40, 1.5 * h);
  x.G(49, h);
  x.G(49, -0.5 * h);
  x.G(0, "ENDTAB");
  x.G(0, "TABLE");
  x.G(2, "LAYER");
  x.G(70, int(used.size()));
  for (int layer : used) {
    const LayerStyle& s = StyleOf(Layer(layer));
    x.G(0, "LAYER");
    x.G(2, s.name);
    x.G(70, 0);
    x.G(62, s.dxfColor);
    x.G(6, s.dashed ? "DASHED" : "CONTINUOUS");
  }
  x.G(0, "ENDTAB");
  x.G(0, "ENDSEC");

  x.G(0, "SECTION");
  x.G(2, "ENTITIES");
  for (const Path& p : d.paths) {
    if (p.points.size() < 2) continue;
    const char* layer = StyleOf(p.layer).name;
    if (p.points.size() == 2) {
      x.G(0, "LINE");
      x.G(8, layer);
      x.Point(10, d.dxf(p.points[0]));
      x.Point(11, d.dxf(p.points[1]));
      continue;
    }
    x.G(0, "POLYLINE");
    x.G(8, layer);
    x.G(66, 1);
    x.Point(10, {0, 0});
    x.G(70, 0);
    for (Vec2 q : p.points) {
      x.G(0, "VERTEX");
      x.G(8, layer);
      x.Point(10, d.dxf(q));
    }
    x.G(0, "SEQEND");
    x.G(8, layer);
  }
  auto text = [&](const char* layer, const std::string& s, Vec2 at, double height, double angle, int h72, int v73) {
    x.G(0, "TEXT");
    x.G(8, layer);
    x.Point(10, at);
    x.G(40, height);
    x.G(1, s);
    x.G(50, angle);
    if (h72 != 0) x.G(72, h72);
    x.Point(11, at);
    if (v73 != 0) x.G(73, v73);
  };
  for (const Mark& m : d.marks) {
    const char* layer = StyleOf(m.layer).name;
    const Vec2 c = d.dxf(m.at);
    const double r = m.size / 2 * k;
    switch (m.shape) {
      case Shape::Tick: {
        const Vec2 dir = geom::Unit(d.dxf(m.dir));
        x.G(0, "LINE");
        x.G(8, layer);
        x.Point(10, c - r * dir);
        x.Point(11, c + r * dir);
        break;
      }
      case Shape::Triangle:
      case Shape::Diamond: {
        const std::vector<Vec2> pts = m.shape == Shape::Triangle
                                          ? std::vector<Vec2>{{c.x, c.y + r}, {c.x + r, c.y - 0.8 * r}, {c.x - r, c.y - 0.8 * r}}
                                          : std::vector<Vec2>{{c.x, c.y + r}, {c.x + r, c.y}, {c.x, c.y - r}, {c.x - r, c.y}};
        x.G(0, "POLYLINE");
        x.G(8, layer);
        x.G(66, 1);
        x.Point(10, {0, 0});
        x.G(70, 1);
        for (Vec2 q : pts) {
          x.G(0, "VERTEX");
          x.G(8, layer);
          x.Point(10, q);
        }
        x.G(0, "SEQEND");
        x.G(8, layer);
        break;
      }
      default:
        x.G(0, "CIRCLE");
        x.G(8, layer);
        x.Point(10, c);
        x.G(40, r);
        break;
    }
    // A finding's text beside its mark, for whoever opens the file without this program.
    if (!m.tip.empty()) text(layer, m.tip, c + Vec2{1.5 * r, 0}, 0.8 * h, 0, 0, 2);
  }
  for (const Label& l : d.labels) {
    if (l.alternative) continue;
    Vec2 u = d.dxf(l.dir);
    u = (u.x == 0 && u.y == 0) ? Vec2{1, 0} : geom::Unit(u);
    Align align = l.align;
    if (u.x < -1e-9 || (std::abs(u.x) <= 1e-9 && u.y < 0)) {
      u = -u;
      if (align != Align::Middle) align = align == Align::Start ? Align::End : Align::Start;
    }
    const Vec2 up{-u.y, u.x};
    Vec2 at = d.dxf(l.at);
    if (align == Align::Start) at = at + l.gap * k * u;
    if (align == Align::End) at = at - l.gap * k * u;
    if (l.side == Side::Above) at = at + l.lift * k * up;
    if (l.side == Side::Below) at = at - l.lift * k * up;
    text(StyleOf(l.layer).name, l.text, at, h, geom::Degrees(std::atan2(u.y, u.x)),
         align == Align::Start ? 0 : align == Align::Middle ? 1 : 2,
         l.side == Side::Above ? 1 : l.side == Side::Below ? 3 : 2);
  }
  x.G(0, "ENDSEC");
  x.G(0, "EOF");
  return x.o.str();
}

}  // namespace kv::draw
