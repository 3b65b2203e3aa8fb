#include "views/drawing_canvas.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>
#include <unordered_map>

namespace kv {
namespace {

using draw::Layer;
using draw::Shape;
using geom::Vec2;

QPointF Q(Vec2 p) { return {p.x, p.y}; }

constexpr Vec2 kOctagon[8] = {{1, 0.414}, {0.414, 1}, {-0.414, 1}, {-1, 0.414},
                              {-1, -0.414}, {-0.414, -1}, {0.414, -1}, {1, -0.414}};

QColor ColourOf(Layer layer, int alpha = 255) {
  const draw::LayerStyle& s = draw::StyleOf(layer);
  return QColor(s.r, s.g, s.b, alpha);
}

QPen PenOf(Layer layer) {
  const draw::LayerStyle& s = draw::StyleOf(layer);
  QPen pen(ColourOf(layer, layer == Layer::Findings ? 90 : 255), s.width);
  // Hairlines take the painter's fast way; wider lines get round ends only where few.
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  if (s.dashed) pen.setDashPattern({7.0 / s.width, 4.0 / s.width});
  return pen;
}

void PaintMark(QPainter& p, const draw::Mark& m, const draw::View& v) {
  const Vec2 c = v.ToScreen(m.at);
  const double r = m.size / 2;
  const QColor colour = ColourOf(m.layer);
  p.setPen(QPen(colour, 1.4));
  switch (m.shape) {
    case Shape::Dot:
      p.setBrush(colour);
      p.drawEllipse(Q(c), r, r);
      break;
    case Shape::Circle:
      p.setBrush(Qt::white);
      p.drawEllipse(Q(c), r, r);
      break;
    case Shape::Triangle:
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygonF({QPointF(c.x, c.y - r), QPointF(c.x + r, c.y + 0.8 * r), QPointF(c.x - r, c.y + 0.8 * r)}));
      break;
    case Shape::Diamond:
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygonF({QPointF(c.x, c.y - r), QPointF(c.x + r, c.y), QPointF(c.x, c.y + r), QPointF(c.x - r, c.y)}));
      break;
    case Shape::Tick: {
      const Vec2 d = v.ScreenDir(m.dir);
      p.drawLine(Q(c - r * d), Q(c + r * d));
      break;
    }
    case Shape::Warning: {
      p.setPen(QPen(Qt::white, 1.5));
      p.setBrush(colour);
      p.drawEllipse(Q(c), r, r);
      QFont f = p.font();
      f.setBold(true);
      p.save();
      p.setFont(f);
      p.setPen(Qt::white);
      p.drawText(QRectF(c.x - r, c.y - r, 2 * r, 2 * r), Qt::AlignCenter, QStringLiteral("!"));
      p.restore();
      break;
    }
  }
  p.setBrush(Qt::NoBrush);
}

void PaintLayers(QPainter& p, const draw::Drawing& d, const draw::View& v, const draw::Ref& highlight) {
  const QRectF screen(-50, -50, v.width + 100, v.height + 100);
  // On a scaled page (a printer) the lines scale with it.
  const bool cosmetic = !p.transform().isScaling();
  for (int layer = 0; layer < draw::kLayerCount; ++layer) {
    QPen pen = PenOf(Layer(layer));
    pen.setCosmetic(cosmetic);
    p.setPen(pen);
    // Wide lines of a layer as one path, which the painter strokes in one go; hairlines
    // take its quicker way one by one.
    const bool hairline = draw::StyleOf(Layer(layer)).width <= 1;
    QPainterPath all;
    for (const draw::Path& path : d.paths) {
      if (int(path.layer) != layer || path.points.size() < 2) continue;
      QPolygonF poly;
      poly.reserve(qsizetype(path.points.size()));
      for (Vec2 q : path.points) poly << Q(v.ToScreen(q));
      if (!poly.boundingRect().intersects(screen) && poly.boundingRect().width() > 0 && poly.boundingRect().height() > 0)
        continue;
      if (hairline) {
        p.drawPolyline(poly);
      } else {
        all.addPolygon(poly);
      }
    }
    if (!all.isEmpty()) p.drawPath(all);
    // Dots, the many marks, filled as one path; the few others one by one.
    QPainterPath dots;
    for (const draw::Mark& m : d.marks) {
      if (int(m.layer) != layer) continue;
      if (m.shape == Shape::Dot) {
        const Vec2 c = v.ToScreen(m.at);
        if (c.x > -20 && c.y > -20 && c.x < v.width + 20 && c.y < v.height + 20) {
          // An octagon: at a few pixels as round as a circle, and quicker to fill.
          const double r = m.size / 2;
          QPolygonF octagon;
          for (int k = 0; k < 8; ++k) octagon << QPointF(c.x + r * kOctagon[k].x, c.y + r * kOctagon[k].y);
          dots.addPolygon(octagon);
          dots.closeSubpath();
        }
      } else {
        PaintMark(p, m, v);
      }
    }
    if (!dots.isEmpty()) {
      p.setPen(Qt::NoPen);
      p.setBrush(ColourOf(Layer(layer)));
      p.drawPath(dots);
      p.setBrush(Qt::NoBrush);
    }
  }
  if (highlight.kind == draw::Ref::None) return;
  // What the pointer rests on, wider and in the colour of the section cut.
  QPen pen(ColourOf(Layer::Cut, 200), 3.5);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  for (const draw::Path& path : d.paths) {
    if (!(path.ref == highlight) || path.layer == Layer::Findings) continue;
    QPolygonF poly;
    for (Vec2 q : path.points) poly << Q(v.ToScreen(q));
    p.drawPolyline(poly);
  }
}

