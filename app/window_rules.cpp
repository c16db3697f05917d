#include "app/window_rules.h"

#include "datetime/date_input.h"
#include "display/geo_ring.h"
#include "app/actions.h"
#include "platform/index.h"
#include "text/text_numbers.h"

#include <array>
#include <filesystem>
#include <system_error>

namespace orvane::app {
namespace {

using platform::At;

// Selects world transits unless a natal mode is selected, and returns the date row the mode converts.
int16_t NatalOrWorldTransits(MainModel& main)
{
    if (main.natalSelected(0))
        return core::kFirstBirthdateRow;
    if (main.natalSelected(1))
        return core::kSecondBirthdateRow;
    main.SelectMode(core::Mode::WorldTransits);
    return core::kWorldDateRow;
}

void ShowGrid(MainModel& main)
{
    main.chartShown = false;
    main.gridShown = true;
}

// Computes the selected mode; when its dates do not convert, `shown`, the mode of the result on screen,
// is selected again, so that the options never name a mode whose grid is not there.
ComputeOutcome ComputeOrKeepMode(Workspace& program, core::Mode shown)
{
    ComputeOutcome outcome = Compute(program);
    if (!outcome.computed) {
        program.main.SelectMode(shown);
        program.main.DetermineMode();
    }
    return outcome;
}

// What a state file that could not be read is told with: what went wrong, and that nothing changed.
std::string LoadErrorText(const text::Language& language, const platform::Message& error)
{
    return error.text + text::kLineBreak + text::kLineBreak + language.Text(text::kTextLoadErrorHint);
}

}  // namespace

int32_t WindowHeightForMode(core::Mode mode, bool geoRing)
{
    const int32_t ring = geoRing ? 2 * display::kRingMargin : 0;
    return (core::IsTwoDateMode(mode) ? kTwoDateModeHeight : kOneDateModeHeight) + ring;
}

platform::Message ClearQuestion(const text::Language& language, int16_t row)
{
    static constexpr std::array<int16_t, core::kNumDateRows> kRowQuestion{
        text::kTextClearWorldDate, text::kTextClear1stBirthdate, text::kTextClear2ndBirthdate};
    const int16_t rowText = core::IsDateRow(row) ? kRowQuestion[At(row)] : text::kTextClearWorldDate;
    return platform::Message::Question(language.Text(text::kTextClear),
                                       language.Text(text::kTextClearQuestion) + " " + language.Text(rowText));
}

std::optional<platform::Message> QuitQuestion(const Workspace& program)
{
    if (program.main.stateFileTouched)
        return std::nullopt;
    const text::Language& language = program.language;
    return platform::Message{platform::Icon::Information, language.Text(text::kTextQuit),
                             language.Text(text::kTextQuitQuestion), platform::Buttons::YesNoCancel,
                             platform::Button::No};
}

std::string ClickHint(const Workspace& program)
{
    const core::Mode mode = program.main.SelectedMode();
    if (program.main.chartShown || !core::IsTransitMode(mode))
        return {};
    return program.language.Text(text::kTextClickOnAspect);
}

bool ManualLinkVisible(const MainModel& main)
{
    return main.gridShown && !main.chartShown &&
           core::IsOneDateMode(main.SelectedMode());
}

ComputeOutcome ChangeMode(Workspace& program, core::Mode mode)
{
    MainModel& main = program.main;
    const core::Mode shown = main.SelectedMode();
    main.SelectMode(mode);
    if (main.inhibitCompute)
        return {};
    return ComputeOrKeepMode(program, shown);
}

bool RowHasEntries(const datetime::DateRows& rows, int16_t row)
{
    if (!core::IsDateRow(row))
        return false;
    const size_t r = At(row);
    return !rows.yearTexts[r].empty() || rows.monthLists[r].ListIndex() > 0 || rows.dayLists[r].ListIndex() > 0 ||
           rows.halfHourLists[r].ListIndex() > 0 || rows.zoneLists[r].ListIndex() > 0;
}

bool SteppingEnabled(const MainModel& main)
{
    if (!core::IsTransitMode(main.SelectedMode()))
        return false;
    return !main.yearTexts[0].empty() && main.monthLists[0].ListIndex() > 0 && main.dayLists[0].ListIndex() > 0 &&
           main.halfHourLists[0].ListIndex() > 0 && main.zoneLists[0].ListIndex() > 0;
}

void HousekeepingTick(MainModel& main)
{
    for (std::string& year : main.yearTexts)
        year = datetime::CleanedYear(year);
    if (main.stateFileTouched && ++main.stateFileTouchedTicks > 5)
        main.stateFileTouched = false;
}

ComputeOutcome SetWorldDateToNow(Workspace& program, const platform::Clock& clock)
{
    datetime::SetWorldDateToNow(program.main, clock);
    if (core::RowUsedByMode(core::kWorldDateRow, program.main.DetermineMode()))
        return Compute(program);
    return {};
}

bool LoadUserStateOrNow(Workspace& program, bool exists, const platform::Clock& clock, settings::SettingsStore& store)
{
    MainModel& main = program.main;
    if (exists && LoadStateFile(program, main.userStateFilePath, store).ok()) {
        NatalOrWorldTransits(main);
        return true;
    }
    datetime::SetWorldDateToNow(main, clock);
    main.SelectMode(core::Mode::WorldTransits);
    return false;
}

StateFileOutcome Restore(Workspace& program, bool exists, settings::SettingsStore& store)
{
    StateFileOutcome outcome;
    if (!exists)
        return outcome;
    const core::Mode shown = program.main.SelectedMode();
    const platform::Result<void> loaded = LoadStateFile(program, program.main.userStateFilePath, store);
    if (!loaded.ok()) {
        outcome.file = platform::Result<void>(
            loaded.code(), platform::Message::Exclamation(program.language.Text(text::kTextRestore),
                                                          LoadErrorText(program.language, loaded.error())));
        return outcome;
    }
    outcome.compute = ComputeOrKeepMode(program, shown);
    return outcome;
}

StateFileOutcome Save(Workspace& program, settings::SettingsStore& store)
{
    StateFileOutcome outcome;
    const text::Language& language = program.language;
    const std::string& path = program.main.userStateFilePath;
    // The per-user folder is made again when it has gone since start-up.
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (!folder.empty() && !std::filesystem::is_directory(folder, error) &&
        !std::filesystem::create_directories(folder, error) && error) {
        const std::string why = language.TextWithReplacements(text::kTextFolderNotCreated, folder.string(), error.message());
        outcome.file = platform::Result<void>(
            platform::ErrorCode::Unwritable,
            platform::Message::Exclamation(language.Text(text::kTextSave),
                                           language.TextWithReplacements(text::kTextCannotWrite, path, why)));
        return outcome;
    }
    const platform::Result<void> saved = SaveStateFile(program, path, store);
    if (!saved.ok())
        outcome.file = platform::Result<void>(
            saved.code(), platform::Message::Exclamation(language.Text(text::kTextSave), saved.error().text));
    return outcome;
}

StateFileOutcome SaveStateFileAs(Workspace& program, const std::string& path, settings::SettingsStore& store)
{
    StateFileOutcome outcome;
    const text::Language& language = program.language;
    const platform::Result<void> saved = SaveStateFile(program, path, store);
    if (!saved.ok())
        outcome.file = platform::Result<void>(
            saved.code(), platform::Message::Exclamation(language.Text(text::kTextSaveAs), saved.error().text));
    else
        outcome.footLabel = path + " " + language.Text(text::kTextSaved);
    return outcome;
}

StateFileOutcome LoadChosenStateFile(Workspace& program, const std::string& path, const platform::Clock& clock,
                                     settings::SettingsStore& store)
{
    StateFileOutcome outcome;
    const text::Language& language = program.language;
    const core::Mode shown = program.main.SelectedMode();
    const platform::Result<void> loaded = LoadStateFile(program, path, store);
    if (!loaded.ok()) {
        outcome.file = platform::Result<void>(
            loaded.code(), platform::Message::Exclamation(language.Text(text::kTextLoadError),
                                                          LoadErrorText(language, loaded.error())));
        return outcome;
    }
    MainModel& main = program.main;
    ShowGrid(main);
    const int16_t row = NatalOrWorldTransits(main);
    if (!datetime::InputDateToAJDate(main, row, language))
        datetime::SetWorldDateToNow(main, clock);
    outcome.compute = ComputeOrKeepMode(program, shown);
    outcome.footLabel = path + " " + language.Text(text::kTextLoaded);
    // The foot label's notice counts as touching the file, as the load itself does.
    main.stateFileTouched = true;
    main.stateFileTouchedTicks = 0;
    return outcome;
}

std::optional<platform::Message> FilesNotOpened(const text::Language& language, const std::vector<std::string>& files)
{
    if (files.size() < 2)
        return std::nullopt;
    // A few names, so that the box stays lower than any screen however many files were named.
    constexpr size_t kMostNamed = 4;
    const size_t notOpened = files.size() - 1;
    const size_t named = notOpened <= kMostNamed ? notOpened : kMostNamed - 1;
    std::string text = language.Text(text::kTextOnlyOneStateFile);
    for (size_t i = 1; i <= named; ++i)
        text += text::kLineBreak + files[i];
    if (named < notOpened)
        text += text::kLineBreak + language.TextWithReplacements(text::kTextAndMoreFiles, std::to_string(notOpened - named));
    return platform::Message::Information(language.Text(text::kTextLoadStateFrom), text);
}

}  // namespace orvane::app
