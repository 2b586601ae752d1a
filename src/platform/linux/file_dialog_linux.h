#pragma once

#include "../file_dialog.h"

#include <QString>
#include <functional>

class QWidget;

namespace qs::linuxos {

// Qt's own file dialog (not the desktop's), so that it behaves alike everywhere: existing files,
// several at once, symbolic links kept as picked, modal over its owner's window.
class LinuxFileDialog : public platform::FileDialog {
public:
    using WindowLookup = std::function<QWidget*(const forms::Form&)>;

    // The renderer is built after the services; until it tells how to find a form's window, the
    // dialog has no owner window and centres on the screen.
    void setWindowLookup(WindowLookup lookup) { windowOf_ = std::move(lookup); }

    platform::FileDialogResult showOpen(const forms::Form* owner, const std::string& filter, const std::string& title,
                                        bool centreOverOwner) override;

private:
    WindowLookup windowOf_;
    QString previous_;     // the file confirmed last, or the folder of several
    int filterIndex_ = -1; // the filter entry confirmed last
};

} // namespace qs::linuxos
