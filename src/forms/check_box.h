#pragma once

#include "control.h"

namespace qs::forms {

// Values 0 unchecked, 1 checked, 2 greyed. Any change of value raises Click.
class CheckBox : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::CheckBox;

    CheckBox(Form& form, std::string name, int index, Control* container)
        : Control(form, kKind, std::move(name), index, container) {}

    int value() const { return value_; }
    void setValue(int v);

    std::function<void()> Click;
    // A click toggles between checked and unchecked.
    void userClick() override { setValue(value_ == 1 ? 0 : 1); }

private:
    int value_ = 0;
};

} // namespace qs::forms
