#pragma once

#include "../platform.h"
#include "clock_fake.h"
#include "dialogs_fake.h"
#include "downloads_fake.h"
#include "error_log_fake.h"
#include "file_dialog_fake.h"
#include "files_fake.h"
#include "media_fake.h"
#include "power_fake.h"
#include "processes_fake.h"
#include "registry_fake.h"
#include "sound_fake.h"
#include "transcript.h"
#include "tray_fake.h"
#include "wake_timer_fake.h"
#include "window_procedures_fake.h"

#include <iostream>

namespace qs::fake {

// Every fake service, writing to one transcript.
struct FakePlatform {
    explicit FakePlatform(std::ostream& out = std::cout) : transcript(out) {}

    Transcript transcript;
    FakeClock clock;
    FakeDialogs dialogs{transcript};
    FakeFiles files{transcript};
    FakePower power{transcript};
    FakeProcesses processes{transcript, clock, power};
    FakeRegistry registry{transcript};
    FakeSound sound{transcript, clock};
    FakeErrorLog errors{transcript};
    FakeFileDialog fileDialog{transcript};
    FakeWakeTimer wakeTimer{transcript, clock};
    FakeMedia media{transcript};
    FakeWindowProcedures windowProcedures{transcript, dialogs, errors};
    FakeTray tray{transcript, clock, files, windowProcedures};
    FakeDownloads downloads;

    platform::Platform services() {
        return {clock,  dialogs,    files,     power, processes,        registry, sound,
                errors, fileDialog, wakeTimer, media, windowProcedures, tray,     downloads};
    }
};

} // namespace qs::fake
