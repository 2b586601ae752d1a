#include "dpi_win.h"

#include "library_win.h"

namespace qs::win32 {

int pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, kTwipsPerInch);
}

int twipsCovering(int pixels, int dpi) {
    return dpi > 0 ? (pixels * kTwipsPerInch + dpi - 1) / dpi : 0;
}

int screenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int windowDpi(HWND hwnd) {
    // Windows 10 (1607) on: a per-monitor aware window's own screen.
    static Library user32("user32.dll");
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto forWindow = user32.function<GetDpiForWindow>("GetDpiForWindow");
    const int dpi = forWindow && hwnd ? static_cast<int>(forWindow(hwnd)) : 0;
    return dpi > 0 ? dpi : screenDpi();
}

} // namespace qs::win32
