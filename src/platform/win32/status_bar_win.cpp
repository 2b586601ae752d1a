#include "status_bar_win.h"

#include "../../forms/status_bar.h"
#include "dpi_win.h"
#include "form_window_win.h"

#include <algorithm>
#include <commctrl.h>

namespace qs::win32 {

using forms::Property;

namespace {

constexpr UINT_PTR kClockTimer = 1;
constexpr LONG kSmallestHeight = -7; // pixels at 96 dpi, as a font's height is given: still readable

std::string oneLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        const bool space = c == '\r' || c == '\n' || c == '\t' || c == ' ';
        if (space && (out.empty() || out.back() == ' '))
            continue;
        out += space ? ' ' : c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string clockText() {
    char text[64] = "";
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, text, sizeof text);
    return text;
}

} // namespace

StatusBarWin::StatusBarWin(FormWindow& owner, forms::StatusBar& bar) : ControlWin(owner, bar), bar_(bar) {
    create(STATUSCLASSNAMEA, CCS_BOTTOM | CCS_NODIVIDER);
    font_ = owner_.font(control_);
    keepFontHeight();
}

void StatusBarWin::keepFontHeight() {
    if (!hwnd_)
        return;
    // The bar keeps the height of the form's font when a smaller one makes a long text fit.
    TEXTMETRICA metrics{};
    const HDC dc = GetDC(hwnd_);
    const HGDIOBJ old = SelectObject(dc, font_);
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    SendMessageA(hwnd_, SB_SETMINHEIGHT, static_cast<WPARAM>(metrics.tmHeight), 0);
}

StatusBarWin::~StatusBarWin() {
    if (hwnd_)
        SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(owner_.font(control_)), FALSE);
    for (auto& [height, font] : smaller_)
        DeleteObject(font);
}

void StatusBarWin::sync(Property what) {
    if (what == Property::Geometry) {
        // The bar places itself along the bottom edge of the client area.
        if (hwnd_)
            SendMessageA(hwnd_, WM_SIZE, 0, 0);
        layoutParts();
        setTexts();
        return;
    }
    ControlWin::sync(what);
    if (what == Property::Font) {
        font_ = owner_.font(control_);
        keepFontHeight();
        fitFont();
    }
    if (what != Property::Panels)
        return;
    layoutParts();
    // A countdown changes a text panel every second; the clock's minute timer stays as it is.
    std::vector<bool> clock;
    for (int i = 1; i <= bar_.panelCount(); ++i)
        clock.push_back(bar_.panel(i).clock);
    if (clock == clock_) {
        setTexts();
        return;
    }
    clock_ = std::move(clock);
    refreshClock(); // writes the texts too
}

void StatusBarWin::layoutParts() {
    if (!hwnd_)
        return;
    RECT client{};
    GetClientRect(owner_.hwnd(), &client);
    const int panels = bar_.panelCount();
    int fixed = 0, stretching = 0;
    for (int i = 1; i <= panels; ++i) {
        if (bar_.panel(i).width > 0)
            fixed += pixels(bar_.panel(i).width, owner_.dpi());
        else
            ++stretching;
    }
    const int spare = std::max(0, static_cast<int>(client.right) - fixed);
    std::vector<int> edges;
    int edge = 0;
    for (int i = 1; i <= panels; ++i) {
        const int width =
            bar_.panel(i).width > 0 ? pixels(bar_.panel(i).width, owner_.dpi()) : spare / std::max(stretching, 1);
        edge += width;
        edges.push_back(edge);
    }
    if (!edges.empty())
        edges.back() = -1; // the last part reaches the right edge
    const bool moved = edges != edges_;
    if (moved) {
        SendMessageA(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        edges_ = edges;
        shown_.assign(edges.size(), std::string(1, '\0')); // the parts are new: every text goes again
    }
    tips_.resize(static_cast<size_t>(panels));
    for (int i = 0; i < panels; ++i) {
        const std::string& tip = bar_.panel(i + 1).toolTip;
        if (!moved && tip == tips_[static_cast<size_t>(i)])
            continue;
        RECT part{};
        SendMessageA(hwnd_, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&part));
        owner_.setToolTip(hwnd_, static_cast<UINT_PTR>(i + 1), &part, tip);
        tips_[static_cast<size_t>(i)] = tip;
    }
}

