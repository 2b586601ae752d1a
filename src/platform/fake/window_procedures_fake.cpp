#include "window_procedures_fake.h"

#include "window_hooks_fake.h"

#include <cstdio>
#include <vector>

namespace qs::fake {

namespace {
constexpr unsigned kPowerBroadcast = 0x218;
constexpr std::uintptr_t kQuerySuspend = 0;
} // namespace

void FakeWindowProcedures::querySuspend() {
    // A procedure may make or destroy windows while it runs: send to a copy.
    std::vector<platform::WindowHandle> windows;
    for (const auto& [form, window] : formWindows_)
        windows.push_back(window);
    for (const platform::WindowHandle window : windows) {
        if (const std::intptr_t answer = send(window, {kPowerBroadcast, kQuerySuspend, 0})) {
            char hex[32];
            std::snprintf(hex, sizeof hex, "0x%llX", static_cast<unsigned long long>(answer));
            transcript_.line(std::string("suspend-query -> ") + hex);
            return;
        }
    }
    transcript_.line("suspend-query -> passed");
}

void FakeWindowProcedures::broadcast(const platform::WindowMessage& message) {
    const std::set<platform::WindowHandle> windows = windows_;
    for (const platform::WindowHandle window : windows)
        send(window, message);
}

platform::WindowHandle FakeWindowProcedures::createWindow() {
    next_ += 0x10;
    windows_.insert(next_);
    return next_;
}

void FakeWindowProcedures::destroyWindow(platform::WindowHandle window) {
    if (!exists(window))
        return;
    send(window, {platform::kDestroyMessage, 0, 0});
    windows_.erase(window);
}

std::intptr_t FakeWindowProcedures::send(platform::WindowHandle window, const platform::WindowMessage& message) {
    std::intptr_t result = 0;
    if (exists(window))
        platform::WindowHooksBase::dispatch(window, message, result);
    return result;
}

unsigned long FakeWindowProcedures::takeHookError(platform::WindowHandle window) {
    const auto it = hookErrors_.find(window);
    if (it == hookErrors_.end())
        return 0;
    const unsigned long error = it->second;
    hookErrors_.erase(it);
    return error;
}

std::unique_ptr<platform::WindowHooks> FakeWindowProcedures::createHooks(const std::string& owner) {
    return std::make_unique<FakeWindowHooks>(owner, dialogs_, errors_, *this);
}

platform::WindowHandle FakeWindowProcedures::windowOf(const forms::Form& form) {
    auto [it, added] = formWindows_.try_emplace(&form, 0);
    if (added)
        it->second = createWindow();
    return it->second;
}

} // namespace qs::fake
