#pragma once

#include "../platform/platform.h"

namespace qs::windows {

// One tone, by platform kind: the platform's tone on the NT family, the timer chip on the 9x
// family, the default beep elsewhere. Returns when the tone has ended.
void SpeakerBeep(platform::Platform& os, int frequency, float durationMs);
// The 9x way: programs channel 2 of the interval timer and gates the speaker for the duration,
// letting events run meanwhile.
void PortBeep(platform::Platform& os, int frequency, float durationMs);

} // namespace qs::windows
