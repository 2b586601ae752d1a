#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

namespace qs::test {

// A PulseAudio server of the test's own with one null sink, never the machine's sound server.
class PulseServer {
public:
    static constexpr int kRate = 44100;
    // A prompt sink plays in short steps and starts a new stream at once. A sink as PulseAudio
    // ships it plays far ahead and, when a stream comes, takes back what it has not played yet;
    // on a null sink that taking back shows only after what its monitor has already passed on,
    // so a new stream there starts up to seconds late.
    enum class Sink { Prompt, Default };

    // Starts the server and waits (bounded) until it answers; error() says why it did not.
    explicit PulseServer(Sink sink = Sink::Prompt);
    ~PulseServer();
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    const QString& error() const { return error_; }
    // What a client of this server needs: its address, and no autospawn of another server.
    QProcessEnvironment clientEnvironment() const;
    Sink sink() const { return sink_; }
    void kill();

private:
    Sink sink_;
    QTemporaryDir dir_;
    QProcess server_;
    QString error_;
};

// parec on the null sink's monitor: mono signed 16-bit samples at PulseServer::kRate, with little
// latency on a prompt sink and parec's own default on the other.
class SinkRecorder {
public:
    explicit SinkRecorder(const PulseServer& server);
    ~SinkRecorder();
    SinkRecorder(const SinkRecorder&) = delete;
    SinkRecorder& operator=(const SinkRecorder&) = delete;

    // Waits (bounded) until the first samples arrive, so nothing played afterwards is missed.
    bool waitUntilRecording();
    qsizetype samplesSoFar() { return parec_.bytesAvailable() / 2; }
    QByteArray pcm() { return parec_.peek(parec_.bytesAvailable()); }

private:
    QProcess parec_;
};

} // namespace qs::test
