#include "platform/fake/registry_fake.h"
#include "settings/modStartup.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace qs;
using platform::RegistryRoot;

namespace {

struct StartupEntryTest : ::testing::Test {
    std::ostringstream out;
    fake::Transcript transcript{out};
    fake::FakeRegistry registry{transcript};
    const std::string data = "\"C:\\Apps\\timer.exe\"";

    std::optional<std::string> value(RegistryRoot root) {
        // Where Windows looks for programs to start at log-on.
        return registry.value(root, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "QShutdown22");
    }
};

TEST_F(StartupEntryTest, WritesTheMachineWideValueAndDeletesItAgain) {
    EXPECT_TRUE(settings::SetStartupEntry(registry, "QShutdown22", data, true));
    EXPECT_EQ(value(RegistryRoot::LocalMachine), data);
    EXPECT_FALSE(value(RegistryRoot::CurrentUser));
    EXPECT_TRUE(settings::SetStartupEntry(registry, "QShutdown22", data, false));
    EXPECT_FALSE(value(RegistryRoot::LocalMachine));
    // Deleting a value that was never written is harmless.
    EXPECT_TRUE(settings::SetStartupEntry(registry, "QShutdown22", data, false));
}

TEST_F(StartupEntryTest, FallsBackToTheUserWhenTheMachineKeyRefuses) {
    registry.setReadOnly(RegistryRoot::LocalMachine, true);
    EXPECT_TRUE(settings::SetStartupEntry(registry, "QShutdown22", data, true));
    EXPECT_EQ(value(RegistryRoot::CurrentUser), data);
    EXPECT_FALSE(settings::SetStartupEntry(registry, "QShutdown22", data, false)); // the machine key refused
    EXPECT_FALSE(value(RegistryRoot::CurrentUser));
    registry.setReadOnly(RegistryRoot::CurrentUser, true);
    EXPECT_FALSE(settings::SetStartupEntry(registry, "QShutdown22", data, true));
}

} // namespace
