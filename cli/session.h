#pragma once

// One run of a command: the program's models started in the language asked for, a state file or a date
// put into them, and the command's output. Each command lives in a file of its own (command_*.cpp).

#include "cli/cli.h"
#include "cli/command_line.h"
#include "cli/tables.h"
#include "app/workspace.h"
#include "datetime/iso_dates.h"
#include "datetime/zoned_moments.h"
#include "settings/settings_store.h"

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace orvane::cli {

class Session {
public:
    Session(const Environment& environment, const CommandLine& line, std::ostream& out, std::ostream& err)
        : m_environment(environment), m_line(line), m_out(out), m_err(err)
    {
    }

    // Starts the program's models in the language asked for; false (after saying why) when the program
    // text cannot be loaded.
    bool Start();

    // The commands; each returns the exit code.
    int Positions();
    int Report();
    int Find();
    int Events();
    int Patterns();
    int Ephemeris();
    int Aspects();
    int Cycles();
    int State();

private:
    // positions and ephemeris seen from the Earth, and positions --compare (command_geocentric.cpp).
    int GeocentricPositions(double moment);
    int ComparedPositions(double moment);
    void GeocentricEphemeris(double from, double to);
    int GeocentricEvents(core::Mode mode, double from, double to);
    // aspects and patterns seen from the Earth (command_geo_views.cpp): world transits only.
    int GeocentricAspects(double from, int16_t step, int64_t steps);
    int GeocentricPatterns(double from, double to);
    // The Ascendant and Midheaven of --lat and --lon at `moment`; none without a place.
    std::optional<platform::Angles> PlaceAngles(double moment) const;
    // The place of --lat and --lon; none without one.
    std::optional<core::GeoPlace> Place() const;
    // aspects and events (`events`): --lat and --lon need each other, the geocentric perspective and the
    // frame of date, and events a latitude that the angles' search follows and a place for --kinds angle.
    // The mistake said with the help of `command`, as its exit code; kExitSuccess when there is none.
    int PlaceMistake(bool events, const char* command);

    // The day found: the run's message and the date row as text, or the moment as CSV or JSON.
    int PrintFound(const platform::Message& message);
    // A step past the last date the program computes is undone: the search ends, not found, where it got to.
    int NotFoundUpToTheLastDate();
    // find --forms: from the step at which the run found the pattern, back to the moment it formed.
    double WorldMoment();
    int FoundAtFormation(double before, double found, const platform::Message& message);
    // The end of a search that found nothing: with --format csv or json the table without rows; exit 3.
    int NothingFound();
    // The table of --format csv or json: the moment found, or no row.
    void FoundTable(std::optional<double> found);
    // One line per aspect cell, in cell order: "3,4 Me-Ju Sqr 2°15' -".
    std::vector<std::string> AspectCellLines() const;

    // Calls `row(t)` at every step of --step (default a day) from `from` up to, not including, `to`, while
    // the output takes the rows (ephemeris in both perspectives).
    template <typename Row>
    void ForEachStep(double from, double to, const Row& row) const
    {
        const int16_t step = m_line.step.value_or(1);
        for (int64_t k = 0; m_out; ++k) {
            const double t = datetime::SteppedMoment(from, step, k);
            if (t >= to)
                break;
            row(t);
        }
    }

    // A span must run forwards and lie within the ephemeris' range at both ends (Pluto beyond its table
    // only has no events there, as it has no aspects in the grid).
    int CheckSpan(double from, double to);
    // In the default convention, a span reaching before or beyond Pluto's table is said on stderr: there
    // are no Pluto events there.
    void PlutoTableNotice(double from, double to);
    // The mode and the moments of its date rows (0 world date, 1 and 2 the birthdates) from the state file,
    // and the world date as the span's start; without a state file all are left as they are (world
    // transits). The world date is read only when --from does not give the start.
    int ReadModeAndMoments(core::Mode& mode, std::array<double, 3>& moments, double& start);
    // The events of the span as an iCalendar file, with --windows also every stay within an orb.
    int EventCalendar(core::Mode mode, const std::array<double, 3>& moments, double from, double to);
    // A calendar's span must begin in the year 1 or later (said on stderr, exit 1); kExitSuccess when it does.
    int CalendarSpanMistake(double from);
    // events --windows as text, CSV or JSON: one row per stay within an orb.
    int EventWindows(core::Mode mode, const std::array<double, 3>& moments, double from, double to);
    // The tables' words; `mode` gives the bodies' roles (none in world transits).
    TableWords Words(core::Mode mode = core::Mode::WorldTransits) const;
    // The heading of a table: its convention, zone and perspective (none of the words).
    TableHeading Heading() const;
    // The heading line's convention and zone for the report of `mode`: the zone of the row its times are in.
    TableHeading ReportHeading(core::Mode mode);

    // The state file, then --date as its world date; or, with --date alone, world transits at that moment
    // with the program's defaults; --birth and --birth2 as the birthdates (PutMoment).
    int LoadStateOrDate();
    int LoadState();
    int DateError(const platform::Message& message);
    int DateError(const platform::Result<void>& dates);  // a computation that did not take place
    // A DATE as typed, "now" and "today" included.
    platform::Result<datetime::PreciseMoment> ReadMoment(const std::string& typed) const;
    double MomentOf(const std::string& typed) const;
    // A DATE put into date row `row`: on its half hour when the row holds it exactly (in its own offset
    // when the zone lists have it); otherwise as a precise moment beside the row's half hour, as the
    // desktop keeps one, or, for find's world date, which the search steps on from, rounded to the half
    // hour. Either is said in a note above the output.
    int PutMoment(int16_t row, const std::string& typed);
    // --mode, or without it and without a state file natal1 for --birth, world transits otherwise; then
    // whether the mode has every date it needs (a usage mistake when a birthdate is missing).
    int ChooseMode(bool stateLoaded);
    // The birthdate option a row stands for ("--birth", "--birth2") and its value.
    const std::string& BirthOf(int16_t row) const;
    // Prints the rounding notes: above the output as text, on stderr beside a machine format.
    void PrintRoundingNotes(bool machineFormat);

    std::vector<std::string> m_roundingNotes;

    const Environment& m_environment;
    const CommandLine& m_line;
    std::ostream& m_out;
    std::ostream& m_err;
    // The command-line companion keeps no display settings of its own: they live in memory for the run.
    settings::MemorySettingsStore m_store;
    app::Workspace m_program;
};

}  // namespace orvane::cli
