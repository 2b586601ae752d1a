#include "registry_linux.h"

#include "atomic_file_linux.h"
#include "files_linux.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <unistd.h>

namespace qs::linuxos {

namespace {

const std::string kRunKey = "software\\microsoft\\windows\\currentversion\\run";
const std::string kValueName = "qshutdown22";

// Registry names compare without regard to case.
std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

} // namespace

LinuxRegistry::LinuxRegistry(std::string programPath)
    : programPath_(programPath.empty() ? LinuxFiles::exePath() : std::move(programPath)) {}

std::string LinuxRegistry::autostartFile() {
    return LinuxFiles::configHome() + "/autostart/QShutdown22.desktop";
}

std::string LinuxRegistry::execValue(const std::string& programPath) {
    // Inside the quotes ", `, $ and \ take a backslash; '%' starts a field code, so it is doubled.
    std::string quoted = "\"";
    for (char c : programPath) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        if (c == '%')
            quoted += '%';
        quoted += c;
    }
    quoted += '"';
    // The value is a string as well, whose own escape rule doubles each backslash once more.
    std::string value;
    for (char c : quoted) {
        if (c == '\\')
            value += '\\';
        value += c;
    }
    return value;
}

unsigned long LinuxRegistry::createKey(platform::RegistryRoot /*root*/, const std::string& subKey) {
    // Both roots name the same per-user file: an autostart entry belongs to the user anyway.
    const unsigned long handle = nextKey_++;
    keys_[handle] = lower(subKey) == kRunKey;
    return handle;
}

bool LinuxRegistry::isStartupEntry(unsigned long key, const std::string& name) const {
    const auto it = keys_.find(key);
    return it != keys_.end() && it->second && lower(name) == kValueName;
}

bool LinuxRegistry::setString(unsigned long key, const std::string& name, const std::string& /*data*/) {
    // The value names the Windows program file; the entry starts the program that is running.
    if (!isStartupEntry(key, name) || programPath_.empty())
        return false;
    const std::string file = autostartFile();
    if (!makeFolders(folderOf(file)))
        return false;
    const std::string entry = "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Quorrel Shutdown\n"
                              "Exec=" +
                              execValue(programPath_) +
                              "\n"
                              "Terminal=false\n"
                              "X-GNOME-Autostart-enabled=true\n";
    return writeFileAtomically(file, entry);
}

bool LinuxRegistry::deleteValue(unsigned long key, const std::string& name) {
    if (!isStartupEntry(key, name))
        return false;
    return ::unlink(autostartFile().c_str()) == 0 || errno == ENOENT;
}

} // namespace qs::linuxos
