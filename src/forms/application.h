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
    void endProgram();
    bool ended() const { return ended_; }
    // Runs the event loop until the program ends.
    void run();
    // The end of the session comes in two steps. First the system asks: every loaded form's
    // QueryUnload runs with kAppWindows, the main form last, and none is unloaded. True when no
    // form cancelled.
    bool querySessionEnd();
    // Then, when the session does end, every loaded form is unloaded without being asked again
    // (so is a form that an Unload handler closes), the main form last, and the program ends.
    void endSession();
    // From endSession on, a close request unloads without asking.
    bool sessionEnding() const { return sessionEnding_; }

private:
    // The loaded forms in the order the session's end takes them: the latest first, the main form last.
    std::vector<Form*> formsMainLast() const;
    bool stillLoaded(const Form* form) const;

    platform::Clock& clock_;
    Observer* observer_;
    platform::ErrorLog& errors_;
    std::vector<Form*> forms_;
    Form* mainForm_ = nullptr;
    bool ended_ = false;
    bool sessionEnding_ = false;
};

} // namespace qs::forms
