#pragma once

#include "../power.h"
#include "transcript.h"

#include <functional>
#include <optional>

namespace qs::fake {

class FakePower : public platform::Power {
public:
    explicit FakePower(Transcript& t) : transcript_(t) {}

    void setVersion(platform::OsVersion v) { version_ = v; }
    void setHibernateAllowed(bool on) { hibernate_ = on; }
    void setSuspendAllowed(bool on) { suspend_ = on; }
    // The next session end, suspend or lock is refused with this reason.
    void failNextCall(std::string reason) { pendingFailure_ = std::move(reason); }
    // Runs while the next session end, suspend or lock waits for its answer, as a backend that
    // keeps the event loop going meanwhile would dispatch events there.
    void duringNextCall(std::function<void()> events) { pendingEvents_ = std::move(events); }

    platform::OsVersion version() override { return version_; }
    bool isHibernateAllowed() override { return hibernate_; }
    bool isSuspendAllowed() override { return suspend_; }
    bool exitWindows(unsigned flags) override;
    bool setSuspendState(bool hibernate, bool forced, bool disableWake) override;
    bool lockWorkStation() override;
    void setShutdownPrivilege(bool enable) override;
    std::string failureReason() override { return failureReason_; }

private:
    // Records the call, lets the pending events run, and answers as scripted.
    bool call(const std::string& line);

    Transcript& transcript_;
    platform::OsVersion version_;
    bool hibernate_ = true;
    bool suspend_ = true;
    std::optional<std::string> pendingFailure_;
    std::function<void()> pendingEvents_;
    std::string failureReason_;
};

} // namespace qs::fake
