#include "search/run_model.h"

#include "text/language.h"
#include "text/strings.h"
#include "text/text_numbers.h"
#include "reports/number_words.h"

#include <algorithm>

namespace orvane::search {
namespace {

using text::LowerCase;

// The entry the OK button takes over from a box: its list position, 0 (none) for the blank entry or no
// selection.
int16_t ChosenBody(const platform::ComboBoxModel& box)
{
    return box.ListIndex() > 0 ? box.ListIndex() : int16_t{0};
}

}  // namespace

void RunDialogModel::Prepare()
{
    search.numSoughtBodyBoxes = core::kNumSoughtPlanetBoxes;
    rememberedBody.fill(0);
    countList.Clear();
    for (int number = 2; number <= 9; ++number)
        countList.AddItem(std::to_string(number));
    countList.SetListIndex(0);
    runQuicklyTicked = false;
    twoOrMoreTicked = false;
    twoOrMoreEnabled = true;
    countListEnabled = false;
    rememberedPattern = -1;
    search.patternSought = -1;
    clearBodiesEnabled = false;
    search.bodiesSought = false;
}

void RunDialogModel::Activate(const core::AstroTables& tables)
{
    wasCancelled = false;
    patternList.Clear();
    for (const std::string& name : tables.patternNames)
        patternList.AddItem(name);
    patternList.SetListIndex(rememberedPattern);
    for (size_t box = 0; box < soughtBodyLists.size(); ++box) {
        auto& list = soughtBodyLists[box];
        list.Clear();
        list.AddItem("");
        for (int16_t body = core::kEarth; body <= core::kPluto; ++body)
            list.AddItem(tables.bodyNames[static_cast<size_t>(body)]);
        list.SetListIndex(rememberedBody[box]);
    }
    bodyFrameEnabled = false;
    twoOrMoreEnabled = false;
    countListEnabled = false;
    involvingEnabled = false;
    // Selecting the remembered pattern once more lets the pattern box bring the controls into line.
    SelectPattern(rememberedPattern);
}

void RunDialogModel::SelectPattern(int16_t position)
{
    patternList.SetListIndex(position);
    ChoosePattern();
}

void RunDialogModel::ChoosePattern()
{
    const bool patternChosen = patternList.ListIndex() >= 0;
    clearPatternEnabled = patternChosen;
    bodyFrameEnabled = patternChosen;
    twoOrMoreEnabled = patternChosen;
    involvingEnabled = patternChosen;
    countListEnabled = twoOrMoreTicked;
    const bool anyPlanetBoxSet = std::any_of(soughtBodyLists.begin(), soughtBodyLists.end(),
                                             [](const platform::ComboBoxModel& box) { return box.ListIndex() >= 0; });
    clearBodiesEnabled = patternChosen && anyPlanetBoxSet;
}

void RunDialogModel::ClearPattern()
{
    SelectPattern(-1);
    rememberedPattern = -1;
}

void RunDialogModel::ClearBodies()
{
    for (auto& box : soughtBodyLists)
        box.SetListIndex(0);
    clearBodiesEnabled = false;
    search.bodiesSought = false;
}

void RunDialogModel::ChooseSoughtBody()
{
    clearBodiesEnabled = true;
}

void RunDialogModel::ToggleTwoOrMore()
{
    countListEnabled = twoOrMoreTicked;
}

std::optional<platform::Message> RunDialogModel::Run(const text::Language& language)
{
    std::array<int16_t, core::kNumSoughtPlanetBoxes> chosen{};
    for (size_t box = 0; box < chosen.size(); ++box)
        chosen[box] = ChosenBody(soughtBodyLists[box]);
    for (size_t i = 0; i < chosen.size(); ++i)
        for (size_t j = i + 1; j < chosen.size(); ++j)
            if (chosen[i] > 0 && chosen[i] == chosen[j])
                return platform::Message::Exclamation(language.Text(text::kTextRunInputErrorTitle),
                                                      language.Text(text::kTextPlanetSpecifiedTwice));

    search.patternSought = patternList.ListIndex();
    search.numBodiesSought = 0;
    for (size_t box = 0; box < chosen.size(); ++box) {
        search.soughtBody[box] = chosen[box];
        rememberedBody[box] = chosen[box];
        if (chosen[box] > 0)
            ++search.numBodiesSought;
    }
    search.soughtBodiesFound = false;
    search.bodiesSought = search.numBodiesSought > 0;
    rememberedPattern = patternList.ListIndex();
    return std::nullopt;
}

void RunDialogModel::Cancel()
{
    wasCancelled = true;
    search.patternSought = patternList.ListIndex();
}

RunButtonAction RunButtonClick(const RunState& run, bool worldTransits)
{
    if (run.isRunning)
        return RunButtonAction::Stop;
    return worldTransits ? RunButtonAction::ShowDialog : RunButtonAction::Start;
}

int16_t RunButtonCaption(const RunState& run)
{
    return run.isRunning ? text::kTextStop : text::kTextRun;
}

void StartRun(RunState& run)
{
    run.isRunning = true;
    run.isWaitingForStep = false;
}

void StopRun(RunState& run)
{
    run.isRunning = false;
    run.isWaitingForStep = false;
}

bool WaitForNextStep(RunState& run, bool stepUndone)
{
    if (stepUndone)
        run.isRunning = false;
    run.isWaitingForStep = run.isRunning;
    return run.isWaitingForStep;
}

bool AdvanceRun(RunState& run, RunDialogModel& dialog)
{
    run.isWaitingForStep = false;
    if (!run.isRunning)
        return false;
    dialog.search.numBodiesFound = 0;
    return true;
}

bool EnabledDuringRun(std::string_view controlName)
{
    return controlName == "cmdRun" || controlName == "cmdQuit" || controlName == "txbReport" ||
           controlName == "txbReport1";
}

std::optional<platform::Message> FoundCheck(RunState& run, const RunDialogModel& dialog,
                                            const std::array<int16_t, core::kNumPatterns>& patternCounts,
                                            bool worldTransits, const text::Language& language)
{
    const core::RunSearchState& search = dialog.search;
    const int16_t pattern = search.patternSought;
    if (!run.isRunning || !worldTransits || pattern < 0 || pattern >= core::kNumPatterns)
        return std::nullopt;

    const int16_t n = patternCounts[static_cast<size_t>(pattern)];
    bool found = dialog.twoOrMoreTicked ? n >= dialog.NumToFind() : n > 0;
    if (search.bodiesSought && !search.soughtBodiesFound)
        found = false;
    if (!found)
        return std::nullopt;

    std::string name = dialog.patternList.List(pattern);
    std::string message;
    if (dialog.twoOrMoreTicked) {
        if (pattern != core::kPatternTSquare)
            name = LowerCase(name);
        message = reports::NumberInWords(n, false) + " " + core::PluralOf(name) + " found";
    } else {
        message = name + " " + language.Text(text::kTextFound);
    }
    if (search.bodiesSought) {
        message += "\r\ninvolving";
        for (size_t box = 0; box < search.soughtBody.size(); ++box) {
            const int16_t body = search.soughtBody[box];
            if (body > 0) {
                message += ' ';
                message += dialog.soughtBodyLists[box].List(body);
            }
        }
    }
    message += ".";

    run.isRunning = false;
    return platform::Message::Information(language.Text(text::kTextPatternFound), std::move(message));
}

}  // namespace orvane::search
