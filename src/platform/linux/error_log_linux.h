#pragma once

#include "../error_log.h"

namespace qs::linuxos {

// Failed handlers go to standard error, one line each.
class LinuxErrorLog : public platform::ErrorLog {
public:
    void error(const std::string& handler, const std::string& what) override;
    // To the system log (the journal), as an error of the user's programs.
    void applicationEvent(const std::string& text) override;
};

} // namespace qs::linuxos
