#include "combo_box_win.h"

#include "../../forms/combo_box.h"
#include "form_window_win.h"

namespace qs::win32 {

using forms::Property;

namespace {
// A combo box's window height includes its open list: pixels at 96 dpi.
constexpr int kListHeight = 160;
} // namespace

ComboBoxWin::ComboBoxWin(FormWindow& owner, forms::ComboBox& combo) : ControlWin(owner, combo), combo_(combo) {
    create("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
}

void ComboBoxWin::sync(Property what) {
    if (what == Property::Geometry && hwnd_) {
        const RECT r = placement();
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left,
                     r.bottom - r.top + MulDiv(kListHeight, owner_.dpi(), 96), SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    ControlWin::sync(what);
    if (!hwnd_)
        return;
    const FlagScope syncing(syncing_);
    if (what == Property::List) {
        SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
        for (const auto& item : combo_.items())
            SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    if (what == Property::List || what == Property::ListIndex)
        SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(combo_.listIndex()), 0);
}

void ComboBoxWin::command(int code) {
    if (code != CBN_SELCHANGE || syncing_ || !live() || !combo_.acceptsInput())
        return;
    combo_.setListIndex(static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0)));
    if (live())
        sync(Property::ListIndex);
}

} // namespace qs::win32
