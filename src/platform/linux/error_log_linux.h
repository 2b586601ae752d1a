#pragma once

#include "../error_log.h"

namespace qs::linuxos {

// Failed handlers go to standard error, one line each.
class LinuxErrorLog : public platform::ErrorLog {
public:
    void error(const std::string& handler, const std::string& what) override;
};

} // namespace qs::linuxos
