// Win32Processes: the instance mutex, started programs and their exit codes, opening documents.
#include "../../../src/platform/win32/files_win.h"
#include "../../../src/platform/win32/processes_win.h"
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

TEST(ProcessesWin, OnlyTheFirstInstanceFindsNoneBeforeIt) {
    auto first = std::make_unique<Win32Processes>("QuorrelShutdownTest.Instance");
    EXPECT_FALSE(first->anotherInstanceRunning());
    EXPECT_FALSE(first->anotherInstanceRunning()) << "asking again keeps the answer";
    auto second = std::make_unique<Win32Processes>("QuorrelShutdownTest.Instance");
    EXPECT_TRUE(second->anotherInstanceRunning());
    first.reset();
    second.reset();
    EXPECT_FALSE(Win32Processes("QuorrelShutdownTest.Instance").anotherInstanceRunning())
        << "the mutex goes with the instances that held it";
}

TEST(ProcessesWin, AStartedProgramsExitCodeOutlivesIt) {
    test::TempFolder dir;
    Win32Processes processes("QuorrelShutdownTest.Codes");
    const unsigned pid = processes.startProgram(helperIn(dir) + " 300 3", SW_HIDE);
    ASSERT_NE(pid, 0u);
    EXPECT_EQ(processes.exitCode(pid), kStillActive);
    EXPECT_EQ(waitForEnd(processes, pid), 3u);
    Sleep(100);
    EXPECT_EQ(processes.exitCode(pid), 3u);
    EXPECT_EQ(processes.startProgram("", SW_HIDE), 0u);
    EXPECT_EQ(processes.startProgram(dir.path("missing.exe"), SW_HIDE), 0u);
}

TEST(ProcessesWin, OtherProcessesAreOpenedByTheirId) {
    test::TempFolder dir;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string line = helperIn(dir) + " 0 5";
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    WaitForSingleObject(info.hProcess, 10000);
    Win32Processes processes("QuorrelShutdownTest.Codes");
    EXPECT_EQ(processes.exitCode(info.dwProcessId), 5u);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    EXPECT_EQ(processes.exitCode(0), 0u) << "no such process";
}

TEST(ProcessesWin, OpeningABatchFileRunsIt) {
    test::TempFolder dir;
    dir.put("before action.bat", "@echo off\r\necho ran> \"" + dir.path("marker") + "\"\r\n");
    Win32Processes processes("QuorrelShutdownTest.Open");
    ASSERT_TRUE(processes.shellOpen(dir.path("before action.bat"), SW_HIDE));
    for (int i = 0; i < 500 && dir.contents("marker").empty(); ++i)
        Sleep(20);
    EXPECT_EQ(dir.contents("marker"), "ran\r\n");
    EXPECT_FALSE(processes.shellOpen(dir.path("missing.bat"), SW_HIDE));
    EXPECT_FALSE(processes.shellOpen("   ", SW_HIDE));
}

} // namespace
} // namespace qs::win32
