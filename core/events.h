#pragma once

// The event search: over a span of moments, every moment at which an aspect between two bodies becomes
// exact, comes into its orb or leaves it, and every moment at which a body's heliocentric longitude
// enters a new sign.
//
// What is compared follows the mode, as the grid compares it:
//   - world transits and the natal modes: the moving bodies pairwise (body1 the lower body index, as the
//     grid's row body), orb column 0;
//   - personal transits: each moving (transiting) body as body1 against each body standing still at its
//     birth longitude as body2, orb column 1;
//   - synastry: the 1st birthdate's bodies (body1) against the 2nd birthdate's (body2), orb column 2. Both
//     charts stand still, so their aspects neither begin nor end: the search yields no events there, and
//     AspectsInOrbAt tells which aspects hold for the whole span.
// Ingresses are those of the moving bodies.
//
// Beyond the aspects and ingresses, the search knows a body's own events (the moving bodies'):
//   - cross: the longitude passes one of the degrees asked for (EventFilter::degrees); a crossing of 0°
//     is the moment of the Aries ingress, found the same way;
//   - return: in the personal-transit modes, the transiting body reaches its own natal longitude;
//   - ascending-node / descending-node: the heliocentric latitude passes zero going north / south;
//   - latitude-max / latitude-min: the latitude's extremes; perihelion / aphelion: the distance's;
//   - miss: an aspect that came into its orb and left it again without becoming exact, at the moment of
//     its closest approach. With heliocentric longitudes always increasing, this needs a pair whose
//     difference turns back (Neptune–Pluto), as nothing else can approach an angle and recede from it.
// The Earth's latitude and distance are the Earth–Moon barycentre's (platform::HelioState). The ecliptic
// is the barycentre's own orbital plane, so that its latitude stays within an arcsecond and its passages
// through zero say nothing: the Earth has apsides but no nodes or latitude extremes.
//
// Every position is taken in the search's convention (platform::Convention): the grid's by default.
//
// Events:
//   - exact: the separation of the two bodies equals the aspect's angle. The difference of longitudes
//     L1 − L2 passes the angle A and, for every aspect but the conjunction and the opposition, also
//     2π − A: a square is exact at 90° and again at 270° of difference, two different moments.
//   - enter / leave: the deviation |separation − angle| passes the orb. An aspect holds while the deviation
//     is strictly below the orb (the grid's rule), so at an enter or leave moment itself it does not hold;
//     a moment later (enter) or earlier (leave) it does.
//   - ingress: the longitude passes a multiple of 30°; `sign` is the sign entered (0 Aries … 11 Pisces).
//
// How no event is missed: every body's longitude is known at moments one day apart (from the ephemeris,
// Pluto from its table with its interpolation, through AstroModule::HelioLongitude like everywhere else;
// the slower bodies are taken every few days and interpolated between, see SampleEvery), and each event is
// first bracketed between two such samples. Heliocentric longitudes always increase, so the difference of
// two longitudes changes monotonically as long as the faster body stays faster, and each event value is
// passed at most once between two samples provided the difference moves less than half a turn from one
// sample to the next (otherwise a step across 0°/360° could not be told from a step back).
// The fastest relative motion is Mercury's against the Earth's: Mercury moves 2.7° to 6.4° a day
// (aphelion to perihelion), the Earth 0.95° to 1.02°, always more slowly, so their difference grows by
// 1.7° to 5.5° a day; every other pair, and every body on its own (for ingresses), moves less. Over one
// day no difference therefore moves more than 5.5°, far below the half turn at which a step would become
// ambiguous, and a difference that keeps its direction passes each value at most once in a step. (That
// bound alone would allow steps of a month; the step of one day is what keeps Mercury's cubic first guess
// within a fraction of a second, below.) The one pair whose difference can turn back is Neptune–Pluto
// (Pluto near perihelion outruns Neptune): where the difference's rate changes sign within a step, the
// step is split at the turning point, taken from the ephemeris, so that an aspect touched and left again
// between two samples is found as well.
//
// How each moment is refined: the samples around the bracket give a cubic whose root is the first guess
// (within a fraction of a second for Mercury, better for the slower bodies); the crossings of a chunk are
// then refined in the order of time, so that the ephemeris reads its data in order; a root finder runs
// on the ephemeris itself: Newton steps with the cubic's slope, then secant steps, kept inside the bracket
// (bisection when a step would leave it), until the correction is below kEventCorrectionDays. The moment
// returned lies well within a second of the true crossing on the same ephemeris; usually one evaluation of
// the ephemeris per event suffices.
//
// Streaming: the span is searched in chunks of a few months; the events of a chunk are sorted and handed to
// the sink before the next chunk is searched, so any span runs in bounded memory and output begins at once.

