#pragma once

#include "control.h"

namespace qs::forms {

class ProgressBar : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::ProgressBar;

    ProgressBar(Form& form, std::string name, int index, Control* container)
        : Control(form, kKind, std::move(name), index, container) {}

    int min() const { return min_; }
    int max() const { return max_; }
    void setRange(int min, int max);
    int value() const { return value_; }
    void setValue(int v);

private:
    int min_ = 0, max_ = 100;
    int value_ = 0;
};

} // namespace qs::forms
