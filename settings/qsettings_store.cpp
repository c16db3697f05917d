#include "settings/qsettings_store.h"

namespace orvane::settings {

KeyCreation QSettingsStore::CreateKey(RegistryHive, const std::string&)
{
    return {kRegSuccess, KeyDisposition::OpenedExistingKey};
}

int32_t QSettingsStore::SetValue(RegistryHive, const std::string&, const std::string&, const std::string&)
{
    return kRegSuccess;
}

int32_t QSettingsStore::OpenKey(RegistryHive, const std::string&)
{
    return kRegFileNotFound;
}

int32_t QSettingsStore::QueryValue(RegistryHive, const std::string&, const std::string&, std::string&)
{
    return kRegFileNotFound;
}

}  // namespace orvane::settings
