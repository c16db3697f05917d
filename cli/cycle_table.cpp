#include "cli/cycle_table.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "datetime/iso_dates.h"
#include "text/language.h"
#include "text/text_numbers.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <utility>

namespace orvane::cli {
namespace {

constexpr size_t kPhaseWidth = 5;  // "330°" right-aligned under "Phase"

// A moment in a sentence: the text table's date and time with single blanks, and the zone.
std::string MomentInWords(double moment, int32_t zone, const std::string& zoneName, int16_t language)
{
    const std::string columns = TextTimeColumns(moment, ZoneMinutesAt(zoneName, zone, moment), language, 0, zoneName);
    std::string words;
    for (const char c : columns)
        if (c != ' ' || (!words.empty() && words.back() != ' '))
            words += c;
    return words + " " + (zoneName.empty() ? TimeHeadingText("", zone).substr(1) : "(" + zoneName + ")");
}

}  // namespace

std::string CycleTable::TimeHeading() const
{
    const std::string time = Words(text::kTextColumnTime);
    return m_zoneName.empty() ? TimeHeadingText(time, m_zone) : time + " (" + m_zoneName + ")";
}

CycleTable::CycleTable(std::ostream& out, TableFormat format, int16_t language, const core::AstroTables& tables,
                       std::string faster, std::string slower, TableHeading heading)
    : m_out(out), m_format(format), m_zone(heading.zoneMinutes), m_zoneName(heading.zoneName), m_language(language),
      m_tables(tables), m_faster(std::move(faster)), m_slower(std::move(slower)), m_heading(std::move(heading)), m_json(out)
{
}

std::string CycleTable::Words(int16_t number, const std::string& r1, const std::string& r2) const
{
    return OwnText(number, m_language, r1, r2);
}

std::string CycleTable::Number(double value, int decimals) const
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string number = text;
    if (m_language == text::langGerman)
        for (char& c : number)
            c = c == '.' ? ',' : c;
    return number;
}

void CycleTable::Begin(double moment, std::optional<double> phase)
{
    const std::string& faster = m_faster;
    const std::string& slower = m_slower;
    if (m_format == TableFormat::Csv)
        m_out << display::CsvLine(
            {"kind", "cycle", "time", "jd_ut", "body1", "body2", "phase", "aspect", "length_days"});
    if (m_format == TableFormat::Json)
        m_json.SetMetadata(HeadingMetadata(m_heading));
    if (m_format != TableFormat::Text) {
        if (phase)
            Row("date", std::nullopt, moment, *phase / core::kTwoPi * 360.0, 6, std::nullopt, std::nullopt);
        return;
    }
    m_out << HeadingLine(m_heading, m_language) << '\n' << Words(text::kTextCyclesHeading, faster, slower) << '\n';
    m_out << Words(text::kTextCyclesPhaseMeaning, faster, slower) << '\n'
          << Words(text::kTextCyclesPhaseAt, MomentInWords(moment, m_zone, m_zoneName, m_language),
                   phase ? Number(*phase / core::kTwoPi * 360.0, 3) + "°" : Words(text::kTextCyclesNoPosition))
          << '\n';
}

void CycleTable::InProgress(const core::SynodicCycle& cycle)
{
    if (m_format == TableFormat::Text) {
        const std::string start = MomentInWords(cycle.start, m_zone, m_zoneName, m_language);
        const std::string next = cycle.end ? MomentInWords(*cycle.end, m_zone, m_zoneName, m_language)
                                           : Words(text::kTextCyclesNoPosition);
        m_out << Words(text::kTextCyclesInProgress, start, next) << '\n';
        return;
    }
    Row("current", std::nullopt, cycle.start, 0.0, 0, core::Aspect::Conjunction, cycle.LengthDays());
    if (cycle.end)
        Row("next", std::nullopt, *cycle.end, 0.0, 0, core::Aspect::Conjunction, std::nullopt);
}

void CycleTable::Cycle(int number, const core::SynodicCycle& cycle)
{
    const std::optional<double> length = cycle.LengthDays();
    if (m_format == TableFormat::Text) {
        const std::string start = MomentInWords(cycle.start, m_zone, m_zoneName, m_language);
        m_out << '\n'
              << (length ? Words(text::kTextCyclesCycleFrom, start, Number(*length, 1))
                         : Words(text::kTextCyclesLengthUnknown, start))
              << '\n';
        const std::string time = TimeHeading();
        m_out << PaddedText(Words(text::kTextColumnDate), 15) << "  " << time << "  "
              << PaddedText(Words(text::kTextColumnPhase), kPhaseWidth) << "  " << Words(text::kTextColumnAspect)
              << '\n';
    }
    Row("start", number, cycle.start, 0.0, 0, core::Aspect::Conjunction, length);
    for (const core::CyclePhase& phase : cycle.phases)
        Row("phase", number, phase.moment, phase.degrees, 0, phase.aspect, std::nullopt);
}

void CycleTable::Row(const char* kind, std::optional<int> cycle, double moment, double phaseDegrees, int decimals,
                     std::optional<core::Aspect> aspect, std::optional<double> lengthDays)
{
    const std::string aspectName = aspect ? m_tables.AspectText[core::SlotOf(*aspect)].Name : "";
    const std::string& faster = m_faster;
    const std::string& slower = m_slower;
    if (m_format == TableFormat::Text) {
        const std::string time = TimeHeading();
        const std::string degrees = Number(phaseDegrees, decimals) + "°";
        m_out << TextTimeColumns(moment, ZoneMinutesAt(m_zoneName, m_zone, moment), m_language, time.size(), m_zoneName) << "  "
              << std::string(kPhaseWidth > degrees.size() - 1 ? kPhaseWidth - (degrees.size() - 1) : 0, ' ')
              << degrees << "  " << aspectName << '\n';
    } else if (m_format == TableFormat::Csv) {
        char phase[32];
        std::snprintf(phase, sizeof phase, "%.*f", decimals, phaseDegrees);
        m_out << display::CsvLine({kind, cycle ? std::to_string(*cycle) : "", datetime::IsoText(moment, ZoneMinutesAt(m_zoneName, m_zone, moment)),
                                   Fixed6(moment), faster, slower, phase, aspectName,
                                   lengthDays ? Fixed6(*lengthDays) : ""});
    } else {
        const auto orNull = [](const auto& value, bool given) {
            return given ? nlohmann::ordered_json(value) : nlohmann::ordered_json(nullptr);
        };
        m_json.Object({{"kind", kind},
                       {"cycle", orNull(cycle.value_or(0), cycle.has_value())},
                       {"time", datetime::IsoText(moment, ZoneMinutesAt(m_zoneName, m_zone, moment))},
                       {"jd_ut", moment},
                       {"body1", faster},
                       {"body2", slower},
                       {"phase", decimals == 0 ? nlohmann::ordered_json(std::lround(phaseDegrees))
                                               : nlohmann::ordered_json(phaseDegrees)},
                       {"aspect", orNull(aspectName, aspect.has_value())},
                       {"length_days", orNull(lengthDays.value_or(0.0), lengthDays.has_value())}});
    }
}

void CycleTable::End(int cycles)
{
    if (m_format == TableFormat::Json)
        m_json.End();
    else if (m_format == TableFormat::Text && cycles == 0)
        m_out << '\n'
              << Words(text::kTextCyclesNone, m_faster, m_slower)
              << '\n';
    m_out.flush();
}

}  // namespace orvane::cli
