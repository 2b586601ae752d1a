#include "files_linux.h"

#include "../text_lines.h"
#include "atomic_file_linux.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qs::linuxos {

namespace {

bool isVisibleFile(const std::string& path, const std::string& name) {
    struct stat st {};
    return !name.empty() && name[0] != '.' && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The names the program tests come from Windows, where only '*' and '?' are wildcards.
std::string escapeBrackets(const std::string& pattern) {
    std::string out;
    for (char c : pattern) {
        if (c == '[' || c == ']' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

} // namespace

LinuxFiles::LinuxFiles(std::string exeFolder) : exeFolder_(std::move(exeFolder)) {
    if (exeFolder_.empty())
        exeFolder_ = folderOf(exePath());
}

std::string LinuxFiles::exePath() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

std::string LinuxFiles::configHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) {
        const passwd* pw = ::getpwuid(::getuid());
        home = pw ? pw->pw_dir : "/tmp";
    }
    return std::string(home) + "/.config";
}

std::string LinuxFiles::programFolder() {
    if (!exeFolder_.empty() && ::access(exeFolder_.c_str(), W_OK) == 0)
        return exeFolder_.back() == '/' ? exeFolder_ : exeFolder_ + '/';
    const std::string folder = configHome() + "/quorrel-shutdown";
    makeFolders(folder);
    return folder + '/';
}

std::string LinuxFiles::exeName() {
    return nameOf(exePath());
}

bool LinuxFiles::exists(const std::string& pattern) {
    const std::string name = nameOf(pattern);
    if (name.empty())
        return false;
    const std::string folder = folderOf(pattern);
    if (name.find_first_of("*?") == std::string::npos)
        return isVisibleFile(pattern, name);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return false;
    const std::string glob = escapeBrackets(name);
    bool found = false;
    while (const dirent* entry = ::readdir(dir)) {
        if (::fnmatch(glob.c_str(), entry->d_name, 0) == 0 &&
            isVisibleFile(folder + '/' + entry->d_name, entry->d_name)) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

bool LinuxFiles::remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

std::optional<std::string> LinuxFiles::readAll(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string bytes;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt; // a folder, or a read error
        }
        if (n == 0)
            break;
        bytes.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return bytes;
}

std::optional<std::vector<std::string>> LinuxFiles::readLines(const std::string& path) {
    const auto bytes = readAll(path);
    if (!bytes)
        return std::nullopt;
    return platform::splitLines(*bytes);
}

bool LinuxFiles::writeLines(const std::string& path, const std::vector<std::string>& lines) {
    return writeFileAtomically(path, platform::joinLines(lines));
}

bool LinuxFiles::writeAll(const std::string& path, const std::string& bytes) {
    return writeFileAtomically(path, bytes);
}

} // namespace qs::linuxos
