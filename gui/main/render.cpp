#include "gui/main/render.h"

#include "app/chart_names.h"
#include "app/geocentric_view.h"
#include "charts/chart_store.h"
#include "app/startup.h"
#include "app/window_rules.h"
#include "app/workspace.h"
#include "display/chart_layout.h"
#include "files/picture_output.h"
#include "gui/display/chart_painter.h"
#include "gui/main/frm_main.h"
#include "gui/platform/picture_output.h"
#include "gui/settings/qsettings_store.h"
#include "gui/tools/image_export.h"
#include "platform/clock.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <memory>

namespace orvane::gui {
namespace {

// The user's display settings as the window reads them; what start-up and the state file write is kept
// for the render alone and never stored.
class ReadOnlyStore : public settings::SettingsStore {
public:
    std::optional<std::string> Read(std::string_view name) const override
    {
        const std::optional<std::string> written = m_written.Read(name);
        return written ? written : m_settings.Read(name);
    }
    bool Write(std::string_view name, std::string_view value) override { return m_written.Write(name, value); }

private:
    QSettingsStore m_settings;
    settings::MemorySettingsStore m_written;
};

// A message as one line: its text with the line breaks as blanks.
std::string OneLine(const platform::Message& message)
{
    std::string line = message.text;
    for (size_t at = line.find(text::kLineBreak); at != std::string::npos; at = line.find(text::kLineBreak, at))
        line.replace(at, 2, " ");
    return line;
}

int Refuse(std::ostream& err, const std::string& text, int code)
{
    err << "orvane: " << text << '\n';
    return code;
}

// The modes --mode takes, for the refusal of another.
constexpr const char* kModeList = "world, natal1, natal2, personal1, personal2, synastry";

// The state file of the request, or the moments it types, as a refusal names the chart:
// "--birth 1978-03-14T06:30Z".
std::string ChartName(const RenderRequest& request)
{
    if (!request.stateFile.empty())
        return request.stateFile;
    std::string text;
    for (size_t row = 0; row < request.chart.moments.size(); ++row)
        if (!request.chart.moments[row].empty())
            text += (text.empty() ? "" : " ") + std::string(app::kMomentOptions[row]) + " " + request.chart.moments[row];
    return text;
}

// The chart the request names, as the program starts without a per-user state and then opens the state
// file on its command line, with the typed moments and mode put into the rows over it and computed as
// Compute does. The exit code of a refusal (said on `err`); none when the chart is ready to draw.
std::optional<int> LoadChart(app::Workspace& program, const RenderRequest& request, settings::SettingsStore& store,
                             const platform::Clock& clock, std::ostream& err)
{
    const text::Language& language = program.language;
    app::TypedChart chart = request.chart;
    if (!request.modeTyped.empty()) {
        const auto named = app::kModeNames.find(text::LowerCase(request.modeTyped));
        if (named == app::kModeNames.end())
            return Refuse(err, language.TextWithReplacements(text::kTextBadValueListed, "--mode", request.modeTyped,
                                                             kModeList),
                          kRenderUsage);
        chart.mode = named->second;
    }
    const bool typed = chart.mode || std::any_of(chart.moments.begin(), chart.moments.end(),
                                                 [](const std::string& moment) { return !moment.empty(); });
    if (request.stateFile.empty() && !typed)
        return Refuse(err, language.Text(text::kTextRenderNeedsChart), kRenderUsage);
    const auto cannotDraw = [&](const platform::Message& why) {
        return Refuse(err, language.TextWithReplacements(text::kTextRenderNoChart, ChartName(request), OneLine(why)),
                      kRenderBadInput);
    };
    app::LoadUserStateOrNow(program, false, clock, store);
    program.Compute();
    if (!request.stateFile.empty()) {
        const app::StateFileOutcome loaded = program.Load(request.stateFile, clock, store);
        if (!loaded.file)
            return cannotDraw(loaded.file.error());
        if (!loaded.compute.dates)
            return cannotDraw(loaded.compute.dates.error());
    }
    if (!typed)
        return std::nullopt;
    // A birthdate "@NAME" is a chart of the library (ORVANE_CHARTS or the default one).
    if (const platform::Result<void> named = app::ResolveChartNames(chart, charts::DefaultChartsPath(), language);
        !named)
        return Refuse(err, OneLine(named.error()), kRenderBadInput);
    const platform::Result<std::vector<std::string>> put =
        app::PutTypedChart(program, chart, !request.stateFile.empty(), {true, false});
    if (!put)
        return Refuse(err, OneLine(put.error()), kRenderUsage);
    for (const std::string& note : put.value())
        err << "orvane: " << note << '\n';
    if (const app::ComputeOutcome computed = program.Compute(); !computed.dates)
        return cannotDraw(computed.dates.error());
    return std::nullopt;
}

}  // namespace

int RenderChart(const RenderRequest& request, std::ostream& err)
{
    const auto program = std::make_unique<app::Workspace>();
    text::Language& language = program->language;
    language.currentLanguage = StoredLanguage();
    ReadOnlyStore store;
    const platform::SystemClock clock;
    const app::StartUpResult startUp = program->StartUp(request.dataFolder, clock, store);
    if (!startUp.programText)
        return Refuse(err, OneLine(startUp.programText.error()), kRenderBadInput);
    if (!startUp.plutoTable)
        err << "orvane: " << OneLine(startUp.plutoTable.error()) << '\n';

    // The file's kind and the picture's width before any work: a usage mistake.
    if (request.output.empty())
        return Refuse(err, language.Text(text::kTextRenderNeedsOutput), kRenderUsage);
    const platform::Result<files::PictureFormat> format = files::PictureFormatOf(request.output, language);
    if (!format.ok())
        return Refuse(err, OneLine(format.error()), kRenderUsage);
    std::optional<int32_t> width;
    if (request.width) {
        const platform::Result<int32_t> typed = files::PictureWidthOf(*request.width, language);
        if (!typed.ok())
            return Refuse(err, OneLine(typed.error()), kRenderUsage);
        width = typed.value();
    }

    if (const std::optional<int> refused = LoadChart(*program, request, store, clock, err))
        return *refused;
    const auto cannotDraw = [&](const platform::Message& why) {
        return Refuse(err, language.TextWithReplacements(text::kTextRenderNoChart, ChartName(request), OneLine(why)),
                      kRenderBadInput);
    };

    const display::ChartData data = app::ShownChartData(*program, "Orvane");
    // Drawn once to learn whether it can be: both filters set draw nothing, a glyph without room stops it.
    QImage probe(ChartPixelSize(data), QImage::Format_RGB32);
    ChartDrawn drawn = ChartDrawn::Complete;
    {
        QPainter painter(&probe);
        drawn = DrawChart(painter, data).drawn;
    }
    if (drawn == ChartDrawn::FiltersConflict)
        return cannotDraw(data.filterConflict);
    if (drawn == ChartDrawn::NoRoom)
        err << "orvane: " << OneLine(data.noRoom) << '\n';

    const Picture picture = ChartPicture(*program, data);
    const double scale = width ? files::PictureScale(picture.size.width(), *width) : 1.0;
    const platform::Result<void> written = WritePicture(picture, request.output, format.value(), scale,
                                                        QString::fromStdString(request.stateFile), language);
    if (!written.ok())
        return Refuse(err, OneLine(written.error()), kRenderBadInput);
    return kRenderWritten;
}

}  // namespace orvane::gui
