#include "core/aspect_span.h"

#include "core/positions.h"
#include "platform/moment.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace orvane::core {
namespace {

enum class Direction { Back, Forward };

// The deviation |separation − aspect angle| of two bodies whose longitudes differ by `difference`.
double DeviationOfDifference(double difference, double angle)
{
    double x = std::fmod(difference, kTwoPi);
    if (x < 0.0)
        x += kTwoPi;
    return std::fabs(std::min(x, kTwoPi - x) - angle);
}

// What the search knows of the trial days it has not computed, from the days it did compute. Two bounds
// hold at once, and the narrower range counts:
// - the deviation moves by at most the pair's greatest daily change of separation a day;
// - when every moving body is a slow one, the difference of the longitudes runs on at the mean rate
//   between the last two computed days, give or take what the bodies' greatest daily acceleration and
//   the longitudes' rounding allow over the days since (see GreatestDailyAcceleration).
// A trial whose in-orb test and step follow from that range for certain need not be computed.
class DeviationBound {
public:
    DeviationBound(const AstroModule& astro, Body p1, Body p2, Aspect a, int16_t k,
                   bool firstFixed)
    {
        if (k < 0 || k >= kOrbColumns)
            return;  // no trial is known beforehand
        m_rate = GreatestDailySeparationChange(p1, p2, firstFixed);
        m_orb = astro.orbs.Orb(a, k);
        m_angle = astro.tables.aspectAngles[SlotOf(a)];
        const double a2 = GreatestDailyAcceleration(p2);
        const double a1 = firstFixed ? 0.0 : GreatestDailyAcceleration(p1);
        m_acceleration = a2 > 0.0 && (firstFixed || a1 > 0.0) ? a1 + a2 : -1.0;
        // A natal longitude is the same number at every trial.
        m_rounding = LongitudeRounding(p2) + (firstFixed ? 0.0 : LongitudeRounding(p1));
    }

    // The trial at `day` found the bodies `difference` (L1 − L2) apart and the aspect in orb.
    void Anchor(double day, double difference)
    {
        m_earlier = m_last;
        m_last = {day, difference, DeviationOfDifference(difference, m_angle), true};
    }

    // The step the search takes from `day`, 1 day, or for a slow pair as many as its exactness asks for
    // (floor(10 · exactness) + 1): the same step a computation at `day` would give. 0 when the bounds
    // cannot tell, or the aspect might have left its orb by then: `day` must then be computed.
    double KnownStep(double day, bool slowPair) const
    {
        if (!m_last.set || m_rate <= 0.0)
            return 0.0;
        const double days = std::fabs(day - m_last.day);
        const double drift = m_rate * days + kLongitudeRoundingSlack;
        double lowest = m_last.deviation - drift;
        double highest = m_last.deviation + drift;
        const double span = std::fabs(m_last.day - m_earlier.day);
        if (m_acceleration >= 0.0 && m_earlier.set && span > 0.0 && m_rate * span < kPi) {
            // The change between the two computed days, the shorter way round.
            double change = std::fmod(m_last.difference - m_earlier.difference, kTwoPi);
            if (change > kPi)
                change -= kTwoPi;
            else if (change < -kPi)
                change += kTwoPi;
            const double expected = m_last.difference + change / (m_last.day - m_earlier.day) * (day - m_last.day);
            const double doubt = m_acceleration * (days * days / 2.0 + span * days) +
                                 m_rounding * (2.0 * days / span + 2.0) + kArithmeticSlack;
            const double deviation = DeviationOfDifference(expected, m_angle);
            lowest = std::max(lowest, deviation - doubt);
            highest = std::min(highest, deviation + doubt);
        }
        if (!WithinOrb(highest, m_orb))
            return 0.0;
        if (!slowPair)
            return 1.0;
        const double least = std::floor(10.0 * ((m_orb - highest) / m_orb));
        const double most = std::floor(10.0 * ((m_orb - lowest) / m_orb));
        return least == most ? least + 1.0 : 0.0;
    }

private:
    // The rounding of the few operations that turn longitudes into a deviation.
    static constexpr double kArithmeticSlack = 1.0e-12;

    struct Trial {
        double day = 0.0;
        double difference = 0.0;
        double deviation = 0.0;
        bool set = false;
    };

