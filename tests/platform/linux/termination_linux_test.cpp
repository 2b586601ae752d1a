// Termination signals: in the process itself, and the real program ending through its exit
// sequence when it gets them.
#include "../../../src/platform/linux/termination_signals_linux.h"
#include "dbus_mock.h"
#include "loop_until.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace qs::linuxos {
namespace {

bool isDefault(int number) {
    struct sigaction now {};
    sigaction(number, nullptr, &now);
    return now.sa_handler == SIG_DFL;
}

TEST(TerminationSignals, ASignalIsHandledInTheLoopOnceEvenWhenItCameEarly) {
    int calls = 0;
    {
        TerminationSignals signalsCaught;
        EXPECT_FALSE(isDefault(SIGTERM));
        EXPECT_FALSE(isDefault(SIGHUP));
        ::raise(SIGTERM); // before anyone watches: kept
        signalsCaught.watch([&] {
            ++calls;
            // A signal during the call, with the loop running, does not start it again.
            ::raise(SIGHUP);
            QCoreApplication::processEvents();
        });
        EXPECT_EQ(calls, 0) << "nothing runs outside the event loop";
        EXPECT_TRUE(test::loopUntil([&] { return calls > 0; }, 10000));
        QCoreApplication::processEvents();
        EXPECT_EQ(calls, 1);

        ::raise(SIGHUP);
        EXPECT_EQ(calls, 1);
        EXPECT_TRUE(test::loopUntil([&] { return calls > 1; }, 10000));

        signalsCaught.watch({});
        ::raise(SIGTERM);
        QCoreApplication::processEvents();
        EXPECT_EQ(calls, 2) << "no longer watched";
    }
    EXPECT_TRUE(isDefault(SIGTERM));
    EXPECT_TRUE(isDefault(SIGHUP));
}

// The real program in a folder of its own (its files go beside it), on a private bus with no
// logind, its runtime and configuration folders inside the temporary folder too.
class ProgramEnd : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        bus_ = std::make_unique<test::PrivateBus>();
        if (!bus_->running())
            GTEST_SKIP() << "needs dbus-daemon";
        ASSERT_TRUE(QFile::copy(QStringLiteral(QSHUTDOWN_PROGRAM), path("qshutdown")));
        ::mkdir(path("run").toLocal8Bit().constData(), 0700);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path("run"));
        env.insert(QStringLiteral("HOME"), path("home"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("home/.config"));
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QString::fromStdString(bus_->address()));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString::fromStdString(bus_->address()));
        program_.setProcessEnvironment(env);
        program_.setProgram(path("qshutdown"));
        program_.setProcessChannelMode(QProcess::ForwardedChannels);
    }

    void TearDown() override {
        if (program_.state() != QProcess::NotRunning) {
            program_.kill();
            program_.waitForFinished(5000);
        }
    }

    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

    void writeFile(const char* name, const QStringList& lines) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    }

    // Starts the program and waits until it catches the signal (seen in /proc), so that the
    // signal sent next cannot meet its default effect.
    void startAndWaitForHandler(int number) {
        program_.start();
        ASSERT_TRUE(program_.waitForStarted(5000));
        const QString status = QStringLiteral("/proc/%1/status").arg(program_.processId());
        const qulonglong bit = 1ULL << (number - 1);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 10000) {
            QFile file(status);
            if (!file.open(QIODevice::ReadOnly))
                break;
            for (const QByteArray& line : file.readAll().split('\n'))
                if (line.startsWith("SigCgt:") && (line.mid(7).trimmed().toULongLong(nullptr, 16) & bit))
                    return;
            QThread::msleep(20);
        }
        FAIL() << "the program never caught signal " << number;
    }

    void expectCleanEnd() {
        ASSERT_TRUE(program_.waitForFinished(15000)) << "still running";
        EXPECT_EQ(program_.exitStatus(), QProcess::NormalExit) << "ended by the signal itself";
        EXPECT_EQ(program_.exitCode(), 0);
    }

    QTemporaryDir dir_;
    std::unique_ptr<test::PrivateBus> bus_;
    QProcess program_;
};

TEST_F(ProgramEnd, SighupEndsAPendingActionWithoutAQuestion) {
    // The settings record with "Activate on startup" on and a countdown of one hour, the action
    // chosen as -1 (read as true, written back as "True"); "ssoe" on, so the settings are
    // written back at the end.
    writeFile("settings.vrk", QStringLiteral("-1|False|False|False|False|False|False|False|" // action
                                             "0|0|0|0|1|0|0|1|0|0|0|10|2000|"                // options
                                             "Select File...|Select File...|Type your Message text here|"
                                             "Select File...|1|2|0|0|0|0|0|0|0|0|00:00:00")
                                  .split(u'|'));
    writeFile("ssoe", {"1"});
    startAndWaitForHandler(SIGHUP);
    ::kill(program_.processId(), SIGHUP);
    // A question box would wait for an answer that never comes: the test would time out here.
    expectCleanEnd();
    QFile saved(path("settings.vrk"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readLine().trimmed(), "True") << "the settings were not saved";
}

} // namespace
} // namespace qs::linuxos
