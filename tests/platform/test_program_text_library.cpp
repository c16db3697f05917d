#include "platform/program_text_library.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

#include <sys/stat.h>

namespace orvane::platform {
namespace {

class ProgramTextFile : public ::testing::Test {
protected:
    // The number of texts loaded, or what went wrong (the file's name on its own line left out).
    std::string Load(const std::string& content) { return Outcome(folder.Write("qvs.dat", content)); }
    std::string Outcome(const std::string& path)
    {
        const Result<int32_t> loaded = library.LoadFile(path);
        if (loaded)
            return std::to_string(loaded.value());
        const std::string named = "\r\n" + path;
        EXPECT_TRUE(loaded.error().text.ends_with(named)) << loaded.error().text;
        EXPECT_EQ(loaded.error().icon, Icon::Critical);
        return loaded.error().text.substr(0, loaded.error().text.size() - named.size());
    }

    std::string Text(int32_t number, int32_t language) const
    {
        return std::string(library.StoredText(number, language).value_or("<none>"));
    }

    testing::TempFolder folder;
    ProgramTextLibrary library;
};

TEST_F(ProgramTextFile, ReadsNumberedTextsInTwoLanguages)
{
    EXPECT_EQ(Load("\xEF\xBB\xBF# captions\r\n"
                   "\n"
                   "4|0|World date\r\n"
                   "4|1|Weltdatum\n"
                   "7|0|a|b|c\n"
                   "8|0|~\n"
                   "-3|0|negative numbers are numbers\n"
                   "9|1|Größe ^ [r1]"),
              "6");
    EXPECT_EQ(Text(4, 0), "World date");  // without the CR of a Windows line end
    EXPECT_EQ(Text(4, 1), "Weltdatum");
    EXPECT_EQ(Text(7, 0), "a|b|c");   // the text runs to the end of the line
    EXPECT_EQ(Text(8, 0), "~");       // the empty text's stand-in is stored as written
    EXPECT_EQ(Text(-3, 0), "negative numbers are numbers");
    EXPECT_EQ(Text(9, 1), "Größe ^ [r1]");
    EXPECT_EQ(Text(9, 0), "<none>");  // no English text
    EXPECT_EQ(Text(5, 0), "<none>");
}

TEST_F(ProgramTextFile, LengthIsCountedInCharacters)
{
    std::string umlauts;
    for (int i = 0; i < 1024; ++i)
        umlauts += "ä";  // two bytes each
    ASSERT_EQ(Load("1|0|" + umlauts + "\n"), "1");
    EXPECT_EQ(library.StoredText(1, 0), umlauts);

    EXPECT_EQ(Load("1|0|ok\n2|0|" + umlauts + "x\n"), "String too long at line 2.");
}

// Every failure names the file; a fault at a line names the line, however far down.
TEST_F(ProgramTextFile, FailuresNameTheFileAndTheLine)
{
    std::string long700;
    for (int n = 1; n < 700; ++n)
        long700 += std::to_string(n) + "|0|Text\n";
    const std::pair<std::string, const char*> cases[] = {
        {"1|0|One\n\n1|1|Eins\n2|0|\n", "Missing string at line 4."},  // an empty text
        {"1|0|One\n1|0|Again\n", "Duplicate in program text at line 2."},
        {"1|0|One\nno separator here\n", "Missing string at line 2."},
        {"x|0|One\n", "Missing string at line 1."},
        {"1|2|Three languages?\n", "Missing string at line 1."},
        {"70000|0|Beyond 16 bits\n", "Missing string at line 1."},
        {"1|0\n", "Missing string at line 1."},
        {long700 + "7|0|Again\n", "Duplicate in program text at line 700."},
        // Out of order, the first fault met reading down the file counts, of whichever kind.
        {"5|0|a\n3|0|b\n9|0|c\n3|0|d\n5|0|e\n", "Duplicate in program text at line 4."},
        {"5|0|a\n3|0|b\n5|0|c\nbad\n", "Duplicate in program text at line 3."},
        {"5|0|a\n3|0|b\nbad\n5|0|c\n", "Missing string at line 3."},
        {"", "File is empty."},
        {"# only a comment\n\n", "No program text was read."},
        {std::string(ProgramTextLibrary::kMaxFileBytes + 1, '#'), "Too much program text."},
    };
    for (const auto& [content, outcome] : cases)
        EXPECT_EQ(Load(content), outcome) << content.substr(0, 40);
    EXPECT_EQ(library.faultLine(), 0);
    EXPECT_EQ(Outcome(folder.folder() + "absent.dat"), "Cannot open file containing program text.");
    const std::string fifo = folder.folder() + "fifo.dat";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, folder.folder()})
        EXPECT_EQ(Outcome(path), "The program text is not a file.");  // without waiting for a writer
    // A failed load leaves no texts of the one before.
    ASSERT_EQ(Load("1|0|One\n"), "1");
    EXPECT_EQ(Load("1|0|One\n1|0|One\n"), "Duplicate in program text at line 2.");
    EXPECT_EQ(library.faultLine(), 2);
    EXPECT_EQ(Text(1, 0), "<none>");
}

// A file that holds byte for byte what the library holds leaves it as it is, the texts where they were;
// any other file, even one of the same size, is read and parsed.
TEST_F(ProgramTextFile, AFileHoldingTheTextAlreadyLoadedIsNotReadAgain)
{
    const std::string content = "1|0|One\n1|1|Eins\n";
    const ProgramTextLibrary::Entry index[] = {{ProgramTextLibrary::Key(1, 0), 4, 3}, {ProgramTextLibrary::Key(1, 1), 12, 4}};
    library.Adopt(content, index);
    EXPECT_EQ(Load(content), "2");
    EXPECT_EQ(library.Content().data(), content.data());
    EXPECT_EQ(Text(1, 1), "Eins");

    for (const std::string& other : {std::string("1|0|Two\n1|1|Eins\n"), content + "2|0|Two\n", content.substr(0, 8)}) {
        library.Adopt(content, index);
        EXPECT_EQ(Load(other), other.size() == content.size() ? "2" : other.size() > content.size() ? "3" : "1");
        EXPECT_EQ(library.Content(), other);
    }
    // A faulty file is refused as ever, and leaves nothing of what the library held.
    library.Adopt(content, index);
    EXPECT_EQ(Load("1|0|One\n1|0|One\n"), "Duplicate in program text at line 2.");
    EXPECT_EQ(Text(1, 1), "<none>");
}

}  // namespace
}  // namespace orvane::platform
