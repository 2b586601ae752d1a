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
    missingPrivilege_ = 0;
    return ok;
}

bool Win32Power::exitWindows(unsigned flags) {
    const bool ok = result(ExitWindowsEx(flags, 0) != 0);
    // Logging off needs no privilege, so the call is made either way; a refusal is then told as
    // the missing privilege it most likely comes from.
    if (!ok)
        missingPrivilege_ = privilegeError_;
    privilegeError_ = 0;
    return ok;
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
    if (lastError_ == 0)
        return {};
    if (missingPrivilege_ == 0)
        return systemMessage(lastError_);
    return "The shutdown privilege was not granted: " + systemMessage(missingPrivilege_) + " " +
           systemMessage(lastError_);
}

void Win32Power::setShutdownPrivilege(bool enable) {
    const unsigned long error = enablePrivilege("SeShutdownPrivilege", enable);
    // Switching it off after the call must not hide why switching it on failed.
    if (enable)
        privilegeError_ = error;
}

unsigned long enablePrivilege(const char* name, bool enable) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return GetLastError();
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    DWORD error = ERROR_SUCCESS;
    if (!LookupPrivilegeValueA("", name, &privileges.Privileges[0].Luid)) {
        error = GetLastError();
    } else {
        TOKEN_PRIVILEGES previous{};
        DWORD previousLength = 0;
        // Success with ERROR_NOT_ALL_ASSIGNED means the token does not hold the privilege at all.
        if (!AdjustTokenPrivileges(token, FALSE, &privileges, sizeof previous, &previous, &previousLength) ||
            GetLastError() != ERROR_SUCCESS)
            error = GetLastError();
    }
    CloseHandle(token);
    return error;
}

} // namespace qs::win32
