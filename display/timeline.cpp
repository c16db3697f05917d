#include "display/timeline.h"

#include "datetime/date_input.h"
#include "platform/moment.h"
#include "datetime/datepr2.h"
#include "datetime/iso_dates.h"
#include "display/angle_texts.h"
#include "display/machine_formats.h"
#include "platform/calendar.h"
#include "text/language.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <tuple>

namespace orvane::display {
namespace {


using BarKey = std::tuple<core::Body, core::Body, core::Aspect>;  // body1, body2, aspect

BarKey KeyOf(const core::EventPair& pair, core::Aspect aspect)
{
    return {pair.body1, pair.body2, aspect};
}

// The calendar date of local moment `local` (a day number with its fraction).
date::year_month_day LocalDate(double local)
{
    return date::year_month_day{platform::CivilDay(static_cast<int64_t>(std::floor(local)))};
}

unsigned DayOf(const date::year_month_day& date)
{
    return static_cast<unsigned>(date.day());
}

double LocalOf(double moment, int16_t zoneMinutes)
{
    return platform::LocalDay(moment, zoneMinutes * 60);
}

double MomentOfLocalDay(int32_t jdn, int16_t zoneMinutes)
{
    return platform::MomentOfLocalDay(jdn, zoneMinutes * 60);
}

std::string_view MonthAbbrev(int32_t month, int16_t language)
{
    return language == text::langGerman ? datetime::kGermanMonthAbbrev.at(static_cast<size_t>(month))
                                        : datetime::kMonthAbbrev.at(static_cast<size_t>(month));
}

// The months between two ticks: the first of these whose width reaches `leastPixels`.
int MonthStep(double pixelsPerDay, double leastPixels)
{
    for (int step : {1, 2, 3, 6, 12, 24, 60, 120, 300, 600})
        if (step * 30.44 * pixelsPerDay >= leastPixels)
            return step;
    return 1200;
}

// Day ticks every `step` days from the 1st, without the last one of a month that would crowd the next 1st.
void AddDayTicks(std::vector<TimeTick>& ticks, const TimeView& view, int16_t zoneMinutes, double pixelsPerDay,
                 double leastPixels)
{
    const int step = pixelsPerDay >= leastPixels ? 1 : pixelsPerDay * 2 >= leastPixels ? 2 : 7;
    for (auto jdn = static_cast<int32_t>(std::ceil(LocalOf(view.from, zoneMinutes)));; ++jdn) {
        const double moment = MomentOfLocalDay(jdn, zoneMinutes);
        if (moment > view.to)
            break;
        const date::year_month_day date = LocalDate(jdn);
        const auto day = static_cast<int>(DayOf(date));
        const int left = static_cast<int>(static_cast<unsigned>((date.year() / date.month() / date::last).day())) - day + 1;
        if ((day - 1) % step != 0 || (step > 1 && 2 * left < step + 1))
            continue;
        ticks.push_back({moment, std::to_string(day), false, 1});
    }
}

}  // namespace

Timeline AssembleTimeline(double from, double to, const std::vector<core::EventPair>& pairs,
                          const std::vector<InOrbAtStart>& atStart, const std::vector<core::Event>& events)
{
    std::map<BarKey, std::vector<TimelineBar>> bars;
    std::map<BarKey, bool> open;
    for (const InOrbAtStart& holding : atStart) {
        const BarKey key = KeyOf(holding.pair, holding.aspect);
        bars[key].push_back({from, to, true, false, {}});
        open[key] = true;
    }
    for (const core::Event& event : events) {
        if (!event.body2 || !event.aspect || event.moment < from || event.moment >= to)
            continue;  // an ingress, or outside the span
        const BarKey key{event.body1, *event.body2, *event.aspect};
        std::vector<TimelineBar>& list = bars[key];
        // An exact moment or an exit without an entry before it: the aspect held at the span's start.
        if (!open[key] && event.kind != core::EventKind::Enter)
            list.push_back({from, to, true, false, {}});
        if (event.kind == core::EventKind::Enter && open[key])
            continue;
        if (event.kind == core::EventKind::Enter)
            list.push_back({event.moment, to, false, false, {}});
        else if (event.kind == core::EventKind::Exact)
            list.back().exacts.push_back(event.moment);
        else
            list.back().to = event.moment;
        open[key] = event.kind != core::EventKind::Leave;
    }
    Timeline timeline{from, to, core::Mode::None, {}, {}};
    for (const core::EventPair& pair : pairs)
        for (const core::Aspect aspect : core::kEventAspects) {
            const auto found = bars.find(KeyOf(pair, aspect));
            if (found == bars.end() || found->second.empty())
                continue;
            if (open[found->first])
                found->second.back().openEnd = true;
            timeline.rows.push_back({pair, aspect, std::move(found->second)});
        }
    return timeline;
}

std::vector<TimelineLane> AssembleLanes(const std::vector<core::Body>& bodies, const std::vector<core::Event>& events)
{
    std::vector<TimelineLane> lanes;
    for (const core::Body body : bodies) {
        TimelineLane lane{body, {}};
        for (const core::Event& event : events)
            if (!core::IsAspectKind(event.kind) && event.body1 == body)
                lane.marks.push_back(event);
        if (!lane.marks.empty())
            lanes.push_back(std::move(lane));
    }
    return lanes;
}

platform::Result<std::vector<double>> ReadDegrees(const std::string& typed, const text::Language& language)
{
    std::vector<double> degrees;
    std::string word;
    for (size_t i = 0; i <= typed.size(); ++i) {
        const char c = i < typed.size() ? typed[i] : ' ';
        if (c != ',' && c != ' ' && c != ';') {
            word += c;
            continue;
        }
        if (word.empty())
            continue;
        double value = -1.0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error != std::errc() || end != word.data() + word.size() || !(value >= 0.0 && value < 360.0))
            return {platform::ErrorCode::InvalidInput,
                    platform::Message::Exclamation("", language.TextWithReplacements(text::kTextTimelineBadDegrees, word))};
        degrees.push_back(value / 360.0 * core::kTwoPi);
        word.clear();
    }
    return platform::Result<std::vector<double>>(std::move(degrees));
}

