#include "frmMessage.h"

#include "../app/frmMain.h"
#include "../app/time_text.h"

namespace qs::windows {

namespace {

constexpr int kQuestionIcon = 32514;
constexpr int kShortestWake = 120; // seconds
constexpr int kClientWidth = 6300, kClientHeight = 2220;
constexpr int kTextLeft = 780; // right of the icon
constexpr int kTextWidth = kClientWidth - kTextLeft - 150;

} // namespace

frmMessage::frmMessage(app::frmMain& main) : forms::Form(main.app(), "frmMessage"), main_(main) {
    using namespace forms;
    setBorderStyle(BorderStyle::FixedDialog);
    setSize(kClientWidth + 90, kClientHeight + 405);
    Label1 = &add<Label>("Label1");
    Label1->move(kTextLeft, 150, kTextWidth, 390);
    Label1->setCaption("Your system will now go to Hibernation, and will wake up automatically");
    Label2 = &add<Label>("Label2");
    Label2->move(kTextLeft, 600, 555, 195);
    Label2->setCaption("after :");
    lblTime = &add<Label>("lblTime");
    lblTime->move(kTextLeft + 600, 600, kTextWidth - 600, 195);
    lblTime->setCaption(std::string(22, '-'));
    Label3 = &add<Label>("Label3");
    Label3->move(kTextLeft, 960, kTextWidth, 195);
    Label3->setCaption("NOTE: DO NOT TURN OFF THE POWER OF YOUR COMPUTER!");
    Label3->setForeColor(rgb(128, 0, 0));
    Label4 = &add<Label>("Label4");
    Label4->move(kTextLeft, 1320, kTextWidth, 195);
    Label4->setCaption("Do you want to proceed with Hibernation?");
    cmdProceed = &add<Button>("cmdProceed");
    cmdProceed->move(kClientWidth - 3390, 1680, 1560, 375);
    cmdProceed->setCaption("Yes, Proceed");
    cmdCancel = &add<Button>("cmdCancel");
    cmdCancel->move(kClientWidth - 1710, 1680, 1560, 375);
    cmdCancel->setCaption("Cancel");
    tmrLbl = &add<Timer>("tmrLbl");
    tmrLbl->setInterval(500);

    Load = [this] { Form_Load(); };
    Paint = [this] { drawIcon(kQuestionIcon, 10, 10); };
    tmrLbl->Tick = [this] { tmrLbl_Timer(); };
    cmdCancel->Click = [this] { cmdCancel_Click(); };
    cmdProceed->Click = [this] { cmdProceed_Click(); };
}

void frmMessage::Form_Load() {
    setCaption(main_.program().globals().AppTitle);
    lblTime->setCaption(app::TimeString(main_.CalcSeconds(), true));
}

void frmMessage::tmrLbl_Timer() {
    const long seconds = main_.CalcSeconds();
    lblTime->setCaption(app::TimeString(seconds, true));
    if (seconds < kShortestWake) {
        // Refused for good: the timer stops, so nothing enables the button again.
        cmdProceed->setEnabled(false);
        lblTime->setCaption("Cannot proceed! (wake up time less than 2 minutes)");
        tmrLbl->setEnabled(false);
    }
}

void frmMessage::cmdCancel_Click() {
    tmrLbl->setEnabled(false);
    unload();
}

void frmMessage::cmdProceed_Click() {
    hide();
    auto& program = main_.program();
    const std::string settings = program.globals().AppDir + "settings.vrk";
    if (!main_.SaveSett(settings))
        program.services().errors.error("frmMessage.cmdProceed.Click", "could not write " + settings);
    main_.ResumeHibernate(static_cast<int>(main_.CalcSeconds()));
    unload();
}

} // namespace qs::windows
