#pragma once

#include "../power.h"
#include "library_win.h"

namespace qs::win32 {

// Session end, suspend and lock. What only some Windows versions have (powrprof.dll,
// LockWorkStation) is looked up when first needed and counts as refused when missing.
class Win32Power : public platform::Power {
public:
    // The power DLL's name can be changed so tests can stand in a missing one.
    explicit Win32Power(std::string powerLibrary = "powrprof.dll");

    platform::OsVersion version() override;
    bool isHibernateAllowed() override;
    bool isSuspendAllowed() override;
    bool exitWindows(unsigned flags) override;
    bool setSuspendState(bool hibernate, bool forced, bool disableWake) override;
    bool lockWorkStation() override;
    // Where there are no privileges (the 9x family) the calls fail quietly. Why switching it on
    // failed is kept for the session end that follows.
    void setShutdownPrivilege(bool enable) override;
    // The system's message; a refused session end after the privilege was not granted says so first.
    std::string failureReason() override;

private:
    // Keeps the thread's last error after a failed call (a missing function counts as "not supported").
    bool result(bool ok, bool available = true);

    Library powrprof_;
    Library user32_{"user32.dll"};
    unsigned long lastError_ = 0;
    unsigned long privilegeError_ = 0;   // of the last switching on of the shutdown privilege
    unsigned long missingPrivilege_ = 0; // that error, when the last failed call was the session end
};

// Switches a privilege of the process's token on or off: 0 when done, else the failing step's error
// (ERROR_NO_SUCH_PRIVILEGE for an unknown name, ERROR_NOT_ALL_ASSIGNED when the token lacks it).
unsigned long enablePrivilege(const char* name, bool enable);

} // namespace qs::win32
