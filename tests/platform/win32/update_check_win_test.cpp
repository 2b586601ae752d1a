// The program's update check under Wine with the real download service against the loopback web
// server, its main window drawn by the renderer over the fake services: the start-up check and the
// menu's check each end, with the menu item enabled and the caption restored, whether the site
// publishes a newer version or has no version file.
#include "../../../src/app/frmMain.h"
#include "../../../src/app/program.h"
#include "../../../src/platform/fake/fake_platform.h"
#include "../../../src/platform/win32/downloads_win.h"
#include "../../../src/platform/win32/renderer_win.h"
#include "message_pump_win.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace qs::win32 {
namespace {

const std::string kTitle = ":: Quorrel Shutdown 2.2 ::";
const std::string kOffer = "msgbox 68 \"" + kTitle +
                           "\" \"There is a update to version 9.9 is available!    \\rDo you want to download it "
                           "now?\" -> No\n";
const std::string kNoConnection = "msgbox 48 \"" + kTitle +
                                  "\" \"Error connecting server!\\rPlease check your internet connection and try "
                                  "again.    \" -> OK\n";

// The plain HTTP server's address, from the folder the test run names.
std::string plainServer() {
    const char* folder = std::getenv("QS_DOWNLOAD_SERVERS");
    std::ifstream state(std::string(folder ? folder : "") + "/servers.txt");
    std::string name, port;
    while (state >> name >> port)
        if (name == "http")
            return "http://127.0.0.1:" + port;
    return "";
}

void useSite(const std::string& site) {
    _putenv(("QSHUTDOWN_SITE=" + site).c_str());
}

// The menu bar's "Check for updates" item, found by its text as the user sees it.
struct MenuCommand {
    HMENU menu = nullptr;
    UINT id = 0;
};
MenuCommand findItem(HWND window, const std::string& text) {
    const HMENU bar = GetMenu(window);
    for (int top = 0; top < GetMenuItemCount(bar); ++top) {
        const HMENU menu = GetSubMenu(bar, top);
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char caption[128] = "";
            GetMenuStringA(menu, i, caption, sizeof caption, MF_BYPOSITION);
            if (std::string(caption).starts_with(text))
                return {menu, GetMenuItemID(menu, i)};
        }
    }
    return {};
}

bool enabled(const MenuCommand& item) {
    return !(GetMenuState(item.menu, item.id, MF_BYCOMMAND) & MF_GRAYED);
}

std::string caption(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The message boxes of the transcript, in order.
std::string messageBoxes(const std::string& transcript) {
    std::istringstream lines(transcript);
    std::string line, boxes;
    while (std::getline(lines, line))
        if (line.starts_with("msgbox") || line.starts_with("shell-open"))
            boxes += line + "\n";
    return boxes;
}

TEST(UpdateCheckWin, EveryCheckEndsWithTheMenuEnabledAndTheCaptionRestored) {
    const std::string server = plainServer();
    ASSERT_FALSE(server.empty());
    useSite(server + "/newer");
    std::ostringstream out;
    fake::FakePlatform os{out};
    Win32Downloads downloads{os.errors};
    RendererWin renderer;
    platform::Platform fake = os.services();
    platform::Platform services{
        fake.clock,  fake.dialogs,    fake.files,     fake.power, fake.processes,        fake.registry, fake.sound,
        fake.errors, fake.fileDialog, fake.wakeTimer, fake.media, fake.windowProcedures, fake.tray,     downloads};
    app::Program program{services, renderer};
    program.start();
    const HWND window = renderer.window(program.mainWindow());
    ASSERT_TRUE(window);
    const MenuCommand update = findItem(window, "Check for &updates");
    ASSERT_TRUE(update.id);

    // The start-up check keeps the item disabled until its answer; the offer is declined.
    EXPECT_FALSE(enabled(update));
    ASSERT_TRUE(test::pumpUntil([&] { return enabled(update); }, 10'000));
    EXPECT_EQ(messageBoxes(out.str()), kOffer);

    const auto check = [&](const std::string& expected) {
        out.str("");
        SendMessageA(window, WM_COMMAND, update.id, 0);
        EXPECT_FALSE(enabled(update));
        EXPECT_EQ(caption(window), kTitle + " Checking for updates...");
        ASSERT_TRUE(test::pumpUntil([&] { return enabled(update); }, 10'000));
        EXPECT_EQ(caption(window), kTitle);
        EXPECT_EQ(messageBoxes(out.str()), expected);
    };
    check(kOffer);
    useSite(server + "/missing");
    check(kNoConnection);
    useSite("");
    program.mainWindow().unload();
}

} // namespace
} // namespace qs::win32
