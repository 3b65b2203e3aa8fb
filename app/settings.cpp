#include "app/settings.h"

#include <QSettings>
#include <algorithm>
#include <cmath>

namespace kv {

namespace {

constexpr double kTwipsPerInch = 1440.0;

double ReadTwips(QSettings& store, const char* key, double fallback) {
  const QVariant v = store.value(QString::fromLatin1(key));
  if (!v.isValid()) return fallback;
  bool ok = false;
  const float value = v.toString().toFloat(&ok);
  return ok && std::isfinite(value) ? value : fallback;
}

}  // namespace

WindowPlacement ReadPlacement(QSettings& store) {
  WindowPlacement p;
  store.beginGroup(QString::fromLatin1(kSettingsGroup));
  p.left = ReadTwips(store, "MainLeft", p.left);
  p.top = ReadTwips(store, "MainTop", p.top);
  p.width = ReadTwips(store, "MainWidth", p.width);
  p.height = ReadTwips(store, "MainHeight", p.height);
  store.endGroup();
  return p;
}

void WritePlacement(QSettings& store, const WindowPlacement& p) {
  auto text = [](double twips) { return QString::number(std::llround(twips)); };
  store.beginGroup(QString::fromLatin1(kSettingsGroup));
  store.setValue(QStringLiteral("MainLeft"), text(p.left));
  store.setValue(QStringLiteral("MainTop"), text(p.top));
  store.setValue(QStringLiteral("MainWidth"), text(p.width));
  store.setValue(QStringLiteral("MainHeight"), text(p.height));
  store.endGroup();
  store.sync();
}

QPoint KeepOnScreen(const QRect& frame, const QList<QRect>& screens) {
  // Enough to grab the title bar and drag the window.
  const int wide = std::min(100, frame.width()), high = std::min(40, frame.height());
  const QRect* nearest = nullptr;
  double best = 0;
  for (const QRect& area : screens) {
    const QRect seen = area.intersected(frame);
    if (seen.width() >= wide && seen.height() >= high) return frame.topLeft();
    const QPoint d = area.center() - frame.center();
    const double distance = std::hypot(double(d.x()), double(d.y()));
    if (nearest == nullptr || distance < best) nearest = &area, best = distance;
  }
  if (nearest == nullptr) return frame.topLeft();
  auto fit = [](int at, int size, int first, int room) {
    return std::max(first, std::min(at, first + room - size));
  };
  return {fit(frame.x(), frame.width(), nearest->x(), nearest->width()),
          fit(frame.y(), frame.height(), nearest->y(), nearest->height())};
}

int TwipsToPixels(double twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

double PixelsToTwips(int pixels, double dpi) { return pixels * kTwipsPerInch / dpi; }

}  // namespace kv
