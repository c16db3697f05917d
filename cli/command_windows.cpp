// events --windows: one row per stay of an aspect within its orb, as the calendar holds them: entry, exit,
// duration, the exact moments and the tightest deviation, in text, CSV or JSON.

#include "cli/session.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "datetime/iso_dates.h"
#include "display/angle_texts.h"
#include "display/orb_windows.h"
#include "text/text_numbers.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <ostream>

namespace orvane::cli {
namespace {

constexpr size_t kMomentWidth = 22;
constexpr size_t kDurationWidth = 14;
constexpr size_t kAspectWidth = 12;
constexpr size_t kOrbWidth = 13;

class WindowTable {
public:
    WindowTable(std::ostream& out, TableFormat format, const core::AstroTables& tables, const TableWords& words)
        : m_out(out), m_format(format), m_tables(tables), m_words(words), m_json(out)
    {
    }

    void Begin()
    {
        if (m_format == TableFormat::Csv) {
            m_out << display::CsvLine(
                {"enter", "leave", "exact", "duration_days", "body1", "aspect", "body2", "tightest_orb", "role1", "role2"});
        } else if (m_format == TableFormat::Json) {
            m_json.SetMetadata(HeadingMetadata(m_words.heading));
        } else {
            Line(HeadingLine(m_words.heading, m_words.language));
            Line(PaddedText(Word(text::kTextColumnEntered), kMomentWidth) + "  " +
                 PaddedText(Word(text::kTextColumnLeft), kMomentWidth) + "  " +
                 PaddedText(Word(text::kTextColumnDuration), kDurationWidth) + "  " +
                 PaddedText(m_words.body, m_words.nameWidth) + "  " + PaddedText(m_words.aspect, kAspectWidth) + "  " +
                 PaddedText(m_words.body, m_words.nameWidth) + "  " +
                 PaddedText(Word(text::kTextColumnTightestOrb), kOrbWidth) +
                 "  " + Word(text::kTextColumnExact));
        }
    }

    void Window(const display::OrbWindow& window)
    {
        const std::string& body1 = m_tables.bodyNames[core::SlotOf(window.pair.body1)];
        const std::string& body2 = m_tables.bodyNames[core::SlotOf(window.pair.body2)];
        const std::string& aspect = m_tables.NamesOf(window.aspect).Name;
        const std::optional<double> days = window.Days();
        // Where the span cuts the stay, its entry or exit is not known: none is written.
        const bool entered = !window.bar.openStart;
        const bool left = !window.bar.openEnd;
        const double orb = window.tightest / core::kTwoPi * 360.0;
        const display::PairRoles roles = m_words.eventRoles;
        const std::string role1 = display::RoleKey(roles.first);
        const std::string role2 = display::RoleKey(roles.second);
        if (m_format == TableFormat::Csv) {
            std::string exacts;
            for (const double exact : window.bar.exacts)
                exacts += (exacts.empty() ? "" : ";") + Iso(exact);
            m_out << display::CsvLine({entered ? Iso(window.bar.from) : "", left ? Iso(window.bar.to) : "", exacts,
                                       days ? Fixed6(*days) : "", body1, aspect, body2, Fixed6(orb), role1, role2});
        } else if (m_format == TableFormat::Json) {
            nlohmann::ordered_json exacts = nlohmann::ordered_json::array();
            for (const double exact : window.bar.exacts)
                exacts.push_back(Iso(exact));
            const auto orNull = [this](bool known, double moment) {
                return known ? nlohmann::ordered_json(Iso(moment)) : nlohmann::ordered_json(nullptr);
            };
            m_json.Object({{"enter", orNull(entered, window.bar.from)},
                           {"leave", orNull(left, window.bar.to)},
                           {"exact", exacts},
                           {"duration_days", days ? nlohmann::ordered_json(*days) : nlohmann::ordered_json(nullptr)},
                           {"body1", body1},
                           {"aspect", aspect},
                           {"body2", body2},
                           {"tightest_orb", orb},
                           {"role1", role1.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(role1)},
                           {"role2", role2.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(role2)}});
        } else {
            std::string exacts;
            for (const double exact : window.bar.exacts)
                exacts += (exacts.empty() ? "" : ", ") + Text(exact);
            Line(PaddedText(entered ? Text(window.bar.from) : "(" + Word(text::kTextBeforeSpan) + ")", kMomentWidth) +
                 "  " + PaddedText(left ? Text(window.bar.to) : "(" + Word(text::kTextAfterSpan) + ")", kMomentWidth) +
                 "  " +
                 PaddedText(days ? DurationInDays(*days, m_words.language) : "", kDurationWidth) + "  " +
                 PaddedText(NameWithRole(body1, roles.first, roles.second, m_words.natal), m_words.nameWidth) + "  " +
                 PaddedText(aspect, kAspectWidth) + "  " +
                 PaddedText(NameWithRole(body2, roles.second, roles.first, m_words.natal), m_words.nameWidth) + "  " +
                 PaddedText(display::Rad2DegMin(window.tightest), kOrbWidth) + "  " + exacts);
        }
    }

    void End()
    {
        if (m_format == TableFormat::Json)
            m_json.End();
        m_out.flush();
    }

private:
    int32_t ZoneAt(double moment) const
    {
        return ZoneMinutesAt(m_words.heading.zoneName, m_words.heading.zoneMinutes, moment);
    }
    std::string Iso(double moment) const { return datetime::IsoText(moment, ZoneAt(moment)); }
    std::string Text(double moment) const { return TextMoment(moment, ZoneAt(moment), m_words.language, m_words.heading.zoneName); }
    std::string Word(int16_t number) const { return OwnText(number, m_words.language); }

    void Line(std::string line) { WriteTextLine(m_out, std::move(line)); }

    std::ostream& m_out;
    TableFormat m_format;
    const core::AstroTables& m_tables;
    TableWords m_words;
    display::JsonArrayWriter m_json;
};

}  // namespace

int Session::EventWindows(core::Mode mode, const std::array<double, 3>& moments, double from, double to)
{
    PlutoTableNotice(from, to);
    const core::AstroModule& astro = m_program.astro;
    WindowTable table(m_out, m_line.format, astro.tables, Words(mode));
    table.Begin();
    for (const display::OrbWindow& window :
         display::OrbWindows(astro, mode, moments, from, to, m_line.filter, m_line.convention)) {
        if (!m_out)
            break;
        table.Window(window);
    }
    table.End();
    return kExitSuccess;
}

}  // namespace orvane::cli