    double m_rate = 0.0;
    double m_orb = 0.0;
    double m_angle = 0.0;
    double m_acceleration = -1.0;  // negative: the second bound does not apply
    double m_rounding = 0.0;
    Trial m_last;
    Trial m_earlier;
};

// The longitudes the searches of one report compute, kept by body and moment: they step over the same
// local midnights, and a body is in several aspects, so each longitude is computed once. The moments
// jump from one aspect's days to the next, and each jump costs the ephemeris a fresh read.
class DayLongitudes {
public:
    explicit DayLongitudes(const AstroModule& astro) : m_astro(astro) {}

    double At(Body body, double moment)
    {
        const auto [known, fresh] = m_known.try_emplace(std::pair(SlotOf(body), moment), 0.0);
        if (fresh)
            known->second = m_astro.HelioLongitude(body, moment);
        return known->second;
    }

private:
    const AstroModule& m_astro;
    std::map<std::pair<int, double>, double> m_known;
};

// Steps from the world date's local day in whole days until the aspect is found outside the orb at a
// local midnight. The trial day is kept as a whole number and the trial moment derived from it, so that
// the day handed back is exact whatever the zone offset.
//
// Aspects last from days to decades, and most trials only confirm what is certain: the deviation moves
// by a bounded amount a day (DeviationBound), so from the computed trials the next ones are known to stay
// in orb, and a slow pair's steps known, until the bound could reach the orb's edge (or, for a slow pair,
// the next step size). Those trials are counted and stepped over without computing
// positions; near the edge each day is computed. The days tried, the trial count and the day found are
// those of computing every trial. A body without a position on a day passed over has none on the days
// beyond either (the ephemeris and Pluto's table each cover one span of time), so such a search still
// ends with an unknown day.
std::optional<DayNumber> SearchAspectEdge(const AstroModule& astro, DayLongitudes& longitudes,
                                          const AspectSpanContext& context, Body p1, Body p2, Aspect a, int16_t k,
                                          Direction direction)
{
    if (context.worldLocalDay < 0.0)
        return std::nullopt;  // the world date row holds no date

    double L1 = 0.0;
    if (context.isPersonalTransits) {
        if (context.natalMoment < 0.0)
            return std::nullopt;  // the birthdate row holds no moment
        L1 = astro.HelioLongitude(p1, context.natalMoment);
    }

    const int32_t zoneSeconds = context.zoneOffsetMinutes * 60;
    const double worldDay = std::floor(context.worldLocalDay);
    // The beginning is sought from the midnight that starts the world date, the end from the next one.
    double day = direction == Direction::Back ? worldDay : worldDay + 1.0;
    const double sense = direction == Direction::Back ? -1.0 : 1.0;
    // Aspects between the three outermost bodies last for years: near exactness they are passed over in
    // steps of up to eleven days.
    const bool slowPair = p1 >= Body::Uranus && p2 >= Body::Uranus;
    DeviationBound bound(astro, p1, p2, a, k, context.isPersonalTransits);

    for (int32_t trial = 0; trial < context.lngMaxTrials; ++trial) {
        if (const double known = bound.KnownStep(day, slowPair); known > 0.0) {
            day += sense * known;
            continue;
        }
        const double t = platform::MomentOfLocalDay(day, zoneSeconds);  // the local midnight that starts `day`
        if (!context.isPersonalTransits)
            L1 = longitudes.At(p1, t);
        const double L2 = longitudes.At(p2, t);
        if (L1 < 0.0 || L2 < 0.0)
            return std::nullopt;

        const std::optional<double> exactness = astro.ExactnessOfAspect(L1, L2, a, k);
        if (!exactness)
            return static_cast<DayNumber>(direction == Direction::Back ? day : day - 1.0);
        bound.Anchor(day, L1 - L2);

        const double step = slowPair ? std::floor(10.0 * *exactness) + 1.0 : 1.0;
        day += sense * step;
    }
    return std::nullopt;
}

}  // namespace

AspectSpanContext MakeAspectSpanContext(core::Mode currentMode, const std::array<double, 3>& moments,
                                        double worldLocalDayNumber, int16_t zoneMinutes)
{
    AspectSpanContext context;
    context.isPersonalTransits = IsPersonalTransitMode(currentMode);
    context.worldLocalDay = worldLocalDayNumber;
    context.natalMoment = currentMode == Mode::PersonalTransits1st ? moments[1] : moments[2];
    context.zoneOffsetMinutes = zoneMinutes;
    return context;
}

std::optional<DayNumber> BeginningOfAspect(const AstroModule& astro, const AspectSpanContext& context, Body p1,
                                           Body p2, Aspect a, int16_t k)
{
    DayLongitudes longitudes(astro);
    return SearchAspectEdge(astro, longitudes, context, p1, p2, a, k, Direction::Back);
}

