// Win32Processes: the instance mutex, started programs and their exit codes, opening documents,
// waiting for a program's end.
#include "../../../src/platform/win32/files_win.h"
#include "../../../src/platform/win32/processes_win.h"
#include "../recording_error_log.h"
#include "cpu_seconds_win.h"
#include "temp_folder_win.h"

#include <gtest/gtest.h>
#include <memory>

namespace qs::win32 {
namespace {

constexpr unsigned kStillActive = STILL_ACTIVE;

unsigned waitForEnd(Win32Processes& processes, unsigned pid) {
    unsigned code = kStillActive;
    for (int i = 0; i < 500 && (code = processes.exitCode(pid)) == kStillActive; ++i)
        Sleep(20);
    return code;
}

// The helper program in a folder whose name has a space, so the command line needs quotes.
std::string helperIn(const test::TempFolder& dir) {
    const std::string copy = dir.path("with space.exe");
    CopyFileA((Win32Files().programFolder() + "\\exit_with.exe").c_str(), copy.c_str(), FALSE);
    return "\"" + copy + "\"";
}

// A program started past Win32Processes, which knows it by its id only.
PROCESS_INFORMATION startElsewhere(std::string line) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    EXPECT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    return info;
}

class ProcessesWin : public testing::Test {
protected:
    qs::test::RecordingErrorLog errors;
    Win32Clock clock{errors};
};

TEST_F(ProcessesWin, OnlyTheFirstInstanceFindsNoneBeforeIt) {
    auto first = std::make_unique<Win32Processes>(clock, "QuorrelShutdownTest.Instance");
    EXPECT_FALSE(first->anotherInstanceRunning());
    EXPECT_FALSE(first->anotherInstanceRunning()) << "asking again keeps the answer";
    auto second = std::make_unique<Win32Processes>(clock, "QuorrelShutdownTest.Instance");
    EXPECT_TRUE(second->anotherInstanceRunning());
    first.reset();
    second.reset();
    EXPECT_FALSE(Win32Processes(clock, "QuorrelShutdownTest.Instance").anotherInstanceRunning())
        << "the mutex goes with the instances that held it";
}

TEST_F(ProcessesWin, AStartedProgramsExitCodeOutlivesIt) {
    test::TempFolder dir;
    Win32Processes processes(clock, "QuorrelShutdownTest.Codes");
    const unsigned pid = processes.startProgram(helperIn(dir) + " 300 3", SW_HIDE);
    ASSERT_NE(pid, 0u);
    EXPECT_EQ(processes.exitCode(pid), kStillActive);
    EXPECT_EQ(waitForEnd(processes, pid), 3u);
    Sleep(100);
    EXPECT_EQ(processes.exitCode(pid), 3u);
    EXPECT_EQ(processes.startProgram("", SW_HIDE), 0u);
    EXPECT_EQ(processes.startProgram(dir.path("missing.exe"), SW_HIDE), 0u);
}

TEST_F(ProcessesWin, OpeningABatchFileRunsIt) {
    test::TempFolder dir;
    dir.put("before action.bat", "@echo off\r\necho ran> \"" + dir.path("marker") + "\"\r\n");
    Win32Processes processes(clock, "QuorrelShutdownTest.Open");
    ASSERT_TRUE(processes.shellOpen(dir.path("before action.bat"), SW_HIDE));
    for (int i = 0; i < 500 && dir.contents("marker").empty(); ++i)
        Sleep(20);
    EXPECT_EQ(dir.contents("marker"), "ran\r\n");
    EXPECT_FALSE(processes.shellOpen(dir.path("missing.bat"), SW_HIDE));
    EXPECT_FALSE(processes.shellOpen("   ", SW_HIDE));
}

// The wait sleeps on the process: the timers keep firing, and the processor time it takes is a small
// part of the time it lasts. A loop that polls takes all of it, though under Wine most goes to the
// wineserver: about a fifth still shows here, and a wait that sleeps shows next to nothing.
TEST_F(ProcessesWin, WaitingForAProgramRunsTheLoopWithoutBusyingTheProcessor) {
    test::TempFolder dir;
    Win32Processes processes(clock, "QuorrelShutdownTest.Wait");
    int ticks = 0;
    clock.startTimer(100, [&] { ++ticks; });
    const unsigned pid = processes.startProgram(helperIn(dir) + " 1000 42", SW_HIDE);
    ASSERT_NE(pid, 0u);
    const double cpuBefore = qs::test::cpuSeconds();
    const DWORD start = GetTickCount();
    EXPECT_EQ(processes.waitForExit(pid), 42u);
    const double elapsed = (GetTickCount() - start) / 1000.0;
    const double cpu = qs::test::cpuSeconds() - cpuBefore;
    EXPECT_GE(ticks, 3) << "in " << elapsed << " s";
    EXPECT_LT(cpu, elapsed / 10) << "processor seconds in a wait of " << elapsed << " s";
}

TEST_F(ProcessesWin, AnyProcessIsWaitedForAndReadByItsIdAndOneThatCannotBeOpenedNotAtAll) {
    test::TempFolder dir;
    const PROCESS_INFORMATION info = startElsewhere(helperIn(dir) + " 300 7");
    Win32Processes processes(clock, "QuorrelShutdownTest.Wait");
    EXPECT_EQ(processes.waitForExit(info.dwProcessId), 7u);
    EXPECT_EQ(processes.exitCode(info.dwProcessId), 7u);
    EXPECT_EQ(processes.waitForExit(0), 0u);
    EXPECT_EQ(processes.exitCode(0), 0u) << "no such process";
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

// The program is ending: the wait gives up, and the quit message is left for the outer loop.
TEST_F(ProcessesWin, AQuitDuringTheWaitEndsItAndIsPassedOn) {
    test::TempFolder dir;
    Win32Processes processes(clock, "QuorrelShutdownTest.Wait");
    const unsigned pid = processes.startProgram(helperIn(dir) + " 20000 1", SW_HIDE);
    ASSERT_NE(pid, 0u);
    int quit = 0;
    quit = clock.startTimer(200, [&] {
        clock.stopTimer(quit);
        PostQuitMessage(3);
    });
    EXPECT_EQ(processes.waitForExit(pid), kStillActive);
    MSG msg{};
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    const HANDLE helper = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    TerminateProcess(helper, 0);
    CloseHandle(helper);
}

} // namespace
} // namespace qs::win32
