// LinuxMedia as heard: a WAV played into a private PulseAudio server's null sink, recorded from its
// monitor and measured.
#include "../../../src/platform/linux/media_linux.h"
#include "loop_until.h"
#include "pulse_server.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <numbers>

namespace qs::test {
namespace {

constexpr int kLoud = 2000; // the file's peak is near 10000, silence is 0

template <typename T> void append(QByteArray& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value); // the machine is little-endian, as WAV is
}

// A mono 16-bit PCM WAV of a sine.
QByteArray sineWav(int frequencyHz, double seconds) {
    const int rate = PulseServer::kRate;
    QByteArray samples;
    for (int i = 0; i < static_cast<int>(seconds * rate); ++i)
        append(samples, static_cast<std::int16_t>(10000 * std::sin(2 * std::numbers::pi * frequencyHz * i / rate)));
    QByteArray wav("RIFF");
    append<std::uint32_t>(wav, 36 + samples.size());
    wav.append("WAVEfmt ");
    append<std::uint32_t>(wav, 16);
    append<std::uint16_t>(wav, 1); // PCM
    append<std::uint16_t>(wav, 1); // mono
    append<std::uint32_t>(wav, rate);
    append<std::uint32_t>(wav, rate * 2);
    append<std::uint16_t>(wav, 2);
    append<std::uint16_t>(wav, 16);
    wav.append("data");
    append<std::uint32_t>(wav, samples.size());
    return wav + samples;
}

struct Heard {
    qsizetype firstLoud = -1, lastLoud = -1; // sample indexes
    double frequencyHz = 0;                  // from the upward zero crossings between them
    double seconds() const { return firstLoud < 0 ? 0 : double(lastLoud - firstLoud) / PulseServer::kRate; }
};

Heard measure(const QByteArray& pcm) {
    const auto* s = reinterpret_cast<const std::int16_t*>(pcm.constData());
    Heard heard;
    for (qsizetype i = 0; i < pcm.size() / 2; ++i)
        if (std::abs(static_cast<int>(s[i])) > kLoud) {
            if (heard.firstLoud < 0)
                heard.firstLoud = i;
            heard.lastLoud = i;
        }
    int crossings = 0;
    for (qsizetype i = heard.firstLoud + 1; heard.firstLoud >= 0 && i <= heard.lastLoud; ++i)
        if (s[i - 1] < 0 && s[i] >= 0)
            ++crossings;
    if (heard.seconds() > 0)
        heard.frequencyHz = crossings / heard.seconds();
    return heard;
}

// The player's sound goes to the test's own server, never the machine's.
void useServer(const PulseServer& server) {
    const QProcessEnvironment env = server.clientEnvironment();
    for (const char* name : {"PULSE_SERVER", "PULSE_CLIENTCONFIG", "PULSE_COOKIE"})
        qputenv(name, env.value(QString::fromLatin1(name)).toLocal8Bit());
}

TEST(MediaLinuxTest, AFilePlaysIntoTheSoundServerUntilStopped) {
    PulseServer server;
    ASSERT_TRUE(server.error().isEmpty()) << server.error().toStdString();
    useServer(server);
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("alarm.wav"));
    QFile file(wav);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(sineWav(440, 4)) > 0);
    file.close();
    SinkRecorder recorder(server);
    ASSERT_TRUE(recorder.waitUntilRecording());

    linuxos::LinuxMedia media;
    auto player = media.createPlayer();
    ASSERT_TRUE(player->renderFile(wav.toStdString()));
    player->run();
    player->setPosition(0);
    ASSERT_TRUE(loopUntil([&] { return measure(recorder.pcm()).seconds() > 1; }, 15000)) << "no sound arrived";
    EXPECT_NEAR(measure(recorder.pcm()).frequencyHz, 440, 22);

    player->stop();
    // Stopped a second or so into a four-second file: the sound ends, and stays ended.
    const auto silentSince = [&](double seconds) {
        const Heard heard = measure(recorder.pcm());
        return recorder.samplesSoFar() - heard.lastLoud > seconds * PulseServer::kRate;
    };
    ASSERT_TRUE(loopUntil([&] { return silentSince(1.5); }, 10000));
    EXPECT_LT(measure(recorder.pcm()).seconds(), 3);
}

TEST(MediaLinuxTest, AMissingOrUnplayableFileIsRefused) {
    QTemporaryDir dir;
    const QString garbage = dir.filePath(QStringLiteral("alarm.wav"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')) > 0);
    file.close();
    linuxos::LinuxMedia media;
    auto player = media.createPlayer();
    EXPECT_FALSE(player->renderFile(dir.filePath(QStringLiteral("missing.wav")).toStdString()));
    EXPECT_FALSE(player->renderFile(garbage.toStdString()));
    player->run(); // harmless on a player with nothing to play
    player->stop();
}

} // namespace
} // namespace qs::test
