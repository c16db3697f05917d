#include "files/state_file.h"

#include "datetime/time_zones.h"
#include "files/state_file_moments.h"
#include "platform/index.h"
#include "platform/input_file.h"
#include "platform/saved_file.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cmath>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane::files {
namespace {


std::string Printed(int32_t value)
{
    std::string text = value >= 0 ? " " : "";
    text += std::to_string(value);
    text += ' ';
    return text;
}

std::string Truth(bool value)
{
    return value ? "#TRUE#" : "#FALSE#";
}

std::string Colour(double value)
{
    return std::to_string(static_cast<int64_t>(std::llround(value)));
}

// The year box's text as typed, on one line: a line break cannot be part of a line.
std::string YearLine(std::string_view year)
{
    std::string line;
    for (const char c : year)
        if (c != '\r' && c != '\n')
            line += c;
    return line;
}

using platform::At;

// The lines of a state file, read one after another. The first fault is kept with its line; every read
// after it gives nothing (0, false, an empty text) and selects nothing, so that the reading runs to its
// end and the caller asks once whether it failed.
class LineReader {
public:
    LineReader(std::string_view content, const text::Language& language) : m_language(language)
    {
        while (!content.empty()) {
            const size_t end = content.find('\n');
            std::string_view line = content.substr(0, end);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            m_lines.emplace_back(line);
            content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        }
    }

    bool AtEnd() const { return m_next >= m_lines.size(); }
    // The lines not read yet.
    std::vector<std::string> Rest() const
    {
        return {m_lines.begin() + static_cast<std::ptrdiff_t>(std::min(m_next, m_lines.size())), m_lines.end()};
    }
    int LineNumber() const { return static_cast<int>(m_next); }  // the line last read, counted from 1
    // The first fault's message, if there was one.
    const std::optional<std::string>& Failure() const { return m_failure; }

    std::string Text()
    {
        if (m_failure)
            return {};
        if (AtEnd()) {
            m_failure = m_language.TextWithReplacements(text::kTextEndsEarly, std::to_string(m_next));
            return {};
        }
        return m_lines[m_next++];
    }

    // A number, with blanks around it; #TRUE# and #FALSE# read as −1 and 0.
    int32_t Number()
    {
        const std::string line = Text();
        std::string_view text = text::Trimmed(line, " \t");
        if (m_failure)
            return 0;
        if (text == "#TRUE#")
            return -1;
        if (text == "#FALSE#")
            return 0;
        int32_t value = 0;
        // A plain integer: digits after an optional minus ("+5", "0x10" and "1e308" are no numbers here).
        const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty())
            return Fail(text::kTextEmptyLine, "");
        if (ptr != text.data() + text.size() || (ec != std::errc() && ec != std::errc::result_out_of_range))
            return Fail(text::kTextNumberExpected, Shown(line));
        // All digits, but more than 32 bits hold.
        if (ec == std::errc::result_out_of_range)
            return Fail(text::kTextOutOfRange, Shown(line));
        return value;
    }

    // A 16-bit number (a list index).
    int16_t Index()
    {
        const int32_t value = Number();
        if (value < -32768 || value > 32767)
            return static_cast<int16_t>(Fail(text::kTextOutOfRange, std::to_string(value)));
        return static_cast<int16_t>(value);
    }

    bool Truth()
    {
        const std::string line = Text();
        const std::string_view text = text::Trimmed(line, " \t");
        if (m_failure || text == "#FALSE#")
            return false;
        if (text == "#TRUE#")
            return true;
        Fail(text::kTextTruthExpected, Shown(line));
        return false;
    }

    // A check box value 0 or 1.
    bool Check()
    {
        const int32_t value = Number();
        if (value != 0 && value != 1)
            Fail(text::kTextNoSuchEntry, std::to_string(value));
        return value == 1;
    }

    // Selects `index` in `list`; −1 selects nothing, an index the list does not have is refused.
    void Select(platform::ComboBoxModel& list, int16_t index) { SelectAt(LineNumber(), list, index); }
    void SelectAt(int line, platform::ComboBoxModel& list, int16_t index)
    {
        if (index < -1 || index >= list.ListCount())
            FailAt(line, text::kTextNoSuchEntry, std::to_string(index));
        if (!m_failure)
            list.SetListIndex(index);
    }

    // A fault at the line last read, or at `line`, unless one came before; reads as 0.
    int32_t Fail(int16_t text, const std::string& shown) { return FailAt(LineNumber(), text, shown); }
    int32_t FailAt(int line, int16_t text, const std::string& shown)
    {
        if (!m_failure)
            m_failure = m_language.TextWithReplacements(text, std::to_string(line), shown);
        return 0;
    }

private:
    // A line as the message shows it: printable ASCII kept, anything else as "?", at most 40 characters.
    static std::string Shown(const std::string& line)
    {
        std::string shown;
        for (const char c : line.substr(0, 40))
            shown += c >= ' ' && c <= '~' ? c : '?';
        return shown.empty() ? std::string("?") : shown;
    }

    const text::Language& m_language;
    std::vector<std::string> m_lines;
    size_t m_next = 0;
    std::optional<std::string> m_failure;
};

