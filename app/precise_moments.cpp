#include "app/precise_moments.h"

#include "datetime/date_input.h"
#include "text/text_numbers.h"

namespace orvane::app {

void SetPreciseMoment(Workspace& program, int16_t row, datetime::PreciseMoment precise)
{
    datetime::SetPreciseMoment(program.main, row, std::move(precise));
}

void DateRowTouched(Workspace& program, int16_t row)
{
    program.main.DropPreciseMoment(row);
}

std::string PreciseMomentLabel(const Workspace& program, int16_t row)
{
    if (!core::IsDateRow(row))
        return {};
    const std::optional<datetime::PreciseMoment>& precise = program.main.preciseMoments[static_cast<size_t>(row)];
    return precise ? datetime::PreciseMomentLabel(*precise, program.language) : std::string();
}

std::optional<platform::Message> ComputerZoneNotice(const Workspace& program)
{
    const std::optional<datetime::PreciseMoment>& now =
        program.main.preciseMoments[static_cast<size_t>(core::kWorldDateRow)];
    if (!now || !now->fromComputerClock)
        return std::nullopt;
    const text::Language& language = program.language;
    const std::string label = datetime::PreciseMomentLabel(*now, language);
    // A zone given as a rule alone is described by its offset, which the text then names once.
    const std::string text =
        now->zone.kind == datetime::ZoneKind::FixedOffset
            ? language.TextWithReplacements(text::kTextClockRuleNotInList, datetime::OffsetText(now->offsetSeconds),
                                            label)
            : language.TextWithReplacements(text::kTextClockZoneNotInList, datetime::ZoneDescription(*now, language),
                                            datetime::OffsetText(now->offsetSeconds), label);
    return platform::Message::Information(language.Text(text::kTextClockZoneTitle), text);
}

}  // namespace orvane::app
