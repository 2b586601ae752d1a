#pragma once

#include <QDBusMessage>
#include <QString>
#include <optional>

class QDBusPendingCall;

namespace qs::linuxos {

// Waits up to timeoutMs for a call's reply while Qt's event loop keeps running, so windows paint
// and timers fire meanwhile (and may call in again). Nothing when no reply came in time.
std::optional<QDBusMessage> awaitReply(const QDBusPendingCall& call, int timeoutMs);

// "1 second", "25 seconds": a time limit in words, rounded up to whole seconds.
QString secondsInWords(int milliseconds);

} // namespace qs::linuxos
