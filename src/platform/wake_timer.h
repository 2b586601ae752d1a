#pragma once

#include <cstdint>
#include <string>

namespace qs::platform {

// A named timer that can wake the computer from hibernation or sleep, and a wait on it that keeps
// the event loop running.
class WakeTimer {
public:
    virtual ~WakeTimer() = default;

    // Whether an armed timer will really wake the computer; asked before the computer hibernates.
    virtual bool canWake() = 0;
    // Creates (or opens, when it exists) the manual-reset timer of that name and arms it, able to
    // wake the computer. dueTime is relative, in 100-ns units, negative (-10,000,000 is one second
    // from now); a backend may arm the same moment as an absolute time. False when it could not be
    // armed.
    virtual bool arm(const std::string& name, std::int64_t dueTime) = 0;
    // Runs the event loop until the armed timer has fired; returns at once when none is armed.
    virtual void waitSignalled() = 0;
    // Closes the timer; a later arm starts afresh.
    virtual void close() = 0;
};

} // namespace qs::platform
