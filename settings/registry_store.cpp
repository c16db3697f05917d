#include "settings/registry_store.h"

namespace orvane::settings {
namespace {

// The system's message buffer holds 100 characters.
constexpr size_t kMessageBufferSize = 100;


}  // namespace

std::string SystemMessageText(int32_t resultCode)
{
    std::string message;
    switch (resultCode) {
    case kRegSuccess:
        message = "The operation completed successfully.\r\n";
        break;
    case kRegFileNotFound:
        message = "The system cannot find the file specified.\r\n";
        break;
    case kRegAccessDenied:
        message = "Access is denied.\r\n";
        break;
    case kRegInvalidData:
        message = "The data is invalid.\r\n";
        break;
    default:
        break;
    }
    if (message.size() > kMessageBufferSize)
        message.resize(kMessageBufferSize);
    return message;
}

std::string StripTrailingControls(const std::string& text)
{
    size_t end = text.size();
    while (end > 0 && static_cast<unsigned char>(text[end - 1]) < 32)
        --end;
    return text.substr(0, end);
}

std::string RegWriteText(RegistryStore& store, RegistryHive hive, const std::string& keyName,
                         const std::string& valueName, const std::string& text)
{
    const KeyCreation creation = store.CreateKey(hive, keyName);
    int32_t lastResult = creation.result;
    std::string status;
    if (creation.result != kRegSuccess) {
        status = std::to_string(creation.result) + " Unable to create (or find) key.";
    } else {
        switch (creation.disposition) {
        case KeyDisposition::CreatedNewKey:
            status = "0 New key created.";
            break;
        case KeyDisposition::OpenedExistingKey:
            status = "0 Key already exists.";
            break;
        default:
            status = "0 Key anomaly.";
            break;
        }
        lastResult = store.SetValue(hive, keyName, valueName, text);
    }
    return status + "  " + SystemMessageText(lastResult);
}

std::string RegReadText(RegistryStore& store, RegistryHive hive, const std::string& keyName,
                        const std::string& valueName, std::string& text, int16_t /*flag*/)
{
    text.clear();
    if (keyName.empty() || store.OpenKey(hive, keyName) != kRegSuccess)
        return "1 Key not found or is empty.";
    if (valueName.empty())
        return "2 Name not specified.";

    std::string data;
    const int32_t queryResult = store.QueryValue(hive, keyName, valueName, data);
    if (queryResult != kRegSuccess)
        return "3 Name not found.";

    text = StripTrailingControls(data);
    if (text.empty())
        return "0 Empty value";
    // The store reads a value in one step, so a value that was found was read successfully: the
    // system's message for the read is always the success message here.
    return "0 OK";
}

KeyCreation MemoryRegistryStore::CreateKey(RegistryHive hive, const std::string& keyName)
{
    if (faults.createKey != kRegSuccess)
        return {faults.createKey, KeyDisposition::Unknown};
    if (keyName.empty())
        return {kRegFileNotFound, KeyDisposition::Unknown};
    const auto [position, inserted] = m_keys.try_emplace(KeyId{hive, keyName});
    (void)position;
    return {kRegSuccess, inserted ? KeyDisposition::CreatedNewKey : KeyDisposition::OpenedExistingKey};
}

int32_t MemoryRegistryStore::SetValue(RegistryHive hive, const std::string& keyName, const std::string& valueName,
                                      const std::string& data)
{
    if (faults.setValue != kRegSuccess)
        return faults.setValue;
    const auto key = m_keys.find(KeyId{hive, keyName});
    if (key == m_keys.end())
        return kRegFileNotFound;
    key->second[valueName] = data;
    return kRegSuccess;
}

int32_t MemoryRegistryStore::OpenKey(RegistryHive hive, const std::string& keyName)
{
    if (faults.openKey != kRegSuccess)
        return faults.openKey;
    return HasKey(hive, keyName) ? kRegSuccess : kRegFileNotFound;
}

int32_t MemoryRegistryStore::QueryValue(RegistryHive hive, const std::string& keyName,
                                        const std::string& valueName, std::string& data)
{
    if (faults.queryValue != kRegSuccess)
        return faults.queryValue;
    const std::optional<std::string> raw = RawValue(hive, keyName, valueName);
    if (!raw)
        return kRegFileNotFound;
    data = *raw;
    return kRegSuccess;
}

bool MemoryRegistryStore::HasKey(RegistryHive hive, const std::string& keyName) const
{
    return m_keys.contains(KeyId{hive, keyName});
}

std::optional<std::string> MemoryRegistryStore::RawValue(RegistryHive hive, const std::string& keyName,
                                                         const std::string& valueName) const
{
    const auto key = m_keys.find(KeyId{hive, keyName});
    if (key == m_keys.end())
        return std::nullopt;
    const auto value = key->second.find(valueName);
    if (value == key->second.end())
        return std::nullopt;
    return value->second;
}

void MemoryRegistryStore::SetRawValue(RegistryHive hive, const std::string& keyName, const std::string& valueName,
                                      std::string data)
{
    m_keys[KeyId{hive, keyName}][valueName] = std::move(data);
}

void MemoryRegistryStore::RemoveValue(RegistryHive hive, const std::string& keyName, const std::string& valueName)
{
    const auto key = m_keys.find(KeyId{hive, keyName});
    if (key != m_keys.end())
        key->second.erase(valueName);
}

size_t MemoryRegistryStore::ValueCount(RegistryHive hive, const std::string& keyName) const
{
    const auto key = m_keys.find(KeyId{hive, keyName});
    return key == m_keys.end() ? 0 : key->second.size();
}

}  // namespace orvane::settings
