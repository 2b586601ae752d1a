#pragma once

#include "../../src/platform/error_log.h"

#include <string>
#include <vector>

namespace qs::test {

// Keeps every logged failure as "HANDLER: WHAT".
class RecordingErrorLog : public platform::ErrorLog {
public:
    void error(const std::string& handler, const std::string& what) override { lines.push_back(handler + ": " + what); }
    void applicationEvent(const std::string& text) override { lines.push_back("event: " + text); }

    std::vector<std::string> lines;
};

} // namespace qs::test
