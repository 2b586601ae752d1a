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

namespace qs::linuxos {

void LinuxSound::sleep(int ms) {
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void LinuxSound::defaultBeep() {
    QApplication::beep();
}

void LinuxSound::tone(int frequencyHz, int durationMs) {
    if (durationMs <= 0)
        return;
    QElapsedTimer clock;
    clock.start();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleRate(kToneSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    bool played = false;
    if (frequencyHz >= 37 && frequencyHz <= 20000 && !device.isNull() && device.isFormatSupported(format)) {
        QAudioSink sink(device, format);
        if (QIODevice* io = sink.start()) {
            const std::vector<std::int16_t> samples = makeTone(frequencyHz, durationMs);
            const auto* pcm = reinterpret_cast<const char*>(samples.data());
            const auto size = static_cast<qsizetype>(samples.size() * sizeof(std::int16_t));
            qsizetype written = 0;
            // Like the speaker, the call returns when the tone is over; the sink is topped up
            // every few milliseconds, sleeping in between.
            while (written < size && clock.elapsed() < durationMs + 500) {
                const qsizetype room = std::min<qsizetype>(sink.bytesFree(), size - written);
                if (room > 0)
                    written += std::max<qint64>(io->write(pcm + written, room), 0);
                else
                    QThread::msleep(5);
            }
            while (sink.processedUSecs() < qint64(durationMs) * 1000 && clock.elapsed() < durationMs + 500)
                QThread::msleep(5);
            played = sink.error() == QAudio::NoError;
            sink.stop();
        }
    }
    if (!played)
        defaultBeep(); // no sound system: the desktop's bell stands in for the tone
    sleep(durationMs - static_cast<int>(clock.elapsed()));
}

} // namespace qs::linuxos