#include "core/astro_module.h"
#include "core/modes.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace orvane::core {

enum class EventKind : uint8_t {
    Exact = 0, Enter = 1, Leave = 2, Ingress = 3,
    Cross = 4, Return = 5, AscendingNode = 6, DescendingNode = 7, LatitudeMax = 8, LatitudeMin = 9,
    Perihelion = 10, Aphelion = 11, Miss = 12
};
inline constexpr int kNumEventKinds = 13;
// Each kind's name in the companion's options and machine-readable tables, in the order of EventKind.
inline constexpr std::array<const char*, kNumEventKinds> kEventKindKeys{
    "exact",           "enter",        "leave",        "ingress",    "cross",    "return", "ascending-node",
    "descending-node", "latitude-max", "latitude-min", "perihelion", "aphelion", "miss"};
// The kinds searched unless others are asked for: those of the aspects and the ingresses.
inline constexpr uint16_t kDefaultEventKinds = 0x000F;

struct Event {
    double moment = 0.0;  // Julian date, UT
    EventKind kind = EventKind::Exact;
    Body body1 = Body::Earth;      // the transiting or 1st-birthdate body; the body of a body's own event
    std::optional<Body> body2;     // for the aspect kinds (exact, enter, leave, miss) only
    std::optional<Aspect> aspect;  // for the aspect kinds only; may be one of the extra aspects
    int16_t sign = -1;             // the sign entered (0 … 11) for an ingress; −1 otherwise
    // For exact events: the difference L1 − L2 (radians, 0 … 2π) at which it is exact, A or 2π − A.
    double branch = 0.0;
    // What the event's moment is about, none where nothing is: the degree crossed (cross, return: the
    // natal longitude; the nodes: the node's longitude) in radians; the latitude (latitude-max, -min) in
    // radians; the distance in AU (perihelion, aphelion); the closest deviation in radians (miss).
    std::optional<double> value;
};

// Events in the order they are emitted: by moment, then kind, bodies and aspect (a fixed order for ties).
bool EventBefore(const Event& a, const Event& b);

// Which events to look for. Bit b of `bodies` selects body number b (1 … 9), bit a of `aspects` aspect
// number a (1 … 11: the grid's seven by default, the extra four only when asked for), bit k of `kinds`
// EventKind k. A pair is searched when both its bodies are selected.
struct EventFilter {
    uint16_t bodies = 0x3FE;
    uint16_t aspects = 0x00FE;
    uint16_t kinds = kDefaultEventKinds;
    // In personal transits, besides `bodies`: the moving bodies (bit b: body b; their own events too) and
    // the natal ones.
    uint16_t transiting = 0x3FE;
    uint16_t natal = 0x3FE;
    // The longitudes (radians, 0 ≤ d < 2π) whose crossings are sought (kind cross).
    std::vector<double> degrees;
    // Orbs given for aspects by index (radians, every orb column alike); a negative one is not given: the
    // seven then take the orb table's, the extra four kExtraAspectOrbDegrees. An orb of 0 switches an
    // aspect off, as in the orb table.
    std::array<double, kEventAspectSlots> orbs{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

    bool HasBody(Body body) const { return (bodies >> IndexOf(body) & 1u) != 0; }
    bool HasAspect(Aspect aspect) const { return (aspects >> IndexOf(aspect) & 1u) != 0; }
    bool HasKind(EventKind kind) const { return (kinds >> static_cast<int>(kind) & 1u) != 0; }
    bool HasTransiting(Body body) const { return (transiting >> IndexOf(body) & 1u) != 0; }
    bool HasNatal(Body body) const { return (natal >> IndexOf(body) & 1u) != 0; }
};

// Whether a kind is about an aspect between two bodies (exact, enter, leave, miss) rather than one body.
constexpr bool IsAspectKind(EventKind kind)
{
    return kind == EventKind::Exact || kind == EventKind::Enter || kind == EventKind::Leave || kind == EventKind::Miss;
}

// A pair of bodies the search compares. A body standing still has its birth longitude in `fixed1`/`fixed2`
// (negative: no position); a moving body has −1 there and is taken from the ephemeris.
struct EventPair {
    Body body1 = Body::Earth;
    Body body2 = Body::Earth;
    bool moving1 = true;
    bool moving2 = true;
    double fixed1 = -1.0;
    double fixed2 = -1.0;
};

// An aspect holding at a moment, with its deviation (radians).
struct AspectInOrb {
    EventPair pair;
    Aspect aspect = Aspect::Conjunction;
    double deviation = 0.0;
};

// Receives the events in order; returning false ends the search.
using EventSink = std::function<bool(const Event&)>;

// Days between two samples of the bracketing (see above).
inline constexpr double kEventSampleDays = 1.0;
// The root finder stops once its correction is below this (days, 0.864 s): the moment after such a
// correction is off by the correction times the relative error of the slope used, i.e. by milliseconds.
inline constexpr double kEventCorrectionDays = 1e-5;
// Or once its bracket is narrower than this (days, 8.6 ms).
inline constexpr double kEventBracketDays = 1e-7;
// How many steps apart a body is taken from the ephemeris for the bracketing; the steps between come from
// the cubic through its four nearest samples, which for these bodies and steps is far more precise than
// any event needs (below 1e-9 radians). Mercury, whose motion changes fastest, is taken at every step;
// Pluto too where its table is read (which costs less than the cubic), else as seldom as Neptune.
constexpr int32_t SampleEvery(Body body, platform::Convention convention)
{
    switch (body) {
    case Body::Earth: case Body::Venus: return 4;
    case Body::Mars: return 8;
    case Body::Jupiter: return 16;
    case Body::Saturn: return 32;
    case Body::Uranus: case Body::Neptune: return 64;
    case Body::Pluto: return PlutoFromTable(convention) ? 1 : 64;
    default: return 1;
    }
}
// Days searched per chunk before its events are handed on.
inline constexpr int kEventChunkDays = 256;

class EventSearch {
public:
    // The search of `mode` (1 … 6) with the orbs and bodies of `astro` (which must outlive the search).
    // `moments` are the moments (Julian dates, UT) of the date rows: 0 world date, 1 1st birthdate, 2 2nd
    // birthdate; only the birthdates of the mode are read (for the positions standing still).
    // Every position, the natal ones included, is taken in `convention`.
    EventSearch(const AstroModule& astro, core::Mode mode, const std::array<double, 3>& moments,
                const EventFilter& filter = {}, platform::Convention convention = {});

