#pragma once

#include "../platform/date_time.h"
#include "version.h"

#include <string>

namespace qs::app {

// The program-wide values every window shares.
struct Globals {
    std::string AppDir;   // the program's folder, ending in a separator
    std::string AppTitle; // ":: Quorrel Shutdown 2.2 ::"
    std::string ActionName = "Shutdown";
    bool ForcedAction = false;
    DateTime ActionDate;
};

constexpr int kVersionMajor = QS_VERSION_MAJOR;
constexpr int kVersionMinor = QS_VERSION_MINOR;
constexpr int kVersionRevision = QS_VERSION_REVISION;

} // namespace qs::app
