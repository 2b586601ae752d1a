// The notification area on a real X display: Xvfb with trayer's XEmbed tray along the bottom
// edge, the pointer and buttons of xdotool; and the main window where no tray exists.
#include "../../../src/forms/application.h"
#include "../../../src/platform/callback_table.h"
#include "../../../src/platform/fake/dialogs_fake.h"
#include "../../../src/platform/linux/clock_linux.h"
#include "../../../src/platform/linux/renderer_qt.h"
#include "../../../src/platform/linux/tray_linux.h"
#include "../../../src/platform/linux/window_procedures_linux.h"
#include "../demo_form.h"
#include "../recording_error_log.h"
#include "loop_until.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolTip>
#include <gtest/gtest.h>
#include <sstream>

namespace qs::linuxos {
namespace {

constexpr unsigned kCallback = 0x200;
constexpr std::uint32_t kId = 77;
using Codes = std::vector<unsigned>;

class TrayLinuxTest : public testing::Test {
protected:
    void SetUp() override {
        window_ = tray_.createMessageWindow();
        ASSERT_TRUE(hooks_->subclass(window_, 0, [this](platform::HookedMessage& m) {
            if (m.message.message != kCallback || m.message.wParam != kId)
                return;
            // The pointer over the icon: the program sets its tooltip, as the main window does.
            if (m.message.lParam == kCallback)
                tray_.notifyIcon(platform::kNotifyModify, request(platform::kNotifyTip, "Fresh tip"));
            else
                codes_.push_back(static_cast<unsigned>(m.message.lParam));
        }));
        hooks_->watch(window_, kCallback, platform::kDeliverAfter);
        ASSERT_TRUE(startTrayer()) << "trayer (Debian: trayer)";
    }
    void TearDown() override {
        tray_.destroyWindow(window_);
        trayer_.terminate();
        trayer_.waitForFinished(5000);
        EXPECT_TRUE(errors_.lines.empty());
    }

    platform::NotifyIconData request(std::uint32_t flags, const std::string& text = "Quorrel") {
        platform::NotifyIconData data;
        data.cbSize = 504;
        data.hWnd = window_;
        data.uID = kId;
        data.uFlags = flags;
        data.uCallbackMessage = kCallback;
        data.hIcon = tray_.programIcon("main");
        (flags == platform::kNotifyInfo ? data.szInfo : data.szTip) = text;
        data.dwInfoFlags = 1 | 0x10; // information, no sound
        return data;
    }
    bool startTrayer() {
        trayer_.start(QStringLiteral("trayer"), {QStringLiteral("--edge"), QStringLiteral("bottom")});
        return test::loopUntil(QSystemTrayIcon::isSystemTrayAvailable, 10000);
    }
    // Where the icon sits in trayer's strip along the bottom edge; empty when it is not there.
    QRect trayPlace() const {
        const QRect place = tray_.trayIcon(window_, kId)->geometry();
        const int trayTop = QGuiApplication::primaryScreen()->geometry().bottom() - 40;
        return place.top() > trayTop ? place : QRect();
    }
    QRect addIcon() {
        tray_.notifyIcon(platform::kNotifyAdd, request(platform::kNotifyMessage | platform::kNotifyIcon));
        test::loopUntil([&] { return !trayPlace().isEmpty(); }, 10000);
        return trayPlace();
    }
    static void pointer(QPoint at, const char* button = nullptr) {
        QStringList args{QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())};
        if (button)
            args << QStringLiteral("click") << QString::fromLatin1(button);
        ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), args), 0);
    }
    Codes codesAfter(const std::function<void()>& cause, size_t count) {
        codes_.clear();
        cause();
        test::loopUntil([&] { return codes_.size() >= count; }, 10000);
        return codes_;
    }

    std::ostringstream out_;
    fake::Transcript transcript_{out_};
    fake::FakeDialogs dialogs_{transcript_};
    test::RecordingErrorLog errors_;
    LinuxWindowProcedures windows_{dialogs_, errors_};
    LinuxTray tray_{windows_};
    std::unique_ptr<platform::WindowHooks> hooks_ = windows_.createHooks("cSystray");
    platform::WindowHandle window_ = 0;
    Codes codes_;
    QProcess trayer_;
};

