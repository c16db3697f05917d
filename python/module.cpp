// The native part of the Python module `orvane` (orvane/_orvane): the engine's computations over numpy
// arrays and plain columns. The package's Python part (orvane/__init__.py) turns moments of every kind
// into Julian dates and the columns into structured arrays; this file only converts, releases the
// interpreter's lock while the engine works, and raises a refusal as ValueError with its text.

#include "python/engine.h"

#include "core/geo_pattern_lifetimes.h"
#include "display/body_roles.h"
#include "text/text_numbers.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>

namespace py = pybind11;

namespace orvane::python {
namespace {

constexpr double kDegrees = 360.0 / core::kTwoPi;
constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// The engine of the process, started once by start().
std::unique_ptr<Engine>& TheEngine()
{
    static std::unique_ptr<Engine> engine;
    return engine;
}

const Engine& Started()
{
    if (!TheEngine())
        throw std::runtime_error("orvane: the engine was not started (import orvane starts it)");
    return *TheEngine();
}

// The value of a result, or its refusal raised as ValueError.
template <typename T>
T ValueOrRaise(platform::Result<T> result)
{
    if (!result)
        throw py::value_error(result.error().text);
    return std::move(result).value();
}

void RaiseIfRefused(const platform::Result<void>& result)
{
    if (!result)
        throw py::value_error(result.error().text);
}

void Start(const std::string& dataFolder)
{
    if (TheEngine())
        return;
    TheEngine() = ValueOrRaise(Engine::Start(dataFolder));
}

// The columns of a table: name → numpy array or list of texts.
using Columns = py::dict;

py::array_t<double> DoubleColumn(const std::vector<double>& values)
{
    py::array_t<double> column(static_cast<py::ssize_t>(values.size()));
    std::copy(values.begin(), values.end(), column.mutable_data());
    return column;
}

py::array_t<int64_t> CountColumn(const std::vector<int64_t>& values)
{
    py::array_t<int64_t> column(static_cast<py::ssize_t>(values.size()));
    std::copy(values.begin(), values.end(), column.mutable_data());
    return column;
}

// Whether `perspective` is the view from the Earth; refused unless it is one of the two.
bool Geocentric(const std::string& perspective)
{
    if (perspective == "geocentric")
        return true;
    if (perspective != "heliocentric" && !perspective.empty())
        throw py::value_error(Started().Text(text::kTextUnknownPerspective, perspective));
    return false;
}

// The positions of `names.size()` bodies at every moment: (moments × bodies) arrays of longitude, latitude
// and speed that `compute(moments, L, B, S)` fills without the interpreter's lock.
template <typename Compute>
py::tuple PositionArrays(const py::array_t<double, py::array::c_style | py::array::forcecast>& moments,
                         const py::list& names, const Compute& compute)
{
    const auto rows = static_cast<py::ssize_t>(moments.size());
    const auto columns = static_cast<py::ssize_t>(names.size());
    py::array_t<double> longitude({rows, columns});
    py::array_t<double> latitude({rows, columns});
    py::array_t<double> speed({rows, columns});
    {
        const std::span<const double> at(moments.data(), moments.size());
        double* L = longitude.mutable_data();
        double* B = latitude.mutable_data();
        double* S = speed.mutable_data();
        const py::gil_scoped_release unlocked;
        compute(at, L, B, S);
    }
    return py::make_tuple(names, longitude, latitude, speed);
}

py::tuple Positions(py::array_t<double, py::array::c_style | py::array::forcecast> moments,
                    const std::vector<std::string>& bodyNames, const std::string& frame, const std::string& positions,
                    const std::string& perspective)
{
    const Engine& engine = Started();
    py::list names;
    if (Geocentric(perspective)) {
        const std::vector<core::GeoBody> bodies = ValueOrRaise(engine.GeoBodies(bodyNames));
        const platform::Convention convention = ValueOrRaise(engine.GeoConventionOf(frame, positions));
        for (const core::GeoBody body : bodies)
            names.append(std::string(core::GeoBodyName(body)));
        return PositionArrays(moments, names, [&](std::span<const double> at, double* L, double* B, double* S) {
            engine.GeoPositions(at, bodies, convention, L, B, S);
        });
    }
    const std::vector<core::Body> bodies = ValueOrRaise(engine.Bodies(bodyNames));
    const platform::Convention convention = ValueOrRaise(engine.ConventionOf(frame, positions));
    for (const core::Body body : bodies)
        names.append(engine.Tables().bodyNames[core::SlotOf(body)]);
    return PositionArrays(moments, names, [&](std::span<const double> at, double* L, double* B, double* S) {
        engine.Positions(at, bodies, convention, L, B, S);
    });
}

std::vector<std::string> Texts(const py::dict& options, const char* key)
{
    return options.contains(key) ? options[key].cast<std::vector<std::string>>() : std::vector<std::string>();
}

std::string Text(const py::dict& options, const char* key)
{
    return options.contains(key) ? options[key].cast<std::string>() : std::string();
}

ChartRequest Chart(const py::dict& options)
{
    ChartRequest request;
    request.birth = Text(options, "birth");
    request.birth2 = Text(options, "birth2");
    request.mode = Text(options, "mode");
    request.frame = Text(options, "frame");
    request.positions = Text(options, "positions");
    for (const auto& [key, value] : {std::pair("latitude", &request.latitude), std::pair("longitude", &request.longitude)})
        if (options.contains(key) && !options[key].is_none())
            *value = options[key].cast<double>();
    return request;
}

// A place's angles exist only seen from the Earth: refused in the heliocentric view.
void RefusePlace(const ChartRequest& request)
{
    if (request.latitude || request.longitude)
        throw py::value_error(Started().Text(text::kTextAngleAspectsNeed));
}

EventRequest Request(double from, double to, const py::dict& options)
{
    EventRequest request;
    static_cast<ChartRequest&>(request) = Chart(options);
    request.from = from;
    request.to = to;
    const auto texts = [&options](const char* key) { return Texts(options, key); };
    request.kinds = texts("kinds");
    request.bodies = texts("bodies");
    request.aspects = texts("aspects");
    request.orbs = texts("orbs");
    if (options.contains("degrees"))
        request.degrees = options["degrees"].cast<std::vector<double>>();
    return request;
}

// The events as the companion's JSON holds them, column by column: jd_ut, kind, body1, aspect, body2,
// sign, value (degrees, or AU for a distance), role1, role2; "" and NaN where nothing applies.
class EventLists {
public:
    void Add(double moment, const std::string& kind, const std::string& body1, const std::string& aspect,
             const std::string& body2, const std::string& sign, double value, const std::string& role1,
             const std::string& role2)
    {
        m_moments.push_back(moment);
        m_values.push_back(value);
        m_kind.append(kind);
        m_body1.append(body1);
        m_aspect.append(aspect);
        m_body2.append(body2);
        m_sign.append(sign);
        m_role1.append(role1);
        m_role2.append(role2);
    }

