// Single instance, started programs and their exit codes.
#include "../../../src/platform/linux/processes_linux.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qs::linuxos {
namespace {

namespace fs = std::filesystem;
constexpr unsigned kAlive = LinuxProcesses::kStillActive;

// Polls until the process has ended (a started program is no child of ours to wait for).
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
}

TEST(ProcessesLinux, ExitCodeIsStillActiveWhileTheProgramRuns) {
    QTemporaryDir dir;
    LinuxProcesses processes(dir.filePath("lock").toStdString());
    const unsigned pid = processes.startProgram("sleep 0.5", 1);
    ASSERT_NE(pid, 0u);
    EXPECT_EQ(processes.exitCode(pid), kAlive);
    EXPECT_EQ(waitForEnd(processes, pid), 0u) << "not our child: ended, code unknown";
    EXPECT_EQ(processes.exitCode(0), 0u);
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
