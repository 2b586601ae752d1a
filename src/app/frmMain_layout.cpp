// The main window's controls and menus, with their captions, places and initial values.
#include "frmMain.h"

namespace qs::app {

namespace {

template <class T> T* place(T& control, int left, int top, int width, int height, const std::string& caption = {}) {
    control.move(left, top, width, height);
    if (!caption.empty())
        control.setCaption(caption);
    return &control;
}

} // namespace

void frmMain::CreateControls() {
    using namespace forms;

    frmeAction = place(addControl(ControlKind::Frame, "frmeAction"), 150, 120, 2085, 2805, "Select Action :");
    static const char* actions[] = {"&Shutdown",           "&Restart",  "&Log Off",       "H&ibernate*",
                                    "Hibernate && &wake*", "Stand &by", "Lock &Computer", "Remi&nder"};
    for (int i = 0; i < 8; ++i)
        optExitOption[i] =
            place(add<OptionButton>("optExitOption", frmeAction, i), 150, 270 + i * 300, 1815, 255, actions[i]);
    optExitOption[0]->setValue(true);
    for (int i : {3, 4})
        optExitOption[i]->setToolTipText("This action may not work properly on some systems");
    for (int i : {3, 4, 5, 6})
        optExitOption[i]->setEnabled(false);

    frmeSch = place(addControl(ControlKind::Frame, "frmeSch"), 2370, 120, 2745, 1845, "Schedule : ");
    Label4 = place(add<Label>("Label4", frmeSch), 150, 330, 855, 195, "Runmode :");
    cboMode = place(add<ComboBox>("cboMode", frmeSch), 1020, 285, 1575, 315);
    for (const char* mode : {"Time specific", "Selected days", "Countdown"})
        cboMode->addItem(mode);

    picWeek = place(addControl(ControlKind::Panel, "picWeek", frmeSch), 195, 720, 2385, 520);
    static const char* shortDays[] = {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"};
    static const char* days[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    for (int i = 0; i < 7; ++i) {
        Label3[i] = place(add<Label>("Label3", picWeek, i), i * 360, 0, 300, 195, shortDays[i]);
        Label3[i]->setToolTipText(days[i]);
    }
    chkWeek[0] = nullptr;
    for (int d = 1; d <= 7; ++d) {
        chkWeek[d] = place(add<CheckBox>("chkWeek", picWeek, d), (d - 1) * 360, 240, 195, 195);
        chkWeek[d]->setToolTipText(days[d - 1]);
        chkWeek[d]->setEnabled(false);
    }

    picAT = place(addControl(ControlKind::Panel, "picAT", frmeSch), 195, 1320, 2385, 375);
    lblAt = place(add<Label>("lblAt", picAT), 0, 60, 810, 195, "At time :");
    ActTime = place(add<TimePicker>("ActTime", picAT), 855, 0, 1500, 345);
    picIN = place(addControl(ControlKind::Panel, "picIN", frmeSch), 195, 1320, 2385, 375);
    picIN->setVisible(false);
    Label5 = place(add<Label>("Label5", picIN), 0, 60, 555, 195, "For :");
    txtPeriod = place(add<TextBox>("txtPeriod", picIN), 615, 0, 495, 315);
    txtPeriod->setMaxLength(3);
    txtPeriod->setText("1");
    cboTimeUnit = place(add<ComboBox>("cboTimeUnit", picIN), 1275, 0, 1090, 315);
    for (const char* unit : {"Hours", "Minutes", "Seconds"})
        cboTimeUnit->addItem(unit);

    frmeActTime = place(addControl(ControlKind::Frame, "frmeActTime"), 5520, 120, 2745, 1845, "Action details : ");
    lblActionTime = place(add<Label>("lblActionTime", frmeActTime), 150, 300, 2445, 1395);

    cmdActivate = place(add<Button>("cmdActivate"), 2370, 2130, 2755, 515, "&Activate");
    cmdActivate->setBold(true);

    frmeActOpt = place(addControl(ControlKind::Frame, "frmeActOpt"), 150, 3000, 4960, 2325, "Action Options :");
    picOptions[0] = place(addControl(ControlKind::Panel, "picOptions", frmeActOpt, 0), 60, 200, 4840, 855);
    chkForced = place(add<CheckBox>("chkForced", picOptions[0]), 90, 135, 1575, 255, "&Forced Action");
    chkExecFile =
        place(add<CheckBox>("chkExecFile", picOptions[0]), 90, 480, 2355, 255, "&Execute file before action :");
    txtExecF = place(add<TextBox>("txtExecF", picOptions[0]), 2460, 450, 1815, 315);
    txtExecF->setToolTipText("Double Click to Clear");
    cmdExecF = place(add<Button>("cmdExecF", picOptions[0]), 4320, 450, 375, 315, "...");
    txtExecF->setEnabled(false);
    cmdExecF->setEnabled(false);
    Label2[0] = place(add<Label>("Label2", picOptions[0], 0), 2220, 135, 1215, 195, "Warning Time :");
    Label2[0]->setAlignment(Alignment::Right);
    txtTimeout = place(add<TextBox>("txtTimeout", picOptions[0]), 3560, 90, 480, 315);
    txtTimeout->setMaxLength(3);
    txtTimeout->setText("10");
    txtTimeout->setToolTipText("Countdown time in seconds, before taking action");
    scrSecond = place(add<ScrollBar>("scrSecond", picOptions[0]), 4035, 90, 255, 315);
    scrSecond->setRange(-1, 300);
    scrSecond->setValue(10);
    Label2[1] = place(add<Label>("Label2", picOptions[0], 1), 4380, 135, 375, 195, "Sec.");

    picOptions[1] = place(addControl(ControlKind::Panel, "picOptions", frmeActOpt, 1), 60, 2000, 4840, 855);
    picOptions[1]->setEnabled(false);
    Label1 = place(add<Label>("Label1", picOptions[1]), 90, 135, 735, 195, "Message :");
    txtMessage = place(add<TextBox>("txtMessage", picOptions[1]), 870, 90, 3840, 315);
    txtMessage->setMaxLength(112);
    chkAlarmF = place(add<CheckBox>("chkAlarmF", picOptions[1]), 90, 480, 1815, 255, "Play Audio (Alarm) :");
    txtAlarmF = place(add<TextBox>("txtAlarmF", picOptions[1]), 1950, 450, 2325, 315);
    txtAlarmF->setToolTipText("Double Click to Clear");
    cmdAlarmF = place(add<Button>("cmdAlarmF", picOptions[1]), 4320, 450, 375, 315, "...");
    txtAlarmF->setEnabled(false);
    cmdAlarmF->setEnabled(false);

    frmeHR = place(addControl(ControlKind::Frame, "frmeHR"), 150, 3000, 4960, 1125, "Action Options :");
    frmeHR->setVisible(false);
    picOptions[2] = nullptr;
    picOptions[3] = place(addControl(ControlKind::Panel, "picOptions", frmeHR, 3), 60, 200, 4840, 855);
    chkResumeF = place(add<CheckBox>("chkResumeF", picOptions[3]), 90, 135, 2355, 255, "&Execute file after wake up :");
    txtResumeF = place(add<TextBox>("txtResumeF", picOptions[3]), 2460, 105, 1815, 315);
    txtResumeF->setToolTipText("Double Click to Clear");
    cmdResumeF = place(add<Button>("cmdResumeF", picOptions[3]), 4320, 105, 375, 315, "...");
    txtResumeF->setEnabled(false);
    cmdResumeF->setEnabled(false);
    lblWarn = place(add<Label>("lblWarn", picOptions[3]), 90, 540, 4650, 195);
    lblWarn->setBold(true);

    stsBar = &add<StatusBar>("stsBar");
    stsBar->addPanel({"Status : Inactive", "Status : Inactive", 0, false});
    stsBar->addPanel({"", "Current time", 1200, true});

    // The options live out of sight, right of the window's visible area.
    int row = 0;
    auto option = [&](const char* name, const char* caption, int value) {
        auto* box = place(add<CheckBox>(name), 6000, 120 + 300 * row++, 2400, 255, caption);
        box->setValue(value);
        return box;
    };
    chkNewVersion = option("chkNewVersion", "Auto check updates", 1);
    chkMinimized = option("chkMinimized", "Start minimized", 0);
    chkBeep = option("chkBeep", "Enable Beep", 1);
    chkHibernate = option("chkHibernate", "Enable Hibernation", 0);
    chkSaveSett = option("chkSaveSett", "Save settings on exit", 1);
    chkCloseExit = option("chkCloseExit", "Close button exits", 0);
    chkShowBalloon = option("chkShowBalloon", "Show Balloon Tips", 1);
    chkActStartup = option("chkActStartup", "Activate on startup", 0);
    chkWindowsStartup = option("chkWindowsStartup", "Start with Windows", 0);
    txtBeepFreq = place(add<TextBox>("txtBeepFreq"), 6000, 120 + 300 * row++, 800, 315);
    txtBeepFreq->setText("2000");
    txtVer = place(add<TextBox>("txtVer"), 6000, 120 + 300 * row++, 800, 315);
    IcoDisabled = place(add<Image>("IcoDisabled"), 6000, 120 + 300 * row++, 240, 240);
    IcoDisabled->setPicture("disabled");
    IcoDisabled->setVisible(false);

    tmrAction = &add<Timer>("tmrAction");
    tmrAction->setInterval(1000);
    tmrAction->setEnabled(false);
    tmrResume = &add<Timer>("tmrResume");
    tmrResume->setInterval(500);
    tmrResume->setEnabled(false);
}

void frmMain::CreateMenus() {
    mnu_menu = &addMenu("mnu_menu", "&Menu");
    mnu_activate = &mnu_menu->add("mnu_activate", "&Activate", "Ctrl+A");
    mnu_update = &mnu_menu->add("mnu_update", "Check for &updates", "Ctrl+U");
    mnu_menu->add("mnu_sep1", "-");
    mnu_exit = &mnu_menu->add("mnu_exit", "E&xit", "Ctrl+X");

    mnu_settings = &addMenu("mnu_settings", "Se&ttings");
    mnu_options = &mnu_settings->add("mnu_options", "&Options", "F2");
    mnu_settings->add("mnu_sep2", "-");
    mnu_saveset = &mnu_settings->add("mnu_saveset", "S&ave Settings", "Ctrl+S");

    mnu_minimize = &addMenu("mnu_minimize", "Minimi&ze");

    mnu_help = &addMenu("mnu_help", "&Help");
    mnu_howtouse = &mnu_help->add("mnu_howtouse", "Help Topics...", "F1");
    mnu_help->add("mnu_sep4", "-");
    mnu_comments = &mnu_help->add("mnu_comments", "Comments and Suggestions...");
    mnu_help->add("mnu_sep5", "-");
    mnu_about = &mnu_help->add("mnu_about", "&About");

    pMenu = &addMenu("pMenu", "popMenu");
    pAbout = &pMenu->add("pAbout", "Abou&t");
    pMenu->add("pSep1", "-");
    static const char* now[] = {"&Shutdown now",  "&Restart now",  "&Log Off now",
                                "H&ibernate now", "Stand &by now", "Lock &PC now"};
    for (int i = 0; i < 6; ++i)
        pAction[i] = &pMenu->add("pAction", now[i], {}, i);
    pMenu->add("pSep2", "-");
    pActivate = &pMenu->add("pActivate", "&Activate");
    pRestore = &pMenu->add("pRestore", "Restore");
    pExit = &pMenu->add("pExit", "E&xit");
}

} // namespace qs::app
