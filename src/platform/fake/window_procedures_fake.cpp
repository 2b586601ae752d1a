#include "window_procedures_fake.h"

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

} // namespace qs::fake
