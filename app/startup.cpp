#include "app/startup.h"

#include "datetime/date_input.h"
#include "display/pluto_table_texts.h"
#include "datetime/time_zones.h"

namespace orvane::app {

StartUpResult StartUp(Workspace& program, const std::string& dataFolder, const platform::Clock& clock,
                      settings::SettingsStore& store, StartUpParts parts)
{
    StartUpResult result;
    result.programText = program.language.LoadProgramText(dataFolder, text::kProgramTextFileName);
    if (!result.programText)
        return result;

    program.astro.InitializeAstroTables(dataFolder);
    if (parts == StartUpParts::Everything) {
        MainModel& main = program.main;
        datetime::SetUpDateRows(main);
        datetime::SetSystemZone(main, clock);
        // The panel is loaded (hidden) before the zone lists are built: they follow its abbreviation option.
        program.configure.Load(store, [&main] { return main.ComputerZone(); });
        datetime::SetUpTimezoneComboBoxes(main, false, program.configure.zoneAbbreviationsBox);
        ApplyLanguageToModels(program);
        program.runDialog.Prepare();
    } else {
        program.astro.tables.SetNameTables();
    }

    const platform::Result<void> plutoRead = program.astro.ReadPlutoTable(
        display::DescribePlutoTableFault(program.language, program.astro.PlutoTablePath()));
    if (!plutoRead.ok()) {
        const text::Language& language = program.language;
        result.plutoTable = platform::Result<void>(
            plutoRead.code(),
            platform::Message::Exclamation(kTitleError, language.Text(text::kTextPlutoErrorHeading) + text::kLineBreak +
                                                            plutoRead.error().text + text::kLineBreak + text::kLineBreak +
                                                            language.Text(text::kTextPlutoErrorConsequence)));
    }
    return result;
}

void ApplyLanguageToModels(Workspace& program)
{
    program.astro.tables.SetNameTables();
    program.main.SetLanguageDependentLists(program.language);
    program.main.SetDateRowNames(program.language);
}

}  // namespace orvane::app
