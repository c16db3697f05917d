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
    const bool geocentric = heading.perspective == core::Perspective::Geocentric;
    const int16_t apparent = geocentric ? text::kTextPositionsApparentFromEarth : text::kTextPositionsApparent;
    const std::string convention =
        OwnText(text::kTextConventionHeading, language,
                OwnText(j2000 ? text::kTextFrameJ2000 : text::kTextFrameOfDate, language),
                OwnText(geometric ? text::kTextPositionsGeometric : apparent, language));
    const std::string perspective = geocentric ? OwnText(text::kTextPerspectiveGeocentric, language) + "; " : "";
    return std::string("orvane-cli ") + kVersion + "; " + perspective + convention + "; " +
           OwnText(text::kTextTimesIn, language, ZoneLabel(heading.zoneMinutes, heading.zoneName));
}

nlohmann::ordered_json HeadingMetadata(const TableHeading& heading)
{
    nlohmann::ordered_json metadata{{"program", "orvane-cli"}, {"version", kVersion}};
    if (heading.perspective == core::Perspective::Geocentric)
        metadata["perspective"] = "geocentric";
    metadata["frame"] = FrameKey(heading.convention);
    metadata["positions"] = PositionsKey(heading.convention);
    metadata["zone"] = ZoneLabel(heading.zoneMinutes, heading.zoneName);
    return metadata;
}

}  // namespace orvane::cli
