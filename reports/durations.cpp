#include "reports/durations.h"

#include "core/patterns.h"
#include "datetime/datepr2.h"
#include "display/angle_texts.h"
#include "display/result_texts.h"
#include "reports/number_words.h"
#include "text/strings.h"
#include "text/text_numbers.h"

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

constexpr double kDaysPerYear = 365.2425;
constexpr const char* kExactText = "0°0'";

// Sort-box entries of world transits (and the natal modes), and of personal transits (and synastry).
constexpr std::array<SortField, 6> kOneChartSortFields{SortField::Deviation, SortField::Aspect,
                                                       SortField::FirstBody, SortField::Beginning,
                                                       SortField::Ending,    SortField::Duration};
constexpr std::array<SortField, 7> kTwoChartSortFields{SortField::Deviation,  SortField::Aspect,
                                                       SortField::FirstBody,  SortField::SecondBody,
                                                       SortField::Beginning, SortField::Ending,
                                                       SortField::Duration};

// The sort-box entries from which on the list needs the dates.
constexpr int16_t kFirstDateSortIndex = 4;

// The width of "September 30, 9999," and of "September 30, 9999 ".
constexpr int16_t kLongDateWidth = 19;
constexpr int16_t kAdjectiveColumnExtra = 10;
constexpr int16_t kSentenceColumnExtra = 6;

// Below 0, 0 or above 0 as `a` is below, equal to or above `b`.
template <typename T>
int Compared(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// A deviation as degrees and minutes without blanks: "1°23'".
std::string ExactnessText(double exactness)
{
    return std::string(text::Trimmed(display::Rad2DegMin(exactness), " "));
}

}  // namespace

std::optional<SortField> SortFieldOf(core::Mode currentMode, int16_t sortIndex)
{
    const bool twoCharts = core::IsPersonalTransitMode(currentMode) || currentMode == core::Mode::Synastry;
    if (sortIndex < 0)
        return std::nullopt;
    const auto index = static_cast<size_t>(sortIndex);
    if (twoCharts)
        return index < kTwoChartSortFields.size() ? std::optional(kTwoChartSortFields[index]) : std::nullopt;
    return index < kOneChartSortFields.size() ? std::optional(kOneChartSortFields[index]) : std::nullopt;
}

int CompareRecords(const core::DurationRecord& a, const core::DurationRecord& b, SortField field)
{
    // Each case falls through to the fields after it. The first body stands once more after the second,
    // so a key from the second body on compares the first body next. Records without dates (natal and
    // synastry) are never listed beside dated ones.
    int order = 0;
    switch (field) {
    case SortField::FirstBody:
        if ((order = Compared(a.first, b.first)) != 0)
            return order;
        [[fallthrough]];
    case SortField::SecondBody:
        if ((order = Compared(a.second, b.second)) != 0 || (order = Compared(a.first, b.first)) != 0)
            return order;
        [[fallthrough]];
    case SortField::Aspect:
        if ((order = Compared(a.aspect, b.aspect)) != 0)
            return order;
        [[fallthrough]];
    case SortField::Deviation:
        if ((order = Compared(a.deviationMicroradians, b.deviationMicroradians)) != 0 ||
            (order = Compared(a.dated, b.dated)) != 0)
            return order;
        [[fallthrough]];
    case SortField::Beginning:
        if ((order = Compared(a.beginning, b.beginning)) != 0)
            return order;
        [[fallthrough]];
    case SortField::Ending:
        if ((order = Compared(a.ending, b.ending)) != 0)
            return order;
        [[fallthrough]];
    case SortField::Duration:
        return Compared(a.Days(), b.Days());
    }
    return 0;
}

void QuickSortPass(std::vector<core::DurationRecord>& records, int16_t first, int16_t last, SortField field)
{
    if (first < 0 || last >= static_cast<int>(records.size()) || first >= last)
        return;

    const int16_t m = static_cast<int16_t>(first + (last - first) / 2);
    const core::DurationRecord pivot = records[static_cast<size_t>(m)];
    auto compared = [&](int16_t index) { return CompareRecords(records[static_cast<size_t>(index)], pivot, field); };

    int16_t i = first;
    int16_t j = last;
    while (i <= j) {
        while (i < last && compared(i) > 0)
            ++i;
        while (j > first && compared(j) < 0)
            --j;
        if (i <= j) {
            if (i < j)
                std::swap(records[static_cast<size_t>(i)], records[static_cast<size_t>(j)]);
            ++i;
            --j;
        }
    }
    if (first < j)
        QuickSortPass(records, first, j, field);
    if (i < last)
        QuickSortPass(records, i, last, field);
}

