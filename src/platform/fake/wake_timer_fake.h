#pragma once

#include "../wake_timer.h"
#include "clock_fake.h"
#include "transcript.h"

namespace qs::fake {

// A wake timer on the virtual wall clock: due at the arming moment plus the relative due time,
// so a jump of the clock past that moment signals it at the next advance.
class FakeWakeTimer : public platform::WakeTimer {
public:
    FakeWakeTimer(Transcript& t, FakeClock& clock) : transcript_(t), clock_(clock) {}

    // A platform that cannot arm a wake-up; the timer is still armed and signalled.
    void setWakeSupported(bool on) { wakeSupported_ = on; }

    bool canWake() override { return wakeSupported_; }
    bool arm(const std::string& name, std::int64_t dueTime) override;
    void waitSignalled() override;
    void close() override;

private:
    void stop();

    Transcript& transcript_;
    FakeClock& clock_;
    bool wakeSupported_ = true;
    std::string name_; // empty while no timer exists
    int alarm_ = 0;
    bool armed_ = false;
    bool signalled_ = false;
};

} // namespace qs::fake
