#include "display/positions_table.h"

#include "datetime/iso_dates.h"
#include "display/angle_texts.h"
#include "text/text_numbers.h"

#include <cmath>
#include <cstdio>

namespace orvane::display {
namespace {

constexpr const char* kNoPosition = "-";

std::string Radians(double angle, bool signedText)
{
    char text[32];
    std::snprintf(text, sizeof text, signedText ? "%+.6f" : "%.6f", angle);
    return text;
}

// "280°40'  10Cap40", or the longitude in radians.
std::string LongitudeText(const core::AstroTables& tables, const std::optional<double>& longitude, bool radians)
{
    if (!longitude)
        return kNoPosition;
    if (radians)
        return Radians(*longitude, false);
    return Rad2DegMin(*longitude) + "  " + ZodiacPositionText(tables, *longitude, false);
}

// "+12°34'" or "-0°05'", or the difference in radians.
std::string DifferenceText(const std::optional<double>& difference, bool radians)
{
    if (!difference)
        return kNoPosition;
    if (radians)
        return Radians(*difference, true);
    return (*difference < 0 ? "-" : "+") + Rad2DegMin(std::abs(*difference));
}

// "48.2082°N 16.3738°E".
std::string Coordinate(double degrees, char positive, char negative)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4f°%c", std::abs(degrees), degrees < 0 ? negative : positive);
    return text;
}

}  // namespace

PositionsTable MakePositionsTable(const std::optional<MomentPositions>& positions, const std::string& rowName,
                                  const core::AstroTables& tables, const text::Language& language, bool radians)
{
    PositionsTable table;
    table.headings = {language.Text(text::kTextPositionsColumnBody), language.Text(text::kTextPositionsColumnHelio),
                      language.Text(text::kTextPositionsColumnGeo),
                      language.Text(text::kTextPositionsColumnDifference)};
    table.conventions = language.Text(text::kTextPositionsConventions);
    if (!positions) {
        table.moment = language.Text(text::kTextPositionsNothing);
        return table;
    }
    table.moment = language.TextWithReplacements(text::kTextPositionsMoment, rowName,
                                                 datetime::IsoText(positions->moment, 0));
    for (const core::ComparedPosition& body : positions->bodies)
        table.rows.push_back({std::string(body.name), LongitudeText(tables, body.helio, radians),
                              LongitudeText(tables, body.geo, radians), DifferenceText(body.Difference(), radians)});
    if (positions->angles && positions->place) {
        const AnglesPlace& place = *positions->place;
        table.place = language.TextWithReplacements(text::kTextPositionsPlace, place.name,
                                                    Coordinate(place.latitude, 'N', 'S'),
                                                    Coordinate(place.longitude, 'E', 'W'));
        for (const auto& [name, longitude] : {std::pair{text::kTextAscendant, positions->angles->ascendant},
                                              std::pair{text::kTextMidheaven, positions->angles->midheaven}})
            table.rows.push_back({language.Text(name), kNoPosition, LongitudeText(tables, longitude, radians),
                                  kNoPosition});
    } else {
        table.place = language.Text(text::kTextPositionsNoPlace);
    }
    return table;
}

}  // namespace orvane::display
