#pragma once

#include "window_procedures.h"

#include <map>

namespace qs::platform {

// Procedure addresses for platforms that call procedures through their own code rather than by
// machine address: an address is a number this table gives out and calls back through.
class CallbackTable {
public:
    ~CallbackTable() { releaseAll(); }

    // The same callback address for every request of one table; a later callback replaces the
    // first. Addresses are never 0 and never given out twice.
    CallbackAddress address(WindowHooks::Callback callback);
    void releaseAll();

    // Calls the procedure at address; 0 when the address is not (or no longer) in use.
    static std::intptr_t call(CallbackAddress address, WindowHandle window, unsigned message, std::uintptr_t id,
                              std::uint32_t time);

private:
    CallbackAddress address_ = 0;
};

} // namespace qs::platform
