#pragma once

#include "../forms/button.h"
#include "../forms/check_box.h"
#include "../forms/form.h"
#include "../forms/label.h"
#include "../forms/progress_bar.h"
#include "../forms/timer.h"

namespace qs::app {
class frmMain;
}

namespace qs::windows {

// The warning window: counts the warning time down with beeps, then carries out the action.
// However it closes, it closes the main window too.
class frmAction : public forms::Form {
public:
    explicit frmAction(app::frmMain& main);

    forms::Label* lblMessage;
    forms::CheckBox* chk_mute;
    forms::Button* cmdNow;
    forms::Button* cmdCancel;
    forms::ProgressBar* prgBar;
    forms::Timer* tmrProgress;

private:
    void Form_Load();
    void tmrProgress_Timer();
    void chk_mute_Click();
    void cmdNow_Click();
    void cmdCancel_Click();
    void Form_QueryUnload(int& cancel, int mode);
    void Form_Unload();

    // Stops the countdown, carries out the action and closes.
    void Act();
    int Elapsed() const;
    void ShowRemaining();
    // Stops the countdown and takes the window off the top, before a message.
    void StopAndStepBack();

    app::frmMain& main_;
    double WarnSeconds = 0;
};

} // namespace qs::windows
