#include "reports/durations.h"

#include "text/strings.h"
#include "reports/number_words.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace orvane::reports {
namespace {

using text::CharacterCount;
using text::LowerCase;
using text::PadRight;
using text::UpperCaseFirst;
using text::Val;

using core::Mode;

const std::string kCrLf = "\r\n";

std::string Blanks(size_t n)
{
    return std::string(n, ' ');
}

double Rad(double degrees)
{
    return degrees / 360.0 * core::kTwoPi;
}

// A transit's record: bodies, aspect, deviation in radians and the days found.
core::DurationRecord Record(int p1, int p2, int a, double deviation, std::optional<int32_t> beginning,
                            std::optional<int32_t> ending)
{
    return {static_cast<core::Body>(p1), static_cast<core::Body>(p2), static_cast<core::Aspect>(a),
            core::MicroradiansOf(deviation), true, beginning, ending};
}

// A natal or synastry record, which has no days.
core::DurationRecord Natal(int p1, int p2, int a, double deviation)
{
    return {static_cast<core::Body>(p1), static_cast<core::Body>(p2), static_cast<core::Aspect>(a),
            core::MicroradiansOf(deviation), false, std::nullopt, std::nullopt};
}

// The first bodies of `records`, in their order.
std::vector<int> FirstBodies(const std::vector<core::DurationRecord>& records)
{
    std::vector<int> bodies;
    for (const core::DurationRecord& record : records)
        bodies.push_back(core::IndexOf(record.first));
    return bodies;
}

// Number words and the string utilities.

TEST(NumberInWords, EnglishAndGerman)
{
    struct Case { int32_t n; bool german; const char* words; };
    const Case cases[] = {
        {0, false, "No"},          {1, false, "One"},         {8, false, "Eight"},
        {13, false, "Thirteen"},   {20, false, "Twenty"},     {21, false, "Twenty one"},
        {47, false, "Forty seven"}, {90, false, "Ninety"},    {99, false, "Ninety nine"},
        {100, false, "100"},       {12345, false, "12,345"},  {0, true, "Keine"},
        {1, true, "Eine"},         {8, true, "Ache"},         {12, true, "Zwölf"},
        {16, true, "Sechszehn"},   {20, true, "Zwanzig"},     {21, true, "Eine und zwanzig"},
        {30, true, "Dreißig"},     {58, true, "Ache und fünfzig"}, {60, true, "Sechszig"},
        {1234, true, "1.234"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberInWords(c.n, c.german), c.words) << c.n << (c.german ? " de" : " en");
}

TEST(StringUtilities, CaseWidthAndNumbers)
{
    EXPECT_EQ(LowerCase("Grand Cross ÄÖÜ ß"), "grand cross äöü ß");
    EXPECT_EQ(UpperCaseFirst("änderung") + UpperCaseFirst(""), "Änderung");
    // Latin Extended-A, in both of its pairings, across its two lead bytes (Ŀ ŀ) and with Ÿ ÿ.
    EXPECT_EQ(LowerCase("ŁÓDŹ ČEŠKÝ ŐRSÉG ĀĶĻŅŊŶ ĿŸ ×"), "łódź češký őrség āķļņŋŷ ŀÿ ×");
    EXPECT_EQ(UpperCaseFirst("łódź") + UpperCaseFirst("ňa") + UpperCaseFirst("ÿ") + UpperCaseFirst("ŀ"), "ŁódźŇaŸĿ");
    // Letters whose other case is no two-byte letter stay as they are.
    EXPECT_EQ(LowerCase("İĸŉſ") + UpperCaseFirst("ı") + UpperCaseFirst("÷"), "İĸŉſı÷");
    EXPECT_EQ(CharacterCount("März 1°"), 7u);
    EXPECT_EQ(PadRight("März", 6) + PadRight("September", 4), "März  September");

    struct Case { const char* text; double value; };
    for (const Case& c : {Case{" 4", 4}, Case{"      -1", -1}, Case{" 0.012345", 0.012345}, Case{"1 2", 12},
                          Case{"--------", 0}, Case{"      ", 0}, Case{"3.5e", 3.5}, Case{"+7", 7}, Case{"", 0}})
        EXPECT_DOUBLE_EQ(Val(c.text), c.value) << '"' << c.text << '"';
}

// Sorting.

TEST(SortRecords, TheTwoBodyModesInsertTheSecondBodyAsEntry3)
{
    for (const core::Mode mode : {Mode::WorldTransits, Mode::Natal2nd})
        for (const Mode two : {Mode::PersonalTransits1st, Mode::Synastry}) {
            EXPECT_EQ(SortFieldOf(two, 3), SortField::SecondBody);
            for (int16_t i = -1; i <= 7; ++i)
                EXPECT_EQ(SortFieldOf(two, static_cast<int16_t>(i < 3 ? i : i + 1)), SortFieldOf(mode, i)) << i;
        }
    EXPECT_EQ(SortFieldOf(Mode::WorldTransits, 0), SortField::Deviation);
    EXPECT_EQ(SortFieldOf(Mode::WorldTransits, 5), SortField::Duration);
}

// A key is its field and every field after it, in the order bodies, first body again, aspect, deviation,
// beginning, end, duration.
TEST(SortRecords, KeysRunFromTheirFieldToTheEnd)
{
    struct Case { SortField field; core::DurationRecord a, b; int order; };
    const Case cases[] = {
        {SortField::FirstBody, Record(1, 9, 1, 0.5, 1, 2), Record(2, 3, 1, 0.5, 1, 2), -1},
        {SortField::FirstBody, Record(2, 3, 1, 0.5, 1, 2), Record(2, 3, 2, 0.1, 1, 2), -1},
        {SortField::SecondBody, Record(3, 2, 1, 0.5, 1, 2), Record(1, 2, 1, 0.5, 1, 2), 1},  // then the first body
        {SortField::Aspect, Record(9, 9, 2, 0.1, 1, 2), Record(1, 1, 3, 0.1, 1, 2), -1},
        // Equal to the millionth (0.010000): the beginning decides.
        {SortField::Deviation, Record(1, 2, 7, 0.0100004, 5, 9), Record(1, 2, 7, 0.0099996, 1, 2), 1},
        {SortField::Deviation, Record(1, 2, 7, 0.01, 5, 9), Record(1, 2, 7, 0.01, 5, 8), 1},
        {SortField::Beginning, Record(1, 2, 1, 0.5, std::nullopt, 9), Record(1, 2, 1, 0.5, 5, 6), -1},  // unknown first
        {SortField::Ending, Record(1, 2, 1, 0.5, 1, 9), Record(1, 2, 1, 0.5, 5, 9), 1},  // equal ends: by duration
        {SortField::Duration, Record(1, 2, 1, 0.5, 1, std::nullopt), Record(1, 2, 1, 0.5, 5, 5), -1},
        {SortField::Duration, Record(9, 2, 1, 0.5, 1, 3), Record(1, 2, 1, 0.5, 5, 7), 0},
    };
    for (const Case& c : cases) {
        const int order = CompareRecords(c.a, c.b, c.field);
        EXPECT_EQ((order > 0) - (order < 0), c.order) << static_cast<int>(c.field);
        EXPECT_EQ(CompareRecords(c.b, c.a, c.field), -order) << static_cast<int>(c.field);
    }
}

TEST(SortRecords, AscendingDescendingAndRanges)
{
    // First bodies 1 … 5 with deviations 5, 3, 9, 1 and 5 millionths; of the two fives, body 5 begins earlier.
    std::vector<core::DurationRecord> records{Record(1, 9, 1, 5e-6, 26, 30), Record(2, 9, 1, 3e-6, 1, 30),
                                              Record(3, 9, 1, 9e-6, 1, 30), Record(4, 9, 1, 1e-6, 1, 30),
                                              Record(5, 9, 1, 5e-6, 1, 30)};
    SortRecords(true, records, 0, 4, SortField::Deviation);
    EXPECT_EQ(FirstBodies(records), (std::vector<int>{4, 2, 5, 1, 3}));
    SortRecords(false, records, 0, 4, SortField::Deviation);
    EXPECT_EQ(FirstBodies(records), (std::vector<int>{3, 1, 5, 2, 4}));
    // Only the given range moves.
    SortRecords(true, records, 1, 3, SortField::Deviation);
    EXPECT_EQ(FirstBodies(records), (std::vector<int>{3, 2, 5, 1, 4}));
}

TEST(SortRecords, NotStableForEqualKeys)
{
    // The descending pass swaps records equal in the key, and the final reversal does not undo it.
    std::vector<core::DurationRecord> records{Natal(1, 9, 1, 0.5), Natal(2, 9, 1, 0.5), Natal(3, 9, 1, 0.5),
                                              Natal(4, 9, 1, 0.5)};
    SortRecords(true, records, 0, 3, SortField::Deviation);
    EXPECT_EQ(FirstBodies(records), (std::vector<int>{2, 1, 4, 3}));
}

// The window.

class DurationsWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        astro.InitializeAstroTables("/nonexistent-orvane-folder/");
        ASSERT_TRUE(language.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName).ok());
    }

    DurationsWindow Window(core::Mode mode, std::vector<core::DurationRecord> records) const
    {
        DurationsWindow window(astro, language);
        window.currentMode = mode;
        window.records = std::move(records);
        return window;
    }

    core::AstroModule astro;
    text::Language language;
};

