#include "files/state_file.h"

#include "datetime/date_input.h"
#include "tests/support/program_fixture.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <tuple>

#include <sys/resource.h>
#include <sys/stat.h>

namespace orvane::files {
namespace {

// What went wrong, or the empty text when nothing did; the kind of failure beside it.
std::string Failure(const platform::Result<void>& outcome)
{
    return outcome.ok() ? std::string() : outcome.error().text;
}
std::optional<platform::ErrorCode> CodeOf(const platform::Result<void>& outcome)
{
    return outcome.ok() ? std::nullopt : std::optional(outcome.code());
}

using platform::ComboBoxModel;
using app::MainModel;
using core::Mode;
using settings::ConfigureModel;

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// Everything a state file carries, as one text.
std::string Fingerprint(const MainModel& m, const ConfigureModel& c, const core::AstroTables& t)
{
    std::ostringstream s;
    for (size_t k = 0; k < 3; ++k)
        s << m.yearTexts[k] << '/' << m.monthLists[k].ListIndex() << '/' << m.dayLists[k].ListIndex() << '/'
          << m.halfHourLists[k].ListIndex() << '/' << m.zoneLists[k].ListIndex() << ';';
    s << static_cast<int>(m.SelectedMode()) << ';' << m.stepIncrement.ListIndex() << ';';
    for (size_t k = 0; k < c.orbLists.size(); ++k)
        s << c.orbLists[k].ListIndex() << ',' << c.orbIndexes[k] << ';';
    s << c.useColorBox << c.boldfaceBox << c.opt1DegOfOrb << c.proportionOfOrbSelected << ';'
      << c.boldfaceFactorList.ListIndex() << ',' << c.orbProportionLists[0].ListIndex() << ','
      << c.orbProportionLists[1].ListIndex() << ',' << c.midpointOrbList.ListIndex() << ';';
    for (const double colour : t.aspectColors)
        s << std::to_string(colour) << ',';
    return s.str();
}

// The program's text; models and tables of its own to save from and to load into.
class StateFile : public testing::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        tables.InitializeAstroTables("/nonexistent-orvane-folder/");
        Fresh(main, configure);
    }

    void Fresh(MainModel& m, ConfigureModel& c)
    {
        m = MainModel();
        c = ConfigureModel();
        datetime::SetUpDateRows(m);
        datetime::SetUpTimezoneComboBoxes(m, false, false);
        m.FillStepList(language);
    }

    // Writes the state to `path`: what went wrong, or the empty text.
    std::string Write(const std::string& path)
    {
        return Failure(WriteStateFile(path, main, main, main.stepIncrement, configure, tables, store, language));
    }
    std::string Save(const std::string& name = "state.qvs")
    {
        const std::string path = folder.folder() + name;
        EXPECT_EQ(Write(path), "");
        return path;
    }

    // Loads a file into fresh models, where the user had ticked "Save image with white background"; what
    // went wrong, or the empty text.
    std::string Load(const std::string& path)
    {
        Fresh(loadedMain, loadedConfigure);
        loadedConfigure.whiteBackgroundBox = true;
        loadedTables.InitializeAstroTables("/nonexistent-orvane-folder/");
        const platform::Result<void> outcome = ReadStateFile(path, loadedMain, loadedMain, loadedMain.stepIncrement,
                                                             loadedConfigure, loadedTables, store, language);
        loadedCode = CodeOf(outcome);
        return Failure(outcome);
    }

    // The saved state's lines, changed by `edit` (which may also drop lines), joined by LF alone, without
    // a line end after the last, and written to a file of its own.
    std::string Variant(const std::function<void(std::vector<std::string>&)>& edit)
    {
        std::vector<std::string> lines = Lines(ReadAll(Save()));
        edit(lines);
        std::string text;
        for (const std::string& line : lines)
            text += (text.empty() ? "" : "\n") + line;
        return folder.Write("variant.qvs", text);
    }

