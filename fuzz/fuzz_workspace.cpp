// State files from arbitrary bytes through the workspace, as the companion drives it: a file that loads is
// computed, its aspects are clicked and reported, and its world date is stepped for a few steps of a search
// for the pattern the input's last byte names.
//
// Rules: a refused computation says why (or has no mode); a computed grid shows as many aspects as it
// counts; the report is made exactly when there are aspects; every step of the search leaves a world date
// that converts, and a refused step puts the date back as it was.

#include "fuzz/fuzz_support.h"

#include "app/actions.h"
#include "app/startup.h"
#include "app/workspace.h"
#include "core/patterns.h"
#include "datetime/date_input.h"
#include "platform/clock.h"
#include "settings/settings_store.h"
#include "reports/durations.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

using namespace orvane;
using fuzz::Require;

constexpr int kSearchSteps = 6;

// The workspace after start-up, as every input finds it.
const app::Workspace& Started()
{
    static const app::Workspace started = [] {
        app::Workspace program;
        settings::MemorySettingsStore store;
        const platform::FixedClock clock({2024, 5, 5, 10, 0, 0}, -3600);
        const app::StartUpResult result = program.StartUp(fuzz::DataFolder(), clock, store);
        Require(result.programText && result.plutoTable, "the program starts with its data files");
        return program;
    }();
    return started;
}

bool WorldDateConverts(app::Workspace& program)
{
    return datetime::InputDateToAJDate(program.main, core::kWorldDateRow, program.language).ok();
}

// A few steps of a run that seeks `pattern` from the loaded world date.
void Search(app::Workspace& program, int16_t pattern)
{
    program.main.SelectMode(core::Mode::WorldTransits);
    if (!WorldDateConverts(program))
        return;
    search::RunDialogModel& dialog = program.runDialog;
    dialog.Activate(program.astro.tables);
    dialog.patternList.SetListIndex(pattern);
    dialog.ChoosePattern();
    if (dialog.Run(program.language))
        return;
    program.run.isRunning = true;
    for (int n = 0; n < kSearchSteps; ++n) {
        const std::string yearBefore = program.main.yearTexts[0];
        const app::StepOutcome step = program.Step(app::Direction::Forward);
        Require(WorldDateConverts(program), "a step leaves a world date that converts");
        if (step.undone) {
            Require(program.main.yearTexts[0] == yearBefore, "a refused step puts the date back");
            return;
        }
        Require(step.compute.computed, "a step that is kept is computed");
        if (step.compute.found)
            return;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const fuzz::ScratchFile input("workspace.qvs");
    // On the heap: the workspace holds the Pluto table.
    const auto program = std::make_unique<app::Workspace>(Started());
    settings::MemorySettingsStore store;
    if (!app::LoadStateFile(*program, input.Write({reinterpret_cast<const char*>(data), size}), store).ok())
        return 0;
    program->main.startupCompleted = true;

    const app::ComputeOutcome outcome = program->Compute();
    if (!outcome.computed) {
        Require(!outcome.dates.ok() || program->main.DetermineMode() == core::Mode::None,
                "a refused computation says why");
    } else {
        const core::AspectResult& result = program->main.result;
        const int shown = result.TotalAspects();
        for (const core::AspectFound& found : result.aspects) {
            const int16_t cell = program->grid.CellIndex(display::AspectCell(result.comparison, found));
            Require(cell < program->grid.cellCount && !program->grid.cellTexts[static_cast<size_t>(cell)].text.empty(),
                    "the grid shows every aspect found");
        }
        for (int16_t cell = 0; cell < program->grid.cellCount; cell += 7)
            program->ClickCell(cell);
        reports::DurationsWindow window(program->astro, program->language);
        Require(program->Report(window).has_value() == (shown == 0), "a report is made when there are aspects");
    }
    Search(*program, static_cast<int16_t>(size > 0 ? data[size - 1] % core::kNumPatterns : 0));
    return 0;
}
