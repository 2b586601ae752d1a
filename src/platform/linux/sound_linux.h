#pragma once

#include "../sound.h"

#include <QTimer>
#include <functional>
#include <memory>

class QAudioSink;
class QElapsedTimer;

namespace qs::linuxos {

// Tones through the sound system (there is no PC speaker to reach from user space); without an
// audio output the desktop's bell stands in, and a tone still takes its time.
class LinuxSound : public platform::Sound {
public:
    // The bell is the desktop's unless a test listens for it.
    explicit LinuxSound(std::function<void()> bell = {});
    ~LinuxSound() override;
    LinuxSound(const LinuxSound&) = delete;
    LinuxSound& operator=(const LinuxSound&) = delete;

    void tone(int frequencyHz, int durationMs) override;
    void sleep(int ms) override;
    void defaultBeep() override;
    // Port I/O is the 9x family's; here writes go nowhere and reads give 0.
    void portOut(int, int) override {}
    int portIn(int) override { return 0; }

private:
    bool play(int frequencyHz, int durationMs, const QElapsedTimer& clock);

    std::function<void()> bell_;
    // The last tone's stream stays open a moment after the server has taken the tone: closing a
    // stream takes back what the device has been given but not yet sounded.
    std::unique_ptr<QAudioSink> lastStream_;
    QTimer closeLastStream_;
};

} // namespace qs::linuxos
