#pragma once

#include <string>

namespace qs::platform {

// What GetVersionExA reports.
struct OsVersion {
    int platformId = 2; // 0 Win32s, 1 the 9x family, 2 the NT family
    int major = 5;
    int minor = 1;
    int build = 2600;
};

// Session end, suspend, lock and what the machine allows.
class Power {
public:
    virtual ~Power() = default;

    virtual OsVersion version() = 0;
    virtual bool isHibernateAllowed() = 0;
    virtual bool isSuspendAllowed() = 0;

    // ExitWindowsEx flag word: 0 log off, 1 shut down, 2 restart, +4 forced.
    virtual bool exitWindows(unsigned flags) = 0;
    virtual bool setSuspendState(bool hibernate, bool forced, bool disableWake) = 0;
    virtual bool lockWorkStation() = 0;
    virtual void setShutdownPrivilege(bool enable) = 0;
    // Why the last session end, suspend or lock that returned false failed, in the platform's
    // own words (logind's error text, the system's error message); empty when it gave none.
    virtual std::string failureReason() = 0;
};

} // namespace qs::platform
