// Speed of the grid on screen, offscreen: the repaint of a full world-transit grid (the view taking the
// cells from the model again and painting them), and a whole Forward step (Compute and that repaint),
// whose goal is one frame at 60 Hz (16 ms).

#include "display/grid_view.h"
#include "mainwindow/actions.h"
#include "mainwindow/startup.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using namespace orvane;

// A program after start-up on 1 January 2000, 12:00 GMT, world transits, every orb the largest of its
// list: nearly every pair of bodies fills its cell.
mainwindow::Program& FullWorldTransits()
{
    static mainwindow::Program program;
    static bool started = false;
    if (!started) {
        settings::MemoryRegistryStore store;
        mainwindow::StartUp(program, ORVANE_BIN_DIR "/", platform::FixedClock({2000, 1, 1, 12, 0, 0}, 0), store);
        datetime::SetWorldDateToNow(program.main, platform::FixedClock({2000, 1, 1, 12, 0, 0}, 0));
        settings::ConfigureModel& panel = program.configure;
        for (size_t k = 0; k < core::kNumAspects; ++k)
            panel.intOrbListIndex[k] = static_cast<int16_t>(panel.cboOrb[k].ListCount() - 1);
        program.main.SelectMode(core::Mode::WorldTransits);
        started = mainwindow::cmdCompute_Click(program).computed;
    }
    return program;
}

void GridRepaint(benchmark::State& state)
{
    mainwindow::Program& program = FullWorldTransits();
    display::GridView view(program.grid);
    for (auto _ : state) {
        view.SyncFromModel();
        benchmark::DoNotOptimize(view.grab());
    }
    state.counters["aspects"] = program.grid.GetTotalNumAspects(program.astro.tables);
}
BENCHMARK(GridRepaint)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void ForwardStepWithRepaint(benchmark::State& state)
{
    mainwindow::Program& program = FullWorldTransits();
    display::GridView view(program.grid);
    for (auto _ : state) {
        benchmark::DoNotOptimize(mainwindow::cmdForwardBack_Click(program, mainwindow::kForwardButton).undone);
        view.SyncFromModel();
        benchmark::DoNotOptimize(view.grab());
    }
}
BENCHMARK(ForwardStepWithRepaint)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

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
