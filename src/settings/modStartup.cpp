#include "modStartup.h"

namespace qs::settings {

namespace {

bool apply(platform::Registry& registry, platform::RegistryRoot root, const std::string& name, const std::string& data,
           bool create) {
    const unsigned long key = registry.createKey(root, kRunKey);
    const bool ok = key != 0 && (create ? registry.setString(key, name, data) : registry.deleteValue(key, name));
    registry.closeKey(key);
    return ok;
}

} // namespace

bool SetStartupEntry(platform::Registry& registry, const std::string& valueName, const std::string& valueData,
                     bool create) {
    using platform::RegistryRoot;
    if (create)
        return apply(registry, RegistryRoot::LocalMachine, valueName, valueData, true) ||
               apply(registry, RegistryRoot::CurrentUser, valueName, valueData, true);
    const bool machine = apply(registry, RegistryRoot::LocalMachine, valueName, valueData, false);
    const bool user = apply(registry, RegistryRoot::CurrentUser, valueName, valueData, false);
    return machine && user;
}

} // namespace qs::settings
