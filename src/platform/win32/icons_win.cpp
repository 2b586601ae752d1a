#include "icons_win.h"

#include <map>
#include <utility>

namespace qs::win32 {

namespace {

// A round button with the power symbol, drawn with GDI into a colour bitmap and its mask.
HICON drawPowerButton(int size, bool active) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    ReleaseDC(nullptr, screen);

    const int inset = size / 16;
    const RECT all{0, 0, size, size};

    // The mask: white is transparent, black shows the colour bitmap.
    HGDIOBJ old = SelectObject(dc, mask);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    Ellipse(dc, inset, inset, size - inset, size - inset);

    // The colour bitmap: black outside the disc, so the mask's transparent part stays clear.
    SelectObject(dc, colour);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HBRUSH fill = CreateSolidBrush(active ? RGB(200, 40, 25) : RGB(150, 150, 150));
    HPEN rim = CreatePen(PS_SOLID, 1, active ? RGB(110, 0, 0) : RGB(80, 80, 80));
    SelectObject(dc, fill);
    SelectObject(dc, rim);
    Ellipse(dc, inset, inset, size - inset, size - inset);

    // The symbol: a ring open at the top and a bar through the gap.
    const int stroke = size >= 24 ? size / 10 : 2;
    HPEN white = CreatePen(PS_SOLID, stroke, RGB(255, 255, 255));
    SelectObject(dc, white);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    const int r = size * 23 / 100;
    const int cx = size / 2, cy = size * 52 / 100;
    Arc(dc, cx - r, cy - r, cx + r, cy + r, cx + r / 2, cy - r, cx - r / 2, cy - r);
    MoveToEx(dc, cx, size * 20 / 100, nullptr);
    LineTo(dc, cx, cy);

    SelectObject(dc, old);
    DeleteObject(white);
    DeleteObject(rim);
    DeleteObject(fill);
    DeleteDC(dc);

    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = mask;
    info.hbmColor = colour;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

} // namespace

HICON programIcon(const std::string& name, int size) {
    if (name != "main" && name != "disabled")
        return nullptr;
    static std::map<std::pair<std::string, int>, HICON> drawn;
    HICON& icon = drawn[{name, size}];
    if (!icon)
        icon = drawPowerButton(size, name == "main");
    return icon;
}

} // namespace qs::win32
