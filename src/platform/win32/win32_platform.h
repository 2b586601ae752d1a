#pragma once

#include "../platform.h"
#include "clock_win.h"
#include "dialogs_win.h"
#include "downloads_win.h"
#include "error_log_win.h"
#include "file_dialog_win.h"
#include "files_win.h"
#include "media_win.h"
#include "power_win.h"
#include "processes_win.h"
#include "registry_win.h"
#include "sound_win.h"
#include "tray_win.h"
#include "wake_timer_win.h"
#include "window_procedures_win.h"

namespace qs::win32 {

// Every real Win32 service; built on the thread that runs the message loop.
struct Win32Platform {
    Win32Files files;
    // Beside the settings file.
    Win32ErrorLog errors{files.programFolder()};
    Win32Clock clock{errors};
    Win32Dialogs dialogs;
    Win32Power power;
    Win32Processes processes{clock};
    Win32Registry registry;
    Win32Sound sound;
    Win32FileDialog fileDialog;
    Win32WakeTimer wakeTimer{clock};
    Win32Media media;
    Win32WindowProcedures windowProcedures{dialogs, errors};
    Win32Tray tray;
    Win32Downloads downloads{errors};

    // The services that work on a form's native window find it through the renderer.
    void findWindowsWith(const WindowLookup& lookup) {
        fileDialog.setWindowLookup(lookup);
        windowProcedures.setWindowLookup(lookup);
    }

    platform::Platform services() {
        return {clock,  dialogs,    files,     power, processes,        registry, sound,
                errors, fileDialog, wakeTimer, media, windowProcedures, tray,     downloads};
    }
};

} // namespace qs::win32
