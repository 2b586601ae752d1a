#pragma once

#include <vector>

namespace qs::forms {

class Control;
class Form;

// Where the keyboard can go, the same for every renderer. Tab follows the order the controls were
// made in; the option buttons of one container are one stop, and the arrow keys move among them.

// A control the user can reach: it and every container are visible and enabled, and it lies in
// sight, inside its containers and its window (the main window keeps its options out of sight).
bool reachable(const Control& control);

// The controls Tab stops at, in order. An option group stops at its selected button, or at its
// first reachable one when none is selected.
std::vector<Control*> tabStops(const Form& form);

// Where Tab (forward) or Shift+Tab goes from a control, or from outside the controls (nullptr).
// Wraps around; nullptr when nothing takes the focus.
Control* nextTabStop(const Form& form, const Control* from, bool forward);

// The option button the arrow keys select next in the group of an option button (wrapping), or
// nullptr when no other button of the group can take it.
Control* nextOption(const Control& option, bool forward);

} // namespace qs::forms