    // A random but valid state.
    void Randomise(std::mt19937& random)
    {
        const auto pick = [&random](ComboBoxModel& list, int16_t lowest) {
            std::uniform_int_distribution<int> position(lowest, list.ListCount() - 1);
            list.SetListIndex(static_cast<int16_t>(position(random)));
        };
        std::uniform_int_distribution<int> coin(0, 1);
        for (size_t k = 0; k < 3; ++k) {
            pick(main.monthLists[k], -1);
            pick(main.dayLists[k], -1);
            pick(main.halfHourLists[k], -1);
            pick(main.zoneLists[k], -1);
            main.yearTexts[k] = coin(random) ? std::to_string(random() % 2800) : "";
        }
        main.SelectMode(static_cast<Mode>(1 + random() % 6));
        pick(main.stepIncrement, 0);
        for (size_t k = 0; k < configure.orbLists.size(); ++k) {
            pick(configure.orbLists[k], 0);
            configure.orbIndexes[k] = configure.orbLists[k].ListIndex();
        }
        configure.useColorBox = coin(random);
        configure.boldfaceBox = coin(random);
        pick(configure.boldfaceFactorList, 0);
        configure.opt1DegOfOrb = coin(random);
        configure.proportionOfOrbSelected = !configure.opt1DegOfOrb;
        pick(configure.orbProportionLists[0], 0);
        pick(configure.orbProportionLists[1], 0);
        pick(configure.midpointOrbList, 0);
        for (int a = 1; a <= 7; ++a)
            tables.aspectColors[static_cast<size_t>(a)] = 1 + random() % 0xFFFFFF;
    }

    testing::TempFolder folder;
    const text::Language& language = program->language;
    settings::MemorySettingsStore store;
    core::AstroTables tables;
    MainModel main;
    ConfigureModel configure;
    core::AstroTables loadedTables;
    MainModel loadedMain;
    ConfigureModel loadedConfigure;
    std::optional<platform::ErrorCode> loadedCode;  // of the last Load
};

TEST_F(StateFile, LinesAsWritten)
{
    main.yearTexts[0] = "2000";
    main.monthLists[0].SetListIndex(1);
    main.dayLists[0].SetListIndex(5);
    main.halfHourLists[0].SetListIndex(25);
    main.zoneLists[0].SetListIndex(26);
    main.SelectMode(Mode::Natal2nd);
    const auto lines = Lines(ReadAll(Save()));
    ASSERT_EQ(lines.size(), 51U);
    for (const std::string& line : lines)
        ASSERT_TRUE(line.ends_with("\r")) << "every line ends in CR LF";
    // Line 8 is the empty year of the 1st birthdate, line 18 natal aspects of the 2nd birthdate, line 41 the
    // conjunction's colour.
    const std::pair<size_t, const char*> expected[] = {
        {0, " 1 "},       {1, " 5 "},       {2, "2000"},     {3, " 25 "}, {4, " 26 "}, {7, ""},     {15, "#FALSE#"},
        {17, "#TRUE#"},   {29, "#FALSE#"},  {30, "#TRUE#"},  {32, "10"},  {40, "65535"}, {47, " 0 "}, {48, " 0 "}};
    for (const auto& [line, text] : expected)
        EXPECT_EQ(lines[line], text + std::string("\r")) << "line " << line + 1;
    // A list without selection is written as a negative number without the leading blank.
    main.dayLists[1].SetListIndex(-1);
    EXPECT_EQ(Lines(ReadAll(Save()))[6], "-1 \r");
}

// Whatever was saved comes back, for many random states.
TEST_F(StateFile, SaveThenLoadRestoresEveryField)
{
    std::mt19937 random(20261206);
    for (int round = 0; round < 60; ++round) {
        Randomise(random);
        ASSERT_EQ(Load(Save()), "") << "round " << round;

        EXPECT_EQ(Fingerprint(loadedMain, loadedConfigure, loadedTables), Fingerprint(main, configure, tables));
        EXPECT_FALSE(loadedConfigure.whiteBackgroundBox);
        if (HasFailure())
            break;
    }
}

TEST_F(StateFile, AFileEndingAfterLine50)
{
    configure.orbProportionLists[0].SetListIndex(3);
    configure.orbProportionLists[1].SetListIndex(0);
    ASSERT_EQ(Load(Variant([](auto& lines) { lines.resize(50); })), "");
    EXPECT_EQ(loadedConfigure.orbProportionLists[1].ListIndex(), 3);
}

