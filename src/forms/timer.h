#pragma once

#include "control.h"

#include <functional>

namespace qs::forms {

// A form timer: fires Tick every Interval milliseconds while Enabled, through the event loop.
// Setting Interval (even to the same value) or enabling starts the period afresh; done inside the
// timer's own Tick, the period starts when that handler ends, so the handler's own time (a tone)
// is not taken from the next period.
class Timer : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::Timer;

    Timer(Form& form, std::string name, int index, Control* container);
    ~Timer() override;

    int interval() const { return interval_; }
    void setInterval(int ms);
    // The text tag some handlers keep a counter in.
    const std::string& tag() const { return tag_; }
    void setTag(const std::string& t) { tag_ = t; }

    std::function<void()> Tick;

    // Called by the form when it is loaded or unloaded.
    void rearm();
    void disarm();

protected:
    void enabledChanged() override;

private:
    void fire();

    int interval_ = 0;
    int registration_ = 0;
    bool ticking_ = false; // inside Tick
    bool restartAfterTick_ = false;
    std::string tag_;
};

} // namespace qs::forms
