#include "demo_form.h"

namespace qs::test {

using namespace forms;

DemoForm::DemoForm(Application& app) : Form(app, "frmDemo") {
    setCaption("Demo && test");
    setIcon("main");
    setMinButton(true);
    setSize(6000, 4500); // 400 x 300 pixels outside

    fraChoice = &addControl(ControlKind::Frame, "fraChoice");
    fraChoice->move(150, 120, 2400, 1200);
    fraChoice->setCaption("&Choice :");
    for (int i = 0; i < 3; ++i) {
        optChoice[i] = &add<OptionButton>("optChoice", fraChoice, i);
        optChoice[i]->move(150, 270 + 300 * i, 1800, 255);
        optChoice[i]->setCaption("Option &" + std::to_string(i + 1));
        optChoice[i]->Click = [this, i] { events.push_back("optChoice(" + std::to_string(i) + ").Click"); };
    }
    optChoice[0]->setValue(true);

    lblNumber = &add<Label>("lblNumber");
    lblNumber->move(2700, 150, 900, 195);
    lblNumber->setCaption("&Number:");
    lblNumber->setAlignment(Alignment::Right);
    txtNumber = &add<TextBox>("txtNumber");
    txtNumber->move(3700, 120, 900, 315);
    txtNumber->setMaxLength(4);
    txtNumber->KeyPress = [this](char& key) {
        events.push_back(std::string("KeyPress ") + (key == kBackspace ? "BS" : std::string(1, key)));
        if ((key < '0' || key > '9') && key != kBackspace)
            key = 0;
    };
    txtNumber->Change = [this] { events.push_back("Change " + txtNumber->text()); };
    txtNumber->GotFocus = [this] {
        events.push_back("txtNumber.GotFocus");
        txtNumber->select(0, static_cast<int>(txtNumber->text().size()));
    };
    txtNumber->DblClick = [this] { events.push_back("txtNumber.DblClick"); };

    lblFitted = &add<Label>("lblFitted");
    lblFitted->move(2700, 1500, 300, 255);
    lblFitted->setFont("Arial", 9.75);
    lblFitted->setBold(true);
    lblFitted->setForeColor(rgb(128, 0, 0));
    lblFitted->setCaption("&Fitted");
    lblFitted->setAutoSize(true);

    chkRevert = &add<CheckBox>("chkRevert");
    chkRevert->move(2700, 500, 1800, 255);
    chkRevert->setCaption("Stays &off");
    // Its handler undoes every change: the widget must show the model, not the click.
    chkRevert->Click = [this] {
        events.push_back("chkRevert.Click");
        chkRevert->setValue(0);
    };
    chkPlain = &add<CheckBox>("chkPlain");
    chkPlain->move(2700, 800, 1800, 255);
    chkPlain->setCaption("Rock && roll");
    chkPlain->Click = [this] { events.push_back("chkPlain.Click " + std::to_string(chkPlain->value())); };

    cboUnit = &add<ComboBox>("cboUnit");
    cboUnit->move(2700, 1100, 1500, 315);
    for (const char* unit : {"Hours", "Minutes", "Seconds"})
        cboUnit->addItem(unit);
    cboUnit->setListIndex(1);
    cboUnit->Click = [this] { events.push_back("cboUnit.Click " + cboUnit->text()); };

    scrValue = &add<ScrollBar>("scrValue");
    scrValue->move(4300, 1100, 255, 315);
    scrValue->setRange(-1, 300);
    scrValue->setSmallChange(5);
    scrValue->setValue(10);
    scrValue->Change = [this] { events.push_back("scrValue.Change " + std::to_string(scrValue->value())); };

    dtpAt = &add<TimePicker>("dtpAt");
    dtpAt->move(150, 1500, 1500, 345);
    dtpAt->setSecondsOfDay(8 * 3600);
    dtpAt->Change = [this] { events.push_back("dtpAt.Change " + std::to_string(dtpAt->secondsOfDay())); };

    prgDone = &add<ProgressBar>("prgDone");
    prgDone->move(150, 2000, 3000, 195);
    prgDone->setRange(0, 10);
    prgDone->setValue(3);

    picBox = &addControl(ControlKind::Panel, "picBox");
    picBox->move(150, 2300, 3000, 600);
    lblInside = &add<Label>("lblInside", picBox);
    lblInside->move(60, 60, 2800, 400);
    lblInside->setCaption("First line\r\nSecond line");

    imgIcon = &add<Image>("imgIcon");
    imgIcon->move(3300, 2300, 480, 480);
    imgIcon->setPicture("disabled");

    cmdCancel = &add<Button>("cmdCancel");
    cmdCancel->move(4200, 2300, 1200, 375);
    cmdCancel->setCaption("&Cancel");
    cmdCancel->setCancel(true);
    cmdCancel->setBold(true);
    cmdCancel->Click = [this] { events.push_back("cmdCancel.Click"); };

    stsBar = &add<StatusBar>("stsBar");
    stsBar->addPanel({"Ready", "What happens", 0, false});
    stsBar->addPanel({"", "Current time", 1200, true});

    tmrTick = &add<Timer>("tmrTick");
    tmrTick->setEnabled(false);

    mnuFile = &addMenu("mnuFile", "&File");
    mnuOpen = &mnuFile->add("mnuOpen", "&Open", "Ctrl+O");
    mnuFile->add("mnuSep", "-");
    mnuQuit = &mnuFile->add("mnuQuit", "&Quit", "F2");
    mnuAbout = &addMenu("mnuAbout", "&About");
    mnuPopup = &addMenu("mnuPopup", "Popup");
    mnuPopupItem = &mnuPopup->add("mnuPopupItem", "Popup item");
    mnuPopup->setVisible(false);
    mnuOpen->Click = [this] { events.push_back("mnuOpen.Click"); };
    mnuQuit->Click = [this] { events.push_back("mnuQuit.Click"); };
    mnuAbout->Click = [this] { events.push_back("mnuAbout.Click"); };

    Paint = [this] {
        ++paints;
        drawIcon(32514, kIconX, kIconY);
    };
    QueryUnload = [this](int& cancel, int mode) {
        events.push_back("QueryUnload " + std::to_string(mode));
        cancel = cancelQueryUnload;
    };
}

} // namespace qs::test
