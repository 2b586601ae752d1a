#include "error_log_linux.h"

#include <cstdio>
#include <syslog.h>

namespace qs::linuxos {

void LinuxErrorLog::error(const std::string& handler, const std::string& what) {
    // One write per line, so lines of other writers do not cut into it.
    const std::string line = "qshutdown: error in " + handler + ": " + what + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void LinuxErrorLog::applicationEvent(const std::string& text) {
    syslog(LOG_USER | LOG_ERR, "qshutdown: %s", text.c_str());
}

} // namespace qs::linuxos
