#pragma once

// The pieces a command's options are built from, as the command-line reader (command_line.cpp) offers
// them to the files that declare a command of their own (options_*.cpp), so that every command words its
// refusals alike; and those files' entry points.

#include "cli/command_line.h"

#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace orvane::cli {

class OptionKit {
public:
    // A command with its state file (none when `stateText` is null) and --lang.
    virtual CLI::App* AddCommand(const char* name, const char* description, const char* stateText) = 0;
    // --from, --to and --zone.
    virtual void AddSpan(CLI::App* command, const char* from, const char* to) = 0;
    // --format text|csv|json.
    virtual void AddFormat(CLI::App* command, const char* description) = 0;
    // --step halfhour|day|week|month|year.
    virtual void AddStep(CLI::App* command, const char* description) = 0;
    // --date DATE: the world date, instead of (or over) the state's.
    virtual void AddDate(CLI::App* command) = 0;
    // --lat DEG and --lon DEG: a place, whose Ascendant and Midheaven `latitudeText` says what they add.
    virtual void AddPlace(CLI::App* command, const char* latitudeText) = 0;

protected:
    ~OptionKit() = default;
};

// The command aspects: the aspects in orb at every step of a span.
void AddAspectsCommand(OptionKit& kit, CommandLine& line);

// The event list's choice of bodies by role in personal transits (--transiting, --natal), and whether the
// command line made one.
void AddRoleOptions(CLI::App* events, CommandLine& line);
bool RolesChosen(const CommandLine& line);

// The command state: a state file written from the command line's moments and mode.
void AddStateCommand(OptionKit& kit, CommandLine& line);

// The command charts: the chart library listed, searched, shown and changed; and what its command line
// lacks (an action, a NAME, --name or --birth), as the message saying so.
void AddChartsCommand(OptionKit& kit, CommandLine& line);
std::optional<std::string> ChartOptionsMistake(const CommandLine& line);
// --charts FILE: the chart library of the charts command and of a birthdate "@NAME".
void AddLibraryOption(CLI::App* command, CommandLine& line);
// The command places: the atlas' matches of a place's name; its help's text below the options in `language`.
CLI::App* AddPlacesCommand(OptionKit& kit, CommandLine& line);
void SetPlacesHelp(CLI::App* places, int16_t language);
// Runs it, reading no data file.
int RunPlaces(const CommandLine& line, std::ostream& out, std::ostream& err);

// The event list's calendar options (--windows).
void AddCalendarOptions(CLI::App* events, CommandLine& line);

}  // namespace orvane::cli
