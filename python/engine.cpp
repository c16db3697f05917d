#include "python/engine.h"

#include "app/option_values.h"
#include "app/compute.h"
#include "app/startup.h"
#include "app/typed_chart.h"
#include "core/positions.h"
#include "datetime/iso_dates.h"
#include "datetime/zoned_moments.h"
#include "platform/clock.h"
#include "platform/ephemeris.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace orvane::python {
namespace {

// The dates at which every body but Pluto has a position, as a refusal names them.
constexpr const char* kEphemerisRange = "-5400-01-01 … 5399-12-31";
constexpr double kDegrees = 360.0 / core::kTwoPi;
constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// A message as the console shows it: every CR LF a line feed, without the line breaks at its ends.
std::string ConsoleText(const std::string& text)
{
    return std::string(text::Trimmed(text::Replaced(text, "\r\n", "\n"), "\r\n"));
}

// The bits of the names in `names` (bit `index(name)`, which is 0 for no name) in `chosen`, left as they
// are when there are none; the first name that is none.
template <typename Index>
std::optional<std::string> NamedBits(const std::vector<std::string>& names, Index index, uint16_t& chosen)
{
    if (names.empty())
        return std::nullopt;
    chosen = 0;
    for (const std::string& name : names) {
        const int bit = index(name);
        if (bit <= 0)
            return name;
        chosen = static_cast<uint16_t>(chosen | 1u << bit);
    }
    return std::nullopt;
}

// A number as Python writes it, shortest first ("10", "361.5").
std::string NumberText(double value)
{
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    return ec == std::errc() ? std::string(text, end) : std::string();
}

}  // namespace

platform::Result<std::unique_ptr<Engine>> Engine::Start(const std::string& dataFolder)
{
    std::unique_ptr<Engine> engine(new Engine());
    const platform::SystemClock clock;
    // As the companion starts: no stored display options, zone lists without the North American
    // abbreviations.
    engine->m_store.Write(settings::kValueTZDisp, "0");
    const app::StartUpResult started = engine->m_program.StartUp(dataFolder, clock, engine->m_store);
    if (!started.programText)
        return platform::Result<std::unique_ptr<Engine>>(started.programText.failure());
    engine->m_program.configure.ApplyOrbs(engine->m_program.astro);
    return platform::Result<std::unique_ptr<Engine>>(std::move(engine));
}

std::string Engine::Text(int16_t number, const std::string& r1, const std::string& r2, const std::string& r3) const
{
    return ConsoleText(m_program.language.TextWithReplacements(number, r1, r2, r3));
}

platform::Result<double> Engine::Moment(const std::string& typed) const
{
    const platform::Result<datetime::PreciseMoment> read =
        datetime::ParsePreciseMoment(typed, datetime::MomentZone::Fixed(0), m_program.language);
    if (!read)
        return Refused<double>(ConsoleText(read.error().text));
    return platform::Result<double>(read.value().moment);
}

platform::Result<std::vector<core::Body>> Engine::Bodies(const std::vector<std::string>& names) const
{
    std::vector<core::Body> bodies;
    if (names.empty())
        bodies.assign(core::kBodies.begin(), core::kBodies.end());
    for (const std::string& name : names) {
        const std::optional<core::Body> body = core::BodyOfIndex(app::BodyIndex(name));
        if (!body)
            {
            const auto [number, value] = app::UnknownBodyReason(name);
            return Refused<std::vector<core::Body>>(Text(number, value));
        }
        bodies.push_back(*body);
    }
    return platform::Result<std::vector<core::Body>>(std::move(bodies));
}

platform::Result<platform::Convention> Engine::ConventionOf(const std::string& frame, const std::string& positions) const
{
    platform::Convention convention;
    const std::string f = text::LowerCase(frame);
    const std::string p = text::LowerCase(positions);
    if (!f.empty() && f != "j2000" && f != "date")
        return Refused<platform::Convention>(Text(text::kTextUnknownFrame, frame));
    if (!p.empty() && p != "geometric" && p != "apparent")
        return Refused<platform::Convention>(Text(text::kTextUnknownPositions, positions));
    convention.frame = f == "date" ? platform::Frame::OfDate : platform::Frame::J2000;
    convention.positions = p == "apparent" ? platform::PositionKind::Apparent : platform::PositionKind::Geometric;
    return platform::Result<platform::Convention>(convention);
}

