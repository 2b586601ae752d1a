#include "dbus_wait_linux.h"

#include <QCoreApplication>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QTimer>

namespace qs::linuxos {

std::optional<QDBusMessage> awaitReply(const QDBusPendingCall& call, int timeoutMs) {
    if (!call.isFinished() && timeoutMs > 0) {
        // Flags rather than a QEventLoop: a nested wait that ends first must not end this one, and
        // this one's end must not cut a nested one short; each loop looks at its own flags.
        bool answered = false;
        bool late = false;
        QDBusPendingCallWatcher watcher(call); // also signals a call that finished meanwhile
        QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, [&answered] { answered = true; });
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, [&late] { late = true; });
        deadline.start(timeoutMs);
        while (!answered && !late)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (!call.isFinished())
        return std::nullopt;
    return call.reply();
}

QString secondsInWords(int milliseconds) {
    const int seconds = (milliseconds + 999) / 1000;
    return seconds == 1 ? QStringLiteral("1 second") : QStringLiteral("%1 seconds").arg(seconds);
}

} // namespace qs::linuxos
