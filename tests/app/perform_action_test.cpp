// An action under way while the power call waits for its answer and events keep running.
#include "app/frmMain.h"
#include "platform/fake/fake_platform.h"
#include "windows/frmAction.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace qs;

namespace {

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

struct PerformActionTest : ::testing::Test {
    std::ostringstream out;
    fake::FakePlatform os{out};
    forms::Observer observer;
    app::Program program{os.services(), observer};

    app::frmMain& main() { return program.mainWindow(); }

    // Starts a five-second countdown of the selected option and lets it reach the warning.
    windows::frmAction& warning(int option) {
        program.start();
        main().optExitOption[option]->setValue(true);
        main().cboTimeUnit->setListIndex(2);
        main().txtPeriod->setText("5");
        main().cmdActivate_Click();
        os.clock.advance(5);
        auto* form = program.application().findForm("frmAction");
        EXPECT_NE(form, nullptr);
        out.str("");
        return static_cast<windows::frmAction&>(*form);
    }
};

TEST_F(PerformActionTest, NowAgainWhileThePowerCallWaitsActsOnce) {
    auto& w = warning(0);
    os.power.duringNextCall([&] { w.cmdNow->userClick(); });
    w.cmdNow->userClick();
    EXPECT_EQ(count(out.str(), "power ExitWindowsEx"), 1);
    EXPECT_TRUE(program.application().ended());
    EXPECT_FALSE(main().ActionUnderWay());
}

TEST_F(PerformActionTest, ACancelWhileThePowerCallWaitsIsNotFollowedByItsRefusal) {
    auto& w = warning(5);
    os.power.failNextCall("Interrupted");
    os.power.duringNextCall([&] { w.cmdCancel->userClick(); });
    w.cmdNow->userClick();
    EXPECT_EQ(count(out.str(), "has been cancelled by the user!"), 1);
    EXPECT_EQ(count(out.str(), "could not be carried out"), 0);
    EXPECT_EQ(count(out.str(), "power SetSuspendState"), 1);
    EXPECT_TRUE(program.application().ended());
}

TEST_F(PerformActionTest, TrayClicksWhileATrayActionWaitsDoNothingAndTheNextOneActs) {
    program.start();
    out.str("");
    os.power.duringNextCall([&] {
        main().pAction[1]->userClick();
        main().pAction[5]->userClick();
    });
    main().pAction[0]->userClick();
    EXPECT_EQ(out.str(), "privilege on\npower ExitWindowsEx 1\nprivilege off\n");
    out.str("");
    main().pAction[5]->userClick();
    EXPECT_EQ(out.str(), "power LockWorkStation\n");
    EXPECT_FALSE(program.application().ended());
}

} // namespace