std::vector<InOrbAtStart> InOrbAt(const core::AstroModule& astro, const core::EventSearch& search, double moment,
                                  const core::EventFilter& filter, platform::Convention convention)
{
    // Each aspect of each pair by itself: two aspects whose orbs overlap are both in orb.
    std::vector<InOrbAtStart> inOrb;
    for (const core::EventPair& pair : search.Pairs()) {
        const double L1 = pair.moving1 ? astro.HelioLongitude(pair.body1, moment, convention) : pair.fixed1;
        const double L2 = pair.moving2 ? astro.HelioLongitude(pair.body2, moment, convention) : pair.fixed2;
        if (L1 < 0.0 || L2 < 0.0)
            continue;
        const double separation = std::fabs(std::remainder(L1 - L2, core::kTwoPi));
        for (const core::Aspect aspect : core::kEventAspects) {
            const double angle = core::kEventAspectDegrees[core::SlotOf(aspect)] * core::kTwoPi / 360.0;
            if (filter.HasAspect(aspect) && core::WithinOrb(std::fabs(separation - angle), search.OrbOf(aspect)))
                inOrb.push_back({pair, aspect});
        }
    }
    return inOrb;
}

Timeline BuildTimeline(const core::AstroModule& astro, core::Mode mode, const std::array<double, 3>& moments,
                       double from, double to, const TimelineChoice& choice)
{
    core::EventFilter filter;
    for (const core::Aspect aspect : core::kEventAspects)
        filter.aspects = static_cast<uint16_t>(filter.aspects | 1u << core::IndexOf(aspect));
    for (const core::EventKind kind : kLaneKinds)
        if (kind != core::EventKind::Cross || !choice.degrees.empty())
            filter.kinds = static_cast<uint16_t>(filter.kinds | 1u << static_cast<unsigned>(kind));
    filter.degrees = choice.degrees;
    const core::EventSearch search(astro, mode, moments, filter, choice.convention);
    const std::vector<core::Event> events = search.Collect(from, to);
    Timeline timeline =
        AssembleTimeline(from, to, search.Pairs(), InOrbAt(astro, search, from, filter, choice.convention), events);
    timeline.lanes = AssembleLanes(search.MovingBodies(), events);
    timeline.mode = mode;
    return timeline;
}

