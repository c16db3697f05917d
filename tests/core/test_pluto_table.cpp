#include "core/pluto_table.h"

#include "core/vocabulary.h"
#include "platform/input_file.h"
#include "tests/support/temp_folder.h"

#include <swephexp.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <tuple>

namespace orvane::core {
namespace {

// Words a fault as its number and count ("5 1000"), so that a test reads what the table found.
platform::Message Coded(PlutoTableFault fault, const std::string&, size_t count)
{
    return platform::Message::Exclamation("", std::to_string(static_cast<int>(fault)) + " " + std::to_string(count));
}

std::string Code(PlutoTableFault fault, size_t count)
{
    return Coded(fault, "", count).text;
}

// 0h UT of the first day; the last element (the last day's right-hand neighbour); the bytes of a line.
constexpr double kFirstMidnight = kPlutoFirstDay - 0.5;
constexpr int32_t kLast = kPlutoTableLines - 1;
constexpr size_t kLine = 5;

double Degrees(double radians)
{
    return radians / kTwoPi * 360.0;
}

// Whole arcseconds of a longitude, any turn.
int32_t Arcseconds(double degrees)
{
    return static_cast<int32_t>(std::lround(std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0) * 3600.0)) % 1296000;
}

// A whole table whose element n holds `first` + n × `step` degrees (whole arcseconds).
std::string SyntheticTable(double first, double step)
{
    std::string text;
    for (int32_t n = 0; n < kPlutoTableLines; ++n)
        text += EncodePlutoEntry(n, Arcseconds(first + n * step)) + "\n";
    return text;
}

TEST(PlutoTableFormat, EncodingRoundTripsWithThePositionalOffsets)
{
    for (const int32_t n : {0, 1, 6, 7, 54, 55, kLast})
        for (const int32_t arcseconds : {0, 1, 59, 60, 3599, 3600, 216000, 1295999}) {
            const std::string line = EncodePlutoEntry(n, arcseconds);
            ASSERT_EQ(line.size(), 4U);
            EXPECT_DOUBLE_EQ(DecodePlutoEntry(n, line), arcseconds / 3600.0) << n << " " << arcseconds;
        }
    // The same characters mean something else at another position in the file.
    const std::string line = EncodePlutoEntry(3, 100000);
    EXPECT_NE(DecodePlutoEntry(4, line), DecodePlutoEntry(3, line));
    // Characters beyond the fourth are ignored.
    EXPECT_DOUBLE_EQ(DecodePlutoEntry(3, line + "junk"), DecodePlutoEntry(3, line));
}

TEST(PlutoTableFormat, ElementZeroAndTheTableEdges)
{
    PlutoTable table;
    ASSERT_TRUE(table.ReadFromText(SyntheticTable(250.0, 0.004), Coded).ok());
    EXPECT_EQ(table.size(), static_cast<size_t>(kPlutoTableLines));

    // Midnight at the start of the first day is element 0 itself.
    EXPECT_DOUBLE_EQ(table.PlutoTableEntry(0), 250.0);
    EXPECT_DOUBLE_EQ(Degrees(table.PlutoLongitude(kFirstMidnight)), 250.0);
    EXPECT_EQ(table.PlutoLongitude(kFirstMidnight - 0.1), kPlutoBeforeTable);
    // The last day interpolates towards the last element; the midnight that ends it lies beyond the table.
    const double before = table.PlutoTableEntry(kLast - 1);
    EXPECT_NEAR(Degrees(table.PlutoLongitude(kPlutoLastDay + 0.25)),
                before + 0.75 * (table.PlutoTableEntry(kLast) - before), 1e-9);
    EXPECT_EQ(std::tuple(table.PlutoLongitude(kPlutoLastDay + 0.5), table.PlutoLongitude(kPlutoLastDay + 1.5),
                         table.PlutoTableEntry(kPlutoTableLines), table.PlutoTableEntry(-1)),
              std::tuple(kPlutoAfterTable, kPlutoAfterTable, kPlutoAfterTable, kPlutoAfterTable));
}

TEST(PlutoTableFormat, InterpolatesThroughZeroDegrees)
{
    // Elements 10 and 11, a moment of day 10 and the longitude there: forwards and backwards through 0°.
    const struct { double element10, element11, dayFraction, expected; } cases[] = {
        {359.5, 0.4, 0.0, 359.5}, {359.5, 0.4, 0.5, 359.95}, {359.5, 0.4, 0.75, 0.175},
        {0.4, 359.5, 0.25, 0.175}, {0.4, 359.5, 0.5, 359.95}};
    std::string text = SyntheticTable(0.0, 0.0);
    PlutoTable table;
    for (const auto& c : cases) {
        text.replace(10 * kLine, 4, EncodePlutoEntry(10, Arcseconds(c.element10)));
        text.replace(11 * kLine, 4, EncodePlutoEntry(11, Arcseconds(c.element11)));
        ASSERT_TRUE(table.ReadFromText(text, Coded).ok());
        EXPECT_NEAR(Degrees(table.PlutoLongitude(kFirstMidnight + 10 + c.dayFraction)), c.expected, 1e-9)
            << c.element10 << " " << c.element11 << " " << c.dayFraction;
    }
}

TEST(PlutoTableFormat, BlankLinesBlanksAroundAndCharactersAfterAnEntryDoNotCount)
{
    const std::string plain = SyntheticTable(100.0, 0.01);
    std::string spaced = "\n   \n";
    for (int32_t n = 0; n < kPlutoTableLines; ++n)
        spaced += n % 1000 == 0 ? "  " + plain.substr(n * kLine, 4) + " \r\n\r\n\t\n"
                                : plain.substr(n * kLine, 4) + (n % 1000 == 500 ? "more\n" : "\n");
    spaced.pop_back();  // the last line without its line break
    PlutoTable a, b;
    ASSERT_TRUE(a.ReadFromText(plain, Coded).ok());
    ASSERT_TRUE(b.ReadFromText(spaced, Coded).ok());
    ASSERT_EQ(a.size(), b.size());
    for (int32_t n = 0; n < kPlutoTableLines; ++n)
        ASSERT_EQ(a.PlutoTableEntry(n), b.PlutoTableEntry(n)) << n;
}

TEST(PlutoTableFormat, ShortDamagedAndMissingTablesAreRefused)
{
    const std::string good = SyntheticTable(100.0, 0.01);
    const auto damaged = [](size_t line) { return Code(PlutoTableFault::DamagedEntry, line); };
    const struct { std::string text, message; } cases[] = {
        {good.substr(0, 1000 * kLine), Code(PlutoTableFault::EndsEarly, 1000)},
        {std::string(good).replace(3 * kLine, 1, "!"), damaged(4)},   // minutes below zero
        {std::string(good).replace(7 * kLine, 5, "ab\n"), damaged(8)},  // too short to decode
        {std::string(good).replace(9 * kLine, 4, EncodePlutoEntry(9, 1296000)), damaged(10)},  // 360°
        // Seconds of arc that would decode but for the high bit, and seconds beyond 59.
        {std::string(good).replace(20 * kLine + 1, 1, 1, static_cast<char>(good[1] | 0x80)), damaged(21)},
        {std::string(good).replace(500 * kLine + 1, 1, "~"), damaged(501)},
    };
    PlutoTable table;
    for (const auto& [text, message] : cases) {
        ASSERT_TRUE(table.ReadFromText(good, Coded).ok());
        const platform::Result<void> read = table.ReadFromText(text, Coded);
        EXPECT_EQ(std::pair(read.code(), read.error().text), std::pair(platform::ErrorCode::Damaged, message));
        // Emptied: no read outside it.
        EXPECT_TRUE(table.empty() && table.PlutoLongitude(kFirstMidnight) == kPlutoAfterTable) << message;
    }

    testing::TempFolder folder;
    const platform::Result<void> missing = table.Read(folder.folder() + kPlutoTableFileName, Coded);
    EXPECT_EQ(std::pair(missing.code(), missing.error().text),
              std::pair(platform::ErrorCode::Unreadable, Code(PlutoTableFault::CannotOpen, 0)));
    EXPECT_EQ(table.Read(folder.Write(kPlutoTableFileName, ""), Coded).error().text, Code(PlutoTableFault::Empty, 0));
    EXPECT_EQ(table.Read(folder.folder(), Coded).error().text, Code(PlutoTableFault::NotAFile, 0));
    EXPECT_TRUE(table.Read(folder.Write(kPlutoTableFileName, good), Coded).ok() && !table.empty());
}

// A table stamped as checked is taken as it stands at the next start, and read alike; a damaged table put
// in its place is checked again and refused.
TEST(PlutoTableFormat, AStampedTableIsTakenAsCheckedWhileUnchanged)
{
    const std::string good = SyntheticTable(100.0, 0.01);
    testing::TempFolder folder;
    const platform::CheckedFiles checked(folder.folder() + "stamps", std::chrono::seconds(0));
    const std::string path = folder.Write(kPlutoTableFileName, good);
    PlutoTable table;
    for (int start = 0; start < 2; ++start) {
        ASSERT_TRUE(table.Read(path, Coded, checked).ok()) << start;
        EXPECT_EQ(table.size(), static_cast<size_t>(kPlutoTableLines));
        for (const int32_t n : {0, 384, 385, 219000, kLast})
            EXPECT_EQ(Arcseconds(table.PlutoTableEntry(n)), Arcseconds(100.0 + n * 0.01)) << start << " " << n;
        const PlutoTable copy = table;
        EXPECT_EQ(copy.PlutoLongitude(kFirstMidnight + 1000.5), table.PlutoLongitude(kFirstMidnight + 1000.5));
    }
    folder.Write("damaged", std::string(good).replace(500 * kLine + 1, 1, "~"));
    std::filesystem::rename(folder.folder() + "damaged", path);
    EXPECT_EQ(table.Read(path, Coded, checked).error().text, Code(PlutoTableFault::DamagedEntry, 501));

    // A line damaged under a stamp that still vouches (a disk losing a bit keeps the file's times) has
    // no longitude, and neither have the moments that need it.
    const auto silent = [](platform::FileFault, const std::string&) { return platform::Message{}; };
    platform::Result<platform::InputFile> damaged = platform::InputFile::Open(path, kMaxPlutoTableBytes, silent);
    ASSERT_TRUE(damaged.ok());
    checked.Record(path, damaged.value());
    ASSERT_TRUE(table.Read(path, Coded, checked).ok());
    EXPECT_EQ(table.PlutoTableEntry(500), kPlutoAfterTable);
    EXPECT_EQ(table.PlutoLongitude(kFirstMidnight + 499.5), kPlutoAfterTable);
    EXPECT_EQ(Arcseconds(table.PlutoTableEntry(501)), Arcseconds(100.0 + 501 * 0.01));
}

// Lines are checked many at a time: a damaged character is found at its own line wherever it stands,
// across the offsets' period (385 elements) and after an uncommon line has shifted the bytes.
TEST(PlutoTableFormat, EveryDamagedCharacterIsFoundAtItsLine)
{
    const std::string good = SyntheticTable(100.0, 0.01);
    // Below every field's zero, and above every field's largest character.
    constexpr std::array<char, 2> kBad{'\x01', '\x7f'};
    PlutoTable table;
    for (const std::string& lead : {std::string(), std::string("\n  \n")}) {
        for (size_t line = 370; line < 400; ++line) {
            for (size_t field = 0; field < 4; ++field) {
                for (const char bad : kBad) {
                    std::string text = lead + good;
                    text[lead.size() + line * kLine + field] = bad;
                    const platform::Result<void> read = table.ReadFromText(text, Coded);
                    const size_t fileLine = line + 1 + (lead.empty() ? 0 : 2);
                    EXPECT_EQ(read.error().text, Code(PlutoTableFault::DamagedEntry, fileLine)) << line << " " << field;
                }
            }
        }
    }
    ASSERT_TRUE(table.ReadFromText(good, Coded).ok());
    for (const int32_t n : {0, 384, 385, 386, 219000, kLast})
        EXPECT_EQ(Arcseconds(table.PlutoTableEntry(n)), Arcseconds(100.0 + n * 0.01)) << n;
}

// The generated table agrees with Swiss Ephemeris asked directly, at midnights and between them.
TEST(GeneratedPlutoTable, AgreesWithTheEphemeris)
{
    PlutoTable table;
    ASSERT_TRUE(table.Read(std::string(ORVANE_BIN_DIR) + "/" + kPlutoTableFileName, Coded).ok());
    ASSERT_EQ(table.size(), static_cast<size_t>(kPlutoTableLines));
    swe_set_ephe_path("/usr/share/libswe/ephe");
    constexpr int32_t flags = SEFLG_SWIEPH | SEFLG_HELCTR | SEFLG_J2000 | SEFLG_NONUT | SEFLG_TRUEPOS |
                              SEFLG_NOABERR | SEFLG_NOGDEFL;
    std::array<double, 2> worst{};  // at midnight, at noon
    for (int32_t n = 0; n < kLast; n += 997)
        for (const size_t noon : {0U, 1U}) {
            const double moment = kFirstMidnight + n + 0.5 * static_cast<double>(noon);
            std::array<double, 6> xx{};
            char serr[AS_MAXCH];
            swe_calc_ut(moment, SE_PLUTO, flags, xx.data(), serr);
            const double difference = std::fabs(Degrees(table.PlutoLongitude(moment)) - xx[0]) * 3600.0;
            worst[noon] = std::max(worst[noon], std::min(difference, 1296000.0 - difference));
        }
    EXPECT_LE(worst[0], 0.5);  // whole arcseconds
    EXPECT_LE(worst[1], 0.6);  // plus the small curvature of a day's motion
}

}  // namespace
}  // namespace orvane::core
