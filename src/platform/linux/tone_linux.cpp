#include "tone_linux.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qs::linuxos {

std::vector<std::int16_t> makeTone(int frequencyHz, int durationMs) {
    if (frequencyHz <= 0 || durationMs <= 0)
        return {};
    const auto samples = static_cast<int>(static_cast<long long>(kToneSampleRate) * durationMs / 1000);
    const int fade = std::min(kToneSampleRate / 200, samples / 2);
    constexpr double kLoudness = 0.3 * 32767; // loud enough to hear, far from clipping
    std::vector<std::int16_t> out(static_cast<std::size_t>(samples));
    for (int i = 0; i < samples; ++i) {
        double gain = kLoudness;
        if (i < fade)
            gain *= static_cast<double>(i) / fade;
        else if (i >= samples - fade)
            gain *= static_cast<double>(samples - 1 - i) / fade;
        const double phase = 2 * std::numbers::pi * frequencyHz * i / kToneSampleRate;
        out[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::lround(gain * std::sin(phase)));
    }
    return out;
}

} // namespace qs::linuxos
