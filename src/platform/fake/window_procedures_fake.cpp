#include "window_procedures_fake.h"

#include "window_hooks_fake.h"

#include <cstdio>

namespace qs::fake {

namespace {
constexpr unsigned kPowerBroadcast = 0x218;
constexpr std::uintptr_t kQuerySuspend = 0;
} // namespace

void FakeWindowProcedures::querySuspend() {
    // A procedure may make or destroy windows while it runs: the list is a copy.
    for (const platform::WindowHandle window : formWindows()) {
        if (const std::intptr_t answer = send(window, {kPowerBroadcast, kQuerySuspend, 0})) {
            char hex[32];
            std::snprintf(hex, sizeof hex, "0x%llX", static_cast<unsigned long long>(answer));
            transcript_.line(std::string("suspend-query -> ") + hex);
            return;
        }
    }
    transcript_.line("suspend-query -> passed");
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

} // namespace qs::fake
