// The geocentric perspective of positions and ephemeris, and the two perspectives side by side.

#include "cli/session.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "core/geo_angles.h"
#include "datetime/iso_dates.h"
#include "display/calendar_file.h"
#include "display/angle_texts.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <string_view>
#include <vector>
#include <cstdio>
#include <ostream>

namespace orvane::cli {
namespace {

constexpr size_t kNameWidth = 10;
constexpr size_t kPlaceWidth = 24;

// "280.674753 10°40' Cap": the longitude in degrees and its zodiac place; "-" for none.
std::string PlaceText(const core::AstroTables& tables, std::optional<double> longitude)
{
    if (!longitude)
        return "-";
    return Fixed6(*longitude / core::kTwoPi * 360.0) + " " + display::ZodiacPositionText(tables, *longitude, false);
}

// "Sun 280.368919 280°22' 10Cap22": a line of positions.
std::string PositionLine(const core::AstroTables& tables, std::string_view name, double longitude)
{
    return std::string(name) + " " + Fixed6(longitude / core::kTwoPi * 360.0) + " " + display::Rad2DegMin(longitude) +
           " " + display::ZodiacPositionText(tables, longitude, false) + "\n";
}

// The angles' names, the same in every language as the bodies' are.
const std::string_view kAscendant = core::GeoAngleName(core::GeoAngle::Ascendant);
const std::string_view kMidheaven = core::GeoAngleName(core::GeoAngle::Midheaven);

}  // namespace

std::optional<platform::Angles> Session::PlaceAngles(double moment) const
{
    if (!m_line.latitude || !m_line.longitude)
        return std::nullopt;
    return platform::AnglesAt(moment, *m_line.latitude, *m_line.longitude);
}

int Session::GeocentricPositions(double moment)
{
    const core::AstroModule& astro = m_program.astro;
    std::string lines;
    for (const core::GeoBody body : platform::kGeoBodies) {
        const std::optional<double> longitude = platform::GeoLongitudeIn(body, moment, m_line.geoConvention);
        if (!longitude) {
            m_err << OwnText(text::kTextMomentOutOfRange, m_line.language, MomentText(moment)) << '\n';
            return kExitBadInput;
        }
        lines += PositionLine(astro.tables, core::GeoBodyName(body), *longitude);
    }
    if (const std::optional<platform::Angles> angles = PlaceAngles(moment))
        lines += PositionLine(astro.tables, kAscendant, angles->ascendant) +
                 PositionLine(astro.tables, kMidheaven, angles->midheaven);
    m_out << HeadingLine(Words().heading, m_line.language) << '\n' << lines;
    return kExitSuccess;
}

int Session::ComparedPositions(double moment)
{
    const core::AstroModule& astro = m_program.astro;
    const auto rows = core::ComparePerspectives(astro.pluto, moment, m_line.convention, m_line.geoConvention);
    if (!rows) {
        m_err << OwnText(text::kTextMomentOutOfRange, m_line.language, MomentText(moment)) << '\n';
        return kExitBadInput;
    }
    const TableHeading helio{m_line.convention, m_line.zone, m_line.zoneName};
    const TableHeading geo{m_line.geoConvention, m_line.zone, m_line.zoneName, core::Perspective::Geocentric};
    m_out << HeadingLine(helio, m_line.language) << '\n' << HeadingLine(geo, m_line.language) << '\n';
    WriteTextLine(m_out, PaddedText(OwnText(text::kTextColumnBody, m_line.language), kNameWidth) + "  " +
                             PaddedText(OwnText(text::kTextColumnHeliocentric, m_line.language), kPlaceWidth) + "  " +
                             PaddedText(OwnText(text::kTextColumnGeocentric, m_line.language), kPlaceWidth) + "  " +
                             OwnText(text::kTextColumnDifference, m_line.language));
    std::vector<core::ComparedPosition> all(rows->begin(), rows->end());
    if (const std::optional<platform::Angles> angles = PlaceAngles(moment)) {
        all.push_back({kAscendant, std::nullopt, angles->ascendant});
        all.push_back({kMidheaven, std::nullopt, angles->midheaven});
    }
    for (const core::ComparedPosition& row : all) {
        std::string difference = "-";
        if (const std::optional<double> d = row.Difference()) {
            char text[32];
            std::snprintf(text, sizeof text, "%+.6f°", *d / core::kTwoPi * 360.0);
            difference = text;
        }
        WriteTextLine(m_out, PaddedText(std::string(row.name), kNameWidth) + "  " +
                                 PaddedText(PlaceText(astro.tables, row.helio), kPlaceWidth) + "  " +
                                 PaddedText(PlaceText(astro.tables, row.geo), kPlaceWidth) + "  " + difference);
    }
    return kExitSuccess;
}

void Session::GeocentricEphemeris(double from, double to)
{
    TableWriter writer(m_out, m_line.format, m_program.astro.tables, Words());
    writer.SetColumns(m_line.columns);
    std::vector<std::string> names;
    for (const core::GeoBody body : platform::kGeoBodies)
        names.emplace_back(core::GeoBodyName(body));
    writer.SetBodyNames(std::move(names));
    writer.BeginPositions();
    ForEachStep(from, to, [&](double t) {
        std::array<double, platform::kNumGeoBodies> longitudes{};
        std::array<std::optional<platform::HelioState>, platform::kNumGeoBodies> states;
        for (size_t slot = 0; slot < platform::kGeoBodies.size(); ++slot) {
            const core::GeoBody body = platform::kGeoBodies[slot];
            if (m_line.columns != 0)
                states[slot] = platform::GeoStateIn(body, t, m_line.geoConvention, true);
            const std::optional<double> longitude =
                states[slot] ? std::optional(states[slot]->longitude)
                             : platform::GeoLongitudeIn(body, t, m_line.geoConvention);
            longitudes[slot] = longitude.value_or(core::kUnknownBody);
        }
        writer.PositionRow(t, longitudes, states);
    });
    writer.End();
}

int Session::GeocentricEvents(core::Mode mode, double from, double to)
{
    const bool chartOptions = mode != core::Mode::WorldTransits || m_line.windows || !m_line.filter.degrees.empty() ||
                              std::any_of(m_line.filter.orbs.begin(), m_line.filter.orbs.end(),
                                          [](double orb) { return orb >= 0.0; });
    if (chartOptions) {
        m_err << OwnText(text::kTextGeocentricWorldEvents, m_line.language) << '\n'
              << OwnText(text::kTextHelpHint, m_line.language, "orvane-cli events --help") << '\n';
        return kExitUsage;
    }
    core::GeoEventFilter filter = m_line.geoFilter;
    filter.aspects = m_line.filter.aspects;
    // A place adds its angles' events to the default kinds; chosen kinds stay as chosen.
    filter.place = Place();
    if (filter.place && !m_line.kindsChosen)
        filter.kinds = static_cast<uint8_t>(filter.kinds | 1u << static_cast<int>(core::GeoEventKind::Angle));
    bool computed = false;
    if (m_line.format == TableFormat::Ics) {
        if (const int code = CalendarSpanMistake(from); code != kExitSuccess)
            return code;
        display::CalendarWriter writer(m_out, m_program.astro.tables, display::CalendarWordsOf(m_program.language),
                                       m_environment.nowMoment);
        writer.Begin();
        computed = core::FindGeoEvents(from, to, m_line.geoConvention, filter, [&](const core::GeoEvent& event) {
            writer.GeoEvent(event);
            return static_cast<bool>(m_out);
        });
        writer.End();
    } else {
        TableWriter writer(m_out, m_line.format, m_program.astro.tables, Words(mode));
        writer.BeginEvents();
        computed = core::FindGeoEvents(from, to, m_line.geoConvention, filter, [&](const core::GeoEvent& event) {
            writer.GeoEventRow(event);
            return static_cast<bool>(m_out);
        });
        writer.End();
    }
    if (!computed) {
        m_err << OwnText(text::kTextMomentOutOfRange, m_line.language, MomentText(from)) << '\n';
        return kExitBadInput;
    }
    return kExitSuccess;
}

}  // namespace orvane::cli
