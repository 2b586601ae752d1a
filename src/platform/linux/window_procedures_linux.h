#pragma once

#include "../window_procedures.h"

#include <map>

namespace qs::linuxos {

// Linux asks no window whether the computer may suspend (logind's PrepareForSleep only tells that
// it will), so the procedures are kept, as the logic expects, and never called.
class LinuxWindowProcedures : public platform::WindowProcedures {
public:
    void replace(forms::Form& form, Procedure procedure) override;
    void restore(forms::Form& form) override;

private:
    std::map<const forms::Form*, Procedure> procedures_;
};

} // namespace qs::linuxos
