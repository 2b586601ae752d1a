#include "processes_win.h"

#include <shellapi.h>

namespace qs::win32 {

Win32Processes::Win32Processes(Win32Clock& clock, std::string mutexName)
    : clock_(clock), mutexName_(std::move(mutexName)) {}

Win32Processes::~Win32Processes() {
    for (const auto& [id, process] : started_)
        CloseHandle(process);
    if (mutex_)
        CloseHandle(mutex_);
}

bool Win32Processes::anotherInstanceRunning() {
    if (!another_) {
        mutex_ = CreateMutexA(nullptr, FALSE, mutexName_.c_str());
        // Without a mutex (no name space to put it in) the program runs anyway.
        another_ = mutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    }
    return *another_;
}

bool Win32Processes::shellOpen(const std::string& file, int showCommand) {
    if (file.find_first_not_of(" \t") == std::string::npos)
        return false;
    const HINSTANCE result = ShellExecuteA(nullptr, "open", file.c_str(), nullptr, nullptr, showCommand);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

unsigned Win32Processes::startProgram(const std::string& commandLine, int windowStyle) {
    if (commandLine.find_first_not_of(" \t") == std::string::npos)
        return 0;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(windowStyle);
    PROCESS_INFORMATION info{};
    std::string line = commandLine; // CreateProcessA may write into the command line
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return 0;
    CloseHandle(info.hThread);
    // The handle kept here also keeps the id from going to another process.
    const auto id = static_cast<unsigned>(info.dwProcessId);
    started_[id] = info.hProcess;
    return id;
}

unsigned Win32Processes::exitCode(unsigned processId) {
    DWORD code = 0;
    if (const auto it = started_.find(processId); it != started_.end())
        return GetExitCodeProcess(it->second, &code) ? code : 0;
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (!process)
        return 0;
    if (!GetExitCodeProcess(process, &code))
        code = 0;
    CloseHandle(process);
    return code;
}

unsigned Win32Processes::waitForExit(unsigned processId) {
    HANDLE process = nullptr;
    bool opened = false;
    if (const auto it = started_.find(processId); it != started_.end()) {
        process = it->second;
    } else {
        process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
        if (!process)
            return 0;
        opened = true;
    }
    // Sleeps on the process handle: the events run, the processor does not.
    clock_.waitFor(process, QS_ALLINPUT);
    DWORD code = 0;
    if (!GetExitCodeProcess(process, &code))
        code = 0;
    if (opened)
        CloseHandle(process);
    return code;
}

} // namespace qs::win32
