// What the operating system's family changes in the program: which actions it offers, whether the
// shutdown privilege is taken, and how a tone is made.
#include "actions/modShutdown.h"
#include "app/frmMain.h"
#include "app/modMisc.h"
#include "platform/fake/fake_platform.h"
#include "windows/modSpeaker.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace qs;

namespace {

struct System {
    const char* name;
    platform::OsVersion version;
    bool nt;
    const char* tone; // the first transcript line of a 2000 Hz tone
};

TEST(WindowsVersion, TheFamilyDecidesTheLockThePrivilegeAndTheTone) {
    const System systems[] = {
        {"Windows 98", {1, 4, 10, 2222}, false, "port-out 0x43 0xB6"},
        {"Windows ME", {1, 4, 90, 3000}, false, "port-out 0x43 0xB6"},
        {"Windows NT 4.0", {2, 4, 0, 1381}, true, "beep 2000 100"},
        {"Windows XP", {2, 5, 1, 2600}, true, "beep 2000 100"},
        // Releases the program has no name for are still of their family.
        {"Windows Server 2003", {2, 5, 2, 3790}, true, "beep 2000 100"},
        {"Windows 10", {2, 10, 0, 19045}, true, "beep 2000 100"},
        {"Win32s", {0, 3, 10, 0}, false, "default-beep"},
        {"an unknown platform", {3, 6, 0, 0}, false, "default-beep"},
    };
    for (const System& s : systems) {
        SCOPED_TRACE(s.name);
        std::ostringstream out;
        fake::FakePlatform os{out};
        os.power.setVersion(s.version);
        forms::Observer observer;
        app::Program program{os.services(), observer};
        program.start();
        auto& main = program.mainWindow();
        EXPECT_EQ(main.optExitOption[6]->enabled(), s.nt) << "Lock PC";
        EXPECT_EQ(main.pAction[5]->enabled(), s.nt) << "the tray's Lock PC";
        EXPECT_TRUE(main.optExitOption[0]->enabled()) << "Shutdown is always offered";
        EXPECT_EQ(app::GetWindowsVersion(os.power).Build, s.version.build);

        out.str("");
        actions::ShutdownSystem(os.power, actions::kShutdown, false);
        const std::string shutdown = out.str();
        EXPECT_EQ(shutdown.find("privilege on") != std::string::npos, s.nt) << shutdown;
        EXPECT_NE(shutdown.find("power ExitWindowsEx 1\n"), std::string::npos) << shutdown;

        out.str("");
        os.clock.setPump([&] {
            os.clock.advance(0.1);
            return true;
        });
        platform::Platform services = os.services();
        windows::SpeakerBeep(services, 2000, 100);
        EXPECT_EQ(out.str().substr(0, out.str().find('\n')), s.tone);
    }
}

} // namespace
