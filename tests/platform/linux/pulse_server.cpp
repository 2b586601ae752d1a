#include "pulse_server.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

namespace qs::test {

namespace {

QString socketPath(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("native"));
}

} // namespace

PulseServer::PulseServer(Sink sink) : sink_(sink) {
    if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty()) {
        error_ = QStringLiteral("pulseaudio, pactl or parec is missing (Debian: pulseaudio, pulseaudio-utils)");
        return;
    }
    QFile config(dir_.filePath(QStringLiteral("client.conf")));
    if (!config.open(QIODevice::WriteOnly) || config.write("autospawn = no\n") < 0) {
        error_ = QStringLiteral("cannot write the client configuration");
        return;
    }
    config.close();
    // The server's own files (cookie, state, runtime) stay in the temporary folder.
    QProcessEnvironment env = clientEnvironment();
    env.insert(QStringLiteral("HOME"), dir_.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.path());
    env.insert(QStringLiteral("PULSE_STATE_PATH"), dir_.filePath(QStringLiteral("state")));
    env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir_.filePath(QStringLiteral("runtime")));
    env.remove(QStringLiteral("PULSE_SERVER"));
    server_.setProcessEnvironment(env);
    server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server_.setStandardOutputFile(QProcess::nullDevice());
    // The sink takes the recording's format as it is.
    QString nullSink =
        QStringLiteral("--load=module-null-sink sink_name=qs_tones format=s16le channels=1 rate=%1").arg(kRate);
    if (sink == Sink::Prompt)
        nullSink += QStringLiteral(" norewinds=1");
    server_.start(
        QStringLiteral("pulseaudio"),
        {QStringLiteral("--daemonize=no"), QStringLiteral("-n"), QStringLiteral("--exit-idle-time=-1"),
         QStringLiteral("--use-pid-file=no"), QStringLiteral("--realtime=no"), QStringLiteral("--disable-shm=yes"),
         QStringLiteral("--high-priority=no"), QStringLiteral("--log-level=error"),
         QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + socketPath(dir_), nullSink});
    if (!server_.waitForStarted(5000)) {
        error_ = QStringLiteral("pulseaudio did not start");
        return;
    }
    // Ready once a client gets an answer; each try either answers or fails at once.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && server_.state() == QProcess::Running) {
        QProcess probe;
        probe.setProcessEnvironment(clientEnvironment());
        probe.setStandardOutputFile(QProcess::nullDevice());
        probe.setStandardErrorFile(QProcess::nullDevice());
        probe.start(QStringLiteral("pactl"), {QStringLiteral("info")});
        if (probe.waitForFinished(5000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0)
            return;
        QThread::msleep(50);
    }
    error_ = QStringLiteral("pulseaudio did not answer within 10 seconds");
}

PulseServer::~PulseServer() {
    kill();
}

QProcessEnvironment PulseServer::clientEnvironment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + socketPath(dir_));
    env.insert(QStringLiteral("PULSE_CLIENTCONFIG"), dir_.filePath(QStringLiteral("client.conf")));
    env.insert(QStringLiteral("PULSE_COOKIE"), dir_.filePath(QStringLiteral("cookie")));
    return env;
}

void PulseServer::kill() {
    if (server_.state() == QProcess::NotRunning)
        return;
    server_.kill();
    server_.waitForFinished(5000);
}

SinkRecorder::SinkRecorder(const PulseServer& server) {
    parec_.setProcessEnvironment(server.clientEnvironment());
    parec_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList args{QStringLiteral("--device=qs_tones.monitor"), QStringLiteral("--raw"),
                     QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(PulseServer::kRate),
                     QStringLiteral("--channels=1")};
    if (server.sink() == PulseServer::Sink::Prompt)
        args << QStringLiteral("--latency-msec=10");
    parec_.start(QStringLiteral("parec"), args);
}

SinkRecorder::~SinkRecorder() {
    parec_.kill();
    parec_.waitForFinished(5000);
}

bool SinkRecorder::waitUntilRecording() {
    return parec_.waitForStarted(5000) && parec_.waitForReadyRead(5000);
}

} // namespace qs::test
