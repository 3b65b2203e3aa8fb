#include "views/drawing_window.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/frm_main.h"
#include "drawing/export.h"
#include "inputfile/safe_save.h"
#include "views/drawing_canvas.h"

namespace kv {

DrawingWindow::DrawingWindow(const QString& name, const QString& caption, const Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform) {
  setObjectName(name);
  setWindowTitle(caption);
  layout_ = new QVBoxLayout(this);
  layout_->setContentsMargins(6, 6, 6, 6);
  layout_->setSpacing(4);
  buttons_ = new QHBoxLayout;
  auto button = [&](const char* objectName, const QString& text, const QString& tip) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setToolTip(tip);
    b->setAutoDefault(false);
    buttons_->addWidget(b);
    return b;
  };
  cmdFit = button("cmdFit", QStringLiteral("&Fit"), QStringLiteral("Show the whole structure (F; A shows everything)"));
  cmdPrint = button("cmdPrint", QStringLiteral("&Print..."), QStringLiteral("Print what the view shows"));
  cmdSave = button("cmdSave", QStringLiteral("Save &As..."), QStringLiteral("Save as SVG, PNG or DXF"));
  buttons_->addStretch(1);
  layout_->addLayout(buttons_);
  Canvas = new DrawingCanvas(this);
  layout_->addWidget(Canvas, 1);
  lblStatus = new QLabel(this);
  lblStatus->setObjectName(QStringLiteral("lblStatus"));
  lblStatus->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  lblStatus->setContentsMargins(4, 1, 4, 1);
  lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblStatus->setText(QStringLiteral("Wheel: zoom about the pointer; drag: pan; F: fit."));
  layout_->addWidget(lblStatus);
  connect(cmdFit, &QPushButton::clicked, Canvas, &DrawingCanvas::Fit);
  connect(cmdPrint, &QPushButton::clicked, this, &DrawingWindow::Print);
  connect(cmdSave, &QPushButton::clicked, this, &DrawingWindow::SaveAs);
  setWindowIcon(ProgramIcon());
}

void DrawingWindow::AddBeside(QWidget* w) { buttons_->insertWidget(buttons_->count() - 1, w); }

void DrawingWindow::AddBelow(QWidget* w) { layout_->insertWidget(layout_->indexOf(lblStatus), w); }

void DrawingWindow::SetDrawing(std::shared_ptr<const draw::Drawing> d, bool fit) { Canvas->SetDrawing(std::move(d), fit); }

const draw::Drawing* DrawingWindow::drawing() const { return Canvas->drawing(); }

void DrawingWindow::Print() {
  Printer* printer = platform_.printer;
  if (printer == nullptr || drawing() == nullptr) return;
  printer->SetLandscape(Canvas->width() >= Canvas->height());
  const std::optional<int> copies = printer->ShowPrintDialog(this);
  if (!copies) return;
  for (int i = 0; i < *copies; ++i)
    printer->PrintPicture([this](QPainter& p, const QRectF& page) { Canvas->PaintPage(p, page); });
}

std::string DrawingWindow::FileBytes(const QString& name) const {
  const draw::Drawing& d = *drawing();
  const QString lower = name.toLower();
  if (lower.endsWith(QLatin1String(".dxf"))) return draw::WriteDxf(d);
  if (lower.endsWith(QLatin1String(".png"))) {
    // Twice the pixels of the screen, for print and slides.
    QImage image(Canvas->size() * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    QPainter p(&image);
    PaintDrawing(p, d, Canvas->view(), LabelFont(Canvas->font()));
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
  }
  return draw::WriteSvg(d, Canvas->view(), QtMeasure(LabelFont(Canvas->font())));
}

void DrawingWindow::SaveAs() {
  if (platform_.dialogs == nullptr || drawing() == nullptr) return;
  const QString name = platform_.dialogs->SaveFileName(
      this, QStringLiteral("Save %1 As").arg(windowTitle()),
      QStringLiteral("SVG drawing (*.svg)|*.svg|PNG image (*.png)|*.png|DXF drawing (*.dxf)|*.dxf"), fileName_);
  if (name.isEmpty()) return;
  fileName_ = name;
  const SaveResult r = SafeSave(QFile::encodeName(name).toStdString(), FileBytes(name));
  if (!r.ok && platform_.messages != nullptr)
    platform_.messages->Show(this, QString::fromLatin1(kProgramTitle),
                             QStringLiteral("The %1 could not be saved to %2: %3.")
                                 .arg(windowTitle().toLower(), QDir::toNativeSeparators(name),
                                      QString::fromLocal8Bit(r.error.c_str())));
}

void DrawingWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  emit VisibilityChanged(true);
}

void DrawingWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  emit VisibilityChanged(false);
}

}  // namespace kv
