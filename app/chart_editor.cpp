#include "app/chart_editor.h"

#include "text/language.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace orvane::app {
namespace {

constexpr double kMaxLatitude = 90.0;

// Degrees as the coordinate boxes show them: at most four places.
std::string DegreesText(std::optional<double> degrees)
{
    if (!degrees)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", *degrees);
    std::string written = text;
    while (written.back() == '0')
        written.pop_back();
    if (written.back() == '.')
        written.pop_back();
    return written;
}

std::vector<std::string> SplitTags(std::string_view text)
{
    std::vector<std::string> tags;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view tag = text::Trimmed(text.substr(start, comma - start));
        if (!tag.empty())
            tags.emplace_back(tag);
        start = comma + 1;
    }
    return tags;
}

}  // namespace

std::optional<double> ParseLatitude(std::string_view typed)
{
    // The longitude's reading, with north and south for its east and west.
    std::string text(text::Trimmed(typed));
    if (!text.empty() && (text.back() == 'N' || text.back() == 'n'))
        text.back() = 'E';
    else if (!text.empty() && (text.back() == 'S' || text.back() == 's'))
        text.back() = 'W';
    else if (!text.empty() && (text.back() == 'E' || text.back() == 'W' || text.back() == 'O'))
        return std::nullopt;
    const std::optional<double> value = ParseLongitude(text);
    if (!value || std::abs(*value) > kMaxLatitude)
        return std::nullopt;
    return value;
}

void ChartEditor::Fill(const charts::ChartRecord& chart, const text::Language& language)
{
    m_base = chart;
    name = chart.name;
    firstName = chart.firstName;
    kind = chart.kind;
    moment.Fill(chart.moment, language);
    const datetime::MomentZone& zone = chart.moment.zone;
    moment.place.Show(chart.place, zone.kind == datetime::ZoneKind::Named ? zone.name : "");
    latitudeText = DegreesText(chart.place.latitude);
    longitudeText = DegreesText(chart.place.longitude);
    std::string tags;
    for (const std::string& tag : chart.tags)
        tags += (tags.empty() ? "" : ", ") + tag;
    tagsText = tags;
    notes = chart.notes;
    source = chart.source;
}

void ChartEditor::ChoosePlace(size_t index, atlas::NameLanguage names)
{
    moment.ChoosePlace(index, names);
    if (!moment.place.Chosen())
        return;
    latitudeText = DegreesText(moment.place.Place().latitude);
    longitudeText = DegreesText(moment.place.Place().longitude);
}

platform::Result<charts::ChartRecord> ChartEditor::Record(const text::Language& language) const
{
    using Made = platform::Result<charts::ChartRecord>;
    platform::Result<datetime::PreciseMoment> precise = moment.Resolve(language);
    if (!precise)
        return Made(precise.failure());
    charts::ChartRecord chart = m_base;
    chart.name = std::string(text::Trimmed(name));
    chart.firstName = std::string(text::Trimmed(firstName));
    chart.kind = kind;
    chart.moment = std::move(precise).value();
    chart.place = moment.place.Place();
    chart.place.latitude.reset();
    chart.place.longitude.reset();
    const auto refused = [&language](int16_t number, const std::string& typed) {
        return Made(platform::ErrorCode::InvalidInput,
                    platform::Message::Information(language.Text(text::kTextChartTitle),
                                                   language.TextWithReplacements(number, typed)));
    };
    if (!text::Trimmed(latitudeText).empty()) {
        chart.place.latitude = ParseLatitude(latitudeText);
        if (!chart.place.latitude)
            return refused(text::kTextChartBadLatitude, latitudeText);
    }
    if (!text::Trimmed(longitudeText).empty()) {
        chart.place.longitude = ParseLongitude(longitudeText);
        if (!chart.place.longitude)
            return refused(text::kTextMomentBadLongitude, longitudeText);
    }
    chart.tags = SplitTags(tagsText);
    chart.notes = notes;
    chart.source = std::string(text::Trimmed(source));
    return Made(std::move(chart));
}

}  // namespace orvane::app
