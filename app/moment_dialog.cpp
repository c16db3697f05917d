#include "app/moment_dialog.h"

#include "app/precise_moments.h"
#include "app/workspace.h"
#include "datetime/date_input.h"
#include "display/captions.h"
#include "platform/index.h"
#include "text/language.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <date/date.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace orvane::app {
namespace {

using platform::At;

constexpr double kMaxLongitude = 180.0;

// The next number of `text` from `at` on (digits with at most one decimal point), or none.
std::optional<double> NextNumber(std::string_view text, size_t& at)
{
    while (at < text.size() && text[at] == ' ')
        ++at;
    const size_t start = at;
    if (at == text.size() || std::isdigit(static_cast<unsigned char>(text[at])) == 0)
        return std::nullopt;  // a number begins with a digit: "1.2.3" is no longitude
    bool point = false;
    while (at < text.size() && (std::isdigit(static_cast<unsigned char>(text[at])) != 0 || (text[at] == '.' && !point))) {
        point = point || text[at] == '.';
        ++at;
    }
    // Read without the locale, which the desktop program sets to the user's (a decimal comma in German).
    double value = 0.0;
    std::from_chars(text.data() + start, text.data() + at, value);
    return value;
}

// Skips one of the marks that may follow degrees, minutes or seconds (°, ', ′, ", ″) and blanks.
void SkipMark(std::string_view text, size_t& at)
{
    while (at < text.size() && text[at] == ' ')
        ++at;
    for (const std::string_view mark : {"°", "′", "″", "'", "\"", "º"})
        if (text.substr(at, mark.size()) == mark) {
            at += mark.size();
            return;
        }
}


}  // namespace

std::optional<double> ParseLongitude(std::string_view typed)
{
    std::string_view text = text::Trimmed(typed);
    double sign = 1.0;
    const bool signGiven = !text.empty() && (text.front() == '-' || text.front() == '+');
    if (signGiven) {
        sign = text.front() == '-' ? -1.0 : 1.0;
        text.remove_prefix(1);
    }
    // The hemisphere at the end: E or O (Ost) east, W west.
    if (!text.empty()) {
        const char last = static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
        if (last == 'E' || last == 'O' || last == 'W') {
            if (signGiven)
                return std::nullopt;  // "-13 W": a sign and a hemisphere contradict or repeat each other
            if (last == 'W')
                sign = -sign;
            text.remove_suffix(1);
        }
    }
    size_t at = 0;
    double value = 0.0;
    double unit = 1.0;
    for (int part = 0; part < 3; ++part) {
        const std::optional<double> number = NextNumber(text, at);
        if (!number) {
            if (part == 0)
                return std::nullopt;
            break;
        }
        // Minutes and seconds are whole parts of 60 below the degrees.
        if (part > 0 && *number >= 60.0)
            return std::nullopt;
        value += *number / unit;
        unit *= 60.0;
        SkipMark(text, at);
    }
    while (at < text.size() && text[at] == ' ')
        ++at;
    if (at != text.size())
        return std::nullopt;
    value *= sign;
    if (!std::isfinite(value) || std::abs(value) > kMaxLongitude)
        return std::nullopt;
    return value;
}

void MomentDialog::Prepare(const Workspace& program, int16_t row, const platform::Clock& clock)
{
    const MainModel& main = program.main;
    m_row = row;
    const size_t r = At(row);
    choice = OffsetChoice::None;
    meanTimeTicked = false;
    longitudeText.clear();
    zoneText.clear();
    const std::optional<datetime::PreciseMoment>& precise = main.preciseMoments[r];
    m_rowHadMoment = precise.has_value();
    place.Clear();
    if (precise) {
        Fill(*precise, program.language);
        place.Show(program.rowPlaces[r], precise->zone.kind == datetime::ZoneKind::Named ? precise->zone.name : "");
    } else {
        FillFromRow(program, r, clock);
    }
}

void MomentDialog::ChoosePlace(size_t index, atlas::NameLanguage names)
{
    if (!place.Choose(index, names))
        return;
    zoneText = place.Zone();
    meanTimeTicked = false;
    longitudeText = display::LongitudeText(place.Place().longitude.value_or(0.0));
    choice = OffsetChoice::None;
}

