#include "power_win.h"

#include "system_message_win.h"

namespace qs::win32 {

namespace {
using BooleanQuery = BOOLEAN(WINAPI*)();
using SuspendCall = BOOLEAN(WINAPI*)(BOOLEAN hibernate, BOOLEAN forceCritical, BOOLEAN disableWakeEvent);
using LockCall = BOOL(WINAPI*)();
} // namespace

Win32Power::Win32Power(std::string powerLibrary) : powrprof_(std::move(powerLibrary)) {}

platform::OsVersion Win32Power::version() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info))
        return {};
    return {static_cast<int>(info.dwPlatformId), static_cast<int>(info.dwMajorVersion),
            static_cast<int>(info.dwMinorVersion), static_cast<int>(info.dwBuildNumber & 0xFFFF)};
}

bool Win32Power::isHibernateAllowed() {
    const auto query = powrprof_.function<BooleanQuery>("IsPwrHibernateAllowed");
    return query && query();
}

bool Win32Power::isSuspendAllowed() {
    const auto query = powrprof_.function<BooleanQuery>("IsPwrSuspendAllowed");
    return query && query();
}

bool Win32Power::result(bool ok, bool available) {
    lastError_ = ok ? 0 : available ? GetLastError() : ERROR_CALL_NOT_IMPLEMENTED;
    return ok;
}

bool Win32Power::exitWindows(unsigned flags) {
    return result(ExitWindowsEx(flags, SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_FLAG_PLANNED) != 0);
}

bool Win32Power::setSuspendState(bool hibernate, bool forced, bool disableWake) {
    const auto suspend = powrprof_.function<SuspendCall>("SetSuspendState");
    return result(suspend && suspend(hibernate, forced, disableWake), suspend != nullptr);
}

bool Win32Power::lockWorkStation() {
    const auto lock = user32_.function<LockCall>("LockWorkStation");
    return result(lock && lock(), lock != nullptr);
}

std::string Win32Power::failureReason() {
    return lastError_ == 0 ? std::string() : systemMessage(lastError_);
}

void Win32Power::setShutdownPrivilege(bool enable) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    }
    CloseHandle(token);
}

} // namespace qs::win32
