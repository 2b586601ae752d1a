#pragma once

#include "dialogs.h"
#include "error_log.h"
#include "window_procedures.h"

#include <array>
#include <map>
#include <memory>
#include <string>

namespace qs::platform {

// What every platform's hooks share: one record per hooked window with its two message tables,
// the delivery rule around the window's own procedure, and the error reports. A platform says how
// a window's procedure is replaced, called and put back, and calls dispatch() from the procedure
// it puts in front, and releaseAll() from its destructor. The owner must not be destroyed inside
// its own handler.
class WindowHooksBase : public WindowHooks {
public:
    ~WindowHooksBase() override;
    WindowHooksBase(const WindowHooksBase&) = delete;
    WindowHooksBase& operator=(const WindowHooksBase&) = delete;

    bool subclass(WindowHandle window, std::intptr_t userValue, Handler handler) override;
    void watch(WindowHandle window, int message, int delivery) override;
    void unwatch(WindowHandle window, int message, int delivery) override;
    void releaseAll() override;

    // Hands a message for a hooked window to its hook; the platform's procedure calls it. False
    // when the window has no hook (the platform then passes the message on itself).
    static bool dispatch(WindowHandle window, const WindowMessage& message, std::intptr_t& result);

protected:
    WindowHooksBase(std::string owner, Dialogs& dialogs, ErrorLog& errors);

    // The window exists.
    virtual bool isWindow(WindowHandle window) = 0;
    // The window was made by this process.
    virtual bool isOwnWindow(WindowHandle window) = 0;
    // Puts the platform's procedure in front of the window's own; 0 on success, else the system's
    // error code.
    virtual unsigned long replaceProcedure(WindowHandle window) = 0;
    // Gives the window its own procedure back.
    virtual void restoreProcedure(WindowHandle window) = 0;
    virtual std::intptr_t callOwnProcedure(WindowHandle window, const WindowMessage& message) = 0;
    // Sends a message to the window and returns when it has been handled.
    virtual void sendMessage(WindowHandle window, const WindowMessage& message) = 0;

    // A message box with the exclamation icon, "Error in OWNER.ROUTINE", and an entry in the
    // system's event log.
    void report(const std::string& routine, const std::string& message);

private:
    // A count, then the message numbers; kAllMessages as the count means every message.
    struct MessageTable {
        int count = 0;
        std::array<int, kMessageEntries> entries{};
        bool holds(unsigned message) const;
    };
    struct Hook {
        WindowHooksBase* owner;
        WindowHandle window;
        std::intptr_t userValue;
        Handler handler;
        MessageTable before;
        MessageTable after;
        int nesting = 0;
        bool release = false;
        bool installed = true;
    };

    std::intptr_t deliver(Hook& hook, const WindowMessage& message);
    void free(Hook& hook);
    Hook* find(WindowHandle window);
    void addMessage(int message, MessageTable& table);
    void deleteMessage(int message, MessageTable& table);

    std::string owner_;
    Dialogs& dialogs_;
    ErrorLog& errors_;
    // This object's hooks; a hook being delivered to stays alive until its delivery ends.
    std::map<WindowHandle, std::shared_ptr<Hook>> hooks_;
};

} // namespace qs::platform
