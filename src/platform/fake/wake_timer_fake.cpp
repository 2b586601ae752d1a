#include "wake_timer_fake.h"

#include <utility>

namespace qs::fake {

namespace {
constexpr std::int64_t kUnitsPerMs = 10000; // 100-ns units
}

bool FakeWakeTimer::arm(const std::string& name, std::int64_t dueTime) {
    stop();
    name_ = name;
    armed_ = true;
    signalled_ = false;
    transcript_.line("waitable-timer set " + quote(name) + " due=" + std::to_string(dueTime) + " resume=1");
    const std::int64_t delayMs = dueTime < 0 ? -dueTime / kUnitsPerMs : 0;
    alarm_ = clock_.startWallTimer(delayMs, [this] {
        alarm_ = 0;
        signalled_ = true;
        transcript_.line("waitable-timer signalled " + quote(name_));
    });
    return true;
}

void FakeWakeTimer::waitSignalled() {
    if (armed_)
        clock_.runUntil([this] { return signalled_; });
}

void FakeWakeTimer::close() {
    if (name_.empty())
        return;
    stop();
    transcript_.line("waitable-timer close " + quote(std::exchange(name_, {})));
    armed_ = false;
    signalled_ = false;
}

void FakeWakeTimer::stop() {
    if (alarm_ != 0)
        clock_.stopTimer(std::exchange(alarm_, 0));
}

} // namespace qs::fake
