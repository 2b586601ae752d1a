#include "message_windows.h"

#include "message_window_hooks.h"

namespace qs::platform {

WindowHandle MessageWindows::createWindow() {
    next_ += 0x10;
    windows_.insert(next_);
    return next_;
}

void MessageWindows::destroyWindow(WindowHandle window) {
    if (!exists(window))
        return;
    send(window, {kDestroyMessage, 0, 0});
    windows_.erase(window);
}

std::intptr_t MessageWindows::send(WindowHandle window, const WindowMessage& message) {
    std::intptr_t result = 0;
    if (exists(window))
        WindowHooksBase::dispatch(window, message, result);
    return result;
}

void MessageWindows::broadcast(const WindowMessage& message) {
    // A procedure may make or destroy windows while it runs: send to a copy.
    const std::set<WindowHandle> windows = windows_;
    for (const WindowHandle window : windows)
        send(window, message);
}

std::vector<WindowHandle> MessageWindows::formWindows() const {
    std::vector<WindowHandle> windows;
    for (const auto& [form, window] : formWindows_)
        windows.push_back(window);
    return windows;
}

std::unique_ptr<WindowHooks> MessageWindows::createHooks(const std::string& owner) {
    return std::make_unique<MessageWindowHooks>(owner, dialogs_, errors_, *this);
}

WindowHandle MessageWindows::windowOf(const forms::Form& form) {
    auto [it, added] = formWindows_.try_emplace(&form, 0);
    if (added)
        it->second = createWindow();
    return it->second;
}

} // namespace qs::platform
