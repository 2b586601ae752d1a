// Win32WindowHooks under Wine: hooks on real windows whose own procedure notes what reaches it, the
// errors as the user and the event log get them, the callback address as the system calls it, and
// the main window's suspend query through the hooks.
#include "../../../src/app/frmMain.h"
#include "../../../src/platform/fake/fake_platform.h"
#include "../../../src/platform/win32/renderer_win.h"
#include "../../../src/platform/win32/tray_win.h"
#include "../../../src/platform/win32/window_procedures_win.h"
#include "../recording_error_log.h"
#include "message_pump_win.h"

#include <gtest/gtest.h>
#include <sstream>

namespace qs::win32 {
namespace {

using platform::HookedMessage;
using Trail = std::vector<std::string>;

constexpr UINT kFirst = WM_APP + 1, kSecond = WM_APP + 2, kUnwatched = WM_APP + 3;
constexpr LRESULT kOwnAnswer = 7;

// What the window's own procedure and the handler saw, in order.
Trail trail;
bool ownInFrontWhenDestroyed = false;

std::string nameOf(UINT msg) {
    return msg == WM_DESTROY ? "destroy" : std::to_string(msg - WM_APP);
}

LRESULT CALLBACK plainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg > WM_APP) {
        trail.push_back("own " + nameOf(msg));
        return kOwnAnswer;
    }
    if (msg == WM_NCDESTROY)
        ownInFrontWhenDestroyed = GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&plainProc);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Someone else's procedure, put in front of the hook.
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

platform::WindowHandle handleOf(HWND hwnd) {
    return reinterpret_cast<platform::WindowHandle>(hwnd);
}

// Notes each message it gets, then does what `also` says.
platform::WindowHooks::Handler noting(std::function<void(HookedMessage&)> also = {}) {
    return [also](HookedMessage& m) {
        trail.push_back(std::string(m.before ? "before " : "after ") + nameOf(m.message.message) + " " +
                        std::to_string(m.result));
        if (also)
            also(m);
    };
}

class WindowHooksWinTest : public testing::Test {
protected:
    void SetUp() override {
        trail.clear();
        ownInFrontWhenDestroyed = false;
    }
    void TearDown() override { DestroyWindow(window_); }

    LRESULT send(UINT msg, WPARAM wParam = 0) { return SendMessageA(window_, msg, wParam, 0); }
    LONG_PTR procedure() const { return GetWindowLongPtrA(window_, GWLP_WNDPROC); }
    platform::WindowHandle handle() const { return handleOf(window_); }

    std::ostringstream shown_; // the message boxes
    fake::Transcript transcript_{shown_};
    fake::FakeDialogs dialogs_{transcript_};
    qs::test::RecordingErrorLog errors_;
    Win32WindowProcedures procedures_{dialogs_, errors_};
    std::unique_ptr<platform::WindowHooks> hooks_ = procedures_.createHooks("cSystray");
    HWND window_ = makePlainWindow();
};

TEST_F(WindowHooksWinTest, DeliversBeforeAndAfterTheOwnProcedureWhichAHandledMessageSkips) {
    ASSERT_TRUE(hooks_->subclass(handle(), 42, noting([](HookedMessage& m) {
                                     EXPECT_EQ(m.userValue, 42);
                                     if (m.before && m.message.wParam == 1) {
                                         m.handled = true;
                                         m.result = 5;
                                     }
                                     if (!m.before)
                                         m.result += 100;
                                 })));
    hooks_->watch(handle(), kFirst, platform::kDeliverBefore);
    hooks_->watch(handle(), kSecond, platform::kDeliverAfter);
    EXPECT_EQ(send(kFirst), kOwnAnswer);
    EXPECT_EQ(send(kSecond), kOwnAnswer + 100);
    EXPECT_EQ(send(kFirst, 1), 5);
    EXPECT_EQ(send(kUnwatched), kOwnAnswer);
    hooks_->unwatch(handle(), kFirst, platform::kDeliverBefore);
    EXPECT_EQ(send(kFirst, 1), kOwnAnswer);
    EXPECT_EQ(trail, (Trail{"before 1 0", "own 1", "own 2", "after 2 7", "before 1 0", "own 3", "own 1"}));

    hooks_->releaseAll();
    EXPECT_EQ(procedure(), reinterpret_cast<LONG_PTR>(&plainProc));
    EXPECT_EQ(shown_.str(), "");
}

