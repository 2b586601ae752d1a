#pragma once

namespace qs::platform {

// Tones on the speaker or the sound system, pauses, and the old port I/O of the 9x family.
class Sound {
public:
    virtual ~Sound() = default;

    // A tone of the frequency for the duration; returns when it has ended.
    virtual void tone(int frequencyHz, int durationMs) = 0;
    virtual void sleep(int ms) = 0;
    // The system's default beep.
    virtual void defaultBeep() = 0;
    // Direct port I/O, as the 9x family allows it; elsewhere writes go nowhere and reads give 0.
    virtual void portOut(int port, int value) = 0;
    virtual int portIn(int port) = 0;
};

} // namespace qs::platform
