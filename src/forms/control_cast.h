#pragma once

#include "control.h"

#include <stdexcept>

namespace qs::forms {

// "TextBox" for ControlKind::TextBox.
const char* kindName(ControlKind kind);

// A control used as a kind it is not: a fault of the program, never a cast that goes wrong.
class WrongControlKind : public std::logic_error {
public:
    WrongControlKind(const Control& control, ControlKind wanted);
};

// The control as its own class T (Label, TextBox, Timer...); throws WrongControlKind, naming the
// control and both kinds, when it is another kind.
template <class T> T& controlAs(Control& control) {
    if (auto* typed = dynamic_cast<T*>(&control))
        return *typed;
    throw WrongControlKind(control, T::kKind);
}

template <class T> const T& controlAs(const Control& control) {
    if (const auto* typed = dynamic_cast<const T*>(&control))
        return *typed;
    throw WrongControlKind(control, T::kKind);
}

} // namespace qs::forms
