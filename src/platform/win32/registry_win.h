#pragma once

#include "../registry.h"

namespace qs::win32 {

// The registry calls of the start-up entry; handles are the HKEYs themselves.
class Win32Registry : public platform::Registry {
public:
    unsigned long createKey(platform::RegistryRoot root, const std::string& subKey) override;
    bool setString(unsigned long key, const std::string& name, const std::string& data) override;
    bool deleteValue(unsigned long key, const std::string& name) override;
    void closeKey(unsigned long key) override;
};

} // namespace qs::win32
