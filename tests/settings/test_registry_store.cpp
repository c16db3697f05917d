// The registry routines' status texts and value handling over the in-memory store.

#include <gtest/gtest.h>

#include <string>

#include "settings/registry_store.h"

namespace {

using namespace orvane::settings;

constexpr RegistryHive kUser = RegistryHive::CurrentUser;
const std::string kSuccess = "The operation completed successfully.\r\n";

TEST(RegWriteText, StatusTellsWhetherTheKeyWasCreatedOrFound)
{
    MemoryRegistryStore store;
    EXPECT_EQ(RegWriteText(store, kUser, kRegistryKey, "TZDisp", "1"), "0 New key created.  " + kSuccess);
    EXPECT_EQ(RegWriteText(store, kUser, kRegistryKey, "SOEA", "0"), "0 Key already exists.  " + kSuccess);
    EXPECT_EQ(RegWriteText(store, kUser, kRegistryKey, "TZDisp", "0"), "0 Key already exists.  " + kSuccess);

    // The text is stored as it is, without a terminating zero, and replaces the previous one.
    EXPECT_EQ(store.RawValue(kUser, kRegistryKey, "TZDisp"), std::optional<std::string>("0"));
    EXPECT_EQ(store.RawValue(kUser, kRegistryKey, "SOEA"), std::optional<std::string>("0"));
    EXPECT_EQ(store.ValueCount(kUser, kRegistryKey), 2u);
    // Hives are separate.
    EXPECT_FALSE(store.HasKey(RegistryHive::LocalMachine, kRegistryKey));
}

TEST(RegWriteText, FailuresCarryTheErrorNumberAndMessage)
{
    MemoryRegistryStore store;
    store.faults.createKey = kRegAccessDenied;
    EXPECT_EQ(RegWriteText(store, kUser, kRegistryKey, "IPAD", "1"),
              "5 Unable to create (or find) key.  Access is denied.\r\n");
    EXPECT_FALSE(store.HasKey(kUser, kRegistryKey));

    // A key that is there but a value that cannot be set: the status still starts with the key's "0",
    // the message tells the failure, and the previous value stays.
    store.faults.createKey = kRegSuccess;
    ASSERT_EQ(RegWriteText(store, kUser, kRegistryKey, "IPAD", "1").front(), '0');
    store.faults.setValue = kRegAccessDenied;
    EXPECT_EQ(RegWriteText(store, kUser, kRegistryKey, "IPAD", "0"), "0 Key already exists.  Access is denied.\r\n");
    EXPECT_EQ(store.RawValue(kUser, kRegistryKey, "IPAD"), std::optional<std::string>("1"));

    // An empty key name cannot be created.
    store.faults = {};
    EXPECT_EQ(RegWriteText(store, kUser, "", "IPAD", "1"),
              "2 Unable to create (or find) key.  The system cannot find the file specified.\r\n");
}

TEST(RegReadText, StatusAndTextForEveryOutcome)
{
    MemoryRegistryStore store;
    store.SetRawValue(kUser, kRegistryKey, "plain", "1");
    store.SetRawValue(kUser, kRegistryKey, "zero terminated", std::string("yes\0", 4));
    store.SetRawValue(kUser, kRegistryKey, "line break", "0\r\n");
    store.SetRawValue(kUser, kRegistryKey, "only zero", std::string(1, '\0'));
    store.SetRawValue(kUser, kRegistryKey, "empty", "");
    store.SetRawValue(kUser, kRegistryKey, "inner controls", std::string("a\tb\0c\0\0", 7));
    store.SetRawValue(kUser, kRegistryKey, "degree sign", "1°\x1f");

    struct Case {
        std::string key;
        std::string value;
        std::string status;
        std::string text;
    };
    const Case cases[] = {
        {kRegistryKey, "plain", "0 OK", "1"},
        {kRegistryKey, "zero terminated", "0 OK", "yes"},
        {kRegistryKey, "line break", "0 OK", "0"},
        {kRegistryKey, "inner controls", "0 OK", std::string("a\tb\0c", 5)},
        {kRegistryKey, "degree sign", "0 OK", "1°"},  // bytes above 127 are text, not controls
        {kRegistryKey, "only zero", "0 Empty value", ""},
        {kRegistryKey, "empty", "0 Empty value", ""},
        {kRegistryKey, "missing", "3 Name not found.", ""},
        {kRegistryKey, "", "2 Name not specified.", ""},
        {"", "plain", "1 Key not found or is empty.", ""},
        {"Software\\Veltrane\\Other", "plain", "1 Key not found or is empty.", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key + " / " + c.value);
        std::string text = "left over";
        EXPECT_EQ(RegReadText(store, kUser, c.key, c.value, text, 0), c.status);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(StatusFound(c.status), c.status.front() == '0');
    }
}

TEST(RegReadText, AFailingStoreReadsAsNotFound)
{
    MemoryRegistryStore store;
    store.SetRawValue(kUser, kRegistryKey, "TZDisp", "1");
    std::string text;
    store.faults.openKey = kRegAccessDenied;
    EXPECT_EQ(RegReadText(store, kUser, kRegistryKey, "TZDisp", text), "1 Key not found or is empty.");
    store.faults = {};
    store.faults.queryValue = kRegAccessDenied;
    EXPECT_EQ(RegReadText(store, kUser, kRegistryKey, "TZDisp", text), "3 Name not found.");
    EXPECT_EQ(text, "");
}

}  // namespace
