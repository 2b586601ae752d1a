#pragma once

#include "../file_dialog.h"

namespace qs::win32 {

class Win32FileDialog : public platform::FileDialog {
public:
    platform::FileDialogResult showOpen(const forms::Form*, const std::string&, const std::string&, bool) override {
        return {}; // SCAFFOLD
    }
};

} // namespace qs::win32
