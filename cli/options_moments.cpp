#include "cli/options_moments.h"

#include "app/chart_names.h"
#include "cli/option_kit.h"

#include "cli/texts.h"
#include "platform/moment.h"
#include "cli/tables.h"
#include "datetime/iso_dates.h"
#include "datetime/zoned_moments.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace orvane::cli {
namespace {

// CLI11 counts the last of an option's values 0: only the value that counts is checked.
CLI::Validator OwnRefusal(std::function<std::string(std::string&)> check)
{
    return CLI::Validator(std::move(check), "").application_index(0);
}

}  // namespace

const char* const kMomentHelp =
    "A DATE may carry an offset to the minute (+05:45, -03:30, Z) or a zone of the tz database in\n"
    "brackets: 1989-10-03T15:30[Europe/Berlin], 2025-11-02T01:30-04:00[America/New_York] (offset and zone\n"
    "must agree). A time the clocks skipped, or showed twice without its offset, is refused, naming the\n"
    "two offsets. Without either, a DATE is UT.\n";

std::optional<std::string> DateWordMoment(std::string_view typed, double now, const CommandLine& line)
{
    const std::string word = text::LowerCase(std::string(typed));
    if (word == "now")
        return datetime::IsoText(now, 0);
    if (word != "today")
        return std::nullopt;
    const int32_t offset = ZoneMinutesAt(line.zoneName, line.zone, now);
    const platform::CalendarDate today = platform::DateOf(platform::DayNumberAt(now, offset * 60));
    char date[32];
    std::snprintf(date, sizeof date, "%04lld-%02d-%02dT00:00", static_cast<long long>(today.year), today.month,
                  today.day);
    if (!line.zoneName.empty())
        return std::string(date) + "[" + line.zoneName + "]";
    if (offset == 0)
        return std::string(date) + "Z";
    char zone[16];
    std::snprintf(zone, sizeof zone, "%c%02d:%02d", offset < 0 ? '-' : '+', std::abs(offset) / 60, std::abs(offset) % 60);
    return std::string(date) + zone;
}

CLI::Validator MomentValidator(const CommandLine& line)
{
    return OwnRefusal([&line](std::string& typed) -> std::string {
        if (DateWordMoment(typed, 0.0, line))
            return {};
        const platform::Result<datetime::PreciseMoment> read =
            datetime::ParsePreciseMoment(typed, datetime::MomentZone::Fixed(0), OwnLanguage(line.language));
        return read ? std::string() : EchoedValue(read.error().text, 200);
    });
}

CLI::Validator ChartOrMomentValidator(const CommandLine& line)
{
    // "@NAME" names a chart of the library, looked up when the command runs.
    return OwnRefusal([moment = MomentValidator(line)](std::string& typed) -> std::string {
        return app::NamesChart(typed) ? std::string() : moment(typed);
    });
}

void AddZoneOption(CLI::App* command, CommandLine& line)
{
    const auto zone = [&line](const std::string& typed) {
        const platform::Result<datetime::MomentZone> read =
            datetime::ParseMomentZone(typed, OwnLanguage(line.language));
        if (!read)
            return;
        line.zone = read.value().offsetSeconds / 60;
        line.zoneName = read.value().kind == datetime::ZoneKind::Named ? read.value().name : std::string();
    };
    command
        ->add_option_function<std::string>("--zone", zone,
                                           "Times in this zone: Z or UT (default), +05:45, or a name such as "
                                           "Europe/Berlin (summer time included)")
        ->type_name("Z")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(OwnRefusal([&line](std::string& typed) -> std::string {
            const platform::Result<datetime::MomentZone> read =
                datetime::ParseMomentZone(typed, OwnLanguage(line.language));
            return read ? std::string() : EchoedValue(read.error().text, 200);
        }));
}

void AddBirthOptions(CLI::App* command, CommandLine& line)
{
    const auto birthValidator = [&line] { return ChartOrMomentValidator(line); };
    command
        ->add_option("--birth", line.birth,
                     "The 1st birthdate (DATE, or @NAME: a chart of the library), instead of the state's")
        ->type_name("DATE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(birthValidator());
    command->add_option("--birth2", line.birth2, "The 2nd birthdate (DATE or @NAME), instead of the state's")
        ->type_name("DATE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(birthValidator());
    AddLibraryOption(command, line);
    const auto mode = [&line](const std::string& typed) {
        if (const auto found = kModeNames.find(typed); found != kModeNames.end())
            line.mode = found->second;
    };
    command
        ->add_option_function<std::string>("--mode", mode,
                                           "world, natal1, natal2, personal1, personal2 or synastry (default: the "
                                           "state's; without one natal1 with --birth, personal1 for events, else world)")
        ->type_name("MODE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->transform(OwnRefusal([&line](std::string& typed) -> std::string {
            for (char& c : typed)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return kModeNames.count(typed) > 0
                       ? std::string()
                       : OwnText(text::kTextBadValueListed, line.language, "--mode", typed,
                                 "world, natal1, natal2, personal1, personal2, synastry");
        }));
}

}  // namespace orvane::cli
