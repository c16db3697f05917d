#include "app/precise_moments.h"
#include "app/actions.h"
#include "app/window_rules.h"
#include "datetime/date_input.h"
#include "tests/support/program_fixture.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace orvane::app {
namespace {

class PreciseMoments : public testing::ProgramTest {};

// "Now" takes the offset in effect from the tz database: summer time in Berlin is on the lists, Kathmandu's
// +5:45 and Auckland's +12:00 (+13:00 in its summer) are not, and the world date then holds the moment precisely.
TEST_F(PreciseMoments, NowFromTheTzDatabase)
{
    const struct {
        const char* zone;
        const char* label;   // the row's label; empty when the lists hold the moment
        const char* shown;   // the row as text
        double ut;           // 15 June 2011, 09:40 local, as a Julian date (UT)
    } cases[] = {
        {"Europe/Berlin", "", "June 15, 2011, 09:30 (GMT+2:00)", 2455727.5 + (7 * 60 + 30) / 1440.0},
        {"Asia/Kathmandu", "09:40 Asia/Kathmandu, GMT+5:45", "June 15, 2011, 09:40 (Asia/Kathmandu, GMT+5:45)",
         2455727.5 + (3 * 60 + 55) / 1440.0},
        {"Pacific/Auckland", "09:40 Pacific/Auckland, GMT+12:00", "June 15, 2011, 09:40 (Pacific/Auckland, GMT+12:00)",
         2455726.5 + (21 * 60 + 40) / 1440.0},
    };
    for (const auto& c : cases) {
        platform::FixedClock clock({2011, 6, 15, 9, 40, 0});
        clock.SetZoneName(c.zone);
        program->main.SelectMode(core::Mode::WorldTransits);
        ASSERT_TRUE(program->SetWorldDateToNow(clock).computed) << c.zone;
        EXPECT_EQ(PreciseMomentLabel(*program, 0), c.label) << c.zone;
        EXPECT_NEAR(program->main.moments[0], c.ut, 1e-9) << c.zone;
        EXPECT_EQ(ComputerZoneNotice(*program).has_value(), std::string(c.label).size() > 0) << c.zone;
        EXPECT_EQ(datetime::InputDateToString(program->main, 0, false, program->language), c.shown);
    }
    // Auckland's +12:00 lies beyond the lists' GMT+11:30: the notice names the zone and its offset.
    const std::optional<platform::Message> notice = ComputerZoneNotice(*program);
    ASSERT_TRUE(notice.has_value());
    EXPECT_NE(notice->text.find("Pacific/Auckland (GMT+12:00)"), std::string::npos) << notice->text;

    // Touching the row drops the moment; the row converts from its lists again.
    DateRowTouched(*program, 0);
    EXPECT_EQ(PreciseMomentLabel(*program, 0), "");
    EXPECT_FALSE(ComputerZoneNotice(*program).has_value());
}

// A computer whose zone is a rule the tz database does not name ("<+0545>-5:45") runs on the rule's offset;
// the notice names that offset once, as the zone it is.
TEST_F(PreciseMoments, NowInAZoneGivenAsARule)
{
    platform::FixedClock clock({2011, 6, 15, 9, 40, 0});
    clock.SetRuleOffset(5 * 3600 + 45 * 60);
    program->main.SelectMode(core::Mode::WorldTransits);
    ASSERT_TRUE(program->SetWorldDateToNow(clock).computed);
    EXPECT_NEAR(program->main.moments[0], 2455727.5 + (3 * 60 + 55) / 1440.0, 1e-9);
    const std::optional<platform::Message> notice = ComputerZoneNotice(*program);
    ASSERT_TRUE(notice.has_value());
    EXPECT_EQ(notice->text, "The computer's time zone GMT+5:45 is not in the zone lists. The world date holds the "
                            "precise moment 09:40 GMT+5:45.");
}

std::string FileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Save, load and save again: the same bytes, the same instants, fractions of a second, a leap second and
// local mean time at a longitude of many digits included.
TEST_F(PreciseMoments, SaveLoadSaveKeepsEveryMomentToTheByte)
{
    settings::MemorySettingsStore store;
    testing::TempFolder folder;
    const platform::FixedClock clock({2011, 6, 15, 9, 40, 0});
    const auto read = [this](const char* typed) {
        return datetime::ParsePreciseMoment(typed, datetime::MomentZone::Fixed(0), program->language).value();
    };
    datetime::PreciseMoment meanTime =
        datetime::ResolveWallTime({1850, 6, 1, 12, 0, 7, 250000}, datetime::MomentZone::MeanTime(13.4567),
                                  std::nullopt, program->language)
            .value();
    SetPreciseMoment(*program, 0, read("2026-01-01T00:59:60[Europe/Berlin]"));
    SetPreciseMoment(*program, 1, read("1978-03-14T06:30:15.75[Europe/Vienna]"));
    SetPreciseMoment(*program, 2, meanTime);
    ASSERT_TRUE(program->Compute().computed);
    const std::array<double, 3> instants{program->main.preciseMoments[0]->moment,
                                         program->main.preciseMoments[1]->moment, meanTime.moment};

    // The fixture's panel is set without its lists, so the whole file is compared from the first load on.
    std::array<std::string, 3> saved;
    for (size_t pass = 0; pass < saved.size(); ++pass) {
        const std::string path = folder.folder() + std::to_string(pass) + ".qvs";
        ASSERT_TRUE(program->SaveAs(path, store).file);
        saved[pass] = FileText(path);
        for (int16_t row = 0; row < 3; ++row)
            DateRowTouched(*program, row);
        ASSERT_TRUE(program->Load(path, clock, store).file);
    }
    const auto moments = [](const std::string& file) { return file.substr(file.find("#PRECISE-MOMENTS#")); };
    EXPECT_EQ(moments(saved[0]), moments(saved[1]));
    EXPECT_EQ(saved[1], saved[2]);
    EXPECT_NE(saved[0].find("1850-06-01T12:00:07.25 LMT 13.4567"), std::string::npos);
    for (size_t row = 0; row < 3; ++row) {
        ASSERT_TRUE(program->main.preciseMoments[row].has_value()) << row;
        EXPECT_NEAR(program->main.preciseMoments[row]->moment, instants[row], 1e-9) << row;
        datetime::DateRows rows = program->main;  // converting cleans the rows it reads
        EXPECT_NEAR(datetime::InputDateToAJDate(rows, static_cast<int16_t>(row), program->language).value(),
                    instants[row], 1e-9)
            << row;
    }
    // 2026-01-01T00:00:00 UT, the end of the leap second; 13.4567° E is 53 min 50 s ahead of Greenwich.
    EXPECT_NEAR(instants[0], 2461041.5, 1e-9);
    EXPECT_NEAR(instants[2], testing::Jdn(1850, 6, 1) + (7.25 - 3230) / 86400.0, 1e-9);
}

}  // namespace
}  // namespace orvane::app