TEST_F(DurationsWindowTest, DurationTexts)
{
    struct Case { int32_t days; const char* english; const char* german; };
    const Case cases[] = {
        {1, "1 day", "1 Tag"},
        {2, "2 days", "2 Tage"},
        {364, "364 days", "364 Tage"},
        {365, "1 year", "1 Jahr"},
        {366, "1 year, 1 day", "1 Jahr, 1 Tag"},
        {730, "1 year, 365 days", "1 Jahr, 365 Tage"},  // 730 / 365.2425 is below 2
        {731, "2 years, 1 day", "2 Jahre, 1 Tag"},
        {1461, "4 years, 1 day", "4 Jahre, 1 Tag"},  // four years are 1460.97 days: the rest rounds down
        {146097, "400 years", "400 Jahre"},  // a remainder of 0 adds nothing
    };
    for (const Case& c : cases) {
        language.currentLanguage = text::langEnglish;
        EXPECT_EQ(DurationText(language, c.days), c.english);
        language.currentLanguage = text::langGerman;
        EXPECT_EQ(DurationText(language, c.days), c.german);
    }
}

// The lines with both dates, in both languages and in personal transits, are checked on the command-line
// companion's reports; here the list alone and a day not found.
TEST_F(DurationsWindowTest, LinesOfTheList)
{
    DurationsWindow window = Window(core::Mode::WorldTransits, {});
    const core::DurationRecord record = Record(1, 4, 4, Rad(1.0 + 23.0 / 60.0), std::nullopt, 2451545 + 30);
    window.showDurationsTicked = false;
    EXPECT_EQ(window.FormatDurationLine(record), "Earth" + Blanks(3) + "trine (1°23')" + Blanks(9) + "Mars" + Blanks(3));
    window.showDurationsTicked = true;
    EXPECT_EQ(window.FormatDurationLine(record),
              "Earth" + Blanks(3) + "trine (1°23')" + Blanks(9) + "Mars" + Blanks(4) + "begins unknown" +
                  Blanks(13) + "ends January 31, 2000" + Blanks(3));
}

