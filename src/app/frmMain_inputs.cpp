// The main window's inputs: mode switching, the number fields' rules, the warning-time up/down
// and the optional-file boxes.
#include "frmMain.h"
#include "numbers.h"

namespace qs::app {

namespace {

constexpr int kSelectedDays = 1;
constexpr int kCountdown = 2;
constexpr int kSecondsUnit = 2;
constexpr std::uint32_t kLightRed = forms::rgb(255, 128, 128);
const std::string kTimeoutTip = "Countdown time in seconds, before taking action";
const std::string kNoCountdownTip =
    "NO COUNTDOWN WILL BE DISPLAYED, AND THE SELECTED ACTION WILL BE PERFORMED INSTANTLY";

std::string plain(double value) {
    return std::to_string(static_cast<long>(value));
}

} // namespace

void frmMain::WireInputs() {
    cboMode->Click = [this] { cboMode_Click(); };
    cboTimeUnit->Click = [this] { cboTimeUnit_Change(); };
    txtPeriod->Change = [this] { txtPeriod_Change(); };
    txtPeriod->KeyPress = [this](char& key) { txtPeriod_KeyPress(key); };
    txtPeriod->GotFocus = [this] { SelectAll(*txtPeriod); };
    txtTimeout->Change = [this] { txtTimeout_Change(); };
    txtTimeout->KeyPress = [this](char& key) { txtPeriod_KeyPress(key); };
    txtTimeout->GotFocus = [this] { SelectAll(*txtTimeout); };
    scrSecond->Change = [this] { scrSecond_Change(); };
    scrSecond->Scroll = [this] { scrSecond_Change(); };
    txtMessage->GotFocus = [this] { SelectAll(*txtMessage); };
    txtMessage->LostFocus = [this] { txtMessage_LostFocus(); };
    chkExecFile->Click = [this] { OptionalFileClick(*chkExecFile, *txtExecF, *cmdExecF); };
    chkAlarmF->Click = [this] { OptionalFileClick(*chkAlarmF, *txtAlarmF, *cmdAlarmF); };
    chkResumeF->Click = [this] { OptionalFileClick(*chkResumeF, *txtResumeF, *cmdResumeF); };
}

void frmMain::cboMode_Click() {
    const int mode = cboMode->listIndex();
    for (int d = 1; d <= 7; ++d)
        chkWeek[d]->setEnabled(mode == kSelectedDays);
    picAT->setVisible(mode != kCountdown);
    picIN->setVisible(mode == kCountdown);
    if (mode == kSelectedDays) {
        // Hibernate-and-wake wakes at a time of day, never on week days.
        if (optExitOption[4]->value()) {
            optExitOption[0]->setValue(true);
            g_.ActionName = "Shutdown";
        }
        optExitOption[4]->setEnabled(false);
    } else if (os_.power.isSuspendAllowed()) {
        optExitOption[4]->setEnabled(true);
    }
}

void frmMain::cboTimeUnit_Change() {
    if (cboTimeUnit->listIndex() == kSecondsUnit && Val(txtPeriod->text()) < 5)
        txtPeriod->setText("5");
}

void frmMain::txtPeriod_KeyPress(char& key) {
    if ((key < '0' || key > '9') && key != forms::kBackspace)
        key = 0;
}

void frmMain::SelectAll(forms::TextBox& field) {
    field.select(0, static_cast<int>(field.text().size()));
}

void frmMain::txtPeriod_Change() {
    if (Val(txtPeriod->text()) > 999)
        txtPeriod->setText("999");
    if (Val(txtPeriod->text()) < 1)
        txtPeriod->setText("1");
    if (Val(txtPeriod->text()) < 5 && cboTimeUnit->listIndex() == kSecondsUnit)
        txtPeriod->setText("5");
    txtPeriod->setText(plain(Val(txtPeriod->text())));
}

void frmMain::txtTimeout_Change() {
    if (Val(txtTimeout->text()) > 300)
        txtTimeout->setText("300");
    if (Val(txtTimeout->text()) <= 0) {
        txtTimeout->setBackColor(kLightRed);
        txtTimeout->setText("0");
        txtTimeout->setToolTipText(kNoCountdownTip);
    } else {
        txtTimeout->setBackColor(forms::kWindowBackground);
        txtTimeout->setToolTipText(kTimeoutTip);
    }
    if (txtTimeout->text().size() == 3)
        SelectAll(*txtTimeout);
    scrSecond->setValue(static_cast<int>(RoundHalfEven(Val(txtTimeout->text()))));
}

void frmMain::scrSecond_Change() {
    txtTimeout->setText(std::to_string(scrSecond->value()));
}

void frmMain::txtMessage_LostFocus() {
    if (txtMessage->text().empty())
        txtMessage->setText(kMessagePlaceholder);
}

void frmMain::OptionalFileClick(forms::CheckBox& box, forms::TextBox& field, forms::Button& picker) {
    const bool on = box.value() == 1;
    field.setEnabled(on);
    picker.setEnabled(on);
    if (on && field.text() == kSelectFile)
        picker.userClick();
}

} // namespace qs::app