TEST_F(StateFile, ReplacementsAndTolerance)
{
    const std::string path = Variant([](auto& lines) {
        lines[4] = " 400 \r";  // a zone beyond the list: the first zone
        lines[26] = "-1 \r";   // boldface factor: 2
        lines[31] = "-1 \r";   // first proportion: 1
        lines[40] = "0\r";     // a black conjunction keeps its colour
        lines[49] = "-1 \r";   // midpoint orb: 3
        lines[50] = "-1";       // second proportion: 1, and no line end at the end of the file
        lines[21] = "  3";      // blanks around a number, LF alone
    });
    Fresh(loadedMain, loadedConfigure);
    loadedTables.aspectColors[1] = 12345;
    ASSERT_TRUE(ReadStateFile(path, loadedMain, loadedMain, loadedMain.stepIncrement, loadedConfigure, loadedTables, store, language).ok());
    EXPECT_EQ(loadedMain.zoneLists[0].ListIndex(), 0);
    EXPECT_EQ(loadedConfigure.boldfaceFactorList.ListIndex(), 2);
    EXPECT_EQ(loadedConfigure.orbProportionLists[0].ListIndex(), 1);
    EXPECT_EQ(loadedConfigure.orbProportionLists[1].ListIndex(), 1);
    EXPECT_EQ(loadedConfigure.midpointOrbList.ListIndex(), 3);
    EXPECT_EQ(loadedTables.aspectColors[1], 12345);
    EXPECT_EQ(loadedMain.stepIncrement.ListIndex(), 3);
}

// A year line is the year as typed: read as it stands, cleaned to its digits by the next conversion.
TEST_F(StateFile, YearLinesAreTextTheConversionCleans)
{
    main.monthLists[1].SetListIndex(1);
    main.dayLists[1].SetListIndex(1);
    const std::string manyDigits(400, '9');
    // The year line, the year box's text once loaded, then once converted, and whether the row converts.
    const std::tuple<std::string, std::string, std::string, bool> cases[] = {
        {"20a0-5", "20a0-5", "2005", true}, {"-44", "-44", "44", true},     {"+7", "+7", "7", true},
        {"19'99", "19'99", "1999", true},   {"1e308", "1e308", "1308", true}, {"0x10", "0x10", "010", true},
        {" 2000 ", " 2000 ", "2000", true}, {"", "", "", false},            {"0", "0", "0", false},
        {manyDigits, manyDigits, manyDigits, false}};
    for (const auto& [line, loaded, converted, converts] : cases) {
        const std::string path = Variant([&line](auto& lines) { lines[7] = line + "\r"; });
        ASSERT_EQ(Load(path), "") << line;
        EXPECT_EQ(loadedMain.yearTexts[1], loaded);
        EXPECT_EQ(datetime::InputDateToAJDate(loadedMain, 1, language).ok(), converts) << line;
        EXPECT_EQ(loadedMain.yearTexts[1], converted);
    }
    // However many digits, a year too long is too late.
    EXPECT_EQ(datetime::InputDateToAJDate(loadedMain, 1, language).error().text,
              "1st birthdate is too late (the latest date is December 31, 2799).");
    main.yearTexts[1] = "-44";
    EXPECT_EQ(Lines(ReadAll(Save()))[7], "-44\r");
    main.yearTexts[1] = "19\r\n99";
    EXPECT_EQ(Lines(ReadAll(Save()))[7], "1999\r");
}

