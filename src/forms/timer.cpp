#include "timer.h"

#include "../platform/clock.h"
#include "application.h"
#include "form.h"

namespace qs::forms {

Timer::Timer(Form& form, std::string name, int index, Control* container)
    : Control(form, kKind, std::move(name), index, container) {
    setVisible(false);
}

Timer::~Timer() {
    disarm();
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    rearm();
}

void Timer::enabledChanged() {
    if (form().isLoaded())
        form().app().observer().timerToggled(*this);
    rearm();
}

void Timer::rearm() {
    disarm();
    if (ticking_) {
        restartAfterTick_ = true;
        return;
    }
    if (enabled() && interval_ > 0 && form().isLoaded())
        registration_ = form().app().clock().startTimer(interval_, [this] { fire(); });
}

void Timer::disarm() {
    if (registration_ != 0) {
        form().app().clock().stopTimer(registration_);
        registration_ = 0;
    }
}

void Timer::fire() {
    if (!enabled() || !form().isLoaded())
        return;
    // A Tick that lets events run may see its own timer fire again inside it.
    const bool outer = !ticking_;
    ticking_ = true;
    raise(Tick, "Tick");
    if (!outer)
        return;
    ticking_ = false;
    if (restartAfterTick_) {
        restartAfterTick_ = false;
        rearm();
    }
}

} // namespace qs::forms
