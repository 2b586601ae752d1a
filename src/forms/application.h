#pragma once

#include "observer.h"

#include <string>
#include <vector>

namespace qs::platform {
class Clock;
class ErrorLog;
} // namespace qs::platform

namespace qs::forms {

class Form;

// The forms of one program, the observer that renders them, the event loop they run on and the
// log their failed handlers are written to.
class Application {
public:
    Application(platform::Clock& clock, Observer& observer, platform::ErrorLog& errors)
        : clock_(clock), observer_(&observer), errors_(errors) {}

    platform::Clock& clock() const { return clock_; }
    platform::ErrorLog& errors() const { return errors_; }
    // Called inside a catch block: the handler's failure, with its name ("frmAction.cmdNow.Click"),
    // goes to the error log.
    void handlerFailed(const std::string& handler) const;
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
    Form* mainForm() const { return mainForm_; }
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
    platform::ErrorLog& errors_;
    std::vector<Form*> forms_;
    Form* mainForm_ = nullptr;
    bool ended_ = false;
};

} // namespace qs::forms