    // Every event with from ≤ moment < to, in the order of EventBefore, handed to `sink` chunk by chunk.
    // A body without a position at a sample (Pluto outside its table) has no events around that sample.
    void Run(double from, double to, const EventSink& sink) const;

    // Every event of the span in one vector (for short spans; Run streams).
    std::vector<Event> Collect(double from, double to) const;

    // The pairs compared, in the grid's order (row body, then column body).
    const std::vector<EventPair>& Pairs() const { return m_pairs; }
    // The bodies whose ingresses are searched (the moving ones).
    const std::vector<Body>& MovingBodies() const { return m_moving; }
    int16_t OrbColumn() const { return m_column; }
    platform::Convention Convention() const { return m_convention; }
    // The orb of any aspect the search knows in its column: the filter's when given, else the orb table's
    // (the seven) or the default (the extra four). Radians.
    double OrbOf(Aspect aspect) const;

    // The aspects that hold at `moment` (the grid's test: deviation strictly below the orb, aspects in
    // index order, the first that holds; the extra aspects after the seven when the filter asks for them),
    // for every pair; what a timeline needs at the start of its span.
    std::vector<AspectInOrb> AspectsInOrbAt(double moment) const;

private:
    // A value of the difference L1 − L2 (of L1 alone for a body's own track) at which an event happens.
    struct Target {
        double value = 0.0;  // 0 … 2π
        EventKind kind = EventKind::Exact;  // Enter stands for either edge of the orb
        std::optional<Aspect> aspect;      // none for a body's own track
        int16_t sign = -1;                 // ingress: the sign that begins at `value`
        bool leaveWhenIncreasing = false;  // orb edge: passing it with a growing difference leaves the orb
    };
    // An aspect a pair's track follows, with its angle and orb (radians), for the misses.
    struct TrackAspect {
        Aspect aspect = Aspect::Conjunction;
        double angle = 0.0;
        double orb = 0.0;
    };
    // A difference the search follows: a pair, or one body (pair.body1) for its ingresses, crossings and
    // return.
    struct Track {
        EventPair pair;
        bool ingress = false;  // one body's own longitude
        std::vector<Target> targets;
        std::vector<TrackAspect> aspects;
    };
    struct Samples;
    struct Coarse;
    struct Crossing;
    // A crossing found among the samples, before it is refined on the ephemeris.
    struct Pending {
        const Track* track = nullptr;
        const Target* target = nullptr;
        double ta = 0.0;  // the bracket
        double tb = 0.0;
        double value = 0.0;  // the target's value as the difference reaches it (may lie beyond 2π)
        bool increasing = true;
        double guess = 0.0;
        double slope = 0.0;  // of the difference at the guess, radians a day
    };
    // One body's latitude and distance with their rates, sample j at step (first + j) · every, taken
    // while the longitudes of the chunk are sampled, at the same moments.
    struct BodyStates {
        Body body = Body::Earth;
        int64_t every = 1;
        int64_t first = 0;  // in units of `every`
        int64_t last = 0;
        std::vector<std::optional<platform::HelioState>> states;
    };
    // A pair's difference every `every` steps, sample j at step (first + j) · every, for the turns where
    // it misses an aspect.
    struct TurnSamples {
        const Track* track = nullptr;
        int64_t every = 1;
        int64_t first = 0;  // in units of `every`
        int64_t last = 0;
        std::vector<double> differences;
    };
    // What a chunk's pass through its moments takes beside the longitudes, at the same moments.
    struct ChunkDue {
        std::vector<BodyStates> states;
        std::vector<TurnSamples> turns;
        // The first and last step at which something is due (none: first > last).
        std::pair<int64_t, int64_t> Steps() const;
    };
    // A pass of a body's latitude (or of the rate of its latitude or distance) through zero found among
    // its samples, before it is refined on the ephemeris.
    struct StatePending {
        Body body = Body::Earth;
        size_t search = 0;  // which quantity (see body_events.cpp)
        EventKind kind = EventKind::AscendingNode;
        double ta = 0.0;  // the bracket
        double tb = 0.0;
        bool up = true;  // the quantity passes zero going up
        double guess = 0.0;
        double slope = 0.0;
    };

