// Hibernate and wake where the transcript cannot see: the confirmation window's icon and colour,
// and the waits on the wake timer.
#include "../platform/stepping_pump.h"
#include "actions/modWaitable.h"
#include "app/frmMain.h"
#include "platform/fake/fake_platform.h"
#include "windows/frmMessage.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace qs;

namespace {

struct IconObserver : forms::Observer {
    std::string drawn;
    void drawIcon(forms::Form& form, int id, int x, int y) override {
        drawn += form.name() + " " + std::to_string(id) + " " + std::to_string(x) + "," + std::to_string(y) + ";";
    }
};

// A platform whose wake timer cannot be armed.
struct UnarmableWakeTimer : platform::WakeTimer {
    int closed = 0;
    bool canWake() override { return false; }
    bool arm(const std::string&, std::int64_t) override { return false; }
    void waitSignalled() override { ADD_FAILURE() << "waited on a timer that was not armed"; }
    void close() override { ++closed; }
};

TEST(HibernateAndWake, TheConfirmationDrawsTheQuestionIconAndWarnsInDarkRed) {
    std::ostringstream out;
    fake::FakePlatform os{out};
    IconObserver observer;
    app::Program program{os.services(), observer};
    program.start();
    auto& main = program.mainWindow();
    main.optExitOption[4]->setValue(true);
    main.cboMode->setListIndex(0);
    main.ActTime->setSecondsOfDay(os.clock.now().secondsOfDay() + 600);
    std::uint32_t noteColour = 0;
    // The confirmation is modal: the loop it runs looks at it, then cancels it.
    os.clock.setPump([&] {
        auto* form = program.application().findForm("frmMessage");
        if (!form)
            return false;
        auto& message = static_cast<windows::frmMessage&>(*form);
        message.paint();
        noteColour = message.Label3->foreColor();
        message.cmdCancel->userClick();
        return true;
    });
    main.cmdActivate->userClick();
    EXPECT_EQ(observer.drawn, "frmMessage 32514 10,10;");
    EXPECT_EQ(noteColour, forms::rgb(128, 0, 0));
    EXPECT_EQ(program.application().findForm("frmMessage"), nullptr);
}

TEST(HibernateAndWake, WithoutATimerToArmTheWaitStillLastsItsTime) {
    std::ostringstream out;
    fake::FakePlatform os{out};
    UnarmableWakeTimer timer;
    platform::Platform services = os.services();
    platform::Platform unarmable{services.clock, services.dialogs,   services.files,
                                 services.power, services.processes, services.registry,
                                 services.sound, services.errors,    services.fileDialog,
                                 timer,          services.media,     services.windowProcedures,
                                 services.tray,  services.downloads};
    int steps = 0;
    fake::stepWaits(os.clock, 0.5, steps);
    actions::WaitSeconds(unarmable, 2);
    EXPECT_EQ(steps, 4);
    EXPECT_EQ(timer.closed, 1);
}

TEST(HibernateAndWake, TheTimerIsNamedAfterTheProgramFile) {
    std::ostringstream out;
    fake::FakePlatform os{out};
    EXPECT_EQ(actions::WakeTimerName(os.files), "QShutdownTimer");
    os.files.setExeName("q.shutdown.exe");
    EXPECT_EQ(actions::WakeTimerName(os.files), "q.shutdownTimer");
    os.files.setExeName("qshutdown");
    EXPECT_EQ(actions::WakeTimerName(os.files), "qshutdownTimer");
}

} // namespace
