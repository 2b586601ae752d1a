#pragma once

#include "../registry.h"

#include <map>

namespace qs::linuxos {

// The one registry value the program writes, the start-up entry under either Run key, becomes the
// XDG autostart entry $XDG_CONFIG_HOME/autostart/QShutdown22.desktop. Everything else is refused.
class LinuxRegistry : public platform::Registry {
public:
    // An empty programPath means the running program (/proc/self/exe).
    explicit LinuxRegistry(std::string programPath = {});

    unsigned long createKey(platform::RegistryRoot root, const std::string& subKey) override;
    bool setString(unsigned long key, const std::string& name, const std::string& data) override;
    bool deleteValue(unsigned long key, const std::string& name) override;
    void closeKey(unsigned long key) override { keys_.erase(key); }

    static std::string autostartFile();
    // An Exec= value that runs exactly this program, quoted and escaped as desktop entries want.
    static std::string execValue(const std::string& programPath);

private:
    bool isStartupEntry(unsigned long key, const std::string& name) const;

    std::string programPath_;
    unsigned long nextKey_ = 1;
    std::map<unsigned long, bool> keys_; // handle -> is the Run key
};

} // namespace qs::linuxos
