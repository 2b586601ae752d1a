#pragma once

#include "observer.h"

#include <string>
#include <vector>

namespace qs::platform {
class Clock;
}

namespace qs::forms {

class Form;

// The forms of one program, the observer that renders them, and the event loop they run on.
class Application {
public:
    Application(platform::Clock& clock, Observer& observer) : clock_(clock), observer_(&observer) {}

    platform::Clock& clock() const { return clock_; }
    Observer& observer() const { return *observer_; }
    void setObserver(Observer& observer) { observer_ = &observer; }

    void registerForm(Form& form);
    // A form unloaded; the main form's unload ends the program.
    void forgetForm(Form& form);
    // A form destroyed without unloading.
    void unregisterForm(Form& form);
    const std::vector<Form*>& forms() const { return forms_; }
    Form* findForm(const std::string& name) const;

    // The program ends when its main window has been unloaded.
    void setMainForm(Form& form) { mainForm_ = &form; }
    void endProgram();
    bool ended() const { return ended_; }
    // Runs the event loop until the program ends.
    void run();
    // The session is ending: each loaded form is asked to close (mode kAppWindows), the main
    // form last, as its unload ends the program. True when every form agreed.
    bool closeForSessionEnd();

private:
    platform::Clock& clock_;
    Observer* observer_;
    std::vector<Form*> forms_;
    Form* mainForm_ = nullptr;
    bool ended_ = false;
};

} // namespace qs::forms
