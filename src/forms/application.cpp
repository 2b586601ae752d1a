#include "application.h"

#include "../platform/clock.h"
#include "../platform/error_log.h"
#include "form.h"

#include <algorithm>

namespace qs::forms {

void Application::registerForm(Form& form) {
    if (std::find(forms_.begin(), forms_.end(), &form) == forms_.end())
        forms_.push_back(&form);
}

void Application::forgetForm(Form& form) {
    const bool main = &form == mainForm_;
    unregisterForm(form);
    if (main)
        endProgram();
}

void Application::unregisterForm(Form& form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
    if (&form == mainForm_)
        mainForm_ = nullptr;
}

void Application::handlerFailed(const std::string& handler) const {
    errors_.error(handler, platform::currentErrorText());
}

Form* Application::findForm(const std::string& name) const {
    for (Form* f : forms_)
        if (f->name() == name)
            return f;
    return nullptr;
}

void Application::endProgram() {
    if (ended_)
        return;
    ended_ = true;
    observer_->programEnded();
}

void Application::run() {
    clock_.runUntil([this] { return ended_; });
}

std::vector<Form*> Application::formsMainLast() const {
    std::vector<Form*> forms(forms_.rbegin(), forms_.rend());
    std::stable_partition(forms.begin(), forms.end(), [this](const Form* f) { return f != mainForm_; });
    return forms;
}

bool Application::stillLoaded(const Form* form) const {
    // A form's handlers may unload others: only those still here are taken.
    return std::find(forms_.begin(), forms_.end(), form) != forms_.end() && form->isLoaded();
}

bool Application::querySessionEnd() {
    bool agreed = true;
    for (Form* form : formsMainLast())
        if (stillLoaded(form))
            agreed = form->queryUnload(kAppWindows) && agreed;
    return agreed;
}

void Application::endSession() {
    sessionEnding_ = true;
    for (Form* form : formsMainLast())
        if (stillLoaded(form))
            form->unloadWithoutAsking();
    // The program does not outlive its session, whatever an Unload handler said.
    endProgram();
}

} // namespace qs::forms
