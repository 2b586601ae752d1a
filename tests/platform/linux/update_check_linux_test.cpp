// The program's update check with the real download service against the loopback web server, its
// main window drawn by the Qt renderer over the fake services: the start-up check and the menu's
// check each end, with the menu item enabled and the caption restored, whether the site publishes
// a newer version or has no version file.
#include "../../../src/app/frmMain.h"
#include "../../../src/app/program.h"
#include "../../../src/platform/fake/fake_platform.h"
#include "../../../src/platform/linux/downloads_linux.h"
#include "../../../src/platform/linux/renderer_qt.h"
#include "loop_until.h"

#include <QAction>
#include <QProcess>
#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

namespace qs::linuxos {
namespace {

const std::string kTitle = ":: Quorrel Shutdown 2.2 ::";
const std::string kOffer = "msgbox 68 \"" + kTitle +
                           "\" \"There is a update to version 9.9 is available!    \\rDo you want to download it "
                           "now?\" -> No\n";
const std::string kNoConnection = "msgbox 48 \"" + kTitle +
                                  "\" \"Error connecting server!\\rPlease check your internet connection and try "
                                  "again.    \" -> OK\n";

// The message boxes of the transcript, in order.
std::string messageBoxes(const std::string& transcript) {
    std::istringstream lines(transcript);
    std::string line, boxes;
    while (std::getline(lines, line))
        if (line.starts_with("msgbox") || line.starts_with("shell-open"))
            boxes += line + "\n";
    return boxes;
}

TEST(UpdateCheckLinux, EveryCheckEndsWithTheMenuEnabledAndTheCaptionRestored) {
    QProcess server; // download_server.py prints its port first
    server.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(DOWNLOAD_SERVER)});
    ASSERT_TRUE(server.waitForReadyRead(10000)) << "python3";
    const std::string site = "http://127.0.0.1:" + server.readLine().trimmed().toStdString();
    setenv("QSHUTDOWN_SITE", (site + "/newer").c_str(), 1);

    std::ostringstream out;
    fake::FakePlatform os{out};
    LinuxDownloads downloads;
    RendererQt renderer;
    platform::Platform fake = os.services();
    platform::Platform services{
        fake.clock,  fake.dialogs,    fake.files,     fake.power, fake.processes,        fake.registry, fake.sound,
        fake.errors, fake.fileDialog, fake.wakeTimer, fake.media, fake.windowProcedures, fake.tray,     downloads};
    app::Program program{services, renderer};
    program.start();
    QWidget* window = renderer.window(program.mainWindow());
    ASSERT_TRUE(window);
    QAction* update = renderer.action(*program.mainWindow().mnu_update);
    ASSERT_TRUE(update);
    ASSERT_EQ(update->text().toStdString(), "Check for &updates");

    // The start-up check keeps the item disabled until its answer; the offer is declined.
    EXPECT_FALSE(update->isEnabled());
    ASSERT_TRUE(test::loopUntil([&] { return update->isEnabled(); }, 10000));
    EXPECT_EQ(messageBoxes(out.str()), kOffer);

    const auto check = [&](const std::string& expected) {
        out.str("");
        update->trigger();
        EXPECT_FALSE(update->isEnabled());
        EXPECT_EQ(window->windowTitle().toStdString(), kTitle + " Checking for updates...");
        ASSERT_TRUE(test::loopUntil([&] { return update->isEnabled(); }, 10000));
        EXPECT_EQ(window->windowTitle().toStdString(), kTitle);
        EXPECT_EQ(messageBoxes(out.str()), expected);
    };
    check(kOffer);
    setenv("QSHUTDOWN_SITE", (site + "/missing").c_str(), 1);
    check(kNoConnection);
    unsetenv("QSHUTDOWN_SITE");
    program.mainWindow().unload();
    server.kill();
    server.waitForFinished();
}

} // namespace
} // namespace qs::linuxos
