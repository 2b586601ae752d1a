#include "modSpeaker.h"

#include "../actions/modWaitable.h"
#include "../app/modMisc.h"
#include "../app/numbers.h"

namespace qs::windows {

namespace {
constexpr double kTimerBase = 1193280;
constexpr int kTimerControl = 0x43, kTimerChannel2 = 0x42, kSpeaker = 0x61;
} // namespace

void SpeakerBeep(platform::Platform& os, int frequency, float durationMs) {
    switch (app::GetPlatformKind(os.power)) {
    case 0:
        os.sound.tone(frequency, static_cast<int>(app::RoundHalfEven(durationMs)));
        break;
    case 1:
        PortBeep(os, frequency, durationMs);
        break;
    default:
        os.sound.defaultBeep();
        break;
    }
}

void PortBeep(platform::Platform& os, int frequency, float durationMs) {
    const long divisor = frequency > 0 ? app::RoundHalfEven(kTimerBase / frequency) : 0;
    if (divisor <= 0 || divisor > 0x7FFF) {
        // Below 37 Hz the divisor does not fit the chip's 16-bit counter.
        os.sound.defaultBeep();
        return;
    }
    auto& sound = os.sound;
    sound.portOut(kTimerControl, 0xB6);
    sound.portOut(kTimerChannel2, static_cast<int>(divisor & 0xFF));
    sound.portOut(kTimerChannel2, static_cast<int>(divisor / 256));
    sound.portOut(kSpeaker, sound.portIn(kSpeaker) | 3);
    // A relative wait on the event loop: it sleeps, and a tone across midnight still ends.
    actions::WaitMilliseconds(os.clock, static_cast<int>(app::RoundHalfEven(durationMs)));
    sound.portOut(kSpeaker, sound.portIn(kSpeaker) & 0xFC);
}

} // namespace qs::windows
