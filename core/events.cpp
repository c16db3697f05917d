#include "core/events.h"

#include "core/event_roots.h"
#include "core/modes.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <tuple>

namespace orvane::core {
namespace {

using event_roots::RefineRoot;
using event_roots::WrapPi;

// The cubic through the differences at the four samples around a step (nodes −1, 0, 1, 2 in steps), its
// value and slope at x (steps from the step's start).
double Cubic(const std::array<double, 4>& u, double x)
{
    return -u[0] * x * (x - 1) * (x - 2) / 6 + u[1] * (x + 1) * (x - 1) * (x - 2) / 2 -
           u[2] * (x + 1) * x * (x - 2) / 2 + u[3] * (x + 1) * x * (x - 1) / 6;
}

double CubicSlope(const std::array<double, 4>& u, double x)
{
    constexpr double h = 1e-6;
    return (Cubic(u, x + h) - Cubic(u, x - h)) / (2 * h);
}

// The x in [0, 1] at which the cubic reaches `value` (which lies between its values at 0 and 1): Newton
// steps on the polynomial, kept inside the interval that holds the root.
double CubicRoot(const std::array<double, 4>& u, double value)
{
    double lo = 0.0;
    double hi = 1.0;
    const bool increasing = u[2] > u[1];
    double x = std::clamp((value - u[1]) / (u[2] - u[1]), 0.0, 1.0);
    for (int i = 0; i < 40; ++i) {
        const double g = Cubic(u, x) - value;
        ((g < 0) == increasing ? lo : hi) = x;
        const double slope = CubicSlope(u, x);
        double next = slope != 0.0 ? x - g / slope : 0.5 * (lo + hi);
        if (!(next >= lo && next <= hi))
            next = 0.5 * (lo + hi);
        if (std::fabs(next - x) < 1e-12)
            return next;
        x = next;
    }
    return x;
}

// The x in (0, 1) at which the cubic's slope changes sign, if it does there.
std::optional<double> CubicTurn(const std::array<double, 4>& u)
{
    // The exact slopes at 0 and 1, far from zero and of one sign, settle it without the numerical ones,
    // which stray from them by less than 1e-7 (rounding over h).
    constexpr double kSurelyMoving = 1e-6;
    const double exactLo = (-2 * u[0] - 3 * u[1] + 6 * u[2] - u[3]) / 6;
    const double exactHi = (u[0] - 6 * u[1] + 3 * u[2] + 2 * u[3]) / 6;
    if ((exactLo > kSurelyMoving && exactHi > kSurelyMoving) || (exactLo < -kSurelyMoving && exactHi < -kSurelyMoving))
        return std::nullopt;
    double lo = 0.0;
    double hi = 1.0;
    const double slopeLo = CubicSlope(u, lo);
    if (slopeLo * CubicSlope(u, hi) >= 0.0)
        return std::nullopt;
    for (int i = 0; i < 50; ++i) {
        const double mid = 0.5 * (lo + hi);
        (CubicSlope(u, mid) * slopeLo > 0.0 ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The first of `targets` (sorted by value) whose value is not below `value`, found by stepping from `near`,
// where the search of the step before ended (and left there): a difference moves past few targets a step.
template <typename Targets>
size_t LowerBound(const Targets& targets, double value, size_t& near)
{
    size_t i = std::min(near, targets.size());
    while (i < targets.size() && targets[i].value < value)
        ++i;
    while (i > 0 && !(targets[i - 1].value < value))
        --i;
    near = i;
    return i;
}

bool IsOppositionOrConjunction(double angle)
{
    return std::fabs(angle) < 1e-9 || std::fabs(angle - kPi) < 1e-9;
}

}  // namespace

bool EventBefore(const Event& a, const Event& b)
{
    return std::tie(a.moment, a.kind, a.body1, a.body2, a.aspect, a.branch) <
           std::tie(b.moment, b.kind, b.body1, b.body2, b.aspect, b.branch);
}

// The samples of one chunk: the moving bodies' longitudes at the moments of steps `first`, first + 1, ….
struct EventSearch::Samples {
    double origin = 0.0;
    int64_t first = 0;
    std::vector<std::array<double, kBodySlots>> longitudes;

    double Time(int64_t step) const { return origin + static_cast<double>(step) * kEventSampleDays; }
    // The track's difference at step `step` (0 … 2π), negative when a body has no position there.
    double Difference(const Track& track, int64_t step) const
    {
        const EventPair& pair = track.pair;
        const auto& at = longitudes[static_cast<size_t>(step - first)];
        const double L1 = pair.moving1 ? at[SlotOf(pair.body1)] : pair.fixed1;
        if (track.ingress || L1 < 0.0)
            return L1;
        const double L2 = pair.moving2 ? at[SlotOf(pair.body2)] : pair.fixed2;
        if (L2 < 0.0)
            return L2;
        return L1 >= L2 ? L1 - L2 : L1 - L2 + kTwoPi;
    }
};

// A stretch of time over which a track's difference moves one way: its ends, the differences there, and
// when known the four samples around it for a cubic first guess.
struct EventSearch::Crossing {
    double ta = 0.0;
    double tb = 0.0;
    double da = 0.0;
    double db = 0.0;
    bool hasCubic = false;
    std::array<double, 4> u{};
};

EventSearch::EventSearch(const AstroModule& astro, core::Mode mode, const std::array<double, 3>& moments,
                         const EventFilter& filter, platform::Convention convention)
    : m_astro(astro), m_filter(filter), m_convention(convention)
{
    const std::span<const Body> inUse = BodiesInUse(PlutoFromTable(convention) ? astro.bodyCount : kPluto);
    const auto fixedAt = [&](Body body, double moment) {
        const double L = Longitude(body, moment);
        return L >= 0.0 ? L : -1.0;
    };
    if (IsOneDateMode(mode)) {
        m_column = kOrbColumnOneMoment;
        for (const Body b1 : inUse)
            for (const Body b2 : BodiesAfter(b1, astro.bodyCount))
                if (filter.HasBody(b1) && filter.HasBody(b2))
                    m_pairs.push_back({b1, b2, true, true, -1.0, -1.0});
    } else if (IsPersonalTransitMode(mode)) {
        m_column = kOrbColumnPersonal;
        const double natal = moments[mode == Mode::PersonalTransits1st ? 1 : 2];
        for (const Body natalBody : inUse)
            for (const Body transit : inUse)
                if (filter.HasBody(natalBody) && filter.HasBody(transit) && filter.HasNatal(natalBody) &&
                    filter.HasTransiting(transit))
                    m_pairs.push_back({transit, natalBody, true, false, -1.0, fixedAt(natalBody, natal)});
    } else if (mode == Mode::Synastry) {
        m_column = kOrbColumnSynastry;
        for (const Body second : inUse)
            for (const Body first : inUse)
                if (filter.HasBody(first) && filter.HasBody(second))
                    m_pairs.push_back({first, second, false, false, fixedAt(first, moments[1]),
                                       fixedAt(second, moments[2])});
    }
    if (IsOneDateMode(mode) || IsPersonalTransitMode(mode))
        for (const Body body : inUse)
            if (filter.HasBody(body) && filter.HasTransiting(body))
                m_moving.push_back(body);

    for (const EventPair& pair : m_pairs)
        AddPairTrack(pair);
    const bool personal = IsPersonalTransitMode(mode);
    for (const Body body : m_moving)
        AddBodyTrack(body, personal ? fixedAt(body, moments[mode == Mode::PersonalTransits1st ? 1 : 2]) : -1.0);
    constexpr uint16_t kStateKinds = 1u << static_cast<int>(EventKind::AscendingNode) |
                                     1u << static_cast<int>(EventKind::DescendingNode) |
                                     1u << static_cast<int>(EventKind::LatitudeMax) |
                                     1u << static_cast<int>(EventKind::LatitudeMin) |
                                     1u << static_cast<int>(EventKind::Perihelion) |
                                     1u << static_cast<int>(EventKind::Aphelion);
    if ((filter.kinds & kStateKinds) != 0)
        m_stateBodies = m_moving;
}

double EventSearch::OrbOf(Aspect aspect) const
{
    const double given = m_filter.orbs[SlotOf(aspect)];
    if (given >= 0.0)
        return given;
    if (IsExtraAspect(aspect))
        return kExtraAspectOrbDegrees[SlotOf(aspect)] / 360.0 * kTwoPi;
    return m_astro.orbs.Orb(aspect, m_column);
}

void EventSearch::AddBodyTrack(Body body, double natal)
{
    Track track{{body, body, true, false, -1.0, -1.0}, true, {}, {}};
    if (m_filter.HasKind(EventKind::Ingress))
        for (int16_t sign = 0; sign < kNumSigns; ++sign)
            track.targets.push_back({kTwoPi / kNumSigns * sign, EventKind::Ingress, std::nullopt, sign, false});
    if (m_filter.HasKind(EventKind::Cross))
        for (const double degree : m_filter.degrees)
            track.targets.push_back({degree, EventKind::Cross, std::nullopt, -1, false});
    if (m_filter.HasKind(EventKind::Return) && natal >= 0.0)
        track.targets.push_back({natal, EventKind::Return, std::nullopt, -1, false});
    std::stable_sort(track.targets.begin(), track.targets.end(),
                     [](const Target& a, const Target& b) { return a.value < b.value; });
    if (!track.targets.empty())
        m_tracks.push_back(std::move(track));
}

double EventSearch::Longitude(Body body, double moment) const
{
    return m_astro.HelioLongitude(body, moment, m_convention);
}

void EventSearch::AddPairTrack(const EventPair& pair)
{
    if (!pair.moving1 && !pair.moving2)
        return;
    if ((!pair.moving1 && pair.fixed1 < 0.0) || (!pair.moving2 && pair.fixed2 < 0.0))
        return;
    Track track{pair, false, {}, {}};
    const bool edges = m_filter.HasKind(EventKind::Enter) || m_filter.HasKind(EventKind::Leave);
    for (const Aspect aspect : kEventAspects) {
        const double orb = OrbOf(aspect);
        if (!m_filter.HasAspect(aspect) || !(orb > 0.0))
            continue;
        const double angle = IsExtraAspect(aspect) ? kEventAspectDegrees[SlotOf(aspect)] / 360.0 * kTwoPi
                                                   : m_astro.tables.aspectAngles[SlotOf(aspect)];
        // Only a pair whose difference can turn back (the faster body not always the faster) can miss.
        const bool canTurn = pair.moving1 && pair.moving2 &&
                             DailyMotionOf(pair.body1).least < DailyMotionOf(pair.body2).greatest &&
                             DailyMotionOf(pair.body2).least < DailyMotionOf(pair.body1).greatest;
        if (m_filter.HasKind(EventKind::Miss) && canTurn)
            track.aspects.push_back({aspect, angle, orb});
        if (m_filter.HasKind(EventKind::Exact)) {
            track.targets.push_back({angle, EventKind::Exact, aspect, -1, false});
            if (!IsOppositionOrConjunction(angle))
                track.targets.push_back({kTwoPi - angle, EventKind::Exact, aspect, -1, false});
        }
        if (!edges)
            continue;
        // The separation s (0 … π) reaches the orb's edges at angle − orb and angle + orb; the difference
        // L1 − L2 does so at s and at 2π − s. Growing s leaves the orb at the upper edge.
        for (const bool upper : {false, true}) {
            const double s = upper ? angle + orb : angle - orb;
            if (!(s > 0.0 && s < kPi))
                continue;
            track.targets.push_back({s, EventKind::Enter, aspect, -1, upper});
            track.targets.push_back({kTwoPi - s, EventKind::Enter, aspect, -1, !upper});
        }
    }
    std::sort(track.targets.begin(), track.targets.end(),
              [](const Target& a, const Target& b) { return a.value < b.value; });
    if (!track.targets.empty() || !track.aspects.empty())
        m_tracks.push_back(std::move(track));
}

double EventSearch::Difference(const Track& track, double moment) const
{
    const EventPair& pair = track.pair;
    const double L1 = pair.moving1 ? Longitude(pair.body1, moment) : pair.fixed1;
    if (track.ingress || L1 < 0.0)
        return L1;
    const double L2 = pair.moving2 ? Longitude(pair.body2, moment) : pair.fixed2;
    if (L2 < 0.0)
        return L2;
    return L1 >= L2 ? L1 - L2 : L1 - L2 + kTwoPi;
}

void EventSearch::Run(double from, double to, const EventSink& sink) const
{
    if (!(to > from) || (m_tracks.empty() && m_stateBodies.empty()))
        return;
    const auto steps = static_cast<int64_t>(std::ceil((to - from) / kEventSampleDays));
    const auto chunk = static_cast<int64_t>(kEventChunkDays / kEventSampleDays);
    std::vector<Event> events;
    for (int64_t first = 0; first < steps; first += chunk) {
        events.clear();
        SearchChunk(first, std::min(steps, first + chunk), from, to, events);
        std::sort(events.begin(), events.end(), EventBefore);
        for (const Event& event : events)
            if (!sink(event))
                return;
    }
}

std::vector<Event> EventSearch::Collect(double from, double to) const
{
    std::vector<Event> events;
    Run(from, to, [&events](const Event& event) {
        events.push_back(event);
        return true;
    });
    return events;
}

// One moving body's longitudes at every `every`-th step, from step first · every to last · every.
struct EventSearch::Coarse {
    int64_t every = 1;
    int64_t first = 0;  // in units of `every`
    int64_t last = 0;
    std::vector<double> longitudes;
};

std::vector<EventSearch::Coarse> EventSearch::SampleMoving(const Samples& samples, ChunkDue& due) const
{
    const int64_t lastStep = samples.first + static_cast<int64_t>(samples.longitudes.size()) - 1;
    // Each body at every `every`-th step (two more either side for the slower ones, whose steps between
    // come from the cubic through the four nearest). The ephemeris is asked moment by moment, every body
    // due at one moment before the next moment, as it keeps what the bodies of one moment share; the state
    // samples and the turning pairs' differences, which fall on the same moments, come first (a longitude
    // reuses a state taken at its moment).
    std::vector<Coarse> coarse(m_moving.size());
    int64_t from = samples.first;
    int64_t to = lastStep;
    for (size_t b = 0; b < m_moving.size(); ++b) {
        Coarse& c = coarse[b];
        c.every = SampleEvery(m_moving[b], m_convention);
        c.first = c.every == 1 ? samples.first : FloorDiv(samples.first, c.every) - 1;
        c.last = c.every == 1 ? lastStep : FloorDiv(lastStep, c.every) + 2;
        from = std::min(from, c.first * c.every);
        to = std::max(to, c.last * c.every);
    }
    const auto [firstDue, lastDue] = due.Steps();
    std::vector<BodySpan> spans;
    for (size_t b = 0; b < m_moving.size(); ++b) {
        // The bodies' coarse samples, and every moment of the chunk, where the refining asks.
        const int64_t first = std::min({coarse[b].first * coarse[b].every, firstDue, samples.first});
        const int64_t last = std::max({coarse[b].last * coarse[b].every, lastDue, lastStep});
        spans.push_back({m_moving[b], samples.Time(first), samples.Time(last)});
    }
    PrepareMoments(spans, m_convention);
    for (int64_t step = std::min(from, firstDue); step <= std::max(to, lastDue); ++step) {
        TakeDue(due, step, samples.origin);
        for (size_t b = 0; b < m_moving.size(); ++b) {
            Coarse& c = coarse[b];
            const int64_t j = FloorDiv(step, c.every);
            if (j * c.every == step && j >= c.first && j <= c.last)
                c.longitudes.push_back(Longitude(m_moving[b], samples.Time(step)));
        }
    }
    return coarse;
}

void EventSearch::FillFromCoarse(Samples& samples, Body body, Coarse& c) const
{
    const size_t slot = SlotOf(body);
    if (c.every == 1) {
        for (size_t k = 0; k < samples.longitudes.size(); ++k)
            samples.longitudes[k][slot] = c.longitudes[k];
        return;
    }
    bool valid = true;
    for (size_t k = 0; k < c.longitudes.size(); ++k) {
        valid = valid && c.longitudes[k] >= 0.0;
        if (k > 0)  // unwrapped
            c.longitudes[k] = c.longitudes[k - 1] + WrapPi(c.longitudes[k] - c.longitudes[k - 1]);
    }
    if (!valid) {  // near the end of Pluto's table: every sample from the source itself
        for (size_t k = 0; k < samples.longitudes.size(); ++k)
            samples.longitudes[k][slot] = Longitude(body, samples.Time(samples.first + static_cast<int64_t>(k)));
        return;
    }
    const std::vector<double>& L = c.longitudes;
    for (size_t k = 0; k < samples.longitudes.size(); ++k) {
        const int64_t step = samples.first + static_cast<int64_t>(k);
        const int64_t j = FloorDiv(step, c.every);
        const auto at = static_cast<size_t>(j - c.first);
        const double x = static_cast<double>(step - j * c.every) / static_cast<double>(c.every);
        const double value = x == 0.0 ? L[at] : Cubic({L[at - 1], L[at], L[at + 1], L[at + 2]}, x);
        samples.longitudes[k][slot] = value - kTwoPi * std::floor(value / kTwoPi);
    }
}

void EventSearch::SampleChunk(Samples& samples, ChunkDue& due, int64_t firstStep, int64_t endStep) const
{
    samples.first = firstStep - 1;
    samples.longitudes.resize(static_cast<size_t>(endStep - firstStep + 3));
    std::vector<Coarse> coarse = SampleMoving(samples, due);
    for (size_t b = 0; b < m_moving.size(); ++b)
        FillFromCoarse(samples, m_moving[b], coarse[b]);
}

void EventSearch::SearchChunk(int64_t firstStep, int64_t endStep, double from, double to,
                              std::vector<Event>& out) const
{
    Samples samples;
    samples.origin = from;
    ChunkDue due = PlanDue(firstStep, endStep);
    SampleChunk(samples, due, firstStep, endStep);
    std::vector<Pending> pending;
    FindPending(samples, firstStep, endStep, pending);
    std::sort(pending.begin(), pending.end(), [](const Pending& a, const Pending& b) { return a.guess < b.guess; });
    std::vector<StatePending> passes;
    FindStatePasses(due.states, from, passes);
    std::sort(passes.begin(), passes.end(),
              [](const StatePending& a, const StatePending& b) { return a.guess < b.guess; });
    // Refined in the order of time, the crossings and the passes together, so that the ephemeris reads
    // each stretch of its data once.
    auto pass = passes.begin();
    for (const Pending& crossing : pending) {
        for (; pass != passes.end() && pass->guess < crossing.guess; ++pass)
            RefineState(*pass, from, to, out);
        Refine(crossing, to, out);
    }
    for (; pass != passes.end(); ++pass)
        RefineState(*pass, from, to, out);
    SearchTurns(due.turns, from, to, out);
}

void EventSearch::FindPending(const Samples& samples, int64_t firstStep, int64_t endStep,
                              std::vector<Pending>& pending) const
{
    // Steps firstStep … endStep − 1, each from its sample to the next; the cubic guesses need one sample
    // before and one after those. Each track's differences are worked out once for all its steps.
    std::vector<double> differences(samples.longitudes.size());
    for (const Track& track : m_tracks) {
        for (size_t k = 0; k < differences.size(); ++k)
            differences[k] = samples.Difference(track, samples.first + static_cast<int64_t>(k));
        size_t near = 0;
        for (int64_t step = firstStep; step < endStep; ++step) {
            const double* d = &differences[static_cast<size_t>(step - samples.first)];
            Crossing segment;
            segment.da = d[0];
            segment.db = d[1];
            if (segment.da < 0.0 || segment.db < 0.0)
                continue;
            segment.ta = samples.Time(step);
            segment.tb = samples.Time(step + 1);
            const double before = d[-1];
            const double after = d[2];
            const double delta = WrapPi(segment.db - segment.da);
            if (before >= 0.0 && after >= 0.0) {
                segment.hasCubic = true;
                segment.u = {segment.da + WrapPi(before - segment.da), segment.da, segment.da + delta,
                             segment.da + delta + WrapPi(after - segment.db)};
            }
            // Where the difference of two moving bodies turns back within the step, each side of the turn
            // is searched on its own.
            if (segment.hasCubic && track.pair.moving1 && track.pair.moving2 && !track.ingress)
                if (const std::optional<double> turn = CubicTurn(segment.u)) {
                    const double tt = segment.ta + *turn * kEventSampleDays;
                    const double dt = Difference(track, tt);
                    if (dt >= 0.0) {
                        FindCrossings(track, {segment.ta, tt, segment.da, dt, false, {}}, near, pending);
                        FindCrossings(track, {tt, segment.tb, dt, segment.db, false, {}}, near, pending);
                        continue;
                    }
                }
            FindCrossings(track, segment, near, pending);
        }
    }
}

void EventSearch::FindCrossings(const Track& track, const Crossing& segment, size_t& near,
                                  std::vector<Pending>& pending) const
{
    const double delta = WrapPi(segment.db - segment.da);
    if (delta == 0.0)
        return;
    const bool increasing = delta > 0.0;
    const double span = segment.tb - segment.ta;
    const auto consider = [&](const Target& target) {
        // The target's value as the difference reaches it from da: passed when it lies in (da, db] going
        // up, in [db, da) going down, so that a value met exactly at a sample belongs to one step only.
        double way = increasing ? target.value - segment.da : segment.da - target.value;
        if (way <= 0.0)
            way += kTwoPi;
        if (way > std::fabs(delta))
            return;
        Pending crossing{&track, &target, segment.ta, segment.tb, increasing ? segment.da + way : segment.da - way,
                         increasing, segment.ta + span * way / std::fabs(delta), delta / span};
        if (segment.hasCubic) {
            const double x = CubicRoot(segment.u, crossing.value);
            crossing.guess = segment.ta + x * span;
            crossing.slope = CubicSlope(segment.u, x) / span;
        }
        pending.push_back(crossing);
    };
    // The targets are sorted by value: only those between da and db (across 0 where the step passes it)
    // are looked at.
    const std::vector<Target>& targets = track.targets;
    const double end = segment.da + delta;
    const auto first = targets.begin() + static_cast<ptrdiff_t>(LowerBound(targets, segment.da, near));
    if (increasing) {
        for (auto t = first; t != targets.end() && t->value <= end; ++t)
            if (t->value > segment.da)
                consider(*t);
        for (auto t = targets.begin(); end >= kTwoPi && t != targets.end() && t->value <= end - kTwoPi; ++t)
            if (t->value <= segment.da)
                consider(*t);
    } else {
        for (auto t = first; t != targets.begin() && std::prev(t)->value >= end; --t)
            consider(*std::prev(t));
        for (auto t = targets.end(); end < 0.0 && t != targets.begin() && std::prev(t)->value >= end + kTwoPi; --t)
            if (std::prev(t)->value >= segment.da)
                consider(*std::prev(t));
    }
}

void EventSearch::Refine(const Pending& crossing, double to, std::vector<Event>& out) const
{
    const Track& track = *crossing.track;
    const Target& target = *crossing.target;
    const auto g = [&](double t) {
        const double d = Difference(track, t);
        return d < 0.0 ? std::nan("") : WrapPi(d - crossing.value);
    };
    const double moment = RefineRoot(g, crossing.ta, crossing.tb, crossing.increasing, crossing.guess, crossing.slope);
    if (std::isnan(moment) || moment >= to)
        return;

    Event event;
    event.moment = moment;
    event.body1 = track.pair.body1;
    if (!track.ingress)
        event.body2 = track.pair.body2;
    event.aspect = target.aspect;
    event.kind = target.kind;
    if (target.kind == EventKind::Exact)
        event.branch = target.value;
    else if (target.kind == EventKind::Enter)
        event.kind = crossing.increasing == target.leaveWhenIncreasing ? EventKind::Leave : EventKind::Enter;
    else if (target.kind == EventKind::Ingress)
        event.sign = static_cast<int16_t>(crossing.increasing ? target.sign : (target.sign + kNumSigns - 1) % kNumSigns);
    else
        event.value = target.value;
    if (m_filter.HasKind(event.kind))
        out.push_back(event);
}

std::vector<AspectInOrb> EventSearch::AspectsInOrbAt(double moment) const
{
    std::vector<AspectInOrb> holding;
    for (const EventPair& pair : m_pairs) {
        const double L1 = pair.moving1 ? Longitude(pair.body1, moment) : pair.fixed1;
        const double L2 = pair.moving2 ? Longitude(pair.body2, moment) : pair.fixed2;
        if (L1 < 0.0 || L2 < 0.0)
            continue;
        const double separation = Separation(L1, L2);
        for (const Aspect aspect : kEventAspects) {
            if (IsExtraAspect(aspect) && !m_filter.HasAspect(aspect))
                continue;
            const double angle = IsExtraAspect(aspect) ? kEventAspectDegrees[SlotOf(aspect)] / 360.0 * kTwoPi
                                                       : m_astro.tables.aspectAngles[SlotOf(aspect)];
            const double deviation = std::fabs(separation - angle);
            if (WithinOrb(deviation, OrbOf(aspect))) {
                if (m_filter.HasAspect(aspect))
                    holding.push_back({pair, aspect, deviation});
                break;
            }
        }
    }
    return holding;
}

}  // namespace orvane::core
