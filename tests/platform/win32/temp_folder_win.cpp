#include "temp_folder_win.h"

#include <cstdio>

namespace qs::win32::test {

namespace {

void removeTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName, full = folder + "\\" + name;
            if (name == "." || name == "..")
                continue;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static int counter = 0;
    char name[64];
    std::snprintf(name, sizeof name, "qs-test-%lu-%d", static_cast<unsigned long>(GetCurrentProcessId()), ++counter);
    path_ = std::string(base) + name;
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    removeTree(path_);
}

std::set<std::string> TempFolder::names() const {
    std::set<std::string> out;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(path("*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return out;
    do
        out.insert(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    out.erase(".");
    out.erase("..");
    return out;
}

void TempFolder::put(const std::string& name, const std::string& bytes, DWORD attributes) const {
    const HANDLE file =
        CreateFileA(path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    SetFileAttributesA(path(name).c_str(), attributes);
}

std::string TempFolder::contents(const std::string& name) const {
    const HANDLE file = CreateFileA(path(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string bytes;
    char buf[4096];
    DWORD n = 0;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, buf, sizeof buf, &n, nullptr) && n > 0)
        bytes.append(buf, n);
    CloseHandle(file);
    return bytes;
}

} // namespace qs::win32::test