void StatusBarWin::setTexts() {
    if (!hwnd_)
        return;
    shown_.resize(static_cast<size_t>(bar_.panelCount()), std::string(1, '\0'));
    const std::string time = clockText();
    bool changed = false;
    for (int i = 0; i < bar_.panelCount(); ++i) {
        const forms::StatusPanel& panel = bar_.panel(i + 1);
        std::string text = panel.clock ? "\t" + time : oneLine(panel.text); // a tab centres the clock
        if (text == shown_[static_cast<size_t>(i)])
            continue;
        SendMessageA(hwnd_, SB_SETTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.c_str()));
        shown_[static_cast<size_t>(i)] = std::move(text);
        changed = true;
    }
    if (changed)
        fitFont();
}

bool StatusBarWin::textsFit(HDC dc, HFONT font) const {
    int borders[3] = {};
    SendMessageA(hwnd_, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    // A part's text starts past its sunken edge and a border's width of space, on both sides.
    const int padding = 2 * GetSystemMetrics(SM_CXEDGE) + 2 * borders[0];
    const HGDIOBJ old = SelectObject(dc, font);
    bool fit = true;
    for (size_t i = 0; i < shown_.size() && fit; ++i) {
        if (clock_.size() > i && clock_[i])
            continue;
        RECT part{};
        SendMessageA(hwnd_, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&part));
        SIZE extent{};
        GetTextExtentPoint32A(dc, shown_[i].c_str(), static_cast<int>(shown_[i].size()), &extent);
        fit = extent.cx <= part.right - part.left - padding;
    }
    SelectObject(dc, old);
    return fit;
}

void StatusBarWin::fitFont() {
    // A panel shows its whole text: where a text is wider than its part (the widths were made
    // for the program's texts, but a font may run wider), the bar's font gets smaller.
    if (!hwnd_)
        return;
    const HFONT base = owner_.font(control_);
    LOGFONTA face{};
    if (!GetObjectA(base, sizeof face, &face) || face.lfHeight >= 0)
        return;
    const HDC dc = GetDC(hwnd_);
    HFONT chosen = base;
    const LONG smallest = MulDiv(kSmallestHeight, owner_.dpi(), 96);
    for (LONG height = face.lfHeight; !textsFit(dc, chosen) && height < smallest;) {
        ++height;
        HFONT& smaller = smaller_[height];
        if (!smaller) {
            LOGFONTA less = face;
            less.lfHeight = height;
            smaller = CreateFontIndirectA(&less);
        }
        chosen = smaller ? smaller : chosen;
    }
    ReleaseDC(hwnd_, dc);
    if (chosen == font_)
        return;
    font_ = chosen;
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

void StatusBarWin::refreshClock() {
    if (!hwnd_)
        return;
    setTexts();
    bool any = false;
    for (int i = 1; i <= bar_.panelCount(); ++i)
        any = any || bar_.panel(i).clock;
    if (!any) {
        KillTimer(hwnd_, kClockTimer);
        return;
    }
    SYSTEMTIME now{};
    GetLocalTime(&now);
    // A little past the boundary, so the new minute is certainly there.
    const UINT toNextMinute = 60000u - (now.wSecond * 1000u + now.wMilliseconds) + 20u;
    SetTimer(hwnd_, kClockTimer, toNextMinute, nullptr);
}

bool StatusBarWin::message(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_TIMER || wParam != kClockTimer)
        return false;
    refreshClock();
    result = 0;
    return true;
}

} // namespace qs::win32
