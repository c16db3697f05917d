#include "reports/durations.h"

#include "core/patterns.h"
#include "datetime/datepr2.h"
#include "display/result_texts.h"
#include "text/strings.h"
#include "text/text_numbers.h"
#include "reports/number_words.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

namespace orvane::reports {
namespace {

using text::CharacterCount;
using text::kLineBreak;
using text::LowerCase;
using text::PadRight;
using text::UpperCaseFirst;
using text::Val;

constexpr double kDaysPerYear = 365.2425;
constexpr const char* kExactText = "0°0'";

// Sort-box entries of world transits (and the natal modes), and of personal transits (and synastry).
constexpr std::array<int16_t, 6> kOneChartKeyColumns{9, 7, 1, 18, 26, 34};
constexpr std::array<int16_t, 7> kTwoChartKeyColumns{9, 7, 1, 3, 18, 26, 34};

// The sort-box entries from which on the list needs the dates.
constexpr int16_t kFirstDateSortIndex = 4;

// The width of "September 30, 9999," and of "September 30, 9999 ".
constexpr int16_t kLongDateWidth = 19;
constexpr int16_t kAdjectiveColumnExtra = 10;
constexpr int16_t kSentenceColumnExtra = 6;

std::string_view SortKey(const std::string& record, int16_t keyColumn)
{
    const auto start = static_cast<size_t>(std::max<int16_t>(keyColumn, 1) - 1);
    if (start >= record.size())
        return {};
    return std::string_view(record).substr(start);
}

// Characters `start` … `start + width − 1` (counted from 1) of a record, as much of them as it holds.
std::string_view Field(const std::string& record, size_t start, size_t width)
{
    if (start - 1 >= record.size())
        return {};
    return std::string_view(record).substr(start - 1, width);
}

// A deviation as degrees and minutes without blanks: "1°23'".
std::string ExactnessText(double exactness)
{
    return std::string(text::Trimmed(core::Rad2DegMin(exactness, false, false, false, false), " "));
}

bool ValidAspect(int16_t aspect)
{
    return aspect >= core::kConjunction && aspect <= core::kNumAspects;
}

}  // namespace

int16_t SortKeyColumn(int16_t currentMode, int16_t sortIndex)
{
    const bool twoCharts = core::IsPersonalTransitMode(currentMode) || currentMode == core::kModeSynastry;
    if (sortIndex < 0)
        return 0;
    const auto index = static_cast<size_t>(sortIndex);
    if (twoCharts)
        return index < kTwoChartKeyColumns.size() ? kTwoChartKeyColumns[index] : int16_t{0};
    return index < kOneChartKeyColumns.size() ? kOneChartKeyColumns[index] : int16_t{0};
}

void QuickSortPass(std::vector<std::string>& records, int16_t first, int16_t last, int16_t keyColumn)
{
    if (first < 0 || last >= static_cast<int>(records.size()) || first >= last)
        return;

    const int16_t m = static_cast<int16_t>(first + (last - first) / 2);
    const std::string pivot(SortKey(records[static_cast<size_t>(m)], keyColumn));
    auto key = [&](int16_t index) { return SortKey(records[static_cast<size_t>(index)], keyColumn); };

    int16_t i = first;
    int16_t j = last;
    while (i <= j) {
        while (i < last && key(i) > pivot)
            ++i;
        while (j > first && key(j) < pivot)
            --j;
        if (i <= j) {
            if (i < j)
                std::swap(records[static_cast<size_t>(i)], records[static_cast<size_t>(j)]);
            ++i;
            --j;
        }
    }
    if (first < j)
        QuickSortPass(records, first, j, keyColumn);
    if (i < last)
        QuickSortPass(records, i, last, keyColumn);
}

void SortRecords(bool ascending, std::vector<std::string>& records, int16_t first, int16_t last,
                 int16_t keyColumn)
{
    if (!ascending) {
        QuickSortPass(records, first, last, keyColumn);
        return;
    }
    if (first >= last || first < 0 || last >= static_cast<int>(records.size()))
        return;
    QuickSortPass(records, first, last, keyColumn);
    for (int k = 0; first + k < last - k; ++k)
        std::swap(records[static_cast<size_t>(first + k)], records[static_cast<size_t>(last - k)]);
}

std::string DurationText(const text::Language& language, int32_t days)
{
    if (days == 1)
        return language.Text(text::kTextOneDay);
    if (days == 365)
        return language.Text(text::kTextOneYear);

    const auto years = static_cast<int32_t>(std::floor(days / kDaysPerYear));
    const int32_t rest = days - static_cast<int32_t>(std::floor(years * kDaysPerYear));
    if (years == 0) {
        if (rest == 1)
            return language.Text(text::kTextOneDay);
        return std::to_string(rest) + " " + language.Text(text::kTextDays);
    }

    std::string text = years == 1 ? language.Text(text::kTextOneYear)
                                  : std::to_string(years) + " " + language.Text(text::kTextYears);
    if (rest == 1)
        text += ", " + language.Text(text::kTextOneDay);
    else if (rest > 1)
        text += ", " + std::to_string(rest) + " " + language.Text(text::kTextDays);
    return text;
}

platform::Message NoAspectsMessage(const text::Language& language, int16_t currentMode)
{
    const int16_t number = core::IsPersonalTransitMode(currentMode) ? text::kTextNoPersonalTransitsFound : text::kTextNoAspectsFound;
    return platform::Message::Information(language.Text(text::kTextReportButton), language.Text(number));
}

DurationsWindow::DurationsWindow(const core::AstroModule& astro, const text::Language& language)
    : m_astro(astro), m_language(language)
{
    Caption = m_language.Text(text::kTextDurationsCaption);
    showDurationsCaption = m_language.Text(text::kTextShowDurations);
    ComputeColumnWidths();
}

bool DurationsWindow::German() const
{
    return m_language.currentLanguage == text::langGerman;
}

std::string DurationsWindow::BodyName(int16_t body) const
{
    if (body < 0 || body > core::kMaxBodyIndex)
        return {};
    return m_astro.tables.bodyNames[static_cast<size_t>(body)];
}

void DurationsWindow::ComputeColumnWidths()
{
    size_t longestName = 0;
    for (const core::Body body : core::kBodies)
        longestName = std::max(longestName, CharacterCount(m_astro.tables.bodyNames[core::SlotOf(body)]));
    size_t longestAdjective = 0;
    for (const core::Aspect a : core::kAspects)
        longestAdjective = std::max(longestAdjective, CharacterCount(m_astro.tables.AspectText[core::SlotOf(a)].Adjective));

    columnWidth[1] = static_cast<int16_t>(longestName);
    columnWidth[2] = static_cast<int16_t>(longestAdjective + kAdjectiveColumnExtra);
    columnWidth[3] = columnWidth[1];
    columnWidth[4] = kLongDateWidth;
    columnWidth[5] = kLongDateWidth;
    columnWidth[6] = static_cast<int16_t>(2 * longestName + longestAdjective + 4);
}

void DurationsWindow::Report(const ReportInputs& inputs)
{
    currentMode = inputs.currentMode;
    orbIndexes = inputs.orbIndexes;
    const auto dateText = [&](int16_t row, bool abbreviated) {
        return inputs.InputDateToString ? inputs.InputDateToString(row, abbreviated) : std::string();
    };
    const auto addOrbToTitle = [&](const std::string& title, bool personal) {
        return inputs.AddOrbToTitle ? inputs.AddOrbToTitle(title, personal, true) : title;
    };
    const int16_t birthdateRow = (currentMode == core::kModePersonal1 || currentMode == core::kModeNatal1) ? 1 : 2;
    const int16_t birthdateText = birthdateRow == 1 ? text::kText1stBirthdate : text::kText2ndBirthdate;

    if (core::IsTransitMode(currentMode)) {
        const bool personal = core::IsPersonalTransitMode(currentMode);
        const std::string modeText = m_language.Text(personal ? text::kTextPersonalTransits : text::kTextWorldTransits);
        Caption = m_language.Text(text::kTextDurationsOfCurrent) + " " + modeText;
        if (personal)
            Caption += " " + m_language.Text(text::kTextOf) + " " + m_language.Text(birthdateText);

        std::string title = UpperCaseFirst(modeText);
        if (personal)
            title += " " + m_language.Text(text::kTextToTheBirthdate) + " " + dateText(birthdateRow, true);
        title += " " + m_language.Text(text::kTextOn) + " " + dateText(0, personal) + ".  ";
        titleText = addOrbToTitle(title, personal) + "   ";
    } else if (core::IsNatalMode(currentMode)) {
        Caption = m_language.Text(text::kTextNatalAspectsOfThe) + " " + m_language.Text(birthdateText);
        const std::string title =
            m_language.Text(text::kTextNatalAspectsFor) + " " + dateText(birthdateRow, false) + ".  ";
        titleText = addOrbToTitle(title, false) + "   " + m_language.Text(text::kTextHeliocentricLongitudes);
    } else if (currentMode == core::kModeSynastry) {
        Caption = m_language.Text(text::kTextSynastryAspects);
        const std::string title = m_language.Text(text::kTextSynastryOf) + " (1) " + dateText(1, true) + " " +
                                  m_language.Text(text::kTextAnd) + " (2) " + dateText(2, true) + ".  ";
        titleText = addOrbToTitle(title, true) + "   ";
    }
    outputText.clear();
    core::GetDurations(m_astro, inputs.grid, records);
}

void DurationsWindow::Activate(int16_t totalAspects, const NatalListingInputs& natal)
{
    FillSortList(totalAspects);
    sortByCaption = m_language.Text(text::kTextSortBy);
    copyCaption = m_language.Text(text::kTextCopy);
    closeCaption = m_language.Text(text::kTextClose);
    showDurationsCaption = m_language.Text(text::kTextShowDurations);
    outputText.clear();

    if (core::IsTransitMode(currentMode)) {
        if (!showDurationsTicked) {
            showDurationsTicked = true;
            ToggleDurations();
        }
        showDurationsShown = true;
        // Through "no selection" to the first entry, so that the sort runs even when the first entry was
        // selected already.
        sortList.SetListIndex(-1);
        sortList.SetListIndex(0);
        SortChosen();
        ShowDurationList();
    } else if (core::IsNatalMode(currentMode) || currentMode == core::kModeSynastry) {
        showDurationsShown = false;
        SortDurationRecords(0);
        ShowNatalListing(natal);
    }
}

void DurationsWindow::FillSortList(int16_t totalAspects)
{
    fillingSortList = true;
    sortByShown = false;
    sortList.Clear();
    if (currentMode == core::kModeWorldTransits) {
        for (const int16_t entry : {text::kTextExactness, text::kTextAspect, text::kTextPlanet, text::kTextBeginning, text::kTextEnding, text::kTextDuration})
            sortList.AddItem(m_language.Text(entry));
        sortList.SetListIndex(0);
    } else if (core::IsPersonalTransitMode(currentMode)) {
        sortList.AddItem(m_language.Text(text::kTextExactness));
        sortList.AddItem(m_language.Text(text::kTextAspect));
        sortList.AddItem(LowerCase(m_language.Text(text::kTextNatalPlanet)));
        sortList.AddItem(LowerCase(m_language.Text(text::kTextTransitingPlanet)));
        sortList.AddItem(m_language.Text(text::kTextBeginning));
        sortList.AddItem(m_language.Text(text::kTextEnding));
        sortList.AddItem(m_language.Text(text::kTextDuration));
        sortList.SetListIndex(0);
    }
    sortByShown = core::IsTransitMode(currentMode) && totalAspects >= 2;
    sortByCaptionShown = sortByShown;
    fillingSortList = false;
}

void DurationsWindow::SortDurationRecords(int16_t sortIndex)
{
    const int16_t keyColumn = SortKeyColumn(currentMode, sortIndex);
    if (keyColumn == 0)
        return;
    const auto count = std::min<size_t>(static_cast<size_t>(std::max<int16_t>(records.recordCount, 0)),
                                        records.recordLines.size());
    SortRecords(true, records.recordLines, 0, static_cast<int16_t>(count) - 1, keyColumn);
}

void DurationsWindow::SortChosen()
{
    const int16_t selection = sortList.ListIndex();
    if (selection < 0 || fillingSortList)
        return;
    SortDurationRecords(selection);
    outputText.clear();
    if (selection >= kFirstDateSortIndex && !showDurationsTicked) {
        showDurationsTicked = true;
        ToggleDurations();
    }
    ShowDurationList();
}

void DurationsWindow::ToggleDurations()
{
    outputText.clear();
    ShowDurationList();
}

void DurationsWindow::ShowDurationList()
{
    outputText.clear();
    const int16_t selection = sortList.ListIndex();
    const bool datesSorted = selection == kFirstDateSortIndex || selection == kFirstDateSortIndex + 1;
    const auto count = std::min<size_t>(static_cast<size_t>(std::max<int16_t>(records.recordCount, 0)),
                                        records.recordLines.size());
    for (size_t n = 0; n < count; ++n) {
        const std::string& record = records.recordLines[n];
        const auto p1 = static_cast<int16_t>(Val(Field(record, core::kRecordFirstBody, 2)));
        const auto aspect = static_cast<int16_t>(Val(Field(record, core::kRecordAspect, 2)));
        const double exactness = Val(Field(record, core::kRecordExactness, 9));
        const auto p2 = static_cast<int16_t>(Val(Field(record, core::kRecordSecondBody, 2)));
        const double beginningDay = Val(Field(record, core::kRecordBeginning, 8));
        const double endingDay = Val(Field(record, core::kRecordEnding, 8));
        const double duration = Val(Field(record, core::kRecordDuration, 6));

        // Records without dates say nothing when the list is sorted by a date.
        if (currentMode == core::kModeWorldTransits && p2 == core::kMaxBodyIndex && datesSorted)
            continue;
        outputText += FormatDurationLine(p1, aspect, exactness, p2, beginningDay, endingDay, duration) + kLineBreak;
    }
}

std::string DurationsWindow::FormatDurationLine(int16_t p1, int16_t aspect, double exactness, int16_t p2,
                                                double beginningDay, double endingDay, double duration) const
{
    const auto width = [&](int column, int extra = 0) { return static_cast<size_t>(columnWidth[column] + extra); };
    const std::string adjective =
        ValidAspect(aspect) ? m_astro.tables.AspectText[static_cast<size_t>(aspect)].Adjective : std::string();
    const std::string aspectColumn = adjective + " (" + ExactnessText(exactness) + ")";

    std::string line;
    if (core::IsPersonalTransitMode(currentMode)) {
        line = PadRight("tr." + BodyName(p2), width(1, 3)) + " " + PadRight(aspectColumn, width(2)) + " " +
               PadRight(m_language.Text(text::kTextNatalPrefix) + BodyName(p1), width(3, 2));
    } else {
        line = PadRight(BodyName(p1), width(1)) + " " + PadRight(aspectColumn, width(2)) + " " +
               PadRight(BodyName(p2), width(3));
    }

    if (p2 == core::kMaxBodyIndex && showDurationsTicked) {
        const int16_t selection = sortList.ListIndex();
        if (selection != kFirstDateSortIndex && selection != kFirstDateSortIndex + 1) {
            const int orbListIndex = ValidAspect(aspect) ? orbIndexes[static_cast<size_t>(aspect - 1)] : 0;
            const std::string hours = std::to_string(4 * orbListIndex);
            line += " " + m_language.TextWithReplacements(text::kTextLastsAbout12Hours, hours);
        }
        return line;
    }
    if (!showDurationsTicked)
        return line;

    const std::string unknown = m_language.Text(text::kTextUnknown);
    const std::string beginningText =
        beginningDay >= 0.0
            ? datetime::DateText(static_cast<int32_t>(beginningDay), false, m_language.currentLanguage) + ","
            : unknown;
    const std::string endingText =
        endingDay >= 0.0 ? datetime::DateText(static_cast<int32_t>(endingDay), false, m_language.currentLanguage)
                         : unknown;
    line += " " + m_language.Text(text::kTextBegins) + " " + PadRight(beginningText, width(4)) + " " +
            m_language.Text(text::kTextEnds) + " " + PadRight(endingText, width(5));
    if (beginningText != unknown && endingText != unknown)
        line += "(" + DurationText(m_language, static_cast<int32_t>(duration)) + ")";
    return line;
}

namespace {

// "The natal chart has twenty aspects" (or one): the listing's first line.
std::string NatalHeading(const text::Language& language, bool synastry, size_t count)
{
    const std::string chartName =
        synastry ? LowerCase(language.Text(text::kTextSynastry)) : language.Text(text::kTextNatalChart);
    if (count == 1)
        return text::Replaced(language.Text(text::kTextHasOneAspect), "[natal chart]", chartName);
    const std::string heading = text::Replaced(language.Text(text::kTextHas20Aspects), "[natal chart]", chartName);
    const bool german = language.currentLanguage == text::langGerman;
    return text::Replaced(heading, "20", LowerCase(NumberInWords(static_cast<int32_t>(count), german)));
}

// One body of a natal aspect with its place in the zodiac; in synastry marked with its chart.
std::string NatalBodyText(const core::AstroTables& tables, const NatalListingInputs& natal, bool synastry,
                          int16_t body, size_t chart, const char* mark)
{
    const std::optional<core::Body> known = core::BodyOfIndex(body);
    const double longitude = known ? natal.positions[chart][*known].longitude.value_or(-1.0) : -1.0;
    const std::string name = known ? tables.bodyNames[core::SlotOf(*known)] : std::string();
    return name + (synastry ? mark : "") + " (" + core::ZodiacPositionText(tables, longitude, true) + ")";
}

// The sentence of the n-th closest aspect: the closest and the next closest in words, the others as a
// list under "Other aspects".
std::string AspectSentence(const text::Language& language, size_t n, size_t count, const std::string& pair,
                           const std::string& exactness, size_t sentenceWidth)
{
    const std::string fromExact = text::Replaced(language.Text(text::kTextFromExact), "[5 degrees]", exactness);
    const bool exact = exactness == kExactText;
    if (n == 0) {
        return language.Text(text::kTextClosestAspect) + " " + pair + ", " +
               (exact ? language.Text(text::kTextWhichIsExact) : fromExact);
    }
    if (n == 1) {
        std::string sentence = exact ? " " + language.Text(text::kTextAlsoExact) + " " + pair + "."
                                     : " " + language.Text(text::kTextNextClosest) + " " + pair + ", " + fromExact;
        if (count > 2)
            sentence += std::string(kLineBreak) + kLineBreak + language.Text(text::kTextOtherAspects);
        return sentence;
    }
    return PadRight(pair + ", ", sentenceWidth) + fromExact;
}

// "There are one conjunction, two oppositions, … and no quincunx."
std::string AspectCountSentence(const text::Language& language, const core::AstroTables& tables,
                                const std::array<int16_t, core::kAspectSlots>& aspectCounts)
{
    const bool german = language.currentLanguage == text::langGerman;
    std::string sentence =
        language.Text(aspectCounts[core::kConjunction] == 1 ? text::kTextThereIs : text::kTextThereAre);
    for (const core::Aspect a : core::kAspects) {
        const int16_t aspectCount = aspectCounts[core::SlotOf(a)];
        const std::string name = LowerCase(tables.AspectText[core::SlotOf(a)].Name);
        const std::string item =
            LowerCase(NumberInWords(aspectCount, german)) + " " + (aspectCount == 1 ? name : core::PluralOf(name));
        if (a == core::Aspect::Quincunx)
            sentence += " " + language.Text(text::kTextAnd) + " " + item;
        else
            sentence += " " + item + (a < core::Aspect::Semisextile ? "," : "");
    }
    return sentence + ".";
}

}  // namespace

void DurationsWindow::ShowNatalListing(const NatalListingInputs& natal)
{
    const bool synastry = currentMode == core::kModeSynastry;
    const auto count = std::min<size_t>(static_cast<size_t>(std::max<int16_t>(records.recordCount, 0)),
                                        records.recordLines.size());
    outputText = NatalHeading(m_language, synastry, count) + kLineBreak + kLineBreak;
    patternsListed = 0;

    const auto sentenceWidth = static_cast<size_t>(columnWidth[6] + kSentenceColumnExtra);
    for (size_t n = 0; n < count; ++n) {
        const std::string& record = records.recordLines[n];
        const auto p1 = static_cast<int16_t>(Val(Field(record, core::kRecordFirstBody, 2)));
        const auto p2 = static_cast<int16_t>(Val(Field(record, core::kRecordSecondBody, 2)));
        const auto aspect = static_cast<int16_t>(Val(Field(record, core::kRecordAspect, 2)));
        const double exactness = Val(Field(record, core::kRecordExactness, 9));

        const std::string adjective =
            ValidAspect(aspect) ? m_astro.tables.AspectText[static_cast<size_t>(aspect)].Adjective : std::string();
        const std::string pair = NatalBodyText(m_astro.tables, natal, synastry, p1, 0, "(1)") + " " + adjective +
                                 " " + NatalBodyText(m_astro.tables, natal, synastry, p2, synastry ? 1 : 0, "(2)");
        outputText += AspectSentence(m_language, n, count, pair, ExactnessText(exactness), sentenceWidth) + kLineBreak;
    }

    if (count >= 3)
        outputText += AspectCountSentence(m_language, m_astro.tables, natal.aspectCounts) + kLineBreak;
    ListNatalPatterns(natal);
    outputText += std::string(kLineBreak) + ConventionSentence() + kLineBreak;
}

std::string DurationsWindow::ConventionSentence() const
{
    const platform::Convention convention = m_astro.convention;
    if (convention.IsDefault())
        return m_language.Text(text::kTextAllPositionsHeliocentric);
    const bool j2000 = convention.frame == platform::Frame::J2000;
    const bool geometric = convention.positions == platform::PositionKind::Geometric;
    return m_language.TextWithReplacements(
        text::kTextAllPositionsInConvention,
        m_language.Text(j2000 ? text::kTextFrameJ2000 : text::kTextFrameOfDate),
        m_language.Text(geometric ? text::kTextPositionsGeometric : text::kTextPositionsApparent));
}

void DurationsWindow::ListNatalPatterns(const NatalListingInputs& natal)
{
    for (const std::span<const core::PatternFound> group : core::ByPattern(natal.patterns))
        AppendPatternText(display::PatternLines(m_astro.tables, m_language, group, true),
                          static_cast<int16_t>(group.size()), group.front().pattern);
    if (patternsListed == 0)
        outputText += std::string(kLineBreak) + m_language.Text(text::kTextNoPatterns) + kLineBreak;
}

void DurationsWindow::AppendPatternText(const std::string& patternText, int16_t count, int16_t patternIndex)
{
    std::string name;
    if (patternIndex >= 0 && patternIndex < core::kNumPatterns)
        name = m_astro.tables.patternNames[static_cast<size_t>(patternIndex)];
    constexpr int16_t kTSquare = 3;  // keeps its capital T
    if (patternIndex != kTSquare)
        name = LowerCase(name);

    std::string heading;
    if (count == 1) {
        heading = std::string(kLineBreak) + m_language.Text(text::kTextThereIsA) + " " + name + ": ";
    } else {
        heading = std::string(kLineBreak) + m_language.Text(text::kTextThereAre) + " " +
                  LowerCase(NumberInWords(count, German())) + " " + core::PluralOf(name) + ":" + kLineBreak;
    }
    outputText += heading + patternText;
    patternsListed = static_cast<int16_t>(patternsListed + count);
}

std::string DurationsWindow::ClipboardText() const
{
    return titleText + kLineBreak + kLineBreak + outputText;
}

}  // namespace orvane::reports