// Month, day, year, half hour and zone of the world date and the two birthdates.
void ReadDateRows(LineReader& in, datetime::DateRows& rows)
{
    for (size_t k = 0; k < core::kNumDateRows; ++k) {
        in.Select(rows.monthLists[k], in.Index());
        const int16_t day = in.Index();
        const int dayLine = in.LineNumber();
        rows.yearTexts[k] = in.Text();  // the year as typed: the next conversion cleans it
        in.Select(rows.halfHourLists[k], in.Index());
        // The day is selected after month, year and hour, as the day list follows them.
        in.SelectAt(dayLine, rows.dayLists[k], day);
        // A zone beyond the list (a file from a computer with another zone list) selects the first one.
        const int16_t zone = in.Index();
        in.Select(rows.zoneLists[k], zone < rows.zoneLists[k].ListCount() ? zone : int16_t{0});
    }
}

// The six mode buttons and the step.
void ReadModes(LineReader& in, core::ModeOptions& modes, platform::ComboBoxModel& stepList)
{
    const bool planetary = in.Truth();
    const bool natal0 = in.Truth();
    const bool natal1 = in.Truth();
    const bool personal0 = in.Truth();
    const bool personal1 = in.Truth();
    const bool synastry = in.Truth();
    modes.SetOptPlanetary(planetary);
    modes.SetOptNatal(0, natal0);
    modes.SetOptNatal(1, natal1);
    modes.SetOptPersonal(0, personal0);
    modes.SetOptPersonal(1, personal1);
    modes.SetOptSynastry(synastry);
    in.Select(stepList, in.Index());
}

// The orbs of the first two aspects, the boldface rule, the proportion of personal transits and every
// aspect's orb.
void ReadOrbs(LineReader& in, settings::ConfigureModel& configure)
{
    in.Select(configure.orbLists[0], in.Index());
    in.Select(configure.orbLists[1], in.Index());
    configure.useColorBox = in.Check();
    configure.boldfaceBox = in.Check();
    int16_t factor = in.Index();
    in.Select(configure.boldfaceFactorList, factor < 0 ? int16_t{2} : factor);
    configure.opt1DegOfOrb = in.Truth();
    configure.proportionOfOrbSelected = in.Truth();

    in.Number();
    in.Number();
    const int16_t proportion0 = in.Index();
    in.Select(configure.orbProportionLists[0], proportion0 < 0 ? int16_t{1} : proportion0);

    for (size_t k = 0; k < configure.orbIndexes.size(); ++k) {
        const int16_t index = in.Index();
        in.Select(configure.orbLists[k], index);
        configure.orbIndexes[k] = index;
    }
}

// The aspects' colours, the orb of midpoints and, in files that have it, the proportion of synastry.
using AspectColours = decltype(core::AstroTables::aspectColors);

void ReadColoursAndMidpoints(LineReader& in, settings::ConfigureModel& configure, AspectColours& colours)
{
    for (int16_t a = core::kConjunction; a <= core::kNumAspects; ++a) {
        const int32_t colour = in.Number();
        if (colour < 0 || colour > 0xFFFFFF)
            in.Fail(text::kTextNotAColour, std::to_string(colour));
        else if (colour != 0)
            colours[At(a)] = colour;
    }

    in.Number();
    configure.whiteBackgroundBox = false;
    in.Number();
    const int16_t midpoint = in.Index();
    in.Select(configure.midpointOrbList, midpoint < 0 ? int16_t{3} : midpoint);

    if (in.AtEnd()) {
        configure.orbProportionLists[1].SetListIndex(configure.orbProportionLists[0].ListIndex());
    } else {
        const int16_t proportion1 = in.Index();
        in.Select(configure.orbProportionLists[1], proportion1 < 0 ? int16_t{1} : proportion1);
    }
}

void ReadLines(LineReader& in, datetime::DateRows& rows, core::ModeOptions& modes, platform::ComboBoxModel& stepList,
               settings::ConfigureModel& configure, AspectColours& colours)
{
    ReadDateRows(in, rows);
    ReadModes(in, modes, stepList);
    ReadOrbs(in, configure);
    ReadColoursAndMidpoints(in, configure, colours);
}

// A state file that cannot be written or read: the message with its text; its caller gives the title.
platform::Message Problem(std::string text)
{
    return platform::Message::Exclamation("", std::move(text));
}

}  // namespace