void MomentDialog::Fill(const datetime::PreciseMoment& precise, const text::Language& language)
{
    choice = OffsetChoice::None;
    meanTimeTicked = false;
    longitudeText.clear();
    const datetime::WallTime& local = precise.local;
    year = local.year;
    month = static_cast<int16_t>(local.month);
    day = static_cast<int16_t>(local.day);
    hour = static_cast<int16_t>(local.hour);
    minute = static_cast<int16_t>(local.minute);
    second = static_cast<int16_t>(local.second);
    switch (precise.zone.kind) {
    case datetime::ZoneKind::Named: zoneText = precise.zone.name; break;
    case datetime::ZoneKind::FixedOffset: zoneText = datetime::OffsetText(precise.offsetSeconds); break;
    case datetime::ZoneKind::LocalMeanTime:
        meanTimeTicked = true;
        longitudeText = display::LongitudeText(precise.zone.longitude);
        break;
    }
    // A clock time the zone had twice opens with the offset it was given with.
    const platform::Result<datetime::WallTimeOffsets> offsets =
        precise.zone.kind == datetime::ZoneKind::Named
            ? datetime::OffsetsAtWallTime(precise.zone.name, local, language)
            : platform::Result<datetime::WallTimeOffsets>(datetime::WallTimeOffsets{});
    if (offsets && offsets.value().kind != datetime::WallTimeKind::Unique)
        choice = precise.offsetSeconds == offsets.value().first ? OffsetChoice::BeforeChange : OffsetChoice::AfterChange;
}

void MomentDialog::FillFromRow(const Workspace& program, size_t r, const platform::Clock& clock)
{
    const MainModel& main = program.main;
    // The row's date, or the world date's when the row has none.
    year = 2000;
    month = 1;
    day = 1;
    for (const size_t from : {r, size_t{0}}) {
        int32_t typedYear = 0;
        const std::string digits = datetime::CleanedYear(main.yearTexts[from]);
        std::from_chars(digits.data(), digits.data() + digits.size(), typedYear);
        const int16_t m = main.monthLists[from].ListIndex();
        const int16_t d = main.dayLists[from].ListIndex();
        const date::year_month_day date{date::year(typedYear), date::month(static_cast<unsigned>(std::max<int16_t>(m, 0))),
                                         date::day(static_cast<unsigned>(std::max<int16_t>(d, 0)))};
        if (typedYear >= datetime::kFirstYear && typedYear <= datetime::kLastYear && date.ok()) {
            year = typedYear;
            month = m;
            day = d;
            break;
        }
    }
    const int16_t halfHour = main.halfHourLists[r].ListIndex();
    second = 0;
    const int32_t minutes = halfHour >= 1 && halfHour <= datetime::kNumHalfHours ? (halfHour - 1) * 30 : 12 * 60;
    hour = static_cast<int16_t>(minutes / 60);
    minute = static_cast<int16_t>(minutes % 60);
    // The computer's own zone by its name where the row shows no zone, or an offset that zone had then
    // (its summer time too); otherwise the offset the row shows, or the computer's in the lists.
    const platform::ComboBoxModel& zones = main.zoneLists[r];
    const int32_t listOffset = zones.SelectedItemData() * 60;
    const std::optional<datetime::PreciseMoment> now = datetime::ClockMoment(clock);
    bool computerZone = now && now->zone.kind == datetime::ZoneKind::Named;
    if (computerZone && zones.ListIndex() > 0) {
        const platform::Result<datetime::WallTimeOffsets> offsets =
            datetime::OffsetsAtWallTime(now->zone.name, Wall(), program.language);
        computerZone = offsets && (offsets.value().first == listOffset || offsets.value().second == listOffset);
    }
    if (computerZone)
        zoneText = now->zone.name;
    else
        zoneText = datetime::OffsetText(zones.ListIndex() > 0 ? listOffset : main.ComputerZone() * 60);
}

datetime::WallTime MomentDialog::Wall() const
{
    return datetime::WallTime{year, month, day, hour, minute, second};
}

platform::Result<datetime::MomentZone> MomentDialog::Zone(const text::Language& language) const
{
    if (!meanTimeTicked)
        return datetime::ParseMomentZone(text::Trimmed(zoneText), language);
    const std::optional<double> longitude = ParseLongitude(longitudeText);
    if (!longitude)
        return platform::Result<datetime::MomentZone>(
            platform::ErrorCode::InvalidInput,
            platform::Message::Information(language.Text(text::kTextMomentTitle),
                                           language.TextWithReplacements(text::kTextMomentBadLongitude, longitudeText)));
    return platform::Result<datetime::MomentZone>(datetime::MomentZone::MeanTime(*longitude));
}

