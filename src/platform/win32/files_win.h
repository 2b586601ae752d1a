#pragma once

#include "../files.h"

namespace qs::win32 {

// The program's files through the Win32 file API. Names compare as the file system does.
class Win32Files : public platform::Files {
public:
    // The folder of the program file, without a closing backslash except for a drive's root
    // ("C:\Apps", "C:\"), as the system reports paths.
    std::string programFolder() override;
    std::string exeName() override;
    char pathSeparator() override { return '\\'; }
    bool exists(const std::string& pattern) override;
    bool remove(const std::string& path) override;
    std::optional<std::vector<std::string>> readLines(const std::string& path) override;
    bool writeLines(const std::string& path, const std::vector<std::string>& lines) override;
    std::optional<std::string> readAll(const std::string& path) override;
    bool writeAll(const std::string& path, const std::string& bytes) override;

    // The full path of the running program.
    static std::string exePath();
    // The folder part of a full path, in the form programFolder gives, and the name part.
    static std::string folderOf(const std::string& path);
    static std::string nameOf(const std::string& path);
};

} // namespace qs::win32