TEST_F(DurationsWindowTest, ActivationSortsByExactnessAndTicksShowDurations)
{
    DurationsWindow window =
        Window(core::Mode::WorldTransits, {Record(1, 4, 3, 0.030, 2451540, 2451570), Record(2, 5, 4, 0.001, 2451500, 2451560),
                                          Record(6, 7, 2, 0.010, std::nullopt, 2451600)});
    window.showDurationsTicked = false;
    window.Activate(3, {});
    EXPECT_TRUE(window.showDurationsTicked && window.showDurationsShown && window.sortByShown && window.sortByCaptionShown);
    EXPECT_EQ(window.sortByCaption + "|" + window.copyCaption + "|" + window.closeCaption, "Sort by:|Copy to clipboard|Close");
    EXPECT_EQ(window.sortList.ListIndex(), 0);
    const std::string& list = window.outputText;
    EXPECT_TRUE(list.find("Mercury") < list.find("Saturn") && list.find("Saturn") < list.find("Earth")) << list;

    // Sorting by duration (entry 5) puts the longest last; a record without a beginning has a blank
    // duration and comes first.
    window.sortList.SetListIndex(5);
    window.SortChosen();
    EXPECT_EQ(FirstBodies(window.records), (std::vector<int>{6, 1, 2}));
}

