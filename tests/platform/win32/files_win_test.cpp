// Win32Files on Wine's file system: exact bytes, replacement without left-overs, wildcards.
#include "../../../src/platform/win32/files_win.h"
#include "temp_folder_win.h"

#include <gtest/gtest.h>

namespace qs::win32 {
namespace {

using Lines = std::vector<std::string>;
using Names = std::set<std::string>;

class FilesWinTest : public testing::Test {
protected:
    test::TempFolder dir_;
    Win32Files files_;
};

TEST_F(FilesWinTest, WritesExactlyTheBytesGivenAndReadsLinesBack) {
    ASSERT_TRUE(files_.writeLines(dir_.path("settings.vrk"), {"-1", "", "2:20:00 PM"}));
    EXPECT_EQ(dir_.contents("settings.vrk"), "-1\r\n\r\n2:20:00 PM\r\n");
    EXPECT_EQ(files_.readLines(dir_.path("settings.vrk")), (Lines{"-1", "", "2:20:00 PM"}));
    const std::string binary("a\0b\n\xff\r", 6);
    ASSERT_TRUE(files_.writeAll(dir_.path("bin"), binary));
    EXPECT_EQ(files_.readAll(dir_.path("bin")), binary);

    dir_.put("mixed", "a\r\nb\nc\rd");
    EXPECT_EQ(files_.readLines(dir_.path("mixed")), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(files_.readLines(dir_.path("missing")), std::nullopt);
    EXPECT_EQ(files_.readAll(dir_.path()), std::nullopt) << "a folder is no file";
}

TEST_F(FilesWinTest, ReplacingLeavesOnlyTheNewFile) {
    dir_.put("ssoe", "old content, longer than the new one\r\n");
    ASSERT_TRUE(files_.writeLines(dir_.path("ssoe"), {"x"}));
    EXPECT_EQ(dir_.contents("ssoe"), "x\r\n");
    EXPECT_EQ(dir_.names(), Names{"ssoe"});
}

TEST_F(FilesWinTest, AFailedWriteLeavesNothingBehind) {
    EXPECT_FALSE(files_.writeAll(dir_.path("missing\\x.txt"), "x"));
    EXPECT_FALSE(files_.writeAll(dir_.path("sub\\"), "x"));
    EXPECT_EQ(dir_.names(), Names{});
    // A file another program holds open, or a read-only one, is not replaced; the old one stays whole.
    dir_.put("locked", "old");
    const HANDLE holder = CreateFileA(dir_.path("locked").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(files_.writeAll(dir_.path("locked"), "new"));
    CloseHandle(holder);
    dir_.put("readonly", "old", FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(files_.writeAll(dir_.path("readonly"), "new"));
    EXPECT_EQ(dir_.contents("locked") + dir_.contents("readonly"), "oldold");
    EXPECT_EQ(dir_.names(), (Names{"locked", "readonly"}));
}

TEST_F(FilesWinTest, ExistsMatchesOrdinaryFilesOnly) {
    dir_.put("settings.vrk", "");
    dir_.put("a-hidden.txt", "", FILE_ATTRIBUTE_HIDDEN);
    dir_.put("a-system.txt", "", FILE_ATTRIBUTE_SYSTEM);
    CreateDirectoryA(dir_.path("folder.dat").c_str(), nullptr);
    EXPECT_TRUE(files_.exists(dir_.path("SETTINGS.VRK")));
    EXPECT_TRUE(files_.exists(dir_.path("*.vrk")));
    EXPECT_TRUE(files_.exists(dir_.path("set?ings.*")));
    EXPECT_FALSE(files_.exists(dir_.path("settings.vr")));
    EXPECT_FALSE(files_.exists(dir_.path("*.txt"))) << "hidden and system files do not count";
    EXPECT_FALSE(files_.exists(dir_.path("a-hidden.txt")));
    EXPECT_FALSE(files_.exists(dir_.path("folder.*")));
    EXPECT_FALSE(files_.exists(dir_.path("missing\\*")));
    EXPECT_FALSE(files_.exists(""));
    dir_.put("b.txt", "");
    EXPECT_TRUE(files_.exists(dir_.path("*.txt"))) << "an ordinary match after hidden ones";
}

TEST_F(FilesWinTest, RemovingAMissingFileSucceeds) {
    dir_.put("tmp_ver", "1");
    EXPECT_TRUE(files_.remove(dir_.path("tmp_ver")));
    EXPECT_EQ(dir_.names(), Names{});
    EXPECT_TRUE(files_.remove(dir_.path("tmp_ver")));
    EXPECT_TRUE(files_.remove(dir_.path("missing\\tmp_ver")));
    dir_.put("kept", "", FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(files_.remove(dir_.path("kept")));
}

TEST(FilesWin, TheProgramFolderHoldsTheProgram) {
    Win32Files files;
    const std::string folder = files.programFolder(), exe = files.exeName();
    EXPECT_EQ(lstrcmpiA(exe.c_str(), "win32_backend_test.exe"), 0) << exe;
    ASSERT_GE(folder.size(), 3u);
    EXPECT_NE(folder.back(), '\\');
    EXPECT_TRUE(files.exists(folder + "\\" + exe));
    EXPECT_EQ(Win32Files::folderOf("C:\\QShutdown.exe"), "C:\\") << "a drive's root keeps its backslash";
    EXPECT_EQ(Win32Files::folderOf("C:\\Apps\\QShutdown.exe"), "C:\\Apps");
    EXPECT_EQ(Win32Files::folderOf("\\\\server\\share\\QShutdown.exe"), "\\\\server\\share");
    EXPECT_EQ(Win32Files::nameOf("C:\\Apps\\QShutdown.exe"), "QShutdown.exe");
}

} // namespace
} // namespace qs::win32
