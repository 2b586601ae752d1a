// Win32WindowProcedures under Wine: on a form's window shown by the renderer, and on a plain
// window whose own procedure notes what reaches it.
#include "../../../src/app/frmMain.h"
#include "../../../src/forms/application.h"
#include "../../../src/platform/fake/fake_platform.h"
#include "../../../src/platform/win32/clock_win.h"
#include "../../../src/platform/win32/renderer_win.h"
#include "../../../src/platform/win32/window_procedures_win.h"
#include "../demo_form.h"
#include "../recording_error_log.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace qs::win32 {
namespace {

using Answer = std::optional<std::intptr_t>;
constexpr std::intptr_t kDeny = 0x424D5144;

int powerQueriesReached = 0;
bool ownInFrontWhenDestroyed = false;

LRESULT CALLBACK plainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    powerQueriesReached += msg == WM_POWERBROADCAST;
    if (msg == WM_NCDESTROY)
        ownInFrontWhenDestroyed = GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&plainProc);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Someone else's replacement, put in front after ours.
WNDPROC behindOther = nullptr;
LRESULT CALLBACK otherProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(behindOther, hwnd, msg, wParam, lParam);
}

HWND makePlainWindow() {
    static const ATOM atom = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &plainProc;
        wc.lpszClassName = "QsPlainTestWindow";
        return RegisterClassA(&wc);
    }();
    return CreateWindowExA(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
}

// Answers the power query and passes every other message on, noting what it sees.
platform::WindowProcedures::Procedure denying(std::intptr_t answer, std::vector<unsigned>* seen = nullptr) {
    return [answer, seen](const platform::WindowMessage& m) -> Answer {
        if (seen)
            seen->push_back(m.message);
        return m.message == WM_POWERBROADCAST ? Answer(answer) : std::nullopt;
    };
}

LRESULT powerQuery(HWND hwnd) {
    return SendMessageA(hwnd, WM_POWERBROADCAST, 0, 0);
}

class WindowProceduresWinTest : public testing::Test {
protected:
    void SetUp() override {
        powerQueriesReached = 0;
        ownInFrontWhenDestroyed = false;
        form_.show();
        procedures_.setWindowLookup(
            [this](const forms::Form& form) { return &form == &plain_ ? plainWindow_ : renderer_.window(form); });
    }
    void TearDown() override { DestroyWindow(plainWindow_); }

    HWND window() const { return renderer_.window(form_); }

    qs::test::RecordingErrorLog errors_;
    Win32Clock clock_{errors_};
    RendererWin renderer_;
    forms::Application app_{clock_, renderer_, errors_};
    qs::test::DemoForm form_{app_};
    forms::Form plain_{app_, "frmPlain"}; // stands for the plain window
    HWND plainWindow_ = makePlainWindow();
    Win32WindowProcedures procedures_{errors_};
};

TEST_F(WindowProceduresWinTest, AnswersWhatItAnswersPassesTheRestOnAndLeavesOnRestore) {
    const LONG_PTR own = GetWindowLongPtrA(window(), GWLP_WNDPROC);
    std::vector<unsigned> seen;
    procedures_.replace(form_, denying(kDeny, &seen));
    EXPECT_EQ(powerQuery(window()), kDeny);
    SendMessageA(window(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Passed on"));
    char caption[32] = "";
    GetWindowTextA(window(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Passed on");
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<unsigned>(WM_SETTEXT)), seen.end());

    procedures_.replace(form_, denying(1)); // takes the first one's place
    EXPECT_EQ(powerQuery(window()), 1);
    procedures_.restore(form_);
    EXPECT_EQ(GetWindowLongPtrA(window(), GWLP_WNDPROC), own);
    seen.clear();
    EXPECT_NE(powerQuery(window()), kDeny);
    EXPECT_TRUE(seen.empty());
    EXPECT_TRUE(errors_.lines.empty());
}

// Two windows at once; behind someone else's later replacement a restore only passes messages on;
// a window destroyed while replaced gets its own procedure back for its last message.
TEST_F(WindowProceduresWinTest, SeveralWindowsALaterReplacementAndDestruction) {
    procedures_.replace(form_, denying(kDeny));
    procedures_.replace(plain_, denying(2));
    EXPECT_EQ(powerQuery(window()), kDeny);
    EXPECT_EQ(powerQuery(plainWindow_), 2);
    EXPECT_EQ(powerQueriesReached, 0);

    behindOther = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(plainWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&otherProc)));
    procedures_.restore(plain_);
    EXPECT_EQ(GetWindowLongPtrA(plainWindow_, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&otherProc));
    EXPECT_EQ(powerQuery(plainWindow_), 0);
    EXPECT_EQ(powerQueriesReached, 1);
    SetWindowLongPtrA(plainWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(behindOther)); // the other leaves
    procedures_.replace(plain_, denying(3));
    EXPECT_EQ(powerQuery(plainWindow_), 3);

    DestroyWindow(plainWindow_);
    EXPECT_TRUE(ownInFrontWhenDestroyed);
    EXPECT_EQ(powerQuery(window()), kDeny) << "the other window keeps its procedure";
}

// The program's own main window, drawn by the renderer over the fake services but with the real
// procedure replacement: the platform's suspend query reaches its MainWindowProc.
TEST(MainWindowProcWin, TheSuspendQueryIsDeniedOnlyWhileHibernateAndWakeIsChosen) {
    std::ostringstream out;
    fake::FakePlatform os{out};
    RendererWin renderer;
    Win32WindowProcedures procedures{os.errors};
    procedures.setWindowLookup([&renderer](const forms::Form& form) { return renderer.window(form); });
    platform::Platform fake = os.services();
    platform::Platform services{fake.clock,      fake.dialogs,   fake.files, fake.power,
                                fake.processes,  fake.registry,  fake.sound, fake.errors,
                                fake.fileDialog, fake.wakeTimer, fake.media, procedures};
    app::Program program{services, renderer};
    program.start();
    app::frmMain& main = program.mainWindow();
    const HWND window = renderer.window(main);
    ASSERT_TRUE(window);

    EXPECT_NE(SendMessageA(window, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0), kDeny);
    EXPECT_FALSE(main.tmrResume->enabled());

    main.optExitOption[4]->setValue(true);
    EXPECT_EQ(SendMessageA(window, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0), kDeny);
    EXPECT_TRUE(main.tmrResume->enabled()) << "the program hibernates itself instead";
    EXPECT_NE(SendMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0), kDeny) << "only the query";
    main.unload();
}

} // namespace
} // namespace qs::win32
