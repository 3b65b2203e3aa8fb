// A drawing of the project on screen: painted anti-aliased from the drawing's own
// description, zoomed with the wheel about the pointer, panned by dragging, fitted with
// a key; a click or the pointer resting on a line is told to the window.
#pragma once

#include <QFont>
#include <QWidget>
#include <memory>

#include "drawing/drawing.h"

class QPainter;

namespace kv {

// The measure of label texts in a font, for placing them.
draw::MeasureText QtMeasure(const QFont& font);
// The font labels are drawn in: the widget's, by pixels, so that it keeps its size on
// a printer's scaled page.
QFont LabelFont(const QFont& widgetFont);
// Paints the drawing as the view places it, on a white ground, with its title, north
// arrow and scale bar; the lines of `highlight` stand out.
void PaintDrawing(QPainter& p, const draw::Drawing& d, const draw::View& v, const QFont& font,
                  const draw::Ref& highlight = {});

class DrawingCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit DrawingCanvas(QWidget* parent = nullptr);

  // A new drawing of the same project keeps the zoom and place; `fit` shows its focus.
  void SetDrawing(std::shared_ptr<const draw::Drawing> d, bool fit = false);
  const draw::Drawing* drawing() const { return drawing_.get(); }
  const draw::View& view() const { return view_; }
  // The focus (the structure) or everything, filling the canvas.
  void Fit();
  void FitAll();
  // Where a point of the drawing is on the canvas.
  QPointF ScreenPoint(geom::Vec2 at) const;
  // Paints what the canvas shows on a page of the given size (printing, images).
  void PaintPage(QPainter& p, const QRectF& page) const;

  QSize sizeHint() const override { return {1000, 560}; }

 signals:
  // A click that was not a drag: the drawing point and what lies under it.
  void Clicked(geom::Vec2 at, draw::Ref hit);
  void Hovered(geom::Vec2 at, draw::Ref hit);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void SetView(const draw::View& v);
  geom::Vec2 At(QPointF p) const { return view_.ToDrawing({p.x(), p.y()}); }

  std::shared_ptr<const draw::Drawing> drawing_;
  draw::View view_;
  bool fitted_ = false;  // the view is a fit, to be fitted again when the canvas resizes
  bool fitAll_ = false;
  bool dragging_ = false;
  QPointF pressAt_, lastAt_;
  draw::Ref hover_;
};

}  // namespace kv
