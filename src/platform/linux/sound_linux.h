#pragma once

#include "../sound.h"
#include "pulse_stream_linux.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>

namespace qs::linuxos {

// Tones through the sound system (there is no PC speaker to reach from user space); without an
// audio output the desktop's bell stands in, and a tone still takes its time.
//
// The tones go into one stream that stays open until a while after the last tone, with silence
// for the time in between: a stream closed too early loses what the server has not played yet,
// and a stream per tone starts whenever the server gets round to it, so tones could run together.
// Samples are made as time passes and handed over as the server makes room, so a server that is
// slow to start delays the tones but neither cuts them nor moves them closer together.
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
    bool open();
    void close();
    bool failed();
    void addSilenceUntilNow();
    void handOver();
    void feed();

    std::function<void()> bell_;
    PulseStream stream_;
    QElapsedTimer streamClock_;
    qint64 madeSamples_ = 0;
    QByteArray waiting_; // made, not yet taken by the server
    QTimer feeder_;
    QElapsedTimer sinceTone_;
};

} // namespace qs::linuxos
