#include "window_hooks_win.h"

#include <map>
#include <windows.h>

namespace qs::win32 {

namespace {

// Each window with this module's procedure in its chain, and the procedure behind it. Messages
// come on the one interface thread.
std::map<HWND, WNDPROC>& chained() {
    static std::map<HWND, WNDPROC> windows;
    return windows;
}

HWND hwndOf(platform::WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

LRESULT callBehind(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto it = chained().find(hwnd);
    if (it == chained().end() || !it->second)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    return CallWindowProcA(it->second, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK hookedWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    std::intptr_t result = 0;
    if (!platform::WindowHooksBase::dispatch(reinterpret_cast<platform::WindowHandle>(hwnd),
                                             {msg, wParam, static_cast<std::intptr_t>(lParam)}, result))
        result = callBehind(hwnd, msg, wParam, lParam); // undone, but still in the chain
    if (msg == WM_NCDESTROY)
        chained().erase(hwnd); // the handle may be given to a new window
    return result;
}

bool inFront(HWND hwnd) {
    return GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&hookedWindowProc);
}

} // namespace

Win32WindowHooks::Win32WindowHooks(std::string owner, platform::Dialogs& dialogs, platform::ErrorLog& errors)
    : WindowHooksBase(std::move(owner), dialogs, errors), errors_(errors) {}

Win32WindowHooks::~Win32WindowHooks() {
    releaseAll();
    releaseCallbacks();
}

bool Win32WindowHooks::subclass(platform::WindowHandle window, std::intptr_t userValue, Handler handler) {
    if (handler)
        handler = [this, handler = std::move(handler)](platform::HookedMessage& m) {
            try {
                handler(m);
            } catch (...) {
                errors_.error("window procedure", platform::currentErrorText());
            }
        };
    return WindowHooksBase::subclass(window, userValue, std::move(handler));
}

bool Win32WindowHooks::isWindow(platform::WindowHandle window) {
    return IsWindow(hwndOf(window)) != FALSE;
}

bool Win32WindowHooks::isOwnWindow(platform::WindowHandle window) {
    DWORD process = 0;
    GetWindowThreadProcessId(hwndOf(window), &process);
    return process == GetCurrentProcessId();
}

unsigned long Win32WindowHooks::replaceProcedure(platform::WindowHandle window) {
    const HWND hwnd = hwndOf(window);
    // Left in the chain behind another procedure by an earlier hook: it hands the messages on.
    if (chained().contains(hwnd))
        return 0;
    // Known before it is in front: the window may get a message as soon as it is.
    chained()[hwnd] = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    // 0 is also what a successful call returns when the previous value was 0.
    SetLastError(0);
    if (SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&hookedWindowProc)) == 0)
        if (const DWORD error = GetLastError()) {
            chained().erase(hwnd);
            return error;
        }
    return 0;
}

void Win32WindowHooks::restoreProcedure(platform::WindowHandle window) {
    const HWND hwnd = hwndOf(window);
    const auto it = chained().find(hwnd);
    if (it == chained().end())
        return;
    if (!IsWindow(hwnd)) {
        chained().erase(it);
    } else if (inFront(hwnd)) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second));
        chained().erase(it);
    }
}

std::intptr_t Win32WindowHooks::callOwnProcedure(platform::WindowHandle window,
                                                 const platform::WindowMessage& message) {
    return callBehind(hwndOf(window), message.message, message.wParam, message.lParam);
}

void Win32WindowHooks::sendMessage(platform::WindowHandle window, const platform::WindowMessage& message) {
    SendMessageA(hwndOf(window), message.message, message.wParam, message.lParam);
}

platform::CallbackAddress Win32WindowHooks::callbackAddress(Callback callback) {
    callback_ = std::move(callback);
    unsigned long error = 0;
    const platform::CallbackAddress address = thunk_.make(&callbackEntry, this, error);
    if (!address)
        report("scb_SetCallbackAddr", "VirtualAlloc failed, error: " + std::to_string(error));
    return address;
}

void Win32WindowHooks::releaseCallbacks() {
    thunk_.release();
    callback_ = nullptr;
}

std::intptr_t __stdcall Win32WindowHooks::callbackEntry(void* self, platform::WindowHandle window, unsigned message,
                                                        std::uintptr_t id, std::uint32_t time) {
    auto& hooks = *static_cast<Win32WindowHooks*>(self);
    // A copy: the procedure may release its own address.
    const Callback callback = hooks.callback_;
    if (!callback)
        return 0;
    try {
        return callback(window, message, id, time);
    } catch (...) {
        hooks.errors_.error("callback procedure", platform::currentErrorText());
        return 0;
    }
}

} // namespace qs::win32
