#include "sound_linux.h"

#include "tone_linux.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QThread>
#include <algorithm>
#include <utility>

namespace qs::linuxos {

namespace {

// A tone up to this long goes to the server in one piece, so nothing needs topping up while it sounds.
constexpr std::size_t kMaxBufferedSamples = kToneSampleRate / 4;
// How long past its end a tone may take to be played before the server counts as gone.
constexpr int kLatencyAllowanceMs = 1000;
constexpr int kPollMs = 5;
constexpr int kKeepStreamMs = 1000;

} // namespace

LinuxSound::LinuxSound(std::function<void()> bell) : bell_(std::move(bell)) {
    closeLastStream_.setSingleShot(true);
    closeLastStream_.setInterval(kKeepStreamMs);
    QObject::connect(&closeLastStream_, &QTimer::timeout, [this] { lastStream_.reset(); });
}

LinuxSound::~LinuxSound() = default;

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
    lastStream_.reset(); // its tone has run out
    if (frequencyHz < 37 || frequencyHz > 20000 || !play(frequencyHz, durationMs, clock))
        defaultBeep(); // no tone reached the speakers: the desktop's bell stands in for it
    sleep(durationMs - static_cast<int>(clock.elapsed()));
}

// Writes the tone and waits, sleeping, until the server has played all of it (the stream runs
// dry). False when no whole tone was played: no output, a failed stream, or no end in time.
bool LinuxSound::play(int frequencyHz, int durationMs, const QElapsedTimer& clock) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleRate(kToneSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isNull() || !device.isFormatSupported(format))
        return false;
    std::vector<std::int16_t> samples = makeTone(frequencyHz, durationMs);
    auto sink = std::make_unique<QAudioSink>(device, format);
    sink->setBufferSize(static_cast<qsizetype>(std::min(samples.size(), kMaxBufferedSamples) * sizeof(std::int16_t)));
    QIODevice* io = sink->start();
    if (!io)
        return false;
    // The server starts playing once its buffer is full: a tone shorter than the buffer it
    // granted is followed by silence up to that size, or it would never be heard.
    samples.resize(std::max(samples.size(), static_cast<std::size_t>(sink->bufferSize()) / sizeof(std::int16_t)));
    const auto* pcm = reinterpret_cast<const char*>(samples.data());
    const auto size = static_cast<qsizetype>(samples.size() * sizeof(std::int16_t));
    qsizetype written = 0;
    for (;;) {
        const QAudio::Error error = sink->error();
        // A stream whose server went away has no room at all (less than none on PulseAudio).
        const qsizetype free = sink->bytesFree();
        if (free < 0 || sink->state() == QAudio::StoppedState ||
            (error != QAudio::NoError && error != QAudio::UnderrunError))
            return false;
        if (written < size) {
            const qsizetype room = std::min<qsizetype>(free, size - written);
            if (room > 0)
                written += std::max<qint64>(io->write(pcm + written, room), 0);
        } else if (sink->state() == QAudio::IdleState) {
            break;
        }
        if (clock.elapsed() > durationMs + kLatencyAllowanceMs)
            return false;
        QThread::msleep(kPollMs);
    }
    lastStream_ = std::move(sink);
    closeLastStream_.start();
    return true;
}

} // namespace qs::linuxos
