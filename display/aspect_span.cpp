#include "display/aspect_span.h"

#include "display/grid_model.h"

#include <cmath>
#include <iomanip>
#include <sstream>

namespace orvane::display {
namespace {

constexpr double kMinutesPerDay = 1440.0;

enum class Direction { Back, Forward };

// Steps from the world date's local day in whole days until the aspect is found outside the orb at a
// local midnight. The trial day is kept as a whole number and the trial moment derived from it, so that
// the day handed back is exact whatever the zone offset.
double SearchAspectEdge(const core::AstroModule& astro, const AspectSpanContext& context, int16_t p1, int16_t p2,
                        int16_t a, int16_t k, Direction direction)
{
    if (context.worldLocalDay < 0.0)
        return kUnknownDay;  // the world date row holds no date

    double L1 = 0.0;
    if (context.isPersonalTransits) {
        if (context.natalMoment < 0.0)
            return kUnknownDay;  // the birthdate row holds no moment
        L1 = astro.HelioLongitude(p1, context.natalMoment);
    }

    const double zoneDays = context.zoneOffsetMinutes / kMinutesPerDay;
    const double worldDay = std::floor(context.worldLocalDay);
    // The beginning is sought from the midnight that starts the world date, the end from the next one.
    double day = direction == Direction::Back ? worldDay : worldDay + 1.0;
    const double sense = direction == Direction::Back ? -1.0 : 1.0;
    // Aspects between the three outermost bodies last for years: near exactness they are passed over in
    // steps of up to eleven days.
    const bool slowPair = p1 >= core::kUranus && p2 >= core::kUranus;

    for (int32_t trial = 0; trial < context.lngMaxTrials; ++trial) {
        const double t = day - zoneDays - 0.5;  // the local midnight that starts `day`
        if (!context.isPersonalTransits)
            L1 = astro.HelioLongitude(p1, t);
        const double L2 = astro.HelioLongitude(p2, t);
        if (L1 < 0.0 || L2 < 0.0)
            return kUnknownDay;

        double exactness = 0.0;
        if (!astro.IsAspectWithExactness(L1, L2, a, k, exactness))
            return direction == Direction::Back ? day : day - 1.0;

        const double step = slowPair ? std::floor(10.0 * exactness) + 1.0 : 1.0;
        day += sense * step;
    }
    return kUnknownDay;
}

std::string RightJustified(const std::string& text, size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string RightJustified(long long number, size_t width)
{
    return RightJustified(std::to_string(number), width);
}

// The deviation with six decimals, written the way the user's number format writes it (the global
// locale); the record replaces a decimal comma afterwards.
std::string DeviationText(double deviation)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(6) << deviation;
    return text.str();
}

const std::string kNoDates(22, '-');
const std::string kBlankDates(22, ' ');
const std::string kBlankDuration(6, ' ');

}  // namespace

AspectSpanContext MakeAspectSpanContext(int16_t currentMode, const std::array<double, 3>& moments,
                                        double worldLocalDayNumber, int16_t zoneMinutes)
{
    AspectSpanContext context;
    context.isPersonalTransits = core::IsPersonalTransitMode(currentMode);
    context.worldLocalDay = worldLocalDayNumber;
    context.natalMoment = currentMode == core::kModePersonal1 ? moments[1] : moments[2];
    context.zoneOffsetMinutes = zoneMinutes;
    return context;
}

double BeginningOfAspect(const core::AstroModule& astro, const AspectSpanContext& context, int16_t p1,
                         int16_t p2, int16_t a, int16_t k)
{
    return SearchAspectEdge(astro, context, p1, p2, a, k, Direction::Back);
}

double EndOfAspect(const core::AstroModule& astro, const AspectSpanContext& context, int16_t p1, int16_t p2,
                   int16_t a, int16_t k)
{
    return SearchAspectEdge(astro, context, p1, p2, a, k, Direction::Forward);
}

namespace {

// The two bodies of a grid cell and their longitudes at the moments of the mode.
struct CellPair {
    int16_t p1 = 0;
    int16_t p2 = 0;
    double L1 = 0.0;
    double L2 = 0.0;
};

CellPair PairOfCell(const core::AstroModule& astro, const DurationGrid& grid, const AspectSpanContext& context,
                    const RowCol& cell)
{
    CellPair pair;
    if (!core::IsTwoDateMode(grid.currentMode)) {
        // Triangle: the row body and the column body at the one moment of the mode.
        pair.p1 = static_cast<int16_t>(cell.gridRow - 1);
        pair.p2 = static_cast<int16_t>(cell.gridCol + 1);
        const double M = grid.moments[static_cast<size_t>(grid.currentMode - 1)];
        pair.L1 = astro.HelioLongitude(pair.p1, M);
        pair.L2 = astro.HelioLongitude(pair.p2, M);
    } else if (core::IsPersonalTransitMode(grid.currentMode)) {
        // Rows are the natal bodies, columns the transiting bodies.
        pair.p1 = static_cast<int16_t>(cell.gridRow - 1);
        pair.p2 = static_cast<int16_t>(cell.gridCol - 1);
        pair.L1 = astro.HelioLongitude(pair.p1, context.natalMoment);
        pair.L2 = astro.HelioLongitude(pair.p2, grid.moments[0]);
    } else {
        // Synastry: columns belong to the 1st birthdate, rows to the 2nd.
        pair.p1 = static_cast<int16_t>(cell.gridCol - 1);
        pair.p2 = static_cast<int16_t>(cell.gridRow - 1);
        pair.L1 = astro.HelioLongitude(pair.p1, grid.moments[1]);
        pair.L2 = astro.HelioLongitude(pair.p2, grid.moments[2]);
    }
    return pair;
}

// One duration record: the bodies, the aspect, its deviation and, for transits, beginning, end and
// duration in days (blank where unknown). Decimal commas become points.
std::string DurationRecord(const core::AstroModule& astro, const AspectSpanContext& context, const CellPair& pair,
                           int16_t a, int16_t k, bool fixedMoments)
{
    const int16_t p1 = pair.p1;
    const int16_t p2 = pair.p2;
    const double deviation = astro.Deviation(pair.L1, pair.L2, a);
    std::string record = RightJustified(p1, 2) + RightJustified(p2, 2) + RightJustified(p1, 2) +
                         RightJustified(a, 2) + " " + DeviationText(deviation);
    if (fixedMoments) {
        record += kNoDates;
    } else if (p2 == core::kMaxBodyIndex) {
        record += kBlankDates;
    } else {
        const auto b = static_cast<long long>(std::floor(BeginningOfAspect(astro, context, p1, p2, a, k)));
        const auto e = static_cast<long long>(std::floor(EndOfAspect(astro, context, p1, p2, a, k)));
        record += RightJustified(b, 8) + RightJustified(e, 8);
        record += (b < 0 || e < 0) ? kBlankDuration : RightJustified(e - b + 1, 6);
    }
    for (char& c : record) {
        if (c == ',')
            c = '.';
    }
    return record;
}

}  // namespace

void GetDurations(const core::AstroModule& astro, const DurationGrid& grid, DurationRecords& records)
{
    records.recordLines.clear();
    records.recordCount = 0;
    if (grid.currentMode < core::kModeWorldTransits || grid.currentMode > core::kModeSynastry || grid.columnCount <= 0)
        return;

    const int16_t k = core::IsTwoDateMode(grid.currentMode) ? core::kOrbColumnPersonal : core::kOrbColumnOneMoment;
    const AspectSpanContext context = MakeAspectSpanContext(grid.currentMode, grid.moments,
                                                            grid.worldLocalDay, grid.zoneOffsetMinutes);
    const bool fixedMoments = core::IsNatalMode(grid.currentMode) || grid.currentMode == core::kModeSynastry;

    for (size_t i = 0; i < grid.cellTexts.size(); ++i) {
        const std::string& cellText = grid.cellTexts[i];
        for (int16_t a = core::kConjunction; a <= core::kNumAspects; ++a) {
            const std::string& abbrev = astro.tables.AspectText[static_cast<size_t>(a)].Abbrev;
            if (abbrev.empty() || cellText.find(abbrev) == std::string::npos)
                continue;
            const CellPair pair = PairOfCell(astro, grid, context, CellRowCol(static_cast<int>(i), grid.columnCount));
            records.recordLines.push_back(DurationRecord(astro, context, pair, a, k, fixedMoments));
            ++records.recordCount;
        }
    }
}

}  // namespace orvane::display
