#pragma once

#include "../platform.h"
#include "clock_linux.h"
#include "dialogs_linux.h"
#include "downloads_linux.h"
#include "error_log_linux.h"
#include "file_dialog_linux.h"
#include "files_linux.h"
#include "media_linux.h"
#include "power_linux.h"
#include "processes_linux.h"
#include "registry_linux.h"
#include "sound_linux.h"
#include "tray_linux.h"
#include "wake_timer_linux.h"
#include "window_procedures_linux.h"

namespace qs::linuxos {

// Every real Linux service; needs a QApplication for the event loop, dialogs and D-Bus.
struct LinuxPlatform {
    LinuxClock clock;
    LinuxDialogs dialogs;
    LinuxFiles files;
    LinuxPower power;
    LinuxProcesses processes;
    LinuxRegistry registry;
    LinuxSound sound;
    LinuxErrorLog errors;
    LinuxFileDialog fileDialog;
    LinuxWakeTimer wakeTimer;
    LinuxMedia media;
    LinuxWindowProcedures windowProcedures{dialogs, errors};
    LinuxTray tray{windowProcedures};
    LinuxDownloads downloads;

    platform::Platform services() {
        return {clock,  dialogs,    files,     power, processes,        registry, sound,
                errors, fileDialog, wakeTimer, media, windowProcedures, tray,     downloads};
    }
};

} // namespace qs::linuxos
