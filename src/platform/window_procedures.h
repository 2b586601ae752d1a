#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace qs::forms {
class Form;
}

namespace qs::platform {

// A message as the platform sends it to a window: its number and two arguments.
struct WindowMessage {
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// Lets the logic see a window's messages before its own procedure does. Platforms that send no
// such messages never call the procedure.
class WindowProcedures {
public:
    // The answer to a message, or nullopt to pass it on to the window's previous procedure.
    using Procedure = std::function<std::optional<std::intptr_t>(const WindowMessage&)>;

    virtual ~WindowProcedures() = default;

    // Puts procedure in front of the loaded form's window; a second call replaces the first.
    virtual void replace(forms::Form& form, Procedure procedure) = 0;
    // Puts the window's previous procedure back; nothing when none was replaced.
    virtual void restore(forms::Form& form) = 0;
};

} // namespace qs::platform
