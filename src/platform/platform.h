#pragma once

#include "clock.h"
#include "dialogs.h"
#include "error_log.h"
#include "files.h"
#include "power.h"
#include "processes.h"
#include "registry.h"
#include "sound.h"

namespace qs::platform {

// The services one program runs on; built by the program's factory and handed to the logic.
struct Platform {
    Clock& clock;
    Dialogs& dialogs;
    Files& files;
    Power& power;
    Processes& processes;
    Registry& registry;
    Sound& sound;
    ErrorLog& errors;
};

} // namespace qs::platform
