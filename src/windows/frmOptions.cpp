#include "frmOptions.h"

#include "../actions/modShellnWait.h"
#include "../app/frmMain.h"
#include "../app/numbers.h"
#include "modSpeaker.h"

#include <cmath>
#include <cstdio>

namespace qs::windows {

namespace {

const std::string kTestSound = "&Test sound";
const std::string kStopSound = "Sto&p sound";
constexpr int kLowestFrequency = 100;
constexpr int kHighestFrequency = 10000;
constexpr int kClientWidth = 4800, kClientHeight = 4320;

// A number as the field shows it: 2000, or 2000.5 from an odd settings file.
std::string plain(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

} // namespace

frmOptions::frmOptions(app::frmMain& main) : forms::Form(main.app(), "frmOptions"), main_(main) {
    CreateControls();
    WireEvents();
}

void frmOptions::CreateControls() {
    using namespace forms;
    setCaption("Options");
    setBorderStyle(BorderStyle::FixedDialog);
    setSize(kClientWidth + 90, kClientHeight + 405);
    setKeyPreview(true);
    int row = 0;
    auto option = [&](const char* name, const char* caption) {
        auto& box = add<CheckBox>(name);
        box.move(240, 240 + 330 * row++, 4320, 255);
        box.setCaption(caption);
        return &box;
    };
    chkNewVersion = option("chkNewVersion", "Auto check for updates");
    chkMinimized = option("chkMinimized", "Start minimized (tray icon)");
    chkCloseExit = option("chkCloseExit", "Close button exits application");
    chkShowBalloon = option("chkShowBalloon", "Enable balloon tips");
    chkSaveSett = option("chkSaveSett", "Save settings on Exit");
    chkActStartup = option("chkActStartup", "Activate on startup");
    chkWindowsStartup = option("chkWindowsStartup", "Launch at windows startup");
    chkHibernate = option("chkHibernate", "Enable &hibernation");

    Frame1 = &addControl(ControlKind::Frame, "Frame1");
    Frame1->move(120, 2940, 4560, 1260);
    Frame1->setCaption("Warning Beep setup : ");
    chkBeep = &add<CheckBox>("chkBeep", Frame1);
    chkBeep->move(150, 300, 4200, 255);
    chkBeep->setCaption("Enable internal speaker &beep");
    lblFreq = &add<Label>("lblFreq", Frame1);
    lblFreq->move(150, 765, 1695, 195);
    lblFreq->setCaption("Beep Frequency (Hz) :");
    txtFreq = &add<TextBox>("txtFreq", Frame1);
    txtFreq->move(1890, 720, 735, 315);
    txtFreq->setMaxLength(5);
    txtFreq->setText("2000");
    scrFreq = &add<ScrollBar>("scrFreq", Frame1);
    scrFreq->move(2625, 720, 255, 315);
    scrFreq->setRange(kLowestFrequency, kHighestFrequency);
    scrFreq->setSmallChange(10);
    cmdPlay = &add<Button>("cmdPlay", Frame1);
    cmdPlay->move(3000, 705, 1410, 345);
    cmdPlay->setCaption(kTestSound);
    tmrPlay = &add<Timer>("tmrPlay");
    tmrPlay->setInterval(900);
    tmrPlay->setEnabled(false);
}

void frmOptions::WireEvents() {
    Load = [this] { Form_Load(); };
    KeyDown = [this](int& key, int) { Form_KeyDown(key); };
    Unload = [this](int&) { Form_Unload(); };
    chkBeep->Click = [this] { chkBeep_Click(); };
    chkHibernate->Click = [this] { chkHibernate_Click(); };
    txtFreq->KeyPress = [this](char& key) { txtFreq_KeyPress(key); };
    txtFreq->GotFocus = [this] { txtFreq->select(0, static_cast<int>(txtFreq->text().size())); };
    txtFreq->Change = [this] { txtFreq_Change(); };
    txtFreq->LostFocus = [this] { txtFreq_LostFocus(); };
    scrFreq->Change = [this] { scrFreq_Change(); };
    scrFreq->Scroll = [this] { scrFreq_Change(); };
    cmdPlay->Click = [this] { cmdPlay_Click(); };
    tmrPlay->Tick = [this] { tmrPlay_Timer(); };
}

void frmOptions::Form_Load() {
    txtFreq->setText(main_.txtBeepFreq->text());
    txtFreq_Change();
    // The arrows go on from the frequency shown. One the spinner cannot hold is left to the bounds
    // check when the field is left: opening the dialog changes no value.
    const double frequency = app::Val(txtFreq->text());
    if (frequency >= kLowestFrequency && frequency <= kHighestFrequency && frequency == std::floor(frequency))
        scrFreq->setValue(static_cast<int>(frequency));
    for (auto [mine, theirs] : {std::pair{chkWindowsStartup, main_.chkWindowsStartup},
                                {chkActStartup, main_.chkActStartup},
                                {chkMinimized, main_.chkMinimized},
                                {chkBeep, main_.chkBeep},
                                {chkSaveSett, main_.chkSaveSett},
                                {chkCloseExit, main_.chkCloseExit},
                                {chkShowBalloon, main_.chkShowBalloon},
                                {chkHibernate, main_.chkHibernate},
                                {chkNewVersion, main_.chkNewVersion}})
        mine->setValue(theirs->value());
    hibernationChanged_ = false;
    chkBeep_Click();
}

void frmOptions::Form_KeyDown(int& key) {
    if (key != forms::kKeyEscape)
        return;
    key = 0;
    unload();
}

void frmOptions::chkBeep_Click() {
    const bool on = chkBeep->value() == 1;
    txtFreq->setEnabled(on);
    scrFreq->setEnabled(on);
    cmdPlay->setEnabled(on);
}

void frmOptions::chkHibernate_Click() {
    hibernationChanged_ = chkHibernate->value() != main_.chkHibernate->value();
}

void frmOptions::txtFreq_KeyPress(char& key) {
    if ((key < '0' || key > '9') && key != forms::kBackspace)
        key = 0;
}

void frmOptions::txtFreq_Change() {
    txtFreq->setText(plain(app::Val(txtFreq->text())));
}

void frmOptions::txtFreq_LostFocus() {
    if (app::Val(txtFreq->text()) > kHighestFrequency)
        txtFreq->setText(std::to_string(kHighestFrequency));
    if (app::Val(txtFreq->text()) < kLowestFrequency)
        txtFreq->setText(std::to_string(kLowestFrequency));
    scrFreq->setValue(static_cast<int>(app::RoundHalfEven(app::Val(txtFreq->text()))));
    main_.txtBeepFreq->setText(txtFreq->text());
}

void frmOptions::scrFreq_Change() {
    txtFreq->setText(std::to_string(scrFreq->value()));
}

void frmOptions::cmdPlay_Click() {
    if (cmdPlay->caption() == kTestSound) {
        tmrPlay->setEnabled(true);
        cmdPlay->setCaption(kStopSound);
    } else {
        // The timer stops itself at its next tick.
        cmdPlay->setCaption(kTestSound);
    }
}

void frmOptions::tmrPlay_Timer() {
    if (cmdPlay->caption() == kTestSound) {
        tmrPlay->setEnabled(false);
        return;
    }
    const auto frequency = static_cast<int>(app::RoundHalfEven(app::Val(txtFreq->text())));
    SpeakerBeep(main_.program().services(), frequency, 100);
}

void frmOptions::Form_Unload() {
    tmrPlay->setEnabled(false);
    main_.txtBeepFreq->setText(txtFreq->text());
    for (auto [mine, theirs] : {std::pair{chkActStartup, main_.chkActStartup},
                                {chkWindowsStartup, main_.chkWindowsStartup},
                                {chkSaveSett, main_.chkSaveSett},
                                {chkCloseExit, main_.chkCloseExit},
                                {chkShowBalloon, main_.chkShowBalloon},
                                {chkHibernate, main_.chkHibernate},
                                {chkBeep, main_.chkBeep},
                                {chkMinimized, main_.chkMinimized},
                                {chkNewVersion, main_.chkNewVersion}})
        theirs->setValue(mine->value());
    // Without hibernation, an action that needs it becomes Shutdown, changed here or not.
    if (chkHibernate->value() == 0)
        main_.SelectShutdownInsteadOfHibernation();
    if (hibernationChanged_) {
        hide();
        SwitchHibernation();
    }
}

void frmOptions::SwitchHibernation() {
    auto& os = main_.program().services();
    const auto& title = main_.program().globals().AppTitle;
    if (chkHibernate->value() == 1) {
        actions::RunAndWait(os.processes, "POWERCFG.EXE /HIBERNATE ON");
        if (!os.power.isHibernateAllowed())
            os.dialogs.messageBox("TTTHHHThere was an error Enabling Hibernate!     ", platform::kStyleCritical, title);
    } else {
        actions::RunAndWait(os.processes, "POWERCFG.EXE /HIBERNATE OFF");
        if (os.power.isHibernateAllowed())
            os.dialogs.messageBox("There was an error Disabling Hibernate!     ", platform::kStyleCritical, title);
    }
    // The main window's box says what the system now allows, whatever was asked for.
    main_.chkHibernate->setValue(os.power.isHibernateAllowed() ? 1 : 0);
}

} // namespace qs::windows
