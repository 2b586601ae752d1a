#pragma once

#include "../message_windows.h"
#include "transcript.h"

#include <map>

namespace qs::fake {

// The program's windows as numbers (one for each form that asks, and the hidden windows the tray
// makes), the suspend query the system sends them, and hooks that fail when told to.
class FakeWindowProcedures : public platform::MessageWindows {
public:
    FakeWindowProcedures(Transcript& t, platform::Dialogs& dialogs, platform::ErrorLog& errors)
        : MessageWindows(dialogs, errors), transcript_(t), dialogs_(dialogs), errors_(errors) {}

    // The platform asks every form's window whether it may suspend (0x218 with wParam 0); one line
    // with the first answer that is not 0, or "passed".
    void querySuspend();
    // The next hook on the window fails with that system error code.
    void failHook(platform::WindowHandle window, unsigned long error) { hookErrors_[window] = error; }
    // 0, or the error a hook on the window is to fail with (once).
    unsigned long takeHookError(platform::WindowHandle window);

    std::unique_ptr<platform::WindowHooks> createHooks(const std::string& owner) override;

private:
    Transcript& transcript_;
    platform::Dialogs& dialogs_;
    platform::ErrorLog& errors_;
    std::map<platform::WindowHandle, unsigned long> hookErrors_;
};

} // namespace qs::fake
