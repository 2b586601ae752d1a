#pragma once

#include "../registry.h"
#include "transcript.h"

#include <map>
#include <optional>

namespace qs::fake {

class FakeRegistry : public platform::Registry {
public:
    explicit FakeRegistry(Transcript& t) : transcript_(t) {}

    // A root the user may not write under.
    void setReadOnly(platform::RegistryRoot root, bool on) { readOnly_[static_cast<int>(root)] = on; }
    std::optional<std::string> value(platform::RegistryRoot root, const std::string& subKey,
                                     const std::string& name) const;

    unsigned long createKey(platform::RegistryRoot root, const std::string& subKey) override;
    bool setString(unsigned long key, const std::string& name, const std::string& data) override;
    bool deleteValue(unsigned long key, const std::string& name) override;
    void closeKey(unsigned long key) override { open_.erase(key); }

private:
    struct OpenKey {
        platform::RegistryRoot root;
        std::string path;
    };
    std::string keyName(const OpenKey& k) const;
    static std::string valueId(const std::string& key, const std::string& name);

    Transcript& transcript_;
    bool readOnly_[2] = {false, false};
    unsigned long nextHandle_ = 0x100;
    std::map<unsigned long, OpenKey> open_;
    std::map<std::string, std::string> values_; // "root\key\name" in lower case -> data
};

} // namespace qs::fake
