#pragma once

#include "../../forms/observer.h"
#include "fonts_win.h"

#include <map>
#include <memory>
#include <vector>
#include <windows.h>

namespace qs::forms {
class Application;
}

namespace qs::win32 {

class FormWindow;

// Renders the forms model with native windows: a top-level window per loaded form, a common
// control per control, all kept in step with the model and the user's input turned into model
// events. The event loop hands it every message first (translate).
class RendererWin : public forms::Observer {
public:
    RendererWin();
    ~RendererWin() override;
    RendererWin(const RendererWin&) = delete;
    RendererWin& operator=(const RendererWin&) = delete;

    void formLoaded(forms::Form& form) override;
    void formShown(forms::Form& form, bool modal) override;
    void formHidden(forms::Form& form) override;
    void formMinimized(forms::Form& form) override;
    void formRestored(forms::Form& form) override;
    void formUnloaded(forms::Form& form) override;
    void formDestroyed(forms::Form& form) override;
    void formChanged(forms::Form& form, forms::Property what) override;
    void controlChanged(forms::Control& control, forms::Property what) override;
    void menuChanged(forms::MenuItem& item) override;
    void programEnded() override;
    void drawIcon(forms::Form& form, int iconId, int x, int y) override;
    void popupMenu(forms::Form& form, forms::MenuItem& menu, forms::MenuItem* defaultItem) override;
    // Measured in the control's font on the screen, whether or not its window exists yet.
    int textWidth(const forms::Control& control, const std::string& text) override;

    // Esc, menu shortcuts and dialog keys for the program's windows; true when the message was
    // used up and must not be dispatched.
    bool translate(MSG& msg);

    // The native side of the model, nullptr where there is none (for tests and the tray).
    HWND window(const forms::Form& form) const;
    HWND control(const forms::Control& control) const;
    HMENU popup(const forms::MenuItem& item) const;

private:
    struct ModalEntry {
        const forms::Form* form;
        std::vector<HWND> disabled; // the windows the modal form disabled, enabled again after it
    };

    FormWindow* find(const forms::Form& form) const;
    FormWindow* ensure(forms::Form& form);
    void dispose(const forms::Form& form);
    void endModal(const forms::Form& form);
    void destroyDying();
    // Windows asks each top-level window whether the session may end; the forms are asked once a round.
    bool querySessionEnd();
    // Windows tells each window whether the session ends: then the forms are unloaded.
    void sessionEndDecided(bool ending);

    forms::Application* app_ = nullptr;
    FontsWin fonts_; // shared by every window, so it outlives them
    std::map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
    // Windows of unloaded forms, destroyed once no window procedure of theirs is running.
    std::vector<std::unique_ptr<FormWindow>> dying_;
    std::vector<ModalEntry> modal_;
    bool sessionMayEnd_ = false; // the forms' answer this round, until Windows says how it ends
};

} // namespace qs::win32
