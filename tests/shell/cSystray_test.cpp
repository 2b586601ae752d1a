// What the transcript cannot show well: the record as the class fills it, what it stores, and a
// program that exits inside one of the icon's events.
#include "app/frmMain.h"
#include "platform/fake/fake_platform.h"
#include "shell/cSystray.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace qs;

namespace {

// Keeps the last record sent, and counts requests and released icons.
struct RecordingTray : fake::FakeTray {
    using FakeTray::FakeTray;
    platform::NotifyIconData last;
    int requests = 0;
    int released = 0;
    void notifyIcon(platform::NotifyRequest request, const platform::NotifyIconData& data) override {
        last = data;
        ++requests;
        FakeTray::notifyIcon(request, data);
    }
    void releaseIcon(platform::IconHandle icon) override {
        ++released;
        FakeTray::releaseIcon(icon);
    }
};

struct SystrayTest : testing::Test {
    std::ostringstream out;
    fake::FakePlatform os{out};
    RecordingTray tray{os.transcript, os.clock, os.files, os.windowProcedures};
    std::unique_ptr<shell::cSystray> icon;

    void make(std::optional<int> shellMajor = 6) {
        tray.setShellVersion(shellMajor);
        icon = std::make_unique<shell::cSystray>(tray, os.windowProcedures, os.errors);
    }
};

} // namespace

TEST_F(SystrayTest, TextsAreCutToTheirFieldsAndTheTooltipTrimmed) {
    make();
    icon->SysTrayToolTip("  " + std::string(200, 't') + " ");
    EXPECT_EQ(icon->SysTrayToolTip(), std::string(200, 't'));
    EXPECT_EQ(tray.last.szTip, std::string(127, 't'));
    icon->BalloonText(std::string(300, 'i'));
    icon->BalloonTitle(std::string(100, 'h'));
    EXPECT_EQ(tray.last.szInfo, std::string(255, 'i'));
    EXPECT_EQ(tray.last.szInfoTitle, std::string(63, 'h'));
    icon->SysTrayToolTip(" a b ");
    EXPECT_EQ(tray.last.szTip, "a b");
}

TEST_F(SystrayTest, AnOldShellGetsNoBalloonAndTheSettersStoreNothing) {
    make(4);
    EXPECT_FALSE(icon->IsBalloonCapable());
    icon->BalloonTitle("title");
    icon->BalloonIcon(1);
    EXPECT_FALSE(icon->BalloonShow(true, 1500, true));
    EXPECT_EQ(icon->BalloonTitle(), "");
    EXPECT_EQ(icon->BalloonIcon(), 0u);
    EXPECT_EQ(tray.requests, 0);
}

TEST_F(SystrayTest, ShowAddsOnceAndHideOnlyWhatIsShownAndANewTaskbarOnlyWhatIsShown) {
    make();
    icon->SysTrayShow(false);
    EXPECT_EQ(tray.requests, 0);
    icon->SysTrayShow(true);
    icon->SysTrayShow(true);
    icon->SysTrayShow(false);
    tray.taskbarCreated();
    EXPECT_EQ(out.str(), "tray add size=504 flags=1\ntray modify size=504 flags=1\ntray delete size=504 flags=1\n");
}

TEST_F(SystrayTest, ALoadedIconIsReleasedOnceTheNextTakesItsPlaceAndAtTheEnd) {
    make();
    icon->SysTrayShow(true);
    EXPECT_TRUE(icon->SysTrayIconFromRes("main"));
    const platform::IconHandle shown = tray.last.hIcon;
    EXPECT_FALSE(icon->SysTrayIconFromFile("C:\\missing.ico"));
    EXPECT_EQ(tray.released, 0) << "a failed load keeps the icon shown";
    tray.taskbarCreated();
    EXPECT_EQ(tray.last.hIcon, shown);
    EXPECT_TRUE(icon->SysTrayIconFromRes("disabled"));
    EXPECT_EQ(tray.released, 1);
    icon.reset();
    EXPECT_EQ(tray.released, 2);
}

TEST_F(SystrayTest, AFailingHandlerIsLoggedAndTheOthersStillRun) {
    make();
    icon->SysTrayShow(true);
    std::string forwarded;
    icon->MouseUp = [](std::int16_t&) { throw std::runtime_error("no menu"); };
    icon->SetProc([&](platform::WindowHandle, unsigned code, std::intptr_t extra, std::intptr_t) {
        forwarded += std::to_string(code) + "/" + std::to_string(extra);
    });
    icon->ExtraParam(7);
    tray.notify(0x205);
    EXPECT_NE(out.str().find("error cSystray.MouseUp \"no menu\""), std::string::npos);
    EXPECT_EQ(forwarded, "517/7");
}

// A pop-up menu runs a loop of its own, in which a timer may end the program.
struct ExitInPopup : forms::Observer {
    void popupMenu(forms::Form& form, forms::MenuItem&, forms::MenuItem*) override { form.unload(); }
};

TEST(cSystrayInTheMainWindow, AnExitInsideAClickRemovesTheIconAndKeepsTheObjectUntilTheClickEnds) {
    std::ostringstream out;
    fake::FakePlatform os{out};
    ExitInPopup observer;
    app::Program program{os.services(), observer};
    program.start();
    os.tray.notify(0x205);
    EXPECT_TRUE(program.application().ended());
    EXPECT_NE(out.str().find("tray delete"), std::string::npos);
    EXPECT_FALSE(os.tray.notify(0x205));
}
