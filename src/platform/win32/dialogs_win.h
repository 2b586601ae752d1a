#pragma once

#include "../dialogs.h"

namespace qs::win32 {

// The system's message box, owned by the active window of this thread, else by the program's window
// in front; with none shown, a box of its own on the task bar with the program's icon.
class Win32Dialogs : public platform::Dialogs {
public:
    int messageBox(const std::string& text, int style, const std::string& title) override;
};

} // namespace qs::win32
