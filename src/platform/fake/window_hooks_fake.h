#pragma once

#include "../message_window_hooks.h"
#include "window_procedures_fake.h"

namespace qs::fake {

// Hooks on the fake's windows: putting a procedure in front works unless the window was told to
// fail.
class FakeWindowHooks : public platform::MessageWindowHooks {
public:
    FakeWindowHooks(std::string owner, platform::Dialogs& dialogs, platform::ErrorLog& errors,
                    FakeWindowProcedures& windows)
        : MessageWindowHooks(std::move(owner), dialogs, errors, windows), windows_(windows) {}

private:
    unsigned long replaceProcedure(platform::WindowHandle window) override { return windows_.takeHookError(window); }

    FakeWindowProcedures& windows_;
};

} // namespace qs::fake