std::string StateFileText(const datetime::DateRows& rows, const core::ModeOptions& modes,
                          const platform::ComboBoxModel& stepList, const settings::ConfigureModel& configure,
                          const core::AstroTables& tables)
{
    std::string text;
    const auto line = [&text](const std::string& value) { text += value + text::kLineBreak; };
    for (size_t k = 0; k < core::kNumDateRows; ++k) {
        line(Printed(rows.monthLists[k].ListIndex()));
        line(Printed(rows.dayLists[k].ListIndex()));
        line(YearLine(rows.yearTexts[k]));
        line(Printed(rows.halfHourLists[k].ListIndex()));
        line(Printed(rows.zoneLists[k].ListIndex()));
    }
    line(Truth(modes.worldSelected()));
    line(Truth(modes.natalSelected(0)));
    line(Truth(modes.natalSelected(1)));
    line(Truth(modes.personalSelected(0)));
    line(Truth(modes.personalSelected(1)));
    line(Truth(modes.synastrySelected()));
    line(Printed(stepList.ListIndex()));
    line(Printed(configure.orbLists[0].ListIndex()));
    line(Printed(configure.orbLists[1].ListIndex()));
    line(Printed(configure.useColorBox ? 1 : 0));
    line(Printed(configure.boldfaceBox ? 1 : 0));
    line(Printed(configure.boldfaceFactorList.ListIndex()));
    line(Truth(configure.opt1DegOfOrb));
    line(Truth(configure.proportionOfOrbSelected));
    line(Truth(false));
    line(Truth(true));
    line(Printed(configure.orbProportionLists[0].ListIndex()));
    for (const int16_t index : configure.orbIndexes)
        line(std::to_string(index));
    for (int16_t a = core::kConjunction; a <= core::kNumAspects; ++a)
        line(Colour(tables.aspectColors[At(a)]));
    line(Printed(0));
    line(Printed(0));
    line(Printed(configure.midpointOrbList.ListIndex()));
    line(Printed(configure.orbProportionLists[1].ListIndex()));
    return text + PreciseMomentLines(rows.preciseMoments, text::kLineBreak);
}

platform::Result<void> WriteStateFile(const std::string& path, const datetime::DateRows& rows,
                                      const core::ModeOptions& modes, const platform::ComboBoxModel& stepList,
                                      const settings::ConfigureModel& configure, const core::AstroTables& tables,
                                      settings::SettingsStore& store, const text::Language& language)
{
    const auto describe = [&](platform::ErrorCode code, const std::string& folder, const std::string& reason) {
        std::string why = reason;
        if (code == platform::ErrorCode::NotAFile)
            why = language.Text(text::kTextNotAFileReason);
        else if (code == platform::ErrorCode::NoNewFile)
            why = language.TextWithReplacements(text::kTextFolderRefusesFile, folder, reason);
        return Problem(language.TextWithReplacements(text::kTextCannotWrite, path, why));
    };
    if (platform::Result<void> saved =
            platform::SaveFile(path, StateFileText(rows, modes, stepList, configure, tables), describe);
        !saved)
        return saved;
    configure.StoreInnerPlanetAspects(store);
    configure.StoreEarthAspectsOnly(store);
    configure.StoreZoneAbbreviations(store);
    return {};
}

platform::Result<void> ReadStateFile(const std::string& path, datetime::DateRows& rows, core::ModeOptions& modes,
                                     platform::ComboBoxModel& stepList, settings::ConfigureModel& configure,
                                     core::AstroTables& tables, settings::SettingsStore& store,
                                     const text::Language& language)
{
    const auto describe = [&](platform::FileFault fault, const std::string& reason) {
        if (fault == platform::FileFault::NotAFile)
            return Problem(language.TextWithReplacements(text::kTextNotAFile, path));
        if (fault == platform::FileFault::TooLarge)
            return Problem(language.TextWithReplacements(text::kTextStateFileTooLarge, path,
                                                         std::to_string(kMaxStateFileBytes / 1024)));
        return Problem(language.TextWithReplacements(text::kTextCannotRead, path, reason));
    };
    const platform::Result<std::string> content = platform::ReadWholeFile(path, kMaxStateFileBytes, describe);
    if (!content)
        return platform::Result<void>(content.failure());

    // The file is read into a state of its own, which replaces the models only when every line is good.
    datetime::DateRows newRows = rows;
    core::ModeOptions newModes = modes;
    platform::ComboBoxModel newStepList = stepList;
    settings::ConfigureModel newConfigure = configure;
    AspectColours newColours = tables.aspectColors;
    LineReader in(content.value(), language);
    ReadLines(in, newRows, newModes, newStepList, newConfigure, newColours);
    if (in.Failure())
        return platform::Result<void>(platform::ErrorCode::Damaged, Problem(*in.Failure()));
    // The rows' precise moments after line 51, whole or nothing; a file without them has none.
    const platform::Result<PreciseMoments> moments = ReadPreciseMomentLines(in.Rest(), in.LineNumber() + 1, language);
    if (!moments)
        return platform::Result<void>(moments.failure());
    if (const platform::Result<void> fit = CheckPreciseMoments(newRows, moments.value(), in.LineNumber() + 1, language);
        !fit)
        return fit;
    newRows.preciseMoments = moments.value();
    newConfigure.ReadEarthAspectsOnly(store);
    newConfigure.ReadInnerPlanetAspects(store);
    newConfigure.ReadZoneAbbreviations(store, [&newRows] { return newRows.ComputerZone(); });
    datetime::SetUpTimezoneComboBoxes(newRows, true, newConfigure.zoneAbbreviationsBox);

    rows = std::move(newRows);
    modes = newModes;
    stepList = std::move(newStepList);
    configure = std::move(newConfigure);
    tables.aspectColors = newColours;
    return {};
}

}  // namespace orvane::files
