#include "display/captions.h"

#include "datetime/datepr2.h"
#include "display/angle_texts.h"
#include "text/language.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <cstdio>

namespace orvane::display {

// The caption of a clicked cell's message: "Mars trine Venus" for personal transits, "In … to the natal …"
// for world transits.
std::string CellCaption(const text::Language& language, const core::AstroTables& tables, bool personal, core::Body p1,
                        core::Body p2, core::Aspect aspect)
{
    const auto name = [&tables](core::Body body) { return tables.bodyNames[core::SlotOf(body)]; };
    const std::string& phrase = tables.AspectText[core::SlotOf(aspect)].Phrase;
    if (personal)
        return name(p1) + " " + phrase + " " + name(p2);
    return language.Text(text::kTextIn) + " " + name(p2) + " " + phrase + " " + language.Text(text::kTextToTheNatal) +
           " " + name(p1);
}

// "With an orb of …, this … begins on … and ends on …."
std::string AspectSpanText(const text::Language& language, const std::string& orb, const std::string& aspectName,
                           std::optional<core::DayNumber> beginning, std::optional<core::DayNumber> ending)
{
    const auto dayText = [&](std::optional<core::DayNumber> day) {
        return day ? datetime::DateText(*day, false, language.currentLanguage) : language.Text(text::kTextUnknownDate);
    };
    return language.TextWithReplacements(text::kTextOrbThis, orb, text::LowerCase(aspectName)) + text::kLineBreak +
           language.TextWithReplacements(text::kTextBeginsOn, dayText(beginning)) + text::kLineBreak +
           language.TextWithReplacements(text::kTextEndsOn, dayText(ending)) + ".";
}

// The caption of a personal transit's picture.
std::string TransitPictureCaption(const core::AstroTables& tables, const core::OrbTable& orbs,
                                  const text::Language& language, core::Body p1, core::Body p2, core::Aspect aspect,
                                  int16_t column)
{
    const auto& name = tables.bodyNames;
    return language.Text(text::kTextIn) + " " + name[core::SlotOf(p2)] + " " + language.Text(text::kTextPictureAspect) +
           " " + text::LowerCase(tables.AspectText[core::SlotOf(aspect)].Name) + " " +
           language.Text(text::kTextPictureAspectAfter) + " " + language.Text(text::kTextToTheNatal) + " " +
           name[core::SlotOf(p1)] + "X, " + language.Text(text::kTextPictureOrb) + " " +
           Rad2DegMin(orbs.Orb(aspect, column));
}

// A longitude as the longitude box shows it: decimal degrees, at most four places, east positive.
std::string LongitudeText(double longitude)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", longitude);
    std::string written = text;
    while (written.back() == '0')
        written.pop_back();
    if (written.back() == '.')
        written.pop_back();
    return written;
}

std::string ClockText(int32_t hour, int32_t minute)
{
    char clock[8];
    std::snprintf(clock, sizeof clock, "%02d:%02d", hour % 100, minute % 100);
    return clock;
}

}  // namespace orvane::display
