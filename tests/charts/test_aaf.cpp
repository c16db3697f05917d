#include "charts/aaf.h"
#include "charts/aaf_fields.h"
#include "datetime/zoned_moments.h"
#include "text/language.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace orvane::charts {
namespace {

using datetime::ZoneKind;

const text::Language& English()
{
    static const text::Language language = [] {
        text::Language loaded;
        EXPECT_TRUE(loaded.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName).ok());
        return loaded;
    }();
    return language;
}

double Ut(int year, int month, int day, int hour, int minute, int second = 0)
{
    return datetime::MomentOf({year, month, day, hour, minute, second}, 0);
}

// Records written from the format's definition, one for each thing it can say, fictional people all.
constexpr const char* kRecords =
    "#: a comment line, and a chunk outside any record\n"
    "#B93:*,47n04,15e26,*,L\n"
    "#A93:Hollmann,Greta,f,3.4.1871,5:20,Graz,A\n"          // local mean time from the longitude
    "#B93:*,47n04,15e26,*,L\n"
    "#ZNAM:LMT\n"
    "\n"
    "#A93:Brandt,Olaf,m,12.8.1950,*,Kiel,D\n"                 // time unknown
    "#B93:*,54n20,10e08,1he00,0\n"
    "\n"
    "#A93:Silva,Ana,f,21.6.1965,23:10,Montevideo,UY\n"        // south and west, three hours west
    "#B93:*,34s54:33,56w09:40,3hw00,0\n"
    "\n"
    "#A93:Keller,Jonas,*,14.7.1983,3:15:30,Bern,CH\n"         // summer time, a zone's short name
    "#B93:*,46n57,7e26,1he00,1\n"
    "#ZNAM:MESZ\n"
    "\n"
    "#A93:*,*,e,*,*,*,*\n"                                     // #B93 only
    "#B93:2444240.12500,51n30,0w07,*,*\n"
    "\n"
    "#A93:Ortiz,Lena,f,1.2.2001,14:00,Madrid,E\n"
    "#SRC:hospital record\n"
    "#LPOS:SO12AQ41:10,MO03LE20:**,\n"                         // positions and houses: kept as read
    " ME25CP02:**\n"
    "#COM:Twin, born second; see the other record, too\n"      // a comma inside a note, over two lines
    "weighed 2.9 kg\n"
    "#HPOS:*,01SG54:25\n"
    "#B93:*,40n25,3w42,1he00,0\n"
    "\n"
    "#A93:Ito,Ken,m,1.3.1990,9:00,Tokyo,J\n"                  // a zone of the tz database by its name
    "#B93:*,35n41,139e41,9he00,0\n"
    "#ZNAM:Asia/Tokyo\n"
    "\n"
    "#A93:Weber,Mia,f,14.3.1978,6:45,Vienna,A\n"               // no #B93: the atlas' place and zone
    "\n"
    "#A93:Roth,Eva,o,1.1.2000,12:00,Berlin,D\n"                // the Julian day rules over a wrong time
    "#B93:2451544.91667,52n31,13e24,1he00,0\n"
    "\n"
    "#A93:Lind,Ola,m,5.5.1955,7:30,Oslo,N\n"                  // summer time unknown: counted as none
    "#B93:*,59n55,10e45,1he00,*\n";

