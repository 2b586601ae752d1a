#pragma once

#include "control.h"

namespace qs::forms {

// A vertical scroll bar, used as an up/down control. A change of value raises Change.
class ScrollBar : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::ScrollBar;

    ScrollBar(Form& form, std::string name, int index, Control* container)
        : Control(form, kKind, std::move(name), index, container) {}

    int min() const { return min_; }
    int max() const { return max_; }
    void setRange(int min, int max);
    int smallChange() const { return smallChange_; }
    // The step of the arrows, part of the range the native control is given.
    void setSmallChange(int step) {
        if (step == smallChange_)
            return;
        smallChange_ = step;
        changed(Property::Range);
    }
    int value() const { return value_; }
    // Clamped to the range.
    void setValue(int v);

    std::function<void()> Change;
    std::function<void()> Scroll;

private:
    int min_ = 0, max_ = 32767;
    int smallChange_ = 1;
    int value_ = 0;
};

} // namespace qs::forms
