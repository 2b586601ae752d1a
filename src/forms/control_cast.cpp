#include "control_cast.h"

#include "form.h"

namespace qs::forms {

const char* kindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return "Label";
    case ControlKind::Frame:
        return "Frame";
    case ControlKind::Panel:
        return "Panel";
    case ControlKind::Image:
        return "Image";
    case ControlKind::Button:
        return "Button";
    case ControlKind::CheckBox:
        return "CheckBox";
    case ControlKind::OptionButton:
        return "OptionButton";
    case ControlKind::TextBox:
        return "TextBox";
    case ControlKind::ComboBox:
        return "ComboBox";
    case ControlKind::ScrollBar:
        return "ScrollBar";
    case ControlKind::TimePicker:
        return "TimePicker";
    case ControlKind::ProgressBar:
        return "ProgressBar";
    case ControlKind::StatusBar:
        return "StatusBar";
    case ControlKind::Timer:
        return "Timer";
    }
    return "unknown kind";
}

WrongControlKind::WrongControlKind(const Control& control, ControlKind wanted)
    : std::logic_error("control " + control.form().name() + "." + control.displayName() + " is a " +
                       kindName(control.kind()) + ", not a " + kindName(wanted)) {}

} // namespace qs::forms
