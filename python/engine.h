#pragma once

// The engine behind the Python module: the program's models started once from the data folder, and the
// companion's computations over arrays of moments, read and refused as the companion reads and refuses
// its options. Nothing here knows Python: the bindings (module.cpp) convert, let go of the interpreter's
// lock and raise. Every method is const and may run on several threads at once; only the choice of a mode,
// which goes through the main window's model, takes a lock.

#include "app/workspace.h"
#include "charts/chart_record.h"
#include "core/cycles.h"
#include "core/aspect_result.h"
#include "core/events.h"
#include "core/geo_aspects.h"
#include "core/geo_events.h"
#include "core/pattern_lifetimes.h"
#include "display/orb_windows.h"
#include "platform/result.h"
#include "settings/settings_store.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace orvane::python {

// A refusal in the companion's words.
template <typename T>
platform::Result<T> Refused(std::string text)
{
    return platform::Result<T>(platform::ErrorCode::InvalidInput, platform::Message::Plain({}, std::move(text)));
}

// A chart's moments as the companion's options give them (aspects, events): the birthdates, the mode and
// the convention.
struct ChartRequest {
    std::string birth;
    std::string birth2;
    std::string mode;  // world, natal1, natal2, personal1, personal2, synastry; empty: as the companion chooses
    std::string frame;
    std::string positions;
    // A place (degrees, north and east positive): its Ascendant and Midheaven seen from the Earth.
    std::optional<double> latitude;
    std::optional<double> longitude;
};

// What an event search is asked, as the companion's events command takes it (names in any case, moments
// as ISO 8601 texts or Julian dates); empty lists and texts mean the companion's defaults.
struct EventRequest : ChartRequest {
    double from = 0.0;
    double to = 0.0;
    std::vector<std::string> kinds;
    std::vector<std::string> bodies;
    std::vector<std::string> aspects;
    std::vector<std::string> orbs;  // NAME=DEG, as --orb takes them
    std::vector<double> degrees;    // the longitudes of the kind cross, in degrees
};

// What a search for pattern lifetimes is asked, as the companion's patterns command takes it.
struct PatternRequest {
    double from = 0.0;
    double to = 0.0;
    std::vector<std::string> patterns;  // by name or number; empty: all
    std::vector<std::string> involving;
    std::string frame;
    std::string positions;
    bool geocentric = false;  // among the geocentric bodies (the involving ones named as they are)
};

// A search ready to run: the mode, the moments of its date rows, the filter and the convention.
struct PreparedSearch {
    core::Mode mode = core::Mode::None;
    std::array<double, 3> moments{};
    core::EventFilter filter;
    platform::Convention convention;
};

// The phases of a pair of bodies' synodic cycles over a span, the bodies by their names.
struct CycleAnswer {
    std::string faster;
    std::string slower;
    std::vector<core::SynodicCycle> cycles;
};

// A search of the events seen from the Earth, ready to run.
struct GeoSearch {
    core::GeoEventFilter filter;
    platform::Convention convention = platform::kGeocentricDefault;
};

class Engine {
public:
    // The models started from `dataFolder` (with a trailing '/'): the message when the program text
    // cannot be loaded.
    static platform::Result<std::unique_ptr<Engine>> Start(const std::string& dataFolder);

    // A moment as the companion reads a DATE: ISO 8601 with an offset, "Z" or a zone in brackets, UT
    // without one; the Julian date (UT).
    platform::Result<double> Moment(const std::string& typed) const;
    // The bodies by name or abbreviation (any case); every body for an empty list.
    platform::Result<std::vector<core::Body>> Bodies(const std::vector<std::string>& names) const;
    // --frame and --positions; the default convention for empty texts.
    platform::Result<platform::Convention> ConventionOf(const std::string& frame, const std::string& positions) const;
    // A span that runs forwards and lies within the ephemeris' range at both ends.
    platform::Result<void> CheckSpan(double from, double to) const;

    // For each moment (row) and body (column), row-major: the longitude, latitude (degrees) and the
    // longitude's speed (degrees a day), as the ephemeris command writes them; NaN where the body has no
    // position (Pluto beyond its table, a moment out of the ephemeris' range).
    void Positions(std::span<const double> moments, std::span<const core::Body> bodies, platform::Convention convention,
                   double* longitude, double* latitude, double* speed) const;

    platform::Result<PreparedSearch> PrepareEvents(const EventRequest& request) const;
    // The events of a prepared search, handed on in order; the sink's false ends the search.
    void Events(const PreparedSearch& search, double from, double to, const core::EventSink& sink) const;
    // Every stay within an orb of a prepared search.
    std::vector<display::OrbWindow> Windows(const PreparedSearch& search, double from, double to) const;

