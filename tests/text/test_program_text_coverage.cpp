// Coverage of the program text file data/qvs.dat: every text number the program asks for exists in
// English and German, and the two languages agree on what the program fills in or splits on.

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/program_text_library.h"

#ifndef ORVANE_SOURCE_DATA_DIR
#error "ORVANE_SOURCE_DATA_DIR must name the repository's data folder"
#endif

namespace {

using orvane::platform::ProgramTextLibrary;

constexpr int32_t kEnglish = 0;
constexpr int32_t kGerman = 1;
constexpr int32_t kFirstReservedNumber = 1000;  // numbers from here on belong to other texts

// Every text number the program fetches.
constexpr std::array kCitedNumbers = {
    // Main window: date row names, mode buttons and buttons; run result word (7)
    4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
    // Titles of the aspect table and the chart, click hint, orb note
    23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35,
    // Main window: run, view toggle, report, export and load buttons
    36, 37, 38, 39, 40, 41, 42, 43,
    // Durations window: title note, body-10 line, natal prefix, joining words, sort box
    51, 53, 56, 57, 58, 59, 61, 62, 64, 65, 66, 67,
    // Square aspect table corner cells
    68, 69, 70, 71, 75, 76,
    // Natal and synastry listing, durations titles and captions
    72, 73, 74, 77, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88,
    // Transit picture caption
    89, 90, 91,
    // Saved chart image captions
    95, 96, 97, 98, 99, 100, 101, 102, 103,
    // Date row names inside messages
    104, 105, 106,
    // Run dialog
    117, 120, 121, 122,
    // Aspect summary
    126, 127,
    // Saving the state and the chart image
    128, 129, 130, 131, 132, 133, 134, 135,
    // Date input errors, quit question
    145, 146, 147, 148, 149, 153,
    // Aspect pattern lines
    154,
    // Aspect cell details
    155, 156, 157,
    // Durations window: captions, mode words, beginning and end, step list and duration units
    159, 160, 161, 162, 165, 166, 168, 169, 170, 171, 172, 173, 174, 175, 176, 177, 178, 179, 184, 185,
    // Start-up description
    310, 311,
    // Clearing a date row
    342, 343, 344, 345,
    // Chart warning, transit picture report and hover text
    346, 347, 348, 349, 350, 351,
    // Configuration panel
    354, 355, 356, 357, 358, 359, 360, 361, 362, 363, 364, 368, 369, 372,
    // Report button with nothing to report
    382, 383,
    // Loading a state file
    384, 385, 386, 387,
    // Configuration panel messages
    390, 391, 392, 393, 394, 395, 396,
    // Restore
    398, 399,
};

// Markers that the program replaces literally; each must stand in the text as often as listed, in
// both languages, or the filled-in text comes out wrong.
struct Marker {
    int32_t number;
    std::string_view marker;
    int count;
};
constexpr std::array kMarkers = {
    Marker{53, "12", 1},             // four times the orb in degrees
    Marker{157, "12", 1},            // four times the orb in degrees
    Marker{72, "[natal chart]", 1},  // "natal chart" or "synastry"
    Marker{73, "[natal chart]", 1},  // "natal chart" or "synastry"
    Marker{73, "20", 1},             // the number of aspects in words
    Marker{80, "[5 degrees]", 1},    // the exactness of an aspect
    Marker{127, "N", 1},             // the total number of aspects
    Marker{349, "[date]", 1},        // date, time and exactness of a point of the transit curve
    Marker{349, "[time]", 1},
    Marker{349, "[exactness]", 1},
    Marker{391, "NEW_ORB", 1},       // the orb chosen for "set all"
};

// Captions the program compares to tell a state apart: each pair must differ in every language.
constexpr std::array<std::array<int32_t, 2>, 3> kDistinctCaptions = {{
    {37, 41},  // view toggle: table shown / chart shown
    {36, 43},  // run button: idle / running
    {39, 42},  // export button: table shown / chart shown
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
        library_ = new ProgramTextLibrary;
        loadResult_ = library_->lt(std::string(ORVANE_SOURCE_DATA_DIR) + "/qvs.dat", 0);
    }
    static void TearDownTestSuite()
    {
        delete library_;
        library_ = nullptr;
    }

    // The stored text, or nothing when the number has no text in that language.
    static bool Text(int32_t number, int32_t language, std::string& text)
    {
        return library_->gt(number, language, text, ProgramTextLibrary::kMaxTextChars, 1) > 0;
    }

    static ProgramTextLibrary* library_;
    static int32_t loadResult_;
};

ProgramTextLibrary* ProgramTextCoverage::library_ = nullptr;
int32_t ProgramTextCoverage::loadResult_ = 0;

TEST_F(ProgramTextCoverage, FileLoads)
{
    EXPECT_GT(loadResult_, 0) << "load result " << loadResult_;
    // Two languages for every cited number at the least.
    EXPECT_GE(loadResult_, static_cast<int32_t>(2 * kCitedNumbers.size()));
}

TEST_F(ProgramTextCoverage, EveryCitedNumberHasEnglishAndGermanText)
{
    ASSERT_GT(loadResult_, 0);
    for (const int32_t number : kCitedNumbers) {
        for (const int32_t language : {kEnglish, kGerman}) {
            std::string text;
            EXPECT_TRUE(Text(number, language, text)) << "text " << number << " language " << language;
            EXPECT_NE(text, "~") << "text " << number << " language " << language << " is empty";
        }
    }
}

TEST_F(ProgramTextCoverage, EveryTextBelowTheReservedRangeIsCited)
{
    ASSERT_GT(loadResult_, 0);
    for (int32_t number = INT16_MIN; number < kFirstReservedNumber; ++number) {
        std::string text;
        if (!Text(number, kEnglish, text) && !Text(number, kGerman, text))
            continue;
        bool cited = false;
        for (const int32_t n : kCitedNumbers)
            cited = cited || n == number;
        EXPECT_TRUE(cited) << "text " << number << " is in the file but not used by the program";
    }
}

TEST_F(ProgramTextCoverage, EnglishAndGermanAgreeOnPlaceholdersAndLineBreaks)
{
    ASSERT_GT(loadResult_, 0);
    constexpr std::array<std::string_view, 5> kPlaceholders = {"[r1]", "[r2]", "[r3]", "[r4]", "[r5]"};
    int numbersSeen = 0;
    for (int32_t number = INT16_MIN; number <= INT16_MAX; ++number) {
        std::string english;
        std::string german;
        const bool hasEnglish = Text(number, kEnglish, english);
        const bool hasGerman = Text(number, kGerman, german);
        if (!hasEnglish && !hasGerman)
            continue;
        ++numbersSeen;
        EXPECT_TRUE(hasEnglish && hasGerman) << "text " << number << " exists in one language only";
        for (const std::string_view placeholder : kPlaceholders)
            EXPECT_EQ(CountOf(english, placeholder), CountOf(german, placeholder))
                << "text " << number << " placeholder " << placeholder;
        EXPECT_EQ(CountOf(english, "^"), CountOf(german, "^")) << "text " << number << " line breaks";
    }
    EXPECT_GE(numbersSeen, static_cast<int>(kCitedNumbers.size()));
}

TEST_F(ProgramTextCoverage, ReplacedMarkersStandInBothLanguages)
{
    ASSERT_GT(loadResult_, 0);
    for (const Marker& m : kMarkers) {
        for (const int32_t language : {kEnglish, kGerman}) {
            std::string text;
            ASSERT_TRUE(Text(m.number, language, text)) << "text " << m.number;
            EXPECT_EQ(CountOf(text, m.marker), m.count)
                << "text " << m.number << " language " << language << " marker " << m.marker;
        }
    }
    // In the chart view the world-transit title turns " degrees" into the degree sign.
    std::string chartTitle;
    ASSERT_TRUE(Text(26, kEnglish, chartTitle));
    EXPECT_NE(chartTitle.find(" degrees"), std::string::npos) << chartTitle;
}

TEST_F(ProgramTextCoverage, CaptionsThatMarkAStateDiffer)
{
    ASSERT_GT(loadResult_, 0);
    for (const auto& pair : kDistinctCaptions) {
        for (const int32_t language : {kEnglish, kGerman}) {
            std::string first;
            std::string second;
            ASSERT_TRUE(Text(pair[0], language, first));
            ASSERT_TRUE(Text(pair[1], language, second));
            EXPECT_NE(first, second) << "texts " << pair[0] << " and " << pair[1] << " language " << language;
        }
    }
}

TEST_F(ProgramTextCoverage, NoTextHasLeadingOrTrailingBlanks)
{
    ASSERT_GT(loadResult_, 0);
    // The program joins texts with blanks of its own; a blank at either end would double them.
    const auto isBlank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    for (int32_t number = INT16_MIN; number <= INT16_MAX; ++number) {
        for (const int32_t language : {kEnglish, kGerman}) {
            std::string text;
            if (!Text(number, language, text))
                continue;
            EXPECT_FALSE(isBlank(text.front()) || isBlank(text.back()))
                << "text " << number << " language " << language << ": \"" << text << "\"";
        }
    }
}

}  // namespace
