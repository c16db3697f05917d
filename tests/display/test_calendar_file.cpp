// The iCalendar file's content lines: folding at 75 octets without splitting a character, and the escapes
// of a TEXT value.

#include "display/calendar_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane::display {
namespace {

// The parts of a folded line, each without its CR LF (and a continuation without its blank).
std::vector<std::string> Unfolded(const std::string& folded)
{
    std::vector<std::string> parts;
    size_t at = 0;
    while (at < folded.size()) {
        const size_t end = folded.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "a part without CR LF";
        if (end == std::string::npos)
            break;
        parts.push_back(folded.substr(at, end - at));
        at = end + 2;
    }
    return parts;
}

TEST(CalendarFile, LinesAreFoldedAt75OctetsBetweenCharacters)
{
    const std::string ue = "\xC3\xBC";           // ü, two octets
    const std::string planet = "\xE2\x99\x87";  // ♇, three octets
    const struct {
        std::string line;
        std::vector<size_t> octets;  // of each part as written, its leading blank included
    } cases[] = {
        {std::string(75, 'a'), {75}},
        {std::string(76, 'a'), {75, 2}},
        {std::string(75 + 74 + 1, 'a'), {75, 75, 2}},
        // ü at octets 74–75 still fits; one octet more and it moves whole to the next line.
        {std::string(73, 'a') + ue, {75}},
        {std::string(74, 'a') + ue + "b", {74, 4}},
        {std::string(73, 'a') + planet, {73, 4}},
        {std::string(72, 'a') + planet + "z", {75, 2}},
        {"", {0}},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> parts = Unfolded(FoldedLine(c.line));
        std::vector<size_t> octets;
        std::string joined;
        for (size_t i = 0; i < parts.size(); ++i) {
            octets.push_back(parts[i].size());
            if (i > 0) {
                EXPECT_EQ(parts[i].front(), ' ') << c.line;
            }
            joined += i == 0 ? parts[i] : parts[i].substr(1);
        }
        EXPECT_EQ(octets, c.octets) << c.line;
        EXPECT_EQ(joined, c.line);
    }
}

TEST(CalendarFile, TextValuesEscapeTheirSpecialCharacters)
{
    const struct {
        std::string text;
        std::string escaped;
    } cases[] = {
        {"Earth trine Mars (exact)", "Earth trine Mars (exact)"},
        {"a,b;c", "a\\,b\\;c"},
        {"C:\\orbs", "C:\\\\orbs"},
        {"one\r\ntwo\nthree\rfour", "one\\ntwo\\nthree\\nfour"},
        {"Erde Quadrat Mars (verl\xC3\xA4sst Orbis)", "Erde Quadrat Mars (verl\xC3\xA4sst Orbis)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CalendarText(c.text), c.escaped) << c.text;
}

TEST(CalendarFile, TimesAreUtcToTheSecond)
{
    EXPECT_EQ(CalendarTime(2451545.0), "20000101T120000Z");
    EXPECT_EQ(CalendarTime(2460678.723365), "20250103T052139Z");
}

}  // namespace
}  // namespace orvane::display