TEST_F(TrayLinuxTest, TheIconSitsInTheTrayAndTellsItsClicksThroughTheHook) {
    const QPoint icon = addIcon().center();
    ASSERT_FALSE(icon.isNull()) << "the icon was not embedded in the tray";

    // Resting over the icon, the pointer asks for the tooltip, which the program sets just before.
    pointer(icon);
    ASSERT_TRUE(test::loopUntil(QToolTip::isVisible, 10000));
    EXPECT_EQ(QToolTip::text().toStdString(), "Fresh tip");

    EXPECT_EQ(codesAfter([&] { pointer(icon, "1"); }, 2), (Codes{0x201, 0x202}));
    EXPECT_EQ(codesAfter([&] { pointer(icon, "3"); }, 2), (Codes{0x204, 0x205}));
    EXPECT_EQ(codesAfter([&] { pointer(icon, "2"); }, 2), (Codes{0x207, 0x208}));

    // Another tray host takes the icon in by itself: Linux needs no "TaskbarCreated".
    trayer_.kill();
    trayer_.waitForFinished(5000);
    ASSERT_TRUE(test::loopUntil([&] { return trayPlace().isEmpty(); }, 10000));
    ASSERT_TRUE(startTrayer());
    ASSERT_TRUE(test::loopUntil([&] { return !trayPlace().isEmpty(); }, 10000));
    EXPECT_EQ(codesAfter([&] { pointer(trayPlace().center(), "1"); }, 2), (Codes{0x201, 0x202}));
}

TEST_F(TrayLinuxTest, ABalloonIsAnnouncedAfterTheRequestAndTellsItsClick) {
    ASSERT_FALSE(addIcon().isEmpty());
    QWidget* balloon = nullptr;
    const Codes shown = codesAfter(
        [&] {
            tray_.notifyIcon(platform::kNotifyModify, request(platform::kNotifyInfo, "Shutdown will occur"));
            EXPECT_TRUE(codes_.empty()) << "announced only once the request has returned";
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->inherits("QBalloonTip") && top->isVisible())
                    balloon = top;
        },
        1);
    EXPECT_EQ(shown, Codes{platform::kBalloonShown});
    ASSERT_TRUE(balloon) << "Qt shows its balloon beside the icon";
    EXPECT_EQ(codesAfter([&] { pointer(balloon->geometry().center(), "1"); }, 1), Codes{platform::kBalloonClick});

    // Taken back: the balloon goes, and the program hears once that it is hidden.
    const Codes hidden = codesAfter(
        [&] {
            tray_.notifyIcon(platform::kNotifyModify, request(platform::kNotifyInfo, "I am here...."));
            tray_.notifyIcon(platform::kNotifyModify, request(platform::kNotifyInfo, ""));
            tray_.notifyIcon(platform::kNotifyModify, request(platform::kNotifyInfo, ""));
        },
        2);
    EXPECT_EQ(hidden, (Codes{platform::kBalloonShown, platform::kBalloonHidden}));
}

TEST_F(TrayLinuxTest, ATimerCallsItsProcedureWithItsArgumentsUntilKilled) {
    platform::CallbackTable callbacks;
    using Call = std::tuple<platform::WindowHandle, unsigned, std::uintptr_t>;
    std::vector<Call> calls;
    const platform::CallbackAddress procedure =
        callbacks.address([&](platform::WindowHandle window, unsigned message, std::uintptr_t id, std::uint32_t) {
            calls.emplace_back(window, message, id);
            if (calls.size() == 2)
                tray_.killTimer(window, id); // from inside its own call
            return 0;
        });
    tray_.setTimer(window_, 5, 20, procedure);
    // Ten rounds of the killed timer would have passed when this one fires.
    bool later = false;
    QTimer::singleShot(200, [&] { later = true; });
    test::loopUntil([&] { return later; }, 5000);
    EXPECT_EQ(calls, (std::vector<Call>(2, {window_, 0x113, 5})));
}

// Without a tray host the program is told so, and the window it would hide goes to the task bar,
// from where showing it brings it back.
TEST(NoTrayLinuxTest, TheTrayIsUnavailableAndAMinimisedFormStaysOnTheTaskBarUntilShown) {
    std::ostringstream out;
    fake::Transcript transcript{out};
    fake::FakeDialogs dialogs{transcript};
    test::RecordingErrorLog errors;
    LinuxWindowProcedures windows{dialogs, errors};
    LinuxTray tray(windows);
    EXPECT_FALSE(tray.available());
    LinuxClock clock;
    RendererQt renderer;
    forms::Application app(clock, renderer, errors);
    test::DemoForm main(app);
    main.minimize();
    QWidget* window = renderer.window(main);
    ASSERT_TRUE(window);
    EXPECT_TRUE(test::loopUntil([window] { return window->isVisible() && window->isMinimized(); }, 5000));
    EXPECT_TRUE(main.isVisible());
    main.show(); // as the tray's Restore does
    EXPECT_TRUE(test::loopUntil([window] { return window->isVisible() && !window->isMinimized(); }, 5000));
    main.unload();
}

} // namespace
} // namespace qs::linuxos
