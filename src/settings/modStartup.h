#pragma once

#include "../platform/registry.h"

#include <string>

namespace qs::settings {

inline const std::string kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Registers the program to start at logon (create) or removes the registration. The machine-wide
// Run key is tried first; a user who may not write there gets the entry under the current user.
// Removing clears both places. Returns whether the entry is now as asked.
bool SetStartupEntry(platform::Registry& registry, const std::string& valueName, const std::string& valueData,
                     bool create);

} // namespace qs::settings
