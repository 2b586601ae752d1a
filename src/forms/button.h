#pragma once

#include "control.h"

namespace qs::forms {

class Button : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::Button;

    Button(Form& form, std::string name, int index, Control* container)
        : Control(form, kKind, std::move(name), index, container) {}

    // Esc on the form presses the cancel button.
    bool isCancel() const { return cancel_; }
    void setCancel(bool on) { cancel_ = on; }

    std::function<void()> Click;
    void userClick() override { raise(Click, "Click"); }

private:
    bool cancel_ = false;
};

} // namespace qs::forms
