// Speed of the grid on screen, offscreen: the repaint of a full world-transit grid (the view taking the
// cells from the model again and painting them), and a whole Forward step (Compute and that repaint),
// whose goal is one frame at 60 Hz (16 ms). The same goal holds for painting the one-date and the
// two-date chart with every body and dense aspects, glyph placement included. The aspect timeline paints a
// year of those dense aspects in a frame too, and opens (its year of bars searched, the window built,
// placed and painted) within 100 ms.

#include "gui/display/chart_painter.h"
#include "gui/display/grid_view.h"
#include "gui/display/timeline_painter.h"
#include "gui/tools/frm_timeline.h"
#include "app/actions.h"
#include "app/startup.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

using namespace orvane;

// A program after start-up on 1 January 2000, 12:00 GMT, world transits, every orb the largest of its
// list: nearly every pair of bodies fills its cell.
app::Workspace& FullWorldTransits()
{
    static app::Workspace program;
    static bool started = false;
    if (!started) {
        settings::MemorySettingsStore store;
        program.StartUp(ORVANE_BIN_DIR "/", platform::FixedClock({2000, 1, 1, 12, 0, 0}, 0), store);
        datetime::SetWorldDateToNow(program.main, platform::FixedClock({2000, 1, 1, 12, 0, 0}, 0));
        settings::ConfigureModel& panel = program.configure;
        for (size_t k = 0; k < core::kNumAspects; ++k)
            panel.orbIndexes[k] = static_cast<int16_t>(panel.orbLists[k].ListCount() - 1);
        program.main.SelectMode(core::Mode::WorldTransits);
        started = program.Compute().computed;
    }
    return program;
}

void GridRepaint(benchmark::State& state)
{
    app::Workspace& program = FullWorldTransits();
    gui::GridView view(program.grid);
    for (auto _ : state) {
        view.SyncFromModel();
        benchmark::DoNotOptimize(view.grab());
    }
    state.counters["aspects"] = program.main.result.TotalAspects();
}
BENCHMARK(GridRepaint)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void ForwardStepWithRepaint(benchmark::State& state)
{
    app::Workspace& program = FullWorldTransits();
    gui::GridView view(program.grid);
    for (auto _ : state) {
        benchmark::DoNotOptimize(program.Step(app::Direction::Forward).undone);
        view.SyncFromModel();
        benchmark::DoNotOptimize(view.grab());
    }
}
BENCHMARK(ForwardStepWithRepaint)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The chart of the dense computation in `mode`, painted with its glyph placement onto an image of its size.
void PaintChart(benchmark::State& state, core::Mode mode)
{
    app::Workspace& program = FullWorldTransits();
    program.main.yearTexts[1] = "1970";  // the 1st birthdate of the two-date chart: 1 January 1970
    program.main.monthLists[1].SetListIndex(1);
    program.main.dayLists[1].SetListIndex(1);
    program.main.SelectMode(mode);
    if (!program.Compute().computed)
        return state.SkipWithError("no computation");
    const display::ChartData data =
        display::MakeChartData(program.astro, program.main.result, program.main.currentMode, {}, program.language, "");
    QImage image(gui::ChartPixelSize(data.kind), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        benchmark::DoNotOptimize(gui::DrawChart(painter, data).drawn);
    }
    state.counters["lines"] = static_cast<double>(data.lines.size());
    program.main.SelectMode(core::Mode::WorldTransits);
    program.Compute();
}
void PaintOneDateChart(benchmark::State& state)
{
    PaintChart(state, core::Mode::WorldTransits);
}
void PaintTwoDateChart(benchmark::State& state)
{
    PaintChart(state, core::Mode::PersonalTransits1st);
}
BENCHMARK(PaintOneDateChart)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(PaintTwoDateChart)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// A year of world transits with the dense orbs, and its picture at the size of a large window.
void PaintTimelineYear(benchmark::State& state)
{
    app::Workspace& program = FullWorldTransits();
    const double from = program.main.moments[0];
    const display::Timeline timeline =
        display::BuildTimeline(program.astro, program.main.currentMode, program.main.moments, from, from + 365.0);
    gui::TimelinePicture picture;
    picture.timeline = &timeline;
    picture.layout.width = 1500;
    picture.layout.view = {timeline.from, timeline.to};
    picture.height = 1000;
    for (const display::TimelineRow& row : timeline.rows)
        picture.rowLabels.push_back(QString::fromStdString(
            display::RowLabel(program.astro.tables, program.language, timeline.mode, row)));
    for (size_t a = 0; a < picture.aspectColours.size(); ++a)
        picture.aspectColours[a] = gui::ToQColor(program.astro.tables.aspectColors[a]);
    picture.ticks = display::TimeTicks(picture.layout.view, 0, picture.layout.PixelsPerDay(), 64.0, 0);
    picture.worldMoment = from;
    QImage image(picture.layout.width, picture.height, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        gui::DrawTimeline(painter, picture);
    }
    size_t bars = 0;
    for (const display::TimelineRow& row : timeline.rows)
        bars += row.bars.size();
    state.counters["rows"] = static_cast<double>(timeline.rows.size());
    state.counters["bars"] = static_cast<double>(bars);
}
BENCHMARK(PaintTimelineYear)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The button's work from a closed window: the window created, a year searched, placed, shown and painted.
void OpenTimeline(benchmark::State& state)
{
    struct NoBoxes : platform::MessageBoxes {
        platform::Button Show(const platform::Message&) override { return platform::Button::Ok; }
    } boxes;
    app::Workspace& program = FullWorldTransits();
    QWidget mainWindow;
    mainWindow.resize(960, 640);
    for (auto _ : state) {
        gui::frmTimeline window(program, boxes, mainWindow);
        window.ShowTimeline();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(OpenTimeline)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
