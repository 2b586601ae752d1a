#pragma once

#include "property.h"

namespace qs::forms {

class Control;
class Form;
class MenuItem;
class Timer;

// Told of every change the model makes, so a renderer keeps the native side in step and the
// scenario runner can write what happened.
class Observer {
public:
    virtual ~Observer() = default;

    virtual void formLoaded(Form&) {}
    virtual void formShown(Form&, bool /*modal*/) {}
    virtual void formHidden(Form&) {}
    virtual void formUnloaded(Form&) {}
    // The form is being destroyed, loaded or not: nothing may refer to it or its controls after this.
    virtual void formDestroyed(Form&) {}
    virtual void formChanged(Form&, Property) {}
    virtual void controlChanged(Control&, Property) {}
    virtual void menuChanged(MenuItem&) {}
    virtual void timerToggled(Timer&) {}
    virtual void programEnded() {}
};

} // namespace qs::forms
