#include "termination_signals_linux.h"

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace qs::linuxos {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP};

// Read by the handler, so lock-free and set before the handler is installed.
std::atomic<int> gWriteEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free);

void onSignal(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    // A full pipe already holds a wake-up; losing this byte loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(gWriteEnd.load(), &byte, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the signals keep their default effect
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    gWriteEnd.store(writeEnd_);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kSignals)
        ::sigaction(number, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    notifier_.reset();
    if (writeEnd_ < 0)
        return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int number : kSignals)
        ::sigaction(number, &action, nullptr);
    gWriteEnd.store(-1);
    ::close(readEnd_);
    ::close(writeEnd_);
}

void TerminationSignals::watch(std::function<void()> onSignal) {
    onSignal_ = std::move(onSignal);
    if (!onSignal_ || readEnd_ < 0) {
        notifier_.reset();
        return;
    }
    if (!notifier_) {
        // A signal that came before now has left a byte in the pipe: the notifier sees it at once.
        notifier_ = std::make_unique<QSocketNotifier>(readEnd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { received(); });
    }
}

void TerminationSignals::received() {
    char bytes[64];
    while (::read(readEnd_, bytes, sizeof bytes) > 0) {
    }
    if (running_ || !onSignal_)
        return;
    running_ = true;
    // Copied: the call may stop the watch, which replaces onSignal_.
    const auto call = onSignal_;
    call();
    running_ = false;
}

} // namespace qs::linuxos
