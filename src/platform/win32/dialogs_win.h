#pragma once

#include "../dialogs.h"

namespace qs::win32 {

// The system's message box, owned by the active window of this thread.
class Win32Dialogs : public platform::Dialogs {
public:
    int messageBox(const std::string& text, int style, const std::string& title) override;
};

} // namespace qs::win32
