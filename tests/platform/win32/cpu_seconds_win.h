#pragma once

#include <windows.h>

namespace qs::test {

// The processor time this process has used so far, user and kernel, in seconds.
inline double cpuSeconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    return (static_cast<double>(kernel.dwLowDateTime) + user.dwLowDateTime +
            4294967296.0 * (kernel.dwHighDateTime + user.dwHighDateTime)) /
           1e7;
}

} // namespace qs::test
