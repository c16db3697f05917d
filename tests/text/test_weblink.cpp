// The extension of a file name or address, and the shell's failure messages.

#include "text/text_numbers.h"
#include "text/weblink.h"

#include <gtest/gtest.h>

namespace orvane::text {
namespace {

TEST(FileExtension, AfterTheLastDotOfTheLastPart)
{
    EXPECT_EQ(FileExtension("C:\\a.b\\c", true), "");
    EXPECT_EQ(FileExtension("readme.TXT", true), "txt");
    EXPECT_EQ(FileExtension("http://orvane.example.org/manual", true), "org/manual");
}

TEST(ShellFailureMessage, ExplainsTheCodesTheShellKnows)
{
    Language language;
    ASSERT_EQ(language.LoadProgramText(ORVANE_SOURCE_DATA_DIR, kProgramTextFileName), "");
    const std::string head = "Error launching web browser, error code = ";
    const platform::Message association = ShellFailureMessage(language, 31, "http://orvane.example.org/manual");
    EXPECT_EQ(association.icon, platform::Icon::Exclamation);
    EXPECT_EQ(association.title, "Cannot launch web browser");
    EXPECT_EQ(association.text,
              head + "31.\r\n\r\nFile extension 'org/manual' is not associated with any application program.");
    EXPECT_EQ(ShellFailureMessage(language, 8, "x").text, head + "8.\r\n\r\nOut of memory.");
    EXPECT_EQ(ShellFailureMessage(language, 2, "x").text, head + "2.\r\n\r\nPlease try once more.");
    EXPECT_EQ(ShellFailureMessage(language, 5, "x").text, head + "5.");
    language.intLanguage = langGerman;
    EXPECT_EQ(ShellFailureMessage(language, 31, "a.[r1]").text,
              "Fehler beim Starten des Webbrowsers, Fehlercode = 31.\r\n\r\n"
              "Die Dateierweiterung '[r1]' ist mit keinem Anwendungsprogramm verknüpft.");
}

}  // namespace
}  // namespace orvane::text
