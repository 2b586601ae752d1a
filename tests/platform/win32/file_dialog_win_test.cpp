// Win32FileDialog under Wine: the real dialog over a form the renderer shows, driven by a clock
// timer that fires inside the dialog's own modal loop, as the program's timers do.
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

// A shown dialog of this thread owned by owner, or by anyone when owner is nullptr.
HWND shownDialog(HWND owner) {
    for (HWND h = nullptr; (h = FindWindowExA(nullptr, h, "#32770", nullptr));)
        if (GetWindowThreadProcessId(h, nullptr) == GetCurrentThreadId() && IsWindowVisible(h) &&
            (!owner || GetWindow(h, GW_OWNER) == owner))
            return h;
    return nullptr;
}

bool isFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

POINT centreOf(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class FileDialogWinTest : public testing::Test {
protected:
    void SetUp() override {
        form_.show();
        // Away from the screen's centre, so that centring over it and on the screen differ.
        SetWindowPos(owner(), nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        dialog_.setWindowLookup([this](const forms::Form& form) { return renderer_.window(form); });
    }

    HWND owner() const { return renderer_.window(form_); }

    // Shows the dialog; once it is up, notes its place and name box, types into the name box and
    // presses OK, or Cancel when there is nothing to type.
    platform::FileDialogResult show(const std::string& typed, bool overOwner = true) {
        HWND dialog = nullptr;
        int ticks = 0;
        const int timer = clock_.startTimer(50, [&] {
            const bool late = ++ticks >= 100; // a dialog owned by another window would stay up
            if (dialog || !(dialog = shownDialog(late ? nullptr : owner())))
                return;
            EXPECT_FALSE(late) << "no dialog owned by the form";
            GetWindowRect(dialog, &place_);
            const HWND nameBox = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
            char name[256] = "";
            GetWindowTextA(nameBox, name, sizeof name);
            name_ = name;
            ownerEnabled_ = IsWindowEnabled(owner());
            SendMessageA(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
            PostMessageA(GetDlgItem(dialog, typed.empty() || late ? IDCANCEL : IDOK), BM_CLICK, 0, 0);
        });
        const struct Stop {
            Win32Clock& clock;
            int timer;
            ~Stop() { clock.stopTimer(timer); } // also when the answer throws
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
    RECT place_{};
    std::string name_;
    bool ownerEnabled_ = true;
};

TEST_F(FileDialogWinTest, OneFileGivesItsFolderAndNameAndTheNextUseOpensWithIt) {
    folder_.put("alarm.txt", "x");
    const auto chosen = show(folder_.path("alarm.txt"));
    EXPECT_FALSE(chosen.cancelled);
    EXPECT_EQ(chosen.count, 1);
    ASSERT_EQ(chosen.files, std::vector<std::string>{"alarm.txt"});
    EXPECT_TRUE(isFile(chosen.path + chosen.files[0])) << chosen.path << " ends in a separator";
    EXPECT_EQ(name_, "") << "the first use shows an empty name box, not blanks";
    EXPECT_FALSE(ownerEnabled_);
    RECT ownerPlace;
    GetWindowRect(owner(), &ownerPlace);
    EXPECT_NEAR(centreOf(place_).x, centreOf(ownerPlace).x, 1);
    EXPECT_NEAR(centreOf(place_).y, centreOf(ownerPlace).y, 1);

    const auto cancelled = show("");
    EXPECT_EQ(name_, "alarm.txt");
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(cancelled.count, 0);
    EXPECT_EQ(cancelled.path, "");
    EXPECT_TRUE(cancelled.files.empty());
}

TEST_F(FileDialogWinTest, CentredOnTheScreenWhenNotOverItsOwner) {
    const POINT screen{GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
    show("", false);
    EXPECT_NEAR(centreOf(place_).x, screen.x, 1);
    EXPECT_NEAR(centreOf(place_).y, screen.y, 1);
}

// Several names: the folder without its separator and each name; 201 are too many. The next use
// then opens in that folder with an empty name box.
TEST_F(FileDialogWinTest, SeveralFilesGiveTheFolderAndEveryNameUpTo200) {
    std::string typed;
    for (int i = 1; i <= 201; ++i) {
        folder_.put(std::to_string(i) + ".txt", "");
        typed += "\"" + std::to_string(i) + ".txt\" ";
    }
    show(folder_.path("1.txt")); // the dialog then opens in that folder
    const auto chosen = show(typed.substr(0, typed.find("\"201")));
    ASSERT_EQ(chosen.count, 200);
    ASSERT_EQ(chosen.files.size(), 200u);
    EXPECT_EQ(chosen.files.back(), "200.txt");
    EXPECT_NE(chosen.path.back(), '\\');
    EXPECT_TRUE(isFile(chosen.path + "\\" + chosen.files[0]));

    EXPECT_THROW(show(typed), std::length_error);
    EXPECT_EQ(name_, "");
}

} // namespace
} // namespace qs::win32
