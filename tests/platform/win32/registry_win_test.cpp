// Win32Registry on Wine's registry, read back through the registry API itself.
#include "../../../src/platform/win32/registry_win.h"

#include <gtest/gtest.h>
#include <optional>
#include <windows.h>

namespace qs::win32 {
namespace {

using platform::RegistryRoot;
constexpr char kKey[] = "Software\\QuorrelShutdownTest";

// The value's type and raw bytes, terminator included.
std::optional<std::pair<DWORD, std::string>> query(HKEY root, const char* subKey, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char data[512];
    DWORD type = 0, size = sizeof data;
    const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    return std::pair<DWORD, std::string>{type, std::string(data, size)};
}

class RegistryWinTest : public testing::Test {
protected:
    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kKey) + "\\Run").c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    }
    Win32Registry registry_;
};

TEST_F(RegistryWinTest, StringsKeepTheirTerminatorAndValuesGo) {
    const unsigned long key = registry_.createKey(RegistryRoot::CurrentUser, std::string(kKey) + "\\Run");
    ASSERT_NE(key, 0u) << "missing parents are created";
    const std::string data = "\"C:\\Apps\\QShutdown.exe\"";
    ASSERT_TRUE(registry_.setString(key, "QShutdown22", data));
    EXPECT_EQ(query(HKEY_CURRENT_USER, "Software\\QuorrelShutdownTest\\Run", "QShutdown22"),
              (std::pair<DWORD, std::string>{REG_SZ, data + '\0'}));
    ASSERT_TRUE(registry_.setString(key, "QShutdown22", ""));
    EXPECT_EQ(query(HKEY_CURRENT_USER, "Software\\QuorrelShutdownTest\\Run", "QShutdown22")->second,
              std::string(1, '\0'));
    EXPECT_TRUE(registry_.deleteValue(key, "QShutdown22"));
    EXPECT_EQ(query(HKEY_CURRENT_USER, "Software\\QuorrelShutdownTest\\Run", "QShutdown22"), std::nullopt);
    EXPECT_FALSE(registry_.deleteValue(key, "QShutdown22")) << "nothing left to delete";
    registry_.closeKey(key);
}

TEST_F(RegistryWinTest, EachRootKeepsItsOwnValues) {
    const unsigned long machine = registry_.createKey(RegistryRoot::LocalMachine, kKey);
    const unsigned long user = registry_.createKey(RegistryRoot::CurrentUser, kKey);
    ASSERT_NE(machine, 0u);
    ASSERT_NE(user, 0u);
    ASSERT_TRUE(registry_.setString(machine, "where", "machine"));
    EXPECT_EQ(query(HKEY_LOCAL_MACHINE, kKey, "where")->second, std::string("machine") + '\0');
    EXPECT_EQ(query(HKEY_CURRENT_USER, kKey, "where"), std::nullopt);
    registry_.closeKey(machine);
    registry_.closeKey(user);
    EXPECT_FALSE(registry_.setString(0, "where", "nowhere")) << "no key was opened";
    EXPECT_FALSE(registry_.deleteValue(0, "where"));
    registry_.closeKey(0);
}

} // namespace
} // namespace qs::win32
