#include "display/geo_ring.h"

#include "platform/index.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace orvane::display {
namespace {

// A run of neighbouring marks that stand `separation` apart about the mean of their own places.
struct Cluster {
    std::vector<size_t> members;  // indexes of the longitudes, in their order around the circle
    double centre = 0.0;          // the mean of the members' places, unwrapped to follow the first member

    double HalfSpan(double separation) const { return static_cast<double>(members.size() - 1) * separation / 2; }
};

// `angle` moved by whole turns into [from, from + 2π).
double Following(double angle, double from)
{
    return from + core::NormalizeAngle(angle - from);
}

// Joins `next` onto the end of `cluster`: the members follow on, the centre is the mean of all places.
void Join(Cluster& cluster, const Cluster& next)
{
    const double nextCentre = Following(next.centre, cluster.centre);
    const auto before = static_cast<double>(cluster.members.size());
    const auto added = static_cast<double>(next.members.size());
    cluster.centre = (cluster.centre * before + nextCentre * added) / (before + added);
    cluster.members.insert(cluster.members.end(), next.members.begin(), next.members.end());
}

// Whether `next`, the cluster after `cluster` around the circle, comes closer to it than `separation`.
bool Crowded(const Cluster& cluster, const Cluster& next, double separation)
{
    const double gap = Following(next.centre, cluster.centre) - cluster.centre - cluster.HalfSpan(separation) -
                       next.HalfSpan(separation);
    return gap < separation - 1e-12;
}

}  // namespace

std::vector<double> SpreadOnRing(const std::vector<double>& longitudes, double separation)
{
    const size_t n = longitudes.size();
    std::vector<double> shown(longitudes.size());
    std::transform(longitudes.begin(), longitudes.end(), shown.begin(), core::NormalizeAngle);
    if (n < 2 || static_cast<double>(n) * separation > core::kTwoPi)
        return shown;
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&shown](size_t a, size_t b) { return shown[a] < shown[b]; });
    std::vector<Cluster> ring;
    for (const size_t i : order)
        ring.push_back({{i}, shown[i]});
    // Neighbours too close join, around the circle, until no two are: each join leaves one cluster less.
    for (bool joined = true; joined && ring.size() > 1;) {
        joined = false;
        for (size_t k = 0; k < ring.size() && ring.size() > 1; ++k) {
            const size_t next = (k + 1) % ring.size();
            if (!Crowded(ring[k], ring[next], separation))
                continue;
            Join(ring[k], ring[next]);
            ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(next));
            joined = true;
            break;
        }
    }
    for (const Cluster& cluster : ring)
        for (size_t j = 0; j < cluster.members.size(); ++j)
            shown[cluster.members[j]] = core::NormalizeAngle(cluster.centre - cluster.HalfSpan(separation) +
                                                             static_cast<double>(j) * separation);
    return shown;
}

double RingGlyphRadius(ChartKind kind)
{
    return GeometryOf(kind).circleRadius + kRingGlyphDistance;
}

double RingTickRadius(ChartKind kind)
{
    return GeometryOf(kind).circleRadius + kRingTickLength;
}

double RingSeparation(ChartKind kind)
{
    // Two glyph widths' chord on the ring, with a twentieth to spare.
    return 2.1 * std::asin(kRingGlyphHalf / RingGlyphRadius(kind));
}

GeoRing MakeGeoRing(const MomentPositions& positions, const core::AstroTables& tables,
                    const text::Language& language, ChartKind kind)
{
    GeoRing ring;
    ring.legend = language.Text(text::kTextRingLegend);
    for (const core::ComparedPosition& position : positions.bodies) {
        const std::optional<core::GeoBody> body = core::GeoBodyNamed(position.name);
        if (!body || !position.geo)
            continue;
        // The Sun's glyph is the one at the heliocentric chart's centre.
        const std::optional<core::Body> helio = core::HelioBodyOf(*body);
        if (*body == core::GeoBody::Moon)
            ring.marks.push_back({RingMark::Kind::Moon, "", *position.geo, 0.0});
        else
            ring.marks.push_back({RingMark::Kind::Body,
                                  tables.bodyGlyphs[helio ? core::SlotOf(*helio) : platform::At(core::kMaxBodyIndex)],
                                  *position.geo, 0.0});
    }
    if (positions.angles) {
        ring.marks.push_back({RingMark::Kind::Angle, language.Text(text::kTextRingAscendant),
                              positions.angles->ascendant, 0.0});
        ring.marks.push_back({RingMark::Kind::Angle, language.Text(text::kTextRingMidheaven),
                              positions.angles->midheaven, 0.0});
    }
    std::vector<double> longitudes;
    for (const RingMark& mark : ring.marks)
        longitudes.push_back(mark.longitude);
    const std::vector<double> shown = SpreadOnRing(longitudes, RingSeparation(kind));
    for (size_t i = 0; i < shown.size(); ++i)
        ring.marks[i].shownAt = shown[i];
    return ring;
}

int32_t PictureMargin(const ChartData& data)
{
    return data.geoRing ? kRingMargin : 0;
}

}  // namespace orvane::display
