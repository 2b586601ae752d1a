// The real QShutdown.exe under Wine told to be Windows XP and Windows 10 (per program, under
// HKCU\Software\Wine\AppDefaults): it starts in a folder of its own, shows its main window and ends
// through its menu's "E&xit" with code 0, having run its exit sequence. Whether XP has every function
// it imports is checked on the file (check_imports.cmake): Wine's DLLs export more than XP's do.
#include "temp_folder_win.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <winternl.h>

namespace qs::win32 {
namespace {

const std::string kTitle = ":: Quorrel Shutdown 2.2 ::";
const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\QShutdown.exe";

// Wine reports the version named here to every QShutdown.exe started while this lives.
class WineVersionFor {
public:
    explicit WineVersionFor(const std::string& version) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                           static_cast<DWORD>(version.size() + 1));
            RegCloseKey(key);
        }
    }
    ~WineVersionFor() { RegDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults); }
    WineVersionFor(const WineVersionFor&) = delete;
    WineVersionFor& operator=(const WineVersionFor&) = delete;
};

// The version the process was told, from its process environment block, where GetVersionExA reads it.
std::string versionSeenBy(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return "unreadable";
    DWORD majorMinor[2] = {};
    const auto* fields = reinterpret_cast<const char*>(basic.PebBaseAddress) + 0xA4; // OSMajorVersion, OSMinorVersion
    if (!ReadProcessMemory(process, fields, majorMinor, sizeof majorMinor, nullptr))
        return "unreadable";
    return std::to_string(majorMinor[0]) + "." + std::to_string(majorMinor[1]);
}

// A visible window of the process with that class (and title, when given); every window seen is
// listed for the failure message.
struct WindowSearch {
    DWORD process;
    std::string cls;
    std::string title;
    HWND found = nullptr;
    std::string seen;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.process)
        return TRUE;
    char cls[64] = "", title[256] = "";
    GetClassNameA(window, cls, sizeof cls);
    GetWindowTextA(window, title, sizeof title);
    const bool visible = IsWindowVisible(window);
    search.seen += std::string(" [") + cls + " \"" + title + "\"" + (visible ? " visible]" : "]");
    if (visible && cls == search.cls && (search.title.empty() || title == search.title))
        search.found = window;
    return TRUE;
}

// Waits, at most the limit, for such a window to be on the screen or the process to end.
WindowSearch waitForWindow(const PROCESS_INFORMATION& started, const std::string& cls, const std::string& title,
                           DWORD limitMs) {
    const DWORD start = GetTickCount();
    WindowSearch search{started.dwProcessId, cls, title, nullptr, ""};
    do {
        search.found = nullptr;
        search.seen.clear();
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    } while (!search.found && GetTickCount() - start < limitMs &&
             WaitForSingleObject(started.hProcess, 50) == WAIT_TIMEOUT);
    return search;
}

void startShowAndExit(const std::string& wineVersion, const std::string& expectedVersion) {
    const char* built = std::getenv("QS_PROGRAM");
    ASSERT_TRUE(built) << "QS_PROGRAM names the built QShutdown.exe";
    test::TempFolder folder; // no settings of another run
    const std::string program = folder.path("QShutdown.exe");
    ASSERT_TRUE(CopyFileA(built, program.c_str(), FALSE));
    // The start-up check for a newer version must not leave the machine: nothing listens there.
    SetEnvironmentVariableA("QSHUTDOWN_SITE", "http://127.0.0.1:1");
    const WineVersionFor version(wineVersion);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::string line = "\"" + program + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.path().c_str(),
                               &startup, &started));
    const WindowSearch main = waitForWindow(started, "QuorrelShutdownForm", kTitle, 30'000);
    EXPECT_TRUE(main.found) << "windows:" << main.seen;
    EXPECT_EQ(versionSeenBy(started.hProcess), expectedVersion);

    // Alt+M, then X: "E&xit" of "&Menu". Wine does not share a menu's items with other processes, so
    // the keys are posted to the window, where no other test's window can take them.
    if (main.found) {
        PostMessageA(main.found, WM_SYSCOMMAND, SC_KEYMENU, 'm');
        const WindowSearch popup = waitForWindow(started, "#32768", "", 10'000);
        EXPECT_TRUE(popup.found) << "the menu did not open; windows:" << popup.seen;
        PostMessageA(main.found, WM_CHAR, 'x', 0);
    }
    if (WaitForSingleObject(started.hProcess, 30'000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "still running 30 s after Exit";
        TerminateProcess(started.hProcess, 1);
        WaitForSingleObject(started.hProcess, 10'000);
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(started.hProcess, &code);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(folder.names().contains("ssoe")) << "the exit sequence writes it";
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    SetEnvironmentVariableA("QSHUTDOWN_SITE", nullptr);
}

TEST(ProgramStartWin, StartsShowsItsWindowAndExitsOnWindowsXp) {
    startShowAndExit("winxp", "5.1");
}

TEST(ProgramStartWin, StartsShowsItsWindowAndExitsOnWindows10) {
    startShowAndExit("win10", "10.0");
}

} // namespace
} // namespace qs::win32
