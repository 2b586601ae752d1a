#pragma once

#include "../forms/button.h"
#include "../forms/form.h"
#include "../forms/label.h"
#include "../forms/timer.h"

namespace qs::app {
class frmMain;
}

namespace qs::windows {

// The hibernate-and-wake confirmation: tells how long the computer will sleep, and on "Yes,
// Proceed" saves the settings and hibernates until the wake-up. With less than two minutes left
// it refuses for good.
class frmMessage : public forms::Form {
public:
    explicit frmMessage(app::frmMain& main);

    forms::Label* Label1;
    forms::Label* Label2;
    forms::Label* lblTime;
    forms::Label* Label3;
    forms::Label* Label4;
    forms::Button* cmdProceed;
    forms::Button* cmdCancel;
    forms::Timer* tmrLbl;

private:
    void Form_Load();
    void tmrLbl_Timer();
    void cmdCancel_Click();
    void cmdProceed_Click();

    app::frmMain& main_;
};

} // namespace qs::windows
