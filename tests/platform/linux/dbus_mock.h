#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace qs::test {

// A dbus-daemon of the test's own, never the machine's buses.
class PrivateBus {
public:
    PrivateBus();
    // One the test started otherwise (its session bus), left running.
    explicit PrivateBus(std::string address);
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool running() const { return !address_.empty(); }
    const std::string& address() const { return address_; }
    QDBusConnection connection() const;
    bool hasName(const QString& name) const;

private:
    QProcess daemon_;
    std::string address_;
    QString connectionName_;
};

// A python-dbusmock service on a private bus, gone when this object is.
class DbusMock {
public:
    // Runs `python3 -m dbusmock ARGS` and waits until it owns busName.
    DbusMock(const PrivateBus& bus, const QStringList& args, const QString& busName);
    ~DbusMock();
    DbusMock(const DbusMock&) = delete;
    DbusMock& operator=(const DbusMock&) = delete;

    bool running() const { return running_; }
    // A method of the org.freedesktop.DBus.Mock interface on one of the mock's objects.
    QDBusMessage control(const QString& path, const QString& method, const QVariantList& args = {}) const;
    // The calls an object received, as "Method arg arg".
    std::vector<std::string> calls(const QString& path) const;

    static bool available();
    static QString python();

private:
    const PrivateBus& bus_;
    QString busName_;
    QProcess process_;
    QTemporaryDir logDir_;
    bool running_ = false;
};

} // namespace qs::test
