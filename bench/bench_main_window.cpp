// The main window's own costs on the offscreen platform: one Forward step in world transits (the step,
// Compute, the re-sync of every widget and the window painted into a pixmap).

#include "mainwindow/actions.h"
#include "mainwindow/frm_main.h"
#include "settings/registry_store.h"

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace orvane;

mainwindow::frmMain* window = nullptr;

void BM_ForwardStepWorldTransits(benchmark::State& state)
{
    for (auto _ : state) {
        window->cmdForwardBack_Click(mainwindow::kForwardButton);
        const QPixmap picture = window->grab();
        benchmark::DoNotOptimize(picture.cacheKey());
    }
}
BENCHMARK(BM_ForwardStepWorldTransits)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[])
{
    const QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    mainwindow::Program program;
    settings::MemoryRegistryStore store;
    struct Silent : platform::MessageBoxes {
        platform::Button Show(const platform::Message&) override { return platform::Button::Ok; }
    } boxes;
    const platform::FixedClock clock({2000, 1, 1, 12, 0, 0});
    mainwindow::frmMain main(program, store, boxes, clock,
                             {ORVANE_BIN_DIR, (home.path() + "/orvane.usr").toStdString()});
    if (!main.Form_Load())
        return 1;
    main.show();
    QApplication::processEvents();
    window = &main;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
