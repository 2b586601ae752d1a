#pragma once

#include "../platform/files.h"

#include <string>

namespace qs::actions {

// The local path a shell link (.lnk) points to, or "" when the file cannot be read or is not a
// shell link holding a local base path. Reads only inside the file, whatever its fields claim.
std::string GetLinkTarget(platform::Files& files, const std::string& path);

} // namespace qs::actions
