#pragma once

#include "../file_dialog.h"
#include "window_lookup_win.h"

#include <string>

namespace qs::win32 {

// The common file-open dialog (GetOpenFileNameA, explorer style, several names allowed), centred
// when it first activates. The name confirmed last and the filter entry chosen last are kept for
// the next use, whichever picker opens it.
class Win32FileDialog : public platform::FileDialog {
public:
    // Without it every dialog is shown without an owner, centred on the screen.
    void setWindowLookup(WindowLookup lookup) { windowOf_ = std::move(lookup); }

    platform::FileDialogResult showOpen(const forms::Form* owner, const std::string& filter, const std::string& title,
                                        bool centreOverOwner) override;

private:
    WindowLookup windowOf_;
    std::string lastName_; // what the name box shows next time
    DWORD filterIndex_ = 0;
};

} // namespace qs::win32
