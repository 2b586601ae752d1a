#pragma once

#include "../window_procedures.h"
#include "transcript.h"

#include <utility>
#include <vector>

namespace qs::fake {

// Holds the replaced procedures and sends them the messages a script asks for.
class FakeWindowProcedures : public platform::WindowProcedures {
public:
    explicit FakeWindowProcedures(Transcript& t) : transcript_(t) {}

    // The platform asks every window whether it may suspend (0x218 with wParam 0); one line
    // with the first answer, or "passed" when every procedure passed it on.
    void querySuspend();

    void replace(forms::Form& form, Procedure procedure) override;
    void restore(forms::Form& form) override;

private:
    Transcript& transcript_;
    std::vector<std::pair<forms::Form*, Procedure>> procedures_;
};

} // namespace qs::fake
