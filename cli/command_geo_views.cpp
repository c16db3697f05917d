// The aspects and the patterns of the sky seen from the Earth.

#include "cli/session.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "core/geo_angle_events.h"
#include "core/geo_aspects.h"
#include "datetime/iso_dates.h"
#include "text/text_numbers.h"

#include <cmath>
#include <cstdio>
#include <ostream>

namespace orvane::cli {
namespace {

// A number of degrees as few digits as it needs: "65", "70.5".
std::string DegreesText(double degrees)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", degrees);
    return text;
}

}  // namespace

std::optional<core::GeoPlace> Session::Place() const
{
    if (!m_line.latitude || !m_line.longitude)
        return std::nullopt;
    return core::GeoPlace{*m_line.latitude, *m_line.longitude};
}

int Session::PlaceMistake(bool events, const char* command)
{
    const bool place = m_line.latitude || m_line.longitude;
    const bool geocentric = m_line.perspective == core::Perspective::Geocentric;
    const bool angleKind = events && geocentric && m_line.geoFilter.HasKind(core::GeoEventKind::Angle);
    std::string mistake;
    if ((place || angleKind) && (!m_line.latitude || !m_line.longitude || !geocentric ||
                                 m_line.geoConvention.frame == platform::Frame::J2000))
        mistake = OwnText(text::kTextAngleAspectsNeed, m_line.language);
    else if (events && place && !(std::fabs(*m_line.latitude) <= core::kAngleEventLatitudeLimit))
        mistake = OwnText(text::kTextAngleLatitudeLimit, m_line.language, DegreesText(core::kAngleEventLatitudeLimit),
                          DegreesText(*m_line.latitude));
    if (mistake.empty())
        return kExitSuccess;
    m_err << mistake << '\n' << OwnText(text::kTextHelpHint, m_line.language, std::string("orvane-cli ") + command + " --help")
          << '\n';
    return kExitUsage;
}

int Session::GeocentricAspects(double from, int16_t step, int64_t steps)
{
    TableWriter writer(m_out, m_line.format, m_program.astro.tables, Words());
    writer.BeginAspects();
    for (int64_t k = 0; k < steps && m_out; ++k) {
        const double moment = datetime::SteppedMoment(from, step, k);
        const auto found = core::GeoAspectsAt(m_program.astro, moment, m_line.geoConvention, Place());
        if (!found) {
            writer.End();
            m_err << OwnText(text::kTextMomentOutOfRange, m_line.language, MomentText(moment)) << '\n';
            return kExitBadInput;
        }
        for (const core::GeoAspectFound& aspect : *found)
            writer.GeoAspectRow(moment, aspect);
    }
    writer.End();
    return kExitSuccess;
}

}  // namespace orvane::cli
