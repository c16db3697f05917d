#pragma once

// The table of the cycles command in three forms, like the other tables of the companion (cli/tables.h).
//
// Text: a heading naming the pair and what the phase angle measures, the phase angle at the chosen
// moment, then each cycle under its own heading (its start and length) with one line a phase.
// CSV: kind,cycle,time,jd_ut,body1,body2,phase,aspect,length_days — kind `date` (the phase angle at the
// chosen moment, with six decimals; no cycle, aspect or length), with --date `current` and `next` (the
// conjunctions that began the cycle in progress then and end it), `start` (a cycle's conjunction, phase 0,
// with the cycle's length in days, empty when its end is not known) or `phase` (30 … 330); cycle the
// cycle's number from 1 in the table's order; body1 the faster body, body2 the slower one. JSON: one
// object a row with the same keys, null for what does not apply, beside the document's metadata. The text
// opens with the heading line of every table (convention, zone, version).

#include "cli/tables.h"
#include "core/cycles.h"

#include <optional>
#include <ostream>
#include <string>

namespace orvane::cli {

class CycleTable {
public:
    // The text table in `language`; CSV and JSON name bodies and aspects in English, as the others do.
    // Times in the zone of `heading`: a tz zone's offset follows each moment (summer time included).
    CycleTable(std::ostream& out, TableFormat format, int16_t language, const core::AstroTables& tables,
               std::string faster, std::string slower, TableHeading heading);

    // The table's heading and the phase angle (radians) at `moment`, none where a body has no position.
    void Begin(double moment, std::optional<double> phase);
    // The cycle in progress at the chosen moment: its start and the next conjunction, wherever the span
    // ends (CSV and JSON: the rows of kind `current`, with its length, and `next`).
    void InProgress(const core::SynodicCycle& cycle);
    // One cycle, numbered from 1.
    void Cycle(int number, const core::SynodicCycle& cycle);
    // Closes the table; `cycles` is how many were written (the text says when there was none).
    void End(int cycles);

private:
    std::string TimeHeading() const;  // the time column's heading, with the zone
    void Row(const char* kind, std::optional<int> cycle, double moment, double phaseDegrees, int decimals,
             std::optional<core::Aspect> aspect, std::optional<double> lengthDays);
    std::string Number(double value, int decimals) const;  // with the language's decimal sign
    std::string Words(int16_t number, const std::string& r1 = {}, const std::string& r2 = {}) const;

    std::ostream& m_out;
    TableFormat m_format;
    int32_t m_zone;
    std::string m_zoneName;  // a tz zone, whose offset follows each moment; empty: the fixed m_zone
    int16_t m_language;
    const core::AstroTables& m_tables;
    std::string m_faster;  // the bodies' names, the same in every language
    std::string m_slower;
    TableHeading m_heading;
    display::JsonArrayWriter m_json;
};

}  // namespace orvane::cli
