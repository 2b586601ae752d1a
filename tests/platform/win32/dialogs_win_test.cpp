// Win32Dialogs: real message boxes, answered from a second thread as a user would.
#include "../../../src/platform/win32/dialogs_win.h"
#include "../../../src/platform/win32/icons_win.h"
#include "test_thread_win.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace qs::win32 {
namespace {

// What the box looked like when it was answered.
struct Seen {
    std::string text;
    bool yes = false, no = false, ok = false;
    HWND owner = nullptr;
    HICON icon = nullptr; // the box's own, which its task bar button shows
};

BOOL CALLBACK closeAnyBox(HWND window, LPARAM) {
    char cls[16];
    if (GetClassNameA(window, cls, sizeof cls) && lstrcmpA(cls, "#32770") == 0)
        for (WPARAM id : {IDOK, IDNO, IDCANCEL})
            PostMessageA(window, WM_COMMAND, id, 0);
    return TRUE;
}

// Shows the box and presses a button in it once it is on the screen.
int answerBox(const std::string& title, int style, WPARAM button, Seen& seen) {
    const DWORD caller = GetCurrentThreadId();
    test::TestThread user([&] {
        for (int i = 0; i < 500; ++i, Sleep(20)) {
            const HWND box = FindWindowA("#32770", title.c_str());
            if (!box || !IsWindowVisible(box))
                continue;
            char text[256] = "";
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text); // the box's static text
            seen = {text,
                    GetDlgItem(box, IDYES) != nullptr,
                    GetDlgItem(box, IDNO) != nullptr,
                    GetDlgItem(box, IDOK) != nullptr,
                    GetWindow(box, GW_OWNER),
                    reinterpret_cast<HICON>(SendMessageA(box, WM_GETICON, ICON_BIG, 0))};
            SendMessageA(box, WM_COMMAND, button, 0);
            return;
        }
        EnumThreadWindows(caller, closeAnyBox, 0); // a box under another title: fail, do not hang
    });
    if (!user.started())
        return 0; // nobody would answer the box
    const int answer = Win32Dialogs().messageBox("Shut down now?", style, title);
    user.join();
    return answer;
}

TEST(DialogsWin, YesNoBoxesReportTheButtonPressed) {
    Seen seen;
    EXPECT_EQ(answerBox("Quorrel Shutdown test", platform::kStyleYesNoQuestion, IDYES, seen), platform::kAnswerYes);
    EXPECT_EQ(seen.text, "Shut down now?");
    EXPECT_TRUE(seen.yes && seen.no);
    EXPECT_FALSE(seen.ok);
    EXPECT_EQ(answerBox("Quorrel Shutdown test", platform::kStyleYesNoCritical, IDNO, seen), platform::kAnswerNo);
}

TEST(DialogsWin, AnOkBoxBelongsToTheActiveWindow) {
    const HWND main = CreateWindowExA(0, "STATIC", "QsOwner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                      nullptr, nullptr, nullptr);
    ASSERT_NE(main, nullptr);
    SetForegroundWindow(main);
    SetActiveWindow(main);
    ASSERT_EQ(GetActiveWindow(), main);
    Seen seen;
    EXPECT_EQ(answerBox("Quorrel Shutdown info", platform::kStyleInformation, IDOK, seen), platform::kAnswerOK);
    EXPECT_TRUE(seen.ok);
    EXPECT_FALSE(seen.yes);
    EXPECT_EQ(seen.owner, main) << "modal to the program's window";
    DestroyWindow(main);
}

TEST(DialogsWin, WithNoActiveWindowABoxBelongsToAShownOneElseShowsTheProgramsIcon) {
    // The program in the background, asking from a timer: its window is shown but not active.
    const HWND shown = CreateWindowExA(0, "STATIC", "QsShown", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                       nullptr, nullptr);
    ShowWindow(shown, SW_SHOWNOACTIVATE);
    SetActiveWindow(nullptr);
    ASSERT_EQ(GetActiveWindow(), nullptr);
    Seen seen;
    answerBox("Quorrel Shutdown info", platform::kStyleInformation, IDOK, seen);
    EXPECT_EQ(seen.owner, shown) << "on the task bar with the program's window";
    EXPECT_EQ(seen.icon, nullptr);

    // Nothing of the program shown (the tray only): a button of its own, with the program's icon.
    ShowWindow(shown, SW_HIDE);
    answerBox("Quorrel Shutdown info", platform::kStyleInformation, IDOK, seen);
    EXPECT_EQ(seen.owner, nullptr);
    ASSERT_NE(seen.icon, nullptr);
    EXPECT_EQ(seen.icon, programIcon("main", GetSystemMetrics(SM_CXICON)));
    DestroyWindow(shown);
}

} // namespace
} // namespace qs::win32