MomentReading MomentDialog::Read(const text::Language& language) const
{
    MomentReading reading;
    const platform::Result<datetime::MomentZone> zone = Zone(language);
    if (!zone) {
        reading.text = zone.error().text;
        return reading;
    }
    const auto inEffect = [&language](int32_t offset) {
        return language.TextWithReplacements(text::kTextMomentInEffect, datetime::OffsetText(offset));
    };
    if (zone.value().kind != datetime::ZoneKind::Named) {
        reading.text = inEffect(zone.value().offsetSeconds);
        return reading;
    }
    const std::string& name = zone.value().name;
    const platform::Result<datetime::WallTimeOffsets> offsets = datetime::OffsetsAtWallTime(name, Wall(), language);
    if (!offsets) {
        reading.text = offsets.error().text;
        return reading;
    }
    const datetime::WallTimeOffsets& o = offsets.value();
    if (o.kind == datetime::WallTimeKind::Unique) {
        reading.text = inEffect(o.first);
        return reading;
    }
    const std::string clock = display::ClockText(hour, minute);
    reading.text = language.TextWithReplacements(
        o.kind == datetime::WallTimeKind::Skipped ? text::kTextMomentGap : text::kTextMomentRepeated, clock, name);
    reading.twoOffsets = true;
    reading.choices = {language.TextWithReplacements(text::kTextMomentBefore, datetime::OffsetText(o.first)),
                       language.TextWithReplacements(text::kTextMomentAfter, datetime::OffsetText(o.second))};
    return reading;
}

platform::Result<datetime::PreciseMoment> MomentDialog::Resolve(const text::Language& language) const
{
    using Resolved = platform::Result<datetime::PreciseMoment>;
    // The date input's refusals come without a title; in the dialog they carry its name.
    const auto refused = [&language](const platform::Message& message) {
        platform::Message titled = message;
        if (titled.title.empty())
            titled.title = language.Text(text::kTextMomentTitle);
        return Resolved(platform::ErrorCode::InvalidInput, std::move(titled));
    };
    const platform::Result<datetime::MomentZone> zone = Zone(language);
    if (!zone)
        return refused(zone.error());
    std::optional<int32_t> chosen;
    bool skipped = false;
    if (zone.value().kind == datetime::ZoneKind::Named) {
        const platform::Result<datetime::WallTimeOffsets> offsets =
            datetime::OffsetsAtWallTime(zone.value().name, Wall(), language);
        if (!offsets)
            return refused(offsets.error());
        const datetime::WallTimeOffsets& o = offsets.value();
        if (o.kind != datetime::WallTimeKind::Unique) {
            if (choice == OffsetChoice::None)
                return Resolved(platform::ErrorCode::InvalidInput,
                                platform::Message::Information(language.Text(text::kTextMomentTitle),
                                                               language.Text(text::kTextMomentChooseOffset)));
            chosen = choice == OffsetChoice::BeforeChange ? o.first : o.second;
            skipped = o.kind == datetime::WallTimeKind::Skipped;
        }
    }
    // A clock time the zone skipped is read with the offset the user chose, and stays in the named zone.
    platform::Result<datetime::PreciseMoment> precise =
        skipped ? datetime::ResolveWallTime(Wall(), datetime::MomentZone::Fixed(*chosen), std::nullopt, language)
                : datetime::ResolveWallTime(Wall(), zone.value(), chosen, language);
    if (!precise)
        return refused(precise.error());
    datetime::PreciseMoment moment = std::move(precise).value();
    if (skipped) {
        moment.zone = zone.value();
        moment.typed = datetime::PreciseMomentIso(moment);
    }
    return Resolved(std::move(moment));
}

platform::Result<void> MomentDialog::Accept(Workspace& program) const
{
    platform::Result<datetime::PreciseMoment> moment = Resolve(program.language);
    if (!moment)
        return platform::Result<void>(moment.failure());
    SetPreciseMoment(program, m_row, std::move(moment).value());
    program.rowPlaces[At(m_row)] = place.Place();
    return {};
}

void MomentDialog::Remove(MainModel& main) const
{
    main.DropPreciseMoment(m_row);
}

}  // namespace orvane::app
