// The native renderer under Wine, with a demo form of every control kind. Input is sent as the
// system sends it: WM_CHAR to the edit, BM_CLICK to buttons, notifications to the form's window.
#include "../../../src/app/frmMain.h"
#include "../../../src/forms/application.h"
#include "../../../src/platform/fake/fake_platform.h"
#include "../../../src/platform/win32/clock_win.h"
#include "../../../src/platform/win32/menu_bar_win.h"
#include "../../../src/platform/win32/renderer_win.h"
#include "../../../src/windows/frmAction.h"
#include "../demo_form.h"
#include "../recording_error_log.h"

#include <cctype>
#include <commctrl.h>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace qs::win32 {
namespace {

using test::DemoForm;
using Events = std::vector<std::string>;

std::string className(HWND hwnd) {
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string windowText(HWND hwnd) {
    char text[256] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string menuText(HMENU menu, UINT position) {
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

LRESULT send(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(hwnd, msg, wParam, lParam);
}

class RendererWinTest : public testing::Test {
protected:
    void SetUp() override {
        clock_.setMessageFilter([this](MSG& msg) { return renderer_.translate(msg); });
        form_.show();
        form_.events.clear();
    }

    HWND window() const { return renderer_.window(form_); }
    HWND hwnd(const forms::Control& control) const { return renderer_.control(control); }
    // A control's place in the form's client area.
    RECT placeOf(const forms::Control& control) const {
        RECT r;
        GetWindowRect(hwnd(control), &r);
        MapWindowPoints(HWND_DESKTOP, window(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    void type(const std::string& keys) {
        for (char key : keys)
            send(hwnd(*form_.txtNumber), WM_CHAR, static_cast<unsigned char>(key));
    }
    // What the control would tell its parent: a WM_COMMAND with this code.
    void notifyCommand(const forms::Control& control, int code) {
        const HWND child = hwnd(control);
        send(window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), code), reinterpret_cast<LPARAM>(child));
    }
    void chooseMenu(HMENU menu, int position) {
        send(window(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(menu, position), 0));
    }
    bool pressKey(const forms::Control& target, WPARAM key) {
        MSG msg{hwnd(target), WM_KEYDOWN, key, 0, GetTickCount(), {}};
        return renderer_.translate(msg);
    }
    void settle() {
        MSG nothing{};
        renderer_.translate(nothing); // where windows of unloaded forms are taken down
    }

    test::RecordingErrorLog errors_;
    Win32Clock clock_{errors_};
    RendererWin renderer_;
    forms::Application app_{clock_, renderer_, errors_};
    DemoForm form_{app_};
};

TEST_F(RendererWinTest, ControlsAreNativeAndWhereTheModelPutsThem) {
    ASSERT_TRUE(window());
    EXPECT_TRUE(IsWindowVisible(window()));
    EXPECT_EQ(windowText(window()), "Demo && test");
    const LONG style = GetWindowLongA(window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "fixed size";
    EXPECT_TRUE(send(window(), WM_GETICON, ICON_SMALL) || GetClassLongPtrA(window(), GCLP_HICONSM));

    EXPECT_EQ(className(hwnd(*form_.fraChoice)), "Button");
    EXPECT_EQ(GetWindowLongA(hwnd(*form_.fraChoice), GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(GetWindowLongA(hwnd(*form_.optChoice[0]), GWL_STYLE) & BS_TYPEMASK, BS_RADIOBUTTON);
    EXPECT_EQ(GetWindowLongA(hwnd(*form_.chkPlain), GWL_STYLE) & BS_TYPEMASK, BS_3STATE);
    EXPECT_EQ(className(hwnd(*form_.txtNumber)), "Edit");
    EXPECT_EQ(className(hwnd(*form_.cboUnit)), "ComboBox");
    EXPECT_EQ(className(hwnd(*form_.scrValue)), "ScrollBar");
    EXPECT_EQ(className(hwnd(*form_.dtpAt)), DATETIMEPICK_CLASSA);
    EXPECT_EQ(className(hwnd(*form_.prgDone)), PROGRESS_CLASSA);
    EXPECT_EQ(className(hwnd(*form_.stsBar)), STATUSCLASSNAMEA);
    EXPECT_EQ(hwnd(*form_.tmrTick), nullptr) << "a timer has no window";

    // Places are the dpi test's; the native controls are all the form's children.
    EXPECT_EQ(GetParent(hwnd(*form_.lblInside)), window());
    EXPECT_EQ(windowText(hwnd(*form_.lblInside)), "First line\r\nSecond line");
    EXPECT_EQ(GetWindowLongA(hwnd(*form_.lblNumber), GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
    EXPECT_EQ(send(hwnd(*form_.cboUnit), CB_GETCURSEL), 1);
}

TEST_F(RendererWinTest, ModelChangesReachTheWindows) {
    // Topmost: above a window shown after it. (Windows also marks it WS_EX_TOPMOST; Wine does not
    // while the window owns a topmost tooltip, but places it the same.)
    const HWND later = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(later, SW_SHOWNA);
    form_.setTopMost(true);
    bool above = false;
    for (HWND h = GetTopWindow(nullptr); h && h != later; h = GetWindow(h, GW_HWNDNEXT))
        above = above || h == window();
    EXPECT_TRUE(above);
    DestroyWindow(later);
    EXPECT_TRUE(IsWindowVisible(window()));

    form_.cmdCancel->move(300, 300, 1500, 450);
    const RECT moved = placeOf(*form_.cmdCancel);
    EXPECT_EQ(moved.left, 20);
    EXPECT_EQ(moved.right - moved.left, 100);
    EXPECT_EQ(moved.bottom - moved.top, 30);
    form_.picBox->setVisible(false);
    EXPECT_FALSE(IsWindowVisible(hwnd(*form_.lblInside))) << "a hidden container hides what it holds";
    form_.fraChoice->setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(hwnd(*form_.optChoice[1]))) << "and a disabled one disables it";

    // A coloured field answers WM_CTLCOLOREDIT with its own brush and colour.
    form_.txtNumber->setBackColor(forms::rgb(255, 128, 128));
    const HDC dc = GetDC(hwnd(*form_.txtNumber));
    EXPECT_NE(
        send(window(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd(*form_.txtNumber))),
        0);
    EXPECT_EQ(GetBkColor(dc), RGB(255, 128, 128));
    ReleaseDC(hwnd(*form_.txtNumber), dc);

    form_.chkPlain->setValue(1);
    EXPECT_EQ(send(hwnd(*form_.chkPlain), BM_GETCHECK), BST_CHECKED);
    form_.chkPlain->setValue(2);
    EXPECT_EQ(send(hwnd(*form_.chkPlain), BM_GETCHECK), BST_INDETERMINATE);
    form_.optChoice[2]->setValue(true);
    EXPECT_EQ(send(hwnd(*form_.optChoice[2]), BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(send(hwnd(*form_.optChoice[0]), BM_GETCHECK), BST_UNCHECKED);
    form_.txtNumber->setText("42");
    EXPECT_EQ(windowText(hwnd(*form_.txtNumber)), "42");
    form_.cboUnit->setListIndex(-1);
    EXPECT_EQ(send(hwnd(*form_.cboUnit), CB_GETCURSEL), CB_ERR);
    form_.dtpAt->setSecondsOfDay(13 * 3600 + 5);
    SYSTEMTIME at{};
    EXPECT_EQ(send(hwnd(*form_.dtpAt), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&at)), GDT_VALID);
    EXPECT_EQ(at.wHour * 3600 + at.wMinute * 60 + at.wSecond, 13 * 3600 + 5);
    form_.stsBar->setPanelText(1, "Status : Active");
    char panel[64] = "";
    send(hwnd(*form_.stsBar), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(panel));
    EXPECT_STREQ(panel, "Status : Active");
    send(hwnd(*form_.stsBar), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(panel));
    EXPECT_EQ(panel[0], '\t') << "the clock panel keeps its centred time";
    EXPECT_GT(std::string(panel).size(), 4u);

    // The model's handlers ran as for any change; nothing came back from the windows.
    EXPECT_EQ(form_.events, (Events{"chkPlain.Click 1", "chkPlain.Click 2", "optChoice(2).Click", "Change 42",
                                    "cboUnit.Click ", "dtpAt.Change 46805"}));
}

// The width in pixels of a text in the font a window has, as the system measures it.
int extentIn(HWND hwnd, const std::string& text) {
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(screen, reinterpret_cast<HFONT>(send(hwnd, WM_GETFONT)));
    SIZE extent{};
    GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return extent.cx;
}

// How many pixels of a rectangle of a window's client area, as painted, pass a test.
int pixelsWhere(HWND hwnd, const RECT& r, const std::function<bool(COLORREF)>& test) {
    const HDC dc = GetDC(hwnd);
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            count += test(GetPixel(dc, x, y));
    ReleaseDC(hwnd, dc);
    return count;
}

TEST_F(RendererWinTest, AnAutoSizedLabelTakesTheWidthOfItsTextInItsOwnFont) {
    const HWND label = hwnd(*form_.lblFitted);
    LOGFONTA face{};
    GetObjectA(reinterpret_cast<HFONT>(send(label, WM_GETFONT)), sizeof face, &face);
    EXPECT_STREQ(face.lfFaceName, "Arial");
    EXPECT_EQ(face.lfHeight, -13) << "9.75 points at 96 dpi";
    EXPECT_EQ(face.lfWeight, FW_BOLD);
    EXPECT_EQ(GetWindowLongA(label, GWL_STYLE) & SS_TYPEMASK, SS_LEFTNOWORDWRAP) << "one line";

    const int fitted = extentIn(label, "Fitted");
    EXPECT_GT(fitted, 20);
    EXPECT_EQ(form_.lblFitted->width(), fitted * 15) << "the access-key mark takes no room";
    EXPECT_EQ(placeOf(*form_.lblFitted).right - placeOf(*form_.lblFitted).left, fitted);
    form_.lblFitted->setCaption("Fitted && much wider");
    EXPECT_EQ(form_.lblFitted->width(), extentIn(label, "Fitted & much wider") * 15);
    EXPECT_GT(form_.lblFitted->width(), fitted * 15 * 2);
    form_.lblFitted->setFont("", 0); // the dialog font's 8 points, measured in that
    form_.lblFitted->setCaption("Fitted");
    EXPECT_EQ(form_.lblFitted->width(), extentIn(label, "Fitted") * 15);
    EXPECT_LT(form_.lblFitted->width(), fitted * 15);
}

TEST_F(RendererWinTest, ALabelsTextIsDrawnInItsForeColour) {
    const HWND label = hwnd(*form_.lblFitted);
    RECT inside;
    GetClientRect(label, &inside);
    // Red in its letters and their softened edges, where plain text has none.
    const auto reddish = [](COLORREF c) { return GetRValue(c) > GetGValue(c) + 40; };
    UpdateWindow(window());
    EXPECT_GT(pixelsWhere(label, inside, reddish), 0);
    form_.lblFitted->setForeColor(forms::kButtonText);
    UpdateWindow(window());
    EXPECT_EQ(pixelsWhere(label, inside, reddish), 0);
}

TEST_F(RendererWinTest, ThePaintHandlerDrawsIconsOnTheFormEachTimeItIsPainted) {
    const RECT square{DemoForm::kIconX, DemoForm::kIconY, DemoForm::kIconX + 32, DemoForm::kIconY + 32};
    const auto drawn = [](COLORREF c) { return c != GetSysColor(COLOR_BTNFACE); };
    UpdateWindow(window());
    EXPECT_GT(form_.paints, 0);
    EXPECT_GT(pixelsWhere(window(), square, drawn), 0);

    // Wiped, and back with the next paint.
    const HDC dc = GetDC(window());
    FillRect(dc, &square, GetSysColorBrush(COLOR_BTNFACE));
    ReleaseDC(window(), dc);
    ASSERT_EQ(pixelsWhere(window(), square, drawn), 0);
    const int before = form_.paints;
    InvalidateRect(window(), nullptr, TRUE);
    UpdateWindow(window());
    EXPECT_EQ(form_.paints, before + 1);
    EXPECT_GT(pixelsWhere(window(), square, drawn), 0);
}

TEST_F(RendererWinTest, TypedCharactersGoThroughKeyPressAndTheModelDecides) {
    const HWND edit = hwnd(*form_.txtNumber);
    type("1a2");
    EXPECT_EQ(form_.txtNumber->text(), "12");
    EXPECT_EQ(windowText(edit), "12") << "the dropped key never reached the edit";
    DWORD start = 0, end = 0;
    send(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 2u);
    type("\b");
    EXPECT_EQ(windowText(edit), "1");
    type("3456");
    EXPECT_EQ(windowText(edit), "1345") << "the model's length limit";
    EXPECT_EQ(form_.events, (Events{"KeyPress 1", "Change 1", "KeyPress a", "KeyPress 2", "Change 12", "KeyPress BS",
                                    "Change 1", "KeyPress 3", "Change 13", "KeyPress 4", "Change 134", "KeyPress 5",
                                    "Change 1345", "KeyPress 6"}));

    // The user's selection is the model's, so typing replaces it.
    send(edit, EM_SETSEL, 1, 3);
    type("9");
    EXPECT_EQ(windowText(edit), "195");
    // Keys that are no characters edit the control itself, and the model takes the result.
    send(edit, EM_SETSEL, 0, 0);
    send(edit, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(form_.txtNumber->text(), "95");
    EXPECT_EQ(form_.events.back(), "Change 95");
}

TEST_F(RendererWinTest, ClicksAskTheModelWhichKeepsOptionsExclusive) {
    send(hwnd(*form_.optChoice[1]), BM_CLICK);
    EXPECT_TRUE(form_.optChoice[1]->value());
    EXPECT_FALSE(form_.optChoice[0]->value());
    EXPECT_EQ(send(hwnd(*form_.optChoice[1]), BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(send(hwnd(*form_.optChoice[0]), BM_GETCHECK), BST_UNCHECKED);
    send(hwnd(*form_.optChoice[1]), BM_CLICK); // the selected one again: still selected, Click again
    EXPECT_EQ(send(hwnd(*form_.optChoice[1]), BM_GETCHECK), BST_CHECKED);

    send(hwnd(*form_.chkRevert), BM_CLICK);
    EXPECT_EQ(form_.chkRevert->value(), 0);
    EXPECT_EQ(send(hwnd(*form_.chkRevert), BM_GETCHECK), BST_UNCHECKED) << "the box shows what the handler left";
    send(hwnd(*form_.chkPlain), BM_CLICK);
    EXPECT_EQ(send(hwnd(*form_.chkPlain), BM_GETCHECK), BST_CHECKED);

    send(hwnd(*form_.cboUnit), CB_SETCURSEL, 2); // as the user's pick does, with its notification
    notifyCommand(*form_.cboUnit, CBN_SELCHANGE);
    EXPECT_EQ(form_.cboUnit->listIndex(), 2);

    NMDATETIMECHANGE change{};
    change.nmhdr.hwndFrom = hwnd(*form_.dtpAt);
    change.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(change.nmhdr.hwndFrom));
    change.nmhdr.code = DTN_DATETIMECHANGE;
    change.dwFlags = GDT_VALID;
    GetLocalTime(&change.st);
    change.st.wHour = 9;
    change.st.wMinute = 30;
    change.st.wSecond = 0;
    send(window(), WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(form_.dtpAt->secondsOfDay(), 9 * 3600 + 30 * 60);

    // The up arrow raises the value by the small change; the bottom is the model's minimum.
    const auto scroll = [&](int request) {
        send(window(), WM_VSCROLL, MAKEWPARAM(request, 0), reinterpret_cast<LPARAM>(hwnd(*form_.scrValue)));
    };
    scroll(SB_LINEUP);
    EXPECT_EQ(form_.scrValue->value(), 15);
    EXPECT_EQ(GetScrollPos(hwnd(*form_.scrValue), SB_CTL), -15);
    scroll(SB_LINEDOWN);
    scroll(SB_LINEDOWN);
    EXPECT_EQ(form_.scrValue->value(), 5);
    scroll(SB_BOTTOM);
    EXPECT_EQ(form_.scrValue->value(), -1);

    form_.chkPlain->setEnabled(false);
    send(hwnd(*form_.chkPlain), BM_CLICK);
    EXPECT_EQ(form_.chkPlain->value(), 1) << "a disabled control takes no clicks";

    EXPECT_EQ(form_.events,
              (Events{"optChoice(1).Click", "optChoice(1).Click", "chkRevert.Click", "chkRevert.Click",
                      "chkPlain.Click 1", "cboUnit.Click Seconds", "dtpAt.Change 34200", "scrValue.Change 15",
                      "scrValue.Change 10", "scrValue.Change 5", "scrValue.Change -1"}));
}

TEST_F(RendererWinTest, MenusFollowTheModel) {
    const HMENU bar = GetMenu(window());
    ASSERT_TRUE(bar);
    ASSERT_EQ(GetMenuItemCount(bar), 2) << "a hidden top menu stays off the bar";
    EXPECT_EQ(menuText(bar, 0), "&File");
    EXPECT_EQ(menuText(bar, 1), "&About");
    const HMENU file = renderer_.popup(*form_.mnuFile);
    ASSERT_TRUE(file);
    EXPECT_EQ(GetSubMenu(bar, 0), file);
    EXPECT_EQ(menuText(file, 0), "&Open\tCtrl+O");
    EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(renderer_.popup(*form_.mnuPopup)) << "the hidden menu is there for the tray";

    chooseMenu(file, 0);
    chooseMenu(bar, 1); // an item on the bar itself
    form_.mnuFile->setEnabled(false);
    EXPECT_TRUE(GetMenuState(bar, 0, MF_BYPOSITION) & MF_GRAYED);
    chooseMenu(file, 2); // inside a disabled menu: no Click
    form_.mnuFile->setEnabled(true);
    form_.mnuQuit->setCaption("E&xit");
    EXPECT_EQ(menuText(file, 2), "E&xit\tF2");
    form_.mnuQuit->setVisible(false);
    EXPECT_EQ(GetMenuItemCount(file), 2);
    form_.mnuPopup->setVisible(true);
    EXPECT_EQ(GetMenuItemCount(GetMenu(window())), 3);
    EXPECT_EQ(form_.events, (Events{"mnuOpen.Click", "mnuAbout.Click"}));

    // The shortcut keys run through the accelerator table.
    MSG key{hwnd(*form_.txtNumber), WM_KEYDOWN, VK_F2, 0, GetTickCount(), {}};
    form_.mnuQuit->setVisible(true);
    EXPECT_TRUE(renderer_.translate(key));
    EXPECT_EQ(form_.events.back(), "mnuQuit.Click");
}

TEST(ShortcutTextTest, NamesKeysWithTheirModifiers) {
    ACCEL accel{};
    ASSERT_TRUE(parseShortcut("Ctrl+O", accel));
    EXPECT_EQ(accel.fVirt, FVIRTKEY | FCONTROL);
    EXPECT_EQ(accel.key, 'O');
    ASSERT_TRUE(parseShortcut("Shift+F12", accel));
    EXPECT_EQ(accel.fVirt, FVIRTKEY | FSHIFT);
    EXPECT_EQ(accel.key, VK_F12);
    ASSERT_TRUE(parseShortcut("Ctrl+Alt+Del", accel));
    EXPECT_EQ(accel.fVirt, FVIRTKEY | FCONTROL | FALT);
    EXPECT_EQ(accel.key, VK_DELETE);
    EXPECT_FALSE(parseShortcut("", accel));
    EXPECT_FALSE(parseShortcut("Ctrl+", accel));
    EXPECT_FALSE(parseShortcut("F25", accel));
}

TEST_F(RendererWinTest, TheCloseBoxAndEscAskTheForm) {
    const HWND old = window();
    form_.cancelQueryUnload = 1;
    send(old, WM_CLOSE);
    EXPECT_TRUE(form_.isLoaded());
    EXPECT_TRUE(IsWindowVisible(old)) << "the model said no";
    EXPECT_TRUE(pressKey(*form_.txtNumber, VK_ESCAPE));
    EXPECT_EQ(form_.events, (Events{"QueryUnload 0", "cmdCancel.Click"}));

    form_.cancelQueryUnload = 0;
    send(old, WM_CLOSE);
    EXPECT_FALSE(form_.isLoaded());
    EXPECT_EQ(window(), nullptr);
    settle();
    EXPECT_FALSE(IsWindow(old)) << "an unloaded form's window is destroyed";
}

TEST_F(RendererWinTest, FocusAndDoubleClicksReachTheModel) {
    form_.txtNumber->setText("123");
    form_.events.clear();
    const HWND edit = hwnd(*form_.txtNumber);
    SetFocus(edit);
    if (GetFocus() != edit)
        GTEST_SKIP() << "the display does not let the window have the focus";
    EXPECT_EQ(form_.focused(), form_.txtNumber);
    DWORD start = 0, end = 0;
    send(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, 3u) << "GotFocus selected everything in the model";
    send(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(form_.events, (Events{"txtNumber.GotFocus", "txtNumber.DblClick"}));
    SetFocus(hwnd(*form_.cmdCancel));
    EXPECT_EQ(form_.focused(), form_.cmdCancel);
    // A label's access key takes the focus on to the control after it.
    MSG alt{GetFocus(), WM_SYSCHAR, 'n', 1 << 29, GetTickCount(), {}};
    EXPECT_TRUE(renderer_.translate(alt));
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(form_.focused(), form_.txtNumber);
}

TEST_F(RendererWinTest, AnUnloadFromAControlsOwnClickIsSafe) {
    const HWND old = window();
    form_.cmdCancel->Click = [this] { form_.unload(); };
    send(hwnd(*form_.cmdCancel), BM_CLICK);
    EXPECT_FALSE(form_.isLoaded());
    settle();
    EXPECT_FALSE(IsWindow(old));
    // Shown again, it gets a new window with the model's current state.
    form_.txtNumber->setText("7");
    form_.show();
    ASSERT_TRUE(window());
    EXPECT_EQ(windowText(hwnd(*form_.txtNumber)), "7");
}

TEST_F(RendererWinTest, TheProgramsEndTakesTheWindowsAndEndsTheLoop) {
    app_.setMainForm(form_);
    form_.cmdCancel->Click = [this] { form_.unload(); };
    PostMessageA(hwnd(*form_.cmdCancel), BM_CLICK, 0, 0);
    clock_.runUntil([this] { return app_.ended(); });
    EXPECT_TRUE(app_.ended());
    EXPECT_EQ(window(), nullptr);
}

TEST_F(RendererWinTest, TheFormsGoOnlyWhenWindowsEndsTheSession) {
    DemoForm second(app_);
    second.show();
    second.events.clear();
    app_.setMainForm(form_);
    const HWND windows[] = {window(), renderer_.window(second)};
    for (DemoForm* f : {&form_, &second})
        f->Unload = [f](int&) { f->events.push_back("Unload"); };
    // Windows asks every top-level window, then tells each the outcome.
    const auto endSession = [&](bool ending) {
        for (HWND w : windows)
            EXPECT_EQ(send(w, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
        for (HWND w : windows)
            send(w, WM_ENDSESSION, ending, ENDSESSION_LOGOFF);
    };

    endSession(false); // another program refused
    EXPECT_EQ(form_.events, (Events{"QueryUnload 2"})) << "asked once, whichever window Windows asks";
    EXPECT_EQ(second.events, (Events{"QueryUnload 2"}));
    EXPECT_TRUE(form_.isLoaded() && second.isLoaded());
    EXPECT_TRUE(IsWindowVisible(windows[0]) && IsWindowVisible(windows[1]));
    int ticks = 0;
    form_.tmrTick->Tick = [&] { ++ticks; };
    form_.tmrTick->setInterval(10);
    form_.tmrTick->setEnabled(true);
    clock_.runUntil([&] { return ticks > 0 || app_.ended(); });
    EXPECT_FALSE(app_.ended()) << "the program runs on";

    endSession(true);
    EXPECT_EQ(form_.events, (Events{"QueryUnload 2", "QueryUnload 2", "Unload"}));
    EXPECT_EQ(second.events, (Events{"QueryUnload 2", "QueryUnload 2", "Unload"}));
    EXPECT_FALSE(form_.isLoaded() || second.isLoaded());
    EXPECT_TRUE(app_.ended());
    settle();
    EXPECT_FALSE(IsWindow(windows[0]) || IsWindow(windows[1]));
}

TEST_F(RendererWinTest, AModalFormDisablesTheOthersUntilItCloses) {
    DemoForm dialog(app_);
    dialog.cmdCancel->Click = [&] { dialog.hide(); };
    bool othersDisabled = false;
    const int timer = clock_.startTimer(20, [&] {
        othersDisabled = !IsWindowEnabled(window()) && IsWindowVisible(renderer_.window(dialog));
        EXPECT_TRUE(pressKey(*dialog.txtNumber, VK_ESCAPE)); // Esc clicks the dialog's Cancel
    });
    dialog.showModal();
    clock_.stopTimer(timer);
    EXPECT_TRUE(othersDisabled);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(IsWindowEnabled(window())) << "enabled again after the modal form";
    dialog.unload();
}

// Holds keys down in the thread's keyboard state, as GetKeyState sees it, for one scope.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        for (int key : keys)
            state[key] |= 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE saved_[256];
};

// The real main window, built by the program over the fake services, drawn by this renderer.
class MainWindowWinTest : public testing::Test {
protected:
    void SetUp() override {
        program_.start();
        ASSERT_TRUE(IsWindowVisible(window()));
        if (!GetFocus())
            GTEST_SKIP() << "the display does not let the window have the focus";
    }

    app::frmMain& main() { return program_.mainWindow(); }
    HWND window() { return renderer_.window(program_.mainWindow()); }
    HWND hwnd(const forms::Control& control) const { return renderer_.control(control); }
    // A key down as the loop gets it: to the window with the focus, through the renderer first.
    bool press(WPARAM key) {
        MSG msg{GetFocus(), WM_KEYDOWN, key, 0, GetTickCount(), {}};
        return renderer_.translate(msg);
    }
    std::string focusedName() {
        const forms::Control* focused = main().focused();
        return focused && GetFocus() == hwnd(*focused) ? focused->displayName() : "none";
    }
    // Tab from the focused control until the focus comes back to it.
    std::vector<std::string> walk(bool forward) {
        const HeldKeys shift = forward ? HeldKeys{} : HeldKeys{VK_SHIFT};
        std::vector<std::string> names{focusedName()};
        for (int i = 0; i < 60; ++i) {
            press(VK_TAB);
            if (focusedName() == names.front())
                break;
            names.push_back(focusedName());
        }
        return names;
    }
    // What a user sees and can work: input controls shown, enabled and inside the client area.
    std::set<std::string> workableControls() {
        std::set<std::string> names;
        RECT client;
        GetClientRect(window(), &client);
        for (const auto& control : main().controls()) {
            const HWND h = hwnd(*control);
            if (!h || !IsWindowVisible(h) || !IsWindowEnabled(h))
                continue;
            const std::string kind = className(h);
            const bool groupBox = (GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
            const bool input = (kind == "Button" && !groupBox) || kind == "Edit" || kind == "ComboBox" ||
                               kind == "ScrollBar" || kind == DATETIMEPICK_CLASSA;
            RECT r, common;
            GetWindowRect(h, &r);
            MapWindowPoints(HWND_DESKTOP, window(), reinterpret_cast<POINT*>(&r), 2);
            if (input && IntersectRect(&common, &r, &client))
                names.insert(control->displayName());
        }
        return names;
    }

    std::ostringstream out_;
    fake::FakePlatform os_{out_};
    RendererWin renderer_;
    app::Program program_{os_.services(), renderer_};
};

TEST_F(MainWindowWinTest, TabReachesOnlyWhatIsShownAndEnabled) {
    EXPECT_EQ(focusedName(), "optExitOption(0)") << "the first control has the focus when the window shows";

    const std::vector<std::string> countdown{"optExitOption(0)", "cboMode",     "txtPeriod",
                                             "cboTimeUnit",      "cmdActivate", "chkForced",
                                             "chkExecFile",      "txtTimeout",  "scrSecond"};
    const auto forward = walk(true);
    EXPECT_EQ(forward, countdown);
    // Every option but the selected one is left out: the group is one stop.
    std::set<std::string> seen(forward.begin(), forward.end());
    for (int i = 1; i < 8; ++i)
        seen.insert(main().optExitOption[static_cast<size_t>(i)]->displayName());
    EXPECT_EQ(seen, workableControls()) << "Tab reaches exactly the controls the user sees and can work";
    auto backward = walk(false);
    std::reverse(backward.begin() + 1, backward.end());
    EXPECT_EQ(backward, countdown);

    // Another mode shows other inputs; a selected option is where Tab enters its group.
    main().cboMode->setListIndex(1);
    main().optExitOption[2]->setValue(true);
    SetFocus(hwnd(*main().cmdActivate));
    EXPECT_EQ(walk(true),
              (std::vector<std::string>{"cmdActivate", "chkForced", "chkExecFile", "txtTimeout", "scrSecond",
                                        "optExitOption(2)", "cboMode", "chkWeek(1)", "chkWeek(2)", "chkWeek(3)",
                                        "chkWeek(4)", "chkWeek(5)", "chkWeek(6)", "chkWeek(7)", "ActTime"}));

    // The options kept out of sight take no click even when their window tells one.
    const HWND minimized = hwnd(*main().chkMinimized);
    send(window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(minimized), BN_CLICKED), reinterpret_cast<LPARAM>(minimized));
    EXPECT_EQ(main().chkMinimized->value(), 0);
}

TEST_F(MainWindowWinTest, ArrowsSelectWithinTheOptionGroup) {
    main().optExitOption[1]->setEnabled(false);
    EXPECT_TRUE(press(VK_DOWN));
    EXPECT_TRUE(main().optExitOption[2]->value()) << "a disabled option is passed over";
    EXPECT_EQ(focusedName(), "optExitOption(2)");
    EXPECT_EQ(send(hwnd(*main().optExitOption[2]), BM_GETCHECK), BST_CHECKED);
    press(VK_UP);
    EXPECT_TRUE(main().optExitOption[0]->value());
    press(VK_LEFT);
    EXPECT_TRUE(main().optExitOption[7]->value()) << "from the first to the last";
    EXPECT_EQ(focusedName(), "optExitOption(7)");
    press(VK_RIGHT);
    EXPECT_TRUE(main().optExitOption[0]->value());
    EXPECT_FALSE(main().optExitOption[7]->value());

    // A check box is a group of its own: the arrows neither move nor change anything.
    SetFocus(hwnd(*main().chkForced));
    press(VK_DOWN);
    press(VK_RIGHT);
    EXPECT_EQ(focusedName(), "chkForced");
    EXPECT_EQ(main().chkForced->value(), 0);
}

TEST_F(MainWindowWinTest, MenuShortcutsComeBeforeTheTextFields) {
    const HWND edit = hwnd(*main().txtTimeout);
    SetFocus(edit);
    send(edit, EM_SETSEL, 1, 1);
    {
        const HeldKeys ctrl{VK_CONTROL};
        EXPECT_TRUE(press('A'));
    }
    EXPECT_TRUE(main().tmrAction->enabled()) << "Ctrl+A is Activate";
    DWORD start = 0, end = 0;
    send(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end) << "not Select all";

    main().mnu_activate->userClick(); // inactive again, the fields are open
    ASSERT_FALSE(main().tmrAction->enabled());
    SetFocus(edit);
    send(edit, EM_SETSEL, 0, -1);
    {
        const HeldKeys ctrl{VK_CONTROL};
        EXPECT_TRUE(press('X'));
    }
    EXPECT_TRUE(program_.application().ended()) << "Ctrl+X is Exit";
    EXPECT_EQ(main().txtTimeout->text(), "10") << "and did not cut the text";
}

TEST_F(MainWindowWinTest, AStatusPanelShowsItsWholeText) {
    const std::string text = "Remaining time: 154 hours, 56 minutes, and 19 seconds";
    main().stsBar->setPanelText(1, text);
    const HWND bar = hwnd(*main().stsBar);
    char shown[128] = "";
    send(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(shown, text);
    EXPECT_EQ(windowText(bar), text) << "the bar's window text, for a screen reader";
    RECT part{};
    send(bar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part));
    int borders[3] = {};
    send(bar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    const HDC dc = GetDC(bar);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(send(bar, WM_GETFONT)));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(bar, dc);
    // The part's text starts past its sunken edge and a border's width of space.
    EXPECT_LE(extent.cx, part.right - part.left - 2 * GetSystemMetrics(SM_CXEDGE) - 2 * borders[0]);
    LOGFONTA face{};
    GetObjectA(reinterpret_cast<HFONT>(send(bar, WM_GETFONT)), sizeof face, &face);
    EXPECT_GE(-face.lfHeight, 7) << "still readable";
}

TEST_F(MainWindowWinTest, TheWarningWindowFocusesItsMuteBoxAndTellsItsProgress) {
    windows::frmAction warning(main());
    warning.show();
    EXPECT_EQ(GetFocus(), renderer_.control(*warning.chk_mute));
    // For a screen reader: the bar's window text is how far it has come.
    warning.prgBar->setValue(4);
    EXPECT_EQ(windowText(hwnd(*warning.prgBar)), "40%") << "4 of the 10 seconds";
    warning.prgBar->setValue(10);
    EXPECT_EQ(windowText(hwnd(*warning.prgBar)), "100%");
    warning.unload();
}

// The access key a caption marks with "&", in lower case; 0 for none.
char accessKey(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i)
        if (caption[i] == '&' && caption[++i] != '&')
            return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i])));
    return 0;
}

TEST_F(MainWindowWinTest, EachAccessKeyWorksItsControl) {
    std::set<std::string> tried;
    // Alt and the key in the control's window text, as the loop gets them once translated.
    const auto alt = [&](const forms::Control& control) {
        tried.insert(control.displayName());
        MSG msg{GetFocus(), WM_SYSCHAR,     static_cast<WPARAM>(accessKey(windowText(hwnd(control)))),
                1 << 29,    GetTickCount(), {}};
        EXPECT_TRUE(renderer_.translate(msg)) << control.displayName();
    };
    // Files chosen before, so the boxes open no file dialog.
    main().txtExecF->setText("C:\\Apps\\before.cmd");
    main().txtResumeF->setText("C:\\Apps\\after.cmd");
    alt(*main().chkForced);
    EXPECT_EQ(main().chkForced->value(), 1);
    alt(*main().chkExecFile);
    EXPECT_EQ(main().chkExecFile->value(), 1);
    EXPECT_TRUE(IsWindowEnabled(hwnd(*main().txtExecF)));
    for (int i : {1, 2, 3, 5, 6, 7, 0, 4}) {
        alt(*main().optExitOption[static_cast<size_t>(i)]);
        EXPECT_TRUE(main().optExitOption[static_cast<size_t>(i)]->value()) << i;
        EXPECT_EQ(GetFocus(), hwnd(*main().optExitOption[static_cast<size_t>(i)]));
    }
    // Hibernate and wake shows its own file box, whose key is the one the other had.
    alt(*main().chkResumeF);
    EXPECT_EQ(main().chkResumeF->value(), 1);
    alt(*main().optExitOption[0]);
    alt(*main().cmdActivate);
    EXPECT_TRUE(main().tmrAction->enabled());
    EXPECT_EQ(windowText(hwnd(*main().cmdActivate)), "De&activate");
    alt(*main().cmdActivate);
    EXPECT_FALSE(main().tmrAction->enabled());

    std::set<std::string> captioned;
    for (const auto& c : main().controls())
        if ((c->kind() == forms::ControlKind::Button || c->kind() == forms::ControlKind::CheckBox ||
             c->kind() == forms::ControlKind::OptionButton) &&
            accessKey(c->caption()))
            captioned.insert(c->displayName());
    EXPECT_EQ(tried, captioned) << "every control with an access key";

    // As in a dialog, the key alone does it where the focus takes no typing.
    const auto key = [&](const forms::Control& at, char c) {
        SetFocus(hwnd(at));
        MSG msg{GetFocus(), WM_CHAR, static_cast<WPARAM>(c), 0, GetTickCount(), {}};
        renderer_.translate(msg);
    };
    key(*main().cmdActivate, 'f');
    EXPECT_EQ(main().chkForced->value(), 0);
    key(*main().txtTimeout, 'f');
    EXPECT_EQ(main().chkForced->value(), 0) << "a text box takes its keys";
}

TEST_F(RendererWinTest, AFormFreedWhileShownTakesItsWindowAlong) {
    HWND other = nullptr, edit = nullptr;
    {
        DemoForm second(app_);
        second.show();
        other = renderer_.window(second);
        edit = renderer_.control(*second.txtNumber);
        ASSERT_TRUE(IsWindowVisible(other));
    }
    ASSERT_TRUE(IsWindow(other)) << "taken down later, as the call may come from one of its controls";
    EXPECT_FALSE(IsWindowVisible(other));
    // Input on what is left of it reaches no model.
    send(edit, WM_CHAR, '5');
    send(other, WM_CLOSE);
    settle();
    EXPECT_FALSE(IsWindow(other));
    EXPECT_TRUE(form_.events.empty());
}

TEST_F(RendererWinTest, ShowingAMinimisedFormBringsItBack) {
    ShowWindow(window(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window()));
    form_.show();
    EXPECT_FALSE(IsIconic(window()));
    EXPECT_TRUE(IsWindowVisible(window()));
}

TEST_F(RendererWinTest, LookAndLimitsChangedAfterShowReachTheWindow) {
    const LRESULT icon = send(window(), WM_GETICON, ICON_SMALL);
    form_.setMinButton(false);
    form_.setBorderStyle(forms::BorderStyle::FixedDialog);
    form_.setIcon("disabled");
    form_.txtNumber->setMaxLength(2);
    form_.lblNumber->setAlignment(forms::Alignment::Center);
    EXPECT_TRUE(IsWindowVisible(window()));
    EXPECT_FALSE(GetWindowLongA(window(), GWL_STYLE) & WS_MINIMIZEBOX);
    EXPECT_TRUE(GetWindowLongA(window(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    RECT outer;
    GetWindowRect(window(), &outer);
    EXPECT_EQ(outer.right - outer.left, 400) << "the outer size stays the form's";
    EXPECT_NE(send(window(), WM_GETICON, ICON_SMALL), icon);
    EXPECT_EQ(send(hwnd(*form_.txtNumber), EM_GETLIMITTEXT), 2);
    EXPECT_EQ(GetWindowLongA(hwnd(*form_.lblNumber), GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
}

} // namespace
} // namespace qs::win32
