#pragma once

#include "../power.h"

#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <map>
#include <optional>
#include <string>

class QDBusConnection;
class QDBusMessage;
class QString;
class QVariant;

namespace qs::linuxos {

// Power and session actions through systemd-logind on the system bus; locking falls back to the
// desktop's screen saver on the session bus. Every call waits for its answer with the event loop
// running, so a logind that does not answer never freezes the windows.
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

    // How long an action may wait for logind (a polkit prompt takes a while); tests shorten it.
    void setActionTimeout(int milliseconds) { actionTimeoutMs_ = milliseconds; }

    // How long a question to logind may take; no answer in time counts as "no".
    static constexpr int kQueryTimeoutMs = 1000;
    static constexpr int kActionTimeoutMs = 25000;
    // How long an answer asked for along with another one is good for.
    static constexpr int kAnswerKeptMs = 2 * kQueryTimeoutMs;

private:
    struct Question {
        QDBusPendingCall call;
        QElapsedTimer asked;
    };

    QDBusConnection systemBus() const;
    QDBusConnection sessionBus() const;
    QDBusPendingCall sendManager(const QString& method, const QVariant* argument, int timeoutMs) const;
    // The reply, or an error reply whose text says who did not answer in time.
    static QDBusMessage await(const QDBusPendingCall& call, int timeoutMs, const QString& peer);
    QDBusMessage callManager(const QString& method, const QVariant* argument, int timeoutMs) const;
    void dropOldQuestions();
    void askCapabilities();
    bool canDo(const QString& method);
    bool blockedBy(const QString& what) const;
    bool managerAction(const QString& method, const QString& what, bool forced);
    // Keeps the error text of a failed call for failureReason.
    bool outcome(const QDBusMessage& reply);
    // The program's session from logind, else from XDG_SESSION_ID; an error reply when neither.
    QDBusMessage sessionPath() const;
    QString sessionId(QString& problem) const;

    std::string systemAddress_;
    std::string sessionAddress_;
    std::string systemName_;
    std::string sessionName_;
    std::string failureReason_;
    int actionTimeoutMs_ = kActionTimeoutMs;
    // Capability questions sent together; the one not yet asked for waits here for its turn.
    std::map<QString, Question> questions_;
};

} // namespace qs::linuxos
