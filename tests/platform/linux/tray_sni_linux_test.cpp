// The notification area over D-Bus: stand-ins (python-dbusmock) for the desktop's
// StatusNotifierWatcher and notification server on the test's own session bus.
#include "../../../src/platform/fake/dialogs_fake.h"
#include "../../../src/platform/linux/tray_linux.h"
#include "../../../src/platform/linux/window_procedures_linux.h"
#include "../recording_error_log.h"
#include "dbus_mock.h"
#include "loop_until.h"

#include <QDBusVariant>
#include <QSystemTrayIcon>
#include <gtest/gtest.h>
#include <sstream>

namespace qs::linuxos {
namespace {

constexpr unsigned kCallback = 0x200;

TEST(TraySniLinuxTest, TheItemRegistersKeepsItsTooltipFreshAndShowsBalloonsAsNotifications) {
    ASSERT_TRUE(test::DbusMock::available()) << "python3-dbusmock";
    const test::PrivateBus bus(qgetenv("DBUS_SESSION_BUS_ADDRESS").toStdString());
    const QString watcherName = QStringLiteral("org.kde.StatusNotifierWatcher");
    const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");
    const test::DbusMock watcher(bus, {QStringLiteral("--session"), watcherName, watcherPath, watcherName},
                                 watcherName);
    const test::DbusMock notifications(
        bus, {QStringLiteral("--session"), QStringLiteral("--template"), QStringLiteral("notification_daemon")},
        QStringLiteral("org.freedesktop.Notifications"));
    ASSERT_TRUE(watcher.running() && notifications.running());
    watcher.control(
        watcherPath, QStringLiteral("AddProperty"),
        {watcherName, QStringLiteral("IsStatusNotifierHostRegistered"), QVariant::fromValue(QDBusVariant(true))});
    watcher.control(
        watcherPath, QStringLiteral("AddMethod"),
        {watcherName, QStringLiteral("RegisterStatusNotifierItem"), QStringLiteral("s"), QString(), QString()});

    std::ostringstream out;
    fake::Transcript transcript(out);
    fake::FakeDialogs dialogs(transcript);
    test::RecordingErrorLog errors;
    LinuxWindowProcedures windows(dialogs, errors);
    LinuxTray tray(windows);
    platform::NotifyIconData data;
    data.cbSize = 504;
    data.hWnd = tray.createMessageWindow();
    data.uID = 1;
    data.uCallbackMessage = kCallback;
    data.hIcon = tray.programIcon("main");
    int moves = 0;
    std::vector<std::intptr_t> codes;
    const auto hooks = windows.createHooks("cSystray");
    hooks->subclass(data.hWnd, 0, [&](platform::HookedMessage& m) {
        if (m.message.lParam != kCallback)
            return codes.push_back(m.message.lParam);
        platform::NotifyIconData tip = data;
        tip.uFlags = platform::kNotifyTip;
        tip.szTip = "Tick " + std::to_string(++moves);
        tray.notifyIcon(platform::kNotifyModify, tip);
    });
    hooks->watch(data.hWnd, kCallback, platform::kDeliverAfter);
    data.uFlags = platform::kNotifyMessage | platform::kNotifyIcon;
    tray.notifyIcon(platform::kNotifyAdd, data);

    const auto registered = [&] { return watcher.calls(watcherPath); };
    ASSERT_TRUE(test::loopUntil([&] { return !registered().empty(); }, 10000));
    EXPECT_EQ(registered().front().rfind("RegisterStatusNotifierItem ", 0), 0u);
    // No host tells of the pointer: the tooltip is asked for all the time, and kept as told.
    ASSERT_TRUE(test::loopUntil([&] { return moves >= 2; }, 5000));
    EXPECT_EQ(tray.trayIcon(data.hWnd, 1)->toolTip().toStdString(), "Tick " + std::to_string(moves));

    data.uFlags = platform::kNotifyInfo;
    data.szInfo = "Shutdown will occur";
    data.szInfoTitle = "Quorrel Shutdown";
    tray.notifyIcon(platform::kNotifyModify, data);
    const auto notified = [&] { return notifications.calls(QStringLiteral("/org/freedesktop/Notifications")); };
    ASSERT_TRUE(test::loopUntil([&] { return !notified().empty() && !codes.empty(); }, 10000));
    EXPECT_NE(notified().front().find("Quorrel Shutdown Shutdown will occur"), std::string::npos) << notified().front();
    EXPECT_EQ(codes, std::vector<std::intptr_t>{platform::kBalloonShown});
    hooks->releaseAll();
    tray.destroyWindow(data.hWnd);
    EXPECT_TRUE(errors.lines.empty());
}

} // namespace
} // namespace qs::linuxos
