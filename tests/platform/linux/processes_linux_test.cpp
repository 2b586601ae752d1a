// Single instance, started programs and their exit codes.
#include "../../../src/platform/linux/processes_linux.h"
#include "loop_until.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qs::linuxos {
namespace {

namespace fs = std::filesystem;
constexpr unsigned kAlive = LinuxProcesses::kStillActive;

// Asks exitCode until the process has ended.
unsigned waitForEnd(LinuxProcesses& processes, unsigned pid) {
    QElapsedTimer clock;
    clock.start();
    unsigned code = kAlive;
    while ((code = processes.exitCode(pid)) == kAlive && clock.elapsed() < 10000)
        QThread::msleep(20);
    return code;
}

TEST(ProcessesLinux, OnlyTheFirstInstanceHoldsTheLock) {
    QTemporaryDir dir;
    const std::string lock = dir.filePath("qs.lock").toStdString();
    auto first = std::make_unique<LinuxProcesses>(lock);
    EXPECT_FALSE(first->anotherInstanceRunning());
    EXPECT_FALSE(first->anotherInstanceRunning()) << "asking again keeps the answer";
    LinuxProcesses second(lock);
    EXPECT_TRUE(second.anotherInstanceRunning());
    first.reset();
    LinuxProcesses third(lock);
    EXPECT_FALSE(third.anotherInstanceRunning()) << "the lock goes with the instance that held it";
    // Without a lock to take the program runs anyway.
    LinuxProcesses nowhere("/nonexistent/folder/qs.lock");
    EXPECT_FALSE(nowhere.anotherInstanceRunning());
}

TEST(ProcessesLinux, StartsACommandLineWithQuotedArguments) {
    QTemporaryDir dir;
    const std::string script = dir.filePath("write arg.sh").toStdString();
    const std::string marker = dir.filePath("two words").toStdString();
    std::ofstream(script) << "#!/bin/sh\necho \"$1\" > \"$2\"\n";
    ::chmod(script.c_str(), 0755);
    LinuxProcesses processes(dir.filePath("lock").toStdString());
    // Double quotes group, as in the Windows command lines the program keeps.
    const unsigned pid = processes.startProgram("\"" + script + "\" \"a b\" \"" + marker + "\"", 1);
    ASSERT_NE(pid, 0u);
    EXPECT_EQ(waitForEnd(processes, pid), 0u);
    std::ifstream in(marker);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "a b");

    EXPECT_EQ(processes.startProgram("", 1), 0u);
    EXPECT_EQ(processes.startProgram("/nonexistent/program --flag", 1), 0u);
    EXPECT_EQ(processes.startProgram("POWERCFG.EXE /HIBERNATE ON", 2), 0u) << "not found on the path";
}

TEST(ProcessesLinux, AChildsExitStatusIsReported) {
    QTemporaryDir dir;
    LinuxProcesses processes(dir.filePath("lock").toStdString());
    const pid_t child = ::fork();
    if (child == 0) {
        ::usleep(200000);
        ::_exit(3);
    }
    ASSERT_GT(child, 0);
    EXPECT_EQ(processes.exitCode(static_cast<unsigned>(child)), kAlive);
    EXPECT_EQ(waitForEnd(processes, static_cast<unsigned>(child)), 3u);
    EXPECT_EQ(processes.exitCode(static_cast<unsigned>(child)), 3u) << "remembered after reaping";
}

// The CPU time this process has used, in milliseconds.
long cpuMilliseconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000L +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000L;
}

TEST(ProcessesLinux, WaitForExitKeepsTheLoopRunningWithoutBusyPolling) {
    QTemporaryDir dir;
    LinuxProcesses processes(dir.filePath("lock").toStdString());
    const unsigned pid = processes.startProgram("sh -c \"sleep 1; exit 3\"", 2);
    ASSERT_NE(pid, 0u);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(100);
    QElapsedTimer elapsed;
    elapsed.start();
    const long cpuBefore = cpuMilliseconds();
    EXPECT_EQ(processes.waitForExit(pid), 3u);
    const long cpu = cpuMilliseconds() - cpuBefore;
    EXPECT_GE(ticks, 3) << "timers fire during the wait";
    EXPECT_LT(cpu * 4, elapsed.elapsed()) << "the wait used " << cpu << " ms of CPU in " << elapsed.elapsed() << " ms";
    EXPECT_EQ(processes.exitCode(pid), 3u) << "remembered after the wait";
}

TEST(ProcessesLinux, WaitsNestedInEachOtherEachGetTheirOwnCode) {
    QTemporaryDir dir;
    LinuxProcesses processes(dir.filePath("lock").toStdString());
    const unsigned outer = processes.startProgram("sh -c \"sleep 0.3; exit 4\"", 1);
    unsigned innerCode = 0;
    // The outer program ends while the inner wait runs; the outer wait returns after it.
    QTimer::singleShot(
        50, [&] { innerCode = processes.waitForExit(processes.startProgram("sh -c \"sleep 1; exit 6\"", 1)); });
    EXPECT_EQ(processes.waitForExit(outer), 4u);
    EXPECT_EQ(innerCode, 6u);
}

TEST(ProcessesLinux, AProgramNobodyWaitsForIsReapedWhenItEnds) {
    QTemporaryDir dir;
    LinuxProcesses processes(dir.filePath("lock").toStdString());
    const unsigned pid = processes.startProgram("sh -c \"exit 5\"", 6);
    ASSERT_NE(pid, 0u);
    const std::string entry = "/proc/" + std::to_string(pid);
    EXPECT_TRUE(test::loopUntil([&] { return !fs::exists(entry); }, 10000)) << "left a zombie";
    EXPECT_EQ(processes.exitCode(pid), 5u);
    EXPECT_EQ(processes.waitForExit(pid), 5u);
}

TEST(ProcessesLinux, WaitingForAProcessThatCannotBeOpenedGivesZeroAtOnce) {
    QTemporaryDir dir;
    LinuxProcesses processes(dir.filePath("lock").toStdString());
    bool loopRan = false;
    QTimer due;
    QObject::connect(&due, &QTimer::timeout, [&] { loopRan = true; });
    due.start(0);
    EXPECT_EQ(processes.waitForExit(static_cast<unsigned>(std::numeric_limits<pid_t>::max())), 0u);
    EXPECT_EQ(processes.waitForExit(0), 0u);
    EXPECT_EQ(processes.exitCode(0), 0u);
    EXPECT_FALSE(loopRan);
}

TEST(ProcessesLinux, OpeningAProgramRunsIt) {
    QTemporaryDir dir;
    const std::string script = dir.filePath("before action.sh").toStdString();
    const std::string marker = dir.filePath("ran").toStdString();
    std::ofstream(script) << "#!/bin/sh\ntouch '" << marker << "'\n";
    ::chmod(script.c_str(), 0755);
    LinuxProcesses processes(dir.filePath("lock").toStdString());
    ASSERT_TRUE(processes.shellOpen(script, 0));
    QElapsedTimer clock;
    clock.start();
    while (!fs::exists(marker) && clock.elapsed() < 10000)
        QThread::msleep(20);
    EXPECT_TRUE(fs::exists(marker));
    EXPECT_FALSE(processes.shellOpen(dir.filePath("missing.sh").toStdString(), 0));
    EXPECT_FALSE(processes.shellOpen("   ", 0));
}

} // namespace
} // namespace qs::linuxos
