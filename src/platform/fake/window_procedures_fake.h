#pragma once

#include "../message_windows.h"
#include "transcript.h"

namespace qs::fake {

// The program's windows as numbers (one for each form that asks, and the hidden windows the tray
// makes), and the suspend query the system sends them.
class FakeWindowProcedures : public platform::MessageWindows {
public:
    FakeWindowProcedures(Transcript& t, platform::Dialogs& dialogs, platform::ErrorLog& errors)
        : MessageWindows(dialogs, errors), transcript_(t) {}

    // The platform asks every form's window whether it may suspend (0x218 with wParam 0); one line
    // with the first answer that is not 0, or "passed".
    void querySuspend();

private:
    Transcript& transcript_;
};

} // namespace qs::fake
