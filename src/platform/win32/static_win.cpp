#include "static_win.h"

#include "../../forms/control_cast.h"
#include "../../forms/image.h"
#include "../../forms/label.h"
#include "../../forms/progress_bar.h"
#include "captions_win.h"
#include "dpi_win.h"
#include "form_window_win.h"
#include "icons_win.h"

#include <algorithm>
#include <commctrl.h>
#include <string>

namespace qs::win32 {

using forms::ControlKind;
using forms::Property;

StaticWin::StaticWin(FormWindow& owner, forms::Control& control) : ControlWin(owner, control) {
    switch (control.kind()) {
    case ControlKind::Label:
        create("STATIC", SS_LEFT);
        break;
    case ControlKind::Frame:
        create("BUTTON", BS_GROUPBOX);
        break;
    case ControlKind::Image:
        create("STATIC", SS_ICON | SS_CENTERIMAGE);
        break;
    case ControlKind::ProgressBar:
        create(PROGRESS_CLASSA, 0);
        break;
    default: // a borderless panel, or a control of a kind made without its class
        create("STATIC", SS_LEFT);
        break;
    }
}

void StaticWin::sync(Property what) {
    ControlWin::sync(what);
    if (!hwnd_)
        return;
    switch (control_.kind()) {
    case ControlKind::Label:
        if (what == Property::Caption)
            SetWindowTextA(hwnd_, windowsLines(control_.caption()).c_str());
        // Geometry too: a label that sizes itself to its text shows it only by a new width.
        if (what == Property::Alignment || what == Property::Geometry)
            syncLabelStyle();
        break;
    case ControlKind::Frame:
        if (what == Property::Caption)
            SetWindowTextA(hwnd_, control_.caption().c_str());
        break;
    case ControlKind::Image:
        if (what == Property::Picture || what == Property::Geometry)
            syncImage();
        break;
    case ControlKind::ProgressBar:
        if (what == Property::Range || what == Property::Value)
            syncProgress();
        break;
    default:
        break;
    }
}

// A group box paints only its line and caption; with the form clipping its children nothing
// else would paint the inside.
bool StaticWin::message(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_ERASEBKGND || control_.kind() != ControlKind::Frame)
        return false;
    const HDC dc = reinterpret_cast<HDC>(wParam);
    RECT inside;
    GetClientRect(hwnd_, &inside);
    const HBRUSH brush = paintColours(dc);
    FillRect(dc, &inside, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    result = 1;
    return true;
}

void StaticWin::syncLabelStyle() {
    const auto& label = forms::controlAs<forms::Label>(control_);
    // An auto-sized label is as wide as its text and stays on one line.
    const LONG_PTR type = label.autoSize()                                ? SS_LEFTNOWORDWRAP
                          : label.alignment() == forms::Alignment::Right  ? SS_RIGHT
                          : label.alignment() == forms::Alignment::Center ? SS_CENTER
                                                                          : SS_LEFT;
    const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
    if ((style & SS_TYPEMASK) == type)
        return;
    SetWindowLongPtrA(hwnd_, GWL_STYLE, (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | type);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void StaticWin::syncImage() {
    const auto& image = forms::controlAs<forms::Image>(control_);
    const int dpi = owner_.dpi();
    const int size = std::max(std::min(pixels(control_.width(), dpi), pixels(control_.height(), dpi)), 16);
    if (HICON icon = programIcon(image.picture(), size))
        SendMessageA(hwnd_, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void StaticWin::syncProgress() {
    const auto& bar = forms::controlAs<forms::ProgressBar>(control_);
    const int low = std::min(bar.min(), bar.max()), high = std::max(bar.min(), bar.max());
    SendMessageA(hwnd_, PBM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
    const int position = std::clamp(bar.value(), low, high);
    SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    // What a screen reader reads of the bar, as its window text: how far it has come.
    const long long percent = high > low ? (position - low) * 100LL / (high - low) : 0;
    SetWindowTextA(hwnd_, (std::to_string(percent) + "%").c_str());
}

} // namespace qs::win32
