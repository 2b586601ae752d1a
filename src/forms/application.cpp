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

bool Application::closeForSessionEnd() {
    std::vector<Form*> forms = forms_;
    std::reverse(forms.begin(), forms.end());
    bool all = true;
    for (Form* form : forms)
        // A form's handlers may unload others: only those still here are asked.
        if (std::find(forms_.begin(), forms_.end(), form) != forms_.end() && form->isLoaded())
            all = form->close(kAppWindows) && all;
    return all;
}

} // namespace qs::forms
