#pragma once

#include "../sound.h"
#include "clock_fake.h"
#include "transcript.h"

namespace qs::fake {

// Tones and pauses take their time on the virtual clock without firing timers, as a blocking
// call delays the timers of the real event loop.
class FakeSound : public platform::Sound {
public:
    FakeSound(Transcript& t, FakeClock& clock) : transcript_(t), clock_(clock) {}

    void setPort(int port, int value) { ports_[port & 0xFF] = value & 0xFF; }

    void tone(int frequencyHz, int durationMs) override;
    void sleep(int ms) override;
    void defaultBeep() override;
    void portOut(int port, int value) override;
    int portIn(int port) override;

private:
    Transcript& transcript_;
    FakeClock& clock_;
    int ports_[256] = {};
};

} // namespace qs::fake