TEST(Aaf, ReadsEveryFieldOfTheDefinition)
{
    const ExchangeReading read = ReadAaf(kRecords, English());
    ASSERT_EQ(read.skipped.size(), 1u);
    EXPECT_EQ(read.skipped[0].line, 2);
    ASSERT_EQ(read.records.size(), 10u);
    const auto& r = read.records;

    EXPECT_EQ(r[0].moment.zone.kind, ZoneKind::LocalMeanTime);
    EXPECT_NEAR(r[0].moment.moment, Ut(1871, 4, 3, 4, 18, 16), 1e-8);  // 15°26' E is 1:01:44
    EXPECT_NE(r[0].foreign.find("#ZNAM:LMT"), std::string::npos);
    EXPECT_FALSE(r[1].timeKnown);
    EXPECT_EQ(r[1].moment.local.hour, 12);
    EXPECT_EQ(r[1].moment.offsetSeconds, 3600);
    EXPECT_NEAR(*r[2].place.latitude, -(34 + 54 / 60.0 + 33 / 3600.0), 1e-9);
    EXPECT_NEAR(*r[2].place.longitude, -(56 + 9 / 60.0 + 40 / 3600.0), 1e-9);
    EXPECT_NEAR(r[2].moment.moment, Ut(1965, 6, 22, 2, 10), 1e-8);
    EXPECT_EQ(r[3].moment.offsetSeconds, 7200);
    EXPECT_NEAR(r[3].moment.moment, Ut(1983, 7, 14, 1, 15, 30), 1e-8);
    EXPECT_EQ(r[4].kind, ChartKind::Event);
    EXPECT_TRUE(r[4].name.empty());
    EXPECT_EQ(r[4].moment.moment, 2444240.125);
    EXPECT_EQ(r[5].notes, "Twin, born second; see the other record, too\nweighed 2.9 kg");
    EXPECT_EQ(r[5].source, "hospital record");
    EXPECT_NE(r[5].foreign.find("#LPOS:SO12AQ41:10,MO03LE20:**,\n ME25CP02:**\n#HPOS:*,01SG54:25\n"), std::string::npos);
    EXPECT_EQ(r[6].moment.zone, datetime::MomentZone::Named("Asia/Tokyo"));
    EXPECT_EQ(r[7].moment.zone, datetime::MomentZone::Named("Europe/Vienna"));
    EXPECT_NEAR(r[7].moment.moment, Ut(1978, 3, 14, 5, 45), 1e-8);
    EXPECT_NEAR(*r[7].place.latitude, 48.21, 0.01);
    EXPECT_EQ(r[8].kind, ChartKind::Organisation);
    EXPECT_NEAR(r[8].moment.moment, 2451544.91667, 1e-5);
    EXPECT_EQ(r[8].moment.local.hour, 11);
    EXPECT_EQ(r[9].moment.offsetSeconds, 3600);
}

// Whatever the format holds comes back: written and read again, in either encoding, the charts are the
// same, and the text written is written again unchanged.
TEST(Aaf, RoundTripsWithoutLoss)
{
    const ExchangeReading read = ReadAaf(kRecords, English());
    for (const TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Latin1}) {
        const std::string written = WriteAaf(read.records, encoding);
        const ExchangeReading again = ReadAaf(written, English());
        EXPECT_TRUE(again.skipped.empty()) << again.skipped.front().reason;
        ASSERT_EQ(again.records.size(), read.records.size());
        for (size_t index = 0; index < read.records.size(); ++index)
            EXPECT_TRUE(again.records[index] == read.records[index]) << WriteAaf({read.records[index]});
        EXPECT_EQ(WriteAaf(again.records, encoding), written);
        EXPECT_NE(written.find(",59n55,10e45,1he00,*\n"), std::string::npos) << written;
    }
}

