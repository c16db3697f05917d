#include "files/state_file_moments.h"

#include "datetime/date_input.h"
#include "platform/moment.h"
#include "datetime/time_zones.h"
#include "text/language.h"
#include "text/text_numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace orvane::files {
namespace {

std::string Line(const datetime::PreciseMoment& precise)
{
    const std::string iso = datetime::PreciseMomentIso(precise);
    switch (precise.zone.kind) {
    case datetime::ZoneKind::Named: return iso.substr(0, iso.find('[')) + " " + precise.zone.name;
    case datetime::ZoneKind::FixedOffset: return iso;
    case datetime::ZoneKind::LocalMeanTime: break;
    }
    // The shortest text that reads back to the same longitude, so that the offset stays the same.
    char longitude[32];
    const auto written = std::to_chars(longitude, longitude + sizeof longitude, precise.zone.longitude);
    return datetime::WallTimeIso(precise.local) + " LMT " + std::string(longitude, written.ptr);
}

// One row's line read back; nothing when it does not read.
std::optional<datetime::PreciseMoment> Moment(const std::string& line, const text::Language& language)
{
    const size_t blank = line.find(' ');
    const std::string iso = line.substr(0, blank);
    const std::string zone = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    const datetime::MomentZone greenwich = datetime::MomentZone::Fixed(0);
    if (zone.rfind("LMT ", 0) == 0) {
        double longitude = 0.0;
        const char* end = zone.data() + zone.size();
        const auto [ptr, ec] = std::from_chars(zone.data() + 4, end, longitude);
        const platform::Result<datetime::PreciseMoment> wall = datetime::ParsePreciseMoment(iso + "Z", greenwich, language);
        if (ec != std::errc() || ptr != end || !wall || !(longitude >= -180.0 && longitude <= 180.0))
            return std::nullopt;
        const platform::Result<datetime::PreciseMoment> resolved = datetime::ResolveWallTime(
            wall.value().local, datetime::MomentZone::MeanTime(longitude), std::nullopt, language);
        return resolved ? std::optional(resolved.value()) : std::nullopt;
    }
    if (zone.find_first_of(" []") != std::string::npos)
        return std::nullopt;
    const platform::Result<datetime::PreciseMoment> read =
        datetime::ParsePreciseMoment(zone.empty() ? iso : iso + "[" + zone + "]", greenwich, language);
    // The line's moment carries its offset; without one it is no precise moment of this file.
    if (!read || iso.find_first_of("+-Zz", 10) == std::string::npos)
        return std::nullopt;
    return read.value();
}

// How far a row's instant may lie from its precise moment: the row shows the moment to the half hour, in
// the nearest list zone.
constexpr double kRowSlackSeconds = 30 * 60;

// A line's text as a message shows it: printable characters, at most 60 of them.
std::string Shown(const std::string& line)
{
    std::string shown;
    for (const char c : line.substr(0, 60))
        shown += c >= 0x20 && c < 0x7F ? c : '?';
    return shown;
}

platform::Error DamagedLine(const text::Language& language, int16_t number, int line, const std::string& r2,
                            const std::string& r3 = {}, const std::string& r4 = {})
{
    return {platform::ErrorCode::Damaged,
            platform::Message::Exclamation("", language.TextWithReplacements(number, std::to_string(line), r2, r3, r4))};
}

// Why `precise` cannot stand beside its row (`rows` with the row's own lists and no precise moment), or
// nothing when it can.
std::optional<std::string> Disagreement(datetime::DateRows& rows, int16_t row, const datetime::PreciseMoment& precise,
                                        const text::Language& language)
{
    constexpr double kSecondsPerDay = platform::kSecondsPerDay;
    const auto localDay = static_cast<double>(platform::DayNumberAt(precise.moment, precise.offsetSeconds));
    if (localDay < datetime::kFirstDayNumber)
        return language.Text(text::kTextTooEarly);
    if (localDay > datetime::kLastDayNumber)
        return language.Text(text::kTextTooLate);
    const platform::Result<double> local = datetime::InputDateToLocalDayNumber(rows, row, language);
    const auto r = static_cast<size_t>(row);
    const std::string rowText = local ? datetime::InputDateToString(rows, row, false, language) : local.error().text;
    const auto disagrees = [&] {
        constexpr int16_t kRowName[] = {text::kTextWorldDateInText, text::kText1stBirthdateInText,
                                        text::kText2ndBirthdateInText};
        return language.TextWithReplacements(text::kTextMomentDisagreesWithRow, language.Text(kRowName[r]), rowText);
    };
    if (!local)
        return disagrees();
    // The row's instant at its list zone; a row without a zone is read at the moment's offset.
    const int16_t zone = rows.zoneLists[r].ListIndex();
    const int32_t rowOffset = zone > 0 ? datetime::ZoneOffsetMinutes(zone) * 60 : precise.offsetSeconds;
    const double rowMoment = platform::MomentOfLocalDay(local.value(), rowOffset);
    const double slack = kRowSlackSeconds + std::abs(precise.offsetSeconds - rowOffset);
    if (std::abs(rowMoment - precise.moment) * kSecondsPerDay > slack + 1.0)
        return disagrees();
    return std::nullopt;
}

}  // namespace

platform::Result<void> CheckPreciseMoments(const datetime::DateRows& rows, const PreciseMoments& moments,
                                           int firstLine, const text::Language& language)
{
    datetime::DateRows plain = rows;
    for (int16_t row = 0; row < core::kNumDateRows; ++row) {
        const auto r = static_cast<size_t>(row);
        plain.preciseMoments[r].reset();
        if (!moments[r])
            continue;
        if (const std::optional<std::string> why = Disagreement(plain, row, *moments[r], language))
            return platform::Result<void>(DamagedLine(language, text::kTextMomentDoesNotFit, firstLine + 1 + row,
                                                      Shown(moments[r]->typed), *why));
    }
    return {};
}

std::string PreciseMomentLines(const PreciseMoments& moments, const char* lineBreak)
{
    bool any = false;
    for (const auto& moment : moments)
        any = any || moment.has_value();
    if (!any)
        return {};
    std::string text = std::string(kPreciseMomentsMarker) + lineBreak;
    for (const auto& moment : moments)
        text += (moment ? Line(*moment) : std::string()) + lineBreak;
    return text;
}

platform::Result<PreciseMoments> ReadPreciseMomentLines(const std::vector<std::string>& rest, int firstLine,
                                                        const text::Language& language)
{
    PreciseMoments moments;
    if (rest.empty() || rest.front() != kPreciseMomentsMarker)
        return platform::Result<PreciseMoments>(moments);
    const auto damaged = [&language](int16_t number, int line, const std::string& shown) {
        return platform::Result<PreciseMoments>(DamagedLine(language, number, line, shown));
    };
    if (rest.size() < 1 + moments.size())
        return damaged(text::kTextMomentsHeaderMissing, firstLine + static_cast<int>(rest.size()) - 1, "");
    for (size_t row = 0; row < moments.size(); ++row) {
        const std::string& line = rest[row + 1];
        if (line.empty())
            continue;
        moments[row] = Moment(line, language);
        if (!moments[row])
            return damaged(text::kTextMomentsDamaged, firstLine + 1 + static_cast<int>(row), Shown(line));
    }
    return platform::Result<PreciseMoments>(moments);
}

}  // namespace orvane::files
