#include "cli/table_heading.h"

#include "cli/texts.h"
#include "orvane_version.h"
#include "text/text_numbers.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>

namespace orvane::cli {

std::string ZoneLabel(int32_t zoneMinutes, const std::string& zoneName)
{
    if (!zoneName.empty())
        return zoneName;
    if (zoneMinutes == 0)
        return "UT";
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d:%02d", zoneMinutes < 0 ? '-' : '+', std::abs(zoneMinutes) / 60,
                  std::abs(zoneMinutes) % 60);
    return text;
}

const char* FrameKey(platform::Convention convention)
{
    return convention.frame == platform::Frame::J2000 ? "j2000" : "date";
}

const char* PositionsKey(platform::Convention convention)
{
    return convention.positions == platform::PositionKind::Geometric ? "geometric" : "apparent";
}

std::string HeadingLine(const TableHeading& heading, int16_t language)
{
    const bool j2000 = heading.convention.frame == platform::Frame::J2000;
    const bool geometric = heading.convention.positions == platform::PositionKind::Geometric;
    const std::string convention =
        OwnText(text::kTextConventionHeading, language,
                OwnText(j2000 ? text::kTextFrameJ2000 : text::kTextFrameOfDate, language),
                OwnText(geometric ? text::kTextPositionsGeometric : text::kTextPositionsApparent, language));
    return std::string("orvane-cli ") + kVersion + "; " + convention + "; " +
           OwnText(text::kTextTimesIn, language, ZoneLabel(heading.zoneMinutes, heading.zoneName));
}

nlohmann::ordered_json HeadingMetadata(const TableHeading& heading)
{
    return {{"program", "orvane-cli"},
            {"version", kVersion},
            {"frame", FrameKey(heading.convention)},
            {"positions", PositionsKey(heading.convention)},
            {"zone", ZoneLabel(heading.zoneMinutes, heading.zoneName)}};
}

}  // namespace orvane::cli
