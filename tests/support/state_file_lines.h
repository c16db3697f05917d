#pragma once

// Saved state files for tests, written line by line from a few parameters: the three date rows, the mode,
// the step increment, the orbs and the colours. The text is built here independently of the program's own
// writer, so that a test reads what a user's file holds.

#include <array>
#include <string>

namespace orvane::testing {

// One date row as its list positions: month 1 … 12, day 1 … 31, the year text, half-hour position 1 … 48
// (0 = none) and zone position 1 … 47 (24 = GMT, 0 = none).
struct StateDateRow {
    int month = 0;
    int day = 0;
    std::string year;
    int hour = 0;
    int zone = 0;
};

// A date row for a date and clock time in a zone given in minutes east of Greenwich (a multiple of 30).
inline StateDateRow DateRowAt(int year, int month, int day, int hour = 12, int minute = 0, int zoneMinutes = 0)
{
    return {month, day, std::to_string(year), hour * 2 + minute / 30 + 1, zoneMinutes / 30 + 24};
}

// The modes in the order of the six mode lines.
enum class StateMode { WorldTransits = 0, Natal1, Natal2, Personal1, Personal2, Synastry };

// Orb list positions (whole degrees) of conjunction, opposition, square, trine, sextile, semisextile,
// quincunx and the "set all" value.
using StateOrbs = std::array<int, 8>;
inline constexpr StateOrbs kDefaultOrbs{10, 9, 6, 7, 4, 3, 3, 1};

struct StateFileLines {
    std::array<StateDateRow, 3> rows{};
    StateMode mode = StateMode::WorldTransits;
    int step = 1;  // 0 half hour, 1 day, 2 week, 3 month, 4 year
    StateOrbs orbs = kDefaultOrbs;
    std::array<long, 7> colours{65535, 16711935, 255, 65280, 16776960, 16744576, 8421504};
    int useColor = 1;
    int useBoldface = 1;
    int boldfaceFactor = 2;
    bool oneDegreeOfOrb = true;
    int proportion0 = 2;   // personal transits: "1/3"
    int proportion1 = 2;   // synastry: "1/3"
    int midpointOrb = 2;   // 0°30'
    bool withLine51 = true;

    // The file's 51 (or 50) lines, each ended by CR LF.
    std::string Text() const
    {
        std::string text;
        const auto printed = [&text](long value) {
            text += (value >= 0 ? " " : "") + std::to_string(value) + " \r\n";
        };
        const auto written = [&text](const std::string& value) { text += value + "\r\n"; };
        const auto truth = [&written](bool value) { written(value ? "#TRUE#" : "#FALSE#"); };

        for (const StateDateRow& row : rows) {
            printed(row.month);
            printed(row.day);
            written(row.year);
            printed(row.hour);
            printed(row.zone);
        }
        for (int m = 0; m < 6; ++m)
            truth(static_cast<int>(mode) == m);
        printed(step);
        printed(orbs[0]);
        printed(orbs[1]);
        printed(useColor);
        printed(useBoldface);
        printed(boldfaceFactor);
        truth(oneDegreeOfOrb);
        truth(!oneDegreeOfOrb);
        truth(false);
        truth(true);
        printed(proportion0);
        for (const int orb : orbs)
            written(std::to_string(orb));
        for (const long colour : colours)
            written(std::to_string(colour));
        printed(0);
        printed(0);
        printed(midpointOrb);
        if (withLine51)
            printed(proportion1);
        return text;
    }
};

}  // namespace orvane::testing
