// The iCalendar file's content lines: folded at 75 octets without splitting a UTF-8 character, and the
// escapes of a TEXT value.

#include "display/calendar_file.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::display {
namespace {

TEST(CalendarFile, LinesAreFoldedAt75OctetsBetweenCharacters)
{
    const std::string a73(73, 'a');
    const std::string ue = "\xC3\xBC";           // ü, two octets
    const std::string planet = "\xE2\x99\x87";  // ♇, three octets
    const struct {
        std::string line, folded;
    } cases[] = {
        {"", "\r\n"},
        {std::string(75, 'a'), std::string(75, 'a') + "\r\n"},
        // A continuation line's blank counts: 74 octets of the line follow it.
        {std::string(150, 'a'), std::string(75, 'a') + "\r\n " + std::string(74, 'a') + "\r\n a\r\n"},
        {a73 + ue, a73 + ue + "\r\n"},
        {a73 + "b" + ue, a73 + "b\r\n " + ue + "\r\n"},
        {a73 + planet, a73 + "\r\n " + planet + "\r\n"},
        {a73.substr(1) + planet + "z", a73.substr(1) + planet + "\r\n z\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FoldedLine(c.line), c.folded) << c.line;
}

TEST(CalendarFile, TextValuesEscapeTheirSpecialCharacters)
{
    const struct {
        std::string text, escaped;
    } cases[] = {
        {"Earth trine Mars (verl\xC3\xA4sst Orbis)", "Earth trine Mars (verl\xC3\xA4sst Orbis)"},
        {"a,b;c", "a\\,b\\;c"},
        {"C:\\orbs", "C:\\\\orbs"},
        {"one\r\ntwo\nthree\rfour", "one\\ntwo\\nthree\\nfour"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CalendarText(c.text), c.escaped) << c.text;
}

}  // namespace
}  // namespace orvane::display