platform::Result<void> Engine::CheckSpan(double from, double to) const
{
    if (to < from)
        return Refused<void>(Text(text::kTextSpanReversed, datetime::IsoText(from, 0), datetime::IsoText(to, 0)));
    for (const double moment : {from, to})
        for (int16_t body = core::kEarth; body <= core::kNeptune; ++body)
            if (m_program.astro.HelioLongitude(body, moment) < 0.0)
                return Refused<void>(
                    Text(text::kTextMomentOutOfRangeDate, datetime::IsoText(moment, 0), {}, kEphemerisRange));
    return {};
}

core::AstroModule Engine::AstroIn(platform::Convention convention, bool events) const
{
    core::AstroModule astro = m_program.astro;
    astro.convention = convention;
    const bool table = astro.PlutoDataReadOK();
    astro.bodyCount = events ? core::NumPlanetsFor(table) : core::NumPlanetsIn(convention, table);
    return astro;
}

void Engine::Positions(std::span<const double> moments, std::span<const core::Body> bodies,
                       platform::Convention convention, double* longitude, double* latitude, double* speed) const
{
    platform::ForgetSequence();  // each call as a fresh companion would run it
    // As the ephemeris command takes them: Pluto from its table in the default convention (where the table
    // was read), from the ephemeris in the others.
    const core::AstroModule& astro = m_program.astro;
    const int16_t bodyCount =
        core::PlutoFromTable(convention) ? core::NumPlanetsIn(convention, astro.PlutoDataReadOK()) : core::kPluto;
    // One ephemeris call a body and moment: the state with its speed holds the longitude too (Pluto's from
    // its table where the convention takes it from there, none beyond it).
    size_t at = 0;
    for (const double moment : moments) {
        for (const core::Body body : bodies) {
            const std::optional<platform::HelioState> state =
                core::IndexOf(body) <= bodyCount ? core::HelioStateOf(astro.pluto, body, moment, convention, true)
                                                 : std::nullopt;
            longitude[at] = state ? state->longitude * kDegrees : kNone;
            latitude[at] = state ? state->latitude * kDegrees : kNone;
            speed[at] = state ? state->longitudeSpeed * kDegrees : kNone;
            ++at;
        }
    }
}

platform::Result<void> Engine::ReadFilter(const EventRequest& request, core::EventFilter& filter) const
{
    if (const std::optional<std::string> wrong = NamedBits(request.bodies, app::BodyIndex, filter.bodies))
        {
        const auto [number, value] = app::UnknownBodyReason(*wrong);
        return Refused<void>(Text(number, value));
    }
    if (const std::optional<std::string> wrong = NamedBits(request.aspects, app::AspectIndex, filter.aspects))
        return Refused<void>(Text(text::kTextUnknownAspect, *wrong));
    const auto kind = [](const std::string& name) { return static_cast<int16_t>(app::KindIndex(name) + 1); };
    if (const std::optional<std::string> wrong = NamedBits(request.kinds, kind, filter.kinds))
        return Refused<void>(Text(text::kTextUnknownEventKind, *wrong));
    filter.kinds = static_cast<uint16_t>(request.kinds.empty() ? filter.kinds : filter.kinds >> 1);
    for (const double degree : request.degrees) {
        if (!(degree >= 0.0 && degree < 360.0))
            return Refused<void>(Text(text::kTextBadDegree, NumberText(degree)));
        filter.degrees.push_back((degree + 0.0) / 360.0 * core::kTwoPi);
    }
    std::sort(filter.degrees.begin(), filter.degrees.end());
    filter.degrees.erase(std::unique(filter.degrees.begin(), filter.degrees.end()), filter.degrees.end());
    if (filter.HasKind(core::EventKind::Cross) != !filter.degrees.empty())
        return Refused<void>(Text(filter.degrees.empty() ? text::kTextCrossNeedsDegrees : text::kTextDegreesNeedCross));
    for (const std::string& item : request.orbs) {
        if (const auto orb = app::AspectOrb(item)) {
            filter.orbs[static_cast<size_t>(orb->first)] = orb->second / 360.0 * core::kTwoPi;
            continue;
        }
        // Worded as the companion words a refused --orb: the aspect's name, the orb's range or the shape.
        const size_t sign = item.find('=');
        if (sign != std::string::npos && app::AspectIndex(item.substr(0, sign)) == 0)
            return Refused<void>(Text(text::kTextUnknownAspect, item.substr(0, sign)));
        const bool number = sign != std::string::npos && app::ReadNumber<double>(item.substr(sign + 1));
        return Refused<void>(Text(number ? text::kTextOrbOutOfRange : text::kTextBadOrb, item));
    }
    return {};
}

