#pragma once

#include "dialogs.h"
#include "error_log.h"
#include "window_procedures.h"

#include <map>
#include <set>
#include <vector>

namespace qs::platform {

// Windows as numbers, for a platform without native message windows: one for each form that asks
// and the hidden windows a service makes. A message sent to one goes through its hooks; the
// window's own procedure answers 0.
class MessageWindows : public WindowProcedures {
public:
    MessageWindows(Dialogs& dialogs, ErrorLog& errors) : dialogs_(dialogs), errors_(errors) {}

    WindowHandle createWindow();
    // The window gets its destroy message, then is gone.
    void destroyWindow(WindowHandle window);
    bool exists(WindowHandle window) const { return windows_.contains(window); }
    // What the window's hooks answer; 0 when it has none or does not exist.
    std::intptr_t send(WindowHandle window, const WindowMessage& message);
    // Sends a message to every window, as the system does with a registered broadcast message.
    void broadcast(const WindowMessage& message);
    // The windows handed out by windowOf.
    std::vector<WindowHandle> formWindows() const;

    std::unique_ptr<WindowHooks> createHooks(const std::string& owner) override;
    WindowHandle windowOf(const forms::Form& form) override;

private:
    Dialogs& dialogs_;
    ErrorLog& errors_;
    WindowHandle next_ = 0x10010;
    std::set<WindowHandle> windows_;
    std::map<const forms::Form*, WindowHandle> formWindows_;
};

} // namespace qs::platform
