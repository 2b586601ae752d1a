#pragma once

#include "../error_log.h"
#include "transcript.h"

namespace qs::fake {

// A failed handler as one transcript line: error HANDLER "WHAT"; an application event likewise.
class FakeErrorLog : public platform::ErrorLog {
public:
    explicit FakeErrorLog(Transcript& t) : transcript_(t) {}

    void error(const std::string& handler, const std::string& what) override;
    // eventlog error "TEXT"
    void applicationEvent(const std::string& text) override;

private:
    Transcript& transcript_;
};

} // namespace qs::fake