std::optional<DayNumber> EndOfAspect(const AstroModule& astro, const AspectSpanContext& context, Body p1,
                                     Body p2, Aspect a, int16_t k)
{
    DayLongitudes longitudes(astro);
    return SearchAspectEdge(astro, longitudes, context, p1, p2, a, k, Direction::Forward);
}

namespace {

// The two bodies of a record and their longitudes at the moments of the mode.
struct RecordPair {
    Body p1 = Body::Earth;
    Body p2 = Body::Earth;
    double L1 = 0.0;
    double L2 = 0.0;
};

// The record names the row body first, the natal body in personal transits; in synastry the 1st
// birthdate's body, which stands in the column.
RecordPair PairOf(const AstroModule& astro, const DurationGrid& grid, const AspectSpanContext& context,
                  const AspectFound& found)
{
    RecordPair pair;
    if (!IsTwoDateMode(grid.currentMode)) {
        pair.p1 = found.body1;
        pair.p2 = found.body2;
        const double M = grid.moments[static_cast<size_t>(OneDateRow(grid.currentMode))];
        pair.L1 = astro.HelioLongitude(pair.p1, M);
        pair.L2 = astro.HelioLongitude(pair.p2, M);
    } else if (IsPersonalTransitMode(grid.currentMode)) {
        pair.p1 = found.body1;
        pair.p2 = found.body2;
        pair.L1 = astro.HelioLongitude(pair.p1, context.natalMoment);
        pair.L2 = astro.HelioLongitude(pair.p2, grid.moments[0]);
    } else {
        pair.p1 = found.body2;
        pair.p2 = found.body1;
        pair.L1 = astro.HelioLongitude(pair.p1, grid.moments[1]);
        pair.L2 = astro.HelioLongitude(pair.p2, grid.moments[2]);
    }
    return pair;
}

// One duration record: the bodies, the aspect, its deviation and, for transits, the beginning and end.
DurationRecord RecordOf(const AstroModule& astro, DayLongitudes& longitudes, const AspectSpanContext& context,
                        const RecordPair& pair, Aspect a, int16_t k, bool fixedMoments)
{
    DurationRecord record;
    record.first = pair.p1;
    record.second = pair.p2;
    record.aspect = a;
    record.deviationMicroradians = MicroradiansOf(astro.Deviation(pair.L1, pair.L2, a));
    if (!fixedMoments) {
        record.dated = true;
        record.beginning = SearchAspectEdge(astro, longitudes, context, pair.p1, pair.p2, a, k, Direction::Back);
        record.ending = SearchAspectEdge(astro, longitudes, context, pair.p1, pair.p2, a, k, Direction::Forward);
    }
    return record;
}

}  // namespace

std::optional<int32_t> DurationRecord::Days() const
{
    if (!beginning || !ending)
        return std::nullopt;
    return *ending - *beginning + 1;
}

int32_t MicroradiansOf(double radians)
{
    // radians · 10⁶ is q + error exactly (the error of a product is a double, which fma finds); the
    // fraction of q is exact, and against a half its sign wins over the error unless it is 0.
    constexpr double kMillion = 1.0e6;
    const double q = radians * kMillion;
    const double error = std::fma(radians, kMillion, -q);
    const double whole = std::floor(q);
    const double beyondHalf = (q - whole) - 0.5;
    const bool up = beyondHalf > 0.0 ||
                    (beyondHalf == 0.0 && (error > 0.0 || (error == 0.0 && std::fmod(whole, 2.0) != 0.0)));
    return static_cast<int32_t>(up ? whole + 1.0 : whole);
}

std::vector<DurationRecord> GetDurations(const AstroModule& astro, const DurationGrid& grid)
{
    std::vector<DurationRecord> records;
    if (grid.currentMode < Mode::WorldTransits || grid.currentMode > Mode::Synastry)
        return records;

    const int16_t k = IsTwoDateMode(grid.currentMode) ? kOrbColumnPersonal : kOrbColumnOneMoment;
    const AspectSpanContext context = MakeAspectSpanContext(grid.currentMode, grid.moments,
                                                            grid.worldLocalDay, grid.zoneOffsetMinutes);
    const bool fixedMoments = IsNatalMode(grid.currentMode) || grid.currentMode == Mode::Synastry;
    records.reserve(grid.aspects.size());
    DayLongitudes longitudes(astro);
    for (const AspectFound& found : grid.aspects)
        records.push_back(RecordOf(astro, longitudes, context, PairOf(astro, grid, context, found), found.aspect, k,
                                   fixedMoments));
    return records;
}

}  // namespace orvane::core
