#pragma once

#include "clock.h"
#include "dialogs.h"
#include "download.h"
#include "error_log.h"
#include "file_dialog.h"
#include "files.h"
#include "media.h"
#include "power.h"
#include "processes.h"
#include "registry.h"
#include "sound.h"
#include "tray.h"
#include "wake_timer.h"
#include "window_procedures.h"

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
    FileDialog& fileDialog;
    WakeTimer& wakeTimer;
    Media& media;
    WindowProcedures& windowProcedures;
    Tray& tray;
    Downloads& downloads;
};

} // namespace qs::platform
