#pragma once

#include "../sound.h"

namespace qs::linuxos {

// Tones through the sound system (there is no PC speaker to reach from user space); without an
// audio output the desktop's bell stands in, and a tone still takes its time.
class LinuxSound : public platform::Sound {
public:
    void tone(int frequencyHz, int durationMs) override;
    void sleep(int ms) override;
    void defaultBeep() override;
    // Port I/O is the 9x family's; here writes go nowhere and reads give 0.
    void portOut(int, int) override {}
    int portIn(int) override { return 0; }
};

} // namespace qs::linuxos
