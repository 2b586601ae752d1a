// The program's main and warning windows on the screen's dots per inch, as Wine has them from the
// registry: ctest runs this at Wine's default 96 and again at 144 (scripts/wine-run-dpi.sh, which
// sets QS_DPI to the dpi the screen must have).
#include "../../../src/app/frmMain.h"
#include "../../../src/app/program.h"
#include "../../../src/platform/fake/fake_platform.h"
#include "../../../src/platform/win32/renderer_win.h"
#include "../../../src/windows/frmAction.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace qs::win32 {
namespace {

int screenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// Twips (1440 to the inch) in pixels, to the nearest.
int inPixels(int twips, int dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

std::string textOf(HWND hwnd) {
    char text[512] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// The lines of a caption as they are drawn: the access-key marks left out, "&&" as "&".
std::vector<std::string> shownLines(const std::string& caption) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        if (caption[i] == '\r' || caption[i] == '\n') {
            if (caption[i] == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += caption[i];
        }
    }
    return lines;
}

// The widest of the lines and the height of one, in the window's own font.
SIZE measure(HWND hwnd, const std::vector<std::string>& lines) {
    const HDC dc = GetDC(hwnd);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    SIZE most{};
    for (const auto& line : lines) {
        SIZE extent{};
        GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &extent);
        most.cx = std::max(most.cx, extent.cx);
        most.cy = std::max(most.cy, extent.cy);
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return most;
}

// The height of the window's font as CreateFont took it: negative, the characters' height in pixels.
LONG fontHeight(HWND hwnd) {
    LOGFONTA face{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)), sizeof face, &face);
    return face.lfHeight;
}

// What of a control's client width its text may take: a push button's raised edge and focus
// rectangle on both sides; a check box's or option's box, 13 pixels at 96 dpi, and half a digit's
// gap after it; a frame's caption indent on both sides; a list's drop-down button and edges.
int roomForText(HWND hwnd, const std::string& kind, int dpi) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int edge = GetSystemMetrics(SM_CXEDGE);
    if (kind == "ComboBox")
        return client.right - GetSystemMetrics(SM_CXVSCROLL) - 2 * edge;
    if (kind != "Button")
        return client.right;
    switch (GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return client.right - 4 * edge;
    case BS_GROUPBOX:
        return client.right - 2 * measure(hwnd, {"00"}).cx;
    default:
        return client.right - MulDiv(13, dpi, 96) - measure(hwnd, {"0"}).cx / 2;
    }
}

