#pragma once

#include "../callback_table.h"
#include "../window_hooks_base.h"
#include "window_procedures_fake.h"

namespace qs::fake {

// Hooks on the fake's windows: every window is this process's, and replacing a procedure works
// unless the window was told to fail.
class FakeWindowHooks : public platform::WindowHooksBase {
public:
    FakeWindowHooks(std::string owner, platform::Dialogs& dialogs, platform::ErrorLog& errors,
                    FakeWindowProcedures& windows)
        : WindowHooksBase(std::move(owner), dialogs, errors), windows_(windows) {}
    ~FakeWindowHooks() override { releaseAll(); }

    platform::CallbackAddress callbackAddress(Callback callback) override {
        return callbacks_.address(std::move(callback));
    }
    void releaseCallbacks() override { callbacks_.releaseAll(); }

private:
    bool isWindow(platform::WindowHandle window) override { return windows_.exists(window); }
    bool isOwnWindow(platform::WindowHandle) override { return true; }
    unsigned long replaceProcedure(platform::WindowHandle window) override { return windows_.takeHookError(window); }
    void restoreProcedure(platform::WindowHandle) override {}
    std::intptr_t callOwnProcedure(platform::WindowHandle, const platform::WindowMessage&) override { return 0; }
    void sendMessage(platform::WindowHandle window, const platform::WindowMessage& message) override {
        windows_.send(window, message);
    }

    FakeWindowProcedures& windows_;
    platform::CallbackTable callbacks_;
};

} // namespace qs::fake
