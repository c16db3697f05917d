#include "app/startup.h"

#include "datetime/date_input.h"
#include "datetime/time_zones.h"

namespace orvane::mainwindow {

StartUpResult StartUp(Program& program, const std::string& dataFolder, const platform::Clock& clock,
                      settings::RegistryStore& store)
{
    StartUpResult result;
    const std::string textError = program.language.LoadProgramText(dataFolder, text::kProgramTextFileName);
    if (!textError.empty()) {
        result.programTextError = platform::Message::Critical("", textError);
        return result;
    }

    program.astro.InitializeAstroTables(dataFolder);
    MainModel& main = program.main;
    datetime::SetUpDateRows(main);
    datetime::SetSystemZone(main, clock);
    // The panel is loaded (hidden) before the zone lists are built: they follow its abbreviation option.
    program.configure.Load(store, main.intSystemZone);
    datetime::SetUpTimezoneComboBoxes(main, false, program.configure.chkDisplayNATZabbr);
    datetime::SetDefaultZoneIndex(main);
    ApplyLanguageToModels(program);
    program.runDialog.Form_Load();

    const std::string plutoError = program.astro.ReadPlutoTable();
    if (!plutoError.empty()) {
        const text::Language& language = program.language;
        result.plutoError = platform::Message::Exclamation(
            kTitleError, language.GetText(text::kTextPlutoErrorHeading) + text::kLineBreak + plutoError +
                             text::kLineBreak + text::kLineBreak +
                             language.GetText(text::kTextPlutoErrorConsequence));
    }
    return result;
}

void ApplyLanguageToModels(Program& program)
{
    program.astro.tables.SetNameTables();
    program.main.SetLanguageDependentLists(program.language);
    program.main.SetDateRowNames(program.language);
}

}  // namespace orvane::mainwindow