    Columns Table() const
    {
        Columns columns;
        columns["jd_ut"] = DoubleColumn(m_moments);
        columns["kind"] = m_kind;
        columns["body1"] = m_body1;
        columns["aspect"] = m_aspect;
        columns["body2"] = m_body2;
        columns["sign"] = m_sign;
        columns["value"] = DoubleColumn(m_values);
        columns["role1"] = m_role1;
        columns["role2"] = m_role2;
        return columns;
    }

private:
    std::vector<double> m_moments, m_values;
    py::list m_kind, m_body1, m_aspect, m_body2, m_sign, m_role1, m_role2;
};

Columns EventColumns(const std::vector<core::Event>& events, core::Mode mode)
{
    const core::AstroTables& tables = Started().Tables();
    const display::PairRoles roles = display::EventRoles(mode);
    EventLists lists;
    for (const core::Event& event : events) {
        const bool distance = event.kind == core::EventKind::Perihelion || event.kind == core::EventKind::Aphelion;
        lists.Add(event.moment, core::kEventKindKeys[static_cast<size_t>(event.kind)],
                  tables.bodyNames[core::SlotOf(event.body1)],
                  event.aspect ? tables.NamesOf(*event.aspect).Name : std::string(),
                  event.body2 ? tables.bodyNames[core::SlotOf(*event.body2)] : std::string(),
                  event.kind == core::EventKind::Ingress ? tables.SignText[static_cast<size_t>(event.sign)].Name
                                                         : std::string(),
                  !event.value ? kNone : distance ? *event.value : *event.value * kDegrees,
                  display::RoleKey(roles.first), event.body2 ? display::RoleKey(roles.second) : "");
    }
    return lists.Table();
}

// The events seen from the Earth in the same columns: value a station's longitude in degrees, no roles.
Columns GeoEventColumns(const std::vector<core::GeoEvent>& events)
{
    const core::AstroTables& tables = Started().Tables();
    EventLists lists;
    for (const core::GeoEvent& event : events) {
        const bool station = event.kind == core::GeoEventKind::StationRetrograde ||
                             event.kind == core::GeoEventKind::StationDirect;
        lists.Add(event.moment, core::kGeoEventKindKeys[static_cast<size_t>(event.kind)],
                  std::string(core::GeoBodyName(event.body1)),
                  event.aspect ? tables.NamesOf(*event.aspect).Name : std::string(),
                  event.body2   ? std::string(core::GeoBodyName(*event.body2))
                  : event.angle ? std::string(core::GeoAngleName(*event.angle))
                                : std::string(),
                  event.sign >= 0 ? tables.SignText[static_cast<size_t>(event.sign)].Name : std::string(),
                  station ? event.longitude * kDegrees : kNone, "", "");
    }
    return lists.Table();
}

Columns GeoEvents(double from, double to, const py::dict& options, bool windows)
{
    const Engine& engine = Started();
    const GeoSearch search = ValueOrRaise(engine.PrepareGeoEvents(Request(from, to, options), windows));
    std::vector<core::GeoEvent> events;
    platform::Result<void> computed = [&] {
        const py::gil_scoped_release unlocked;
        return engine.GeoEvents(search, from, to, [&events](const core::GeoEvent& event) {
            events.push_back(event);
            return true;
        });
    }();
    RaiseIfRefused(computed);
    return GeoEventColumns(events);
}

Columns Events(double from, double to, const py::dict& options)
{
    if (Geocentric(Text(options, "perspective")))
        return GeoEvents(from, to, options, false);
    const Engine& engine = Started();
    const EventRequest request = Request(from, to, options);
    RefusePlace(request);
    const PreparedSearch search = ValueOrRaise(engine.PrepareEvents(request));
    std::vector<core::Event> events;
    {
        const py::gil_scoped_release unlocked;
        engine.Events(search, from, to, [&events](const core::Event& event) {
            events.push_back(event);
            return true;
        });
    }
    return EventColumns(events, search.mode);
}

// Every stay within an orb: enter, leave (NaN where the span cuts the stay), duration_days, exact (the
// first exact moment, NaN for none), exacts (how many), body1, aspect, body2, tightest_orb (degrees),
// role1, role2.
Columns Windows(double from, double to, const py::dict& options)
{
    if (Geocentric(Text(options, "perspective")))
        return GeoEvents(from, to, options, true);
    const Engine& engine = Started();
    const PreparedSearch search = ValueOrRaise(engine.PrepareEvents(Request(from, to, options)));
    std::vector<display::OrbWindow> windows;
    {
        const py::gil_scoped_release unlocked;
        windows = engine.Windows(search, from, to);
    }
    const core::AstroTables& tables = engine.Tables();
    const display::PairRoles roles = display::EventRoles(search.mode);
    std::vector<double> enter, leave, days, exact, orb;
    std::vector<int64_t> exacts;
    py::list body1, aspect, body2, role1, role2;
    for (const display::OrbWindow& window : windows) {
        enter.push_back(window.bar.openStart ? kNone : window.bar.from);
        leave.push_back(window.bar.openEnd ? kNone : window.bar.to);
        days.push_back(window.Days().value_or(kNone));
        exact.push_back(window.bar.exacts.empty() ? kNone : window.bar.exacts.front());
        exacts.push_back(static_cast<int64_t>(window.bar.exacts.size()));
        orb.push_back(window.tightest * kDegrees);
        body1.append(tables.bodyNames[core::SlotOf(window.pair.body1)]);
        aspect.append(tables.NamesOf(window.aspect).Name);
        body2.append(tables.bodyNames[core::SlotOf(window.pair.body2)]);
        role1.append(display::RoleKey(roles.first));
        role2.append(display::RoleKey(roles.second));
    }
    Columns columns;
    columns["enter"] = DoubleColumn(enter);
    columns["leave"] = DoubleColumn(leave);
    columns["duration_days"] = DoubleColumn(days);
    columns["exact"] = DoubleColumn(exact);
    columns["exacts"] = CountColumn(exacts);
    columns["body1"] = body1;
    columns["aspect"] = aspect;
    columns["body2"] = body2;
    columns["tightest_orb"] = DoubleColumn(orb);
    columns["role1"] = role1;
    columns["role2"] = role2;
    return columns;
}

// An aspect's second point: its body, or seen from the Earth the place's angle.
template <typename Found, typename Name>
std::string SecondName(const Found& found, const Name& name)
{
    return name(found.body2);
}

template <typename Name>
std::string SecondName(const core::GeoAspectFound& found, const Name& name)
{
    return found.angle ? std::string(core::GeoAngleName(*found.angle)) : name(found.body2);
}

// The aspects the grid shows at each moment, as the aspects command lists them: jd_ut, body1 (the grid's
// row body), aspect, body2, deviation (degrees), applying, role1, role2; `name` names a body.
template <typename Found, typename Name>
Columns AspectColumns(const std::vector<std::pair<double, Found>>& found, const Name& name,
                      const display::PairRoles& roles)
{
    std::vector<double> moment, deviation;
    py::array_t<bool> applying(static_cast<py::ssize_t>(found.size()));
    py::list body1, aspect, body2, role1, role2;
    for (const auto& [at, each] : found) {
        applying.mutable_data()[moment.size()] = each.motion == core::Motion::Applying;
        moment.push_back(at);
        deviation.push_back(each.deviation * kDegrees);
        body1.append(name(each.body1));
        aspect.append(Started().Tables().AspectText[core::SlotOf(each.aspect)].Name);
        body2.append(SecondName(each, name));
        role1.append(display::RoleKey(roles.first));
        role2.append(display::RoleKey(roles.second));
    }
    Columns columns;
    columns["jd_ut"] = DoubleColumn(moment);
    columns["body1"] = body1;
    columns["aspect"] = aspect;
    columns["body2"] = body2;
    columns["deviation"] = DoubleColumn(deviation);
    columns["applying"] = applying;
    columns["role1"] = role1;
    columns["role2"] = role2;
    return columns;
}

// The sky's aspects seen from the Earth at each moment, in the same columns (no roles).
Columns GeoAspects(py::array_t<double, py::array::c_style | py::array::forcecast> moments, const py::dict& options)
{
    const Engine& engine = Started();
    const ChartRequest request = Chart(options);
    const platform::Convention convention = ValueOrRaise(engine.PrepareGeoChart(request));
    const std::optional<core::GeoPlace> place = ValueOrRaise(engine.GeoPlaceOf(request, convention, false));
    for (size_t k = 0; k < static_cast<size_t>(moments.size()); ++k)
        RaiseIfRefused(engine.CheckSpan(moments.data()[k], moments.data()[k]));
    platform::Result<std::vector<std::pair<double, core::GeoAspectFound>>> answer = [&] {
        const std::span<const double> at(moments.data(), moments.size());
        const py::gil_scoped_release unlocked;
        return engine.GeoAspects(convention, at, place);
    }();
    const auto name = [](core::GeoBody body) { return std::string(core::GeoBodyName(body)); };
    return AspectColumns(ValueOrRaise(std::move(answer)), name, {});
}

Columns Aspects(py::array_t<double, py::array::c_style | py::array::forcecast> moments, const py::dict& options)
{
    if (Geocentric(Text(options, "perspective")))
        return GeoAspects(std::move(moments), options);
    const Engine& engine = Started();
    const ChartRequest request = Chart(options);
    RefusePlace(request);
    const PreparedSearch chart = ValueOrRaise(engine.PrepareChart(request));
    for (size_t k = 0; k < static_cast<size_t>(moments.size()); ++k)
        RaiseIfRefused(engine.CheckSpan(moments.data()[k], moments.data()[k]));
    std::vector<std::pair<double, core::AspectFound>> found;
    {
        const std::span<const double> at(moments.data(), moments.size());
        const py::gil_scoped_release unlocked;
        found = engine.Aspects(chart, at);
    }
    const auto name = [&engine](core::Body body) { return engine.Tables().bodyNames[core::SlotOf(body)]; };
    return AspectColumns(found, name, display::GridRoles(chart.mode));
}

// The lifetimes of the patterns, as the patterns command lists them: begin, end (NaN where the span cuts
// the life), pattern, bodies (names joined by '-'), peak, peak_deviation (degrees), duration_days.
Columns Patterns(double from, double to, const py::dict& options)
{
    const Engine& engine = Started();
    PatternRequest request{from,
                           to,
                           Texts(options, "patterns"),
                           Texts(options, "involving"),
                           Text(options, "frame"),
                           Text(options, "positions"),
                           Geocentric(Text(options, "perspective"))};
    platform::Result<std::vector<core::PatternOccurrence>> answer = [&] {
        const py::gil_scoped_release unlocked;
        return engine.Patterns(request);
    }();
    const std::vector<core::PatternOccurrence> found = ValueOrRaise(std::move(answer));
    const core::AstroTables& tables = engine.Tables();
    std::vector<double> begin, end, peak, deviation, days;
    py::list pattern, bodies;
    for (const core::PatternOccurrence& each : found) {
        begin.push_back(each.begin.value_or(kNone));
        end.push_back(each.end.value_or(kNone));
        peak.push_back(each.peak);
        deviation.push_back(each.peakDeviation * kDegrees);
        days.push_back(each.begin && each.end ? *each.end - *each.begin : kNone);
        pattern.append(tables.patternNames[static_cast<size_t>(each.pattern)]);
        std::string names;
        for (const core::Body body : each.bodies) {
            const std::optional<core::GeoBody> geo = core::GeoBodyOfPoint(body);
            names += (names.empty() ? "" : "-");
            names += request.geocentric && geo ? std::string(core::GeoBodyName(*geo)) : tables.bodyNames[core::SlotOf(body)];
        }
        bodies.append(names);
    }
    Columns columns;
    columns["begin"] = DoubleColumn(begin);
    columns["end"] = DoubleColumn(end);
    columns["pattern"] = pattern;
    columns["bodies"] = bodies;
    columns["peak"] = DoubleColumn(peak);
    columns["peak_deviation"] = DoubleColumn(deviation);
    columns["duration_days"] = DoubleColumn(days);
    return columns;
}

// One row per phase of every cycle: cycle (1, 2 …), cycle_start, cycle_end (NaN while open), jd_ut,
// phase (degrees of the synodic angle: 0, 45, 90 …), aspect; the faster and slower body beside.
Columns Cycles(const std::string& first, const std::string& second, double from, double to, const std::string& frame,
               const std::string& positions, const std::string& perspective)
{
    const Engine& engine = Started();
    const bool geocentric = Geocentric(perspective);
    platform::Result<CycleAnswer> answer = [&] {
        const py::gil_scoped_release unlocked;
        return geocentric ? engine.GeoCycles(first, second, from, to, frame, positions)
                          : engine.Cycles(first, second, from, to, frame, positions);
    }();
    const CycleAnswer found = ValueOrRaise(std::move(answer));
    const core::AstroTables& tables = engine.Tables();
    std::vector<int64_t> number, phase;
    std::vector<double> start, end, moment;
    py::list aspect;
    for (size_t k = 0; k < found.cycles.size(); ++k)
        for (const core::CyclePhase& each : found.cycles[k].phases) {
            number.push_back(static_cast<int64_t>(k + 1));
            start.push_back(found.cycles[k].start);
            end.push_back(found.cycles[k].end.value_or(kNone));
            moment.push_back(each.moment);
            phase.push_back(each.degrees);
            aspect.append(tables.NamesOf(each.aspect).Name);
        }
    Columns columns;
    columns["cycle"] = CountColumn(number);
    columns["cycle_start"] = DoubleColumn(start);
    columns["cycle_end"] = DoubleColumn(end);
    columns["jd_ut"] = DoubleColumn(moment);
    columns["phase"] = CountColumn(phase);
    columns["aspect"] = aspect;
    columns["faster"] = found.faster;
    columns["slower"] = found.slower;
    return columns;
}

// The charts a query finds, one dict each with the keys of the companion's charts list --format json and
// "birth", the moment as a birthdate takes it.
py::list FindCharts(const std::string& query, const std::string& file)
{
    const Engine& engine = Started();
    platform::Result<std::vector<charts::ChartRecord>> answer = [&] {
        const py::gil_scoped_release unlocked;
        return engine.FindCharts(query, file);
    }();
    py::list found;
    for (const charts::ChartRecord& chart : ValueOrRaise(std::move(answer))) {
        py::dict record;
        record["id"] = chart.id;
        record["name"] = chart.name;
        record["first_name"] = chart.firstName;
        record["kind"] = std::string(charts::KindWord(chart.kind));
        record["birth"] = engine.ChartMoment(chart);
        record["jd_ut"] = chart.moment.moment;
        record["time_known"] = chart.timeKnown;
        record["place"] = chart.place.name;
        record["region"] = chart.place.region;
        record["country_code"] = chart.place.countryCode;
        record["latitude"] = chart.place.latitude ? py::object(py::float_(*chart.place.latitude)) : py::none();
        record["longitude"] = chart.place.longitude ? py::object(py::float_(*chart.place.longitude)) : py::none();
        record["source"] = chart.source;
        record["reliability"] = chart.reliability;
        record["notes"] = chart.notes;
        record["tags"] = chart.tags;
        found.append(record);
    }
    return found;
}

}  // namespace
}  // namespace orvane::python

