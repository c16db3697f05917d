#include "text/language.h"
#include "text/text_numbers.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace orvane::text {
namespace {

TEST(LoadFailureMessage, EveryOutcome)
{
    EXPECT_EQ(LoadFailureMessage(0, "f"), "No program text was read.");
    EXPECT_EQ(LoadFailureMessage(-1, "/opt/orvane/qvs.dat"),
              "Cannot open file containing program text.\r\n/opt/orvane/qvs.dat");
    EXPECT_EQ(LoadFailureMessage(-2, "f"), "Particular memory allocation error.");
    EXPECT_EQ(LoadFailureMessage(-3, "f"), "Too much program text.");
    EXPECT_EQ(LoadFailureMessage(-4, "f"), "Text not recovered.");
    EXPECT_EQ(LoadFailureMessage(-5, "f"), "Error -5");
    EXPECT_EQ(LoadFailureMessage(-6, "f"), "File is empty.");
    EXPECT_EQ(LoadFailureMessage(-7, "f"), "Error reading file.");
    EXPECT_EQ(LoadFailureMessage(-8, "f"), "General memory allocation error.");
    EXPECT_EQ(LoadFailureMessage(-9, "f"), "Error -9");
    EXPECT_EQ(LoadFailureMessage(-500, "f"), "Error -500");
    EXPECT_EQ(LoadFailureMessage(-501, "f"), "Missing string at line 1.");
    EXPECT_EQ(LoadFailureMessage(-1000, "f"), "Missing string at line 500.");
    EXPECT_EQ(LoadFailureMessage(-1001, "f"), "String too long at line 1.");
    EXPECT_EQ(LoadFailureMessage(-1500, "f"), "String too long at line 500.");
    EXPECT_EQ(LoadFailureMessage(-1501, "f"), "Duplicate in program text at line 1.");
    EXPECT_EQ(LoadFailureMessage(-2742, "f"), "Duplicate in program text at line 1242.");
}

TEST(ReplacePlaceholders, FillsInOrderAndStopsAtTheFirstEmpty)
{
    EXPECT_EQ(ReplacePlaceholders("[r1] and [r2] and [r3]", "a", "", "c"), "a and [r2] and [r3]");
    EXPECT_EQ(ReplacePlaceholders("[r1],[r2],[r3],[r4],[r5]", "1", "2", "3", "4", "5"), "1,2,3,4,5");
    EXPECT_EQ(ReplacePlaceholders("[r1],[r2],[r3],[r4],[r5]", "1", "2", "3", "", "5"), "1,2,3,[r4],[r5]");
    EXPECT_EQ(ReplacePlaceholders("x[r1]y", ""), "xy");  // r1 is replaced even by the empty text
    EXPECT_EQ(ReplacePlaceholders("[r1] [r1]", "z"), "z z");
    EXPECT_EQ(ReplacePlaceholders("[R1] [r6]", "z"), "[R1] [r6]");
    EXPECT_EQ(ReplacePlaceholders("plain text", "z"), "plain text");
    EXPECT_EQ(ReplacePlaceholders("one^two^", ""), "one\r\ntwo\r\n");
    // Replacements are not scanned again: a "^" or "[r2]" brought in by r1 stays as it is… except that
    // line breaks are made last, over the whole text.
    EXPECT_EQ(ReplacePlaceholders("[r1]", "[r2]", "b"), "b");
    EXPECT_EQ(ReplacePlaceholders("[r2]", "[r2]x", "[r2]"), "[r2]");
}

class LanguageWithFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.Write("qvs.dat",
                     "1|0|~\n1|1|~\n2|0|~~\n3|0| ~\n4|0|One^Two [r1]\n4|1|Eins^Zwei [r1]\n5|0|Earth\n");
        ASSERT_EQ(language.LoadProgramText(folder.folder(), "qvs.dat"), "");
    }
    testing::TempFolder folder;
    Language language;
};

TEST_F(LanguageWithFile, GetTextAndTheEmptyText)
{
    EXPECT_EQ(language.GetText(1), "");
    EXPECT_EQ(language.GetText(2), "~~");
    EXPECT_EQ(language.GetText(3), " ~");
    EXPECT_EQ(language.GetText(4), "One^Two [r1]");  // GetText alone makes no line breaks
    EXPECT_EQ(language.GetText(99), "");
    EXPECT_EQ(language.GetTextWithReplacements(4, "x"), "One\r\nTwo x");
}

TEST_F(LanguageWithFile, TheCurrentLanguageDecides)
{
    language.intLanguage = langGerman;
    EXPECT_EQ(language.GetText(4), "Eins^Zwei [r1]");
    EXPECT_EQ(language.GetText(5), "");  // no German text
    language.intLanguage = langEnglish;
    EXPECT_EQ(language.GetText(5), "Earth");
}

TEST(LanguageLoading, FolderSeparatorAndFailures)
{
    testing::TempFolder folder;
    folder.Write("qvs.dat", "1|0|One\n");
    Language language;
    // A folder given with or without its trailing separator: never a doubled one.
    std::string withoutSeparator = folder.folder();
    withoutSeparator.pop_back();
    EXPECT_EQ(language.LoadProgramText(withoutSeparator, "qvs.dat"), "");
    EXPECT_EQ(language.LoadProgramText(folder.folder(), "qvs.dat"), "");
    EXPECT_EQ(language.LoadProgramText(folder.folder(), "missing.dat"),
              "Cannot open file containing program text.\r\n" + folder.folder() + "missing.dat");
    folder.Write("bad.dat", "1|0|One\n1|0|One\n");
    EXPECT_EQ(language.LoadProgramText(folder.folder(), "bad.dat"), "Duplicate in program text at line 2.");
}

TEST(ShippedProgramText, LoadsAndSpeaksBothLanguages)
{
    Language language;
    ASSERT_EQ(language.LoadProgramText(ORVANE_SOURCE_DATA_DIR, kProgramTextFileName), "");
    EXPECT_EQ(language.GetText(kTextPlutoErrorHeading), "Error when reading Pluto data:");
    EXPECT_EQ(language.GetText(kTextPlutoErrorConsequence), "Pluto aspects cannot be displayed.");
    language.intLanguage = langGerman;
    EXPECT_EQ(language.GetText(kTextPlutoErrorHeading), "Fehler beim Lesen der Pluto-Daten:");
}

}  // namespace
}  // namespace orvane::text