TEST_F(DurationsWindowTest, SortBoxByModeAndNumberOfAspects)
{
    const auto entries = [](const platform::ComboBoxModel& list) {
        std::string all;
        for (int16_t i = 0; i < list.ListCount(); ++i)
            all += list.List(i) + ";";
        return all;
    };
    DurationsWindow window = Window(core::Mode::WorldTransits, {});
    window.FillSortList(1);
    EXPECT_EQ(entries(window.sortList), "exactness;aspect;planet;beginning;ending;duration;");
    EXPECT_FALSE(window.sortByShown || window.sortByCaptionShown || window.fillingSortList);
    window.currentMode = core::Mode::PersonalTransits1st;
    window.FillSortList(2);
    EXPECT_EQ(std::pair(window.sortList.List(3), window.sortByShown), std::pair(std::string("transiting planet"), true));
    window.currentMode = core::Mode::Natal1st;
    window.FillSortList(5);
    EXPECT_EQ(std::pair(window.sortList.ListCount(), window.sortByShown), std::pair(int16_t{0}, false));
}

TEST_F(DurationsWindowTest, SortingByADateTicksShowDurations)
{
    DurationsWindow window = Window(core::Mode::WorldTransits, {Record(1, 4, 3, 0.030, 2451540, 2451570)});
    window.FillSortList(2);
    window.showDurationsTicked = false;
    window.sortList.SetListIndex(2);
    window.SortChosen();
    EXPECT_TRUE(!window.showDurationsTicked && window.outputText.find("begins") == std::string::npos);

    window.sortList.SetListIndex(4);  // ending
    window.SortChosen();
    EXPECT_TRUE(window.showDurationsTicked && window.outputText.find("begins") != std::string::npos);
    EXPECT_EQ(window.outputText.find(kCrLf), window.outputText.size() - 2);

    // While the list is being filled the sort box does nothing.
    window.fillingSortList = true;
    window.outputText = "kept";
    window.SortChosen();
    EXPECT_EQ(window.outputText, "kept");
}

// The titles of every mode, in both languages, are checked on the command-line companion's reports.
TEST_F(DurationsWindowTest, CaptionOfEachModeAndAnEmptyListUntilActivation)
{
    ReportInputs inputs;
    inputs.InputDateToString = [](int16_t, bool) { return std::string(); };
    inputs.AddOrbToTitle = [](const std::string& title, bool, bool) { return title; };
    const std::tuple<Mode, int16_t, const char*> cases[] = {
        {Mode::WorldTransits, text::langEnglish, "Durations of current world transits"},
        {Mode::PersonalTransits1st, text::langEnglish, "Durations of current personal transits of 1st birthdate"},
        {Mode::Natal2nd, text::langEnglish, "Natal aspects of the 2nd birthdate"},
        {Mode::Synastry, text::langEnglish, "Synastry aspects"},
        {core::Mode::PersonalTransits2nd, text::langGerman, "Dauer aktueller Aspekte: persönliche Transite für 2. Geburtsdatum"},
    };
    DurationsWindow window(astro, language);
    for (const auto& [mode, lang, caption] : cases) {
        inputs.currentMode = mode;
        language.currentLanguage = lang;
        window.outputText = "old";
        window.Report(inputs);
        EXPECT_EQ(window.Caption + "|" + window.outputText, caption + std::string("|"));
    }
}

TEST_F(DurationsWindowTest, NatalListingInSentences)
{
    DurationsWindow window = Window(core::Mode::Natal1st, {Natal(1, 5, 1, 0.0), Natal(2, 3, 4, 0.0001), Natal(4, 6, 3, Rad(1.4))});
    NatalListingInputs natal;
    for (const auto& [body, degrees] : {std::pair(core::Body::Earth, 42.1), {core::Body::Jupiter, 42.1},
                                        {core::Body::Mercury, 100.0}, {core::Body::Venus, 220.0},
                                        {core::Body::Mars, 5.0}, {core::Body::Saturn, 95.0}})
        natal.positions[0][body].longitude = Rad(degrees);
    natal.aspectCounts = {0, 1, 0, 1, 1, 0, 0, 0};
    window.Activate(3, natal);
    EXPECT_FALSE(window.showDurationsShown || window.sortByShown);
    // The other sentences stand in the companion's natal reports; here the exact aspects and no patterns.
    EXPECT_NE(window.outputText.find("The closest aspect is Earth (12° in Taurus) conjunct Jupiter (12° in Taurus), which is exact." +
                                     kCrLf + " Also exact is Mercury (10° in Cancer) trine Venus (10° in Scorpio)." + kCrLf + kCrLf +
                                     "The other aspects are:"),
              std::string::npos)
        << window.outputText;
    EXPECT_NE(window.outputText.find(kCrLf + kCrLf + "There are no aspect patterns." + kCrLf + kCrLf), std::string::npos);
}