void SortRecords(bool ascending, std::vector<core::DurationRecord>& records, int16_t first, int16_t last,
                 SortField field)
{
    if (!ascending) {
        QuickSortPass(records, first, last, field);
        return;
    }
    if (first >= last || first < 0 || last >= static_cast<int>(records.size()))
        return;
    QuickSortPass(records, first, last, field);
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

platform::Message NoAspectsMessage(const text::Language& language, core::Mode currentMode)
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
    const auto dateText = [&](int16_t row, bool abbreviated) {
        return inputs.InputDateToString ? inputs.InputDateToString(row, abbreviated) : std::string();
    };
    const auto addOrbToTitle = [&](const std::string& title, bool personal) {
        return inputs.AddOrbToTitle ? inputs.AddOrbToTitle(title, personal, true) : title;
    };
    const int16_t birthdateRow = (currentMode == core::Mode::PersonalTransits1st || currentMode == core::Mode::Natal1st) ? 1 : 2;
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
    } else if (currentMode == core::Mode::Synastry) {
        Caption = m_language.Text(text::kTextSynastryAspects);
        const std::string title = m_language.Text(text::kTextSynastryOf) + " (1) " + dateText(1, true) + " " +
                                  m_language.Text(text::kTextAnd) + " (2) " + dateText(2, true) + ".  ";
        titleText = addOrbToTitle(title, true) + "   ";
    }
    outputText.clear();
    records = core::GetDurations(m_astro, inputs.grid);
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
        // Ticked without its handler's showing of the list: the sort below shows it, once.
        showDurationsTicked = true;
        showDurationsShown = true;
        // Through "no selection" to the first entry, so that the sort runs even when the first entry was
        // selected already.
        sortList.SetListIndex(-1);
        sortList.SetListIndex(0);
        SortChosen();
    } else if (core::IsNatalMode(currentMode) || currentMode == core::Mode::Synastry) {
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
    if (currentMode == core::Mode::WorldTransits) {
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
    const std::optional<SortField> field = SortFieldOf(currentMode, sortIndex);
    if (!field)
        return;
    SortRecords(true, records, 0, static_cast<int16_t>(records.size() - 1), *field);
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
    for (const core::DurationRecord& record : records)
        outputText += FormatDurationLine(record) + kLineBreak;
}

std::string DurationsWindow::FormatDurationLine(const core::DurationRecord& record) const
{
    const auto width = [&](int column, int extra = 0) { return static_cast<size_t>(columnWidth[column] + extra); };
    const std::string& adjective = m_astro.tables.AspectText[core::SlotOf(record.aspect)].Adjective;
    const std::string aspectColumn = adjective + " (" + ExactnessText(record.Deviation()) + ")";
    const std::string& first = m_astro.tables.bodyNames[core::SlotOf(record.first)];
    const std::string& second = m_astro.tables.bodyNames[core::SlotOf(record.second)];

    std::string line;
    if (core::IsPersonalTransitMode(currentMode)) {
        line = PadRight("tr." + second, width(1, 3)) + " " + PadRight(aspectColumn, width(2)) + " " +
               PadRight(m_language.Text(text::kTextNatalPrefix) + first, width(3, 2));
    } else {
        line = PadRight(first, width(1)) + " " + PadRight(aspectColumn, width(2)) + " " + PadRight(second, width(3));
    }
    if (!showDurationsTicked)
        return line;

    const std::string unknown = m_language.Text(text::kTextUnknown);
    const auto dateText = [&](std::optional<core::DayNumber> day) {
        return day ? datetime::DateText(*day, false, m_language.currentLanguage) : unknown;
    };
    const std::string beginningText = record.beginning ? dateText(record.beginning) + "," : unknown;
    line += " " + m_language.Text(text::kTextBegins) + " " + PadRight(beginningText, width(4)) + " " +
            m_language.Text(text::kTextEnds) + " " + PadRight(dateText(record.ending), width(5));
    if (const std::optional<int32_t> days = record.Days())
        line += "(" + DurationText(m_language, *days) + ")";
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
                          core::Body body, size_t chart, const char* mark)
{
    const double longitude = natal.positions[chart][body].longitude.value_or(-1.0);
    return tables.bodyNames[core::SlotOf(body)] + (synastry ? mark : "") + " (" +
           display::ZodiacPositionText(tables, longitude, true) + ")";
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
    const bool synastry = currentMode == core::Mode::Synastry;
    const size_t count = records.size();
    outputText = NatalHeading(m_language, synastry, count) + kLineBreak + kLineBreak;
    patternsListed = 0;

    const auto sentenceWidth = static_cast<size_t>(columnWidth[6] + kSentenceColumnExtra);
    for (size_t n = 0; n < count; ++n) {
        const core::DurationRecord& record = records[n];
        const std::string& adjective = m_astro.tables.AspectText[core::SlotOf(record.aspect)].Adjective;
        const std::string pair = NatalBodyText(m_astro.tables, natal, synastry, record.first, 0, "(1)") + " " +
                                 adjective + " " +
                                 NatalBodyText(m_astro.tables, natal, synastry, record.second, synastry ? 1 : 0, "(2)");
        outputText +=
            AspectSentence(m_language, n, count, pair, ExactnessText(record.Deviation()), sentenceWidth) + kLineBreak;
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
