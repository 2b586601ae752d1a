#pragma once

#include <cstdint>
#include <vector>

namespace qs::linuxos {

constexpr int kToneSampleRate = 44100;

// The samples of a tone: a sine of the frequency, mono, signed 16-bit at kToneSampleRate, faded in
// and out over 5 ms so that it starts and stops without a click.
std::vector<std::int16_t> makeTone(int frequencyHz, int durationMs);

} // namespace qs::linuxos
