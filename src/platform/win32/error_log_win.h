#pragma once

#include "../error_log.h"

namespace qs::win32 {

// Failed handlers go to the debugger's output and, one line each, to QShutdown.log in the
// folder that holds the settings file.
class Win32ErrorLog : public platform::ErrorLog {
public:
    explicit Win32ErrorLog(const std::string& folder);

    const std::string& path() const { return path_; }
    void error(const std::string& handler, const std::string& what) override;
    // An error entry from the source "QShutdown" in the Application event log.
    void applicationEvent(const std::string& text) override;

private:
    std::string path_;
};

} // namespace qs::win32
