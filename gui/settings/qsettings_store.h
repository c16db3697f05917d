#pragma once

// The desktop program's settings store: the registry primitives of the display settings on QSettings
// (organisation "Veltrane", application "ZEMT": the real registry key on Windows, an INI file under the
// user's configuration folder elsewhere).
//
// A registry key is a settings group. The application's own key (Software\Veltrane\ZEMT) is the top level
// of the application's settings, so that on Windows the values land in that very key; its subkeys are
// groups below it, any other key a group named by the key with '/' between its parts. Values are text,
// 8-bit characters kept byte for byte.

#include "settings/registry_store.h"

#include <set>
#include <string>
#include <utility>

namespace orvane::settings {

inline constexpr const char* kSettingsOrganization = "Veltrane";
inline constexpr const char* kSettingsApplication = "ZEMT";

class QSettingsStore : public RegistryStore {
public:
    KeyCreation CreateKey(RegistryHive hive, const std::string& keyName) override;
    int32_t SetValue(RegistryHive hive, const std::string& keyName, const std::string& valueName,
                     const std::string& data) override;
    int32_t OpenKey(RegistryHive hive, const std::string& keyName) override;
    int32_t QueryValue(RegistryHive hive, const std::string& keyName, const std::string& valueName,
                       std::string& data) override;

private:
    bool KeyExists(RegistryHive hive, const std::string& keyName) const;

    // Keys created during this run that hold no value yet: a settings file keeps no empty group.
    std::set<std::pair<RegistryHive, std::string>> m_createdKeys;
};

}  // namespace orvane::settings
