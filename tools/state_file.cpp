#include "tools/state_file.h"

#include "datetime/time_zones.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane::tools {
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

size_t At(int16_t i)
{
    return static_cast<size_t>(i);
}

// A failure while reading: the message, built once.
struct ReadFailure {
    std::string message;
};

// The lines of a state file, read one after another.
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
    int LineNumber() const { return static_cast<int>(m_next); }  // the line last read, counted from 1

    std::string Text()
    {
        if (AtEnd())
            throw ReadFailure{m_language.TextWithReplacements(text::kTextEndsEarly, std::to_string(m_next))};
        return m_lines[m_next++];
    }

    // A number, with blanks around it; #TRUE# and #FALSE# read as −1 and 0.
    int32_t Number()
    {
        const std::string line = Text();
        std::string_view text = text::Trimmed(line, " \t");
        if (text == "#TRUE#")
            return -1;
        if (text == "#FALSE#")
            return 0;
        int32_t value = 0;
        if (!text.empty() && text.front() == '+')
            text.remove_prefix(1);
        const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty())
            throw Failure(text::kTextEmptyLine, "");
        if (ptr != text.data() + text.size() || (ec != std::errc() && ec != std::errc::result_out_of_range))
            throw Failure(text::kTextNumberExpected, Shown(line));
        // All digits, but more than 32 bits hold.
        if (ec == std::errc::result_out_of_range)
            throw Failure(text::kTextOutOfRange, Shown(line));
        return value;
    }

    // A 16-bit number (a list index).
    int16_t Index()
    {
        const int32_t value = Number();
        if (value < -32768 || value > 32767)
            throw Failure(text::kTextOutOfRange, std::to_string(value));
        return static_cast<int16_t>(value);
    }

    bool Truth()
    {
        const std::string line = Text();
        const std::string_view text = text::Trimmed(line, " \t");
        if (text == "#TRUE#")
            return true;
        if (text == "#FALSE#")
            return false;
        throw Failure(text::kTextTruthExpected, Shown(line));
    }

    // A check box value 0 or 1.
    bool Check()
    {
        const int32_t value = Number();
        if (value != 0 && value != 1)
            throw Failure(text::kTextNoSuchEntry, std::to_string(value));
        return value == 1;
    }

    // Selects `index` in `list`; −1 selects nothing, an index the list does not have is refused.
    void Select(platform::ComboBoxModel& list, int16_t index)
    {
        if (index < -1 || index >= list.ListCount())
            throw Failure(text::kTextNoSuchEntry, std::to_string(index));
        list.SetListIndex(index);
    }

    // A failure at the line last read, or at `line`.
    ReadFailure Failure(int16_t text, const std::string& shown) const { return FailureAt(LineNumber(), text, shown); }
    ReadFailure FailureAt(int line, int16_t text, const std::string& shown) const
    {
        return ReadFailure{m_language.TextWithReplacements(text, std::to_string(line), shown)};
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
};

