#pragma once

#include <QObject>
#include <functional>

namespace qs::linuxos {

// An event filter that hands the events to a function; returning true swallows the event.
class EventHook : public QObject {
public:
    EventHook(QObject* parent, std::function<bool(QObject*, QEvent*)> hook) : QObject(parent), hook_(std::move(hook)) {}

    bool eventFilter(QObject* watched, QEvent* event) override { return hook_ && hook_(watched, event); }
    void clear() { hook_ = nullptr; }

private:
    std::function<bool(QObject*, QEvent*)> hook_;
};

} // namespace qs::linuxos
