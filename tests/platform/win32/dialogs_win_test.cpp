// Win32Dialogs: real message boxes, answered from a second thread as a user would.
#include "../../../src/platform/win32/dialogs_win.h"
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
            seen = {text, GetDlgItem(box, IDYES) != nullptr, GetDlgItem(box, IDNO) != nullptr,
                    GetDlgItem(box, IDOK) != nullptr, GetWindow(box, GW_OWNER)};
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

} // namespace
} // namespace qs::win32
