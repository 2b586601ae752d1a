#pragma once

#include "../dialogs.h"
#include "../error_log.h"
#include "../window_procedures.h"
#include "transcript.h"

#include <map>
#include <set>

namespace qs::fake {

// The program's windows as numbers: one for each form that asks, and the hidden windows the tray
// makes. Messages sent to them go through their hooks; a window's own procedure answers 0.
class FakeWindowProcedures : public platform::WindowProcedures {
public:
    FakeWindowProcedures(Transcript& t, platform::Dialogs& dialogs, platform::ErrorLog& errors)
        : transcript_(t), dialogs_(dialogs), errors_(errors) {}

    // The platform asks every form's window whether it may suspend (0x218 with wParam 0); one line
    // with the first answer that is not 0, or "passed".
    void querySuspend();
    // Sends a message to every window, as the system does with a registered broadcast message.
    void broadcast(const platform::WindowMessage& message);

    platform::WindowHandle createWindow();
    // The window gets its destroy message, then is gone.
    void destroyWindow(platform::WindowHandle window);
    bool exists(platform::WindowHandle window) const { return windows_.contains(window); }
    std::intptr_t send(platform::WindowHandle window, const platform::WindowMessage& message);
    // The next hook on the window fails with that system error code.
    void failHook(platform::WindowHandle window, unsigned long error) { hookErrors_[window] = error; }
    // 0, or the error a hook on the window is to fail with (once).
    unsigned long takeHookError(platform::WindowHandle window);

    std::unique_ptr<platform::WindowHooks> createHooks(const std::string& owner) override;
    platform::WindowHandle windowOf(const forms::Form& form) override;

private:
    Transcript& transcript_;
    platform::Dialogs& dialogs_;
    platform::ErrorLog& errors_;
    platform::WindowHandle next_ = 0x10010;
    std::set<platform::WindowHandle> windows_;
    std::map<const forms::Form*, platform::WindowHandle> formWindows_;
    std::map<platform::WindowHandle, unsigned long> hookErrors_;
};

} // namespace qs::fake
