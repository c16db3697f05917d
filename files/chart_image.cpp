#include "files/chart_image.h"

#include "core/modes.h"
#include "text/text_numbers.h"

#include <array>
#include <cmath>

namespace orvane::files {
namespace {

constexpr int32_t h = kCaptionLineStep;

// Anchors of the caption blocks in the one-date and the two-date layout.
constexpr int32_t kOneDateBlockTop = 350;
constexpr int32_t kWorldBlockLeftOneDate = 328;
constexpr int32_t kBirthBlockLeftOneDate = 3;
constexpr int32_t kTwoDateBlockTop = 385;
constexpr int32_t kWorldBlockTopTwoDate = 390;
constexpr int32_t kLeftBlockTwoDate = 114;
constexpr int32_t kRightBlockTwoDate = 472;
// Where the title block stands: the left column, and the two-date layout's one column.
constexpr int32_t kTitleLeft = 5;
constexpr int32_t kTitleRightOffset = 123;  // beyond the middle of the picture, one-date layout
constexpr int32_t kTitleLeftTwoDate = 114;

std::string TwoDigits(int16_t value)
{
    return (value >= 0 && value < 10 ? "0" : "") + std::to_string(value);
}

// Half steps (the outer-planet note at 11.5 h …) fall between pixels; they are rounded to the nearest one.
int32_t Steps(double count)
{
    return static_cast<int32_t>(std::lround(count * h));
}

class Lines {
public:
    Lines(const datetime::DateRows& rows, const text::Language& language) : m_rows(rows), m_language(language) {}

    void Add(ImageTextLine::Kind kind, std::string text, int32_t x, int32_t y)
    {
        if (!text.empty())
            m_lines.push_back({kind, std::move(text), x, y});
    }
    void Caption(int16_t number, int32_t x, int32_t y) { Add(ImageTextLine::Kind::Caption, m_language.Text(number), x, y); }

    // The world date's label, its date a little to the left below, its clock text further left below that.
    void WorldBlock(int32_t x, int32_t y)
    {
        Add(ImageTextLine::Kind::Caption, m_language.Text(text::kTextWorldDate) + ":", x, y);
        Add(ImageTextLine::Kind::Caption, RowDateText(m_rows, core::kWorldDateRow), x - 20, y + h);
        Add(ImageTextLine::Kind::Caption, RowClockText(m_rows, core::kWorldDateRow, m_language), x - 40, y + 2 * h);
    }
    // A birthdate's label, date and clock text, one below the other.
    void BirthBlock(int16_t set, int32_t x, int32_t y)
    {
        const int16_t label = set == 1 ? text::kTextImage1stBirthdate : text::kTextImage2ndBirthdate;
        Add(ImageTextLine::Kind::Caption, m_language.Text(label) + ":", x, y);
        Add(ImageTextLine::Kind::Caption, RowDateText(m_rows, set), x, y + h);
        Add(ImageTextLine::Kind::Caption, RowClockText(m_rows, set, m_language), x, y + 2 * h);
    }

