#include "window_procedures_win.h"

#include "window_hooks_win.h"

namespace qs::win32 {

std::unique_ptr<platform::WindowHooks> Win32WindowProcedures::createHooks(const std::string& owner) {
    return std::make_unique<Win32WindowHooks>(owner, dialogs_, errors_);
}

platform::WindowHandle Win32WindowProcedures::windowOf(const forms::Form& form) {
    return windowOf_ ? reinterpret_cast<platform::WindowHandle>(windowOf_(form)) : 0;
}

} // namespace qs::win32
