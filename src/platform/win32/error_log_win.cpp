#include "error_log_win.h"

#include <cstdio>
#include <windows.h>

namespace qs::win32 {

Win32ErrorLog::Win32ErrorLog(const std::string& folder) {
    path_ = folder;
    if (!path_.empty() && path_.back() != '\\' && path_.back() != '/')
        path_ += '\\';
    path_ += "QShutdown.log";
}

void Win32ErrorLog::error(const std::string& handler, const std::string& what) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u ", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    std::string line = stamp + handler + ": " + what;
    // One error, one line, whatever the text holds.
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    OutputDebugStringA(("QShutdown: " + line + "\n").c_str());
    line += "\r\n";
    // Plain write access and a seek to the end: the 9x family knows no append-only access.
    const HANDLE file = CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return; // an unwritable folder: the debugger's output is all there is
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

void Win32ErrorLog::applicationEvent(const std::string& text) {
    const HANDLE source = RegisterEventSourceA(nullptr, "QShutdown");
    if (!source)
        return; // no event log service: nothing to write to
    const char* strings[] = {text.c_str()};
    ReportEventA(source, EVENTLOG_ERROR_TYPE, 0, 0, nullptr, 1, 0, strings, nullptr);
    DeregisterEventSource(source);
}

} // namespace qs::win32
