// The main window's life: creation, start-up, close requests, exit, and the start and exit menus.
#include "frmMain.h"

#include "../settings/modStartup.h"
#include "../shell/cSystray.h"
#include "../update/Downloader.h"
#include "../windows/frmAction.h"
#include "../windows/frmAlarm.h"
#include "modMisc.h"

namespace qs::app {

using platform::kAnswerYes;

frmMain::frmMain(Program& program)
    : forms::Form(program.application(), "frmMain"), program_(program), os_(program.services()), g_(program.globals()) {
    CreateControls();
    CreateMenus();
    WireEvents();
    WireInputs();
    WireFileFields();
    WireHibernation();
    WireUpdate();
    WireInformation();
    Form_Initialize();
}

frmMain::~frmMain() = default;

void frmMain::WireEvents() {
    Load = [this] { Form_Load(); };
    QueryUnload = [this](int& cancel, int mode) { Form_QueryUnload(cancel, mode); };
    Unload = [this](int&) { Form_Unload(); };
    mnu_exit->Click = [this] { mnu_exit_Click(); };
    pExit->Click = [this] { mnu_exit_Click(); };
    mnu_minimize->Click = [this] { mnu_minimize_Click(); };
    mnu_saveset->Click = [this] { mnu_saveset_Click(); };
    cmdActivate->Click = [this] { cmdActivate_Click(); };
    mnu_activate->Click = [this] { cmdActivate_Click(); };
    pActivate->Click = [this] { cmdActivate_Click(); };
    tmrAction->Tick = [this] { tmrAction_Timer(); };
    for (int i = 0; i < 6; ++i)
        pAction[i]->Click = [this, i] { pAction_Click(i); };
    pRestore->Click = [this] { pRestore_Click(); };
    mnu_options->Click = [this] { mnu_options_Click(); };
}

void frmMain::Form_Initialize() {
    g_.AppTitle = ":: Quorrel Shutdown " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + " ::";
    setCaption(g_.AppTitle);
    setIcon("main");
    setMinButton(true);
    setSize(5355, 5280);
    frmeActOpt->setHeight(1125);
    frmeSch->setWidth(2745);
    pMenu->setVisible(false);
}

void frmMain::Form_Load() {
    if (os_.processes.anotherInstanceRunning()) {
        os_.dialogs.messageBox("Quorrel Shutdown is already Running!     \r"
                               "You may find me at the system tray (near the clock)   ",
                               platform::kStyleInformation, g_.AppTitle);
        // Ends at once: nothing is saved, registered or put into the tray.
        showAfterLoad_ = false;
        app().endProgram();
        return;
    }
    InstallMainWindowProc();

    g_.AppDir = os_.files.programFolder();
    const char separator = os_.files.pathSeparator();
    if (g_.AppDir.empty() || g_.AppDir.back() != separator)
        g_.AppDir += separator;
    g_.ActionName = "Shutdown";

    chkHibernate->setValue(os_.power.isHibernateAllowed() ? 1 : 0);

    canSuspend_ = os_.power.isSuspendAllowed();
    isNt_ = GetWindowsFamily(os_.power) == "Windows NT";
    SelectShutdownIfUnavailable();
    for (int i : {3, 4, 5})
        optExitOption[i]->setEnabled(canSuspend_);
    for (int i : {3, 4})
        pAction[i]->setEnabled(canSuspend_);

    optExitOption[6]->setEnabled(isNt_);
    pAction[5]->setEnabled(isNt_);

    if (os_.files.exists(g_.AppDir + "ssoe"))
        LoadSettExit(g_.AppDir + "ssoe");
    if (os_.files.exists(g_.AppDir + "settings.vrk")) {
        LoadSett(g_.AppDir + "settings.vrk");
        // A settings file written on another machine may choose what this one cannot do.
        SelectShutdownIfUnavailable();
    } else {
        cboMode->setListIndex(2);
        cboTimeUnit->setListIndex(0);
    }

    if (chkMinimized->value() == 1) {
        showAfterLoad_ = !os_.tray.available();
        minimizeAfterLoad_ = showAfterLoad_;
    }

    for (forms::TextBox* field : {txtAlarmF, txtExecF, txtResumeF})
        if (field->text().empty())
            field->setText(kSelectFile);
    if (txtMessage->text().empty())
        txtMessage->setText(kMessagePlaceholder);

    if (txtAlarmF->text() != kSelectFile && !os_.files.exists(txtAlarmF->text())) {
        chkAlarmF->setValue(0);
        txtAlarmF->setText(kSelectFile);
    }

    TrayCreate();

    if (chkActStartup->value() == 1 && cmdActivate->caption() == "&Activate")
        cmdActivate_Click();

    if (chkNewVersion->value() != 0 && !tmrAction->enabled()) {
        mnu_update->setEnabled(false);
        os_.files.remove(g_.AppDir + "tmp_ver");
        BeginVersionDownload(g_.AppDir + "tmp_ver");
    }
}

void frmMain::SelectShutdownIfUnavailable() {
    const bool unavailable =
        (!canSuspend_ && (optExitOption[5]->value() || optExitOption[3]->value() || optExitOption[4]->value())) ||
        (!isNt_ && optExitOption[6]->value());
    if (unavailable)
        optExitOption[0]->setValue(true);
}

void frmMain::Form_QueryUnload(int& cancel, int mode) {
    if (mode == forms::kFormControlMenu && chkCloseExit->value() == 0) {
        cancel = 1;
        HideToTray();
        TraySetIcon(tmrAction->enabled());
        if (chkShowBalloon->value() == 1 && !tmrAction->enabled())
            TrayBalloon("I am here....", 1500);
        return;
    }
    switch (mode) {
    case forms::kFormControlMenu:
    case forms::kFormCode:
    case forms::kAppTaskManager:
        if (tmrAction->enabled()) {
            if (os_.dialogs.messageBox("Quorrel Shutdown is Active. Do you want to Deactivate and Exit?   ",
                                       platform::kStyleYesNoCritical, g_.AppTitle) == kAnswerYes) {
                cancel = 0;
                cmdActivate_Click();
            } else {
                cancel = 1;
            }
        } else {
            cancel = 0;
        }
        break;
    case forms::kAppWindows:
        cancel = 0;
        if (tmrAction->enabled())
            cmdActivate_Click();
        break;
    default:
        break;
    }
}

void frmMain::Form_Unload() {
    RestoreMainWindowProc();
    CloseOptionsDialog();
    // Nobody is left to tell at exit: a file that cannot be written is only logged.
    if (!SaveSettExit(g_.AppDir + "ssoe"))
        os_.errors.error("frmMain.Unload", "could not write " + g_.AppDir + "ssoe");
    if (chkSaveSett->value() == 1 && !SaveSett(g_.AppDir + "settings.vrk"))
        os_.errors.error("frmMain.Unload", "could not write " + g_.AppDir + "settings.vrk");
    ApplyStartupEntry();
    if (tmrAction->enabled())
        tmrAction->setEnabled(false);
    TrayRelease();
}

void frmMain::ApplyStartupEntry() {
    std::string exe = os_.files.exeName();
    if (const size_t dot = exe.rfind('.'); dot != std::string::npos)
        exe.erase(dot);
    const std::string data = "\"" + g_.AppDir + exe + ".exe\"";
    settings::SetStartupEntry(os_.registry, "QShutdown22", data, chkWindowsStartup->value() == 1);
}

void frmMain::mnu_exit_Click() {
    close(forms::kFormCode);
}

void frmMain::mnu_minimize_Click() {
    HideToTray();
}

void frmMain::pRestore_Click() {
    show();
}

void frmMain::mnu_saveset_Click() {
    const std::string file = g_.AppDir + "settings.vrk";
    const bool saved = SaveSett(file);
    ApplyStartupEntry();
    if (saved)
        os_.dialogs.messageBox("Settings are saved successfully!     ", platform::kStyleInformation, g_.AppTitle);
    else
        os_.dialogs.messageBox("The settings could not be saved to the file:\r" + file + "     ",
                               platform::kStyleExclamation, g_.AppTitle);
}

} // namespace qs::app
