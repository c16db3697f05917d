#include "platform/program_text_library.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::platform {
namespace {

class ProgramTextFile : public ::testing::Test {
protected:
    int32_t Load(const std::string& content) { return library.LoadFile(folder.Write("qvs.dat", content), 0); }

    std::string Text(int32_t number, int32_t language) const
    {
        std::string buffer = "untouched";
        return library.CopyText(number, language, buffer, 1024, 1) > 0 ? buffer : "<none>";
    }

    testing::TempFolder folder;
    ProgramTextLibrary library;
};

TEST_F(ProgramTextFile, ReadsNumberedTextsInTwoLanguages)
{
    const int32_t n = Load("# captions\n"
                           "\n"
                           "4|0|World date\n"
                           "4|1|Weltdatum\n"
                           "7|0|a|b|c\n"
                           "8|0|~\n"
                           "-3|0|negative numbers are numbers\n"
                           "9|1|Größe ^ [r1]\n");
    EXPECT_EQ(n, 6);
    EXPECT_EQ(Text(4, 0), "World date");
    EXPECT_EQ(Text(4, 1), "Weltdatum");
    EXPECT_EQ(Text(7, 0), "a|b|c");   // the text runs to the end of the line
    EXPECT_EQ(Text(8, 0), "~");       // the empty text's stand-in is stored as written
    EXPECT_EQ(Text(-3, 0), "negative numbers are numbers");
    EXPECT_EQ(Text(9, 1), "Größe ^ [r1]");
    EXPECT_EQ(Text(9, 0), "<none>");  // no English text
    EXPECT_EQ(Text(5, 0), "<none>");
}

TEST_F(ProgramTextFile, WindowsLineEndsAndByteOrderMark)
{
    ASSERT_GT(Load("\xEF\xBB\xBF" "1|0|One\r\n2|0|Two\r\n"), 0);
    EXPECT_EQ(Text(1, 0), "One");
    EXPECT_EQ(Text(2, 0), "Two");
}

TEST_F(ProgramTextFile, LengthIsCountedInCharacters)
{
    std::string umlauts;
    for (int i = 0; i < 1024; ++i)
        umlauts += "ä";  // two bytes each
    ASSERT_GT(Load("1|0|" + umlauts + "\n"), 0);
    std::string buffer;
    EXPECT_EQ(library.CopyText(1, 0, buffer, 1024, 1), 2048);
    EXPECT_EQ(buffer, umlauts);
    EXPECT_EQ(library.CopyText(1, 0, buffer, 1023, 1), 0);  // does not fit a smaller buffer

    EXPECT_EQ(Load("1|0|ok\n2|0|" + umlauts + "x\n"), -1002);
}

TEST_F(ProgramTextFile, LoadOutcomesNameTheLine)
{
    const std::pair<const char*, int32_t> cases[] = {
        {"1|0|One\n\n1|1|Eins\n2|0|\n", -504},  // empty text at line 4
        {"1|0|One\n1|0|Again\n", -1502},          // duplicate at line 2
        {"1|0|One\n1|1|Eins\n1|1|Noch einmal\n", -1503},
        {"1|0|One\nno separator here\n", -502},   // no text can be taken from line 2
        {"x|0|One\n", -501},
        {"1|2|Three languages?\n", -501},
        {"70000|0|Beyond 16 bits\n", -501},
        {"1|0\n", -501},
        {"", -6},
        {"# only a comment\n\n", 0},
    };
    for (const auto& [content, outcome] : cases)
        EXPECT_EQ(Load(content), outcome) << content;
    EXPECT_EQ(library.LoadFile(folder.folder() + "absent.dat", 0), -1);
    // A failed load leaves no texts of the one before.
    ASSERT_GT(Load("1|0|One\n"), 0);
    ASSERT_LT(Load("1|0|One\n1|0|One\n"), 0);
    EXPECT_EQ(Text(1, 0), "<none>");
}

}  // namespace
}  // namespace orvane::platform
