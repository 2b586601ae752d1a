// Win32FileDialog under Wine: the real common dialog over a form shown by the renderer, driven by
// a clock timer firing inside the dialog's own modal loop, as the program's timers do.
#include "../../../src/forms/application.h"
#include "../../../src/platform/win32/clock_win.h"
#include "../../../src/platform/win32/file_dialog_win.h"
#include "../../../src/platform/win32/renderer_win.h"
#include "../demo_form.h"
#include "../recording_error_log.h"
#include "temp_folder_win.h"

#include <dlgs.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace qs::win32 {
namespace {

using namespace std::string_literals;

struct Search {
    HWND owner; // nullptr: any
    HWND found;
};

BOOL CALLBACK findDialog(HWND hwnd, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    char name[16] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (name == "#32770"s && IsWindowVisible(hwnd) && (!search.owner || GetWindow(hwnd, GW_OWNER) == search.owner)) {
        search.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND shownDialog(HWND owner) {
    Search search{owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &findDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The name box: a combo box on newer systems, an edit on older ones.
HWND nameBox(HWND dialog) {
    const HWND combo = GetDlgItem(dialog, cmb13);
    return combo ? combo : GetDlgItem(dialog, edt1);
}

std::string text(HWND hwnd) {
    char buf[4096] = "";
    GetWindowTextA(hwnd, buf, sizeof buf);
    return buf;
}

bool isFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

POINT centreOf(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// What the test saw while the dialog was up.
struct Seen {
    RECT place{};
    std::string name;
    bool ownerEnabled = true;
};

class FileDialogWinTest : public testing::Test {
protected:
    void SetUp() override {
        form_.show();
        // Away from the screen's centre, so that centring over it and on the screen differ.
        SetWindowPos(owner(), nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        dialog_.setWindowLookup([this](const forms::Form& form) { return renderer_.window(form); });
    }

    HWND owner() const { return renderer_.window(form_); }

    // Shows the dialog; once it is up, notes what it shows, puts typed into the name box and
    // presses OK, or Cancel when typed is empty.
    platform::FileDialogResult show(const std::string& typed, bool overOwner = true) {
        HWND dialog = nullptr;
        int ticks = 0;
        const int timer = clock_.startTimer(50, [&] {
            if (dialog)
                return;
            if (++ticks == 100) {
                ADD_FAILURE() << "no dialog owned by the form"; // and one owned by another would stay
                dialog = shownDialog(nullptr);
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            dialog = shownDialog(owner());
            if (!dialog)
                return;
            GetWindowRect(dialog, &seen_.place);
            seen_.name = text(nameBox(dialog));
            seen_.ownerEnabled = IsWindowEnabled(owner());
            if (!typed.empty())
                SendMessageA(nameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
            PostMessageA(GetDlgItem(dialog, typed.empty() ? IDCANCEL : IDOK), BM_CLICK, 0, 0);
        });
        const struct Stop {
            Win32Clock& clock;
            int timer;
            ~Stop() { clock.stopTimer(timer); } // also when the dialog's answer throws
        } stop{clock_, timer};
        return dialog_.showOpen(&form_, "Text files\0*.txt\0All files\0*.*"s, "Pick a file", overOwner);
    }

    qs::test::RecordingErrorLog errors_;
    Win32Clock clock_{errors_};
    RendererWin renderer_;
    forms::Application app_{clock_, renderer_, errors_};
    qs::test::DemoForm form_{app_};
    Win32FileDialog dialog_;
    test::TempFolder folder_;
    Seen seen_;
};

TEST_F(FileDialogWinTest, OneFileGivesItsFolderAndNameAndTheNextUseOpensWithIt) {
    folder_.put("alarm.txt", "x");
    const auto chosen = show(folder_.path("alarm.txt"));
    EXPECT_FALSE(chosen.cancelled);
    EXPECT_EQ(chosen.count, 1);
    ASSERT_EQ(chosen.files, std::vector<std::string>{"alarm.txt"});
    EXPECT_TRUE(isFile(chosen.path + chosen.files[0])) << chosen.path << " ends in a separator";
    EXPECT_EQ(seen_.name, "") << "the first use shows an empty name box, not blanks";
    EXPECT_FALSE(seen_.ownerEnabled);

    RECT ownerPlace;
    GetWindowRect(owner(), &ownerPlace);
    EXPECT_NEAR(centreOf(seen_.place).x, centreOf(ownerPlace).x, 1);
    EXPECT_NEAR(centreOf(seen_.place).y, centreOf(ownerPlace).y, 1);

    const auto cancelled = show("");
    EXPECT_EQ(seen_.name, "alarm.txt");
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(cancelled.count, 0);
    EXPECT_EQ(cancelled.path, "");
    EXPECT_TRUE(cancelled.files.empty());
    EXPECT_TRUE(IsWindowEnabled(owner()));
}

TEST_F(FileDialogWinTest, CentredOnTheScreenWhenNotOverItsOwner) {
    const POINT screen{GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
    RECT ownerPlace;
    GetWindowRect(owner(), &ownerPlace);
    ASSERT_GT(screen.x - centreOf(ownerPlace).x, 50);
    show("", false);
    EXPECT_NEAR(centreOf(seen_.place).x, screen.x, 1);
    EXPECT_NEAR(centreOf(seen_.place).y, screen.y, 1);
}

// Several names come as the folder without a separator and each name; 201 are too many.
TEST_F(FileDialogWinTest, SeveralFilesGiveTheFolderAndEveryNameUpTo200) {
    std::string typed;
    for (int i = 1; i <= 201; ++i) {
        folder_.put(std::to_string(i) + ".txt", "");
        if (i <= 200)
            typed += "\"" + std::to_string(i) + ".txt\" ";
    }
    show(folder_.path("1.txt")); // the dialog then opens in that folder

    const auto chosen = show(typed);
    ASSERT_EQ(chosen.count, 200);
    ASSERT_EQ(chosen.files.size(), 200u);
    EXPECT_EQ(chosen.files.front(), "1.txt");
    EXPECT_EQ(chosen.files.back(), "200.txt");
    EXPECT_NE(chosen.path.back(), '\\');
    EXPECT_TRUE(isFile(chosen.path + "\\" + chosen.files[0]));

    // The next use opens in their folder with nothing in the name box.
    EXPECT_THROW(show(typed + "\"201.txt\""), std::length_error);
    EXPECT_EQ(seen_.name, "");
}

} // namespace
} // namespace qs::win32
