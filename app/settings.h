// The main window's position in the per-user settings store, in twips.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class QSettings;

namespace kv {

inline constexpr const char* kSettingsApplication = "Wexa_Kelvara";
inline constexpr const char* kSettingsGroup = "Settings";

struct WindowPlacement {
  double left = 1000;
  double top = 1000;
  double width = 6500;
  double height = 6500;
};

// Each value read as text and converted to a number; one that is missing or does
// not convert keeps its default.
WindowPlacement ReadPlacement(QSettings& store);
// The four values as decimal text of whole twips.
void WritePlacement(QSettings& store, const WindowPlacement& placement);

// Where a window at `frame` goes so that a user can reach it: where it is when enough of
// it lies on one of the screens' areas, else moved inside the nearest area (its
// top-left corner kept on it when the window is larger than the area).
QPoint KeepOnScreen(const QRect& frame, const QList<QRect>& screens);

// 1440 twips to the inch, through the screen's logical dots per inch.
int TwipsToPixels(double twips, double dpi);
double PixelsToTwips(int pixels, double dpi);

}  // namespace kv
