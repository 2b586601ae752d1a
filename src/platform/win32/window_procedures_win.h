#pragma once

#include "../error_log.h"
#include "../window_procedures.h"
#include "window_lookup_win.h"

namespace qs::win32 {

// Puts the logic's procedure in front of a form's window by replacing the window procedure
// (SetWindowLongPtrA: SetWindowLongA with GWL_WNDPROC in the 32-bit program); what it does not
// answer goes to the procedure that was there before. Any number of windows, each replaced on its
// own thread. A window destroyed while replaced gets its own procedure back with its last message.
class Win32WindowProcedures : public platform::WindowProcedures {
public:
    // A procedure's failure cannot unwind through the system's message dispatch; it is written to
    // the log and the message passed on.
    explicit Win32WindowProcedures(platform::ErrorLog& errors) : errors_(errors) {}
    ~Win32WindowProcedures() override;
    Win32WindowProcedures(const Win32WindowProcedures&) = delete;
    Win32WindowProcedures& operator=(const Win32WindowProcedures&) = delete;

    // Without it no form has a window to replace.
    void setWindowLookup(WindowLookup lookup) { windowOf_ = std::move(lookup); }

    void replace(forms::Form& form, Procedure procedure) override;
    // When another procedure was put in front after this one, this one cannot leave the chain: it
    // stays and passes every message on.
    void restore(forms::Form& form) override;

private:
    HWND windowOf(const forms::Form& form) const;

    platform::ErrorLog& errors_;
    WindowLookup windowOf_;
};

} // namespace qs::win32
