#include "dbus_mock.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <atomic>

namespace qs::test {

namespace {

QString argumentText(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<bool>())
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    if (value.canConvert<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

QString newConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("test-bus-%1").arg(++counter);
}

} // namespace

PrivateBus::PrivateBus(std::string address) : address_(std::move(address)), connectionName_(newConnectionName()) {}

PrivateBus::PrivateBus() {
    connectionName_ = newConnectionName();
    daemon_.setProgram(QStringLiteral("dbus-daemon"));
    daemon_.setArguments({QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                          QStringLiteral("--print-address=1")});
    daemon_.start();
    if (!daemon_.waitForStarted(5000))
        return;
    QElapsedTimer clock;
    clock.start();
    while (!daemon_.canReadLine() && clock.elapsed() < 5000)
        daemon_.waitForReadyRead(100);
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed().toStdString();
}

PrivateBus::~PrivateBus() {
    QDBusConnection::disconnectFromBus(connectionName_);
    daemon_.terminate();
    if (!daemon_.waitForFinished(3000))
        daemon_.kill();
    daemon_.waitForFinished(1000);
}

QDBusConnection PrivateBus::connection() const {
    return QDBusConnection::connectToBus(QString::fromStdString(address_), connectionName_);
}

bool PrivateBus::hasName(const QString& name) const {
    QDBusConnection bus = connection();
    return bus.isConnected() && bus.interface()->isServiceRegistered(name).value();
}

QString DbusMock::python() {
    // Debian's python3-dbusmock lives with the system's Python, not with one on PATH.
    const QString system = QStringLiteral("/usr/bin/python3");
    return QFileInfo::exists(system) ? system : QStringLiteral("python3");
}

bool DbusMock::available() {
    QProcess probe;
    probe.start(python(), {QStringLiteral("-c"), QStringLiteral("import dbusmock")});
    return probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
}

DbusMock::DbusMock(const PrivateBus& bus, const QStringList& args, const QString& busName)
    : bus_(bus), busName_(busName) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QString::fromStdString(bus.address()));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString::fromStdString(bus.address()));
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.start(python(), QStringList{QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("-l"),
                                         logDir_.filePath(QStringLiteral("calls.log"))} +
                                 args);
    if (!process_.waitForStarted(5000))
        return;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 15000 && process_.state() == QProcess::Running) {
        if (bus_.hasName(busName_)) {
            running_ = true;
            return;
        }
        QThread::msleep(50);
    }
}

DbusMock::~DbusMock() {
    process_.terminate();
    if (!process_.waitForFinished(3000))
        process_.kill();
    process_.waitForFinished(1000);
}

QDBusMessage DbusMock::control(const QString& path, const QString& method, const QVariantList& args) const {
    QDBusMessage call =
        QDBusMessage::createMethodCall(busName_, path, QStringLiteral("org.freedesktop.DBus.Mock"), method);
    call.setArguments(args);
    return bus_.connection().call(call, QDBus::Block, 10000);
}

std::vector<std::string> DbusMock::calls(const QString& path) const {
    std::vector<std::string> out;
    const QDBusMessage reply = control(path, QStringLiteral("GetCalls"));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return out;
    const QDBusArgument list = reply.arguments().first().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        qulonglong time = 0;
        QString name;
        QVariantList args;
        list.beginStructure();
        list >> time >> name >> args;
        list.endStructure();
        QString line = name;
        for (const QVariant& arg : args)
            line += u' ' + argumentText(arg);
        out.push_back(line.toStdString());
    }
    list.endArray();
    return out;
}

} // namespace qs::test
