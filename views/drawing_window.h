// A window that shows one drawing of the project: buttons to fit, print and save it,
// the canvas, and a status line that tells what lies under the pointer.
#pragma once

#include <QWidget>
#include <memory>

#include "app/platform.h"
#include "drawing/drawing.h"

class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace kv {

class DrawingCanvas;

class DrawingWindow : public QWidget {
  Q_OBJECT

 public:
  // `name` is the objectName, `caption` the title; the seams outlive the window.
  DrawingWindow(const QString& name, const QString& caption, const Platform& platform, QWidget* parent = nullptr);

  void SetDrawing(std::shared_ptr<const draw::Drawing> d, bool fit = false);
  const draw::Drawing* drawing() const;

  // "Print...": the print dialog, then what the canvas shows on a page per copy.
  void Print();
  // "Save As...": SVG or PNG as the canvas shows it, or DXF, by the name's ending.
  void SaveAs();
  // The bytes of a file of that name (by its ending: .svg, .png, .dxf; otherwise SVG).
  std::string FileBytes(const QString& name) const;

  // More controls after the buttons, more rows under the canvas.
  void AddBeside(QWidget* w);
  void AddBelow(QWidget* w);

  DrawingCanvas* Canvas = nullptr;
  QPushButton* cmdFit = nullptr;
  QPushButton* cmdPrint = nullptr;
  QPushButton* cmdSave = nullptr;
  QLabel* lblStatus = nullptr;

 signals:
  void VisibilityChanged(bool visible);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QHBoxLayout* buttons_ = nullptr;
  QVBoxLayout* layout_ = nullptr;
  const Platform& platform_;
  QString fileName_;
};

}  // namespace kv
