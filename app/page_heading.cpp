#include "app/page_heading.h"

#include "datetime/date_input.h"
#include "text/text_numbers.h"

#include <array>

namespace orvane::app {

std::vector<std::string> PageHeading(const Workspace& program)
{
    const text::Language& language = program.language;
    const core::Mode mode = program.main.currentMode;
    // The option buttons' captions name the modes, in the order of the mode numbers 1 … 6.
    constexpr std::array<int16_t, 6> kModeTexts{text::kTextOptPlanetary,   text::kTextOptNatal1st,
                                                text::kTextOptNatal2nd,    text::kTextOptPersonal1st,
                                                text::kTextOptPersonal2nd, text::kTextSynastry};
    std::vector<std::string> lines;
    const std::string convention = language.TextWithReplacements(
        text::kTextConventionHeading, language.Text(text::kTextFrameJ2000), language.Text(text::kTextPositionsGeometric));
    const bool known = mode >= core::Mode::WorldTransits && mode <= core::Mode::Synastry;
    lines.push_back(known ? language.Text(kModeTexts[core::ModeIndex(mode)]) + " \xC2\xB7 " + convention
                          : convention);
    constexpr std::array<int16_t, core::kNumDateRows> kRowTexts{text::kTextWorldDate, text::kTextImage1stBirthdate,
                                                                text::kTextImage2ndBirthdate};
    // Converting cleans the rows it reads: a copy, so that a page never changes the window.
    datetime::DateRows rows = program.main;
    for (int16_t row = 0; row < core::kNumDateRows; ++row) {
        if (!core::RowUsedByMode(row, mode))
            continue;
        const std::string date = datetime::InputDateToString(rows, row, false, language);
        if (!date.empty())
            lines.push_back(language.Text(kRowTexts[static_cast<size_t>(row)]) + ": " + date);
    }
    return lines;
}

}  // namespace orvane::app
