#pragma once

// The longitudes of the bodies over a span, taken from the ephemeris once and interpolated between: a
// search that asks for the same bodies at thousands of nearby moments reads each body only every few days.
//
// Each body is taken every SampleEvery(body, convention) days (Mercury, whose motion changes fastest, and
// Pluto from its table, which is cheap to read, every day), unwrapped into a continuous angle, and read
// between its samples by the cubic through the four nearest. For these steps the cubic stays far below an arcsecond of the
// ephemeris (Mercury's within a tenth of one, the others' within a few hundredths), so a moment found on the
// samples lies within a fraction of a second of the same moment found on the ephemeris.

#include "core/astro_module.h"

#include <array>
#include <optional>
#include <vector>

namespace orvane::core {

// Five minutes: in that time every pair of bodies moves its separation far more than the samples stray:
// a pair with the Earth or Mercury (whose samples stray by up to a tenth of an arcsecond) by ten
// arcseconds or more, a pair of the slow outer bodies (whose smooth orbits the samples follow to a few
// millionths of an arcsecond) by hundredths of one, unless their separation stands still.
inline constexpr double kSamplesEnoughMargin = 5.0 / 1440.0;

class LongitudeSamples {
public:
    // The bodies in use of `astro` from `from` to `to` (Julian dates, UT) in `convention`, with a margin of
    // samples either side for the cubics at the ends. The samples lie on the grid that starts at `grid`
    // (default: `from`), so that the samples of parts of one span read the same values as those of the
    // whole.
    LongitudeSamples(const AstroModule& astro, double from, double to, platform::Convention convention = {},
                     std::optional<double> grid = std::nullopt);

    // The longitude of `body` at `moment`, unwrapped: it grows without jumps through the span, so
    // differences of such values follow the bodies round the circle. NaN for a body without a position at
    // the nearby samples (Pluto beyond its table) or a moment outside the span.
    double Unwrapped(Body body, double moment) const;
    // The same, brought into 0 … 2π; negative when there is none.
    double Longitude(Body body, double moment) const;
    // The longitude of `body` at `moment` as the ephemeris gives it, to well within a tenth of an
    // arcsecond: Mercury, whose motion changes too fast for its daily cubic to be that close, read from the
    // ephemeris itself, the other bodies from their samples. Negative when there is none.
    double Precise(Body body, double moment) const;
    // Every body's position at `moment` as the pattern finders take it, for a moment at least `margin` days
    // from the nearest moment at which an aspect or a midpoint changes: from the samples when that margin
    // is kSamplesEnoughMargin or more, else from the ephemeris (and Pluto always from its table).
    ChartPositions PositionsAt(double moment, double margin) const;

    double From() const { return m_from; }
    double To() const { return m_to; }
    const AstroModule& Astro() const { return m_astro; }
    // The longitude from the ephemeris (or Pluto's table) itself, in the samples' convention.
    double Read(Body body, double moment) const { return m_astro.HelioLongitude(body, moment, m_convention); }

private:
    struct Track {
        double step = 1.0;           // days between samples
        double origin = 0.0;         // the moment of values[0]
        std::vector<double> values;  // unwrapped; NaN where the body has no position
    };

    const AstroModule& m_astro;
    platform::Convention m_convention;
    double m_from = 0.0;
    double m_to = 0.0;
    std::array<Track, kBodySlots> m_tracks;
};

}  // namespace orvane::core
