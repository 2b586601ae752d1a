// The options dialog, opened from the main window's menu and closed with it at exit.
#include "../app/frmMain.h"
#include "frmOptions.h"

namespace qs::app {

void frmMain::mnu_options_Click() {
    if (options_)
        return;
    windows::frmOptions options(*this);
    options_ = &options;
    options.showModal();
    options_ = nullptr;
}

void frmMain::CloseOptionsDialog() {
    // Its unload copies the edits back, so they are saved with the other settings.
    if (options_)
        options_->unload();
}

} // namespace qs::app
