#include "text/language.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace orvane::text {
namespace {

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
        ASSERT_TRUE(language.LoadProgramText(folder.folder(), "qvs.dat", {}).ok());
    }
    testing::TempFolder folder;
    Language language;
};

// "~" is the empty text; a text is taken as it is ("^" makes no line break) until replacements are made;
// the current language decides, and a number without a German text has none.
TEST_F(LanguageWithFile, TextsOfTheCurrentLanguage)
{
    EXPECT_EQ(std::tuple(language.Text(1), language.Text(2), language.Text(3), language.Text(4), language.Text(99)),
              std::tuple("", "~~", " ~", "One^Two [r1]", ""));
    EXPECT_EQ(language.TextWithReplacements(4, "x"), "One\r\nTwo x");
    language.currentLanguage = langGerman;
    EXPECT_EQ(language.Text(4) + "|" + language.Text(5), "Eins^Zwei [r1]|");
    language.currentLanguage = langEnglish;
    EXPECT_EQ(language.Text(5), "Earth");
}

TEST(LanguageLoading, FolderSeparatorAndFailures)
{
    testing::TempFolder folder;
    folder.Write("qvs.dat", "1|0|One\n");
    Language language;
    // A folder given with or without its trailing separator: never a doubled one.
    std::string withoutSeparator = folder.folder();
    withoutSeparator.pop_back();
    EXPECT_TRUE(language.LoadProgramText(withoutSeparator, "qvs.dat", {}).ok());
    EXPECT_TRUE(language.LoadProgramText(folder.folder(), "qvs.dat", {}).ok());
    EXPECT_EQ(language.LoadProgramText(folder.folder(), "missing.dat").error(),
              platform::Message::Critical("", "Cannot open file containing program text.\r\n" + folder.folder() + "missing.dat"));
    folder.Write("bad.dat", "1|0|One\n1|0|One\n");
    EXPECT_EQ(language.LoadProgramText(folder.folder(), "bad.dat", {}).error().text,
              "Duplicate in program text at line 2.\r\n" + folder.folder() + "bad.dat");
}

// Faults beyond line 499 keep their kind and their true line; below it the codes are decoded as ever.
TEST(LanguageLoading, FaultsAtAnyLineAndMissingTexts)
{
    testing::TempFolder folder;
    std::string text;
    for (int n = 1; n < 700; ++n)
        text += std::to_string(n) + "|0|Text\n";
    Language language;
    const auto load = [&](const std::string& content, std::span<const int16_t> required) {
        folder.Write("t.dat", content);
        const platform::Result<void> loaded = language.LoadProgramText(folder.folder(), "t.dat", required);
        return loaded.ok() ? std::string() : loaded.error().text;
    };
    const std::string file = "\r\n" + folder.folder() + "t.dat";
    EXPECT_EQ(load(text + "7|0|Again\n", {}), "Duplicate in program text at line 700." + file);
    EXPECT_EQ(load(text + "x\n", {}), "Missing string at line 700." + file);
    EXPECT_EQ(load(text + "9|1|" + std::string(1025, 'x') + "\n", {}), "String too long at line 700." + file);

    // Every named number needs both languages.
    const int16_t required[] = {5, 9};
    EXPECT_EQ(load("5|0|A\n5|1|B\n9|0|C\n", required), "Missing text 9 (German) in the program text." + file);
    EXPECT_EQ(load("5|0|A\n5|1|B\n9|0|C\n9|1|D\n", required), "");
    // The first lacking in the order asked for is named, its English before its German.
    const int16_t unordered[] = {-4, 7, 5, 9, 7};
    EXPECT_EQ(load("-4|0|F\n-4|1|G\n5|0|A\n7|1|E\n9|0|C\n", unordered),
              "Missing text 7 (English) in the program text." + file);
}

TEST(SeparateThousands, GroupsOfThreeDigitsOnlyInNumbers)
{
    const std::pair<const char*, const char*> groups[] = {{"12345", "12,345"}, {"999", "999"},   {"1000", "1,000"},
                                                          {"", ""},           {"12a45", "12a45"}, {"-10000", "-10.000"}};
    for (const auto& [number, separated] : groups)
        EXPECT_EQ(SeparateThousands(number, number[0] == '-' ? '.' : ','), separated) << number;
}

}  // namespace
}  // namespace orvane::text
