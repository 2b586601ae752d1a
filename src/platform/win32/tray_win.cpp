#include "tray_win.h"

#include "icons_win.h"
#include "notify_icon_record_win.h"

#include <shellapi.h>
#include <vector>
#include <windows.h>

namespace qs::win32 {

namespace {

constexpr UINT kIconFileFlags = LR_SHARED | LR_LOADMAP3DCOLORS | LR_LOADFROMFILE; // 0x9010
constexpr UINT kIconResourceFlags = LR_SHARED | LR_LOADMAP3DCOLORS;               // 0x9000
constexpr int kIconSize = 16;

HWND hwndOf(platform::WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

platform::IconHandle handleOf(HICON icon) {
    return reinterpret_cast<platform::IconHandle>(icon);
}

} // namespace

std::optional<int> Win32Tray::shellMajorVersion() {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA("shell32.dll", &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<char> info(size);
    void* block = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA("shell32.dll", 0, size, info.data()) ||
        !VerQueryValueA(info.data(), "\\", &block, &length) || length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    return static_cast<int>(HIWORD(static_cast<const VS_FIXEDFILEINFO*>(block)->dwFileVersionMS));
}

platform::WindowHandle Win32Tray::createMessageWindow() {
    // Style 0: never visible, yet a top-level window that the shell's broadcasts reach.
    return reinterpret_cast<platform::WindowHandle>(
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
}

void Win32Tray::destroyWindow(platform::WindowHandle window) {
    DestroyWindow(hwndOf(window));
}

unsigned Win32Tray::registerWindowMessage(const std::string& name) {
    return RegisterWindowMessageA(name.c_str());
}

void Win32Tray::notifyIcon(platform::NotifyRequest request, const platform::NotifyIconData& data) {
    NotifyIconRecord record = notifyIconRecord(data);
    lastRequestTaken_ = Shell_NotifyIconA(static_cast<DWORD>(request), reinterpret_cast<NOTIFYICONDATAA*>(&record));
}

void Win32Tray::setTimer(platform::WindowHandle window, std::uintptr_t id, unsigned milliseconds,
                         platform::CallbackAddress procedure) {
    SetTimer(hwndOf(window), id, milliseconds, reinterpret_cast<TIMERPROC>(procedure));
}

void Win32Tray::killTimer(platform::WindowHandle window, std::uintptr_t id) {
    KillTimer(hwndOf(window), id);
}

void Win32Tray::setForeground(platform::WindowHandle window) {
    SetForegroundWindow(hwndOf(window));
}

platform::IconHandle Win32Tray::programIcon(const std::string& name) {
    return handleOf(win32::programIcon(name, GetSystemMetrics(SM_CXSMICON)));
}

platform::IconHandle Win32Tray::loadIconFile(const std::string& file) {
    return handleOf(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), file.c_str(), IMAGE_ICON, kIconSize, kIconSize, kIconFileFlags)));
}

platform::IconHandle Win32Tray::loadIconResource(const std::string& name) {
    return handleOf(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_ICON, kIconSize, kIconSize, kIconResourceFlags)));
}

platform::IconHandle Win32Tray::extractIcon(const std::string& file, int index) {
    HICON large = nullptr;
    ExtractIconExA(file.c_str(), index, &large, nullptr, 1);
    return handleOf(large);
}

void Win32Tray::releaseIcon(platform::IconHandle icon) {
    if (icon)
        DestroyIcon(reinterpret_cast<HICON>(icon));
}

} // namespace qs::win32