// A faulty file names its line and changes nothing, not even the lines before the fault.
TEST_F(StateFile, MalformedFilesNameTheLineAndChangeNothing)
{
    std::mt19937 random(7);
    Randomise(random);
    Fresh(loadedMain, loadedConfigure);
    loadedTables.InitializeAstroTables("/nonexistent-orvane-folder/");
    const std::string fresh = Fingerprint(loadedMain, loadedConfigure, loadedTables);
    struct Case {
        size_t line;  // counted from 0; 999: the file ends after line 20
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {999, "", "The state file ends after line 20; it needs at least 50 lines."},
        {21, " 1x \r", "Line 22 of the state file: a number was expected, not “ 1x ”."},
        {16, "TRUE#\r", "Line 17 of the state file: #TRUE# or #FALSE# was expected, not “TRUE#”."},
        {0, "\r", "Line 1 of the state file is empty; a number was expected."},
        {5, " 13 \r", "Line 6 of the state file: the list has no entry 13."},
        // The day of the 2nd birthdate, checked after its year and hour.
        {11, " 32 \r", "Line 12 of the state file: the list has no entry 32."},
        {0, " 70000 \r", "Line 1 of the state file: the number 70000 is out of range."},
        {21, "99999999999\r", "Line 22 of the state file: the number 99999999999 is out of range."},
        {40, "16777216\r", "Line 41 of the state file: 16777216 is not a colour."},
        {41, "-1\r", "Line 42 of the state file: -1 is not a colour."},
        // Plain integers only.
        {3, "1e308\r", "Line 4 of the state file: a number was expected, not “1e308”."},
        {9, "0x10\r", "Line 10 of the state file: a number was expected, not “0x10”."},
        {13, "+5\r", "Line 14 of the state file: a number was expected, not “+5”."},
        {21, " +3 \r", "Line 22 of the state file: a number was expected, not “ +3 ”."},
    };
    for (const Case& c : cases) {
        const std::string path = Variant([&c](auto& lines) {
            if (c.line < lines.size())
                lines[c.line] = c.text;
            else
                lines.resize(20);
        });
        EXPECT_EQ(Load(path), c.error);
        EXPECT_EQ(loadedCode, platform::ErrorCode::Damaged);
        EXPECT_EQ(Fingerprint(loadedMain, loadedConfigure, loadedTables), fresh) << c.error;
    }
    EXPECT_NE(Load(folder.folder() + "absent.qvs").find("cannot be read"), std::string::npos);
    EXPECT_EQ(loadedCode, platform::ErrorCode::Unreadable);
}

// Only a regular file of at most the bound is read; a FIFO is refused without waiting for a writer.
TEST_F(StateFile, OnlyBoundedRegularFilesAreRead)
{
    const std::string good = ReadAll(Save());
    std::string padded = good;
    padded.resize(kMaxStateFileBytes, '\n');  // blank lines after a complete state: read
    EXPECT_EQ(Load(folder.Write("padded.qvs", padded)), "");
    padded += '\n';
    const std::string tooLarge = folder.Write("large.qvs", padded);
    EXPECT_EQ(Load(tooLarge), "The state file " + tooLarge + " is larger than 64 KiB; it is not read.");

    const std::string fifo = folder.folder() + "fifo.qvs";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, folder.folder(), std::string("/dev/zero")})
        EXPECT_EQ(Load(path), "The state file " + path + " cannot be read: it is not a file.");
}

TEST_F(StateFile, AFailedSaveLeavesTheOldFileAndSaysWhy)
{
    const std::string path = Save();
    const std::string previousText = ReadAll(path);
    main.yearTexts[0] = "1999";
    // No new file can be made in a folder that is not there.
    const std::string absent = folder.folder() + "no/such/state.qvs";
    EXPECT_EQ(Write(absent), "The state file " + absent + " cannot be written: no file can be made in its folder " +
                                 folder.folder() + "no/such (No such file or directory)");

    // A full device: the file may not grow past 16 bytes, so writing the new state fails part-way.
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit full = before;
    full.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    const std::string fullError = Write(path);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(fullError, "The state file " + path + " cannot be written: File too large");
    EXPECT_EQ(ReadAll(path), previousText);
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename(), "state.qvs");  // no temporary left

    // A FIFO (like a device such as /dev/full) is refused and stays what it was, not replaced by a file.
    const std::string fifo = folder.folder() + "fifo.qvs";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(Write(fifo), "The state file " + fifo + " cannot be written: it is not a file");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

// The saved file keeps its permissions (a new one is its owner's only), a link is saved through, and
// what an interrupted save left behind goes, without anything written where it led.
TEST_F(StateFile, SavingKeepsTheFilePrivateAndTheLink)
{
    const auto permissions = [](const std::string& path) {
        return std::filesystem::status(path).permissions() & std::filesystem::perms::all;
    };
    using std::filesystem::perms;
    EXPECT_EQ(permissions(Save("new.qvs")), perms::owner_read | perms::owner_write);
    const std::string shared = Save("shared.qvs");
    std::filesystem::permissions(shared, perms::owner_read | perms::owner_write | perms::group_read);
    const std::string link = folder.folder() + "link.qvs";
    std::filesystem::create_symlink("shared.qvs", link);
    const std::string elsewhere = folder.Write("elsewhere", "untouched");
    std::filesystem::create_symlink(elsewhere, shared + ".saving");
    main.yearTexts[0] = "-500";
    EXPECT_EQ(Write(link), "");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Lines(ReadAll(shared))[2], "-500\r");
    EXPECT_EQ(permissions(shared), perms::owner_read | perms::owner_write | perms::group_read);
    EXPECT_EQ(ReadAll(elsewhere), "untouched");
    EXPECT_FALSE(std::filesystem::is_symlink(shared + ".saving"));
}

