#pragma once

#include "callback_table.h"
#include "message_windows.h"
#include "window_hooks_base.h"

namespace qs::platform {

// Hooks on windows that are numbers: every one is this process's, and putting a procedure in
// front always works, as messages reach the hooks through MessageWindows::send anyway.
class MessageWindowHooks : public WindowHooksBase {
public:
    MessageWindowHooks(std::string owner, Dialogs& dialogs, ErrorLog& errors, MessageWindows& windows)
        : WindowHooksBase(std::move(owner), dialogs, errors), windows_(windows) {}
    ~MessageWindowHooks() override { releaseAll(); }

    CallbackAddress callbackAddress(Callback callback) override { return callbacks_.address(std::move(callback)); }
    void releaseCallbacks() override { callbacks_.releaseAll(); }

private:
    bool isWindow(WindowHandle window) override { return windows_.exists(window); }
    bool isOwnWindow(WindowHandle) override { return true; }
    unsigned long replaceProcedure(WindowHandle) override { return 0; }
    void restoreProcedure(WindowHandle) override {}
    std::intptr_t callOwnProcedure(WindowHandle, const WindowMessage&) override { return 0; }
    void sendMessage(WindowHandle window, const WindowMessage& message) override { windows_.send(window, message); }

    MessageWindows& windows_;
    CallbackTable callbacks_;
};

} // namespace qs::platform
