#include "app/geocentric_view.h"

#include "app/place_entry.h"
#include "core/geocentric.h"
#include "display/geo_ring.h"
#include "platform/index.h"
#include "text/text_numbers.h"

#include <array>

namespace orvane::app {

using platform::At;

std::optional<int16_t> ShownRow(core::Mode mode)
{
    switch (mode) {
    case core::Mode::WorldTransits:
    case core::Mode::PersonalTransits1st:
    case core::Mode::PersonalTransits2nd: return core::kWorldDateRow;
    case core::Mode::Natal1st:
    case core::Mode::Synastry: return core::kFirstBirthdateRow;
    case core::Mode::Natal2nd: return core::kSecondBirthdateRow;
    default: return std::nullopt;
    }
}

std::optional<display::MomentPositions> PositionsShown(const Workspace& program)
{
    const MainModel& main = program.main;
    const std::optional<int16_t> row = ShownRow(main.currentMode);
    // Earth has a position in every computed chart: without one nothing has been computed yet.
    if (!row || !main.result.positions[0][core::Body::Earth].longitude)
        return std::nullopt;
    display::MomentPositions shown;
    shown.row = *row;
    shown.moment = main.moments[At(*row)];
    const auto bodies = core::ComparePerspectives(program.astro.pluto, shown.moment, program.astro.convention,
                                                  platform::kGeocentricDefault);
    if (!bodies)
        return std::nullopt;
    shown.bodies = *bodies;
    // The row's place belongs to its precise moment: a row typed into its lists has none.
    const charts::Place& place = program.rowPlaces[At(*row)];
    if (main.preciseMoments[At(*row)] && place.latitude && place.longitude) {
        shown.angles = platform::AnglesAt(shown.moment, *place.latitude, *place.longitude);
        if (shown.angles)
            shown.place = display::AnglesPlace{PlaceText(place), *place.latitude, *place.longitude};
    }
    return shown;
}

display::ChartData ShownChartData(const Workspace& program, const std::string& caption)
{
    const settings::ConfigureModel& panel = program.configure;
    const display::ChartOptions options{panel.zodiacSectors, panel.onlyOuterPlanets, panel.onlyEarthAspects};
    display::ChartData data = display::MakeChartData(program.astro, program.main.result, program.main.currentMode,
                                                     options, program.language, caption);
    if (panel.geoRing)
        if (const std::optional<display::MomentPositions> shown = PositionsShown(program))
            data.geoRing = display::MakeGeoRing(*shown, program.astro.tables, program.language, data.kind);
    return data;
}

display::PositionsTable ShownPositionsTable(const Workspace& program)
{
    const std::optional<display::MomentPositions> shown = PositionsShown(program);
    // The row as the main window's label names it.
    static constexpr std::array<int16_t, core::kNumDateRows> kRowLabels{text::kTextWorldDate, text::kText1stBirthdate,
                                                                        text::kText2ndBirthdate};
    const std::string rowName = shown ? program.language.Text(kRowLabels[At(shown->row)]) : std::string();
    return display::MakePositionsTable(shown, rowName, program.astro.tables, program.language,
                                       program.main.radiansSelected());
}

}  // namespace orvane::app
