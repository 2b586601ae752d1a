#pragma once

#include "property.h"

#include <string>

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
    // The shown form is minimised to the task bar.
    virtual void formMinimized(Form&) {}
    // Show was asked for a form already shown: a window the user minimised comes back.
    virtual void formRestored(Form&) {}
    virtual void formUnloaded(Form&) {}
    // The form is being destroyed, loaded or not: nothing may refer to it or its controls after this.
    virtual void formDestroyed(Form&) {}
    virtual void formChanged(Form&, Property) {}
    virtual void controlChanged(Control&, Property) {}
    virtual void menuChanged(MenuItem&) {}
    virtual void timerToggled(Timer&) {}
    virtual void programEnded() {}

    // Draws one of the platform's stock icons (32514 question, 32516 information) at a place in
    // pixels of the form's client area; called from the form's Paint handler.
    virtual void drawIcon(Form&, int /*iconId*/, int /*x*/, int /*y*/) {}
    // Opens a menu of the form as a pop-up at the pointer, its default item in bold, and returns
    // when it has closed; the item chosen gets its Click after the caller has returned.
    virtual void popupMenu(Form&, MenuItem& /*menu*/, MenuItem* /*defaultItem*/) {}
    // The width in twips of a text in the control's font. Without a screen, 90 twips a character.
    virtual int textWidth(const Control&, const std::string& text) { return 90 * static_cast<int>(text.size()); }
};

} // namespace qs::forms
