#pragma once

#include "../sound.h"
#include "library_win.h"

namespace qs::win32 {

// The speaker through Beep, and the 9x family's port I/O through WIN95IO.DLL.
class Win32Sound : public platform::Sound {
public:
    // The port DLL's name can be changed so tests can stand in a missing one.
    explicit Win32Sound(std::string portLibrary = "WIN95IO.DLL");

    // Beep; where it returns early (the 9x family ignores its arguments, Wine only rings the
    // terminal's bell) the rest of the time is slept, so a pattern of tones keeps its rhythm.
    void tone(int frequencyHz, int durationMs) override;
    void sleep(int ms) override;
    void defaultBeep() override;
    // Without the DLL writes go nowhere and reads give 0.
    void portOut(int port, int value) override;
    int portIn(int port) override;

private:
    Library ports_;
};

} // namespace qs::win32
