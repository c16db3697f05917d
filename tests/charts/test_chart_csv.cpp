#include "charts/aaf.h"
#include "charts/chart_csv.h"
#include "text/language.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::charts {
namespace {

const text::Language& Language()
{
    static const text::Language language = [] {
        text::Language loaded;
        EXPECT_TRUE(loaded.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName).ok());
        return loaded;
    }();
    return language;
}

// Charts of every kind of zone, with what only the library keeps (region, reliability, tags) and texts
// that need quoting, come back from CSV as they were.
TEST(ChartCsv, RoundTripsEveryKindOfChart)
{
    ExchangeReading charts = ReadAaf("#A93:Hollmann,Greta,f,3.4.1871,5:20,Graz,A\n#B93:*,47n04,15e26,*,L\n"
                                     "#A93:Keller,Jonas,m,14.7.1983,3:15:30,Bern,CH\n#B93:*,46n57,7e26,1he00,1\n"
                                     "#LPOS:SO12AQ41:10,\n MO03LE20:**\n"
                                     "#A93:*,*,e,*,*,*,*\n#B93:2444240.12500,51n30,0w07,*,*\n",
                                     Language());
    ASSERT_EQ(charts.records.size(), 3u);
    ChartRecord repeated = charts.records[1];
    // The hour New York's clocks showed twice, on its second pass.
    repeated.moment = datetime::ResolveWallTime({2025, 11, 2, 1, 30}, datetime::MomentZone::Named("America/New_York"),
                                                -5 * 3600, Language()).value();
    repeated.place.region = "New York";
    repeated.reliability = "AA";
    repeated.tags = {"clients", "twins"};
    repeated.notes = "Said \"born at dawn\", twice;\nsecond line";
    charts.records.push_back(repeated);

    const std::string written = WriteChartCsv(charts.records);
    EXPECT_EQ(written.substr(0, written.find("\r\n")), ChartCsvHeader());
    const ExchangeReading read = ReadChartCsv(written, Language());
    EXPECT_TRUE(read.skipped.empty()) << read.skipped.front().reason;
    ASSERT_EQ(read.records.size(), charts.records.size());
    for (size_t index = 0; index < read.records.size(); ++index)
        EXPECT_TRUE(read.records[index] == charts.records[index]) << WriteChartCsv({read.records[index]});
    EXPECT_EQ(ReadChartCsv(WriteChartCsv(charts.records, TextEncoding::Latin1), Language()).records, read.records);
}

TEST(ChartCsv, ReportsDamagedLinesAndKeepsTheOthers)
{
    const std::string header(ChartCsvHeader());
    const std::string text = header + "\n"
        "Good,One,person,1990-01-01T10:00:00,Europe/Berlin,,true,Kiel,,DE,54.3,10.1,,,\"two\nlines\",,\n"
        "Bad,Kind,alien,1990-01-01T10:00:00,+01:00,,true,,,,,,,,,,\n"
        "Bad,Latitude,person,1990-01-01T10:00:00,+01:00,,true,,,,95,,,,,,\n"
        "Short,Line,person\n"
        "Vienna,Typed,event,1978-03-14T06:45:00,Vienna,,true,,,,,,,,,,\n"
        "Bad,Zone,person,1990-01-01T10:00:00,Europe/Atlantis,,true,,,,,,,,,,\n"
        "Open,Quote,person,1990-01-01T10:00:00,+01:00,,true,,,,,,,,\"never closed,,\n";
    const ExchangeReading read = ReadChartCsv(text, Language());
    ASSERT_EQ(read.records.size(), 2u);
    EXPECT_EQ(read.records[0].notes, "two\nlines");
    EXPECT_EQ(read.records[1].moment.zone.name, "Europe/Vienna");
    const std::vector<std::pair<int, std::string>> expected{
        {4, "column kind cannot be read: alien"}, {5, "column latitude cannot be read: 95"},
        {6, "3 columns instead of 17"},           {8, "Europe/Atlantis"},
        {9, "not closed"}};
    ASSERT_EQ(read.skipped.size(), expected.size());
    for (size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(read.skipped[index].line, expected[index].first);
        EXPECT_NE(read.skipped[index].reason.find(expected[index].second), std::string::npos) << read.skipped[index].reason;
    }
    const ExchangeReading noHeader = ReadChartCsv("name,first_name\nA,B\n", Language());
    EXPECT_TRUE(noHeader.records.empty());
    ASSERT_EQ(noHeader.skipped.size(), 1u);
    EXPECT_EQ(noHeader.skipped[0].line, 1);
}

}  // namespace
}  // namespace orvane::charts
