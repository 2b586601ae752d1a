#include "window_procedures_fake.h"

#include <cstdio>
#include <vector>

namespace qs::fake {

namespace {
constexpr unsigned kPowerBroadcast = 0x218;
constexpr std::uintptr_t kQuerySuspend = 0;
} // namespace

void FakeWindowProcedures::querySuspend() {
    // A procedure may replace or restore procedures while it runs: send to a copy.
    const auto procedures = procedures_;
    for (const auto& [form, procedure] : procedures) {
        if (const auto answer = procedure({kPowerBroadcast, kQuerySuspend, 0})) {
            char hex[32];
            std::snprintf(hex, sizeof hex, "0x%llX", static_cast<unsigned long long>(*answer));
            transcript_.line(std::string("suspend-query -> ") + hex);
            return;
        }
    }
    transcript_.line("suspend-query -> passed");
}

void FakeWindowProcedures::replace(forms::Form& form, Procedure procedure) {
    restore(form);
    procedures_.emplace_back(&form, std::move(procedure));
}

void FakeWindowProcedures::restore(forms::Form& form) {
    std::erase_if(procedures_, [&form](const auto& entry) { return entry.first == &form; });
}

} // namespace qs::fake