platform::Result<core::Mode> Engine::ChooseMode(const ChartRequest& request) const
{
    std::optional<core::Mode> mode;
    if (!request.mode.empty()) {
        const auto named = app::kModeNames.find(text::LowerCase(request.mode));
        if (named == app::kModeNames.end())
            return Refused<core::Mode>(Text(text::kTextBadValue, "--mode", request.mode));
        mode = named->second;
    }
    // The companion's choice, through the main window's model: a birthdate alone stands for the transits to
    // it, and the mode's birthdates must be given.
    const std::scoped_lock lock(m_modeLock);
    app::Workspace& program = m_program;
    const app::TypedChart chart{{"", request.birth, request.birth2}, mode};
    if (const platform::Result<void> chosen = app::ChooseTypedMode(program, chart, false, {true, true}); !chosen)
        return Refused<core::Mode>(ConsoleText(chosen.error().text));
    return platform::Result<core::Mode>(program.main.DetermineMode());
}

platform::Result<PreparedSearch> Engine::PrepareChart(const ChartRequest& request) const
{
    using Outcome = platform::Result<PreparedSearch>;
    PreparedSearch chart;
    const platform::Result<platform::Convention> convention = ConventionOf(request.frame, request.positions);
    if (!convention)
        return Outcome(convention.failure());
    chart.convention = convention.value();
    const platform::Result<core::Mode> mode = ChooseMode(request);
    if (!mode)
        return Outcome(mode.failure());
    chart.mode = mode.value();
    // The birthdates to the second, as the companion's span commands take them.
    const std::string* births[] = {&request.birth, &request.birth2};
    for (size_t row = 1; row < chart.moments.size(); ++row) {
        if (births[row - 1]->empty())
            continue;
        const platform::Result<double> moment = Moment(*births[row - 1]);
        if (!moment)
            return Outcome(moment.failure());
        chart.moments[row] = moment.value();
    }
    return Outcome(std::move(chart));
}

platform::Result<PreparedSearch> Engine::PrepareEvents(const EventRequest& request) const
{
    using Outcome = platform::Result<PreparedSearch>;
    core::EventFilter filter;
    if (const platform::Result<void> read = ReadFilter(request, filter); !read)
        return Outcome(read.failure());
    platform::Result<PreparedSearch> search = PrepareChart(request);
    if (!search)
        return search;
    search.value().filter = std::move(filter);
    const core::Mode mode = search.value().mode;
    if (mode == core::Mode::Synastry)
        return Refused<PreparedSearch>(Text(text::kTextSynastryNoEvents));
    if (search.value().filter.HasKind(core::EventKind::Return) && !core::IsPersonalTransitMode(mode))
        return Refused<PreparedSearch>(Text(text::kTextReturnNeedsBirthdate));
    if (const platform::Result<void> span = CheckSpan(request.from, request.to); !span)
        return Outcome(span.failure());
    return search;
}

std::vector<std::pair<double, core::AspectFound>> Engine::Aspects(const PreparedSearch& chart,
                                                                  std::span<const double> moments) const
{
    platform::ForgetSequence();  // each call as a fresh companion would run it
    // The grid of a workspace computing in the chart's convention, the world date taking each moment in
    // turn, as a step of the main window does.
    app::Workspace program = [this] {
        const std::scoped_lock lock(m_modeLock);
        return m_program;
    }();
    program.astro = AstroIn(chart.convention, true);
    std::array<double, core::kNumDateRows> rows = chart.moments;
    std::vector<std::pair<double, core::AspectFound>> found;
    for (const double moment : moments) {
        rows[static_cast<size_t>(core::kWorldDateRow)] = moment;
        for (const core::AspectFound& aspect : app::AspectsAt(program, chart.mode, rows).aspects)
            found.emplace_back(moment, aspect);
    }
    return found;
}

