#include "display/transit_picture.h"

#include "core/aspects.h"
#include "platform/moment.h"
#include "datetime/date_input.h"
#include "datetime/datepr2.h"
#include "display/angle_texts.h"
#include "platform/calendar.h"
#include "platform/index.h"
#include "text/text_numbers.h"

#include <cmath>

namespace orvane::display {
namespace {

using platform::At;

// The Gregorian date of the whole day of local day number `day`, as "2000-01-05".
std::string NumericDate(double day)
{
    return datetime::NumericDateText(
        platform::DateOfDayNumber(static_cast<int64_t>(std::trunc(day))).value_or(platform::CalendarDate{}));
}

std::string TimeOf(double day)
{
    return datetime::TimeOfDayText(day - std::trunc(day), false);
}

// The orb stands for half the picture's width: deviation per pixel.
// A row's moment, or -1 for a row that holds no date (the picture is made from rows that converted).
double MomentOf(const platform::Result<double>& moment)
{
    return moment ? moment.value() : -1.0;
}

double RadiansPerPixel(const TransitPicture& picture)
{
    return picture.orb / kTransitHalfWidth;
}

}  // namespace

namespace {

// The dates and times of the rows, 28 steps over the span, and the row of the world moment.
void LabelRows(TransitPicture& picture, datetime::DateRows& rows, double span, const text::Language& language)
{
    const double b = picture.beginning;
    const double rowStep = span / (kTransitRows - 1);
    const double world = MomentOf(datetime::InputDateToLocalDayNumber(rows, core::kWorldDateRow, language));
    picture.markedRow = 0;
    bool marked = false;
    for (int i = 0; i < kTransitRows; ++i) {
        const double t = b + i * rowStep;
        picture.rowLabels[At(i)] = NumericDate(t) + " " + TimeOf(t);
        if (!marked && t > world - rowStep / 2) {
            picture.markedRow = i;
            marked = true;
        }
    }
}

// The longitude at which the transit is exact: the natal body's, its opposite, or of the two points
// the aspect's angle away from it the one nearer the transiting body at the world moment.
double ExactLongitude(const core::AstroModule& astro, datetime::DateRows& rows, int16_t birthRow, core::Body p1,
                      core::Body p2, core::Aspect aspect, const text::Language& language)
{
    const double natal = astro.HelioLongitude(p1, MomentOf(datetime::InputDateToAJDate(rows, birthRow, language)));
    if (aspect == core::Aspect::Opposition)
        return core::NormalizeAngle(natal + core::kPi);
    if (aspect == core::Aspect::Conjunction)
        return natal;
    const double moving =
        astro.HelioLongitude(p2, MomentOf(datetime::InputDateToAJDate(rows, core::kWorldDateRow, language)));
    const double ahead = core::NormalizeAngle(natal + astro.tables.aspectAngles[core::SlotOf(aspect)]);
    const double behind = core::NormalizeAngle(natal - astro.tables.aspectAngles[core::SlotOf(aspect)]);
    return core::Separation(moving, ahead) < core::Separation(moving, behind) ? ahead : behind;
}

// The transiting body's deviation from `exact`, from local midnight at the start of the first day, 392
// steps to the end of the last; only where it lies within the orb.
void SampleCourse(TransitPicture& picture, const core::AstroModule& astro, core::Body p2, double exact, double span,
                  int16_t zoneMinutes)
{
    double t = platform::MomentOfLocalDay(std::trunc(picture.beginning), zoneMinutes * 60);
    for (int k = 0; k < kTransitSamples; ++k) {
        const double d = core::SignedSeparation(astro.HelioLongitude(p2, t), exact);
        if (std::abs(d) <= picture.orb)
            picture.course[At(k)] = d;
        t += span / (kTransitSamples - 1);
    }
}

}  // namespace

TransitPicture MakeTransitPicture(const core::AstroModule& astro, datetime::DateRows rows, int16_t birthRow,
                                  core::Body p1, core::Body p2, core::Aspect aspect, int16_t zoneMinutes, double b,
                                  double e, const std::string& caption, const text::Language& language)
{
    TransitPicture picture;
    picture.aspect = aspect;
    picture.orb = astro.orbs.Orb(aspect, core::kOrbColumnPersonal);
    picture.color = astro.tables.aspectColors[core::SlotOf(aspect)];
    picture.beginning = b;
    picture.ending = e;

    // The span runs to the end of the last day.
    const double span = e + 1 - b;
    LabelRows(picture, rows, span, language);

    picture.scaleLabels[0] = Rad2DegMin(0.0);
    for (int j = 1; j <= kTransitScaleSteps; ++j)
        picture.scaleLabels[At(j)] = Rad2DegMin(j * picture.orb / 7.5);

    SampleCourse(picture, astro, p2, ExactLongitude(astro, rows, birthRow, p1, p2, aspect, language), span, zoneMinutes);

    const std::string birthdate =
        " (" + NumericDate(std::trunc(MomentOf(datetime::InputDateToLocalDayNumber(rows, birthRow, language)))) + ")";
    picture.caption = caption;
    if (const size_t x = picture.caption.find('X'); x != std::string::npos)
        picture.caption.replace(x, 1, birthdate);
    return picture;
}

double CourseX(const TransitPicture& picture, double deviation)
{
    return kTransitCentre + deviation / RadiansPerPixel(picture);
}

std::optional<platform::Message> TransitCurveReport(const TransitPicture& picture, const text::Language& language,
                                                    int32_t x, int32_t y, double color)
{
    if (color == 0.0 || x < 1800 || x >= 18875 || y < kTransitCourseTop || y >= kTransitCourseBottom)
        return std::nullopt;
    const int16_t row = static_cast<int16_t>(std::nearbyint((y - kTransitCourseTop) / double{kTransitCourseStep}));
    const double t = picture.beginning + row * (picture.ending + 1 - picture.beginning) / (kTransitSamples - 1);
    const double deviation = (static_cast<double>(x) / kTransitUnit - kTransitCentre) * RadiansPerPixel(picture);
    std::string values = language.Text(text::kTextPictureCurveValues);
    values = text::Replaced(values, "[time]", TimeOf(t));
    values = text::Replaced(values, "[date]", NumericDate(t));
    values = text::Replaced(values, "[exactness]", Rad2DegMin(std::abs(deviation), {.allowNegative = true}));
    return platform::Message::Plain(language.Text(text::kTextPictureCurveTitle),
                                    language.Text(text::kTextPictureCurvePoint) + text::kLineBreak + values);
}

}  // namespace orvane::display
