#include "frmAction.h"

#include "../app/frmMain.h"
#include "../app/modMisc.h"
#include "../app/numbers.h"
#include "modSpeaker.h"

#include <cstdio>

namespace qs::windows {

namespace {

// A number as the sentence shows it: 10, or 2.5.
std::string plain(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

} // namespace

frmAction::frmAction(app::frmMain& main) : forms::Form(main.app(), "frmAction"), main_(main) {
    using namespace forms;
    setCaption(" Warning!");
    setBorderStyle(BorderStyle::FixedDialog);
    setSize(5415 + 90, 1485 + 405); // a client area of 5415 x 1485
    setKeyPreview(true);
    lblMessage = &add<Label>("lblMessage");
    lblMessage->move(150, 250, 5115, 240);
    lblMessage->setCaption("-----------");
    lblMessage->setBold(true);
    chk_mute = &add<CheckBox>("chk_mute");
    chk_mute->move(180, 825, 1215, 195);
    chk_mute->setCaption("&Sound mute");
    cmdNow = &add<Button>("cmdNow");
    cmdNow->move(3000, 780, 1065, 315);
    cmdNow->setCaption("Now");
    cmdCancel = &add<Button>("cmdCancel");
    cmdCancel->move(4200, 780, 1065, 315);
    cmdCancel->setCaption("Cancel");
    cmdCancel->setCancel(true);
    prgBar = &add<ProgressBar>("prgBar");
    prgBar->move(0, 1485 - 195, 5415, 195);
    prgBar->setRange(0, 100);
    tmrProgress = &add<Timer>("tmrProgress");
    tmrProgress->setInterval(1000);
    tmrProgress->setTag("0");

    Load = [this] { Form_Load(); };
    Activate = [this] { app::SetTopMost(*this, true); };
    KeyDown = [this](int& key, int) {
        if (key == kKeyEscape) {
            key = 0;
            cmdCancel_Click();
        }
    };
    QueryUnload = [this](int& cancel, int mode) { Form_QueryUnload(cancel, mode); };
    Unload = [this](int&) { Form_Unload(); };
    tmrProgress->Tick = [this] { tmrProgress_Timer(); };
    chk_mute->Click = [this] { chk_mute_Click(); };
    cmdNow->Click = [this] { cmdNow_Click(); };
    cmdCancel->Click = [this] { cmdCancel_Click(); };
}

int frmAction::Elapsed() const {
    return static_cast<int>(app::Val(tmrProgress->tag()));
}

void frmAction::ShowRemaining() {
    lblMessage->setCaption("Action: " + main_.program().globals().ActionName + ", will be performed in " +
                           plain(WarnSeconds - Elapsed()) + " Seconds.");
}

void frmAction::Form_Load() {
    setCaption(main_.program().globals().AppTitle + " Warning!");
    chk_mute->setValue(main_.chkBeep->value() == 1 ? 0 : 1);
    WarnSeconds = app::Val(main_.txtTimeout->text());
    prgBar->setRange(0, static_cast<int>(WarnSeconds));
    if (chk_mute->value() != 1)
        tmrProgress->setInterval(900); // the tone of each tick takes the other 100 ms
    ShowRemaining();
}

void frmAction::tmrProgress_Timer() {
    if (Elapsed() < WarnSeconds) {
        const int elapsed = Elapsed() + 1;
        tmrProgress->setTag(std::to_string(elapsed));
        prgBar->setValue(elapsed);
        if (chk_mute->value() != 1) {
            tmrProgress->setInterval(900);
            const int frequency = static_cast<int>(app::RoundHalfEven(app::Val(main_.txtBeepFreq->text())));
            SpeakerBeep(main_.program().services(), frequency, 100);
            // The 9x tone lets events run: the window may have been closed meanwhile.
            if (!isLoaded())
                return;
        } else {
            tmrProgress->setInterval(1000);
        }
        ShowRemaining();
        if (elapsed < WarnSeconds)
            return;
    }
    Act();
}

void frmAction::chk_mute_Click() {
    tmrProgress->setInterval(chk_mute->value() == 1 ? 1000 : 900);
}

void frmAction::cmdNow_Click() {
    Act();
}

void frmAction::Act() {
    // "Now" while the action is under way (its pause and power call let events run) is late:
    // the action is already being carried out, and the window closes when it is done.
    if (main_.ActionUnderWay())
        return;
    tmrProgress->setEnabled(false);
    main_.PerformAction();
    unload();
}

void frmAction::StopAndStepBack() {
    tmrProgress->setEnabled(false);
    app::SetTopMost(*this, false);
    hide();
}

void frmAction::cmdCancel_Click() {
    setFocus(*chk_mute);
    StopAndStepBack();
    auto& g = main_.program().globals();
    main_.program().services().dialogs.messageBox("Action " + g.ActionName + ", has been cancelled by the user!   ",
                                                  platform::kStyleInformation, g.AppTitle);
    unload();
    main_.unload();
}

void frmAction::Form_QueryUnload(int& cancel, int mode) {
    if (mode != forms::kFormControlMenu)
        return;
    StopAndStepBack();
    auto& g = main_.program().globals();
    main_.program().services().dialogs.messageBox(g.ActionName + " has been cancelled by user!   ",
                                                  platform::kStyleInformation, g.AppTitle);
    cancel = 0;
}

void frmAction::Form_Unload() {
    tmrProgress->setEnabled(false);
    app::SetTopMost(*this, false);
    main_.unload();
}

} // namespace qs::windows
