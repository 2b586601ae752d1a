#pragma once

#include <windows.h>

namespace qs::win32 {

// The forms measure in twips, 1440 to the inch; a window's pixels are as many to the inch as its
// screen has dots (96, 120, 144...).
constexpr int kTwipsPerInch = 1440;

// Twips in pixels at dpi, rounded to the nearest (halves away from zero), as MulDiv does.
int pixels(int twips, int dpi);
// Pixels in twips at dpi, rounded up: so many twips are never fewer pixels again, wherever they start.
int twipsCovering(int pixels, int dpi);

// The dots per inch of the screen, as GDI scales fonts for it.
int screenDpi();
// The dots per inch of the screen a window is on where the system knows one per screen, else the
// screen's.
int windowDpi(HWND hwnd);

} // namespace qs::win32