TEST(Aaf, ReportsDamagedRecordsByLineAndKeepsTheOthers)
{
    const std::string text =
        "#A93:Good,One,m,1.1.1990,10:00,Kiel,D\n#B93:*,54n20,10e08,1he00,0\n"
        "#A93:Bad,Date,m,31.2.1980,10:00,Kiel,D\n#B93:*,54n20,10e08,1he00,0\n"
        "#A93:Short,Record,m,1.1.1990,10:00,Kiel\n"
        "#A93:Bad,Latitude,m,1.1.1990,10:00,Kiel,D\n#B93:*,95n00,10e08,1he00,0\n"
        "#A93:Twice,B,m,1.1.1990,10:00,Kiel,D\n#B93:*,54n20,10e08,1he00,0\n#B93:*,54n20,10e08,1he00,0\n"
        "#A93:No,Zone,m,1.1.1990,10:00,Nowhere Upon Xqz,D\n"
        "#A93:Skipped,Hour,m,30.3.2025,2:30,Kiel,D\n#B93:*,54n20,10e08,*,*\n#ZNAM:Europe/Berlin\n"
        "#A93:Good,Two,f,2.2.1992,11:00,Kiel,D\n#B93:*,54n20,10e08,1he00,0\n";
    const ExchangeReading read = ReadAaf(text, English());
    ASSERT_EQ(read.records.size(), 2u);
    EXPECT_EQ(read.records[1].firstName, "Two");
    const std::vector<std::pair<int, std::string>> expected{
        {3, "#A93, field 4 cannot be read: 31.2.1980"}, {5, "#A93 has 6 fields instead of 7"},
        {6, "#B93, field 2 cannot be read: 95n00"},     {8, "#B93 twice in one record"},
        {11, "Nowhere Upon Xqz"},                        {12, "Europe/Berlin"}};
    ASSERT_EQ(read.skipped.size(), expected.size());
    for (size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(read.skipped[index].line, expected[index].first);
        EXPECT_NE(read.skipped[index].reason.find(expected[index].second), std::string::npos) << read.skipped[index].reason;
    }
}

// Files in the wild are UTF-8 or Windows-1252: each is told by its validity, and written in either.
TEST(Aaf, ReadsAndWritesBothEncodings)
{
    const std::string latin1 = "#A93:M\xfcller,J\xfcrg,m,1.1.1990,10:00,Z\xfcrich,CH\n#B93:*,47n22,8e33,1he00,0\n#COM:\x80 5\n";
    const std::string utf8 = "\xEF\xBB\xBF#A93:Müller,Jürg,m,1.1.1990,10:00,Zürich,CH\n#B93:*,47n22,8e33,1he00,0\n#COM:€ 5\n";
    const ExchangeReading fromLatin1 = ReadAaf(latin1, English());
    const ExchangeReading fromUtf8 = ReadAaf(utf8, English());
    ASSERT_EQ(fromLatin1.records.size(), 1u);
    EXPECT_EQ(fromLatin1.records, fromUtf8.records);
    EXPECT_EQ(fromUtf8.records[0].place.name, "Zürich");
    EXPECT_EQ(fromUtf8.records[0].notes, "€ 5");
    EXPECT_NE(WriteAaf(fromUtf8.records, TextEncoding::Latin1).find("Z\xfcrich"), std::string::npos);
    EXPECT_NE(WriteAaf(fromUtf8.records, TextEncoding::Latin1).find("#COM:\x80 5"), std::string::npos);
    EXPECT_EQ(EncodedText("Łódź", TextEncoding::Latin1), "?\xf3" "d?");
}

// The field forms the format's writers use, read leniently.
TEST(Aaf, ReadsTheFieldForms)
{
    EXPECT_EQ(aaf::ReadZoneDifference("1he00"), 3600);
    EXPECT_EQ(aaf::ReadZoneDifference("1he"), 3600);
    EXPECT_EQ(aaf::ReadZoneDifference("1"), 3600);
    EXPECT_EQ(aaf::ReadZoneDifference("5hw30"), -19800);
    EXPECT_EQ(aaf::ReadZoneDifference("0he21:48"), 1308);
    EXPECT_EQ(aaf::ReadZoneDifference("-0h40"), -2400);
    EXPECT_EQ(aaf::ReadZoneDifference("15he00"), std::nullopt);
    EXPECT_EQ(aaf::ReadZoneDifference("1hx00"), std::nullopt);
    EXPECT_EQ(aaf::ReadClockTime("1.10")->minute, 10);
    EXPECT_EQ(aaf::ReadClockTime("24:00"), std::nullopt);
    EXPECT_EQ(aaf::ReadAngle("0W07", 'e', 'w', 180.0), -7 / 60.0);
    EXPECT_EQ(aaf::ReadAngle("181e00", 'e', 'w', 180.0), std::nullopt);
    EXPECT_EQ(aaf::ReadJulianDay("2444240.12500x"), std::nullopt);
}

}  // namespace
}  // namespace orvane::charts
