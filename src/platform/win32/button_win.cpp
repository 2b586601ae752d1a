#include "button_win.h"

#include "../../forms/check_box.h"
#include "../../forms/control_cast.h"
#include "../../forms/option_button.h"
#include "../../forms/tab_order.h"
#include "library_win.h"

namespace qs::win32 {

using forms::ControlKind;
using forms::Property;

ButtonWin::ButtonWin(FormWindow& owner, forms::Control& control) : ControlWin(owner, control) {
    // The plain (not automatic) styles leave the checking to the model.
    const DWORD style = control.kind() == ControlKind::CheckBox       ? BS_3STATE
                        : control.kind() == ControlKind::OptionButton ? BS_RADIOBUTTON
                                                                      : BS_PUSHBUTTON;
    create("BUTTON", style | BS_MULTILINE | WS_TABSTOP);
}

void ButtonWin::sync(Property what) {
    ControlWin::sync(what);
    if (!hwnd_)
        return;
    if (what == Property::Caption)
        SetWindowTextA(hwnd_, control_.caption().c_str());
    if (what == Property::ForeColor)
        applyTextColour();
    if (what != Property::Value)
        return;
    WPARAM state = BST_UNCHECKED;
    if (control_.kind() == ControlKind::CheckBox) {
        const int value = forms::controlAs<forms::CheckBox>(control_).value();
        state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
    } else if (control_.kind() == ControlKind::OptionButton) {
        state = forms::controlAs<forms::OptionButton>(control_).value() ? BST_CHECKED : BST_UNCHECKED;
    } else {
        return;
    }
    SendMessageA(hwnd_, BM_SETCHECK, state, 0);
}

// Visual styles draw a check box's or option's text in the theme's colour, whatever
// WM_CTLCOLORSTATIC asks for; one with a colour of its own goes without them (uxtheme is there
// from XP on).
void ButtonWin::applyTextColour() {
    const bool plain = control_.kind() != ControlKind::Button && control_.foreColor() != forms::kButtonText;
    if (plain == plain_)
        return;
    plain_ = plain;
    static Library uxtheme("uxtheme.dll");
    using SetWindowTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    if (const auto setTheme = uxtheme.function<SetWindowTheme>("SetWindowTheme"))
        setTheme(hwnd_, plain ? L"" : nullptr, plain ? L"" : nullptr);
}

void ButtonWin::command(int code) {
    if (code != BN_CLICKED || !live() || !forms::reachable(control_))
        return;
    control_.userClick();
    if (live())
        sync(Property::Value);
}

} // namespace qs::win32
