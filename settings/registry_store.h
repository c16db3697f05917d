#pragma once

// The per-user store of the four display settings: text values under one key, written and read by
// RegWriteText and RegReadText, whose status texts tell success by their first character ("0" success;
// "1", "2", "3" or a system error number failure). The store itself is an abstract set of registry
// primitives (create a key, set a value, open a key, query a value), so that the same status rules hold
// for every back end: the per-user settings of the desktop program and the in-memory store of the tests.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace orvane::settings {

// The key of Orvane's display settings and the names of its four values ("0" or "1" each).
inline constexpr const char* kRegistryKey = "Software\\Veltrane\\ZEMT";
inline constexpr const char* kValueTZDisp = "TZDisp";
inline constexpr const char* kValueZodiacSectors = "Zodiac sectors";
inline constexpr const char* kValueIPAD = "IPAD";
inline constexpr const char* kValueSOEA = "SOEA";

// The hive a key lives in; the display settings live in the current user's.
enum class RegistryHive { CurrentUser, LocalMachine };

// Result codes of the store's primitives, numbered as the system's error numbers are.
inline constexpr int32_t kRegSuccess = 0;
inline constexpr int32_t kRegFileNotFound = 2;
inline constexpr int32_t kRegAccessDenied = 5;
inline constexpr int32_t kRegInvalidData = 13;

// What creating (or opening) a key for writing found.
enum class KeyDisposition { CreatedNewKey, OpenedExistingKey, Unknown };

struct KeyCreation {
    int32_t result = kRegSuccess;
    KeyDisposition disposition = KeyDisposition::Unknown;
};

// The system's message for a result code, ending in a line break as the system's messages do, and at
// most 100 characters long; empty for a code without a message.
std::string SystemMessageText(int32_t resultCode);

// A text with its trailing characters below code 32 (a terminating zero, line breaks) removed.
std::string StripTrailingControls(const std::string& text);

class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    // Creates the key (with every missing parent) or opens it when it exists.
    virtual KeyCreation CreateKey(RegistryHive hive, const std::string& keyName) = 0;
    // Stores `data` (8-bit characters, exactly as given) as the text value `valueName` of an existing key.
    virtual int32_t SetValue(RegistryHive hive, const std::string& keyName, const std::string& valueName,
                             const std::string& data) = 0;
    // Opens an existing key for reading its values.
    virtual int32_t OpenKey(RegistryHive hive, const std::string& keyName) = 0;
    // Reads the stored bytes of a value of an existing key (with a terminating zero if one was stored).
    virtual int32_t QueryValue(RegistryHive hive, const std::string& keyName, const std::string& valueName,
                               std::string& data) = 0;
};

// Writes `text` as the value `valueName` of `keyName`, creating the key when needed. The status starts
// with "0" once the key is there ("0 New key created.", "0 Key already exists.", "0 Key anomaly.") and
// with the error number when it is not ("5 Unable to create (or find) key."), followed by two blanks and
// the system's message for the last result.
std::string RegWriteText(RegistryStore& store, RegistryHive hive, const std::string& keyName,
                         const std::string& valueName, const std::string& text);

// Reads the value `valueName` of `keyName` into `text` (empty unless found), without its trailing control
// characters. Status: "0 OK", "0 Empty value", "1 Key not found or is empty.", "2 Name not specified.",
// "3 Name not found.". `flag` has no effect.
std::string RegReadText(RegistryStore& store, RegistryHive hive, const std::string& keyName,
                        const std::string& valueName, std::string& text, int16_t flag = 0);

// A status that reports the value as found.
inline bool StatusFound(const std::string& status)
{
    return !status.empty() && status.front() == '0';
}

// A store held in memory: for tests, and as the fallback when no per-user store can be had. Faults can be
// injected to see how the callers cope with a failing store.
class MemoryRegistryStore : public RegistryStore {
public:
    KeyCreation CreateKey(RegistryHive hive, const std::string& keyName) override;
    int32_t SetValue(RegistryHive hive, const std::string& keyName, const std::string& valueName,
                     const std::string& data) override;
    int32_t OpenKey(RegistryHive hive, const std::string& keyName) override;
    int32_t QueryValue(RegistryHive hive, const std::string& keyName, const std::string& valueName,
                       std::string& data) override;

    // Whether the key exists, and the raw bytes of a value (none when the key or the value is missing).
    bool HasKey(RegistryHive hive, const std::string& keyName) const;
    std::optional<std::string> RawValue(RegistryHive hive, const std::string& keyName,
                                        const std::string& valueName) const;
    // Stores raw bytes, creating the key: a value as another program may have left it.
    void SetRawValue(RegistryHive hive, const std::string& keyName, const std::string& valueName,
                     std::string data);
    // Removes one value (the key stays).
    void RemoveValue(RegistryHive hive, const std::string& keyName, const std::string& valueName);
    // The number of values in a key (0 when the key is missing).
    size_t ValueCount(RegistryHive hive, const std::string& keyName) const;

    // Result codes forced on the primitives (kRegSuccess: behave normally).
    struct Faults {
        int32_t createKey = kRegSuccess;
        int32_t setValue = kRegSuccess;
        int32_t openKey = kRegSuccess;
        int32_t queryValue = kRegSuccess;
    } faults;

private:
    using KeyId = std::pair<RegistryHive, std::string>;
    std::map<KeyId, std::map<std::string, std::string>> m_keys;
};

}  // namespace orvane::settings
