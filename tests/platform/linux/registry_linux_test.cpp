// The start-up entry as an XDG autostart file, with a private XDG_CONFIG_HOME.
#include "../../../src/platform/linux/registry_linux.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace qs::linuxos {
namespace {

namespace fs = std::filesystem;
using platform::RegistryRoot;

const std::string kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class RegistryLinuxTest : public testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/qs-registry-XXXXXX";
        ASSERT_TRUE(::mkdtemp(name));
        config_ = name;
        ::setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(config_);
    }

    std::string entryFile() const { return config_ + "/autostart/QShutdown22.desktop"; }
    std::string entry() const {
        std::ifstream in(entryFile());
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string config_;
};

TEST_F(RegistryLinuxTest, TheStartupValueBecomesAnAutostartEntryAndGoesAgain) {
    LinuxRegistry registry("/opt/quorrel shutdown/qshutdown");
    EXPECT_EQ(LinuxRegistry::autostartFile(), entryFile());
    const unsigned long machine = registry.createKey(RegistryRoot::LocalMachine, kRun);
    ASSERT_NE(machine, 0u);
    ASSERT_TRUE(registry.setString(machine, "QShutdown22", "\"C:\\Apps\\QShutdown.exe\""));
    EXPECT_EQ(entry(), "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Quorrel Shutdown\n"
                       "Exec=\"/opt/quorrel shutdown/qshutdown\"\n"
                       "Terminal=false\n"
                       "X-GNOME-Autostart-enabled=true\n");
    registry.closeKey(machine);

    // Both roots are the same file, and a second removal is no failure.
    const unsigned long user =
        registry.createKey(RegistryRoot::CurrentUser, "software\\microsoft\\windows\\currentversion\\run");
    EXPECT_TRUE(registry.deleteValue(user, "qshutdown22"));
    EXPECT_FALSE(fs::exists(entryFile()));
    EXPECT_TRUE(registry.deleteValue(user, "QShutdown22"));
    EXPECT_TRUE(fs::is_empty(config_ + "/autostart")) << "no temporary file is left";
}

TEST_F(RegistryLinuxTest, TheEntryStartsTheRunningProgramByDefault) {
    LinuxRegistry registry;
    const unsigned long key = registry.createKey(RegistryRoot::CurrentUser, kRun);
    ASSERT_TRUE(registry.setString(key, "QShutdown22", "ignored"));
    const std::string self = fs::canonical("/proc/self/exe").string();
    EXPECT_NE(entry().find("\nExec=\"" + self + "\"\n"), std::string::npos) << entry();
}

TEST_F(RegistryLinuxTest, OtherKeysAndValuesAreRefused) {
    LinuxRegistry registry("/usr/bin/qshutdown");
    const unsigned long other = registry.createKey(RegistryRoot::CurrentUser, "SOFTWARE\\Quorrel");
    EXPECT_FALSE(registry.setString(other, "QShutdown22", "x"));
    EXPECT_FALSE(registry.deleteValue(other, "QShutdown22"));
    const unsigned long run = registry.createKey(RegistryRoot::CurrentUser, kRun);
    EXPECT_FALSE(registry.setString(run, "SomethingElse", "x"));
    EXPECT_FALSE(registry.deleteValue(run, "SomethingElse"));
    registry.closeKey(run);
    EXPECT_FALSE(registry.setString(run, "QShutdown22", "x")) << "a closed key";
    EXPECT_FALSE(fs::exists(config_ + "/autostart/QShutdown22.desktop"));
}

TEST(RegistryLinuxExec, QuotesAndEscapesAsDesktopEntriesWant) {
    EXPECT_EQ(LinuxRegistry::execValue("/usr/bin/qshutdown"), "\"/usr/bin/qshutdown\"");
    // Quoting escapes " ` $ \ with a backslash, a field code's % is doubled, and the string
    // value then doubles every backslash.
    EXPECT_EQ(LinuxRegistry::execValue("/a b/x\"y"), R"("/a b/x\\"y")");
    EXPECT_EQ(LinuxRegistry::execValue("/p/$HOME`x`"), R"("/p/\\$HOME\\`x\\`")");
    EXPECT_EQ(LinuxRegistry::execValue("/p/back\\slash"), R"("/p/back\\\\slash")");
    EXPECT_EQ(LinuxRegistry::execValue("/p/100%"), R"("/p/100%%")");
}

} // namespace
} // namespace qs::linuxos