Timeline KeepBodies(const Timeline& timeline, const std::array<bool, core::kBodySlots>& bodies, bool furtherAspects)
{
    const auto ticked = [&bodies](core::Body body) { return bodies[core::SlotOf(body)]; };
    Timeline kept{timeline.from, timeline.to, timeline.mode, {}, {}};
    for (const TimelineRow& row : timeline.rows)
        if (ticked(row.pair.body1) && ticked(row.pair.body2) && (furtherAspects || !core::IsExtraAspect(row.aspect)))
            kept.rows.push_back(row);
    for (const TimelineLane& lane : timeline.lanes)
        if (ticked(lane.body))
            kept.lanes.push_back(lane);
    return kept;
}

// ----- The picture's arithmetic ---------------------------------------------------------------------------

TimeView Zoomed(const TimeView& view, double anchor, double factor, const TimeView& bounds, double leastDays)
{
    const double length = std::clamp(view.Length() * factor, std::min(leastDays, bounds.Length()), bounds.Length());
    const double share = view.Length() > 0.0 ? (anchor - view.from) / view.Length() : 0.5;
    const TimeView zoomed{anchor - share * length, anchor - share * length + length};
    return Scrolled(zoomed, 0.0, bounds);
}

TimeView Scrolled(const TimeView& view, double days, const TimeView& bounds)
{
    const double length = std::min(view.Length(), bounds.Length());
    const double start = std::clamp(view.from + days, bounds.from, bounds.to - length);
    return {start, start + length};
}

double TimelineLayout::PixelsPerDay() const
{
    const double span = view.Length();
    return span > 0.0 ? std::max(1, width - labelWidth - rightMargin) / span : 0.0;
}

double TimelineLayout::X(double moment) const
{
    return labelWidth + (moment - view.from) * PixelsPerDay();
}

double TimelineLayout::Moment(double x) const
{
    const double perDay = PixelsPerDay();
    return perDay > 0.0 ? view.from + (x - labelWidth) / perDay : view.from;
}

int TimelineLayout::RowAt(double y, int offset) const
{
    const double inRows = y - headerHeight + offset;
    return inRows < 0.0 ? -1 : static_cast<int>(inRows / rowHeight);
}

std::vector<TimeTick> TimeTicks(const TimeView& view, int16_t zoneMinutes, double pixelsPerDay, double leastPixels,
                                int16_t language)
{
    if (!(view.Length() > 0.0) || !(pixelsPerDay > 0.0))
        return {};
    const int step = MonthStep(pixelsPerDay, leastPixels);
    const date::year_month_day start = LocalDate(LocalOf(view.from, zoneMinutes));
    const auto yearOf = [](date::year_month month) { return std::to_string(static_cast<int>(month.year())); };
    const auto monthOf = [](date::year_month month) { return static_cast<int32_t>(static_cast<unsigned>(month.month())); };
    date::year_month month = start.year() / start.month();
    const std::string leading = std::string(MonthAbbrev(monthOf(month), language)) + " " + yearOf(month);
    // The first month tick: the next month whose count from January of year 0 is a multiple of the step.
    const int64_t count = static_cast<int>(month.year()) * 12LL + (monthOf(month) - 1);
    month += date::months((step - count % step) % step);
    std::vector<TimeTick> ticks;
    for (;; month += date::months(step)) {
        if (static_cast<int>(month.year()) > platform::kMaxCalendarYear)
            break;
        const double moment = MomentOfLocalDay(static_cast<int32_t>(platform::DayNumber(date::sys_days(month / 1))),
                                               zoneMinutes);
        if (moment > view.to)
            break;
        if (moment < view.from)
            continue;
        // Before the first month's start, the month the view begins in, where there is room for its name.
        if (ticks.empty() && (moment - view.from) * pixelsPerDay >= leastPixels)
            ticks.push_back({view.from, leading, false, 0});
        std::string label(MonthAbbrev(monthOf(month), language));
        if (monthOf(month) == 1 || ticks.empty() || step >= 12)
            label = step >= 12 ? yearOf(month) : label + " " + yearOf(month);
        ticks.push_back({moment, label, monthOf(month) == 1, 0});
    }
    if (ticks.empty())
        ticks.push_back({view.from, leading, false, 0});
    if (pixelsPerDay * 28.0 >= 2.0 * leastPixels)
        AddDayTicks(ticks, view, zoneMinutes, pixelsPerDay, leastPixels);
    return ticks;
}

