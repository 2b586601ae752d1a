#include "dialogs_win.h"

#include <windows.h>

namespace qs::win32 {

int Win32Dialogs::messageBox(const std::string& text, int style, const std::string& title) {
    // The program may be asking from the tray with no window of its own in front; the box
    // must not open behind other programs' windows.
    return MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), static_cast<UINT>(style) | MB_SETFOREGROUND);
}

} // namespace qs::win32
