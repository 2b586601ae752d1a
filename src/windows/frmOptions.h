#pragma once

#include "../forms/button.h"
#include "../forms/check_box.h"
#include "../forms/form.h"
#include "../forms/label.h"
#include "../forms/scroll_bar.h"
#include "../forms/text_box.h"
#include "../forms/timer.h"

namespace qs::app {
class frmMain;
}

namespace qs::windows {

// The general options. The values live in the main window's hidden controls: copied in when the
// dialog opens, back when it closes, however it closes. Closing also switches the system's
// hibernation on or off when that box was changed.
class frmOptions : public forms::Form {
public:
    explicit frmOptions(app::frmMain& main);

    forms::CheckBox* chkNewVersion;
    forms::CheckBox* chkMinimized;
    forms::CheckBox* chkCloseExit;
    forms::CheckBox* chkShowBalloon;
    forms::CheckBox* chkSaveSett;
    forms::CheckBox* chkActStartup;
    forms::CheckBox* chkWindowsStartup;
    forms::CheckBox* chkHibernate;
    forms::Control* Frame1;
    forms::CheckBox* chkBeep;
    forms::Label* lblFreq;
    forms::TextBox* txtFreq;
    forms::ScrollBar* scrFreq;
    forms::Button* cmdPlay;
    forms::Timer* tmrPlay;

private:
    void CreateControls();
    void WireEvents();
    void Form_Load();
    void Form_KeyDown(int& key);
    void Form_Unload();
    void chkBeep_Click();
    void chkHibernate_Click();
    void txtFreq_KeyPress(char& key);
    void txtFreq_Change();
    void txtFreq_LostFocus();
    void scrFreq_Change();
    void cmdPlay_Click();
    void tmrPlay_Timer();
    // Switches the system's hibernation as the box now says, and tells when that failed.
    void SwitchHibernation();

    app::frmMain& main_;
    bool hibernationChanged_ = false;
};

} // namespace qs::windows
