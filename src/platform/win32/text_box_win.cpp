#include "text_box_win.h"

#include "../../forms/text_box.h"

#include <string>

namespace qs::win32 {

namespace {

std::string windowText(HWND hwnd) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

TextBoxWin::TextBoxWin(FormWindow& owner, forms::TextBox& box) : ControlWin(owner, box), box_(box) {
    create("EDIT", ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP, WS_EX_CLIENTEDGE);
}

bool TextBoxWin::message(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_CHAR || !box_.acceptsInput())
        return false;
    const auto key = static_cast<unsigned char>(wParam);
    // Control characters other than backspace and Enter are the edit's own (copy, paste, select all).
    if (key < 0x20 && key != forms::kBackspace && key != '\r')
        return false;
    typed(static_cast<char>(key));
    result = 0;
    return true;
}

void TextBoxWin::typed(char key) {
    DWORD start = 0, end = 0;
    SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    {
        const FlagScope pushing(pushing_);
        box_.select(static_cast<int>(start), static_cast<int>(end - start));
        box_.typeKey(key);
    }
    if (live())
        mirror();
}

void TextBoxWin::command(int code) {
    if (code != EN_CHANGE || syncing_ || !live())
        return;
    DWORD start = 0, end = 0;
    SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    {
        const FlagScope pushing(pushing_);
        box_.setText(windowText(hwnd_));
        if (!live())
            return;
        box_.select(static_cast<int>(end), 0);
    }
    mirror();
}

void TextBoxWin::mirror() {
    const FlagScope syncing(syncing_);
    const std::string& text = box_.text();
    if (windowText(hwnd_) != text)
        SetWindowTextA(hwnd_, text.c_str());
    SendMessageA(hwnd_, EM_SETSEL, static_cast<WPARAM>(box_.selStart()),
                 static_cast<LPARAM>(box_.selStart() + box_.selLength()));
}

void TextBoxWin::sync(forms::Property what) {
    ControlWin::sync(what);
    if (hwnd_ && what == forms::Property::MaxLength)
        SendMessageA(hwnd_, EM_LIMITTEXT, box_.maxLength() > 0 ? static_cast<WPARAM>(box_.maxLength()) : 32767, 0);
    if (!hwnd_ || pushing_ || (what != forms::Property::Text && what != forms::Property::Selection))
        return;
    mirror();
}

} // namespace qs::win32
