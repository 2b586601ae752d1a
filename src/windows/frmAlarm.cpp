#include "frmAlarm.h"

#include "../app/frmMain.h"
#include "../app/globals.h"
#include "../app/modMisc.h"

namespace qs::windows {

namespace {

constexpr int kClientHeight = 1770;
constexpr int kInformationIcon = 32516;

// The part after the last folder separator. Windows paths use "\"; the platform's own separator
// counts too, so a Linux path shows its file name.
std::string FileName(const std::string& path, char separator) {
    const size_t cut = path.find_last_of(std::string{'\\', separator});
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace

frmAlarm::frmAlarm(app::frmMain& main) : forms::Form(main.app(), "frmAlarm"), main_(main) {
    using namespace forms;
    setCaption(":: Quorrel Shutdown " + std::to_string(app::kVersionMajor) + "." + std::to_string(app::kVersionMinor) +
               " - Reminder ::");
    setBorderStyle(BorderStyle::FixedDialog);
    setSize(4800, kClientHeight + 405);
    lblAlarmM = &add<Label>("lblAlarmM");
    lblAlarmM->move(840, 420, 2310, 255); // right of the icon
    lblAlarmM->setFont("Arial", 9.75);
    lblAlarmM->setBold(true);
    lblAlarmM->setAutoSize(true);
    cmdOk = &add<Button>("cmdOk");
    cmdOk->move(1800, 1020, 1200, 375);
    cmdOk->setCaption("Close");
    stsBar = &add<StatusBar>("stsBar");
    stsBar->addPanel({});

    lblAlarmM->Change = [this] { lblAlarmM_Change(); };
    Load = [this] { Form_Load(); };
    Activate = [this] { app::SetTopMost(*this, true); };
    Paint = [this] { Form_Paint(); };
    Unload = [this](int&) { Form_Unload(); };
    cmdOk->Click = [this] { cmdOk_Click(); };

    lblAlarmM->setCaption(main_.txtMessage->text());
}

void frmAlarm::lblAlarmM_Change() {
    setSize(lblAlarmM->width() + 1500, height());
    cmdOk->setLeft(width() / 2 - cmdOk->width() / 2);
}

void frmAlarm::Form_Load() {
    auto& os = main_.program().services();
    if (main_.chkAlarmF->value() != 1) {
        stsBar->setPanelText(1, "Media File Not Loaded");
        stsBar->setPanelToolTip(1, "");
        return;
    }
    const std::string path = main_.txtAlarmF->text();
    try {
        player_ = os.media.createPlayer();
        if (player_ && player_->renderFile(path)) {
            player_->run();
            player_->setPosition(0);
        }
    } catch (...) {
        // A file that cannot be played is silent; the panel still names it.
        os.errors.error("frmAlarm.Load", platform::currentErrorText());
    }
    stsBar->setPanelText(1, "File to Play : " + FileName(path, os.files.pathSeparator()));
    stsBar->setPanelToolTip(1, "File Path = " + path);
}

void frmAlarm::Form_Paint() {
    drawIcon(kInformationIcon, 15, 20);
}

void frmAlarm::cmdOk_Click() {
    const std::string file = main_.program().globals().AppDir + "settings.vrk";
    if (!main_.SaveSett(file))
        main_.program().services().errors.error("frmAlarm.cmdOk.Click", "could not write " + file);
    unload();
}

void frmAlarm::Form_Unload() {
    if (player_) {
        try {
            player_->stop();
        } catch (...) {
            main_.program().services().errors.error("frmAlarm.Unload", platform::currentErrorText());
        }
    }
    app::SetTopMost(*this, false);
    main_.unload();
}

} // namespace qs::windows
