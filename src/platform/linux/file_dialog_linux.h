#pragma once

#include "../file_dialog.h"

namespace qs::linuxos {

class LinuxFileDialog : public platform::FileDialog {
public:
    platform::FileDialogResult showOpen(const forms::Form*, const std::string&, const std::string&, bool) override {
        return {}; // SCAFFOLD
    }
};

} // namespace qs::linuxos
