#include "dialogs_win.h"

#include "icons_win.h"

#include <cstring>
#include <windows.h>

namespace qs::win32 {

namespace {

BOOL CALLBACK findShownWindow(HWND hwnd, LPARAM found) {
    const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    if (!IsWindowVisible(hwnd) || (style & WS_CAPTION) != WS_CAPTION ||
        (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

// The active window of this thread; else, as the program may ask from a timer while another
// program is in front, its window that the user sees, the front one first.
HWND ownerOfBox() {
    HWND owner = GetActiveWindow();
    if (!owner)
        EnumThreadWindows(GetCurrentThreadId(), &findShownWindow, reinterpret_cast<LPARAM>(&owner));
    return owner;
}

// A box without an owner has a task bar button of its own. While one is open, every such box
// gets the program's icon as it activates, so the button shows it.
class ProgramIconForOwnerlessBoxes {
public:
    ProgramIconForOwnerlessBoxes() {
        if (hook_)
            return; // an outer box's hook covers this one too
        hook_ = SetWindowsHookExA(WH_CBT, &onActivate, nullptr, GetCurrentThreadId());
        owns_ = hook_ != nullptr;
    }
    ~ProgramIconForOwnerlessBoxes() {
        if (!owns_)
            return;
        UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
    }
    ProgramIconForOwnerlessBoxes(const ProgramIconForOwnerlessBoxes&) = delete;
    ProgramIconForOwnerlessBoxes& operator=(const ProgramIconForOwnerlessBoxes&) = delete;

private:
    static LRESULT CALLBACK onActivate(int code, WPARAM wParam, LPARAM lParam) {
        const auto box = reinterpret_cast<HWND>(wParam);
        char name[16] = "";
        if (code == HCBT_ACTIVATE && !GetWindow(box, GW_OWNER) && GetClassNameA(box, name, sizeof name) &&
            std::strcmp(name, "#32770") == 0 && !SendMessageA(box, WM_GETICON, ICON_BIG, 0)) {
            SendMessageA(box, WM_SETICON, ICON_BIG,
                         reinterpret_cast<LPARAM>(programIcon("main", GetSystemMetrics(SM_CXICON))));
            SendMessageA(box, WM_SETICON, ICON_SMALL,
                         reinterpret_cast<LPARAM>(programIcon("main", GetSystemMetrics(SM_CXSMICON))));
        }
        return CallNextHookEx(hook_, code, wParam, lParam);
    }

    static inline HHOOK hook_ = nullptr;
    bool owns_ = false;
};

} // namespace

int Win32Dialogs::messageBox(const std::string& text, int style, const std::string& title) {
    // The program may be asking from the tray with no window of its own in front; the box
    // must not open behind other programs' windows.
    const UINT type = static_cast<UINT>(style) | MB_SETFOREGROUND;
    if (const HWND owner = ownerOfBox())
        return MessageBoxA(owner, text.c_str(), title.c_str(), type);
    const ProgramIconForOwnerlessBoxes icon;
    return MessageBoxA(nullptr, text.c_str(), title.c_str(), type);
}

} // namespace qs::win32
