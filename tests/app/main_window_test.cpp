// The main window's settings across a restart, on the fake backend.
#include "app/frmMain.h"
#include "platform/fake/fake_platform.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace qs;

namespace {

struct MainWindowTest : ::testing::Test {
    std::ostringstream out;
    fake::FakePlatform os{out};
    forms::Observer observer;
    app::Program program{os.services(), observer};

    app::frmMain& start() {
        program.start();
        out.str("");
        return program.mainWindow();
    }
};

TEST_F(MainWindowTest, SettingsSurviveARestart) {
    auto& first = start();
    first.optExitOption[6]->setValue(true);
    first.chkForced->setValue(1);
    first.chkWeek[2]->setValue(1);
    first.chkWeek[7]->setValue(1);
    first.txtTimeout->setText("45");
    first.txtMessage->setText("Tea is ready");
    first.cboMode->setListIndex(1);
    first.cboTimeUnit->setListIndex(2);
    first.ActTime->setSecondsOfDay(14 * 3600 + 20 * 60 + 5);
    first.close(forms::kFormCode);

    app::Program second(os.services(), observer);
    second.start();
    auto& main = second.mainWindow();
    EXPECT_TRUE(main.optExitOption[6]->value());
    EXPECT_FALSE(main.optExitOption[0]->value());
    EXPECT_EQ(main.chkForced->value(), 1);
    EXPECT_EQ(main.chkWeek[2]->value(), 1);
    EXPECT_EQ(main.chkWeek[7]->value(), 1);
    EXPECT_EQ(main.chkWeek[1]->value(), 0);
    EXPECT_EQ(main.txtTimeout->text(), "45");
    EXPECT_EQ(main.txtMessage->text(), "Tea is ready");
    EXPECT_EQ(main.cboMode->listIndex(), 1);
    EXPECT_EQ(main.cboTimeUnit->listIndex(), 2);
    EXPECT_EQ(main.ActTime->secondsOfDay(), 14 * 3600 + 20 * 60 + 5);
}

} // namespace
