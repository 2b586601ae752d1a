#include "fonts_win.h"

#include "captions_win.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace qs::win32 {

namespace {

constexpr char kDialogFace[] = "Tahoma";
constexpr double kDialogPoints = 8;

// A height in pixels as CreateFont takes it (negative: the characters' height) from points, as
// Windows rounds it: 8 points are 11 pixels at 96 dpi, 13 at 120 and 16 at 144.
int heightOf(double points, int dpi) {
    return -MulDiv(static_cast<int>(std::lround(points * 100)), dpi, 72 * 100);
}

// The character set of the system's message font, so the fonts show the user's own script;
// DEFAULT_CHARSET where the system does not say.
int messageCharset() {
    // The record as XP knows it: later systems accept that size, XP refuses a larger one.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof metrics.lfMessageFont;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return DEFAULT_CHARSET;
    return metrics.lfMessageFont.lfCharSet;
}

} // namespace

FontsWin::~FontsWin() {
    for (auto& [key, font] : fonts_)
        DeleteObject(font);
}

HFONT FontsWin::of(const forms::Control& control, int dpi) {
    const std::string face = control.fontName().empty() ? kDialogFace : control.fontName();
    const int height = heightOf(control.fontSize() > 0 ? control.fontSize() : kDialogPoints, dpi);
    HFONT& font = fonts_[{face, height, control.bold()}];
    if (font)
        return font;
    if (charset_ < 0)
        charset_ = messageCharset();
    font = CreateFontA(height, 0, 0, 0, control.bold() ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       static_cast<DWORD>(charset_), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face.c_str());
    return font;
}

int FontsWin::textWidth(const forms::Control& control, const std::string& caption, int dpi) {
    const std::string text = plainText(caption);
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(screen, of(control, dpi));
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
