// State files from arbitrary bytes: a file that loads saves back (StateFileText and WriteStateFile give
// the same text, of 51 lines, or 55 with the rows' precise moments), and that text loads to a state which saves to it byte for byte.

#include "fuzz/fuzz_support.h"

#include "core/vocabulary.h"
#include "datetime/date_input.h"
#include "datetime/time_zones.h"
#include "app/main_model.h"
#include "settings/configure_model.h"
#include "settings/settings_store.h"
#include "files/state_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using namespace orvane;

// The models a state file is read into, as the main window holds them after start-up.
struct State {
    app::MainModel main;
    settings::ConfigureModel configure;
    core::AstroTables tables;
    settings::MemorySettingsStore store;

    static State Fresh()
    {
        State state;
        datetime::SetUpDateRows(state.main);
        datetime::SetUpTimezoneComboBoxes(state.main, false, false);
        state.main.FillStepList(fuzz::ProgramText());
        state.tables.InitializeAstroTables("/nonexistent-orvane-folder/");
        return state;
    }

    bool Read(const std::string& path)
    {
        return files::ReadStateFile(path, main, main, main.stepIncrement, configure, tables, store,
                                    fuzz::ProgramText())
            .ok();
    }
    bool Write(const std::string& path)
    {
        return files::WriteStateFile(path, main, main, main.stepIncrement, configure, tables, store,
                                     fuzz::ProgramText())
            .ok();
    }
    std::string Text() const { return files::StateFileText(main, main, main.stepIncrement, configure, tables); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using fuzz::Require;
    static const State fresh = State::Fresh();
    static const fuzz::ScratchFile input("state.qvs");
    static const fuzz::ScratchFile saved("saved.qvs");

    State first = fresh;
    if (!first.Read(input.Write({reinterpret_cast<const char*>(data), size})))
        return 0;
    const std::string text = first.Text();
    // The 51 lines, and after them the marker and a line per row when a row holds a precise moment.
    const bool precise = std::any_of(first.main.preciseMoments.begin(), first.main.preciseMoments.end(),
                                     [](const auto& moment) { return moment.has_value(); });
    Require(std::count(text.begin(), text.end(), '\n') == files::kStateFileLines + (precise ? 4 : 0),
            "a saved state has 51 lines, and 4 more with precise moments");
    Require(first.Write(saved.path()), "a loaded state saves");
    Require(saved.Read() == text, "WriteStateFile writes StateFileText");

    State second = fresh;
    Require(second.Read(saved.path()), "a saved state loads");
    Require(second.Text() == text, "the reloaded state saves to the same text");
    return 0;
}
