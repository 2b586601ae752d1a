#include "app/modMisc.h"
#include "platform/fake/power_fake.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace qs::app;

namespace {

struct Case {
    qs::platform::OsVersion os;
    int platform, release;
    const char* text;
    const char* family;
    int kind;
};

TEST(WindowsVersion, MapsEveryFamilyAndRelease) {
    const Case cases[] = {
        {{1, 4, 0, 950}, 1, 1, "4.0", "Windows 9x|ME", 1},    {{1, 4, 10, 2222}, 1, 2, "4.10", "Windows 9x|ME", 1},
        {{1, 4, 90, 3000}, 1, 3, "4.90", "Windows 9x|ME", 1}, {{1, 4, 3, 1}, 1, 0, "4.3", "Windows 9x|ME", 1},
        {{2, 4, 0, 1381}, 2, 4, "4.0", "Windows NT", 0},      {{2, 5, 0, 2195}, 2, 5, "5.0", "Windows NT", 0},
        {{2, 5, 1, 2600}, 2, 6, "5.1", "Windows NT", 0},      {{2, 5, 2, 3790}, 2, 0, "5.2", "Windows NT", 0},
        {{2, 10, 0, 19045}, 2, 0, "10.0", "Windows NT", 0},   {{0, 3, 10, 0}, 0, 0, "3.10", "Windows 32", 2},
        {{3, 6, 0, 0}, 0, 0, "6.0", "Windows 32", 2},
    };
    std::ostringstream out;
    qs::fake::Transcript transcript(out);
    qs::fake::FakePower power(transcript);
    for (const Case& c : cases) {
        power.setVersion(c.os);
        const WindowsVersionInfo info = GetWindowsVersion(power);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(info.Platform, c.platform);
        EXPECT_EQ(info.Release, c.release);
        EXPECT_EQ(info.Build, c.os.build);
        EXPECT_EQ(info.VersionText, c.text);
        EXPECT_EQ(GetWindowsFamily(power), c.family);
        EXPECT_EQ(GetPlatformKind(power), c.kind);
    }
}

} // namespace
