// Win32Tray under Wine: the request record byte by byte, the shell's version, and the notification
// area of a Wine desktop with a taskbar, clicked as a user would.
#include "../../../src/platform/fake/dialogs_fake.h"
#include "../../../src/platform/win32/library_win.h"
#include "../../../src/platform/win32/notify_icon_record_win.h"
#include "../../../src/platform/win32/tray_win.h"
#include "../../../src/platform/win32/window_procedures_win.h"
#include "../recording_error_log.h"
#include "message_pump_win.h"
#include "test_thread_win.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <sstream>

namespace qs::win32 {
namespace {

using platform::NotifyIconData;

// The system's own declaration of the record agrees with ours.
static_assert(sizeof(NOTIFYICONDATAA) == sizeof(NotifyIconRecord));
static_assert(offsetof(NOTIFYICONDATAA, szInfo) == offsetof(NotifyIconRecord, szInfo) &&
              offsetof(NOTIFYICONDATAA, uTimeout) == offsetof(NotifyIconRecord, uTimeoutOrVersion) &&
              offsetof(NOTIFYICONDATAA, dwInfoFlags) == offsetof(NotifyIconRecord, dwInfoFlags));

TEST(NotifyIconRecordWin, HoldsEachFieldAtItsOffsetWithTheTextsCutToTheirFields) {
    const NotifyIconData data{.cbSize = 504,
                              .hWnd = 0x10234,
                              .uID = 0x55,
                              .uFlags = 0x17,
                              .uCallbackMessage = 0x200,
                              .hIcon = 0x9876,
                              .szTip = std::string(200, 't'),
                              .szInfo = std::string(300, 'i'),
                              .uTimeoutOrVersion = 3,
                              .szInfoTitle = std::string(100, 'h'),
                              .dwInfoFlags = 0x11};
    const NotifyIconRecord record = notifyIconRecord(data);
    unsigned char bytes[504];
    std::memcpy(bytes, &record, sizeof bytes);
    const auto at = [&](std::size_t offset) {
        std::uint32_t value;
        std::memcpy(&value, bytes + offset, sizeof value);
        return value;
    };
    const auto text = [&](std::size_t offset) { return std::string(reinterpret_cast<const char*>(bytes + offset)); };
    const auto zero = [&](std::size_t from, std::size_t to) {
        return std::all_of(bytes + from, bytes + to, [](unsigned char b) { return b == 0; });
    };
    EXPECT_EQ(at(0), 504u);
    EXPECT_EQ(at(4), 0x10234u);
    EXPECT_EQ(at(8), 0x55u);
    EXPECT_EQ(at(12), 0x17u);
    EXPECT_EQ(at(16), 0x200u);
    EXPECT_EQ(at(20), 0x9876u);
    EXPECT_EQ(text(24), std::string(127, 't'));
    EXPECT_TRUE(zero(152, 160)) << "state and mask";
    EXPECT_EQ(text(160), std::string(255, 'i'));
    EXPECT_EQ(at(416), 3u);
    EXPECT_EQ(text(420), std::string(63, 'h'));
    EXPECT_EQ(at(484), 0x11u);
    EXPECT_TRUE(zero(488, 504)) << "the GUID";
}

TEST(TrayWin, ReadsTheShellLibrarysMajorVersion) {
    Library shell32("shell32.dll");
    const auto getVersion = shell32.function<HRESULT(CALLBACK*)(DLLVERSIONINFO*)>("DllGetVersion");
    ASSERT_TRUE(getVersion);
    DLLVERSIONINFO info{sizeof info, 0, 0, 0, 0};
    ASSERT_EQ(getVersion(&info), S_OK);
    EXPECT_EQ(Win32Tray().shellMajorVersion(), static_cast<int>(info.dwMajorVersion));
}

// A desktop whose explorer shows a taskbar (Wine's "EnableShell"), for the calling thread.
bool moveToDesktopWithTaskbar() {
    constexpr char kName[] = "QsTrayTest";
    HKEY desktops = nullptr, own = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Wine\\Explorer\\Desktops", &desktops) != ERROR_SUCCESS)
        return false;
    const DWORD on = 1;
    RegSetValueExA(desktops, kName, 0, REG_SZ, reinterpret_cast<const BYTE*>("800x600"), 8);
    RegCreateKeyA(desktops, kName, &own);
    RegSetValueExA(own, "EnableShell", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on);
    RegCloseKey(own);
    RegCloseKey(desktops);
    const HDESK desktop = CreateDesktopA(kName, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    return desktop && SetThreadDesktop(desktop);
}

void rightClickAt(int x, int y) {
    SetCursorPos(x, y);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(2, input, sizeof(INPUT));
}

// On a thread of its own on that desktop: the icon is taken, a click on it comes back to the hidden
// window as the shell's notifications, and the shell's restart broadcast reaches that window too.
void useTheNotificationArea() {
    ASSERT_TRUE(moveToDesktopWithTaskbar());
    std::ostringstream shown;
    fake::Transcript transcript{shown};
    fake::FakeDialogs dialogs{transcript};
    qs::test::RecordingErrorLog errors;
    Win32WindowProcedures procedures{dialogs, errors};
    const auto hooks = procedures.createHooks("cSystray");
    Win32Tray tray;

    const platform::WindowHandle window = tray.createMessageWindow(); // the desktop's explorer starts with it
    const HWND hwnd = reinterpret_cast<HWND>(window);
    ASSERT_TRUE(hwnd);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    HWND taskbar = nullptr;
    ASSERT_TRUE(test::pumpUntil(
        [&] { return (taskbar = FindWindowA("Shell_TrayWnd", nullptr)) != nullptr && IsWindowVisible(taskbar); },
        20000));

    const unsigned taskbarCreated = tray.registerWindowMessage("TaskbarCreated");
    std::vector<std::intptr_t> codes;
    int restarts = 0;
    ASSERT_TRUE(hooks->subclass(window, 0, [&](platform::HookedMessage& m) {
        if (m.message.message == 0x200 && m.message.lParam != 0x200)
            codes.push_back(m.message.lParam); // pointer moves come as the pointer wanders in
        else if (m.message.message == taskbarCreated)
            ++restarts;
    }));
    hooks->watch(window, 0x200, platform::kDeliverAfter);
    hooks->watch(window, static_cast<int>(taskbarCreated), platform::kDeliverAfter);

    const platform::IconHandle icon = tray.extractIcon("shell32.dll", 0);
    NotifyIconData data{.cbSize = 504,
                        .hWnd = window,
                        .uID = 1,
                        .uFlags = platform::kNotifyMessage | platform::kNotifyIcon | platform::kNotifyTip,
                        .uCallbackMessage = 0x200,
                        .hIcon = icon,
                        .szTip = ":: Quorrel Shutdown 2.2 ::",
                        .szInfo = "",
                        .uTimeoutOrVersion = 3,
                        .szInfoTitle = "",
                        .dwInfoFlags = 0};
    tray.notifyIcon(platform::kNotifyAdd, data);
    EXPECT_TRUE(tray.lastRequestTaken());
    data.uFlags = platform::kNotifyTip;
    data.szTip = "Shutdown will occur after 1 hour 5 minutes";
    tray.notifyIcon(platform::kNotifyModify, data);
    EXPECT_TRUE(tray.lastRequestTaken());

    // The only icon of this desktop, at the right end of the taskbar.
    RECT bar;
    GetWindowRect(taskbar, &bar);
    rightClickAt(bar.right - GetSystemMetrics(SM_CXSMICON) / 2 - 2, (bar.top + bar.bottom) / 2);
    EXPECT_TRUE(test::pumpUntil([&] { return codes.size() >= 2; }));
    EXPECT_EQ(codes, (std::vector<std::intptr_t>{0x204, 0x205}));

    PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
    EXPECT_TRUE(test::pumpUntil([&] { return restarts > 0; }));

    tray.notifyIcon(platform::kNotifyDelete, data);
    EXPECT_TRUE(tray.lastRequestTaken());
    tray.notifyIcon(platform::kNotifyDelete, data);
    EXPECT_FALSE(tray.lastRequestTaken()) << "no such icon any more";
    hooks->releaseAll();
    tray.destroyWindow(window);
    tray.releaseIcon(icon);
    EXPECT_EQ(shown.str(), "");
}

TEST(TrayWinTaskbar, AnIconIsAddedClickedAndDeletedInARealNotificationArea) {
    test::TestThread user(useTheNotificationArea);
    ASSERT_TRUE(user.started());
    user.join();
}

} // namespace
} // namespace qs::win32
