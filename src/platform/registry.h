#pragma once

#include <string>

namespace qs::platform {

enum class RegistryRoot { LocalMachine, CurrentUser };

// The few registry calls of the start-up entry. Handles are opaque, 0 when nothing was opened.
class Registry {
public:
    virtual ~Registry() = default;

    // Opens the key, creating it when missing (RegCreateKeyA).
    virtual unsigned long createKey(RegistryRoot root, const std::string& subKey) = 0;
    // A string value (REG_SZ); false when the registry refuses it.
    virtual bool setString(unsigned long key, const std::string& name, const std::string& data) = 0;
    virtual bool deleteValue(unsigned long key, const std::string& name) = 0;
    virtual void closeKey(unsigned long key) = 0;
};

} // namespace qs::platform