    void AddPairTrack(const EventPair& pair);
    void AddBodyTrack(Body body, double natal);
    // The moving bodies' longitudes at the steps of the chunk, one sample before and after it included,
    // and what else is due.
    void SampleChunk(Samples& samples, ChunkDue& due, int64_t firstStep, int64_t endStep) const;
    // Each moving body's longitudes at its own coarser steps over the chunk's samples, and what else is
    // due, all taken moment by moment.
    std::vector<Coarse> SampleMoving(const Samples& samples, ChunkDue& due) const;
    // One body's longitude at every step of `samples`, from its coarse samples (unwrapped here) or, where
    // one of them is no position, from the source itself.
    void FillFromCoarse(Samples& samples, Body body, Coarse& coarse) const;
    void SearchChunk(int64_t firstStep, int64_t endStep, double from, double to, std::vector<Event>& out) const;
    // The targets of `track` the difference passes over `segment`; `near` is where the targets were last
    // looked up on this track.
    void FindCrossings(const Track& track, const Crossing& segment, size_t& near, std::vector<Pending>& pending) const;
    void Refine(const Pending& crossing, double to, std::vector<Event>& out) const;
    // The crossings of the chunk's tracks among its samples, steps firstStep … endStep − 1.
    void FindPending(const Samples& samples, int64_t firstStep, int64_t endStep, std::vector<Pending>& pending) const;
    // The misses at the turn of a pair's difference within [ta, tb], where it stops rising (`rising`) or
    // falling, if the turn lies within [from, to).
    void FindMisses(const Track& track, double ta, double tb, bool rising, double from, double to,
                    std::vector<Event>& out) const;
    // The misses among the turning pairs' samples.
    void SearchTurns(const std::vector<TurnSamples>& turns, double from, double to, std::vector<Event>& out) const;
    // The state bodies' samples due over the chunk's steps and the turning pairs' differences the misses
    // need, none taken yet (nothing where no kind asked for needs them).
    ChunkDue PlanDue(int64_t firstStep, int64_t endStep) const;
    // Takes what is due at `step`.
    void TakeDue(ChunkDue& due, int64_t step, double from) const;
    // The passes through zero among the state samples whose kinds are asked for (nodes, latitude extremes,
    // apsides).
    void FindStatePasses(const std::vector<BodyStates>& states, double from, std::vector<StatePending>& pending) const;
    // The event of such a pass, refined on the ephemeris, if it lies within [from, to).
    void RefineState(const StatePending& pass, double from, double to, std::vector<Event>& out) const;
    double Difference(const Track& track, double moment) const;
    double Longitude(Body body, double moment) const;

    const AstroModule& m_astro;
    EventFilter m_filter;
    platform::Convention m_convention;
    int16_t m_column = kOrbColumnOneMoment;
    std::vector<EventPair> m_pairs;
    std::vector<Body> m_moving;
    std::vector<Track> m_tracks;
    // The bodies whose latitude and distance are followed, when a kind needs them.
    std::vector<Body> m_stateBodies;
};

}  // namespace orvane::core