// The English sentences of the listing are checked on the command-line companion's reports.
TEST_F(DurationsWindowTest, NatalListingInGerman)
{
    DurationsWindow window = Window(core::Mode::Natal1st, {Natal(1, 5, 1, Rad(0.5)), Natal(2, 3, 4, Rad(1.0)), Natal(2, 4, 6, Rad(2.0))});
    NatalListingInputs natal;
    for (core::ChartPositions& chart : natal.positions)
        for (const core::Body body : core::kBodies)
            chart[body].longitude = Rad(1);
    natal.aspectCounts = {0, 0, 0, 8, 0, 0, 0, 21};
    language.currentLanguage = text::langGerman;
    window.ShowNatalListing(natal);
    const std::string& text = window.outputText;
    EXPECT_EQ(text.rfind("Es gibt drei Aspekte (Geburtshoroskop):" + kCrLf + kCrLf, 0), 0u) << text;
    EXPECT_NE(text.find("Es gibt keine conjunctions, keine oppositions, ache squares, keine trines, keine sextiles, "
                        "keine semisextiles und eine und zwanzig quincunxes."),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("vom exakten Winkel entfernt."), std::string::npos);
}

TEST_F(DurationsWindowTest, SynastryMarksBothChartsAndPatternsGetHeadings)
{
    DurationsWindow window = Window(core::Mode::Synastry, {Natal(1, 4, 2, Rad(0.25))});
    using core::Body;
    NatalListingInputs natal;
    natal.positions[0][Body::Earth].longitude = Rad(10);  // Earth of the 1st birthdate
    natal.positions[1][Body::Mars].longitude = Rad(190);  // Mars of the 2nd birthdate
    natal.positions[0][Body::Mars].longitude = Rad(300);  // Mars of the 1st birthdate: not read
    const std::vector<Body> four{Body::Earth, Body::Mars, Body::Jupiter, Body::Saturn};
    natal.patterns = {{core::kPatternKite, four, 0.01},
                      {core::kPatternTSquare, {Body::Earth, Body::Venus, Body::Mars}, 0.0},
                      {core::kPatternTSquare, {Body::Venus, Body::Mars, Body::Saturn}, 0.0},
                      {core::kPatternGrandCross, four, 0.0},
                      {core::kPatternGrandCross, {Body::Venus, Body::Mars, Body::Jupiter, Body::Saturn}, 0.0},
                      {core::kPattern5Stellium, {Body::Mercury, Body::Venus, Body::Mars, Body::Uranus, Body::Pluto}, 0.0},
                      {core::kPatternMidpoint, {Body::Earth, Body::Venus, Body::Mars}, std::nullopt}};
    window.ShowNatalListing(natal);
    const std::string expected =
        "The synastry has one aspect:" + kCrLf + kCrLf +
        "The closest aspect is Earth(1) (10° in Aries) opposite Mars(2) (10° in Libra), 0°15' from exact." + kCrLf +
        kCrLf + "There is a kite: Earth-Mars-Jupiter-Saturn" + kCrLf + kCrLf + "There are two T-squares:" + kCrLf +
        "Earth-Venus-Mars" + kCrLf + "Venus-Mars-Saturn" + kCrLf + kCrLf + "There are two grand crosses:" + kCrLf +
        "Earth-Mars-Jupiter-Saturn" + kCrLf + "Venus-Mars-Jupiter-Saturn" + kCrLf + kCrLf +
        "There is a 5-stellium: Mercury-Venus-Mars-Uranus-Pluto" + kCrLf + kCrLf +
        "There is a midpoint: Earth-Venus-Mars" + kCrLf + kCrLf +
        "All positions are heliocentric ecliptic longitudes (J2000)." + kCrLf;
    EXPECT_EQ(std::pair(window.outputText, window.patternsListed), std::pair(expected, int16_t{7}));
}

}  // namespace
}  // namespace orvane::reports
