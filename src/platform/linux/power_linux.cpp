#include "power_linux.h"

#include "dbus_wait_linux.h"

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
const QString kNoAnswer = QStringLiteral("org.freedesktop.DBus.Error.Timeout");
const QString kCanHibernate = QStringLiteral("CanHibernate");
const QString kCanSuspend = QStringLiteral("CanSuspend");
const char* const kNoSession = "The program's login session was not found.";

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

// Sends without blocking; a bus that cannot be reached gives a call that has failed already.
QDBusPendingCall send(QDBusConnection bus, const QDBusMessage& message, int timeoutMs) {
    if (!bus.isConnected()) {
        QString text = bus.lastError().message();
        if (text.isEmpty())
            text = QStringLiteral("The D-Bus bus could not be reached.");
        return QDBusPendingCall::fromError(QDBusError(QDBusError::NoServer, text));
    }
    // Qt's own limit comes after ours, so the text of our limit is the one the user sees.
    return bus.asyncCall(message, timeoutMs + 1000);
}

} // namespace

LinuxPower::LinuxPower(std::string systemBusAddress, std::string sessionBusAddress)
    : systemAddress_(std::move(systemBusAddress)), sessionAddress_(std::move(sessionBusAddress)),
      systemName_(uniqueName("system")), sessionName_(uniqueName("session")) {}

