// What the Linux backend's tones sound like at a PulseAudio server: recorded from a null sink's
// monitor while a helper process plays them, then measured.
#include "loop_until.h"
#include "pulse_server.h"

#include <QLocalServer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qs::test {
namespace {

constexpr int kBlock = PulseServer::kRate / 1000; // about a millisecond of samples
constexpr int kLoud = 2000;                       // a tone's peak is near 10000, silence is 0

struct HeardTone {
    double startMs, lengthMs, frequencyHz;
};

// Runs of loud millisecond blocks; a gap of silence inside a tone splits it in two, as a listener
// would hear it. The frequency comes from the upward zero crossings within the run.
std::vector<HeardTone> tonesIn(const QByteArray& pcm) {
    const auto* s = reinterpret_cast<const std::int16_t*>(pcm.constData());
    const qsizetype blocks = pcm.size() / 2 / kBlock;
    std::vector<HeardTone> tones;
    qsizetype start = -1;
    for (qsizetype b = 0; b <= blocks; ++b) {
        int peak = 0;
        for (qsizetype i = b * kBlock; b < blocks && i < (b + 1) * kBlock; ++i)
            peak = std::max(peak, std::abs(static_cast<int>(s[i])));
        const bool loud = peak > kLoud;
        if (loud && start < 0)
            start = b;
        if (!loud && start >= 0) {
            int crossings = 0;
            for (qsizetype i = start * kBlock + 1; i < b * kBlock; ++i)
                if (s[i - 1] < 0 && s[i] >= 0)
                    ++crossings;
            const double seconds = static_cast<double>((b - start) * kBlock) / PulseServer::kRate;
            tones.push_back({start * 1000.0 * kBlock / PulseServer::kRate, seconds * 1000, crossings / seconds});
            start = -1;
        }
    }
    return tones;
}

bool anyLoud(const QByteArray& pcm) {
    const auto* s = reinterpret_cast<const std::int16_t*>(pcm.constData());
    for (qsizetype i = 0; i < pcm.size() / 2; ++i)
        if (std::abs(static_cast<int>(s[i])) > kLoud)
            return true;
    return false;
}

struct ToneCall {
    long long takenMs;
    bool bell;
};

// The tone_player helper: plays COUNT tones, one from each tick of a 900 ms timer.
class TonePlayer {
public:
    TonePlayer(const QProcessEnvironment& env, int frequencyHz, int durationMs, int count) {
        process_.setProcessEnvironment(env);
        process_.start(QStringLiteral(TONE_PLAYER),
                       {QString::number(frequencyHz), QString::number(durationMs), QString::number(count)});
    }
    ~TonePlayer() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    bool finished() const { return process_.state() == QProcess::NotRunning; }
    bool succeeded() const { return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0; }
    // How it ended, with what it said on its error output.
    std::string status() {
        const std::string errors = process_.readAllStandardError().toStdString();
        return (process_.exitStatus() == QProcess::NormalExit ? "exit code " + std::to_string(process_.exitCode())
                                                              : "crashed") +
               "\n" + errors;
    }
    std::vector<ToneCall> calls() {
        std::vector<ToneCall> out;
        while (process_.canReadLine()) {
            const QList<QByteArray> words = process_.readLine().trimmed().split(' ');
            if (words.size() == 3 && words[0] == "tone")
                out.push_back({words[1].toLongLong(), words[2] == "bell"});
        }
        return out;
    }

private:
    QProcess process_;
};

// Plays the tones while recording and gives what was heard and what each call reported.
struct Playback {
    std::vector<HeardTone> heard;
    std::vector<ToneCall> calls;
};

// The recording holds that many tones, and goes on a while after the last one.
bool heardAll(const QByteArray& pcm, int count) {
    const std::vector<HeardTone> tones = tonesIn(pcm);
    const double recordedMs = static_cast<double>(pcm.size() / 2) * 1000 / PulseServer::kRate;
    return tones.size() >= static_cast<std::size_t>(count) &&
           recordedMs > tones.back().startMs + tones.back().lengthMs + 300;
}

Playback playAndRecord(int frequencyHz, int durationMs, int count, PulseServer::Sink sink) {
    PulseServer server(sink);
    EXPECT_TRUE(server.error().isEmpty()) << server.error().toStdString();
    if (!server.error().isEmpty())
        return {};
    SinkRecorder recorder(server);
    EXPECT_TRUE(recorder.waitUntilRecording());
    TonePlayer player(server.clientEnvironment(), frequencyHz, durationMs, count);
    EXPECT_TRUE(loopUntil([&] { return player.finished(); }, (durationMs + 2000) * count + 5000));
    EXPECT_TRUE(player.succeeded()) << player.status();
    // A slow sink plays the tones later than they were asked for; a tone that never comes shows
    // in the count below.
    loopUntil([&] { return heardAll(recorder.pcm(), count); }, 10000);
    return {tonesIn(recorder.pcm()), player.calls()};
}

TEST(SoundLinuxTest, EveryToneArrivesWholeAtItsFrequency) {
    struct Case {
        int hz, ms, count;
        PulseServer::Sink sink;
    };
    // The warning's tones, longer ones that outlast what the server buffers at once, and the
    // warning's tones on a sink that is slow to start a new stream.
    for (const Case c : {Case{2000, 100, 5, PulseServer::Sink::Prompt}, Case{3000, 500, 2, PulseServer::Sink::Prompt},
                         Case{2000, 100, 5, PulseServer::Sink::Default}}) {
        SCOPED_TRACE(std::to_string(c.hz) + " Hz for " + std::to_string(c.ms) + " ms" +
                     (c.sink == PulseServer::Sink::Default ? " on a slow sink" : ""));
        const Playback p = playAndRecord(c.hz, c.ms, c.count, c.sink);
        ASSERT_EQ(p.heard.size(), static_cast<std::size_t>(c.count));
        for (const HeardTone& t : p.heard) {
            EXPECT_NEAR(t.lengthMs, c.ms, 20) << "tone at " << t.startMs << " ms";
            EXPECT_NEAR(t.frequencyHz, c.hz, c.hz / 20) << "tone at " << t.startMs << " ms";
        }
        ASSERT_EQ(p.calls.size(), static_cast<std::size_t>(c.count));
        for (const ToneCall& call : p.calls) {
            EXPECT_FALSE(call.bell);
            // Like the speaker, a call lasts as long as its tone, give or take the output's latency.
            EXPECT_GE(call.takenMs, c.ms);
            EXPECT_LT(call.takenMs, c.ms + 500);
        }
    }
}

// Both calls of a player that had no server to play to: the bell stood in, and each call still took
// its tone's time, give or take half a second.
void expectBellsInPlaceOfTones(TonePlayer& player, int durationMs) {
    ASSERT_TRUE(loopUntil([&] { return player.finished(); }, 10000));
    EXPECT_TRUE(player.succeeded()) << player.status();
    const auto calls = player.calls();
    ASSERT_EQ(calls.size(), 2u);
    for (const ToneCall& call : calls) {
        EXPECT_TRUE(call.bell);
        EXPECT_GE(call.takenMs, durationMs);
        EXPECT_LT(call.takenMs, durationMs + 500);
    }
}

TEST(SoundLinuxTest, WithoutASoundServerTheBellStandsInAndTheToneStillTakesItsTime) {
    PulseServer server;
    ASSERT_TRUE(server.error().isEmpty()) << server.error().toStdString();
    server.kill(); // its address now leads nowhere
    TonePlayer player(server.clientEnvironment(), 2000, 100, 2);
    expectBellsInPlaceOfTones(player, 100);
}

// A server that takes the connection and never answers is given up on within a long tone.
TEST(SoundLinuxTest, AServerThatNeverAnswersIsGivenUpOnWithinATone) {
    QTemporaryDir dir;
    QLocalServer silent;
    ASSERT_TRUE(silent.listen(dir.filePath(QStringLiteral("native"))));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + silent.fullServerName());
    TonePlayer player(env, 2000, 2500, 2);
    expectBellsInPlaceOfTones(player, 2500);
}

TEST(SoundLinuxTest, AServerThatGoesAwayMidToneEndsItInBoundedTime) {
    PulseServer server;
    ASSERT_TRUE(server.error().isEmpty()) << server.error().toStdString();
    SinkRecorder recorder(server);
    ASSERT_TRUE(recorder.waitUntilRecording());
    TonePlayer player(server.clientEnvironment(), 2000, 1500, 2);
    ASSERT_TRUE(loopUntil([&] { return anyLoud(recorder.pcm()); }, 10000));
    server.kill();
    // The cut tone and the next one.
    expectBellsInPlaceOfTones(player, 1500);
}

} // namespace
} // namespace qs::test
