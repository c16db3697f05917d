#pragma once

// The synodic cycle of two bodies: from one conjunction to the next, the faster body laps the slower one.
//
// The phase angle is the faster body's lead, L_fast − L_slow, brought into 0 … 2π: it grows through the
// cycle (waxing up to the opposition at π, waning after it) and falls back to 0 at the next conjunction.
// "Faster" means the shorter mean orbital period (Mercury, Venus, Earth, Mars … Pluto), so the phase of a
// pair is always taken the same way round, whichever body is named first. Only Neptune and Pluto can
// trade places for a while (Pluto near perihelion outruns Neptune): there the phase turns back for some
// years and a phase angle may be passed three times, listed each time in the order of time.
//
// The phases within a cycle are the moments at which the phase angle passes a multiple of 30°: the seven
// aspects of the grid, waxing and waning — semisextile 30°, sextile 60°, square 90°, trine 120°, quincunx
// 150°, opposition 180°, then quincunx 210°, trine 240°, square 270°, sextile 300°, semisextile 330°.
// They are the exact moments of the event search (core/events.h), so each is as precise as an exact
// aspect there.

#include "core/astro_module.h"
#include "core/events.h"

#include <optional>
#include <utility>
#include <vector>

namespace orvane::core {

// One phase of a cycle: the moment the phase angle reaches `degrees` (30, 60 … 330).
struct CyclePhase {
    double moment = 0.0;  // Julian date, UT
    int16_t degrees = 0;
    Aspect aspect = Aspect::Conjunction;
};

// One cycle: its conjunction, the phases after it in the order of time, and the next conjunction, where
// it is found (none when it lies beyond the positions known, such as Pluto's table).
struct SynodicCycle {
    double start = 0.0;
    std::optional<double> end;
    std::vector<CyclePhase> phases;

    std::optional<double> LengthDays() const
    {
        return end ? std::optional<double>(*end - start) : std::nullopt;
    }
};

// The aspect whose angle a phase of `degrees` (a multiple of 30, 0 … 330) is, waxing or waning.
Aspect AspectOfPhase(int16_t degrees);

// The body with the shorter mean orbital period.
Body FasterBody(Body a, Body b);

// The mean time between two conjunctions of two different bodies, in days.
double MeanSynodicDays(Body a, Body b);

// Gathers the cycles of a search over [from − reach, to + reach) from its exact phases in the order of
// time: the cycle in progress at `from` (the last begun by then) and every cycle begun before `to`.
class CycleGatherer {
public:
    CycleGatherer(double from, double to) : m_from(from), m_to(to) {}
    // One phase of `degrees` (0 for a conjunction) at `moment`; false once the search may end (a conjunction
    // at or after `to` closed the last cycle).
    bool Phase(double moment, int16_t degrees);
    std::vector<SynodicCycle> Cycles() && { return std::move(m_cycles); }

private:
    double m_from;
    double m_to;
    std::vector<SynodicCycle> m_cycles;
};

class CycleSearch {
public:
    // The cycles of two different bodies with the ephemeris and bodies of `astro`, of which the search keeps
    // a copy with orbs of its own: every exact aspect is a phase, whatever the program's orbs. Every position
    // is taken in `convention`.
    CycleSearch(const AstroModule& astro, Body a, Body b, platform::Convention convention = {});

    Body Faster() const { return m_faster; }
    Body Slower() const { return m_slower; }

    // The cycle in progress at `from` and every cycle that begins after it and before `to`, each whole: its
    // phases may lie before `from` or after `to`. The conjunction that began the cycle in progress is looked
    // for up to one and a half mean cycles back; where none is found there (the positions end), the first
    // cycle shown is the first that begins after `from`.
    std::vector<SynodicCycle> Cycles(double from, double to) const;

    // The phase angle (radians, 0 … 2π) at `moment`; none when a body has no position there.
    std::optional<double> PhaseAt(double moment) const;

private:
    AstroModule m_astro;
    platform::Convention m_convention;
    Body m_faster;
    Body m_slower;
};

}  // namespace orvane::core