    std::vector<ImageTextLine> Take() { return std::move(m_lines); }

private:
    const datetime::DateRows& m_rows;
    const text::Language& m_language;
    std::vector<ImageTextLine> m_lines;
};

}  // namespace

std::string PngFileName(const std::string& chosenFileName)
{
    const size_t separator = chosenFileName.find_last_of("/\\");
    const size_t fileStart = separator == std::string::npos ? 0 : separator + 1;
    const size_t dot = chosenFileName.find_last_of('.');
    // A dot that begins the file part names a hidden file, not an extension.
    const bool hasExtension = dot != std::string::npos && dot > fileStart && dot + 1 < chosenFileName.size();
    if (hasExtension)
        return chosenFileName;
    return chosenFileName.ends_with('.') ? chosenFileName + "png" : chosenFileName + ".png";
}

std::string BitmapFileName(const std::string& pngFileName)
{
    const size_t keep = pngFileName.size() >= 3 ? pngFileName.size() - 3 : 0;
    return pngFileName.substr(0, keep) + "bmp";
}

std::string RowDateText(const datetime::DateRows& rows, int16_t row)
{
    const size_t r = static_cast<size_t>(row);
    if (const std::optional<datetime::PreciseMoment>& precise = rows.preciseMoments[r]) {
        const datetime::WallTime& local = precise->local;
        return std::to_string(local.year) + "-" + TwoDigits(static_cast<int16_t>(local.month)) + "-" +
               TwoDigits(static_cast<int16_t>(local.day));
    }
    return rows.yearTexts[r] + "-" + TwoDigits(rows.monthLists[r].ListIndex()) + "-" +
           TwoDigits(rows.dayLists[r].ListIndex());
}

std::string RowClockText(const datetime::DateRows& rows, int16_t row, const text::Language& language)
{
    const size_t r = static_cast<size_t>(row);
    if (const std::optional<datetime::PreciseMoment>& precise = rows.preciseMoments[r])
        return datetime::PreciseMomentLabel(*precise, language);
    return rows.halfHourLists[r].Text() + " " + rows.zoneLists[r].Text();
}

namespace {

// The title block: four title slots and the version line.
void AddTitleBlock(Lines& lines, const ChartImageCaption& caption)
{
    const bool twoDates = core::IsTwoDateMode(caption.currentMode);
    const std::array<std::string, 5> title{caption.productTitle, "", "", "", "v." + caption.version};
    for (size_t slot = 0; slot < title.size(); ++slot) {
        const auto i = static_cast<int32_t>(slot);
        if (twoDates)
            lines.Add(ImageTextLine::Kind::Title, title[slot], kTitleLeftTwoDate, i * h);
        else if (slot < 3)
            lines.Add(ImageTextLine::Kind::Title, title[slot], kTitleLeft, i * h);
        else
            lines.Add(ImageTextLine::Kind::Title, title[slot], caption.width / 2 + kTitleRightOffset, (i - 3) * h);
    }
}

// The dates of the mode's charts with their captions; with one date, the note on outer planets beside it.
void AddDateBlocks(Lines& lines, const ChartImageCaption& caption, const text::Language& language)
{
    const core::Mode mode = caption.currentMode;
    const int32_t top = kOneDateBlockTop;
    const int32_t top2 = kTwoDateBlockTop;
    const bool outer = caption.onlyOuterPlanets;
    switch (mode) {
    case core::Mode::WorldTransits:
        lines.WorldBlock(kWorldBlockLeftOneDate, top);
        if (outer) {
            lines.Caption(text::kTextImageOnlyAspectsBetween, 5, top + h);
            lines.Caption(text::kTextImageOnlyTheOuterPlanets, 5, top + 2 * h);
        }
        break;
    case core::Mode::Natal1st:
    case core::Mode::Natal2nd:
        lines.BirthBlock(mode == core::Mode::Natal1st ? 1 : 2, kBirthBlockLeftOneDate, top);
        if (outer) {
            lines.Caption(text::kTextImageOnlyAspectsBetween, 335, top + h);
            lines.Caption(text::kTextImageOnlyTheOuterPlanets, 310, top + 2 * h);
        }
        break;
    case core::Mode::PersonalTransits1st:
    case core::Mode::PersonalTransits2nd:
        lines.BirthBlock(mode == core::Mode::PersonalTransits1st ? 1 : 2, kLeftBlockTwoDate, top2);
        lines.WorldBlock(kRightBlockTwoDate, kWorldBlockTopTwoDate);
        lines.Caption(text::kTextImagePersonalTransits, 50, top2 - h);
        break;
    case core::Mode::Synastry:
        lines.BirthBlock(1, kLeftBlockTwoDate, top2);
        lines.BirthBlock(2, kRightBlockTwoDate, top2);
        lines.Add(ImageTextLine::Kind::Caption,
                  language.Text(text::kTextSynastry) + " " + language.Text(text::kTextOf), 100, top2 - h);
        lines.Caption(text::kTextAnd, 497, top2 - h);
        break;
    default: break;
    }
}

// With two dates: the orbs above the chart and the note on outer planets at its side.
void AddTwoDateNotes(Lines& lines, const ChartImageCaption& caption)
{
    lines.Add(ImageTextLine::Kind::Caption, caption.orbNote, 525, kTwoDateBlockTop - 3 * h);
    if (caption.onlyOuterPlanets) {
        const int16_t which = caption.currentMode == core::Mode::Synastry ? text::kTextImageSynastryAspects
                                                                         : text::kTextImageTransitAspects;
        lines.Caption(which, 552, Steps(11.5));
        lines.Caption(text::kTextImageShownOnlyBetween, 552, Steps(12.5));
        lines.Caption(text::kTextImageTheOuterPlanets, 552, Steps(13.5));
    }
}

}  // namespace

std::vector<ImageTextLine> ChartImageLines(const ChartImageCaption& caption, const datetime::DateRows& rows,
                                           const text::Language& language)
{
    Lines lines(rows, language);
    AddTitleBlock(lines, caption);
    AddDateBlocks(lines, caption, language);
    if (core::IsTwoDateMode(caption.currentMode))
        AddTwoDateNotes(lines, caption);
    return lines.Take();
}

}  // namespace orvane::files