// Month, day, year, half hour and zone of the world date and the two birthdates.
void ReadDateRows(LineReader& in, datetime::DateRows& rows)
{
    for (size_t k = 0; k < core::kNumDateRows; ++k) {
        in.Select(rows.monthLists[k], in.Index());
        const int16_t day = in.Index();
        const int dayLine = in.LineNumber();
        rows.yearTexts[k] = in.Text();
        in.Select(rows.halfHourLists[k], in.Index());
        // The day is selected after month, year and hour, as the day list follows them.
        if (day < -1 || day >= rows.dayLists[k].ListCount())
            throw in.FailureAt(dayLine, text::kTextNoSuchEntry, std::to_string(day));
        rows.dayLists[k].SetListIndex(day);
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
void ReadColoursAndMidpoints(LineReader& in, settings::ConfigureModel& configure, core::AstroTables& tables)
{
    for (int16_t a = core::kConjunction; a <= core::kNumAspects; ++a) {
        const int32_t colour = in.Number();
        if (colour < 0 || colour > 0xFFFFFF)
            throw in.Failure(text::kTextNotAColour, std::to_string(colour));
        if (colour != 0)
            tables.aspectColors[At(a)] = colour;
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
               settings::ConfigureModel& configure, core::AstroTables& tables)
{
    ReadDateRows(in, rows);
    ReadModes(in, modes, stepList);
    ReadOrbs(in, configure);
    ReadColoursAndMidpoints(in, configure, tables);
}

// A state file that cannot be written or read: the message's text; its caller gives the title.
platform::Result<void> Failure(std::string text)
{
    return platform::Result<void>(platform::Message::Exclamation("", std::move(text)));
}

std::string SystemError()
{
    return std::strerror(errno);
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
        line(rows.yearTexts[k]);
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
    return text;
}

platform::Result<void> WriteStateFile(const std::string& path, const datetime::DateRows& rows,
                                      const core::ModeOptions& modes, const platform::ComboBoxModel& stepList,
                                      const settings::ConfigureModel& configure, const core::AstroTables& tables,
                                      settings::SettingsStore& store, const text::Language& language)
{
    namespace fs = std::filesystem;
    const std::string content = StateFileText(rows, modes, stepList, configure, tables);
    const auto failed = [&](const std::string& why) {
        return Failure(language.TextWithReplacements(text::kTextCannotWrite, path, why));
    };

    const fs::path target(path);
    // Renaming over a device (/dev/full), a FIFO or a folder would replace it: only a regular file, or no
    // file yet, is saved to.
    std::error_code statusError;
    const fs::file_type type = fs::status(target, statusError).type();
    if (type != fs::file_type::regular && type != fs::file_type::not_found)
        return failed(language.Text(text::kTextNotAFileReason));
    const fs::path partial = target.string() + ".saving";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        if (!file)
            return failed(SystemError());
        file.write(content.data(), static_cast<std::streamsize>(content.size()));
        file.flush();
        if (!file) {
            const std::string why = SystemError();
            file.close();
            std::error_code ignored;
            fs::remove(partial, ignored);
            return failed(why);
        }
    }
    std::error_code error;
    fs::rename(partial, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        return failed(error.message());
    }

    configure.WriteInnerPlanetAspectDisplayToRegistry(store);
    configure.WriteShowOnlyEarthAspectsToRegistry(store);
    configure.WriteTZDispToRegistry(store);
    return {};
}

platform::Result<void> ReadStateFile(const std::string& path, datetime::DateRows& rows, core::ModeOptions& modes,
                                     platform::ComboBoxModel& stepList, settings::ConfigureModel& configure,
                                     core::AstroTables& tables, settings::SettingsStore& store,
                                     const text::Language& language)
{
    // Only a regular file is opened: a directory, a FIFO (whose opening would wait for a writer) or a
    // device is refused before any reading.
    std::error_code statusError;
    const std::filesystem::file_status status = std::filesystem::status(path, statusError);
    if (statusError && status.type() != std::filesystem::file_type::not_found)
        return Failure(language.TextWithReplacements(text::kTextCannotRead, path, statusError.message()));
    if (!statusError && status.type() != std::filesystem::file_type::regular)
        return Failure(language.TextWithReplacements(text::kTextNotAFile, path));
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Failure(language.TextWithReplacements(text::kTextCannotRead, path, SystemError()));
    }
    // At most one byte more than the bound is read, whatever the file turns out to hold.
    std::string content(kMaxStateFileBytes + 1, '\0');
    file.read(content.data(), static_cast<std::streamsize>(content.size()));
    if (file.bad()) {
        return Failure(language.TextWithReplacements(text::kTextCannotRead, path, SystemError()));
    }
    content.resize(static_cast<size_t>(file.gcount()));
    if (content.size() > kMaxStateFileBytes)
        return Failure(language.TextWithReplacements(text::kTextStateFileTooLarge, path,
                                                     std::to_string(kMaxStateFileBytes / 1024)));

    LineReader in(content, language);
    try {
        ReadLines(in, rows, modes, stepList, configure, tables);
    } catch (const ReadFailure& failure) {
        return Failure(failure.message);
    }

    configure.SetShowOnlyEarthAspects(store);
    configure.SetInnerPlanetAspectDisplay(store);
    configure.SetTZDisp(store, rows.computerZone);
    datetime::SetUpTimezoneComboBoxes(rows, true, configure.zoneAbbreviationsBox);
    return {};
}

}  // namespace orvane::tools
