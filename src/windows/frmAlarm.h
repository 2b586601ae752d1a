#pragma once

#include "../forms/button.h"
#include "../forms/form.h"
#include "../forms/label.h"
#include "../forms/status_bar.h"
#include "../platform/media.h"

#include <memory>

namespace qs::app {
class frmMain;
}

namespace qs::windows {

// The reminder window: the user's message, the alarm played once, on top until closed.
// However it closes, it closes the main window too.
class frmAlarm : public forms::Form {
public:
    explicit frmAlarm(app::frmMain& main);

    forms::Label* lblAlarmM;
    forms::Button* cmdOk;
    forms::StatusBar* stsBar;

private:
    void lblAlarmM_Change();
    void Form_Load();
    void Form_Paint();
    void cmdOk_Click();
    void Form_Unload();

    app::frmMain& main_;
    std::unique_ptr<platform::MediaPlayer> player_;
};

} // namespace qs::windows
