#include "registry_fake.h"

#include <algorithm>
#include <cctype>

namespace qs::fake {

namespace {
const char* rootName(platform::RegistryRoot root) {
    return root == platform::RegistryRoot::LocalMachine ? "HKLM" : "HKCU";
}
} // namespace

std::string FakeRegistry::keyName(const OpenKey& k) const {
    return std::string(rootName(k.root)) + "\\" + k.path;
}

// Key and value names are found without regard to case, as Windows finds them.
std::string FakeRegistry::valueId(const std::string& key, const std::string& name) {
    std::string id = key + "\\" + name;
    std::transform(id.begin(), id.end(), id.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return id;
}

std::optional<std::string> FakeRegistry::value(platform::RegistryRoot root, const std::string& subKey,
                                               const std::string& name) const {
    auto it = values_.find(valueId(keyName({root, subKey}), name));
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

unsigned long FakeRegistry::createKey(platform::RegistryRoot root, const std::string& subKey) {
    const unsigned long handle = nextHandle_++;
    open_[handle] = {root, subKey};
    return handle;
}

bool FakeRegistry::setString(unsigned long key, const std::string& name, const std::string& data) {
    auto it = open_.find(key);
    if (it == open_.end() || readOnly_[static_cast<int>(it->second.root)])
        return false;
    values_[valueId(keyName(it->second), name)] = data;
    transcript_.line("registry set " + keyName(it->second) + " " + name + " " + quote(data));
    return true;
}

bool FakeRegistry::deleteValue(unsigned long key, const std::string& name) {
    auto it = open_.find(key);
    if (it == open_.end() || readOnly_[static_cast<int>(it->second.root)])
        return false;
    values_.erase(valueId(keyName(it->second), name));
    transcript_.line("registry delete " + keyName(it->second) + " " + name);
    return true;
}

} // namespace qs::fake