TEST_F(StateFile, SavingStoresTheDisplaySettings)
{
    configure.onlyEarthAspectsBox = true;
    configure.zoneAbbreviationsBox = false;
    Save();
    settings::ConfigureModel other;
    other.ReadEarthAspectsOnly(store);
    other.ReadZoneAbbreviations(store, [] { return int16_t{60}; });
    EXPECT_TRUE(other.onlyEarthAspectsBox);
    EXPECT_FALSE(other.zoneAbbreviationsBox);
}

}  // namespace
}  // namespace orvane::files

namespace orvane::files {
namespace {

// Precise moments travel after line 51: each kind of zone reads back as it was, the 51 lines stay as a
// reader of them alone expects, and a damaged extension refuses the whole file.
TEST_F(StateFile, PreciseMomentsAfterLine51)
{
    const auto moment = [this](const char* typed) {
        return datetime::ParsePreciseMoment(typed, datetime::MomentZone::Fixed(0), language).value();
    };
    datetime::SetPreciseMoment(main, 0, moment("2025-11-02T01:30-05:00[America/New_York]"));
    datetime::SetPreciseMoment(main, 1, moment("1986-06-01T14:20+05:45"));
    datetime::SetPreciseMoment(
        main, 2,
        datetime::ResolveWallTime({1850, 6, 1, 12, 0, 0}, datetime::MomentZone::MeanTime(13.4), std::nullopt, language)
            .value());
    const std::string path = Save();
    const std::vector<std::string> lines = Lines(ReadAll(path));
    ASSERT_EQ(lines.size(), 55u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 51, lines.end()),
              (std::vector<std::string>{"#PRECISE-MOMENTS#\r", "2025-11-02T01:30:00-05:00 America/New_York\r",
                                        "1986-06-01T14:20:00+05:45\r", "1850-06-01T12:00:00 LMT 13.4\r"}));
    ASSERT_EQ(Load(path), "");
    EXPECT_EQ(Fingerprint(loadedMain, loadedConfigure, loadedTables), Fingerprint(main, configure, tables));
    for (size_t row = 0; row < 3; ++row) {
        ASSERT_TRUE(loadedMain.preciseMoments[row].has_value()) << row;
        EXPECT_EQ(loadedMain.preciseMoments[row]->zone, main.preciseMoments[row]->zone) << row;
        EXPECT_NEAR(loadedMain.preciseMoments[row]->moment, main.preciseMoments[row]->moment, 1e-9) << row;
    }

    // Without precise moments the file is the 51 lines, and loading it drops the moments held before.
    main.ClearDateRow(0);
    main.DropPreciseMoment(1);
    main.DropPreciseMoment(2);
    ASSERT_EQ(Load(Save()), "");
    EXPECT_EQ(Lines(ReadAll(folder.folder() + "state.qvs")).size(), 51u);

