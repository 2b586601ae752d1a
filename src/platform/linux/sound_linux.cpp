#include "sound_linux.h"

#include "tone_linux.h"

#include <QApplication>
#include <QThread>
#include <algorithm>
#include <utility>

namespace qs::linuxos {

namespace {

// What the server is asked to hold ahead of the speakers: enough to ride out a busy moment of the
// program, little enough that a tone starts soon after it is asked for.
constexpr qsizetype kBufferBytes = kToneSampleRate / 10 * sizeof(std::int16_t);
// Silence made ahead of the clock, so that the server always has something queued.
constexpr qint64 kLeadSamples = kToneSampleRate / 50;
// A server that has not taken this much of what was made has stopped playing.
constexpr qsizetype kMaxWaitingBytes = 5 * kToneSampleRate * sizeof(std::int16_t);
constexpr int kPollMs = 5;
constexpr int kFeedMs = 20;
// The stream stays open this long after a tone, so that the next one keeps its place in time.
constexpr int kKeepStreamMs = 3000;
// At the end, what is queued may take this long to be played before the stream is closed on it.
constexpr int kDrainMs = 2500;

} // namespace

LinuxSound::LinuxSound(std::function<void()> bell) : bell_(std::move(bell)) {
    feeder_.setInterval(kFeedMs);
    QObject::connect(&feeder_, &QTimer::timeout, [this] { feed(); });
}

LinuxSound::~LinuxSound() {
    if (!stream_.isOpen())
        return;
    // Let what is queued run out, so that the last tone is heard to its end.
    QElapsedTimer clock;
    clock.start();
    while (!failed() && (!waiting_.isEmpty() || !stream_.ranDry()) && clock.elapsed() < kDrainMs) {
        handOver();
        QThread::msleep(kPollMs);
    }
    close();
}

void LinuxSound::sleep(int ms) {
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void LinuxSound::defaultBeep() {
    if (bell_)
        bell_();
    else
        QApplication::beep();
}

void LinuxSound::tone(int frequencyHz, int durationMs) {
    if (durationMs <= 0)
        return;
    QElapsedTimer clock;
    clock.start();
    if (frequencyHz < 37 || frequencyHz > 20000 || !play(frequencyHz, durationMs, clock))
        defaultBeep(); // no tone reaches the speakers: the desktop's bell stands in for it
    // Like the speaker, the call returns when the tone is over.
    sleep(durationMs - static_cast<int>(clock.elapsed()));
    sinceTone_.start();
}

// Queues the tone after the silence up to now and hands it over while it lasts, sleeping in
// between. False when there is no audio output or the server went away.
bool LinuxSound::play(int frequencyHz, int durationMs, const QElapsedTimer& clock) {
    if (stream_.isOpen() && failed())
        close();
    if (!stream_.isOpen() && !open())
        return false;
    sinceTone_.start();
    addSilenceUntilNow();
    const std::vector<std::int16_t> samples = makeTone(frequencyHz, durationMs);
    waiting_.append(reinterpret_cast<const char*>(samples.data()),
                    static_cast<qsizetype>(samples.size() * sizeof(std::int16_t)));
    madeSamples_ += static_cast<qint64>(samples.size());
    for (;;) {
        handOver();
        if (failed()) {
            close();
            return false;
        }
        if (clock.elapsed() >= durationMs)
            return true;
        QThread::msleep(kPollMs);
    }
}

bool LinuxSound::open() {
    if (!stream_.open(QApplication::applicationName().toStdString(), kToneSampleRate, kBufferBytes))
        return false;
    streamClock_.start();
    madeSamples_ = 0;
    feeder_.start();
    return true;
}

void LinuxSound::close() {
    feeder_.stop();
    waiting_.clear();
    stream_.close();
}

bool LinuxSound::failed() {
    return !stream_.serve();
}

void LinuxSound::addSilenceUntilNow() {
    const qint64 due = streamClock_.elapsed() * kToneSampleRate / 1000 + kLeadSamples;
    if (due <= madeSamples_)
        return;
    waiting_.append(static_cast<qsizetype>((due - madeSamples_) * sizeof(std::int16_t)), '\0');
    madeSamples_ = due;
}

void LinuxSound::handOver() {
    const auto room = std::min(static_cast<qsizetype>(stream_.room()), waiting_.size());
    if (room > 0 && stream_.write(waiting_.constData(), static_cast<std::size_t>(room)))
        waiting_.remove(0, room);
}

// Between tones: silence as time passes; once the last tone is long past, the stream is left to
// run out and then closed.
void LinuxSound::feed() {
    if (failed() || waiting_.size() > kMaxWaitingBytes) {
        close();
        return;
    }
    if (sinceTone_.elapsed() > kKeepStreamMs && waiting_.isEmpty() && stream_.ranDry()) {
        close();
        return;
    }
    if (sinceTone_.elapsed() <= kKeepStreamMs)
        addSilenceUntilNow();
    handOver();
}

} // namespace qs::linuxos
