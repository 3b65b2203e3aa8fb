// The main window's position in the per-user settings store, in twips.
#pragma once

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

// 1440 twips to the inch, through the screen's logical dots per inch.
int TwipsToPixels(double twips, double dpi);
double PixelsToTwips(int pixels, double dpi);

}  // namespace kv