// A window's rectangle in its parent's client area.
RECT placeOf(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The texts a control shows: its caption, or a list's items.
std::vector<std::string> textsOf(HWND hwnd, const std::string& kind) {
    std::vector<std::string> texts;
    if (kind == "ComboBox") {
        for (LRESULT i = 0; i < SendMessageA(hwnd, CB_GETCOUNT, 0, 0); ++i) {
            char item[128] = "";
            SendMessageA(hwnd, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            texts.push_back(item);
        }
    } else if ((kind == "Button" || kind == "Static") && !textOf(hwnd).empty()) {
        texts.push_back(textOf(hwnd));
    }
    return texts;
}

// Every control the user sees on the form (shown, and in its client area at least in part) whole,
// inside the client area above the status bar, and its texts whole: not wider than the control,
// nor taller.
void expectCaptionsFit(const RendererWin& renderer, const forms::Form& form, int dpi) {
    RECT client, area;
    GetClientRect(renderer.window(form), &client);
    area = client;
    for (const auto& control : form.controls())
        if (control->kind() == forms::ControlKind::StatusBar && renderer.control(*control))
            area.bottom = placeOf(renderer.control(*control)).top;
    for (const auto& control : form.controls()) {
        const HWND hwnd = renderer.control(*control);
        RECT r = hwnd ? placeOf(hwnd) : RECT{}, common;
        if (!hwnd || !IsWindowVisible(hwnd) || !IntersectRect(&common, &r, &client) ||
            control->kind() == forms::ControlKind::StatusBar)
            continue;
        const std::string name = form.name() + "." + control->displayName();
        char kindName[64] = "";
        GetClassNameA(hwnd, kindName, sizeof kindName);
        const std::string kind = kindName;
        if (kind == "ComboBox") // its window holds its open list too
            r.bottom = r.top + static_cast<LONG>(SendMessageA(hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
        IntersectRect(&common, &r, &area);
        EXPECT_TRUE(EqualRect(&common, &r)) << name << " is cut off";
        RECT inside;
        GetClientRect(hwnd, &inside);
        for (const auto& text : textsOf(hwnd, kind)) {
            const auto lines = shownLines(text);
            const SIZE size = measure(hwnd, lines);
            EXPECT_LE(size.cx, roomForText(hwnd, kind, dpi)) << name << " \"" << text << "\"";
            if (kind != "ComboBox") {
                EXPECT_LE(size.cy * static_cast<LONG>(lines.size()), inside.bottom) << name << " \"" << text << "\"";
            }
        }
    }
}

// The window and each control where the form's twips put them at the dpi: the outer size, and every
// control's edges within the client area (containers' offsets added).
void expectPlaces(const RendererWin& renderer, const forms::Form& form, int dpi) {
    const HWND window = renderer.window(form);
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, inPixels(form.width(), dpi)) << form.name();
    EXPECT_EQ(outer.bottom - outer.top, inPixels(form.height(), dpi)) << form.name();
    for (const auto& control : form.controls()) {
        const HWND hwnd = renderer.control(*control);
        if (!hwnd || control->kind() == forms::ControlKind::StatusBar) // the bar places itself
            continue;
        int left = control->left(), top = control->top();
        for (const forms::Control* c = control->container(); c; c = c->container()) {
            left += c->left();
            top += c->top();
        }
        const RECT r = placeOf(hwnd);
        const std::string name = form.name() + "." + control->displayName();
        EXPECT_EQ(r.left, inPixels(left, dpi)) << name;
        EXPECT_EQ(r.top, inPixels(top, dpi)) << name;
        EXPECT_EQ(r.right, inPixels(left + control->width(), dpi)) << name;
        if (control->kind() != forms::ControlKind::ComboBox) { // whose window holds its open list too
            EXPECT_EQ(r.bottom, inPixels(top + control->height(), dpi)) << name;
        }
    }
}

// The program over the fake services, its windows drawn by the renderer on this screen.
class ScreenDpiWinTest : public testing::Test {
protected:
    void SetUp() override {
        program_.start();
        ASSERT_TRUE(IsWindowVisible(renderer_.window(main())));
    }
    app::frmMain& main() { return program_.mainWindow(); }

    const int dpi_ = screenDpi();
    std::ostringstream out_;
    fake::FakePlatform os_{out_};
    RendererWin renderer_;
    app::Program program_{os_.services(), renderer_};
};

TEST_F(ScreenDpiWinTest, TheWindowsScaleTheirTwipsAndShowEveryCaptionWhole) {
    if (const char* asked = std::getenv("QS_DPI")) {
        ASSERT_EQ(dpi_, std::atoi(asked)) << "the screen has the dpi the run set";
    }
    expectPlaces(renderer_, main(), dpi_);
    EXPECT_EQ(fontHeight(renderer_.control(*main().cmdActivate)), -std::lround(8.0 * dpi_ / 72)) << "8 points";
    expectCaptionsFit(renderer_, main(), dpi_);
    // Active: the schedule's details in place of its inputs.
    main().cmdActivate->userClick();
    ASSERT_TRUE(main().tmrAction->enabled());
    expectCaptionsFit(renderer_, main(), dpi_);

    // The warning with the longest sentence it can show.
    windows::frmAction warning(main());
    warning.show();
    warning.lblMessage->setCaption("Action: Hibernate && Wake, will be performed in 999 Seconds.");
    expectPlaces(renderer_, warning, dpi_);
    expectCaptionsFit(renderer_, warning, dpi_);
    warning.unload();
}

TEST_F(ScreenDpiWinTest, AWindowMovedToAScreenOfMoreDotsIsLaidOutAnew) {
    // As Windows 10 tells a per-monitor aware window (Wine never does), with the rectangle it
    // suggests. Wine keeps the title and menu bars at the system's dpi, so only a move to more dots
    // leaves the form room enough.
    const int more = 144;
    if (dpi_ >= more)
        GTEST_SKIP() << "the screen has no room for the window at more dots";
    const HWND window = renderer_.window(main());
    RECT r;
    GetWindowRect(window, &r);
    r.right = r.left + inPixels(main().width(), more);
    r.bottom = r.top + inPixels(main().height(), more);
    SendMessageA(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(more, more), reinterpret_cast<LPARAM>(&r));
    expectPlaces(renderer_, main(), more);
    EXPECT_EQ(fontHeight(renderer_.control(*main().cmdActivate)), -std::lround(8.0 * more / 72));
    expectCaptionsFit(renderer_, main(), more);
}

} // namespace
} // namespace qs::win32