void PaintLabels(QPainter& p, const draw::Drawing& d, const std::vector<draw::Placed>& placed) {
  for (const draw::Placed& pl : placed) {
    const draw::Label& l = d.labels[pl.label];
    const draw::LayerStyle& s = draw::StyleOf(l.layer);
    const QColor ink = l.layer == Layer::Grid || l.layer == Layer::Axes ? QColor(48, 48, 48)
                                                                        : QColor(s.r * 3 / 4, s.g * 3 / 4, s.b * 3 / 4);
    // The white ground under the text: a plain rectangle when the text is level or plumb.
    const QColor ground(255, 255, 255, 190);
    const auto corners = pl.Corners();
    if (std::abs(pl.along.x) < 1e-9 || std::abs(pl.along.y) < 1e-9) {
      draw::Box b;
      for (Vec2 c : corners) b.Add(c);
      p.fillRect(QRectF(b.x0, b.y0, b.Width(), b.Height()), ground);
    } else {
      p.setPen(Qt::NoPen);
      p.setBrush(ground);
      p.drawPolygon(QPolygonF({Q(corners[0]), Q(corners[1]), Q(corners[2]), Q(corners[3])}));
      p.setBrush(Qt::NoBrush);
    }
    p.save();
    p.translate(Q(pl.origin));
    p.rotate(pl.Angle());
    p.setPen(ink);
    p.drawText(QPointF(0, pl.ascent), QString::fromLatin1(l.text.data(), qsizetype(l.text.size())));
    p.restore();
  }
}

}  // namespace

QFont LabelFont(const QFont& widgetFont) {
  QFont f = widgetFont;
  f.setPixelSize(std::max(9, QFontInfo(widgetFont).pixelSize()));
  return f;
}

draw::MeasureText QtMeasure(const QFont& font) {
  // Texts come again on every redraw: each is measured once per font.
  struct Cache {
    QFont font;
    QFontMetricsF metrics;
    std::unordered_map<std::string, draw::TextSize> sizes;
  };
  static std::vector<std::shared_ptr<Cache>> caches;
  std::shared_ptr<Cache> cache;
  for (const auto& c : caches)
    if (c->font == font) cache = c;
  if (!cache) {
    if (caches.size() > 4) caches.erase(caches.begin());
    cache = std::make_shared<Cache>(Cache{font, QFontMetricsF(font), {}});
    caches.push_back(cache);
  }
  return [cache](const std::string& text) {
    auto [it, added] = cache->sizes.try_emplace(text);
    if (added) {
      const QString s = QString::fromLatin1(text.data(), qsizetype(text.size()));
      it->second = {cache->metrics.horizontalAdvance(s) + 2, cache->metrics.height(), cache->metrics.ascent()};
      if (cache->sizes.size() > 20000) cache->sizes.clear(), cache->sizes.try_emplace(text, it->second);
    }
    return cache->sizes.at(text);
  };
}

void PaintDrawing(QPainter& p, const draw::Drawing& d, const draw::View& v, const QFont& font,
                  const draw::Ref& highlight) {
  p.save();
  p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  p.setFont(font);
  p.fillRect(QRectF(0, 0, v.width, v.height), Qt::white);
  p.setClipRect(QRectF(0, 0, v.width, v.height));
  const draw::MeasureText measure = QtMeasure(font);
  const draw::Drawing sheet = draw::Overlay(d, v);
  const draw::View screen = draw::ScreenView(v.width, v.height);
  PaintLayers(p, d, v, highlight);
  PaintLayers(p, sheet, screen, {});
  const std::vector<draw::Placed> sheetLabels = draw::PlaceLabels(sheet, screen, measure, false);
  PaintLabels(p, d, draw::PlaceLabels(d, v, measure, true, sheetLabels));
  PaintLabels(p, sheet, sheetLabels);
  p.restore();
}

DrawingCanvas::DrawingCanvas(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Canvas"));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::CrossCursor);
  view_.width = width(), view_.height = height();
}

