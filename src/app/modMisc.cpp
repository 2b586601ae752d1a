#include "modMisc.h"

#include "../forms/form.h"

namespace qs::app {

WindowsVersionInfo GetWindowsVersion(platform::Power& power) {
    const platform::OsVersion v = power.version();
    WindowsVersionInfo info;
    info.Platform = v.platformId == 1 || v.platformId == 2 ? v.platformId : 0;
    if (info.Platform == 1) {
        if (v.minor == 0)
            info.Release = 1;
        else if (v.minor == 10)
            info.Release = 2;
        else if (v.minor == 90)
            info.Release = 3;
    } else if (info.Platform == 2) {
        if (v.major < 5)
            info.Release = 4;
        else if (v.major == 5 && v.minor == 0)
            info.Release = 5;
        else if (v.major == 5 && v.minor == 1)
            info.Release = 6;
    }
    info.Build = v.build;
    info.VersionText = std::to_string(v.major) + "." + std::to_string(v.minor);
    return info;
}

std::string GetWindowsFamily(platform::Power& power) {
    switch (GetWindowsVersion(power).Platform) {
    case 1:
        return "Windows 9x|ME";
    case 2:
        return "Windows NT";
    default:
        return "Windows 32";
    }
}

int GetPlatformKind(platform::Power& power) {
    switch (power.version().platformId) {
    case 1:
        return 1;
    case 2:
        return 0;
    default:
        return 2;
    }
}

void SetTopMost(forms::Form& window, bool on) {
    window.setTopMost(on);
    if (on)
        window.show();
}

} // namespace qs::app
