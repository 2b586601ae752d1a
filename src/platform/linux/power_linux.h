#pragma once

#include "../power.h"

#include <string>

class QDBusConnection;
class QDBusMessage;
class QString;
class QVariant;

namespace qs::linuxos {

// Power and session actions through systemd-logind on the system bus; locking falls back to the
// desktop's screen saver on the session bus.
class LinuxPower : public platform::Power {
public:
    // Empty addresses mean the machine's own buses; tests hand in private ones.
    explicit LinuxPower(std::string systemBusAddress = {}, std::string sessionBusAddress = {});
    ~LinuxPower() override;

    platform::OsVersion version() override;
    bool isHibernateAllowed() override;
    bool isSuspendAllowed() override;
    bool exitWindows(unsigned flags) override;
    bool setSuspendState(bool hibernate, bool forced, bool disableWake) override;
    bool lockWorkStation() override;
    // logind and polkit decide who may shut down; there is no privilege to take.
    void setShutdownPrivilege(bool) override {}
    std::string failureReason() override { return failureReason_; }

    // How long a question to logind may take; power actions wait longer (a polkit prompt).
    static constexpr int kQueryTimeoutMs = 2000;
    static constexpr int kActionTimeoutMs = 120000;

private:
    QDBusConnection systemBus() const;
    QDBusConnection sessionBus() const;
    QDBusMessage callManager(const QString& method, const QVariant* argument, int timeoutMs) const;
    bool canDo(const QString& method) const;
    bool blockedBy(const QString& what) const;
    bool managerAction(const QString& method, const QString& what, bool forced);
    // Keeps logind's error text of a failed call for failureReason.
    bool outcome(const QDBusMessage& reply);
    QString sessionPath() const;
    QString sessionId() const;

    std::string systemAddress_;
    std::string sessionAddress_;
    std::string systemName_;
    std::string sessionName_;
    std::string failureReason_;
};

} // namespace qs::linuxos