void DrawingCanvas::SetDrawing(std::shared_ptr<const draw::Drawing> d, bool fit) {
  const bool first = drawing_ == nullptr;
  drawing_ = std::move(d);
  view_.page = drawing_->page;
  if (first || fit || fitted_) {
    fitAll_ && !first && !fit ? FitAll() : Fit();
  } else {
    update();
  }
}

void DrawingCanvas::SetView(const draw::View& v) {
  view_ = v;
  update();
}

void DrawingCanvas::Fit() {
  if (!drawing_) return;
  SetView(draw::FitView(*drawing_, width(), height(), QtMeasure(LabelFont(font()))));
  fitted_ = true, fitAll_ = false;
}

void DrawingCanvas::FitAll() {
  if (!drawing_) return;
  SetView(draw::FitView(*drawing_, width(), height(), QtMeasure(LabelFont(font())), drawing_->PageExtent()));
  fitted_ = true, fitAll_ = true;
}

QPointF DrawingCanvas::ScreenPoint(geom::Vec2 at) const { return Q(view_.ToScreen(at)); }

void DrawingCanvas::PaintPage(QPainter& p, const QRectF& page) const {
  if (!drawing_) return;
  // What the canvas shows, as large as the page allows.
  draw::View v = view_;
  v.width = page.width(), v.height = page.height();
  v.scale = view_.scale * std::min(page.width() / std::max(1, width()), page.height() / std::max(1, height()));
  p.save();
  p.translate(page.topLeft());
  PaintDrawing(p, *drawing_, v, LabelFont(font()));
  p.restore();
}

void DrawingCanvas::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!drawing_) {
    p.fillRect(rect(), Qt::white);
    return;
  }
  PaintDrawing(p, *drawing_, view_, LabelFont(font()), hover_);
}

void DrawingCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  view_.width = width(), view_.height = height();
  if (fitted_) {
    fitAll_ ? FitAll() : Fit();
  } else {
    update();
  }
}

void DrawingCanvas::wheelEvent(QWheelEvent* event) {
  if (!drawing_) return;
  const double steps = event->angleDelta().y() / 120.0;
  if (steps == 0) return;
  const QPointF at = event->position();
  SetView(view_.ZoomedAt({at.x(), at.y()}, std::pow(1.25, steps)));
  fitted_ = false;
  event->accept();
}

void DrawingCanvas::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressAt_ = lastAt_ = event->position();
  dragging_ = false;
  setFocus(Qt::MouseFocusReason);
}

void DrawingCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (!drawing_) return;
  const QPointF at = event->position();
  if (event->buttons() & Qt::LeftButton) {
    if (!dragging_ && (at - pressAt_).manhattanLength() >= 4) {
      dragging_ = true;
      setCursor(Qt::ClosedHandCursor);
    }
    if (dragging_) {
      SetView(view_.Panned({at.x() - lastAt_.x(), at.y() - lastAt_.y()}));
      fitted_ = false;
      lastAt_ = at;
    }
    return;
  }
  const draw::Ref hit = draw::HitTest(*drawing_, view_, {at.x(), at.y()});
  if (!(hit == hover_)) {
    hover_ = hit;
    update();
  }
  emit Hovered(At(at), hit);
}

void DrawingCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (dragging_) {
    dragging_ = false;
    setCursor(Qt::CrossCursor);
    return;
  }
  if (!drawing_) return;
  const QPointF at = event->position();
  emit Clicked(At(at), draw::HitTest(*drawing_, view_, {at.x(), at.y()}));
}

void DrawingCanvas::keyPressEvent(QKeyEvent* event) {
  const double step = 60;
  switch (event->key()) {
    case Qt::Key_F: Fit(); break;
    case Qt::Key_A:
    case Qt::Key_Home: FitAll(); break;
    case Qt::Key_Plus:
    case Qt::Key_Equal: SetView(view_.ZoomedAt({width() / 2.0, height() / 2.0}, 1.25)), fitted_ = false; break;
    case Qt::Key_Minus: SetView(view_.ZoomedAt({width() / 2.0, height() / 2.0}, 0.8)), fitted_ = false; break;
    case Qt::Key_Left: SetView(view_.Panned({step, 0})), fitted_ = false; break;
    case Qt::Key_Right: SetView(view_.Panned({-step, 0})), fitted_ = false; break;
    case Qt::Key_Up: SetView(view_.Panned({0, step})), fitted_ = false; break;
    case Qt::Key_Down: SetView(view_.Panned({0, -step})), fitted_ = false; break;
    default: QWidget::keyPressEvent(event); return;
  }
  event->accept();
}

bool DrawingCanvas::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && drawing_) {
    auto* help = static_cast<QHelpEvent*>(event);
    const draw::Mark* m = draw::TipAt(*drawing_, view_, {double(help->pos().x()), double(help->pos().y())});
    if (m != nullptr) {
      QToolTip::showText(help->globalPos(), QString::fromLatin1(m->tip.data(), qsizetype(m->tip.size())), this);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QWidget::event(event);
}

}  // namespace kv
