// The main window's own costs on the offscreen platform: one Forward step in world transits (the step,
// Compute, the re-sync of every widget and the window painted into a pixmap), and one step of a run with
// "Run quickly" (the tick of Timer2: the same, with the pattern finders reporting to the run, the stop
// test and the input controls kept disabled), which must cost far less than the run's 100 ms pause.

#include "app/actions.h"
#include "gui/main/frm_main.h"
#include "search/run_model.h"
#include "settings/settings_store.h"
#include "tests/support/temporary_home.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace orvane;

gui::frmMain* window = nullptr;
app::Workspace* program = nullptr;

void BM_ForwardStepWorldTransits(benchmark::State& state)
{
    for (auto _ : state) {
        window->cmdForwardBack_Click(gui::kForwardButton);
        const QPixmap picture = window->grab();
        benchmark::DoNotOptimize(picture.cacheKey());
    }
}
BENCHMARK(BM_ForwardStepWorldTransits)->Unit(benchmark::kMillisecond);

// A run in world transits with "Run quickly", looking for at least nine grand crosses (never found, so
// the run goes on); each iteration is one tick of Timer2. The counter pause_ms is the pause the run
// keeps between its steps.
void BM_RunQuicklyStep(benchmark::State& state)
{
    window->cmdRun_Click();  // the run dialog
    auto* dialog = window->findChild<QDialog*>(QStringLiteral("frmRun"));
    search::RunDialogModel& choices = program->runDialog;
    choices.patternList.SetListIndex(core::kPatternGrandCross);
    choices.twoOrMoreTicked = true;
    choices.countList.SetListIndex(7);  // "9"
    choices.runQuicklyTicked = true;
    dialog->findChild<QAbstractButton*>(QStringLiteral("cmdRun"))->click();  // OK: the run starts
    const auto* timer2 = window->findChild<QTimer*>(QStringLiteral("Timer2"));
    state.counters["pause_ms"] = timer2->interval();
    for (auto _ : state) {
        window->Timer2_Timer();
        const QPixmap picture = window->grab();
        benchmark::DoNotOptimize(picture.cacheKey());
    }
    if (!program->run.isRunning || timer2->interval() != search::kQuickRunStepInterval)
        state.SkipWithError("the run stopped or left its quick pace");
    window->cmdRun_Click();  // Stop
}
BENCHMARK(BM_RunQuicklyStep)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[])
{
    const QTemporaryDir home;
    orvane::testing::UseTemporaryHome(home);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    app::Workspace program;
    settings::MemorySettingsStore store;
    struct Silent : platform::MessageBoxes {
        platform::Button Show(const platform::Message&) override { return platform::Button::Ok; }
    } boxes;
    const platform::FixedClock clock({2000, 1, 1, 12, 0, 0});
    gui::frmMain main(program, store, boxes, clock,
                             {ORVANE_BIN_DIR, (home.path() + "/orvane.usr").toStdString(), {}});
    if (!main.Form_Load())
        return 1;
    main.show();
    QApplication::processEvents();
    window = &main;
    ::program = &program;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
