#include "sound_fake.h"

#include <cstdio>

namespace qs::fake {

namespace {
std::string hex(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%02X", v);
    return buf;
}
} // namespace

void FakeSound::tone(int frequencyHz, int durationMs) {
    transcript_.line("beep " + std::to_string(frequencyHz) + " " + std::to_string(durationMs));
    clock_.pass(durationMs);
}

void FakeSound::sleep(int ms) {
    transcript_.line("sleep " + std::to_string(ms));
    clock_.pass(ms);
}

void FakeSound::defaultBeep() {
    transcript_.line("default-beep");
}

void FakeSound::portOut(int port, int value) {
    transcript_.line("port-out " + hex(port) + " " + hex(value));
    ports_[port & 0xFF] = value & 0xFF;
}

int FakeSound::portIn(int port) {
    transcript_.line("port-in " + hex(port));
    return ports_[port & 0xFF];
}

} // namespace qs::fake
