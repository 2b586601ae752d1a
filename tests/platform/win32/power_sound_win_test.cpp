// Win32Power and Win32Sound. No test ends the session, suspends or locks: those stay untried.
#include "../../../src/platform/win32/win32_platform.h"

#include <gtest/gtest.h>

namespace qs::win32 {
namespace {

// Whether the process token has the privilege switched on.
bool privilegeEnabled(const char* name) {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    char buf[2048];
    DWORD size = 0;
    LUID wanted{};
    LookupPrivilegeValueA(nullptr, name, &wanted);
    bool enabled = false;
    if (GetTokenInformation(token, TokenPrivileges, buf, sizeof buf, &size)) {
        const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buf);
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i)
            if (privileges->Privileges[i].Luid.LowPart == wanted.LowPart &&
                privileges->Privileges[i].Luid.HighPart == wanted.HighPart)
                enabled = (privileges->Privileges[i].Attributes & SE_PRIVILEGE_ENABLED) != 0;
    }
    CloseHandle(token);
    return enabled;
}

DWORD millisecondsOf(const std::function<void()>& call) {
    const DWORD start = GetTickCount();
    call();
    return GetTickCount() - start;
}

TEST(PowerWin, ReportsTheNtFamilyAsGetVersionDoes) {
    Win32Platform os;
    const platform::OsVersion v = os.services().power.version();
    const DWORD packed = GetVersion();
    EXPECT_EQ(v.platformId, 2);
    EXPECT_EQ(v.major, LOBYTE(LOWORD(packed)));
    EXPECT_EQ(v.minor, HIBYTE(LOWORD(packed)));
    EXPECT_EQ(v.build, static_cast<int>(HIWORD(packed)));
}

TEST(PowerWin, TheShutdownPrivilegeIsSwitchedOnAndOff) {
    Win32Power power;
    power.setShutdownPrivilege(true);
    EXPECT_TRUE(privilegeEnabled("SeShutdownPrivilege"));
    power.setShutdownPrivilege(false);
    EXPECT_FALSE(privilegeEnabled("SeShutdownPrivilege"));
    EXPECT_EQ(enablePrivilege("SeShutdownPrivilege", true), 0ul);
    EXPECT_TRUE(privilegeEnabled("SeShutdownPrivilege"));
    EXPECT_EQ(enablePrivilege("SeShutdownPrivilege", false), 0ul);
    EXPECT_FALSE(privilegeEnabled("SeShutdownPrivilege"));
}

TEST(PowerWin, APrivilegeTheTokenDoesNotHoldIsNotGranted) {
    // Neither Wine's token nor an administrator's on Windows holds the right to create tokens;
    // AdjustTokenPrivileges succeeds all the same and only its last error tells.
    EXPECT_EQ(enablePrivilege("SeCreateTokenPrivilege", true), static_cast<unsigned long>(ERROR_NOT_ALL_ASSIGNED));
    EXPECT_FALSE(privilegeEnabled("SeCreateTokenPrivilege"));
    EXPECT_EQ(enablePrivilege("SeNoSuchPrivilege", true), static_cast<unsigned long>(ERROR_NO_SUCH_PRIVILEGE));
}

TEST(PowerWin, WithoutThePowerLibraryNothingIsAllowed) {
    Win32Power power("qs-missing-powrprof.dll");
    EXPECT_FALSE(power.isHibernateAllowed());
    EXPECT_FALSE(power.isSuspendAllowed());
}

TEST(SoundWin, TonesAndPausesTakeTheirTime) {
    Win32Sound sound;
    // A few milliseconds short at most: the tick count and the sleep round differently.
    EXPECT_GE(millisecondsOf([&] { sound.tone(2500, 200); }), 185u);
    EXPECT_GE(millisecondsOf([&] { sound.tone(20, 150); }), 135u) << "below the speaker's range";
    EXPECT_LT(millisecondsOf([&] { sound.tone(2500, 0); }), 50u);
    EXPECT_GE(millisecondsOf([&] { sound.sleep(150); }), 135u);
}

TEST(SoundWin, PortsGoThroughTheDllWhenItIsThere) {
    Win32Sound sound; // the test's own WIN95IO.DLL lies beside it
    sound.portOut(0x43, 0xB6);
    sound.portOut(0x61, 0x4C);
    EXPECT_EQ(sound.portIn(0x43), 0xB6);
    EXPECT_EQ(sound.portIn(0x61), 0x4C);
    EXPECT_EQ(sound.portIn(0x42), 0);
    Win32Sound without("qs-missing-io.dll");
    without.portOut(0x61, 3);
    EXPECT_EQ(without.portIn(0x61), 0);
}

} // namespace
} // namespace qs::win32
