#pragma once

#include "../files.h"

namespace qs::linuxos {

// The program's files on a POSIX file system. Hidden files are the dot-files.
class LinuxFiles : public platform::Files {
public:
    // An empty exeFolder means the folder of /proc/self/exe.
    explicit LinuxFiles(std::string exeFolder = {});

    // The program's own folder when the user may write there, else the per-user settings folder
    // $XDG_CONFIG_HOME/quorrel-shutdown/, created when missing. Ends in '/'.
    std::string programFolder() override;
    std::string exeName() override;
    char pathSeparator() override { return '/'; }
    bool exists(const std::string& pattern) override;
    bool remove(const std::string& path) override;
    std::optional<std::vector<std::string>> readLines(const std::string& path) override;
    bool writeLines(const std::string& path, const std::vector<std::string>& lines) override;
    std::optional<std::string> readAll(const std::string& path) override;
    bool writeAll(const std::string& path, const std::string& bytes) override;

    // $XDG_CONFIG_HOME, or ~/.config when it is unset or not absolute.
    static std::string configHome();
    // The real path of the running program.
    static std::string exePath();

private:
    std::string exeFolder_;
};

} // namespace qs::linuxos
