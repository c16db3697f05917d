#include "core/aspect_span.h"

#include "core/positions.h"
#include "platform/moment.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
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

// The difference of two longitudes, or of its change, the shorter way round: −π … π.
double ShorterWay(double change)
{
    change = std::fmod(change, kTwoPi);
    if (change > kPi)
        return change - kTwoPi;
    if (change < -kPi)
        return change + kTwoPi;
    return change;
}

// What the search knows of the trial days it has not computed, from the days it did compute. Three bounds
// hold at once, and the narrowest range counts:
// - the deviation moves by at most the pair's greatest daily change of separation a day;
// - the difference of the longitudes runs on at the mean rate between the last two computed days, give
//   or take what the bodies' greatest daily acceleration and the longitudes' rounding allow over the
//   days since;
// - the difference lies on the parabola through the last three computed days, give or take what the
//   bodies' greatest daily jerk and the rounding allow (see GreatestDailyAcceleration).
// A trial whose in-orb test and step follow from that range for certain need not be computed.
class DeviationBound {
public:
    DeviationBound(const AstroModule& astro, Body p1, Body p2, Aspect a, int16_t k, bool firstFixed)
    {
        if (k < 0 || k >= kOrbColumns)
            return;  // no trial is known beforehand
        m_rate = GreatestDailySeparationChange(p1, p2, firstFixed);
        m_orb = astro.orbs.Orb(a, k);
        m_angle = astro.tables.aspectAngles[SlotOf(a)];
        m_acceleration = GreatestDailyAcceleration(p2) + (firstFixed ? 0.0 : GreatestDailyAcceleration(p1));
        m_jerk = GreatestDailyJerk(p2) + (firstFixed ? 0.0 : GreatestDailyJerk(p1));
        // A natal longitude is the same number at every trial.
        m_rounding = LongitudeRounding(p2) + (firstFixed ? 0.0 : LongitudeRounding(p1));
        m_slack = kLongitudeRoundingSlack;
        // Against a natal longitude the moving body's nutation of date does not cancel.
        if (firstFixed && astro.convention.frame == platform::Frame::OfDate) {
            m_acceleration += kNutationLeadingAcceleration;
            m_jerk += kNutationLeadingJerk;
            m_rounding += kNutationBeyondLeadingTerm;
            m_slack += 2.0 * kNutationBeyondLeadingTerm;
        }
    }

    // The trial at `day` found the bodies `difference` (L1 − L2) apart and the aspect in orb.
    void Anchor(double day, double difference)
    {
        m_first = m_earlier;
        m_earlier = m_last;
        m_last = {day, difference, DeviationOfDifference(difference, m_angle), true};
        // The earlier differences as changes from the last one, the shorter way round, when the bodies
        // cannot have turned half a turn against each other since.
        m_earlierChange = Unwrappable(m_earlier) ? std::optional(ShorterWay(m_earlier.difference - difference))
                                                 : std::nullopt;
        m_firstChange = m_earlierChange && Unwrappable(m_first)
                            ? std::optional(ShorterWay(m_first.difference - difference))
                            : std::nullopt;
    }

