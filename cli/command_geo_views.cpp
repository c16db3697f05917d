// The aspects and the patterns of the sky seen from the Earth.

#include "cli/session.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "core/geo_aspects.h"
#include "datetime/iso_dates.h"
#include "text/text_numbers.h"

#include <ostream>

namespace orvane::cli {

int Session::GeocentricAspects(double from, int16_t step, int64_t steps)
{
    TableWriter writer(m_out, m_line.format, m_program.astro.tables, Words());
    writer.BeginAspects();
    for (int64_t k = 0; k < steps && m_out; ++k) {
        const double moment = datetime::SteppedMoment(from, step, k);
        const auto found = core::GeoAspectsAt(m_program.astro, moment, m_line.geoConvention);
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
