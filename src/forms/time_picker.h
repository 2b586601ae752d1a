#pragma once

#include "control.h"

namespace qs::forms {

// A time-of-day picker; its value is whole seconds since midnight. A change raises Change.
class TimePicker : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::TimePicker;

    TimePicker(Form& form, std::string name, int index, Control* container)
        : Control(form, kKind, std::move(name), index, container) {
        setBackColor(kWindowBackground);
    }

    int secondsOfDay() const { return seconds_; }
    // Any value is taken modulo one day.
    void setSecondsOfDay(int seconds);

    std::function<void()> Change;

private:
    int seconds_ = 0;
};

} // namespace qs::forms