TEST_F(WindowHooksWinTest, ADestroyedWindowHasItsOwnProcedureBackAlsoWhenDestroyedInsideADelivery) {
    ASSERT_TRUE(hooks_->subclass(handle(), 0, noting()));
    hooks_->watch(handle(), WM_DESTROY, platform::kDeliverBefore);
    DestroyWindow(window_);
    EXPECT_TRUE(ownInFrontWhenDestroyed);
    EXPECT_EQ(trail, (Trail{"before destroy 0"}));

    // Destroyed by the handler: the hook goes when the delivery that destroyed it ends.
    window_ = makePlainWindow();
    ASSERT_TRUE(hooks_->subclass(handle(), 0, noting([](HookedMessage& m) { DestroyWindow(HWND(m.window)); })));
    hooks_->watch(handle(), kFirst, platform::kDeliverBefore);
    send(kFirst);
    EXPECT_FALSE(IsWindow(window_));

    // Nothing of either hook is left over for the next window, whatever handle it gets.
    window_ = makePlainWindow();
    trail.clear();
    ASSERT_TRUE(hooks_->subclass(handle(), 0, noting()));
    hooks_->watch(handle(), kFirst, platform::kDeliverBefore);
    EXPECT_EQ(send(kFirst), kOwnAnswer);
    EXPECT_EQ(trail, (Trail{"before 1 0", "own 1"}));
    EXPECT_EQ(shown_.str(), "");
}

TEST_F(WindowHooksWinTest, AReleaseInsideADeliveryWaitsForItsEnd) {
    bool hookedDuringRelease = false;
    ASSERT_TRUE(hooks_->subclass(handle(), 0, noting([&](HookedMessage&) {
                                     hooks_->releaseAll();
                                     hookedDuringRelease = procedure() != reinterpret_cast<LONG_PTR>(&plainProc);
                                 })));
    hooks_->watch(handle(), kFirst, platform::kDeliverBoth);
    EXPECT_EQ(send(kFirst), kOwnAnswer);
    EXPECT_TRUE(hookedDuringRelease);
    EXPECT_EQ(procedure(), reinterpret_cast<LONG_PTR>(&plainProc));
    EXPECT_EQ(send(kFirst), kOwnAnswer);
    EXPECT_EQ(trail, (Trail{"before 1 0", "own 1", "own 1"}));
}

TEST_F(WindowHooksWinTest, ReleasedBehindALaterProcedureItStaysInTheChainAndIsReusedByTheNextHook) {
    ASSERT_TRUE(hooks_->subclass(handle(), 0, noting()));
    hooks_->watch(handle(), kFirst, platform::kDeliverBefore);
    behindOther =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&otherProc)));
    hooks_->releaseAll();
    EXPECT_EQ(procedure(), reinterpret_cast<LONG_PTR>(&otherProc));
    EXPECT_EQ(send(kFirst), kOwnAnswer);
    EXPECT_EQ(trail, (Trail{"own 1"}));

    // The other leaves; a new hook takes the link still in the chain rather than adding another.
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(behindOther));
    const auto again = procedures_.createHooks("frmMain");
    ASSERT_TRUE(again->subclass(handle(), 0, noting()));
    again->watch(handle(), kFirst, platform::kDeliverBefore);
    EXPECT_EQ(send(kFirst), kOwnAnswer);
    again->releaseAll();
    EXPECT_EQ(procedure(), reinterpret_cast<LONG_PTR>(&plainProc));
    EXPECT_EQ(trail, (Trail{"own 1", "before 1 0", "own 1"}));
}

// The table's own errors are the fake's tests; here what only the system can tell.
TEST_F(WindowHooksWinTest, ErrorsAreShownWithTheExclamationIconAndWrittenToTheEventLog) {
    EXPECT_FALSE(hooks_->subclass(handleOf(GetDesktopWindow()), 0, noting())) << "the shell's own window";
    const HWND gone = makePlainWindow();
    DestroyWindow(gone);
    EXPECT_FALSE(hooks_->subclass(handleOf(gone), 0, noting()));
    EXPECT_EQ(shown_.str(),
              "msgbox 48 \"Error in cSystray.ssc_Subclass\" \"Window handle belongs to another process.\" -> OK\n"
              "msgbox 48 \"Error in cSystray.ssc_Subclass\" \"Invalid window handle.\" -> OK\n");
    EXPECT_EQ(errors_.lines, (std::vector<std::string>{
                                 "event: cSystray.ssc_Subclass: Window handle belongs to another process",
                                 "event: cSystray.ssc_Subclass: Invalid window handle",
                             }));
}

