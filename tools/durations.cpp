#include "tools/durations.h"

#include "core/patterns.h"
#include "datetime/datepr2.h"
#include "text/strings.h"
#include "text/text_numbers.h"
#include "tools/number_words.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

namespace orvane::tools {
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

int16_t SortKeyColumn(int16_t intMode, int16_t sortIndex)
{
    const bool twoCharts = core::IsPersonalTransitMode(intMode) || intMode == core::kModeSynastry;
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
        return language.GetText(text::kTextOneDay);
    if (days == 365)
        return language.GetText(text::kTextOneYear);

    const auto years = static_cast<int32_t>(std::floor(days / kDaysPerYear));
    const int32_t rest = days - static_cast<int32_t>(std::floor(years * kDaysPerYear));
    if (years == 0) {
        if (rest == 1)
            return language.GetText(text::kTextOneDay);
        return std::to_string(rest) + " " + language.GetText(text::kTextDays);
    }

    std::string text = years == 1 ? language.GetText(text::kTextOneYear)
                                  : std::to_string(years) + " " + language.GetText(text::kTextYears);
    if (rest == 1)
        text += ", " + language.GetText(text::kTextOneDay);
    else if (rest > 1)
        text += ", " + std::to_string(rest) + " " + language.GetText(text::kTextDays);
    return text;
}

platform::Message NoAspectsMessage(const text::Language& language, int16_t intMode)
{
    const int16_t number = core::IsPersonalTransitMode(intMode) ? text::kTextNoPersonalTransitsFound : text::kTextNoAspectsFound;
    return platform::Message::Information(language.GetText(text::kTextReportButton), language.GetText(number));
}

DurationsWindow::DurationsWindow(const core::AstroModule& astro, const text::Language& language)
    : m_astro(astro), m_language(language)
{
    Caption = m_language.GetText(text::kTextDurationsCaption);
    chkShowDurationCaption = m_language.GetText(text::kTextShowDurations);
    ComputeColumnWidths();
}

bool DurationsWindow::German() const
{
    return m_language.intLanguage == text::langGerman;
}

std::string DurationsWindow::BodyName(int16_t body) const
{
    if (body < 0 || body > core::kMaxBodyIndex)
        return {};
    return m_astro.tables.strPlanetName[static_cast<size_t>(body)];
}

void DurationsWindow::ComputeColumnWidths()
{
    size_t longestName = 0;
    for (int16_t body = core::kEarth; body <= core::kPluto; ++body)
        longestName = std::max(longestName, CharacterCount(BodyName(body)));
    size_t longestAdjective = 0;
    for (int16_t a = core::kConjunction; a <= core::kNumAspects; ++a)
        longestAdjective = std::max(longestAdjective,
                                    CharacterCount(m_astro.tables.AspectText[static_cast<size_t>(a)].Adjective));

    intColumnWidth[1] = static_cast<int16_t>(longestName);
    intColumnWidth[2] = static_cast<int16_t>(longestAdjective + kAdjectiveColumnExtra);
    intColumnWidth[3] = intColumnWidth[1];
    intColumnWidth[4] = kLongDateWidth;
    intColumnWidth[5] = kLongDateWidth;
    intColumnWidth[6] = static_cast<int16_t>(2 * longestName + longestAdjective + 4);
}

void DurationsWindow::Report(const ReportInputs& inputs)
{
    intMode = inputs.intMode;
    intOrbListIndex = inputs.intOrbListIndex;
    const auto dateText = [&](int16_t row, bool abbreviated) {
        return inputs.InputDateToString ? inputs.InputDateToString(row, abbreviated) : std::string();
    };
    const auto addOrbToTitle = [&](const std::string& title, bool personal) {
        return inputs.AddOrbToTitle ? inputs.AddOrbToTitle(title, personal, true) : title;
    };
    const int16_t birthdateRow = (intMode == core::kModePersonal1 || intMode == core::kModeNatal1) ? 1 : 2;
    const int16_t birthdateText = birthdateRow == 1 ? text::kText1stBirthdate : text::kText2ndBirthdate;

    if (core::IsTransitMode(intMode)) {
        const bool personal = core::IsPersonalTransitMode(intMode);
        const std::string modeText = m_language.GetText(personal ? text::kTextPersonalTransits : text::kTextWorldTransits);
        Caption = m_language.GetText(text::kTextDurationsOfCurrent) + " " + modeText;
        if (personal)
            Caption += " " + m_language.GetText(text::kTextOf) + " " + m_language.GetText(birthdateText);

        std::string title = UpperCaseFirst(modeText);
        if (personal)
            title += " " + m_language.GetText(text::kTextToTheBirthdate) + " " + dateText(birthdateRow, true);
        title += " " + m_language.GetText(text::kTextOn) + " " + dateText(0, personal) + ".  ";
        lblTitle = addOrbToTitle(title, personal) + "   ";
    } else if (core::IsNatalMode(intMode)) {
        Caption = m_language.GetText(text::kTextNatalAspectsOfThe) + " " + m_language.GetText(birthdateText);
        const std::string title =
            m_language.GetText(text::kTextNatalAspectsFor) + " " + dateText(birthdateRow, false) + ".  ";
        lblTitle = addOrbToTitle(title, false) + "   " + m_language.GetText(text::kTextHeliocentricLongitudes);
    } else if (intMode == core::kModeSynastry) {
        Caption = m_language.GetText(text::kTextSynastryAspects);
        const std::string title = m_language.GetText(text::kTextSynastryOf) + " (1) " + dateText(1, true) + " " +
                                  m_language.GetText(text::kTextAnd) + " (2) " + dateText(2, true) + ".  ";
        lblTitle = addOrbToTitle(title, true) + "   ";
    }
    txbOutput.clear();
    display::GetDurations(m_astro, inputs.grid, records);
}

void DurationsWindow::Activate(int16_t intTotalNumAspects, const NatalListingInputs& natal)
{
    FillSortList(intTotalNumAspects);
    lblSortBy = m_language.GetText(text::kTextSortBy);
    cmdCopyCaption = m_language.GetText(text::kTextCopy);
    cmdCloseCaption = m_language.GetText(text::kTextClose);
    chkShowDurationCaption = m_language.GetText(text::kTextShowDurations);
    txbOutput.clear();

    if (core::IsTransitMode(intMode)) {
        if (!chkShowDuration) {
            chkShowDuration = true;
            chkShowDuration_Click();
        }
        chkShowDurationVisible = true;
        // Through "no selection" to the first entry, so that the sort runs even when the first entry was
        // selected already.
        cboSortBy.SetListIndex(-1);
        cboSortBy.SetListIndex(0);
        cboSortBy_Click();
        ShowDurationList();
    } else if (core::IsNatalMode(intMode) || intMode == core::kModeSynastry) {
        chkShowDurationVisible = false;
        SortDurationRecords(0);
        ShowNatalListing(natal);
    }
}

void DurationsWindow::FillSortList(int16_t intTotalNumAspects)
{
    blnFillingSortList = true;
    cboSortByVisible = false;
    cboSortBy.Clear();
    if (intMode == core::kModeWorldTransits) {
        for (const int16_t entry : {text::kTextExactness, text::kTextAspect, text::kTextPlanet, text::kTextBeginning, text::kTextEnding, text::kTextDuration})
            cboSortBy.AddItem(m_language.GetText(entry));
        cboSortBy.SetListIndex(0);
    } else if (core::IsPersonalTransitMode(intMode)) {
        cboSortBy.AddItem(m_language.GetText(text::kTextExactness));
        cboSortBy.AddItem(m_language.GetText(text::kTextAspect));
        cboSortBy.AddItem(LowerCase(m_language.GetText(text::kTextNatalPlanet)));
        cboSortBy.AddItem(LowerCase(m_language.GetText(text::kTextTransitingPlanet)));
        cboSortBy.AddItem(m_language.GetText(text::kTextBeginning));
        cboSortBy.AddItem(m_language.GetText(text::kTextEnding));
        cboSortBy.AddItem(m_language.GetText(text::kTextDuration));
        cboSortBy.SetListIndex(0);
    }
    cboSortByVisible = core::IsTransitMode(intMode) && intTotalNumAspects >= 2;
    lblSortByVisible = cboSortByVisible;
    blnFillingSortList = false;
}

void DurationsWindow::SortDurationRecords(int16_t sortIndex)
{
    const int16_t keyColumn = SortKeyColumn(intMode, sortIndex);
    if (keyColumn == 0)
        return;
    const auto count = std::min<size_t>(static_cast<size_t>(std::max<int16_t>(records.intNumDurationRecords, 0)),
                                        records.strDurationRecords.size());
    SortRecords(true, records.strDurationRecords, 0, static_cast<int16_t>(count) - 1, keyColumn);
}

void DurationsWindow::cboSortBy_Click()
{
    const int16_t selection = cboSortBy.ListIndex();
    if (selection < 0 || blnFillingSortList)
        return;
    SortDurationRecords(selection);
    txbOutput.clear();
    if (selection >= kFirstDateSortIndex && !chkShowDuration) {
        chkShowDuration = true;
        chkShowDuration_Click();
    }
    ShowDurationList();
}

void DurationsWindow::chkShowDuration_Click()
{
    txbOutput.clear();
    ShowDurationList();
}

void DurationsWindow::ShowDurationList()
{
    txbOutput.clear();
    const int16_t selection = cboSortBy.ListIndex();
    const bool datesSorted = selection == kFirstDateSortIndex || selection == kFirstDateSortIndex + 1;
    const auto count = std::min<size_t>(static_cast<size_t>(std::max<int16_t>(records.intNumDurationRecords, 0)),
                                        records.strDurationRecords.size());
    for (size_t n = 0; n < count; ++n) {
        const std::string& record = records.strDurationRecords[n];
        const auto p1 = static_cast<int16_t>(Val(Field(record, display::kRecordFirstBody, 2)));
        const auto aspect = static_cast<int16_t>(Val(Field(record, display::kRecordAspect, 2)));
        const double exactness = Val(Field(record, display::kRecordExactness, 9));
        const auto p2 = static_cast<int16_t>(Val(Field(record, display::kRecordSecondBody, 2)));
        const double beginningDay = Val(Field(record, display::kRecordBeginning, 8));
        const double endingDay = Val(Field(record, display::kRecordEnding, 8));
        const double duration = Val(Field(record, display::kRecordDuration, 6));

        // Records without dates say nothing when the list is sorted by a date.
        if (intMode == core::kModeWorldTransits && p2 == core::kMaxBodyIndex && datesSorted)
            continue;
        txbOutput += FormatDurationLine(p1, aspect, exactness, p2, beginningDay, endingDay, duration) + kLineBreak;
    }
}

std::string DurationsWindow::FormatDurationLine(int16_t p1, int16_t aspect, double exactness, int16_t p2,
                                                double beginningDay, double endingDay, double duration) const
{
    const auto width = [&](int column, int extra = 0) { return static_cast<size_t>(intColumnWidth[column] + extra); };
    const std::string adjective =
        ValidAspect(aspect) ? m_astro.tables.AspectText[static_cast<size_t>(aspect)].Adjective : std::string();
    const std::string aspectColumn = adjective + " (" + ExactnessText(exactness) + ")";

    std::string line;
    if (core::IsPersonalTransitMode(intMode)) {
        line = PadRight("tr." + BodyName(p2), width(1, 3)) + " " + PadRight(aspectColumn, width(2)) + " " +
               PadRight(m_language.GetText(text::kTextNatalPrefix) + BodyName(p1), width(3, 2));
    } else {
        line = PadRight(BodyName(p1), width(1)) + " " + PadRight(aspectColumn, width(2)) + " " +
               PadRight(BodyName(p2), width(3));
    }

    if (p2 == core::kMaxBodyIndex && chkShowDuration) {
        const int16_t selection = cboSortBy.ListIndex();
        if (selection != kFirstDateSortIndex && selection != kFirstDateSortIndex + 1) {
            const int orbListIndex = ValidAspect(aspect) ? intOrbListIndex[static_cast<size_t>(aspect - 1)] : 0;
            const std::string hours = std::to_string(4 * orbListIndex);
            line += " " + text::Replaced(m_language.GetText(text::kTextLastsAbout12Hours), "12", hours);
        }
        return line;
    }
    if (!chkShowDuration)
        return line;

    const std::string unknown = m_language.GetText(text::kTextUnknown);
    const std::string beginningText =
        beginningDay >= 0.0
            ? datetime::DateText(static_cast<int32_t>(beginningDay), false, m_language.intLanguage) + ","
            : unknown;
    const std::string endingText =
        endingDay >= 0.0 ? datetime::DateText(static_cast<int32_t>(endingDay), false, m_language.intLanguage)
                         : unknown;
    line += " " + m_language.GetText(text::kTextBegins) + " " + PadRight(beginningText, width(4)) + " " +
            m_language.GetText(text::kTextEnds) + " " + PadRight(endingText, width(5));
    if (beginningText != unknown && endingText != unknown)
        line += "(" + DurationText(m_language, static_cast<int32_t>(duration)) + ")";
    return line;
}

void DurationsWindow::ShowNatalListing(const NatalListingInputs& natal)
{
    const bool synastry = intMode == core::kModeSynastry;
    const bool german = German();
    const auto count = std::min<size_t>(static_cast<size_t>(std::max<int16_t>(records.intNumDurationRecords, 0)),
                                        records.strDurationRecords.size());

    const std::string chartName =
        synastry ? LowerCase(m_language.GetText(text::kTextSynastry)) : m_language.GetText(text::kTextNatalChart);
    std::string heading;
    if (count == 1) {
        heading = text::Replaced(m_language.GetText(text::kTextHasOneAspect), "[natal chart]", chartName);
    } else {
        heading = text::Replaced(m_language.GetText(text::kTextHas20Aspects), "[natal chart]", chartName);
        heading = text::Replaced(heading, "20", LowerCase(NumberInWords(static_cast<int32_t>(count), german)));
    }
    txbOutput = heading + kLineBreak + kLineBreak;
    intNumPatternsListed = 0;

    const auto body = [&](int16_t index, size_t chart, const char* mark) {
        double longitude = -1.0;
        if (index >= 0 && index <= core::kMaxBodyIndex)
            longitude = natal.dblPos[static_cast<size_t>(index)][chart];
        return BodyName(index) + (synastry ? mark : "") + " (" +
               core::ZodiacPositionText(m_astro.tables, longitude, true) + ")";
    };

    for (size_t n = 0; n < count; ++n) {
        const std::string& record = records.strDurationRecords[n];
        const auto p1 = static_cast<int16_t>(Val(Field(record, display::kRecordFirstBody, 2)));
        const auto p2 = static_cast<int16_t>(Val(Field(record, display::kRecordSecondBody, 2)));
        const auto aspect = static_cast<int16_t>(Val(Field(record, display::kRecordAspect, 2)));
        const double exactness = Val(Field(record, display::kRecordExactness, 9));

        const std::string adjective =
            ValidAspect(aspect) ? m_astro.tables.AspectText[static_cast<size_t>(aspect)].Adjective : std::string();
        const std::string pair = body(p1, 0, "(1)") + " " + adjective + " " + body(p2, synastry ? 1 : 0, "(2)");
        const std::string e = ExactnessText(exactness);
        const std::string fromExact = text::Replaced(m_language.GetText(text::kTextFromExact), "[5 degrees]", e);

        std::string paragraph;
        if (n == 0) {
            paragraph = m_language.GetText(text::kTextClosestAspect) + " " + pair + ", " +
                        (e == kExactText ? m_language.GetText(text::kTextWhichIsExact) : fromExact);
        } else if (n == 1) {
            if (e == kExactText)
                paragraph = " " + m_language.GetText(text::kTextAlsoExact) + " " + pair + ".";
            else
                paragraph = " " + m_language.GetText(text::kTextNextClosest) + " " + pair + ", " + fromExact;
            if (count > 2)
                paragraph += std::string(kLineBreak) + kLineBreak + m_language.GetText(text::kTextOtherAspects);
        } else {
            const auto sentenceWidth = static_cast<size_t>(intColumnWidth[6] + kSentenceColumnExtra);
            paragraph = PadRight(pair + ", ", sentenceWidth) + fromExact;
        }
        txbOutput += paragraph + kLineBreak;
    }

    if (count >= 3) {
        std::string summary = m_language.GetText(natal.intAspectCount[core::kConjunction] == 1 ? text::kTextThereIs
                                                                                               : text::kTextThereAre);
        for (int16_t a = core::kConjunction; a <= core::kNumAspects; ++a) {
            const int16_t aspectCount = natal.intAspectCount[static_cast<size_t>(a)];
            const std::string name = LowerCase(m_astro.tables.AspectText[static_cast<size_t>(a)].Name);
            const std::string item = LowerCase(NumberInWords(aspectCount, german)) + " " +
                                     (aspectCount == 1 ? name : core::PluralOf(name));
            if (a == core::kQuincunx)
                summary += " " + m_language.GetText(text::kTextAnd) + " " + item;
            else
                summary += " " + item + (a < core::kSemisextile ? "," : "");
        }
        txbOutput += summary + "." + kLineBreak;
    }

    if (natal.findPattern) {
        const auto listed = [&](int16_t patternIndex) {
            const PatternFinding finding = natal.findPattern(patternIndex);
            if (finding.text.empty())
                return false;
            AppendPatternText(finding.text, finding.count, patternIndex);
            return true;
        };
        core::AskPatternsInSummaryOrder(listed);
    }

    if (intNumPatternsListed == 0)
        txbOutput += std::string(kLineBreak) + m_language.GetText(text::kTextNoPatterns) + kLineBreak;
    txbOutput += std::string(kLineBreak) + m_language.GetText(text::kTextAllPositionsHeliocentric) + kLineBreak;
}

void DurationsWindow::AppendPatternText(const std::string& patternText, int16_t count, int16_t patternIndex)
{
    std::string name;
    if (patternIndex >= 0 && patternIndex < core::kNumPatterns)
        name = m_astro.tables.strPatternName[static_cast<size_t>(patternIndex)];
    constexpr int16_t kTSquare = 3;  // keeps its capital T
    if (patternIndex != kTSquare)
        name = LowerCase(name);

    std::string heading;
    if (count == 1) {
        heading = std::string(kLineBreak) + m_language.GetText(text::kTextThereIsA) + " " + name + ": ";
    } else {
        heading = std::string(kLineBreak) + m_language.GetText(text::kTextThereAre) + " " +
                  LowerCase(NumberInWords(count, German())) + " " + core::PluralOf(name) + ":" + kLineBreak;
    }
    txbOutput += heading + patternText;
    intNumPatternsListed = static_cast<int16_t>(intNumPatternsListed + count);
}

std::string DurationsWindow::ClipboardText() const
{
    return lblTitle + kLineBreak + kLineBreak + txbOutput;
}

}  // namespace orvane::tools
