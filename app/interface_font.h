// The one interface font of every window: a sans serif with Arial's metrics at 8 points,
// the size and widths the window layouts (in twips) were drawn for.
#pragma once

class QFont;

namespace kv {

inline constexpr double kInterfacePoints = 8;

// Liberation Sans where it is installed (Arial's metrics), else Arial, Arimo or
// Helvetica, else the platform's own sans serif, at kInterfacePoints.
QFont InterfaceFont();
// The narrow face of the same family, for the items of a list too narrow for them in
// the regular face.
QFont InterfaceNarrowFont();
// Makes it the application's font, before the first window is made.
void UseInterfaceFont();

}  // namespace kv
