#pragma once

#include "../dialogs.h"
#include "../error_log.h"
#include "../window_procedures.h"
#include "window_lookup_win.h"

namespace qs::win32 {

// Hooks on the program's windows (Win32WindowHooks), and the form's windows as the renderer has
// them.
class Win32WindowProcedures : public platform::WindowProcedures {
public:
    // The hooks tell their errors through these.
    Win32WindowProcedures(platform::Dialogs& dialogs, platform::ErrorLog& errors)
        : dialogs_(dialogs), errors_(errors) {}

    // Without it no form has a window.
    void setWindowLookup(WindowLookup lookup) { windowOf_ = std::move(lookup); }

    std::unique_ptr<platform::WindowHooks> createHooks(const std::string& owner) override;
    platform::WindowHandle windowOf(const forms::Form& form) override;

private:
    platform::Dialogs& dialogs_;
    platform::ErrorLog& errors_;
    WindowLookup windowOf_;
};

} // namespace qs::win32
