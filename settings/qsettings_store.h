#pragma once

// The desktop program's settings store: the registry primitives of the display settings on QSettings
// (organisation "Veltrane", application "ZEMT": the real registry key on Windows, an INI file under the
// user's configuration folder elsewhere).

#include "settings/registry_store.h"

namespace orvane::settings {

class QSettingsStore : public RegistryStore {
public:
    KeyCreation CreateKey(RegistryHive hive, const std::string& keyName) override;
    int32_t SetValue(RegistryHive hive, const std::string& keyName, const std::string& valueName,
                     const std::string& data) override;
    int32_t OpenKey(RegistryHive hive, const std::string& keyName) override;
    int32_t QueryValue(RegistryHive hive, const std::string& keyName, const std::string& valueName,
                       std::string& data) override;
};

}  // namespace orvane::settings