    EXPECT_FALSE(loadedMain.preciseMoments[1].has_value());
    Fresh(loadedMain, loadedConfigure);
    loadedTables.InitializeAstroTables("/nonexistent-orvane-folder/");
    const std::string before = Fingerprint(loadedMain, loadedConfigure, loadedTables);
    const struct {
        int drop;  // lines dropped from the end
        size_t line;
        const char* text;
        const char* error;
    } cases[] = {
        {0, 53, "1986-06-01T14:20:00+05:45 Asia/Nowhere",
         "Line 54 of the state file: a precise moment was expected, not “1986-06-01T14:20:00+05:45 Asia/Nowhere”. "
         "The file was not loaded."},
        {0, 52, "2025-11-02T01:30:00-06:00 America/New_York",
         "Line 53 of the state file: a precise moment was expected, not “2025-11-02T01:30:00-06:00 "
         "America/New_York”. The file was not loaded."},
        {2, 0, "", "The state file ends after line 53; its precise moments are incomplete. The file was not loaded."},
    };
    datetime::SetPreciseMoment(main, 0, moment("2025-11-02T01:30-05:00[America/New_York]"));
    datetime::SetPreciseMoment(main, 1, moment("1986-06-01T14:20+05:45"));
    for (const auto& c : cases) {
        const std::string variant = Variant([&c](auto& lines) {
            lines.resize(lines.size() - static_cast<size_t>(c.drop));
            if (c.drop == 0)
                lines[c.line] = c.text;
        });
        ASSERT_EQ(Load(variant), c.error);
        EXPECT_EQ(loadedCode, platform::ErrorCode::Damaged);
        EXPECT_EQ(Fingerprint(loadedMain, loadedConfigure, loadedTables), before);
        EXPECT_FALSE(loadedMain.preciseMoments[0].has_value());
    }
}


// A precise moment that cannot stand beside its date row makes the file damaged, whole or nothing: one
// from another year than its row, or outside the days the rows take.
TEST_F(StateFile, PreciseMomentsMustFitTheirRows)
{
    const auto moment = [this](const char* typed) {
        return datetime::ParsePreciseMoment(typed, datetime::MomentZone::Fixed(0), language).value();
    };
    datetime::SetPreciseMoment(main, 0, moment("2000-06-01T14:30+02:00"));
    datetime::SetPreciseMoment(main, 1, moment("1986-06-01T14:20+05:45[Asia/Kathmandu]"));
    Fresh(loadedMain, loadedConfigure);
    loadedTables.InitializeAstroTables("/nonexistent-orvane-folder/");
    const std::string before = Fingerprint(loadedMain, loadedConfigure, loadedTables);
    const struct {
        size_t line;       // zero-based: 52 is row 0's precise line
        const char* text;  // empty: as saved
        int16_t language;
        const char* error;  // empty: loads
    } cases[] = {
        {52, "2000-06-01T14:40:00+02:00", text::langEnglish, ""},  // within the row's half hour
        {53, "1986-06-01T14:05:00+05:45 Asia/Kathmandu", text::langEnglish, ""},
        {52, "1986-06-01T14:30:00+02:00", text::langEnglish,
         "Line 53 of the state file: the precise moment “1986-06-01T14:30:00+02:00” does not agree with the world "
         "date row (June 1, 2000, 14:30 (GMT+2:00)). The file was not loaded."},
        {52, "2000-06-01T16:45:00+02:00", text::langGerman,
         "Zeile 53 der Statusdatei: Der genaue Zeitpunkt „2000-06-01T16:45:00+02:00“ stimmt nicht mit der "
         "Datumszeile „Weltdatum“ überein (1.Juni 2000, 14:30 (GMT+2:00)). Die Datei wurde nicht geladen."},
        {53, "1986-06-01T18:20:00+05:45 Asia/Kathmandu", text::langEnglish,
         "Line 54 of the state file: the precise moment “1986-06-01T18:20:00+05:45[Asia/Kathmandu]” does not agree "
         "with the 1st birthdate row (June 1, 1986, 14:00 (GMT+5:30)). The file was not loaded."},
        {52, "3000-01-01T00:00:00Z", text::langEnglish,
         "Line 53 of the state file: the precise moment “3000-01-01T00:00:00Z” is too late (the latest date is "
         "December 31, 2799). The file was not loaded."},
        {52, "0000-12-31T23:00:00Z", text::langEnglish,
         "Line 53 of the state file: the precise moment “0000-12-31T23:00:00Z” is too early (the earliest date is "
         "January 1 of the year 1). The file was not loaded."},
    };
    for (const auto& c : cases) {
        const std::string variant = Variant([&c](auto& lines) {
            if (*c.text != '\0')
                lines[c.line] = c.text;
        });
        program->language.currentLanguage = c.language;
        EXPECT_EQ(Load(variant), c.error) << c.text;
        program->language.currentLanguage = text::langEnglish;
        if (*c.error != '\0') {
            EXPECT_EQ(loadedCode, platform::ErrorCode::Damaged);
            EXPECT_EQ(Fingerprint(loadedMain, loadedConfigure, loadedTables), before) << c.text;
        } else {
            ASSERT_TRUE(loadedMain.preciseMoments[0].has_value()) << c.text;
        }
    }
}

}  // namespace
}  // namespace orvane::files
