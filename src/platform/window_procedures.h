#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace qs::forms {
class Form;
}

namespace qs::platform {

// A window of this program as the platform knows it; 0 for none.
using WindowHandle = std::uintptr_t;
// The address of a plain procedure the platform can call (a timer procedure); 0 for none.
using CallbackAddress = std::uintptr_t;

// A message as the platform sends it to a window: its number and two arguments.
struct WindowMessage {
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// When a watched message reaches the handler: before the window's own procedure, after it, or both.
enum MessageDelivery { kDeliverBefore = 1, kDeliverAfter = 2, kDeliverBoth = 3 };
// Watches or unwatches every message at once.
constexpr int kAllMessages = -1;
// How many single message numbers one table of a hook holds.
constexpr int kMessageEntries = 32;
// The message a window gets before it is destroyed.
constexpr unsigned kDestroyMessage = 0x0002;

// One message handed to a hook's handler.
struct HookedMessage {
    bool before;           // true when the window's own procedure has not run yet
    bool& handled;         // set before the own procedure to skip it and answer result
    std::intptr_t& result; // the answer; after the own procedure, what that procedure answered
    WindowHandle window;
    WindowMessage message;
    std::intptr_t& userValue; // given when the window was hooked, kept with the hook
};

// The taps one object of the program has on windows of this process: each hooked window hands the
// messages of its tables to the object's handler before and after its own procedure; and plain
// procedure addresses that call the object back. Failures are told to the user and to the
// system's event log, titled with the owner's name ("Error in cSystray.ssc_Subclass").
class WindowHooks {
public:
    using Handler = std::function<void(HookedMessage&)>;
    // A timer procedure's four arguments: window, message, timer identifier, time.
    using Callback = std::function<std::intptr_t(WindowHandle, unsigned, std::uintptr_t, std::uint32_t)>;

    virtual ~WindowHooks() = default;

    // Hooks a window of this process; false, after the error is reported, when it cannot be.
    virtual bool subclass(WindowHandle window, std::intptr_t userValue, Handler handler) = 0;
    // Adds a message number (or kAllMessages) to the tables that delivery names.
    virtual void watch(WindowHandle window, int message, int delivery) = 0;
    // Takes a message number (or kAllMessages, which empties the table) out of those tables.
    virtual void unwatch(WindowHandle window, int message, int delivery) = 0;
    // Undoes every hook of this object; each window gets its own procedure back.
    virtual void releaseAll() = 0;
    // A plain procedure of four arguments that calls callback; one per object, made on the first
    // request and the same address afterwards. 0, after the error is reported, when none can be made.
    virtual CallbackAddress callbackAddress(Callback callback) = 0;
    // Frees the procedure addresses made by callbackAddress.
    virtual void releaseCallbacks() = 0;
};

// The windows of the program's forms, and hooks on any window of this process.
class WindowProcedures {
public:
    virtual ~WindowProcedures() = default;

    // owner names the object in error reports ("cSystray", "frmMain").
    virtual std::unique_ptr<WindowHooks> createHooks(const std::string& owner) = 0;
    // The native window of a loaded form; 0 when it has none.
    virtual WindowHandle windowOf(const forms::Form& form) = 0;
};

} // namespace qs::platform
