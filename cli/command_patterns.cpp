#include "cli/session.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "core/geo_pattern_lifetimes.h"
#include "core/pattern_lifetimes.h"
#include "datetime/date_input.h"
#include "datetime/datepr2.h"
#include "datetime/iso_dates.h"
#include "display/angle_texts.h"
#include "platform/moment.h"
#include "text/text_numbers.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>

namespace orvane::cli {
namespace {

// Width in characters, not bytes: German words hold umlauts.
std::string Padded(std::string text, size_t width)
{
    size_t characters = 0;
    for (const char c : text)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    if (characters < width)
        text.append(width - characters, ' ');
    return text;
}

// The bodies' English names joined by '-': the heliocentric bodies', or the geocentric ones' that the
// patterns' points stand for.
std::string BodiesText(const std::vector<core::Body>& bodies, core::Perspective perspective)
{
    std::string text;
    for (const core::Body body : bodies) {
        const std::optional<core::GeoBody> geo = core::GeoBodyOfPoint(body);
        text += (text.empty() ? "" : "-");
        text += perspective == core::Perspective::Geocentric && geo ? std::string(core::GeoBodyName(*geo))
                                                                    : NameTables().bodyNames[core::SlotOf(body)];
    }
    return text;
}

// How long an occurrence lasted, in days; unknown when the span cut it at either end.
std::optional<double> DurationDays(const core::PatternOccurrence& occurrence)
{
    if (!occurrence.begin || !occurrence.end)
        return std::nullopt;
    return *occurrence.end - *occurrence.begin;
}

constexpr double kOneSecond = 1.0 / platform::kSecondsPerDay;
constexpr size_t kMomentWidth = 25;
constexpr size_t kDurationWidth = 14;
constexpr size_t kPatternWidth = 14;
constexpr size_t kBodiesWidth = 44;

// Writes the occurrences as text, CSV or JSON, their times in the heading's zone (a tz zone's offset
// following each moment).
class LifetimeWriter {
public:
    LifetimeWriter(std::ostream& out, TableFormat format, int16_t language, TableHeading heading)
        : m_out(out), m_format(format), m_language(language), m_heading(std::move(heading)), m_json(out)
    {
        if (m_format == TableFormat::Csv) {
            m_out << display::CsvLine(
                {"begin", "end", "pattern", "bodies", "peak", "peak_deviation", "duration_days"});
        } else if (m_format == TableFormat::Json) {
            m_json.SetMetadata(HeadingMetadata(m_heading));
        } else {
            Line(HeadingLine(m_heading, m_language));
            Line(Padded(OwnText(text::kTextColumnFormed, m_language), kMomentWidth) + "  " +
                 Padded(OwnText(text::kTextColumnDissolved, m_language), kMomentWidth) + "  " +
                 Padded(OwnText(text::kTextColumnDuration, m_language), kDurationWidth) + "  " +
                 Padded(OwnText(text::kTextColumnPattern, m_language), kPatternWidth) + "  " +
                 Padded(OwnText(text::kTextColumnBodies, m_language), kBodiesWidth) + "  " +
                 Padded(OwnText(text::kTextColumnTightest, m_language), kMomentWidth) + "  " +
                 OwnText(text::kTextColumnDeviation, m_language));
        }
    }

    void Occurrence(const core::PatternOccurrence& occurrence)
    {
        const std::string& pattern = NameTables().patternNames[static_cast<size_t>(occurrence.pattern)];
        const std::string bodies = BodiesText(occurrence.bodies, m_heading.perspective);
        const double degrees = occurrence.peakDeviation / core::kTwoPi * 360.0;
        const std::optional<double> duration = DurationDays(occurrence);
        const auto iso = [this](const std::optional<double>& moment) {
            return moment ? datetime::IsoText(*moment, ZoneAt(*moment)) : std::string();
        };
        if (m_format == TableFormat::Csv) {
            m_out << display::CsvLine({iso(occurrence.begin), iso(occurrence.end), pattern, bodies,
                                       iso(occurrence.peak), Fixed6(degrees), duration ? Fixed6(*duration) : ""});
        } else if (m_format == TableFormat::Json) {
            // A life that reaches beyond the span has no begin or end: an empty text, written as null.
            const std::string begin = iso(occurrence.begin);
            const std::string end = iso(occurrence.end);
            const std::string peak = iso(occurrence.peak);
            m_json.Row({{"begin", display::TextOrNull(begin)},
                        {"end", display::TextOrNull(end)},
                        {"pattern", pattern},
                        {"bodies", bodies},
                        {"peak", peak},
                        {"peak_deviation", degrees},
                        {"duration_days", duration ? display::JsonValue(*duration) : display::JsonValue(nullptr)}});
        } else {
            const auto moment = [this](const std::optional<double>& at, int16_t otherwise) {
                return at ? TextMoment(*at, ZoneAt(*at), m_language, m_heading.zoneName) : "(" + OwnText(otherwise, m_language) + ")";
            };
            Line(Padded(moment(occurrence.begin, text::kTextBeforeSpan), kMomentWidth) + "  " +
                 Padded(moment(occurrence.end, text::kTextAfterSpan), kMomentWidth) + "  " +
                 Padded(duration ? DurationInDays(*duration, m_language) : "", kDurationWidth) + "  " +
                 Padded(pattern, kPatternWidth) + "  " + Padded(bodies, kBodiesWidth) + "  " +
                 Padded(TextMoment(occurrence.peak, ZoneAt(occurrence.peak), m_language, m_heading.zoneName), kMomentWidth) + "  " +
                 display::Rad2DegMin(occurrence.peakDeviation));
        }
    }

