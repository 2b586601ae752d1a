#include "control_win.h"

#include "../../forms/combo_box.h"
#include "../../forms/control_cast.h"
#include "../../forms/form.h"
#include "../../forms/scroll_bar.h"
#include "../../forms/status_bar.h"
#include "../../forms/text_box.h"
#include "../../forms/time_picker.h"
#include "button_win.h"
#include "captions_win.h"
#include "combo_box_win.h"
#include "dpi_win.h"
#include "form_window_win.h"
#include "scroll_bar_win.h"
#include "static_win.h"
#include "status_bar_win.h"
#include "text_box_win.h"
#include "time_picker_win.h"

#include <commctrl.h>

namespace qs::win32 {

using forms::ControlKind;
using forms::Property;

ControlWin::ControlWin(FormWindow& owner, forms::Control& control) : owner_(owner), control_(control) {}

ControlWin::~ControlWin() {
    if (hwnd_) {
        RemoveWindowSubclass(hwnd_, &ControlWin::subclassProc, 1);
        DestroyWindow(hwnd_);
    }
}

void ControlWin::create(const char* windowClass, DWORD style, DWORD exStyle) {
    hwnd_ = CreateWindowExA(exStyle, windowClass, "", style | WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, owner_.hwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(owner_.controlId(control_))),
                            GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_)
        return;
    SetWindowSubclass(hwnd_, &ControlWin::subclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(owner_.font(control_)), FALSE);
}

LRESULT CALLBACK ControlWin::subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* view = reinterpret_cast<ControlWin*>(self);
    const FormWindow::Busy busy;
    if (view->live()) {
        if (msg == WM_SETFOCUS)
            view->owner_.focusIn(view->control_);
        if (msg == WM_LBUTTONDBLCLK && view->control_.acceptsInput())
            view->control_.raise(view->control_.DblClick, "DblClick");
        LRESULT result = 0;
        if (view->live() && view->message(msg, wParam, lParam, result))
            return result;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

bool ControlWin::message(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

bool ControlWin::live() const {
    return owner_.attached();
}

RECT ControlWin::placement() const {
    int x = control_.left(), y = control_.top();
    for (const forms::Control* c = control_.container(); c; c = c->container()) {
        x += c->left();
        y += c->top();
    }
    // Each edge from its own twips, so controls that meet in twips meet in pixels at any dpi.
    const int dpi = owner_.dpi();
    return RECT{pixels(x, dpi), pixels(y, dpi), pixels(x + control_.width(), dpi), pixels(y + control_.height(), dpi)};
}

void ControlWin::syncAll() {
    for (Property what : forms::kControlProperties)
        sync(what);
}

void ControlWin::sync(Property what) {
    if (!hwnd_)
        return;
    switch (what) {
    case Property::Geometry: {
        const RECT r = placement();
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    }
    case Property::Enabled: {
        bool enabled = true;
        for (const forms::Control* c = &control_; c; c = c->container())
            enabled = enabled && c->enabled();
        EnableWindow(hwnd_, enabled);
        break;
    }
    case Property::Visible:
        ShowWindow(hwnd_, control_.shownOnScreen() ? SW_SHOWNA : SW_HIDE);
        break;
    case Property::ToolTip:
        owner_.setToolTip(hwnd_, 0, nullptr, control_.toolTipText());
        break;
    case Property::Font:
        SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(owner_.font(control_)), TRUE);
        break;
    case Property::BackColor:
    case Property::ForeColor:
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
    default:
        break;
    }
}

HBRUSH ControlWin::paintColours(HDC dc) {
    const bool field = control_.kind() == ControlKind::TextBox || control_.kind() == ControlKind::ComboBox ||
                       control_.kind() == ControlKind::TimePicker;
    const std::uint32_t normal = field ? forms::kWindowBackground : forms::kButtonFace;
    const bool ownText = control_.foreColor() != forms::kButtonText;
    if (control_.backColor() == normal && !ownText)
        return nullptr;
    // Once answered here, the system sets no colour of its own: the background is given too.
    if (ownText)
        SetTextColor(dc, nativeColour(control_.foreColor()));
    const COLORREF colour = nativeColour(control_.backColor());
    SetBkColor(dc, colour);
    return owner_.brush(colour);
}

std::unique_ptr<ControlWin> makeControlWin(FormWindow& owner, forms::Control& control) {
    switch (control.kind()) {
    case ControlKind::Timer:
        return nullptr;
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
        return std::make_unique<ButtonWin>(owner, control);
    case ControlKind::TextBox:
        return std::make_unique<TextBoxWin>(owner, forms::controlAs<forms::TextBox>(control));
    case ControlKind::ComboBox:
        return std::make_unique<ComboBoxWin>(owner, forms::controlAs<forms::ComboBox>(control));
    case ControlKind::ScrollBar:
        return std::make_unique<ScrollBarWin>(owner, forms::controlAs<forms::ScrollBar>(control));
    case ControlKind::TimePicker:
        return std::make_unique<TimePickerWin>(owner, forms::controlAs<forms::TimePicker>(control));
    case ControlKind::StatusBar:
        return std::make_unique<StatusBarWin>(owner, forms::controlAs<forms::StatusBar>(control));
    default:
        return std::make_unique<StaticWin>(owner, control);
    }
}

} // namespace qs::win32
