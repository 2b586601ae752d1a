#include "files_win.h"

#include "../text_lines.h"

#include <algorithm>
#include <cstdio>
#include <windows.h>

namespace qs::win32 {

namespace {

size_t lastSeparator(const std::string& path) {
    return path.find_last_of("\\/");
}

bool writeWhole(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// A new, empty file beside the target (same folder, so the final rename stays on one volume).
HANDLE createTempBeside(const std::string& path, std::string& tempPath) {
    const size_t cut = path.find_last_of("\\/:");
    const std::string prefix = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    const std::string name = path.substr(cut == std::string::npos ? 0 : cut + 1);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[48];
        std::snprintf(suffix, sizeof suffix, ".%lx-%x.tmp", static_cast<unsigned long>(GetCurrentProcessId()),
                      ++counter);
        tempPath = prefix + "~" + name + suffix;
        const HANDLE file =
            CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

std::string Win32Files::exePath() {
    std::string buf(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0)
            return {};
        if (n < buf.size()) {
            buf.resize(n);
            return buf;
        }
        buf.resize(buf.size() * 2); // cut short: a longer path than MAX_PATH
    }
}

std::string Win32Files::folderOf(const std::string& path) {
    const size_t cut = lastSeparator(path);
    if (cut == std::string::npos)
        return {};
    // "C:\QShutdown.exe" lives in "C:\": without its backslash that would name the drive's
    // current folder instead of its root.
    if (cut == 2 && path[1] == ':')
        return path.substr(0, 3);
    return path.substr(0, cut);
}

std::string Win32Files::nameOf(const std::string& path) {
    const size_t cut = lastSeparator(path);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string Win32Files::programFolder() {
    return folderOf(exePath());
}

std::string Win32Files::exeName() {
    return nameOf(exePath());
}

bool Win32Files::exists(const std::string& pattern) {
    if (pattern.empty())
        return false;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    constexpr DWORD kNotOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    bool any = false;
    do
        any = (found.dwFileAttributes & kNotOrdinary) == 0;
    while (!any && FindNextFileA(search, &found));
    FindClose(search);
    return any;
}

bool Win32Files::remove(const std::string& path) {
    if (DeleteFileA(path.c_str()))
        return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::optional<std::string> Win32Files::readAll(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt; // missing, refused, or a folder
    std::string bytes;
    char buf[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file, buf, sizeof buf, &n, nullptr)) {
            CloseHandle(file);
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(buf, n);
    }
    CloseHandle(file);
    return bytes;
}

std::optional<std::vector<std::string>> Win32Files::readLines(const std::string& path) {
    const auto bytes = readAll(path);
    if (!bytes)
        return std::nullopt;
    return platform::splitLines(*bytes);
}

bool Win32Files::writeLines(const std::string& path, const std::vector<std::string>& lines) {
    return writeAll(path, platform::joinLines(lines));
}

bool Win32Files::writeAll(const std::string& path, const std::string& bytes) {
    if (path.empty() || lastSeparator(path) == path.size() - 1)
        return false;
    // Windows refuses to rename over a read-only file anyway; Wine would replace it.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    std::string temp;
    const HANDLE file = createTempBeside(path, temp);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = writeWhole(file, bytes) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok) {
        ok = MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        if (!ok && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
            // The 9x family has no MoveFileEx: the old file goes first, for a moment there is none.
            DeleteFileA(path.c_str());
            ok = MoveFileA(temp.c_str(), path.c_str()) != 0;
        }
    }
    if (!ok)
        DeleteFileA(temp.c_str());
    return ok;
}

} // namespace qs::win32