    void End()
    {
        if (m_format == TableFormat::Json)
            m_json.End();
        m_out.flush();
    }

private:
    int32_t ZoneAt(double moment) const { return ZoneMinutesAt(m_heading.zoneName, m_heading.zoneMinutes, moment); }

    void Line(std::string line) { WriteTextLine(m_out, std::move(line)); }

    std::ostream& m_out;
    TableFormat m_format;
    int16_t m_language;
    TableHeading m_heading;
    display::JsonArrayWriter m_json;
};

bool Involves(const core::PatternOccurrence& occurrence, const std::vector<int16_t>& bodies)
{
    return std::all_of(bodies.begin(), bodies.end(), [&](int16_t body) {
        return std::any_of(occurrence.bodies.begin(), occurrence.bodies.end(),
                           [body](core::Body b) { return core::IndexOf(b) == body; });
    });
}

}  // namespace

int Session::Patterns()
{
    double start = m_environment.nowMoment;
    if (!m_line.state.empty()) {
        if (const int code = LoadState(); code != kExitSuccess)
            return code;
        if (m_line.from.empty()) {
            const platform::Result<double> moment =
                datetime::InputDateToAJDate(m_program.main, core::kWorldDateRow, m_program.language);
            if (!moment)
                return DateError(moment.error());
            start = moment.value();
        }
    }
    m_program.configure.ApplyOrbs(m_program.astro);
    m_program.astro.bodyCount = core::NumPlanetsIn(m_line.convention, m_program.astro.PlutoDataReadOK());
    const double from = m_line.from.empty() ? start : MomentOf(m_line.from);
    const double to = m_line.to.empty() ? datetime::OneYearLater(from) : MomentOf(m_line.to);
    if (const int code = CheckSpan(from, to); code != kExitSuccess)
        return code;

    core::LifetimeRequest request;
    request.from = from;
    request.to = to;
    request.patterns = m_line.patterns;
    request.midpointOrbPosition = m_program.configure.midpointOrbList.ListIndex();
    request.convention = m_line.convention;
    LifetimeWriter writer(m_out, m_line.format, m_line.language, Words().heading);
    const auto sink = [&](const core::PatternOccurrence& occurrence) {
        if (Involves(occurrence, m_line.involving))
            writer.Occurrence(occurrence);
    };
    if (m_line.perspective == core::Perspective::Geocentric) {
        request.convention = m_line.geoConvention;
        const bool computed = core::GeoPatternLifetimes(m_program.astro, request, sink);
        writer.End();
        if (!computed) {
            m_err << OwnText(text::kTextMomentOutOfRange, m_line.language, MomentText(from)) << '\n';
            return kExitBadInput;
        }
        return kExitSuccess;
    }
    core::PatternLifetimes(m_program.astro, request, sink);
    writer.End();
    return kExitSuccess;
}

int Session::FoundAtFormation(double before, double found, const platform::Message& message)
{
    core::LifetimeRequest request;
    request.from = before;
    // The step's own moment belongs to the span: the run found the pattern there.
    request.to = found + kOneSecond;
    request.patterns.fill(false);
    request.patterns[static_cast<size_t>(m_line.pattern)] = true;
    request.midpointOrbPosition = m_program.configure.midpointOrbList.ListIndex();
    request.convention = m_line.convention;
    const std::vector<core::PatternOccurrence> occurrences = core::PatternLifetimes(m_program.astro, request);
    std::vector<core::Body> involving;
    for (const int16_t body : m_line.planets)
        if (body > 0)
            involving.push_back(static_cast<core::Body>(body));
    const int count = m_line.atLeast >= 2 ? static_cast<int>(m_line.atLeast) : 1;
    const std::optional<double> formed = core::FirstFormation(occurrences, before, count, involving);
    if (!formed)
        return -1;
    if (m_line.format == TableFormat::Text) {
        PrintMessage(m_out, message);
        m_out << OwnText(text::kTextFormedAt, m_line.language, datetime::IsoText(*formed, 0)) << '\n';
    } else {
        FoundTable(*formed);
    }
    return kExitSuccess;
}

}  // namespace orvane::cli