LinuxPower::~LinuxPower() {
    questions_.clear();
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

QDBusPendingCall LinuxPower::sendManager(const QString& method, const QVariant* argument, int timeoutMs) const {
    QDBusMessage call = QDBusMessage::createMethodCall(kLogind, kManagerPath, kManager, method);
    if (argument)
        call << *argument;
    call.setInteractiveAuthorizationAllowed(true);
    return send(systemBus(), call, timeoutMs);
}

QDBusMessage LinuxPower::await(const QDBusPendingCall& call, int timeoutMs, const QString& peer) {
    if (auto reply = awaitReply(call, timeoutMs))
        return *reply;
    return QDBusMessage::createError(
        kNoAnswer, QStringLiteral("%1 did not answer within %2.").arg(peer, secondsInWords(timeoutMs)));
}

QDBusMessage LinuxPower::callManager(const QString& method, const QVariant* argument, int timeoutMs) const {
    return await(sendManager(method, argument, timeoutMs), timeoutMs, QStringLiteral("logind"));
}

void LinuxPower::dropOldQuestions() {
    // An answer sent along a while ago may be out of date by now.
    std::erase_if(questions_, [](const auto& entry) { return entry.second.asked.elapsed() > kAnswerKeptMs; });
}

void LinuxPower::askCapabilities() {
    for (const QString& method : {kCanHibernate, kCanSuspend}) {
        if (questions_.count(method) == 0) {
            Question question{sendManager(method, nullptr, kQueryTimeoutMs), {}};
            question.asked.start();
            questions_.emplace(method, std::move(question));
        }
    }
}

bool LinuxPower::canDo(const QString& method) {
    // Start-up asks for both, one after the other: sent together, the two questions share one wait.
    dropOldQuestions();
    if (questions_.count(method) == 0)
        askCapabilities();
    auto it = questions_.find(method);
    const Question question = it->second;
    questions_.erase(it); // taken before waiting: a call made meanwhile asks afresh
    const int left = kQueryTimeoutMs - static_cast<int>(question.asked.elapsed());
    const auto reply = awaitReply(question.call, left);
    // "challenge" would need a password first; the program offers only what works as it is.
    return reply && succeeded(*reply) && !reply->arguments().isEmpty() &&
           reply->arguments().first().toString() == "yes";
}

bool LinuxPower::isHibernateAllowed() {
    return canDo(kCanHibernate);
}

bool LinuxPower::isSuspendAllowed() {
    return canDo(kCanSuspend);
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

bool LinuxPower::outcome(const QDBusMessage& reply) {
    const bool ok = succeeded(reply);
    // An error without a text still names itself.
    const QString reason = ok ? QString() : reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
    failureReason_ = reason.toStdString();
    return ok;
}

// An unforced action behaves like Windows asking the applications first: a block inhibitor held by
// any program refuses it (as systemctl does), and logind is not asked at all. A forced action
// skips that test and calls the plain method with interactive = true: logind then overrides block
// inhibitors when polkit grants the caller the *-ignore-inhibit action (asking for a password
// where the policy says so), and root passes anyway. The *WithFlags variants were not taken:
// their only flags honour inhibitors for root or pick kexec, and they take no interactive flag.
// Delay inhibitors cannot be skipped by anyone; logind caps them at InhibitDelayMaxSec.
bool LinuxPower::managerAction(const QString& method, const QString& what, bool forced) {
    if (!forced && blockedBy(what)) {
        failureReason_ = "Another program is blocking it (a logind " + what.toStdString() + " inhibitor).";
        return false;
    }
    const QVariant interactive(true);
    return outcome(callManager(method, &interactive, actionTimeoutMs_));
}

QDBusMessage LinuxPower::sessionPath() const {
    const QVariant pid(static_cast<uint>(::getpid()));
    const QDBusMessage byPid = callManager(QStringLiteral("GetSessionByPID"), &pid, kQueryTimeoutMs);
    if (succeeded(byPid))
        return byPid;
    const char* id = std::getenv("XDG_SESSION_ID");
    if (!id || !*id)
        return byPid.errorName() == kNoAnswer
                   ? byPid
                   : QDBusMessage::createError(QDBusError::Failed, QString::fromUtf8(kNoSession));
    const QVariant session(QString::fromUtf8(id));
    return callManager(QStringLiteral("GetSession"), &session, kQueryTimeoutMs);
}

QString LinuxPower::sessionId(QString& problem) const {
    const QVariant pid(static_cast<uint>(::getpid()));
    const QDBusMessage reply = callManager(QStringLiteral("GetSessionByPID"), &pid, kQueryTimeoutMs);
    QDBusMessage id = reply;
    if (succeeded(reply) && !reply.arguments().isEmpty()) {
        const QString path = reply.arguments().first().value<QDBusObjectPath>().path();
        QDBusMessage get = QDBusMessage::createMethodCall(
            kLogind, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << kSession << QStringLiteral("Id");
        id = await(send(systemBus(), get, kQueryTimeoutMs), kQueryTimeoutMs, QStringLiteral("logind"));
        if (succeeded(id) && !id.arguments().isEmpty())
            return id.arguments().first().value<QDBusVariant>().variant().toString();
    }
    const char* fromEnvironment = std::getenv("XDG_SESSION_ID");
    if (fromEnvironment && *fromEnvironment)
        return QString::fromUtf8(fromEnvironment);
    problem = id.errorName() == kNoAnswer ? id.errorMessage() : QString::fromUtf8(kNoSession);
    return {};
}

bool LinuxPower::exitWindows(unsigned flags) {
    const bool forced = (flags & 4) != 0;
    if (flags & 2)
        return managerAction(QStringLiteral("Reboot"), QStringLiteral("shutdown"), forced);
    if (flags & 1)
        return managerAction(QStringLiteral("PowerOff"), QStringLiteral("shutdown"), forced);
    // Logging off ends the whole session; logind has no inhibitors for that.
    QString problem;
    const QString id = sessionId(problem);
    if (id.isEmpty()) {
        failureReason_ = problem.toStdString();
        return false;
    }
    const QVariant session(id);
    return outcome(callManager(QStringLiteral("TerminateSession"), &session, actionTimeoutMs_));
}

bool LinuxPower::setSuspendState(bool hibernate, bool forced, bool /*disableWake*/) {
    // Wake timers are the firmware's business here; there is nothing to switch off per call.
    return managerAction(hibernate ? QStringLiteral("Hibernate") : QStringLiteral("Suspend"), QStringLiteral("sleep"),
                         forced);
}

bool LinuxPower::lockWorkStation() {
    const QDBusMessage path = sessionPath();
    if (outcome(path)) {
        const QString object = path.arguments().value(0).value<QDBusObjectPath>().path();
        const QDBusMessage call = QDBusMessage::createMethodCall(kLogind, object, kSession, QStringLiteral("Lock"));
        if (outcome(await(send(systemBus(), call, kQueryTimeoutMs), kQueryTimeoutMs, QStringLiteral("logind"))))
            return true;
    }
    // logind's reason stands unless the screen saver locks.
    const QString saver = QStringLiteral("org.freedesktop.ScreenSaver");
    for (const QString& objectPath : {QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("/ScreenSaver")}) {
        const QDBusMessage call = QDBusMessage::createMethodCall(saver, objectPath, saver, QStringLiteral("Lock"));
        if (succeeded(await(send(sessionBus(), call, kQueryTimeoutMs), kQueryTimeoutMs, saver))) {
            failureReason_.clear();
            return true;
        }
    }
    return false;
}

} // namespace qs::linuxos
