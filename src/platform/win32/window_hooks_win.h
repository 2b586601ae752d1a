#pragma once

#include "../window_hooks_base.h"
#include "callback_thunk_win.h"

namespace qs::win32 {

// Hooks on windows of this process: the window procedure is replaced (SetWindowLongA with
// GWL_WNDPROC) by one that hands the message to the window's hook, which calls the procedure that
// was there before (CallWindowProcA). A hook undone while another procedure has come in front of
// this one cannot leave the chain: it stays and passes every message on. The callback address is
// a CallbackThunk calling this object. Everything on the thread that made the windows.
class Win32WindowHooks : public platform::WindowHooksBase {
public:
    Win32WindowHooks(std::string owner, platform::Dialogs& dialogs, platform::ErrorLog& errors);
    ~Win32WindowHooks() override;

    // A handler's failure cannot unwind through the system's message dispatch: it is written to
    // the log and the message goes on as if the handler had returned.
    bool subclass(platform::WindowHandle window, std::intptr_t userValue, Handler handler) override;
    platform::CallbackAddress callbackAddress(Callback callback) override;
    void releaseCallbacks() override;

private:
    bool isWindow(platform::WindowHandle window) override;
    bool isOwnWindow(platform::WindowHandle window) override;
    unsigned long replaceProcedure(platform::WindowHandle window) override;
    void restoreProcedure(platform::WindowHandle window) override;
    std::intptr_t callOwnProcedure(platform::WindowHandle window, const platform::WindowMessage& message) override;
    void sendMessage(platform::WindowHandle window, const platform::WindowMessage& message) override;

    static std::intptr_t __stdcall callbackEntry(void* self, platform::WindowHandle window, unsigned message,
                                                 std::uintptr_t id, std::uint32_t time);

    platform::ErrorLog& errors_;
    Callback callback_;
    CallbackThunk thunk_;
};

} // namespace qs::win32
