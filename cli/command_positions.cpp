#include "cli/session.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "datetime/date_input.h"
#include "display/angle_texts.h"
#include "display/grid_model.h"
#include "display/result_texts.h"
#include "text/text_numbers.h"

#include <ostream>

namespace orvane::cli {

int Session::Positions()
{
    // A state file is read whenever one is named, so that a missing or damaged one is bad input even where
    // --date takes the place of its world date (STATE beside --jd is a usage mistake).
    if (!m_line.state.empty())
        if (const int code = LoadState(); code != kExitSuccess)
            return code;
    double moment = m_line.jd.value_or(m_line.date.empty() ? m_environment.nowMoment : MomentOf(m_line.date));
    if (!m_line.jd && m_line.date.empty() && !m_line.state.empty()) {
        const platform::Result<double> world =
            datetime::InputDateToAJDate(m_program.main, core::kWorldDateRow, m_program.language);
        if (!world)
            return DateError(world.error());
        moment = world.value();
    }
    const bool place = m_line.latitude || m_line.longitude;
    if (place && (!m_line.latitude || !m_line.longitude || m_line.geoConvention.frame == platform::Frame::J2000 ||
                  (!m_line.compare && m_line.perspective != core::Perspective::Geocentric))) {
        m_err << OwnText(text::kTextAnglesNeed, m_line.language) << '\n'
              << OwnText(text::kTextHelpHint, m_line.language, "orvane-cli positions --help") << '\n';
        return kExitUsage;
    }
    if (m_line.compare)
        return ComparedPositions(moment);
    if (m_line.perspective == core::Perspective::Geocentric)
        return GeocentricPositions(moment);
    // Every line is made before any is printed: a body without a position makes the moment bad input.
    const core::AstroModule& astro = m_program.astro;
    std::string lines;
    for (int16_t body = core::kEarth; body <= astro.bodyCount; ++body) {
        const double longitude = astro.HelioLongitude(body, moment);
        const std::string& name = astro.tables.bodyNames[static_cast<size_t>(body)];
        if (longitude == core::kPlutoBeforeTable || longitude == core::kPlutoAfterTable) {
            lines += name + " " + display::PositionErrorMark(core::PositionOf(longitude).missing) + "\n";
        } else if (!(longitude >= 0.0 && longitude < core::kTwoPi)) {
            // Outside the ephemeris' range no body has a position: the moment is named, not the body.
            m_err << OwnText(text::kTextMomentOutOfRange, m_line.language, MomentText(moment)) << '\n';
            return kExitBadInput;
        } else {
            lines += name + " " + Fixed6(longitude / core::kTwoPi * 360.0) + " " +
                     display::Rad2DegMin(longitude) + " " +
                     display::ZodiacPositionText(astro.tables, longitude, false) + "\n";
        }
    }
    m_out << HeadingLine(Words().heading, m_line.language) << '\n' << lines;
    return kExitSuccess;
}

}  // namespace orvane::cli
