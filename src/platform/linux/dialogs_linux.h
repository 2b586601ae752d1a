#pragma once

#include "../dialogs.h"

class QMessageBox;

namespace qs::linuxos {

// Message boxes with Qt's QMessageBox.
class LinuxDialogs : public platform::Dialogs {
public:
    int messageBox(const std::string& text, int style, const std::string& title) override;

    // Gives the box the icon, buttons and texts of a style code (kept apart so tests can look at it).
    static void prepare(QMessageBox& box, const std::string& text, int style, const std::string& title);
    // The answer for the box once it has closed; closing it without a button is No, Cancel or OK.
    static int answer(const QMessageBox& box, int style);
};

} // namespace qs::linuxos