// ----- Texts ----------------------------------------------------------------------------------------------

std::string MomentText(double moment, int16_t zoneMinutes, int16_t language)
{
    // Rounded to the second first, as the companion's event lists are, and then shown to the minute: an
    // exact moment at 05:06:59.6 reads 05:07 in both, never a minute early.
    const platform::WallTime local = platform::WallTimeAt(moment, zoneMinutes * 60);
    char time[8];
    std::snprintf(time, sizeof time, "%02d:%02d", local.hour, local.minute);
    const int64_t day = platform::DayNumberOf({local.year, local.month, local.day});
    return datetime::DateText(static_cast<int32_t>(day), true, language) + ", " + time;
}

namespace {

// The two bodies as the mode names them: abbreviations or names, marked for two-date modes.
std::pair<std::string, std::string> BodyTexts(const core::AstroTables& tables, const text::Language& language,
                                              core::Mode mode, const core::EventPair& pair, bool names)
{
    const auto& table = names ? tables.bodyNames : tables.bodyAbbrevs;
    std::string first = table.at(core::SlotOf(pair.body1));
    std::string second = table.at(core::SlotOf(pair.body2));
    if (core::IsPersonalTransitMode(mode))
        return {"tr." + first, language.Text(text::kTextNatalPrefix) + second};
    if (mode == core::Mode::Synastry)
        return {first + "(1)", second + "(2)"};
    return {first, second};
}

}  // namespace

std::string RowLabel(const core::AstroTables& tables, const text::Language& language, core::Mode mode,
                     const TimelineRow& row)
{
    const auto [first, second] = BodyTexts(tables, language, mode, row.pair, false);
    return first + " " + tables.NamesOf(row.aspect).Abbrev + " " + second;
}

std::string BarText(const core::AstroTables& tables, const text::Language& language, core::Mode mode,
                    const TimelineRow& row, const TimelineBar& bar, int16_t zoneMinutes)
{
    const int16_t lang = language.currentLanguage;
    const auto [first, second] = BodyTexts(tables, language, mode, row.pair, true);
    std::string result = first + " " + tables.NamesOf(row.aspect).Adjective + " " + second;
    const auto line = [&](int16_t label, const std::string& value) {
        result += "\n" + language.Text(label) + " " + value;
    };
    line(text::kTextTimelineEntry, bar.openStart ? language.Text(text::kTextTimelineBeforeSpan)
                                                 : MomentText(bar.from, zoneMinutes, lang));
    if (bar.exacts.empty())
        line(text::kTextTimelineExact, language.Text(text::kTextTimelineNoExact));
    for (double exact : bar.exacts)
        line(text::kTextTimelineExact, MomentText(exact, zoneMinutes, lang));
    line(text::kTextTimelineExit, bar.openEnd ? language.Text(text::kTextTimelineAfterSpan)
                                              : MomentText(bar.to, zoneMinutes, lang));
    return result;
}

