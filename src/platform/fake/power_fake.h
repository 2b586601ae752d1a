#pragma once

#include "../power.h"
#include "transcript.h"

namespace qs::fake {

class FakePower : public platform::Power {
public:
    explicit FakePower(Transcript& t) : transcript_(t) {}

    void setVersion(platform::OsVersion v) { version_ = v; }
    void setHibernateAllowed(bool on) { hibernate_ = on; }
    void setSuspendAllowed(bool on) { suspend_ = on; }

    platform::OsVersion version() override { return version_; }
    bool isHibernateAllowed() override { return hibernate_; }
    bool isSuspendAllowed() override { return suspend_; }
    bool exitWindows(unsigned flags) override;
    bool setSuspendState(bool hibernate, bool forced, bool disableWake) override;
    bool lockWorkStation() override;
    void setShutdownPrivilege(bool enable) override;
    std::string failureReason() override { return failureReason_; }

private:
    Transcript& transcript_;
    platform::OsVersion version_;
    bool hibernate_ = true;
    bool suspend_ = true;
    std::string failureReason_;
};

} // namespace qs::fake