PYBIND11_MODULE(_orvane, module)
{
    using namespace orvane::python;
    module.doc() = "The native engine of orvane; use the functions of the package orvane.";
    module.def("start", &Start, py::arg("data_folder"),
               "Starts the engine from the folder of qvs.dat and hpluto.2199.slx (once a process).");
    module.def(
        "moment", [](const std::string& typed) { return ValueOrRaise(Started().Moment(typed)); }, py::arg("text"),
        "The Julian date (UT) of a moment as the companion reads a DATE.");
    module.def("positions", &Positions, py::arg("jd"), py::arg("bodies"), py::arg("frame"), py::arg("positions"),
               py::arg("perspective"),
               "Body names and (moments × bodies) arrays of longitude, latitude and speed in degrees.");
    module.def("events", &Events, py::arg("start"), py::arg("end"), py::arg("options"),
               "The events of a span as columns.");
    module.def("windows", &Windows, py::arg("start"), py::arg("end"), py::arg("options"),
               "The stays within an orb of a span as columns.");
    module.def("aspects", &Aspects, py::arg("jd"), py::arg("options"),
               "The grid's aspects at each moment as columns.");
    module.def("patterns", &Patterns, py::arg("start"), py::arg("end"), py::arg("options"),
               "The lifetimes of the patterns in a span as columns.");
    module.def("cycles", &Cycles, py::arg("body1"), py::arg("body2"), py::arg("start"), py::arg("end"),
               py::arg("frame"), py::arg("positions"), py::arg("perspective"),
               "The synodic cycles' phases of two bodies as columns.");
    module.def("find_charts", &FindCharts, py::arg("query"), py::arg("file"),
               "The charts of a library whose words begin with the query's, as dicts.");
    module.def(
        "check_span",
        [](double from, double to) { RaiseIfRefused(Started().CheckSpan(from, to)); }, py::arg("start"),
        py::arg("end"), "Refuses a span that runs backwards or leaves the ephemeris' range.");
}
