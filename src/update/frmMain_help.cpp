// About, help and feedback: the about box, the help file and the feedback page.
#include "../app/frmMain.h"
#include "../windows/frmAbout.h"
#include "maker_site.h"

namespace qs::app {

namespace {

const std::string kHelpFile = "vrk22.chm";
const std::string kFeedbackPage = "/product/vrk-comments.html";
constexpr int kNormalWindow = 1;
constexpr int kMaximized = 3;

} // namespace

void frmMain::WireInformation() {
    mnu_howtouse->Click = [this] { mnu_howtouse_Click(); };
    mnu_comments->Click = [this] { mnu_comments_Click(); };
    mnu_about->Click = [this] { ShowAbout(); };
    pAbout->Click = [this] { ShowAbout(); };
}

void frmMain::ShowAbout() {
    // The tray's menu still works while the box is open: one box at a time.
    if (about_)
        return;
    windows::frmAbout about(*this);
    about_ = &about;
    about.showModal();
    about_ = nullptr;
}

void frmMain::mnu_howtouse_Click() {
    const std::string path = g_.AppDir + kHelpFile;
    if (os_.files.exists(path))
        os_.processes.shellOpen(path, kNormalWindow);
    else
        os_.dialogs.messageBox("Help file is not installed!\r"
                               "Please reinstall the appliation with the help files.     ",
                               platform::kStyleExclamation, g_.AppTitle);
}

void frmMain::mnu_comments_Click() {
    os_.processes.shellOpen(update::MakerSite() + kFeedbackPage, kMaximized);
}

} // namespace qs::app
