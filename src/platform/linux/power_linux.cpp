#include "power_linux.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QStringList>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <sys/utsname.h>
#include <unistd.h>

namespace qs::linuxos {

namespace {

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");

std::string uniqueName(const char* what) {
    static std::atomic<int> counter{0};
    return "qshutdown-" + std::string(what) + "-" + std::to_string(++counter);
}

QDBusConnection connect(const std::string& address, const std::string& name, QDBusConnection::BusType fallback) {
    if (address.empty())
        return fallback == QDBusConnection::SystemBus ? QDBusConnection::systemBus() : QDBusConnection::sessionBus();
    return QDBusConnection::connectToBus(QString::fromStdString(address), QString::fromStdString(name));
}

bool succeeded(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace

LinuxPower::LinuxPower(std::string systemBusAddress, std::string sessionBusAddress)
    : systemAddress_(std::move(systemBusAddress)), sessionAddress_(std::move(sessionBusAddress)),
      systemName_(uniqueName("system")), sessionName_(uniqueName("session")) {}

LinuxPower::~LinuxPower() {
    if (!systemAddress_.empty())
        QDBusConnection::disconnectFromBus(QString::fromStdString(systemName_));
    if (!sessionAddress_.empty())
        QDBusConnection::disconnectFromBus(QString::fromStdString(sessionName_));
}

QDBusConnection LinuxPower::systemBus() const {
    return connect(systemAddress_, systemName_, QDBusConnection::SystemBus);
}

QDBusConnection LinuxPower::sessionBus() const {
    return connect(sessionAddress_, sessionName_, QDBusConnection::SessionBus);
}

platform::OsVersion LinuxPower::version() {
    // The logic knows Windows versions only; Linux counts as the NT family, the kernel's
    // major.minor as the version and its patch level as the build.
    platform::OsVersion v;
    v.platformId = 2;
    v.major = v.minor = v.build = 0;
    utsname name{};
    if (::uname(&name) == 0)
        std::sscanf(name.release, "%d.%d.%d", &v.major, &v.minor, &v.build);
    return v;
}

QDBusMessage LinuxPower::callManager(const QString& method, const QVariant* argument, int timeoutMs) const {
    QDBusConnection bus = systemBus();
    if (!bus.isConnected())
        return QDBusMessage::createError(QStringLiteral("org.freedesktop.DBus.Error.NoServer"),
                                         bus.lastError().message());
    QDBusMessage call = QDBusMessage::createMethodCall(kLogind, kManagerPath, kManager, method);
    if (argument)
        call << *argument;
    call.setInteractiveAuthorizationAllowed(true);
    return bus.call(call, QDBus::Block, timeoutMs);
}

bool LinuxPower::canDo(const QString& method) const {
    // "challenge" would need a password first; the program offers only what works as it is.
    const QDBusMessage reply = callManager(method, nullptr, kQueryTimeoutMs);
    return succeeded(reply) && !reply.arguments().isEmpty() && reply.arguments().first().toString() == "yes";
}

bool LinuxPower::isHibernateAllowed() {
    return canDo(QStringLiteral("CanHibernate"));
}

bool LinuxPower::isSuspendAllowed() {
    return canDo(QStringLiteral("CanSuspend"));
}

bool LinuxPower::blockedBy(const QString& what) const {
    const QDBusMessage reply = callManager(QStringLiteral("ListInhibitors"), nullptr, kQueryTimeoutMs);
    if (!succeeded(reply) || reply.arguments().isEmpty())
        return false; // logind will say no itself if it must
    const QDBusArgument list = reply.arguments().first().value<QDBusArgument>();
    bool blocked = false;
    list.beginArray();
    while (!list.atEnd()) {
        QString lockWhat, who, why, mode;
        uint uid = 0, pid = 0;
        list.beginStructure();
        list >> lockWhat >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        if (mode == "block" && lockWhat.split(u':').contains(what))
            blocked = true;
    }
    list.endArray();
    return blocked;
}

// An unforced action behaves like Windows asking the applications first: a block inhibitor held by
// any program refuses it (as systemctl does), and logind is not asked at all. A forced action
// skips that test and calls the plain method with interactive = true: logind then overrides block
// inhibitors when polkit grants the caller the *-ignore-inhibit action (asking for a password
// where the policy says so), and root passes anyway. The *WithFlags variants were not taken:
// their only flags honour inhibitors for root or pick kexec, and they take no interactive flag.
// Delay inhibitors cannot be skipped by anyone; logind caps them at InhibitDelayMaxSec.
bool LinuxPower::outcome(const QDBusMessage& reply) {
    const bool ok = succeeded(reply);
    failureReason_ = ok ? std::string() : reply.errorMessage().toStdString();
    return ok;
}

bool LinuxPower::managerAction(const QString& method, const QString& what, bool forced) {
    if (!forced && blockedBy(what)) {
        failureReason_ = "Another program is blocking it (a logind " + what.toStdString() + " inhibitor).";
        return false;
    }
    const QVariant interactive(true);
    return outcome(callManager(method, &interactive, kActionTimeoutMs));
}

QString LinuxPower::sessionPath() const {
    const QVariant pid(static_cast<uint>(::getpid()));
    QDBusMessage reply = callManager(QStringLiteral("GetSessionByPID"), &pid, kQueryTimeoutMs);
    if (!succeeded(reply)) {
        const char* id = std::getenv("XDG_SESSION_ID");
        if (!id || !*id)
            return {};
        const QVariant session(QString::fromUtf8(id));
        reply = callManager(QStringLiteral("GetSession"), &session, kQueryTimeoutMs);
        if (!succeeded(reply))
            return {};
    }
    return reply.arguments().isEmpty() ? QString() : reply.arguments().first().value<QDBusObjectPath>().path();
}

QString LinuxPower::sessionId() const {
    const QVariant pid(static_cast<uint>(::getpid()));
    const QDBusMessage reply = callManager(QStringLiteral("GetSessionByPID"), &pid, kQueryTimeoutMs);
    if (succeeded(reply) && !reply.arguments().isEmpty()) {
        const QString path = reply.arguments().first().value<QDBusObjectPath>().path();
        QDBusMessage get = QDBusMessage::createMethodCall(
            kLogind, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << kSession << QStringLiteral("Id");
        const QDBusMessage id = systemBus().call(get, QDBus::Block, kQueryTimeoutMs);
        if (succeeded(id) && !id.arguments().isEmpty())
            return id.arguments().first().value<QDBusVariant>().variant().toString();
    }
    const char* id = std::getenv("XDG_SESSION_ID");
    return id ? QString::fromUtf8(id) : QString();
}

bool LinuxPower::exitWindows(unsigned flags) {
    const bool forced = (flags & 4) != 0;
    if (flags & 2)
        return managerAction(QStringLiteral("Reboot"), QStringLiteral("shutdown"), forced);
    if (flags & 1)
        return managerAction(QStringLiteral("PowerOff"), QStringLiteral("shutdown"), forced);
    // Logging off ends the whole session; logind has no inhibitors for that.
    const QString id = sessionId();
    if (id.isEmpty()) {
        failureReason_ = "The program's login session was not found.";
        return false;
    }
    const QVariant session(id);
    return outcome(callManager(QStringLiteral("TerminateSession"), &session, kActionTimeoutMs));
}

bool LinuxPower::setSuspendState(bool hibernate, bool forced, bool /*disableWake*/) {
    // Wake timers are the firmware's business here; there is nothing to switch off per call.
    return managerAction(hibernate ? QStringLiteral("Hibernate") : QStringLiteral("Suspend"), QStringLiteral("sleep"),
                         forced);
}

bool LinuxPower::lockWorkStation() {
    const QString path = sessionPath();
    failureReason_ = "The program's login session was not found.";
    if (!path.isEmpty()) {
        const QDBusMessage call = QDBusMessage::createMethodCall(kLogind, path, kSession, QStringLiteral("Lock"));
        if (outcome(systemBus().call(call, QDBus::Block, kQueryTimeoutMs)))
            return true;
    }
    QDBusConnection bus = sessionBus();
    if (!bus.isConnected())
        return false;
    const QString saver = QStringLiteral("org.freedesktop.ScreenSaver");
    for (const QString& objectPath : {QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("/ScreenSaver")}) {
        const QDBusMessage call = QDBusMessage::createMethodCall(saver, objectPath, saver, QStringLiteral("Lock"));
        const QDBusMessage reply = bus.call(call, QDBus::Block, kQueryTimeoutMs);
        if (succeeded(reply)) {
            failureReason_.clear();
            return true;
        }
    }
    return false;
}

} // namespace qs::linuxos
