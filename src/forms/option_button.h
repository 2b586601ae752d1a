#pragma once

#include "control.h"

namespace qs::forms {

// Option buttons in one container form a group: selecting one clears the others.
class OptionButton : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::OptionButton;

    OptionButton(Form& form, std::string name, int index, Control* container)
        : Control(form, kKind, std::move(name), index, container) {}

    bool value() const { return value_; }
    // True clears the siblings and raises Click, also when already selected; false just clears.
    void setValue(bool on);

    std::function<void()> Click;
    void userClick() override { setValue(true); }

private:
    bool value_ = false;
};

} // namespace qs::forms
