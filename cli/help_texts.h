#pragma once

// The companion's help texts below the options that more than one command shows: how a DATE is read, the
// durations report's sort entries, the exit codes, and the patterns' and bodies' names from the code's own
// tables.

#include <string>

namespace orvane::cli {

inline constexpr const char* kSortList =
    "Sort entries N of the durations report:\n"
    "  world transits:     0 exactness, 1 aspect, 2 planet, 3 beginning, 4 ending, 5 duration\n"
    "  personal transits:  0 exactness, 1 aspect, 2 natal planet, 3 transiting planet, 4 beginning,\n"
    "                      5 ending, 6 duration\n"
    "  natal aspects and synastry: 0 only (the listing is in order of exactness)\n";

// How a DATE is read, for the help of every command that takes one.
inline constexpr const char* kDates =
    "DATE is ISO 8601 in the Gregorian calendar: 2025-01-01, 2025-01-01T06:30, 2025-01-01T06:30:15.25 or\n"
    "2025-01-01T06:30+01:00 (without a zone: UT). A fraction of the last part given is kept; a leap second,\n"
    "23:59:60Z, counts as 00:00:00 of the next day. \"now\" is the present moment, \"today\" the midnight\n"
    "that began the present day (in the zone of --zone, else UT). A span runs from --from up to --to,\n"
    "--to excluded, in every command: --from 2025-01-01 --to 2026-01-01 is the year 2025. The date rows of\n"
    "report and find hold half hours: a DATE off them is computed as typed and printed above the output\n"
    "beside its row's half hour (find's --date, which a search steps on from, is rounded to it).\n";

// What the events command prints, its kinds and its aspects, for its help.
inline constexpr const char* kEventsHelp =
    "One event a line, sorted by moment. CSV header: time,jd_ut,kind,body1,aspect,body2,sign,value,role1,\n"
    "role2 (body1 is the transiting or 1st-birthdate body, or the body of its own event; sign only for an\n"
    "ingress; value: the degree crossed or returned to, a node's longitude, the latitude in degrees, the\n"
    "distance in AU, a miss's closest deviation in degrees; roles transiting, natal1, natal2 in the\n"
    "two-date modes). JSON: the rows with the same keys, null for what does not apply, beside the\n"
    "metadata (program, version, frame, positions, zone). --windows: one row per stay in orb, CSV\n"
    "enter,leave,exact,duration_days,body1,aspect,body2,tightest_orb,role1,role2.\n"
    "Kinds K: exact, enter, leave, ingress, cross (needs --degrees), return (personal transits),\n"
    "ascending-node, descending-node, latitude-max, latitude-min, perihelion, aphelion, miss.\n"
    "--perspective geocentric: world events among Sun, Moon, Mercury … Pluto (B: their names or Su, Mo,\n"
    "Me …), kinds exact, ingress, station (station-retrograde, station-direct; value: the longitude) and\n"
    "angle, apparent positions of date unless --frame or --positions say otherwise; --format ics writes\n"
    "them as a calendar, each entry described as geocentric. --lat and --lon (within 65° of the equator)\n"
    "add the kind angle to the default kinds: a body exact in an aspect to the place's Ascendant or\n"
    "Midheaven (body2), some 240 events a day with every body and aspect.\n"
    "Aspects A: Conjunction, Opposition, Square, Trine, Sextile, Semisextile, Quincunx (or Con, Opp …);\n"
    "asked for by name only: Semisquare (Ssq, 45, orb 2), Sesquiquadrate (Sqq, 135, orb 2), Quintile\n"
    "(Qnt, 72, orb 1), Biquintile (Bqn, 144, orb 1).\n";

inline constexpr const char* kExitCodes =
    "Exit codes: 0 success, 1 bad input data (message on stderr), 2 usage mistake, 3 not found.\n";

// The patterns P and bodies B as the commands take them.
std::string PatternAndBodyList();

}  // namespace orvane::cli
