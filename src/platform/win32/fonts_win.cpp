#include "fonts_win.h"

#include "captions_win.h"

#include <algorithm>
#include <cmath>

namespace qs::win32 {

namespace {

constexpr char kDialogFace[] = "Tahoma";
constexpr int kDialogHeight = -11; // 8 points on a 96 dpi screen, as Windows dialogs have it

// A height in pixels as CreateFont takes it (negative: the characters' height) from points.
int heightOf(double points) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return -static_cast<int>(std::lround(points * dpi / 72.0));
}

} // namespace

FontsWin::~FontsWin() {
    for (auto& [key, font] : fonts_)
        DeleteObject(font);
}

HFONT FontsWin::of(const forms::Control& control) {
    const std::string face = control.fontName().empty() ? kDialogFace : control.fontName();
    const int height = control.fontSize() > 0 ? heightOf(control.fontSize()) : kDialogHeight;
    HFONT& font = fonts_[{face, height, control.bold()}];
    if (!font)
        font = CreateFontA(height, 0, 0, 0, control.bold() ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                           face.c_str());
    return font;
}

int FontsWin::textWidth(const forms::Control& control, const std::string& caption) {
    const std::string text = plainText(caption);
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(screen, of(control));
    int widest = 0;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        SIZE extent{};
        GetTextExtentPoint32A(screen, text.c_str() + start, static_cast<int>(end - start), &extent);
        widest = std::max(widest, static_cast<int>(extent.cx));
        start = end + 1;
    }
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return widest;
}

} // namespace qs::win32