// Calls a stdcall procedure of four arguments as the system does, and measures how far the stack
// pointer moved over the call: 0 when the procedure took its arguments off, as stdcall requires.
struct PlainCall {
    std::intptr_t answer;
    std::intptr_t stackMoved;
};
PlainCall callPlain(platform::CallbackAddress procedure, const std::uint32_t (&args)[4]) {
    std::intptr_t answer, moved;
    asm volatile("movl %%esp, %%ebx\n\t"
                 "pushl 12(%%esi)\n\t"
                 "pushl 8(%%esi)\n\t"
                 "pushl 4(%%esi)\n\t"
                 "pushl (%%esi)\n\t"
                 "call *%%edi\n\t"
                 "movl %%esp, %%ecx\n\t"
                 "subl %%ebx, %%ecx\n\t"
                 "movl %%ebx, %%esp\n\t"
                 : "=a"(answer), "=c"(moved)
                 : "S"(args), "D"(procedure)
                 : "ebx", "edx", "memory", "cc");
    return {answer, moved};
}

TEST_F(WindowHooksWinTest, TheCallbackAddressIsAStdcallProcedureThatTheSystemCallsAsATimerProcedure) {
    Win32Tray tray;
    const platform::WindowHandle window = tray.createMessageWindow();
    std::vector<std::uint32_t> seen;
    const auto noting = [&seen](platform::WindowHandle w, unsigned message, std::uintptr_t id, std::uint32_t time) {
        seen = {static_cast<std::uint32_t>(w), message, id, time};
        return std::intptr_t{0x5A5A};
    };
    const platform::CallbackAddress procedure = hooks_->callbackAddress([](auto...) { return std::intptr_t{0}; });
    ASSERT_NE(procedure, 0u);
    EXPECT_EQ(hooks_->callbackAddress(noting), procedure) << "the same address, now calling the later callback";
    EXPECT_NE(procedures_.createHooks("frmMain")->callbackAddress(noting), procedure) << "one for each object";

    const PlainCall call = callPlain(procedure, {11, 22, 33, 0xFFFFFFFFu});
    EXPECT_EQ(call.answer, 0x5A5A);
    EXPECT_EQ(call.stackMoved, 0);
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{11, 22, 33, 0xFFFFFFFFu}));

    seen.clear();
    const DWORD armed = GetTickCount();
    tray.setTimer(window, 78, 10, procedure);
    ASSERT_TRUE(test::pumpUntil([&] { return !seen.empty(); }));
    tray.killTimer(window, 78);
    EXPECT_EQ(seen[0], window);
    EXPECT_EQ(seen[1], static_cast<std::uint32_t>(WM_TIMER));
    EXPECT_EQ(seen[2], 78u);
    EXPECT_LE(seen[3] - armed, GetTickCount() - armed) << "the time the system put on the message";
    tray.destroyWindow(window);
    EXPECT_EQ(shown_.str(), "");
}

// The program's own main window, drawn by the renderer over the fake services but hooked for real:
// the platform's suspend query reaches its MainWindowProc.
TEST(MainWindowProcWin, TheSuspendQueryIsDeniedOnlyWhileHibernateAndWakeIsChosen) {
    constexpr LRESULT kDeny = 0x424D5144;
    std::ostringstream out;
    fake::FakePlatform os{out};
    RendererWin renderer;
    Win32WindowProcedures procedures{os.dialogs, os.errors};
    procedures.setWindowLookup([&renderer](const forms::Form& form) { return renderer.window(form); });
    platform::Platform fake = os.services();
    platform::Platform services{fake.clock,    fake.dialogs, fake.files,  fake.power,      fake.processes,
                                fake.registry, fake.sound,   fake.errors, fake.fileDialog, fake.wakeTimer,
                                fake.media,    procedures,   fake.tray,   fake.downloads};
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
