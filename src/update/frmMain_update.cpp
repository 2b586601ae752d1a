// The update check: at start-up and from the menu, the version file fetched by the download
// control, and the offer of the download page.
#include "../app/frmMain.h"
#include "Downloader.h"
#include "maker_site.h"
#include "version_number.h"

namespace qs::app {

namespace {

const std::string kVersionFile = "/product/vrk_curver.txt";
const std::string kDownloadPage = "/product/vrk.html";
const std::string kStartupFile = "tmp_ver";
const std::string kMenuFile = "tmp_ver2";
constexpr size_t kLongestVersionFile = 64 * 1024;
constexpr int kMaximized = 3;

} // namespace

void frmMain::WireUpdate() {
    DL = std::make_unique<update::Downloader>(os_, "frmMain.DL");
    DL->DownloadError = [this](const std::string& SaveFile) { DL_DownloadError(SaveFile); };
    DL->DownloadComplete = [this](long, const std::string& SaveFile) { DL_DownloadComplete(SaveFile); };
    mnu_update->Click = [this] { mnu_update_Click(); };
}

void frmMain::BeginVersionDownload(const std::string& saveFile) {
    DL->BeginDownload(update::MakerSite() + kVersionFile, saveFile);
}

void frmMain::mnu_update_Click() {
    mnu_update->setEnabled(false);
    setCaption(g_.AppTitle + " Checking for updates...");
    os_.files.remove(g_.AppDir + kMenuFile);
    BeginVersionDownload(g_.AppDir + kMenuFile);
}

void frmMain::DL_DownloadError(const std::string& SaveFile) {
    if (SaveFile == g_.AppDir + kMenuFile)
        os_.dialogs.messageBox("Error connecting server!\r"
                               "Please check your internet connection and try again.    ",
                               platform::kStyleExclamation, g_.AppTitle);
}

void frmMain::DL_DownloadComplete(const std::string& SaveFile) {
    const bool startup = SaveFile == g_.AppDir + kStartupFile;
    if (!startup && SaveFile != g_.AppDir + kMenuFile)
        return;
    mnu_update->setEnabled(true);
    if (!startup)
        setCaption(g_.AppTitle);
    if (!os_.files.exists(SaveFile))
        return;
    txtVer->setText("");
    LoadVersionFile(SaveFile);
    os_.files.remove(SaveFile);
    const double published = update::ReadVersion(txtVer->text());
    if (startup)
        CheckNewVersion(published);
    else
        CheckNewVersionManual(published);
}

void frmMain::LoadVersionFile(const std::string& path) {
    // Only the number at its start matters: whatever lies in the file, no more than 64 KiB is kept.
    const auto text = os_.files.readAll(path);
    if (text)
        txtVer->setText(text->substr(0, kLongestVersionFile));
}

bool frmMain::OfferNewVersion(double published) {
    if (published <= update::RunningVersion())
        return false;
    if (os_.dialogs.messageBox("There is a update to version " + update::VersionText(published) +
                                   " is available!    \rDo you want to download it now?",
                               platform::kStyleYesNoInformation, g_.AppTitle) == platform::kAnswerYes)
        os_.processes.shellOpen(update::MakerSite() + kDownloadPage, kMaximized);
    return true;
}

void frmMain::CheckNewVersion(double published) {
    OfferNewVersion(published);
}

void frmMain::CheckNewVersionManual(double published) {
    if (!OfferNewVersion(published) && published > 0)
        os_.dialogs.messageBox("Sorry, No new updates are available!     ", platform::kStyleInformation, g_.AppTitle);
}

} // namespace qs::app
