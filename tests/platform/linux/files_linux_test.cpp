// LinuxFiles on a real file system.
#include "../../../src/platform/linux/files_linux.h"
#include "unprivileged.h"

#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qs::linuxos {
namespace {

namespace fs = std::filesystem;
using test::Outcome;
using test::runUnprivileged;
using Lines = std::vector<std::string>;

class FilesLinuxTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = test::sharedTempFolder();
        ASSERT_FALSE(dir_.empty());
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        for (const auto& entry : fs::recursive_directory_iterator(dir_))
            if (entry.is_directory() && !entry.is_symlink())
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }

    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    void put(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    std::string contents(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Every name in a folder, dot-files included: a left-over temporary file shows here.
    static std::set<std::string> names(const std::string& folder) {
        std::set<std::string> out;
        for (const auto& entry : fs::directory_iterator(folder))
            out.insert(entry.path().filename().string());
        return out;
    }

    std::string dir_;
    LinuxFiles files_{"/nonexistent"};
};

TEST_F(FilesLinuxTest, ReadLinesAcceptsEveryLineEnd) {
    put("mixed", "a\r\nb\nc\rd");
    EXPECT_EQ(files_.readLines(path("mixed")), (Lines{"a", "b", "c", "d"}));
    put("blank", "a\r\n\r\n");
    EXPECT_EQ(files_.readLines(path("blank")), (Lines{"a", ""}));
    put("empty", "");
    EXPECT_EQ(files_.readLines(path("empty")), Lines{});
    EXPECT_EQ(files_.readLines(path("missing")), std::nullopt);
    EXPECT_EQ(files_.readLines(dir_), std::nullopt) << "a folder is no file";
    EXPECT_EQ(files_.readAll(dir_), std::nullopt);
}

TEST_F(FilesLinuxTest, WritingReplacesTheFileWholeAndKeepsItsMode) {
    put("settings.vrk", "old content that is longer than the new one\r\n");
    ::chmod(path("settings.vrk").c_str(), 0640);
    ASSERT_TRUE(files_.writeLines(path("settings.vrk"), {"x", "", "y"}));
    EXPECT_EQ(contents("settings.vrk"), "x\r\n\r\ny\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(path("settings.vrk").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(names(dir_), (std::set<std::string>{"settings.vrk"}));

    ASSERT_TRUE(files_.writeAll(path("new.bin"), std::string("a\0b", 3)));
    EXPECT_EQ(files_.readAll(path("new.bin")), std::string("a\0b", 3));

    // Through a symbolic link the file it names is replaced, and the link stays.
    ASSERT_EQ(::symlink(path("new.bin").c_str(), path("link").c_str()), 0);
    ASSERT_TRUE(files_.writeAll(path("link"), "via link"));
    EXPECT_TRUE(fs::is_symlink(path("link")));
    EXPECT_EQ(contents("new.bin"), "via link");
}

TEST_F(FilesLinuxTest, AWriteThatFailsHalfwayLeavesTheOldFile) {
    put("settings.vrk", "old\r\n");
    // The file size limit makes the write itself fail, as a full disk would.
    const auto previous = ::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = files_.writeLines(path("settings.vrk"), Lines(1000, "a line of settings"));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_EQ(contents("settings.vrk"), "old\r\n");
    EXPECT_EQ(names(dir_), (std::set<std::string>{"settings.vrk"}));
}

TEST_F(FilesLinuxTest, AnUnwritableFolderRefusesAndKeepsNothing) {
    EXPECT_FALSE(files_.writeAll(path("no/such/folder/file"), "x"));
    put("settings.vrk", "old");
    ::chmod(path("settings.vrk").c_str(), 0666);
    ::chmod(dir_.c_str(), 0555);
    const Outcome outcome = runUnprivileged([&] {
        LinuxFiles files("/nonexistent");
        return !files.writeLines(path("settings.vrk"), {"new"}) && !files.writeAll(path("other"), "x") &&
               !files.remove(path("settings.vrk"));
    });
    if (outcome == Outcome::Impossible)
        GTEST_SKIP() << "cannot become an ordinary user";
    EXPECT_EQ(outcome, Outcome::Passed);
    EXPECT_EQ(contents("settings.vrk"), "old");
    EXPECT_EQ(names(dir_), (std::set<std::string>{"settings.vrk"}));
}

TEST_F(FilesLinuxTest, WildcardsMatchOnlyVisibleRegularFiles) {
    put(".hidden.vrk", "");
    fs::create_directory(path("folder.vrk"));
    put("song [live].mp3", "");
    EXPECT_FALSE(files_.exists(path("*.vrk"))) << "a dot-file and a folder do not count";
    EXPECT_FALSE(files_.exists(path(".hidden.vrk")));
    EXPECT_FALSE(files_.exists(path("folder.vrk")));
    put("settings.vrk", "");
    EXPECT_TRUE(files_.exists(path("*.vrk")));
    EXPECT_TRUE(files_.exists(path("s?ttings.*")));
    EXPECT_TRUE(files_.exists(path("settings.vrk")));
    EXPECT_FALSE(files_.exists(path("Settings.vrk"))) << "names keep their case here";
    // Brackets are ordinary characters in the names the program tests.
    EXPECT_TRUE(files_.exists(path("song [live].mp3")));
    EXPECT_TRUE(files_.exists(path("song [l*")));
    EXPECT_FALSE(files_.exists(path("song l*")));
    ::symlink(path("settings.vrk").c_str(), path("alias").c_str());
    EXPECT_TRUE(files_.exists(path("ali?s"))) << "a link to a file is that file";
    EXPECT_FALSE(files_.exists(path("*.txt")));
    EXPECT_FALSE(files_.exists(path("missing/*")));
    EXPECT_FALSE(files_.exists(""));
    EXPECT_FALSE(files_.exists(dir_ + "/"));
}

TEST_F(FilesLinuxTest, RemovingAMissingFileIsFine) {
    EXPECT_TRUE(files_.remove(path("never-there")));
    put("tmp_ver", "1");
    EXPECT_TRUE(files_.remove(path("tmp_ver")));
    EXPECT_FALSE(fs::exists(path("tmp_ver")));
    fs::create_directory(path("folder"));
    EXPECT_FALSE(files_.remove(path("folder")));
}

TEST_F(FilesLinuxTest, TheProgramFolderFallsBackToTheConfigFolder) {
    EXPECT_EQ(LinuxFiles(dir_).programFolder(), dir_ + "/");

    const std::string install = path("install");
    const std::string config = path("config");
    fs::create_directory(install);
    fs::create_directory(config);
    ::chmod(install.c_str(), 0555);
    ::chmod(config.c_str(), 0777);
    const Outcome outcome = runUnprivileged([&] {
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        const bool fromXdg = LinuxFiles(install).programFolder() == config + "/quorrel-shutdown/";
        // A relative XDG_CONFIG_HOME is to be ignored: ~/.config then.
        ::setenv("XDG_CONFIG_HOME", "relative", 1);
        ::setenv("HOME", config.c_str(), 1);
        const bool fromHome = LinuxFiles(install).programFolder() == config + "/.config/quorrel-shutdown/";
        return fromXdg && fromHome;
    });
    if (outcome == Outcome::Impossible)
        GTEST_SKIP() << "cannot become an ordinary user";
    EXPECT_EQ(outcome, Outcome::Passed);
    EXPECT_TRUE(fs::is_directory(config + "/quorrel-shutdown"));
    EXPECT_TRUE(fs::is_directory(config + "/.config/quorrel-shutdown"));
}

TEST(FilesLinuxProgram, NamesTheRunningProgram) {
    LinuxFiles files;
    EXPECT_EQ(files.exeName(), "files_linux_test");
    EXPECT_EQ(files.pathSeparator(), '/');
    EXPECT_EQ(LinuxFiles::exePath(), fs::canonical("/proc/self/exe").string());
}

} // namespace
} // namespace qs::linuxos
