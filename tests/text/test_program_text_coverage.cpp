// Coverage of the program text file data/qvs.dat: every text number the program names (text/text_numbers.h,
// read as a file) exists in English and German, every text in the file is named, and the two languages
// agree on what the program fills in or splits on. That the code names its numbers nowhere else is
// scripts/check_text_numbers' check.

#include "platform/program_text_library.h"
#include "text/text_numbers.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>

namespace orvane::text {
namespace {

using platform::ProgramTextLibrary;

constexpr int32_t kEnglish = 0;
constexpr int32_t kGerman = 1;

const std::filesystem::path kSourceFolder = std::filesystem::path(ORVANE_SOURCE_DATA_DIR).parent_path();

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

// Every constant of the header, by number.
std::map<int32_t, std::string> NamedNumbers()
{
    static const std::regex constant(R"(inline constexpr int16_t (kText\w+) = (\d+);)");
    const std::string header = ReadAll(kSourceFolder / "text" / "text_numbers.h");
    std::map<int32_t, std::string> named;
    for (std::sregex_iterator it(header.begin(), header.end(), constant), end; it != end; ++it) {
        const auto [at, fresh] = named.emplace(std::stoi((*it)[2]), (*it)[1]);
        EXPECT_TRUE(fresh) << (*it)[1] << " and " << at->second << " name the same number";
    }
    return named;
}

// Markers that the program replaces literally; each must stand once in the text in both languages, or
// the filled-in text comes out wrong.
struct Marker {
    int16_t number;
    std::string_view marker;
};
constexpr std::array kMarkers = {
    Marker{kTextSecondBodyTen, "12"},
    Marker{kTextHasOneAspect, "[natal chart]"},  // "natal chart" or "synastry"
    Marker{kTextHas20Aspects, "[natal chart]"},
    Marker{kTextHas20Aspects, "20"},  // the number of aspects in words
    Marker{kTextFromExact, "[5 degrees]"},
    Marker{kTextTotalAspects, "N"},
    Marker{kTextPictureCurveValues, "[date]"},
    Marker{kTextPictureCurveValues, "[time]"},
    Marker{kTextPictureCurveValues, "[exactness]"},
    Marker{kTextSetAllQuestion, "NEW_ORB"},
};

// Captions the program compares to tell a state apart: each pair must differ in every language.
constexpr std::array<std::array<int16_t, 2>, 3> kDistinctCaptions = {{
    {kTextDisplayChart, kTextDisplayTable},
    {kTextRun, kTextStop},
    {kTextSaveAs, kTextSaveChartAs},
}};

int CountOf(std::string_view text, std::string_view part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

class ProgramTextCoverage : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        library_ = std::make_unique<ProgramTextLibrary>();
        loaded_ = library_->LoadFile((kSourceFolder / "data" / "qvs.dat").string()).ok();
    }
    static void TearDownTestSuite() { library_.reset(); }

    void SetUp() override { ASSERT_TRUE(loaded_); }

    // The stored text, or nothing when the number has no text in that language.
    static bool Text(int32_t number, int32_t language, std::string& text)
    {
        const std::optional<std::string_view> stored = library_->StoredText(number, language);
        text = std::string(stored.value_or(""));
        return stored.has_value();
    }

    static std::unique_ptr<ProgramTextLibrary> library_;
    static bool loaded_;
};

std::unique_ptr<ProgramTextLibrary> ProgramTextCoverage::library_;
bool ProgramTextCoverage::loaded_ = false;

TEST_F(ProgramTextCoverage, EveryNamedNumberHasEnglishAndGermanText)
{
    const std::map<int32_t, std::string> named = NamedNumbers();
    ASSERT_GT(named.size(), 200u) << "the header was not read";
    for (const auto& [number, name] : named)
        for (const int32_t language : {kEnglish, kGerman}) {
            std::string text;
            EXPECT_TRUE(Text(number, language, text) && text != "~") << name << " = " << number << " has no text in language " << language;
        }
}

// One pass over every number a text can have: the file holds no text the program does not name, both
// languages of a text agree on placeholders and line breaks, and no text has blanks at either end (the
// program joins texts with blanks of its own).
TEST_F(ProgramTextCoverage, EveryTextIsNamedAndItsLanguagesAgree)
{
    const std::map<int32_t, std::string> named = NamedNumbers();
    constexpr std::array<std::string_view, 6> kSplitters = {"[r1]", "[r2]", "[r3]", "[r4]", "[r5]", "^"};
    const auto isBlank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    for (int32_t number = INT16_MIN; number <= INT16_MAX; ++number) {
        std::string english, german;
        const bool hasEnglish = Text(number, kEnglish, english);
        const bool hasGerman = Text(number, kGerman, german);
        if (!hasEnglish && !hasGerman)
            continue;
        EXPECT_TRUE(named.count(number)) << "text " << number << " is in the file but the program has no name for it";
        EXPECT_TRUE(hasEnglish && hasGerman) << "text " << number << " exists in one language only";
        for (const std::string_view splitter : kSplitters)
            EXPECT_EQ(CountOf(english, splitter), CountOf(german, splitter)) << "text " << number << " " << splitter;
        for (const std::string& text : {english, german})
            EXPECT_FALSE(!text.empty() && (isBlank(text.front()) || isBlank(text.back())))
                << "text " << number << ": \"" << text << "\"";
    }
}

TEST_F(ProgramTextCoverage, ReplacedMarkersAndDistinctCaptionsInBothLanguages)
{
    for (const int32_t language : {kEnglish, kGerman}) {
        for (const Marker& m : kMarkers) {
            std::string text;
            Text(m.number, language, text);
            EXPECT_EQ(CountOf(text, m.marker), 1) << "text " << m.number << " language " << language << " " << m.marker;
        }
        for (const auto& [first, second] : kDistinctCaptions) {
            std::string a, b;
            EXPECT_TRUE(Text(first, language, a) && Text(second, language, b) && a != b)
                << "texts " << first << " and " << second << " language " << language;
        }
    }
    // In the chart view the world-transit title turns " degrees" into the degree sign.
    std::string chartTitle;
    Text(kTextTitleWorldChart, kEnglish, chartTitle);
    EXPECT_NE(chartTitle.find(" degrees"), std::string::npos) << chartTitle;
}

}  // namespace
}  // namespace orvane::text
