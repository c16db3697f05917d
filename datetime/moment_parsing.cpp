#include "datetime/moment_parsing.h"

#include "datetime/iso_dates.h"
#include "datetime/moment_texts.h"
#include "datetime/zoned_moments.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <cstdlib>

namespace orvane::datetime {
namespace {

using platform::Result;

// An offset as the ISO reader takes it, ±HH:MM, ±HHMM, ±HH, ±H:MM or ±H, or with seconds ±HH:MM:SS (the
// whole text), in seconds east, with no upper bound; nothing for another text. Seconds occur in the
// offsets of local mean time that the tz database gives old dates.
std::optional<int32_t> OffsetDigits(std::string_view text)
{
    if (text.size() < 2 || (text[0] != '+' && text[0] != '-'))
        return std::nullopt;
    const auto digits = [&text](size_t at, size_t count) -> std::optional<int32_t> {
        if (at + count > text.size())
            return std::nullopt;
        int32_t value = 0;
        for (size_t i = at; i < at + count; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(text[i])))
                return std::nullopt;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    size_t at = 1;
    const size_t hourDigits = text.size() > 2 && std::isdigit(static_cast<unsigned char>(text[2])) ? 2 : 1;
    const std::optional<int32_t> hours = digits(at, hourDigits);
    at += hourDigits;
    std::optional<int32_t> minutes = 0;
    std::optional<int32_t> seconds = 0;
    if (at < text.size()) {
        const bool colon = text[at] == ':';
        at += colon ? 1 : 0;
        minutes = digits(at, 2);
        at += 2;
        if (colon && at < text.size() && text[at] == ':') {
            seconds = digits(at + 1, 2);
            at += 3;
        }
    }
    if (!hours || !minutes || !seconds || at != text.size() || *minutes > 59 || *seconds > 59)
        return std::nullopt;
    return (text[0] == '-' ? -1 : 1) * (*hours * 3600 + *minutes * 60 + *seconds);
}

// Where the offset of an ISO date-time text starts ("Z", "+", "-" after the time of day), or npos.
size_t OffsetStart(std::string_view text)
{
    const size_t time = text.find_first_of("Tt ", 1);
    if (time == std::string_view::npos)
        return std::string_view::npos;
    return text.find_first_of("Zz+-", time);
}

// A leap second's wall-clock time, "2026-01-01T00:59:60": the same text with second 59 (and no fraction, since
// any fraction of a leap second is its end), and where the seconds stand; nothing for another text.
std::optional<std::string> LeapSecondAsSecond59(std::string_view local)
{
    const size_t time = local.find_first_of("Tt ", 1);
    if (time == std::string_view::npos || local.size() < time + 9 || local[time + 3] != ':' ||
        local[time + 6] != ':' || local.substr(time + 7, 2) != "60")
        return std::nullopt;
    const std::string_view rest = local.substr(time + 9);
    if (!rest.empty() && ((rest[0] != '.' && rest[0] != ',') ||
                          rest.find_first_not_of("0123456789", 1) != std::string_view::npos || rest.size() < 2))
        return std::nullopt;
    return std::string(local.substr(0, time + 7)) + "59";
}

}  // namespace

Result<MomentZone> ParseMomentZone(std::string_view text, const text::Language& language)
{
    if (const std::optional<int32_t> minutes = ParseZone(text))
        return Result<MomentZone>(MomentZone::Fixed(*minutes * 60));
    // An offset in the form of one, but larger than any zone's.
    std::string_view digits = text;
    for (const std::string_view prefix : {"UTC", "GMT", "UT"})
        if (text::LowerCase(digits).rfind(text::LowerCase(prefix), 0) == 0) {
            digits.remove_prefix(prefix.size());
            break;
        }
    if (OffsetDigits(digits))
        return Result<MomentZone>(MomentRefusal(language, text::kTextOffsetTooLarge, std::string(text)));
    const Result<std::string> name = FindZone(text, language);
    if (!name)
        return Result<MomentZone>(name.failure());
    return Result<MomentZone>(MomentZone::Named(name.value()));
}

namespace {

// A moment's text taken apart: the wall-clock part, the part with the offset written after it, the offset
// and the zone the moment is read in.
struct MomentParts {
    std::string_view text;   // as typed
    std::string_view body;   // without the zone and the tags in brackets
    std::string_view local;  // without the offset either
    std::optional<int32_t> givenOffset;
    MomentZone zone;
};

// `body` without the RFC 9557 tags after it ("[u-ca=gregory]"): the Gregorian calendar, which every moment
// here is read in, is taken; another calendar is refused; other tags are elective and left aside.
Result<std::string_view> WithoutTags(std::string_view body, std::string_view text, const text::Language& language)
{
    while (!body.empty() && body.back() == ']') {
        const size_t open = body.rfind('[');
        if (open == std::string_view::npos)
            return Result<std::string_view>(MomentRefusal(language, text::kTextNotAMoment, std::string(text)));
        std::string_view tag = body.substr(open + 1, body.size() - open - 2);
        if (tag.find('=') == std::string_view::npos)
            break;
        if (!tag.empty() && tag.front() == '!')
            tag.remove_prefix(1);
        const std::string key = text::LowerCase(tag.substr(0, tag.find('=')));
        const std::string value = text::LowerCase(tag.substr(tag.find('=') + 1));
        if (key.empty() || value.empty() || tag.find_first_of("[]") != std::string_view::npos)
            return Result<std::string_view>(MomentRefusal(language, text::kTextNotAMoment, std::string(text)));
        if (key == "u-ca" && value != "gregory" && value != "iso8601")
            return Result<std::string_view>(MomentRefusal(language, text::kTextOnlyGregorian, std::string(tag)));
        body = body.substr(0, open);
    }
    return Result<std::string_view>(body);
}

// The zone in brackets after the moment ("[!…]" marks it critical, which every zone here is), the offset
// written after the time of day, and the zone the moment is read in (`defaultZone` without either).
Result<MomentParts> PartsOf(std::string_view text, const MomentZone& defaultZone, const text::Language& language)
{
    const auto notAMoment = [&] { return Result<MomentParts>(MomentRefusal(language, text::kTextNotAMoment, std::string(text))); };
    const Result<std::string_view> untagged = WithoutTags(text, text, language);
    if (!untagged)
        return Result<MomentParts>(untagged.failure());
    MomentParts parts;
    parts.text = text;
    parts.body = untagged.value();
    std::optional<MomentZone> suffixZone;
    if (!parts.body.empty() && parts.body.back() == ']') {
        const size_t open = parts.body.rfind('[');
        if (open == std::string_view::npos)
            return notAMoment();
        std::string_view inside = parts.body.substr(open + 1, parts.body.size() - open - 2);
        if (!inside.empty() && inside.front() == '!')
            inside.remove_prefix(1);
        if (inside.empty() || inside.find_first_of("[]=") != std::string_view::npos)
            return notAMoment();
        const Result<MomentZone> zone = ParseMomentZone(inside, language);
        if (!zone)
            return Result<MomentParts>(zone.failure());
        suffixZone = zone.value();
        parts.body = parts.body.substr(0, open);
    }
    parts.local = parts.body;
    if (const size_t at = OffsetStart(parts.body); at != std::string_view::npos) {
        const std::string_view offset = parts.body.substr(at);
        parts.givenOffset = offset == "Z" || offset == "z" ? std::optional<int32_t>(0) : OffsetDigits(offset);
        if (!parts.givenOffset)
            return notAMoment();
        if (std::abs(*parts.givenOffset) > kMaxOffsetSeconds && !(suffixZone && suffixZone->kind == ZoneKind::Named))
            return Result<MomentParts>(MomentRefusal(language, text::kTextOffsetTooLarge, std::string(offset)));
        parts.local = parts.body.substr(0, at);
    }
    parts.zone = suffixZone ? *suffixZone : parts.givenOffset ? MomentZone::Fixed(*parts.givenOffset) : defaultZone;
    return Result<MomentParts>(std::move(parts));
}

Result<PreciseMoment> OffsetDisagrees(const MomentParts& parts, const text::Language& language)
{
    return Result<PreciseMoment>(MomentRefusal(language, text::kTextOffsetDisagrees, IsoOffset(*parts.givenOffset),
                                         OffsetText(parts.zone.offsetSeconds), OffsetText(parts.zone.offsetSeconds)));
}

// A leap second, read in any zone as the wall clock shows it and accepted where it is the last second of a
// day of Universal Time.
Result<PreciseMoment> LeapSecondIn(const MomentParts& parts, const std::string& second59, const text::Language& language)
{
    if (parts.zone.kind != ZoneKind::Named && parts.givenOffset && *parts.givenOffset != parts.zone.offsetSeconds)
        return OffsetDisagrees(parts, language);
    const std::optional<IsoMoment> wall = ParseIsoMoment(second59, 0);
    if (!wall)
        return Result<PreciseMoment>(MomentRefusal(language, text::kTextNotAMoment, std::string(parts.text)));
    WallTime leap = WallTimeAt(wall->moment, 0);
    leap.second = 60;
    return ResolveWallTime(leap, parts.zone, parts.givenOffset, language);
}

// At a fixed offset the whole text is read as ISO 8601 reads it (fractions included).
Result<PreciseMoment> AtFixedOffset(const MomentParts& parts, const text::Language& language)
{
    const MomentZone& zone = parts.zone;
    if (parts.givenOffset && *parts.givenOffset != zone.offsetSeconds)
        return OffsetDisagrees(parts, language);
    // Local mean time may lie between whole minutes: its offset is applied after reading.
    const bool wholeMinutes = zone.offsetSeconds % 60 == 0;
    const std::optional<IsoMoment> read = parts.givenOffset && wholeMinutes
                                              ? ParseIsoMoment(parts.body, 0)
                                              : ParseIsoMoment(parts.local, wholeMinutes ? zone.offsetSeconds / 60 : 0);
    if (!read)
        return Result<PreciseMoment>(MomentRefusal(language, text::kTextNotAMoment, std::string(parts.text)));
    const double moment = read->moment - (wholeMinutes ? 0.0 : platform::OffsetDays(zone.offsetSeconds));
    Result<PreciseMoment> precise = MomentInZone(moment, zone, language);
    if (precise)
        precise.value().local = WallTimeWithFraction(moment, precise.value().offsetSeconds, read->microsecond);
    return precise;
}

// In a named zone: "Z" before it gives the moment in UT, shown in the zone whatever its offset then;
// otherwise the wall-clock time first (read as if at Greenwich), then the zone's offset for it.
Result<PreciseMoment> InNamedZone(const MomentParts& parts, const text::Language& language)
{
    const bool universal = parts.givenOffset && parts.body.size() > parts.local.size() &&
                           (parts.body.back() == 'Z' || parts.body.back() == 'z');
    const std::optional<IsoMoment> read = ParseIsoMoment(universal ? parts.body : parts.local, 0);
    if (!read)
        return Result<PreciseMoment>(MomentRefusal(language, text::kTextNotAMoment, std::string(parts.text)));
    if (universal)
        return MomentInZone(read->moment, parts.zone, language);
    return ResolveWallTime(WallTimeWithFraction(read->moment, 0, read->microsecond), parts.zone, parts.givenOffset,
                           language);
}

}  // namespace

Result<PreciseMoment> ParsePreciseMoment(std::string_view text, const MomentZone& defaultZone,
                                         const text::Language& language)
{
    const Result<MomentParts> parts = PartsOf(text, defaultZone, language);
    if (!parts)
        return Result<PreciseMoment>(parts.failure());
    const MomentParts& read = parts.value();
    const bool universal = read.givenOffset && read.body.size() > read.local.size() &&
                           (read.body.back() == 'Z' || read.body.back() == 'z');
    const std::optional<std::string> second59 = LeapSecondAsSecond59(read.local);
    Result<PreciseMoment> precise = read.zone.kind == ZoneKind::Named && (universal || !second59)
                                        ? InNamedZone(read, language)
                                    : second59 ? LeapSecondIn(read, *second59, language)
                                               : AtFixedOffset(read, language);
    if (precise)
        precise.value().typed = std::string(text);
    return precise;
}

}  // namespace orvane::datetime