const TimelineBar* BarAt(const TimelineRow& row, double moment, double slackDays)
{
    for (const TimelineBar& bar : row.bars)
        if (moment >= bar.from - slackDays && moment <= bar.to + slackDays)
            return &bar;
    return nullptr;
}

std::string LaneLabel(const core::AstroTables& tables, core::Mode mode, const TimelineLane& lane)
{
    const std::string& name = tables.bodyNames.at(core::SlotOf(lane.body));
    return core::IsPersonalTransitMode(mode) ? "tr." + name : name;
}

std::string MarkText(const core::AstroTables& tables, const text::Language& language, const core::Event& mark,
                     int16_t zoneMinutes)
{
    const std::string& body = tables.bodyNames.at(core::SlotOf(mark.body1));
    const double value = mark.value.value_or(0.0);
    const std::string place = ZodiacPositionText(tables, value, false);
    char distance[32];
    std::snprintf(distance, sizeof distance, "%.4f", value);
    std::string what;
    switch (mark.kind) {
    case core::EventKind::Ingress:
        what = language.TextWithReplacements(text::kTextTimelineMarkIngress, body,
                                             tables.SignText.at(static_cast<size_t>(mark.sign)).Name);
        break;
    case core::EventKind::Cross: what = language.TextWithReplacements(text::kTextTimelineMarkCross, body, place); break;
    case core::EventKind::Return: what = language.TextWithReplacements(text::kTextTimelineMarkReturn, body, place); break;
    case core::EventKind::AscendingNode:
        what = language.TextWithReplacements(text::kTextTimelineMarkAscendingNode, body, place);
        break;
    case core::EventKind::DescendingNode:
        what = language.TextWithReplacements(text::kTextTimelineMarkDescendingNode, body, place);
        break;
    case core::EventKind::Perihelion:
        what = language.TextWithReplacements(text::kTextTimelineMarkPerihelion, body, distance);
        break;
    case core::EventKind::Aphelion:
        what = language.TextWithReplacements(text::kTextTimelineMarkAphelion, body, distance);
        break;
    default: what = body; break;
    }
    return what + "\n" + MomentText(mark.moment, zoneMinutes, language.currentLanguage);
}

std::string MarkLabel(const core::AstroTables& tables, const core::Event& mark)
{
    switch (mark.kind) {
    case core::EventKind::Ingress: return tables.SignText.at(static_cast<size_t>(mark.sign)).Abbrev;
    case core::EventKind::Cross:
        return std::to_string(std::lround(mark.value.value_or(0.0) * 360.0 / core::kTwoPi) % 360) + "\u00B0";
    case core::EventKind::AscendingNode: return "\u260A";  // ☊
    case core::EventKind::DescendingNode: return "\u260B";  // ☋
    default: return "";
    }
}

const core::Event* MarkAt(const TimelineLane& lane, double moment, double slackDays)
{
    const core::Event* nearest = nullptr;
    for (const core::Event& mark : lane.marks)
        if (std::abs(mark.moment - moment) <= slackDays &&
            (nearest == nullptr || std::abs(mark.moment - moment) < std::abs(nearest->moment - moment)))
            nearest = &mark;
    return nearest;
}

std::string TimelineCsv(const core::AstroTables& tables, const Timeline& timeline)
{
    std::string csv = CsvLine({"body1", "aspect", "body2", "enter", "exact", "leave"});
    for (const TimelineRow& row : timeline.rows)
        for (const TimelineBar& bar : row.bars) {
            std::string exacts;
            for (double exact : bar.exacts)
                exacts += (exacts.empty() ? "" : ";") + datetime::IsoText(exact, 0);
            csv += CsvLine({tables.bodyNames.at(core::SlotOf(row.pair.body1)),
                            tables.NamesOf(row.aspect).Name,
                            tables.bodyNames.at(core::SlotOf(row.pair.body2)),
                            bar.openStart ? "" : datetime::IsoText(bar.from, 0), exacts,
                            bar.openEnd ? "" : datetime::IsoText(bar.to, 0)});
        }
    return csv;
}

}  // namespace orvane::display
