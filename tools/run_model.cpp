#include "tools/run_model.h"

#include "text/language.h"
#include "text/strings.h"
#include "text/text_numbers.h"
#include "tools/number_words.h"

#include <algorithm>

namespace orvane::tools {
namespace {

using text::LowerCase;

// The entry the OK button takes over from a box: its list position, 0 (none) for the blank entry or no
// selection.
int16_t ChosenBody(const platform::ComboBoxModel& box)
{
    return box.ListIndex() > 0 ? box.ListIndex() : int16_t{0};
}

}  // namespace

void RunDialogModel::Form_Load()
{
    search.intNumSoughtPlanetBoxes = core::kNumSoughtPlanetBoxes;
    intRememberedPlanet.fill(0);
    cboNumToFind.Clear();
    for (int number = 2; number <= 9; ++number)
        cboNumToFind.AddItem(std::to_string(number));
    cboNumToFind.SetListIndex(0);
    chkRunQuickly = false;
    chkTwoOrMore = false;
    chkTwoOrMoreEnabled = true;
    cboNumToFindEnabled = false;
    intRememberedPattern = -1;
    search.intAspectPatternToFind = -1;
    cmdClearAllEnabled = false;
    search.blnPlanetsSought = false;
}

void RunDialogModel::Form_Activate(const core::AstroTables& tables)
{
    blnCancel = false;
    cboAspectPattern.Clear();
    for (const std::string& name : tables.strPatternName)
        cboAspectPattern.AddItem(name);
    cboAspectPattern.SetListIndex(intRememberedPattern);
    for (size_t box = 0; box < cboSoughtPlanet.size(); ++box) {
        auto& list = cboSoughtPlanet[box];
        list.Clear();
        list.AddItem("");
        for (int16_t body = core::kEarth; body <= core::kPluto; ++body)
            list.AddItem(tables.strPlanetName[static_cast<size_t>(body)]);
        list.SetListIndex(intRememberedPlanet[box]);
    }
    fraFrameEnabled = false;
    chkTwoOrMoreEnabled = false;
    cboNumToFindEnabled = false;
    lblInvolvingEnabled = false;
    // Selecting the remembered pattern once more lets the pattern box bring the controls into line.
    SelectPattern(intRememberedPattern);
}

void RunDialogModel::SelectPattern(int16_t position)
{
    cboAspectPattern.SetListIndex(position);
    cboAspectPattern_Click();
}

void RunDialogModel::cboAspectPattern_Click()
{
    const bool patternChosen = cboAspectPattern.ListIndex() >= 0;
    cmdClearAspectPatternEnabled = patternChosen;
    fraFrameEnabled = patternChosen;
    chkTwoOrMoreEnabled = patternChosen;
    lblInvolvingEnabled = patternChosen;
    cboNumToFindEnabled = chkTwoOrMore;
    const bool anyPlanetBoxSet = std::any_of(cboSoughtPlanet.begin(), cboSoughtPlanet.end(),
                                             [](const platform::ComboBoxModel& box) { return box.ListIndex() >= 0; });
    cmdClearAllEnabled = patternChosen && anyPlanetBoxSet;
}

void RunDialogModel::cmdClearAspectPattern_Click()
{
    SelectPattern(-1);
    intRememberedPattern = -1;
}

void RunDialogModel::cmdClearAll_Click()
{
    for (auto& box : cboSoughtPlanet)
        box.SetListIndex(0);
    cmdClearAllEnabled = false;
    search.blnPlanetsSought = false;
}

void RunDialogModel::cboSoughtPlanet_Click(int16_t /*box*/)
{
    cmdClearAllEnabled = true;
}

void RunDialogModel::chkTwoOrMore_Click()
{
    cboNumToFindEnabled = chkTwoOrMore;
}

std::optional<platform::Message> RunDialogModel::cmdRun_Click(const text::Language& language)
{
    std::array<int16_t, core::kNumSoughtPlanetBoxes> chosen{};
    for (size_t box = 0; box < chosen.size(); ++box)
        chosen[box] = ChosenBody(cboSoughtPlanet[box]);
    for (size_t i = 0; i < chosen.size(); ++i)
        for (size_t j = i + 1; j < chosen.size(); ++j)
            if (chosen[i] > 0 && chosen[i] == chosen[j])
                return platform::Message::Exclamation(language.GetText(text::kTextRunInputErrorTitle),
                                                      language.GetText(text::kTextPlanetSpecifiedTwice));

    search.intAspectPatternToFind = cboAspectPattern.ListIndex();
    search.intNumPlanetsSought = 0;
    for (size_t box = 0; box < chosen.size(); ++box) {
        search.intSoughtPlanet[box] = chosen[box];
        intRememberedPlanet[box] = chosen[box];
        if (chosen[box] > 0)
            ++search.intNumPlanetsSought;
    }
    search.blnSoughtPlanetsFound = false;
    search.blnPlanetsSought = search.intNumPlanetsSought > 0;
    intRememberedPattern = cboAspectPattern.ListIndex();
    return std::nullopt;
}

void RunDialogModel::cmdCancel_Click()
{
    blnCancel = true;
    search.intAspectPatternToFind = cboAspectPattern.ListIndex();
}

RunButtonAction RunButtonClick(const RunState& run, bool worldTransits)
{
    if (run.blnRunning)
        return RunButtonAction::Stop;
    return worldTransits ? RunButtonAction::ShowDialog : RunButtonAction::Start;
}

int16_t RunButtonCaption(const RunState& run)
{
    return run.blnRunning ? text::kTextStop : text::kTextRun;
}

void StartRun(RunState& run)
{
    run.blnRunning = true;
    run.blnWaitingForStep = false;
}

void StopRun(RunState& run)
{
    run.blnRunning = false;
    run.blnWaitingForStep = false;
}

bool WaitForNextStep(RunState& run, bool stepUndone)
{
    if (stepUndone)
        run.blnRunning = false;
    run.blnWaitingForStep = run.blnRunning;
    return run.blnWaitingForStep;
}

bool Timer2_Timer(RunState& run, RunDialogModel& dialog)
{
    run.blnWaitingForStep = false;
    if (!run.blnRunning)
        return false;
    dialog.search.intNumPlanetsFound = 0;
    return true;
}

bool EnabledDuringRun(std::string_view controlName)
{
    return controlName == "cmdRun" || controlName == "cmdQuit" || controlName == "txbReport" ||
           controlName == "txbReport1";
}

std::optional<platform::Message> FoundCheck(RunState& run, const RunDialogModel& dialog,
                                            const std::array<int16_t, core::kNumPatterns>& intPatternCount,
                                            bool worldTransits, const text::Language& language)
{
    const core::RunSearchState& search = dialog.search;
    const int16_t pattern = search.intAspectPatternToFind;
    if (!run.blnRunning || !worldTransits || pattern < 0 || pattern >= core::kNumPatterns)
        return std::nullopt;

    const int16_t n = intPatternCount[static_cast<size_t>(pattern)];
    bool found = dialog.chkTwoOrMore ? n >= dialog.NumToFind() : n > 0;
    if (search.blnPlanetsSought && !search.blnSoughtPlanetsFound)
        found = false;
    if (!found)
        return std::nullopt;

    std::string name = dialog.cboAspectPattern.List(pattern);
    std::string message;
    if (dialog.chkTwoOrMore) {
        if (pattern != core::kPatternTSquare)
            name = LowerCase(name);
        message = NumberInWords(n, false) + " " + core::PluralOf(name) + " found";
    } else {
        message = name + " " + language.GetText(text::kTextFound);
    }
    if (search.blnPlanetsSought) {
        message += "\r\ninvolving";
        for (size_t box = 0; box < search.intSoughtPlanet.size(); ++box) {
            const int16_t body = search.intSoughtPlanet[box];
            if (body > 0) {
                message += ' ';
                message += dialog.cboSoughtPlanet[box].List(body);
            }
        }
    }
    message += ".";

    run.blnRunning = false;
    return platform::Message::Information(language.GetText(text::kTextPatternFound), std::move(message));
}

}  // namespace orvane::tools
