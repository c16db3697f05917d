// The user manual's file and the warnings when it cannot be opened.

#include "text/text_numbers.h"
#include "text/weblink.h"

#include <gtest/gtest.h>

namespace orvane::text {
namespace {

TEST(ManualPath, InstalledUnderShareDocElseBesideTheExecutables)
{
    EXPECT_EQ(ManualPath("/usr/share/orvane/"), "/usr/share/doc/orvane/manual/index.html");
    EXPECT_EQ(ManualPath("/src/orvane/build/bin/"), "/src/orvane/build/bin/doc/manual/index.html");
    EXPECT_EQ(ManualPath("/opt/orvane/"), "/opt/orvane/doc/manual/index.html");
}

TEST(ManualFailureMessage, NamesTheFileAndTheReasonInBothLanguages)
{
    Language language;
    ASSERT_TRUE(language.LoadProgramText(ORVANE_SOURCE_DATA_DIR, kProgramTextFileName).ok());
    const std::string path = "/usr/share/doc/orvane/manual/index.html";
    const platform::Message missing = ManualFailureMessage(language, ManualFailure::Missing, path);
    EXPECT_EQ(missing.icon, platform::Icon::Exclamation);
    EXPECT_EQ(missing.title, "Orvane manual (HTML)");
    EXPECT_EQ(missing.text, "The user manual " + path + " cannot be opened: the file is missing.");
    EXPECT_EQ(ManualFailureMessage(language, ManualFailure::NoProgram, "/a/[r2]^.html").text,
              "The user manual /a/[r2]^.html cannot be opened: no program on this computer opens web pages.");
    language.currentLanguage = langGerman;
    const platform::Message german = ManualFailureMessage(language, ManualFailure::Missing, path);
    EXPECT_EQ(german.title, "Orvane-Handbuch (HTML)");
    EXPECT_EQ(german.text, "Das Benutzerhandbuch " + path + " kann nicht geöffnet werden: Die Datei fehlt.");
}

}  // namespace
}  // namespace orvane::text