platform::Result<std::array<bool, core::kNumPatterns>> Engine::PatternsAsked(const std::vector<std::string>& names) const
{
    std::array<bool, core::kNumPatterns> asked{};
    asked.fill(names.empty());
    for (const std::string& name : names) {
        const int16_t pattern = app::PatternIndex(name);
        if (pattern < 0)
            return Refused<std::array<bool, core::kNumPatterns>>(Text(text::kTextUnknownPattern, name));
        asked[static_cast<size_t>(pattern)] = true;
    }
    return platform::Result<std::array<bool, core::kNumPatterns>>(asked);
}

platform::Result<std::vector<core::PatternOccurrence>> Engine::Patterns(const PatternRequest& request) const
{
    platform::ForgetSequence();  // each call as a fresh companion would run it
    using Outcome = platform::Result<std::vector<core::PatternOccurrence>>;
    if (request.geocentric)
        return GeoPatterns(request);
    core::LifetimeRequest lifetimes;
    const platform::Result<std::array<bool, core::kNumPatterns>> asked = PatternsAsked(request.patterns);
    if (!asked)
        return Outcome(asked.failure());
    lifetimes.patterns = asked.value();
    const platform::Result<std::vector<core::Body>> involving = Bodies(request.involving);
    if (!involving)
        return Outcome(involving.failure());
    const platform::Result<platform::Convention> convention = ConventionOf(request.frame, request.positions);
    if (const platform::Result<void> span = SpanOf(request, convention, lifetimes); !span)
        return Outcome(span.failure());
    lifetimes.midpointOrbPosition = m_program.configure.midpointOrbList.ListIndex();
    std::vector<core::PatternOccurrence> found;
    core::PatternLifetimes(AstroIn(convention.value(), false), lifetimes, [&](const core::PatternOccurrence& each) {
        if (request.involving.empty() || Involves(each, involving.value()))
            found.push_back(each);
    });
    return Outcome(std::move(found));
}

platform::Result<void> Engine::SpanOf(const PatternRequest& request,
                                      const platform::Result<platform::Convention>& convention,
                                      core::LifetimeRequest& lifetimes) const
{
    if (!convention)
        return platform::Result<void>(convention.failure());
    if (platform::Result<void> span = CheckSpan(request.from, request.to); !span)
        return span;
    lifetimes.from = request.from;
    lifetimes.to = request.to;
    lifetimes.convention = convention.value();
    return {};
}

bool Engine::Involves(const core::PatternOccurrence& occurrence, std::span<const core::Body> bodies)
{
    return std::all_of(bodies.begin(), bodies.end(), [&](core::Body body) {
        return std::find(occurrence.bodies.begin(), occurrence.bodies.end(), body) != occurrence.bodies.end();
    });
}

void Engine::Events(const PreparedSearch& search, double from, double to, const core::EventSink& sink) const
{
    platform::ForgetSequence();  // each call as a fresh companion would run it
    const core::AstroModule astro = AstroIn(search.convention, true);
    const core::EventSearch events(astro, search.mode, search.moments, search.filter, search.convention);
    events.Run(from, to, sink);
}

std::vector<display::OrbWindow> Engine::Windows(const PreparedSearch& search, double from, double to) const
{
    platform::ForgetSequence();  // each call as a fresh companion would run it
    const core::AstroModule astro = AstroIn(search.convention, true);
    return display::OrbWindows(astro, search.mode, search.moments, from, to, search.filter, search.convention);
}

platform::Result<CycleAnswer> Engine::Cycles(const std::string& first, const std::string& second, double from,
                                             double to, const std::string& frame, const std::string& positions) const
{
    platform::ForgetSequence();  // each call as a fresh companion would run it
    using Outcome = platform::Result<CycleAnswer>;
    const platform::Result<std::vector<core::Body>> bodies = Bodies({first, second});
    if (!bodies)
        return Outcome(bodies.failure());
    if (bodies.value()[0] == bodies.value()[1])
        return Refused<CycleAnswer>(Text(text::kTextCyclesSameBody, second));
    const platform::Result<platform::Convention> convention = ConventionOf(frame, positions);
    if (!convention)
        return Outcome(convention.failure());
    if (const platform::Result<void> span = CheckSpan(from, to); !span)
        return Outcome(span.failure());
    const core::CycleSearch search(AstroIn(convention.value(), false), bodies.value()[0], bodies.value()[1],
                                   convention.value());
    const auto name = [this](core::Body body) { return Tables().bodyNames[core::SlotOf(body)]; };
    return Outcome(CycleAnswer{name(search.Faster()), name(search.Slower()), search.Cycles(from, to)});
}

}  // namespace orvane::python
