#include "core/geocentric.h"

#include <cmath>

namespace orvane::core {
namespace {

constexpr std::array<std::string_view, platform::kNumGeoBodies> kNames{
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};
constexpr std::array<std::string_view, platform::kNumGeoBodies> kAbbrevs{"Su", "Mo", "Me", "Ve", "Ma",
                                                                         "Ju", "Sa", "Ur", "Ne", "Pl"};

constexpr size_t Slot(GeoBody body)
{
    return static_cast<size_t>(body);
}

bool SameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

std::string_view GeoBodyName(GeoBody body)
{
    return kNames[Slot(body)];
}

std::string_view GeoBodyAbbrev(GeoBody body)
{
    return kAbbrevs[Slot(body)];
}

std::optional<GeoBody> GeoBodyNamed(std::string_view name)
{
    for (const GeoBody body : platform::kGeoBodies)
        if (SameLetters(name, GeoBodyName(body)) || SameLetters(name, GeoBodyAbbrev(body)))
            return body;
    return std::nullopt;
}

std::optional<Body> HelioBodyOf(GeoBody body)
{
    // Mercury … Pluto follow each other in both orders; the Earth's slot comes before Mercury.
    if (body == GeoBody::Sun || body == GeoBody::Moon)
        return std::nullopt;
    return static_cast<Body>(IndexOf(Body::Mercury) + static_cast<int>(Slot(body)) - static_cast<int>(Slot(GeoBody::Mercury)));
}

std::optional<GeoBody> GeoBodyOf(Body body)
{
    if (body == Body::Earth)
        return std::nullopt;
    return static_cast<GeoBody>(Slot(GeoBody::Mercury) + SlotOf(body) - SlotOf(Body::Mercury));
}

std::optional<double> ComparedPosition::Difference() const
{
    if (!helio || !geo)
        return std::nullopt;
    return std::remainder(*geo - *helio, kTwoPi);
}

std::optional<std::array<ComparedPosition, kNumComparedBodies>>
ComparePerspectives(const PlutoTable& pluto, double moment, platform::Convention helio, platform::Convention geo)
{
    std::array<ComparedPosition, kNumComparedBodies> rows;
    size_t row = 0;
    const auto geoOf = [&](GeoBody body) -> std::optional<double> {
        return platform::GeoLongitudeIn(body, moment, geo);
    };
    for (const GeoBody body : {GeoBody::Sun, GeoBody::Moon}) {
        rows[row] = {GeoBodyName(body), std::nullopt, geoOf(body)};
        if (!rows[row++].geo)
            return std::nullopt;
    }
    for (const Body body : kBodies) {
        const Position position = PositionOf(HelioLongitude(pluto, body, moment, helio));
        if (!position.longitude && position.missing == NoPosition::NoEphemeris)
            return std::nullopt;
        const std::optional<GeoBody> seen = GeoBodyOf(body);
        rows[row] = {seen ? GeoBodyName(*seen) : std::string_view("Earth"), position.longitude,
                     seen ? geoOf(*seen) : std::nullopt};
        if (seen && !rows[row].geo)
            return std::nullopt;
        ++row;
    }
    return rows;
}

}  // namespace orvane::core
