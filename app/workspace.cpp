#include "app/workspace.h"

#include "app/actions.h"
#include "app/compute.h"
#include "app/startup.h"
#include "app/window_rules.h"
#include "datetime/date_input.h"

namespace orvane::app {

StartUpResult Workspace::StartUp(const std::string& dataFolder, const platform::Clock& clock,
                                 settings::SettingsStore& store)
{
    return app::StartUp(*this, dataFolder, clock, store);
}

ComputeOutcome Workspace::Compute()
{
    return app::Compute(*this);
}

StepOutcome Workspace::Step(Direction direction)
{
    return app::Step(*this, direction);
}

StepOutcome Workspace::SearchStep(Direction direction)
{
    return app::SearchStep(*this, direction);
}

ComputeOutcome Workspace::ChangeMode(core::Mode mode)
{
    return app::ChangeMode(*this, mode);
}

CellClickOutcome Workspace::ClickCell(int16_t cell)
{
    return app::ClickCell(*this, cell);
}

std::optional<platform::Message> Workspace::Report(reports::DurationsWindow& window)
{
    return app::Report(*this, window);
}

ComputeOutcome Workspace::SetWorldDateToNow(const platform::Clock& clock)
{
    return app::SetWorldDateToNow(*this, clock);
}

ComputeOutcome Workspace::SetWorldDate(double moment)
{
    return app::SetWorldDate(*this, moment);
}

StateFileOutcome Workspace::Save(settings::SettingsStore& store)
{
    return app::Save(*this, store);
}

StateFileOutcome Workspace::SaveAs(const std::string& path, settings::SettingsStore& store)
{
    return SaveStateFileAs(*this, path, store);
}

StateFileOutcome Workspace::Restore(bool exists, settings::SettingsStore& store)
{
    return app::Restore(*this, exists, store);
}

StateFileOutcome Workspace::Load(const std::string& path, const platform::Clock& clock,
                                 settings::SettingsStore& store)
{
    return LoadChosenStateFile(*this, path, clock, store);
}

}  // namespace orvane::app
