#pragma once

#include "../platform/power.h"

#include <string>

namespace qs::forms {
class Form;
}

namespace qs::app {

// The operating system as the power actions and beeps need to know it.
struct WindowsVersionInfo {
    int Platform = 0; // 0 Win32s or unknown, 1 the 9x family, 2 the NT family
    int Release = 0;  // 9x: 1 95, 2 98, 3 ME; NT: 4 before 5.0, 5 for 5.0, 6 for 5.1; else 0
    int Build = 0;
    std::string VersionText; // "5.1"
};

WindowsVersionInfo GetWindowsVersion(platform::Power& power);
// "Windows 32", "Windows 9x|ME" or "Windows NT".
std::string GetWindowsFamily(platform::Power& power);
// 0 the NT family, 1 the 9x family, 2 anything else.
int GetPlatformKind(platform::Power& power);
// Puts a window above all others (and shows it), or takes that away.
void SetTopMost(forms::Form& window, bool on);

} // namespace qs::app
