#pragma once

#include "../../forms/control.h"

#include <memory>
#include <windows.h>

namespace qs::win32 {

class FormWindow;

// The native window of one control, kept in step with the model; the user's input on it turns
// into the model's events. Every control is a child of the form's window, placed at its
// containers' offsets, so notifications all reach the form's window procedure.
class ControlWin {
public:
    ControlWin(FormWindow& owner, forms::Control& control);
    virtual ~ControlWin();
    ControlWin(const ControlWin&) = delete;
    ControlWin& operator=(const ControlWin&) = delete;

    HWND hwnd() const { return hwnd_; }
    forms::Control& control() const { return control_; }

    void syncAll();
    virtual void sync(forms::Property what);

    // What the control tells its parent: WM_COMMAND codes, WM_NOTIFY and WM_VSCROLL requests.
    virtual void command(int /*code*/) {}
    virtual LRESULT notify(const NMHDR& /*header*/) { return 0; }
    virtual void scroll(int /*request*/) {}
    // The brush for WM_CTLCOLOR*, nullptr for the system's own.
    HBRUSH paintColours(HDC dc);

protected:
    // Creates the native window as a child of the form's, hidden, with the form's font.
    void create(const char* windowClass, DWORD style, DWORD exStyle = 0);
    // A message to the control's own window before the native procedure; true when handled.
    virtual bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Where the control sits in the form's client area, containers' offsets included.
    RECT placement() const;
    // False once the form's window is being taken down: then nothing calls the model.
    bool live() const;

    FormWindow& owner_;
    forms::Control& control_;
    HWND hwnd_ = nullptr;
    bool syncing_ = false; // set while the model's state is being written to the window

private:
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
};

// Sets a flag for a scope and puts back the old value.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

// The view for a control of any kind; nullptr for timers, which have no window.
std::unique_ptr<ControlWin> makeControlWin(FormWindow& owner, forms::Control& control);

} // namespace qs::win32