    // The step the search takes from `day`, 1 day, or for a slow pair as many as its exactness asks for
    // (floor(10 · exactness) + 1): the same step a computation at `day` would give. 0 when the bounds
    // cannot tell, or the aspect might have left its orb by then: `day` must then be computed. The
    // bounds are taken from the narrowest, and the wider ones only when it cannot tell.
    double KnownStep(double day, bool slowPair) const
    {
        if (!m_last.set || m_rate <= 0.0)
            return 0.0;
        Range range = QuadraticRange(day);
        if (const double step = StepWithin(range, slowPair); step > 0.0)
            return step;
        range = range.Within(LinearRange(day));
        if (const double step = StepWithin(range, slowPair); step > 0.0)
            return step;
        return StepWithin(range.Within(RateRange(day)), slowPair);
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

    // The deviations a trial may find.
    struct Range {
        double lowest = -std::numeric_limits<double>::infinity();
        double highest = std::numeric_limits<double>::infinity();

        Range Within(const Range& other) const
        {
            return {std::max(lowest, other.lowest), std::min(highest, other.highest)};
        }
    };

    // The step that every deviation of `range` gives; 0 when they differ or some may be out of orb.
    double StepWithin(const Range& range, bool slowPair) const
    {
        if (!WithinOrb(range.highest, m_orb))
            return 0.0;
        if (!slowPair)
            return 1.0;
        const double least = std::floor(10.0 * ((m_orb - range.highest) / m_orb));
        const double most = std::floor(10.0 * ((m_orb - range.lowest) / m_orb));
        return least == most ? least + 1.0 : 0.0;
    }

    // The deviations around `expected`, the difference the bodies are expected at, give or take `doubt`.
    Range Around(double expected, double doubt) const
    {
        const double deviation = DeviationOfDifference(expected, m_angle);
        return {deviation - doubt, deviation + doubt};
    }

    Range RateRange(double day) const
    {
        const double drift = m_rate * std::fabs(day - m_last.day) + m_slack;
        return {m_last.deviation - drift, m_last.deviation + drift};
    }

    // Whether the difference can have changed by less than half a turn between `trial` and the last one,
    // so that its change is known the shorter way round.
    bool Unwrappable(const Trial& trial) const
    {
        return trial.set && m_rate * std::fabs(m_last.day - trial.day) < kPi;
    }

    Range LinearRange(double day) const
    {
        if (!m_earlierChange)
            return {};
        const double span = std::fabs(m_last.day - m_earlier.day);
        const double days = std::fabs(day - m_last.day);
        const double expected = m_last.difference + *m_earlierChange / (m_earlier.day - m_last.day) * (day - m_last.day);
        const double doubt = m_acceleration * (days * days / 2.0 + span * days) +
                             m_rounding * (2.0 * days / span + 2.0) + kArithmeticSlack;
        return Around(expected, doubt);
    }

    // The parabola through the last three trials, in Lagrange's form about the last: its value at `day`
    // is off the difference by at most jerk/6 times the product of the distances to the three, and each
    // trial's rounding counts with the weight of its term.
    Range QuadraticRange(double day) const
    {
        if (!m_firstChange)
            return {};
        const double t0 = m_last.day, t1 = m_earlier.day, t2 = m_first.day;
        const double w1 = (day - t0) * (day - t2) / ((t1 - t0) * (t1 - t2));
        const double w2 = (day - t0) * (day - t1) / ((t2 - t0) * (t2 - t1));
        const double w0 = (day - t1) * (day - t2) / ((t0 - t1) * (t0 - t2));
        const double weights = std::fabs(w0) + std::fabs(w1) + std::fabs(w2) + 1.0;
        const double distances = std::fabs((day - t0) * (day - t1) * (day - t2));
        const double doubt = m_jerk * distances / 6.0 + (m_rounding + kArithmeticSlack) * weights;
        return Around(m_last.difference + w1 * *m_earlierChange + w2 * *m_firstChange, doubt);
    }

    double m_rate = 0.0;
    double m_orb = 0.0;
    double m_angle = 0.0;
    double m_acceleration = 0.0;
    double m_jerk = 0.0;
    double m_rounding = 0.0;
    double m_slack = 0.0;
    Trial m_last;
    Trial m_earlier;
    Trial m_first;
    // The differences of the earlier two trials as changes from the last one; none when not known.
    std::optional<double> m_earlierChange;
    std::optional<double> m_firstChange;
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

// One search for an aspect's edge: it steps from the world date's local day in whole days until the
// aspect is found outside the orb at a local midnight. The trial day is kept as a whole number and the
// trial moment derived from it, so that the day handed back is exact whatever the zone offset.
//
// Aspects last from days to decades, and most trials only confirm what is certain: the deviation moves
// by a bounded amount a day (DeviationBound), so from the computed trials the next ones are known to stay
// in orb, and a slow pair's steps known, until the bound could reach the orb's edge (or, for a slow pair,
// the next step size). Those trials are counted and stepped over without computing positions; near the
// edge each day is computed. The days tried, the trial count and the day found are those of computing
// every trial. A body without a position on a day passed over has none on the days beyond either (the
// ephemeris and Pluto's table each cover one span of time), so such a search still ends with an unknown
// day.
//
// The search hands the moments it must compute to its caller one at a time (Pending, Take), so that a
// report can serve many searches in the order of time.
class EdgeSearch {
public:
    EdgeSearch(const AstroModule& astro, const AspectSpanContext& context, Body p1, Body p2, Aspect a, int16_t k,
               Direction direction)
        : m_astro(astro), m_context(context), m_p1(p1), m_p2(p2), m_aspect(a), m_column(k),
          m_direction(direction),
          // Aspects between the three outermost bodies last for years: near exactness they are passed over
          // in steps of up to eleven days.
          m_slowPair(p1 >= Body::Uranus && p2 >= Body::Uranus),
          m_bound(astro, p1, p2, a, k, context.isPersonalTransits)
    {
        if (context.worldLocalDay < 0.0)
            return;  // the world date row holds no date
        if (context.isPersonalTransits) {
            if (context.natalMoment < 0.0)
                return;  // the birthdate row holds no moment
            m_natalLongitude = astro.HelioLongitude(p1, context.natalMoment);
        }
        // The beginning is sought from the midnight that starts the world date, the end from the next one.
        const double worldDay = std::floor(context.worldLocalDay);
        m_day = direction == Direction::Back ? worldDay : worldDay + 1.0;
        m_searching = true;
        SkipKnownTrials();
    }

    // The local midnight whose longitudes the next trial needs; nothing once the search has ended.
    std::optional<double> Pending() const
    {
        if (!m_searching)
            return std::nullopt;
        return platform::MomentOfLocalDay(m_day, m_context.zoneOffsetMinutes * 60);
    }

    // Back in time for the beginning, forward for the end.
    Direction Heading() const { return m_direction; }

    // The bodies that trial needs: the first only in world transits, where both move.
    bool FirstMoves() const { return !m_context.isPersonalTransits; }
    Body First() const { return m_p1; }
    Body Second() const { return m_p2; }

    // The pending trial with the longitudes of both bodies at its moment (the first one's ignored when it
    // stands at its natal longitude).
    void Take(double L1, double L2)
    {
        if (m_context.isPersonalTransits)
            L1 = m_natalLongitude;
        ++m_trial;
        if (L1 < 0.0 || L2 < 0.0) {
            m_searching = false;
            return;
        }
        const std::optional<double> exactness = m_astro.ExactnessOfAspect(L1, L2, m_aspect, m_column);
        if (!exactness) {
            m_found = static_cast<DayNumber>(m_direction == Direction::Back ? m_day : m_day - 1.0);
            m_searching = false;
            return;
        }
        m_bound.Anchor(m_day, L1 - L2);
        m_day += Sense() * (m_slowPair ? std::floor(10.0 * *exactness) + 1.0 : 1.0);
        SkipKnownTrials();
    }

    // The day found; nothing while searching, or when the search ended without one.
    std::optional<DayNumber> Found() const { return m_found; }

private:
    // −1 day a step back, +1 forward.
    double Sense() const { return m_direction == Direction::Back ? -1.0 : 1.0; }

    // Steps over the trials whose outcome the bound knows, up to the next one that must be computed.
    void SkipKnownTrials()
    {
        for (; m_trial < m_context.lngMaxTrials; ++m_trial) {
            const double known = m_bound.KnownStep(m_day, m_slowPair);
            if (known <= 0.0)
                return;
            m_day += Sense() * known;
        }
        m_searching = false;  // the trial bound was reached
    }

    const AstroModule& m_astro;
    const AspectSpanContext& m_context;
    Body m_p1;
    Body m_p2;
    Aspect m_aspect;
    int16_t m_column;
    Direction m_direction;
    bool m_slowPair;
    DeviationBound m_bound;
    double m_natalLongitude = 0.0;
    double m_day = 0.0;
    int32_t m_trial = 0;
    bool m_searching = false;
    std::optional<DayNumber> m_found;
};

// Serves the pending trial of `search` from the shared longitudes.
void Serve(EdgeSearch& search, DayLongitudes& longitudes, double moment)
{
    const double L1 = search.FirstMoves() ? longitudes.At(search.First(), moment) : 0.0;
    search.Take(L1, longitudes.At(search.Second(), moment));
}

// Runs one search to its end.
std::optional<DayNumber> RunAlone(EdgeSearch search, DayLongitudes& longitudes)
{
    while (const std::optional<double> moment = search.Pending())
        Serve(search, longitudes, *moment);
    return search.Found();
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
    return RunAlone(EdgeSearch(astro, context, p1, p2, a, k, Direction::Back), longitudes);
}

std::optional<DayNumber> EndOfAspect(const AstroModule& astro, const AspectSpanContext& context, Body p1,
                                     Body p2, Aspect a, int16_t k)
{
    DayLongitudes longitudes(astro);
    return RunAlone(EdgeSearch(astro, context, p1, p2, a, k, Direction::Forward), longitudes);
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

// One duration record: the bodies, the aspect and its deviation; a transit's record is dated, its
// beginning and end searched afterwards.
DurationRecord RecordOf(const AstroModule& astro, const RecordPair& pair, Aspect a, bool fixedMoments)
{
    DurationRecord record;
    record.first = pair.p1;
    record.second = pair.p2;
    record.aspect = a;
    record.deviationMicroradians = MicroradiansOf(astro.Deviation(pair.L1, pair.L2, a));
    record.dated = !fixedMoments;
    return record;
}

// Runs the searches of a report together, serving their trials in the order of time: every search for a
// beginning first, the latest moment first, then every search for an end, the earliest first. Each body's
// longitudes are then asked for in one sweep back and one sweep forward, and the ephemeris reads each
// stretch of its files once, instead of again for each aspect whose search comes back to it.
void RunInTimeOrder(std::vector<EdgeSearch>& searches, DayLongitudes& longitudes)
{
    for (const Direction direction : {Direction::Back, Direction::Forward}) {
        const double sense = direction == Direction::Back ? -1.0 : 1.0;
        for (;;) {
            EdgeSearch* next = nullptr;
            double soonest = 0.0;
            for (EdgeSearch& search : searches) {
                const std::optional<double> moment = search.Pending();
                if (search.Heading() == direction && moment && (next == nullptr || *moment * sense < soonest * sense)) {
                    next = &search;
                    soonest = *moment;
                }
            }
            if (next == nullptr)
                break;
            Serve(*next, longitudes, soonest);
        }
    }
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
    std::vector<EdgeSearch> searches;
    searches.reserve(fixedMoments ? 0 : 2 * grid.aspects.size());
    for (const AspectFound& found : grid.aspects) {
        const RecordPair pair = PairOf(astro, grid, context, found);
        records.push_back(RecordOf(astro, pair, found.aspect, fixedMoments));
        if (fixedMoments)
            continue;
        for (const Direction direction : {Direction::Back, Direction::Forward})
            searches.emplace_back(astro, context, pair.p1, pair.p2, found.aspect, k, direction);
    }
    DayLongitudes longitudes(astro);
    RunInTimeOrder(searches, longitudes);
    for (size_t i = 0; i < searches.size(); i += 2) {
        records[i / 2].beginning = searches[i].Found();
        records[i / 2].ending = searches[i + 1].Found();
    }
    return records;
}

}  // namespace orvane::core
