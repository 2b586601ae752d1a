#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace qs::linuxos {

// SIGTERM (logout, `kill`) and SIGHUP (the terminal gone) as a call on the event loop, so the
// program can end the way it does at the session's end. The handler only writes to a pipe, which
// is async-signal-safe; a socket notifier reads it in the loop. One instance per process.
class TerminationSignals {
public:
    // Catches the signals at once; those that come before watch() wait in the pipe.
    TerminationSignals();
    // Gives the signals their default effect back.
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // From now on each signal calls onSignal from the event loop, never inside itself (a signal
    // that comes during a wait in it is taken as covered). An empty function stops watching.
    void watch(std::function<void()> onSignal);

private:
    void received();

    int readEnd_ = -1;
    int writeEnd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onSignal_;
    bool running_ = false;
};

} // namespace qs::linuxos