    // The chart's mode, birthdates and convention, without a filter (the aspects of the grid).
    platform::Result<PreparedSearch> PrepareChart(const ChartRequest& request) const;
    // The aspects the grid shows at each moment as the world date, as the aspects command lists them.
    std::vector<std::pair<double, core::AspectFound>> Aspects(const PreparedSearch& chart,
                                                              std::span<const double> moments) const;

    // The lifetimes of the patterns over a span, as the patterns command lists them.
    platform::Result<std::vector<core::PatternOccurrence>> Patterns(const PatternRequest& request) const;
    // The patterns asked for by name or number (every one for an empty list); refused for an unknown name.
    platform::Result<std::array<bool, core::kNumPatterns>> PatternsAsked(const std::vector<std::string>& names) const;
    // The request's span and `convention` into `lifetimes`, refused as the companion refuses them.
    platform::Result<void> SpanOf(const PatternRequest& request, const platform::Result<platform::Convention>& convention,
                                  core::LifetimeRequest& lifetimes) const;
    // Whether an occurrence involves every one of `bodies` (the pattern points of either perspective).
    static bool Involves(const core::PatternOccurrence& occurrence, std::span<const core::Body> bodies);

    // The synodic cycles of two bodies over a span.
    platform::Result<CycleAnswer> Cycles(const std::string& first, const std::string& second, double from, double to,
                                         const std::string& frame, const std::string& positions) const;

    // The same seen from the Earth (engine_geo.cpp), read and refused as the companion's --perspective
    // geocentric reads and refuses them: the bodies Sun, Moon, Mercury … Pluto (every one for an empty list),
    // apparent positions of date unless `frame` or `positions` say otherwise, world events and aspects only.
    platform::Result<std::vector<core::GeoBody>> GeoBodies(const std::vector<std::string>& names) const;
    platform::Result<platform::Convention> GeoConventionOf(const std::string& frame, const std::string& positions) const;
    void GeoPositions(std::span<const double> moments, std::span<const core::GeoBody> bodies,
                      platform::Convention convention, double* longitude, double* latitude, double* speed) const;
    platform::Result<GeoSearch> PrepareGeoEvents(const EventRequest& request, bool windows) const;
    // Refused when the ephemeris failed within the span.
    platform::Result<void> GeoEvents(const GeoSearch& search, double from, double to,
                                     const core::GeoEventSink& sink) const;
    // The convention of the sky's aspects for `request`; refused beside a chart's mode or birthdates.
    platform::Result<platform::Convention> PrepareGeoChart(const ChartRequest& request) const;
    platform::Result<std::vector<std::pair<double, core::GeoAspectFound>>>
    GeoAspects(platform::Convention convention, std::span<const double> moments,
               std::optional<core::GeoPlace> place = std::nullopt) const;
    // The place of a request seen from the Earth, refused as the companion refuses it: latitude and
    // longitude together, in the frame of date, for events (`events`) within the angles' latitude limit.
    platform::Result<std::optional<core::GeoPlace>> GeoPlaceOf(const ChartRequest& request,
                                                               platform::Convention convention, bool events) const;
    // The lifetimes of the patterns among them, the midpoints refused.
    platform::Result<std::vector<core::PatternOccurrence>> GeoPatterns(const PatternRequest& request) const;
    platform::Result<CycleAnswer> GeoCycles(const std::string& first, const std::string& second, double from,
                                            double to, const std::string& frame, const std::string& positions) const;

    // The charts of the library `file` (empty: the companion's, ORVANE_CHARTS honoured) whose words begin
    // with each word of `query`, sorted by name (engine_charts.cpp); refused where there is no library or it
    // cannot be read. The library is never made or changed.
    platform::Result<std::vector<charts::ChartRecord>> FindCharts(const std::string& query,
                                                                 const std::string& file) const;
    // A chart's moment as the text a birthdate takes back to the same instant.
    std::string ChartMoment(const charts::ChartRecord& chart) const;

    const core::AstroTables& Tables() const { return m_program.astro.tables; }
    // The program's text `number` with its values filled in, as the companion prints it.
    std::string Text(int16_t number, const std::string& r1 = {}, const std::string& r2 = {},
                     const std::string& r3 = {}) const;

private:
    Engine() = default;
    platform::Result<void> ReadFilter(const EventRequest& request, core::EventFilter& filter) const;
    platform::Result<core::Mode> ChooseMode(const ChartRequest& request) const;
    // A copy of the astronomical module in `convention`, with the number of bodies the companion's events
    // (`events`) or cycles take there.
    core::AstroModule AstroIn(platform::Convention convention, bool events) const;

    settings::MemorySettingsStore m_store;
    // Only the main window's model changes after start-up, when a mode is chosen, under m_modeLock.
    mutable app::Workspace m_program;
    mutable std::mutex m_modeLock;
};

}  // namespace orvane::python
