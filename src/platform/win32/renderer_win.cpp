#include "renderer_win.h"

#include "../../forms/application.h"
#include "control_win.h"
#include "dpi_win.h"
#include "form_window_win.h"

#include <algorithm>
#include <commctrl.h>

namespace qs::win32 {

namespace {

// Whatever ended a loop's wait ran in a handler; a message makes the loop look at its condition.
void wakeLoop() {
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

BOOL CALLBACK findMessageBox(HWND hwnd, LPARAM found) {
    char name[16] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(hwnd)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

} // namespace

RendererWin::RendererWin() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_DATE_CLASSES | ICC_PROGRESS_CLASS |
                                                       ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

RendererWin::~RendererWin() {
    windows_.clear();
    dying_.clear();
}

FormWindow* RendererWin::find(const forms::Form& form) const {
    const auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second.get();
}

FormWindow* RendererWin::ensure(forms::Form& form) {
    if (FormWindow* window = find(form))
        return window;
    app_ = &form.app();
    auto& slot = windows_[&form];
    slot = std::make_unique<FormWindow>(
        form, fonts_,
        SessionEndCalls{[this] { return querySessionEnd(); }, [this](bool ending) { sessionEndDecided(ending); }});
    return slot.get();
}

void RendererWin::dispose(const forms::Form& form) {
    const auto it = windows_.find(&form);
    if (it == windows_.end())
        return;
    endModal(form);
    it->second->detach();
    // Later: the call that got here may come from one of the window's own controls.
    dying_.push_back(std::move(it->second));
    windows_.erase(it);
}

void RendererWin::destroyDying() {
    if (!dying_.empty() && !FormWindow::Busy::any())
        dying_.clear();
}

void RendererWin::endModal(const forms::Form& form) {
    const auto it = std::find_if(modal_.begin(), modal_.end(), [&](const ModalEntry& e) { return e.form == &form; });
    if (it == modal_.end())
        return;
    for (HWND hwnd : it->disabled)
        if (IsWindow(hwnd))
            EnableWindow(hwnd, TRUE);
    modal_.erase(it);
}

void RendererWin::formLoaded(forms::Form& form) {
    ensure(form);
}

void RendererWin::formShown(forms::Form& form, bool modal) {
    FormWindow* window = ensure(form);
    if (modal) {
        endModal(form);
        ModalEntry entry{&form, {}};
        for (const auto& [other, view] : windows_)
            if (other != &form && IsWindowEnabled(view->hwnd())) {
                EnableWindow(view->hwnd(), FALSE);
                entry.disabled.push_back(view->hwnd());
            }
        modal_.push_back(std::move(entry));
    }
    window->show();
}

void RendererWin::formHidden(forms::Form& form) {
    endModal(form);
    if (FormWindow* window = find(form))
        window->hide();
    wakeLoop();
}

void RendererWin::formMinimized(forms::Form& form) {
    if (FormWindow* window = find(form))
        ShowWindow(window->hwnd(), SW_MINIMIZE);
}

void RendererWin::formRestored(forms::Form& form) {
    FormWindow* window = find(form);
    if (!window || !IsIconic(window->hwnd()))
        return;
    ShowWindow(window->hwnd(), SW_RESTORE);
    SetForegroundWindow(window->hwnd());
}

void RendererWin::formUnloaded(forms::Form& form) {
    dispose(form);
    wakeLoop();
}

void RendererWin::formDestroyed(forms::Form& form) {
    // The window may outlive the model only as a hidden shell on its way out.
    dispose(form);
}

void RendererWin::formChanged(forms::Form& form, forms::Property what) {
    if (FormWindow* window = find(form))
        window->formChanged(what);
}

void RendererWin::controlChanged(forms::Control& control, forms::Property what) {
    if (FormWindow* window = find(control.form()))
        window->controlChanged(control, what);
}

void RendererWin::menuChanged(forms::MenuItem& item) {
    if (FormWindow* window = find(item.form()))
        window->menuChanged(item);
}

void RendererWin::programEnded() {
    std::vector<const forms::Form*> forms;
    for (const auto& [form, window] : windows_)
        forms.push_back(form);
    for (const forms::Form* form : forms)
        dispose(*form);
    // A message box still open would keep its own loop, and the handler under it, running;
    // the quit message ends it, and the event loop passes the quit on outwards.
    bool boxOpen = false;
    EnumThreadWindows(GetCurrentThreadId(), &findMessageBox, reinterpret_cast<LPARAM>(&boxOpen));
    if (boxOpen)
        PostQuitMessage(0);
    wakeLoop();
}

void RendererWin::drawIcon(forms::Form& form, int iconId, int x, int y) {
    if (FormWindow* window = find(form))
        window->drawIcon(iconId, x, y);
}

void RendererWin::popupMenu(forms::Form& form, forms::MenuItem& menu, forms::MenuItem* defaultItem) {
    FormWindow* window = find(form);
    if (!window)
        return;
    // The menu's loop runs the program's timers: a form unloaded meanwhile keeps its window (and
    // this menu) until the menu has closed.
    const FormWindow::Busy busy;
    window->popupMenu(menu, defaultItem);
}

int RendererWin::textWidth(const forms::Control& control, const std::string& text) {
    // At the dpi of the form's window, or of the screen before it has one.
    const FormWindow* window = find(control.form());
    const int dpi = window ? window->dpi() : screenDpi();
    return twipsCovering(fonts_.textWidth(control, text, dpi), dpi);
}

bool RendererWin::translate(MSG& msg) {
    destroyDying();
    if (!msg.hwnd)
        return false;
    const HWND top = GetAncestor(msg.hwnd, GA_ROOT);
    for (const auto& [form, window] : windows_) {
        if (window->hwnd() != top)
            continue;
        // The handlers it runs may unload forms: the loop over the windows ends here.
        const FormWindow::Busy busy;
        return window->translate(msg);
    }
    return false;
}

bool RendererWin::querySessionEnd() {
    // A refusal is not kept: the round stops there, and no WM_ENDSESSION may follow it.
    if (!sessionMayEnd_)
        sessionMayEnd_ = !app_ || app_->querySessionEnd();
    wakeLoop();
    return sessionMayEnd_;
}

void RendererWin::sessionEndDecided(bool ending) {
    sessionMayEnd_ = false;
    // Windows may end the process once the message is answered: the forms' exit runs inside it.
    if (ending && app_)
        app_->endSession();
    wakeLoop();
}

HWND RendererWin::window(const forms::Form& form) const {
    FormWindow* window = find(form);
    return window ? window->hwnd() : nullptr;
}

HWND RendererWin::control(const forms::Control& control) const {
    FormWindow* window = find(control.form());
    ControlWin* view = window ? window->viewOf(control) : nullptr;
    return view ? view->hwnd() : nullptr;
}

HMENU RendererWin::popup(const forms::MenuItem& item) const {
    FormWindow* window = find(item.form());
    return window ? window->popupOf(item) : nullptr;
}

} // namespace qs::win32
