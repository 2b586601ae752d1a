#include "registry_win.h"

#include <cstdint>
#include <windows.h>

namespace qs::win32 {

namespace {

// Registry handles are small numbers, whatever the width of a pointer.
HKEY toKey(unsigned long handle) {
    return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(handle));
}

} // namespace

unsigned long Win32Registry::createKey(platform::RegistryRoot root, const std::string& subKey) {
    const HKEY parent = root == platform::RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    HKEY key = nullptr;
    if (RegCreateKeyA(parent, subKey.c_str(), &key) != ERROR_SUCCESS)
        return 0;
    return static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(key));
}

bool Win32Registry::setString(unsigned long key, const std::string& name, const std::string& data) {
    if (key == 0)
        return false;
    const auto* bytes = reinterpret_cast<const BYTE*>(data.c_str());
    return RegSetValueExA(toKey(key), name.c_str(), 0, REG_SZ, bytes, static_cast<DWORD>(data.size() + 1)) ==
           ERROR_SUCCESS;
}

bool Win32Registry::deleteValue(unsigned long key, const std::string& name) {
    return key != 0 && RegDeleteValueA(toKey(key), name.c_str()) == ERROR_SUCCESS;
}

void Win32Registry::closeKey(unsigned long key) {
    if (key != 0)
        RegCloseKey(toKey(key));
}

} // namespace qs::win32
