#include "charts/chart_rows.h"

#include "platform/moment.h"

#include <cmath>

namespace orvane::charts {

namespace {

constexpr double kSecondsPerDay = platform::kSecondsPerDay;

std::string_view ZoneKindWord(datetime::ZoneKind kind)
{
    switch (kind) {
    case datetime::ZoneKind::Named:
        return "named";
    case datetime::ZoneKind::LocalMeanTime:
        return "mean";
    case datetime::ZoneKind::FixedOffset:
        break;
    }
    return "fixed";
}

datetime::ZoneKind ZoneKindFromWord(std::string_view word)
{
    if (word == "named")
        return datetime::ZoneKind::Named;
    if (word == "mean")
        return datetime::ZoneKind::LocalMeanTime;
    return datetime::ZoneKind::FixedOffset;
}

std::string JoinedTags(const std::vector<std::string>& tags)
{
    std::string joined;
    for (const std::string& tag : tags) {
        if (!joined.empty())
            joined += '\n';
        joined += tag;
    }
    return joined;
}

std::vector<std::string> SplitTags(const std::string& joined)
{
    std::vector<std::string> tags;
    size_t start = 0;
    while (start < joined.size()) {
        const size_t end = std::min(joined.find('\n', start), joined.size());
        tags.push_back(joined.substr(start, end - start));
        start = end + 1;
    }
    return tags;
}

int32_t Narrow(int64_t value)
{
    return static_cast<int32_t>(value);
}

}  // namespace

int64_t MomentSecond(double moment)
{
    return std::llround(moment * kSecondsPerDay);
}

ChartRecord ReadChart(const Statement& row)
{
    ChartRecord chart;
    chart.id = row.Integer(0);
    chart.name = row.Text(1);
    chart.firstName = row.Text(2);
    chart.kind = KindFromWord(row.Text(3)).value_or(ChartKind::Person);
    datetime::PreciseMoment& moment = chart.moment;
    moment.local = {Narrow(row.Integer(4)), Narrow(row.Integer(5)), Narrow(row.Integer(6)), Narrow(row.Integer(7)),
                    Narrow(row.Integer(8)), Narrow(row.Integer(9)), Narrow(row.Integer(10))};
    moment.zone.kind = ZoneKindFromWord(row.Text(11));
    moment.zone.name = row.Text(12);
    moment.zone.offsetSeconds = Narrow(row.Integer(13));
    moment.zone.longitude = row.Real(14);
    moment.offsetSeconds = Narrow(row.Integer(15));
    moment.typed = row.Text(16);
    moment.moment = row.Real(17);
    moment.fromComputerClock = row.Integer(19) != 0;
    chart.timeKnown = row.Integer(20) != 0;
    chart.place = {row.Text(21), row.Text(22), row.Text(23), row.OptionalReal(24), row.OptionalReal(25)};
    chart.source = row.Text(26);
    chart.reliability = row.Text(27);
    chart.notes = row.Text(28);
    chart.tags = SplitTags(row.Text(29));
    chart.created = row.Text(30);
    chart.changed = row.Text(31);
    chart.foreign = row.Text(32);
    return chart;
}

void BindChart(Statement& statement, const ChartRecord& chart)
{
    const datetime::PreciseMoment& moment = chart.moment;
    const datetime::WallTime& local = moment.local;
    int index = 0;
    const auto integer = [&](int64_t value) { statement.Bind(++index, value); };
    const auto text = [&](std::string_view value) { statement.Bind(++index, value); };
    text(chart.name);
    text(chart.firstName);
    text(KindWord(chart.kind));
    for (const int32_t part : {local.year, local.month, local.day, local.hour, local.minute, local.second,
                               local.microsecond})
        integer(part);
    text(ZoneKindWord(moment.zone.kind));
    text(moment.zone.name);
    integer(moment.zone.offsetSeconds);
    statement.Bind(++index, moment.zone.longitude);
    integer(moment.offsetSeconds);
    text(moment.typed);
    statement.Bind(++index, moment.moment);
    integer(MomentSecond(moment.moment));
    integer(moment.fromComputerClock ? 1 : 0);
    integer(chart.timeKnown ? 1 : 0);
    text(chart.place.name);
    text(chart.place.region);
    text(chart.place.countryCode);
    statement.Bind(++index, chart.place.latitude);
    statement.Bind(++index, chart.place.longitude);
    text(chart.source);
    text(chart.reliability);
    text(chart.notes);
    text(JoinedTags(chart.tags));
    text(chart.created);
    text(chart.changed);
    text(chart.foreign);
}

}  // namespace orvane::charts
