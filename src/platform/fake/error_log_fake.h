#pragma once

#include "../error_log.h"
#include "transcript.h"

namespace qs::fake {

// A failed handler as one transcript line: error HANDLER "WHAT".
class FakeErrorLog : public platform::ErrorLog {
public:
    explicit FakeErrorLog(Transcript& t) : transcript_(t) {}

    void error(const std::string& handler, const std::string& what) override;

private:
    Transcript& transcript_;
};

} // namespace qs::fake
