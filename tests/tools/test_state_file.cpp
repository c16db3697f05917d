#include "tools/state_file.h"

#include "datetime/date_input.h"
#include "datetime/time_zones.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>

namespace orvane::tools {
namespace {

using mainwindow::ComboBoxModel;
using mainwindow::MainModel;
using mainwindow::Mode;
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

class StateFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(language.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName), "");
        tables.InitializeAstroTables("/nonexistent-orvane-folder/");
        Fresh(main, configure);
    }

    void Fresh(MainModel& m, ConfigureModel& c)
    {
        m = MainModel();
        c = ConfigureModel();
        datetime::SetUpDateRows(m, language);
        datetime::SetUpTimezoneComboBoxes(m, false, false);
        m.FillStepList(language);
    }

    std::string Save(const std::string& name = "state.qvs")
    {
        const std::string path = folder.folder() + name;
        const std::string error = WriteStateFile(path, main, configure, tables, store, language);
        EXPECT_EQ(error, "");
        return path;
    }

    std::string Load(const std::string& path)
    {
        return ReadStateFile(path, loadedMain, loadedConfigure, loadedTables, store, language);
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
            pick(main.cboMonthCE[k], -1);
            pick(main.cboDayCE[k], -1);
            pick(main.cboHour[k], -1);
            pick(main.cboTimezone[k], -1);
            main.txbYearCE[k] = coin(random) ? std::to_string(random() % 2800) : "";
        }
        main.SelectMode(static_cast<Mode>(1 + random() % 6));
        pick(main.cboForwardBack, 0);
        for (size_t k = 0; k < configure.cboOrb.size(); ++k) {
            pick(configure.cboOrb[k], 0);
            configure.intOrbListIndex[k] = configure.cboOrb[k].ListIndex();
        }
        configure.chkUseColor = coin(random);
        configure.chkUseBoldface = coin(random);
        pick(configure.cboBoldfaceFactor, 0);
        configure.opt1DegOfOrb = coin(random);
        configure.optProportionOfOrb = !configure.opt1DegOfOrb;
        pick(configure.cboPersonalOrbsProportion[0], 0);
        pick(configure.cboPersonalOrbsProportion[1], 0);
        pick(configure.cboOrbForMidpoints, 0);
        for (int a = 1; a <= 7; ++a)
            tables.dblAspectColor[static_cast<size_t>(a)] = 1 + random() % 0xFFFFFF;
    }

    testing::TempFolder folder;
    text::Language language;
    settings::MemoryRegistryStore store;
    core::AstroTables tables;
    MainModel main;
    ConfigureModel configure;
    core::AstroTables loadedTables;
    MainModel loadedMain;
    ConfigureModel loadedConfigure;
};

TEST_F(StateFile, LinesAsWritten)
{
    main.txbYearCE[0] = "2000";
    main.cboMonthCE[0].SetListIndex(1);
    main.cboDayCE[0].SetListIndex(5);
    main.cboHour[0].SetListIndex(25);
    main.cboTimezone[0].SetListIndex(26);
    main.SelectMode(Mode::Natal2nd);
    const auto lines = Lines(ReadAll(Save()));
    ASSERT_EQ(lines.size(), 51U);
    for (const std::string& line : lines)
        ASSERT_TRUE(line.ends_with("\r")) << "every line ends in CR LF";
    EXPECT_EQ(lines[0], " 1 \r");
    EXPECT_EQ(lines[1], " 5 \r");
    EXPECT_EQ(lines[2], "2000\r");
    EXPECT_EQ(lines[3], " 25 \r");
    EXPECT_EQ(lines[4], " 26 \r");
    EXPECT_EQ(lines[7], "\r");  // the empty year of the 1st birthdate
    EXPECT_EQ(lines[15], "#FALSE#\r");
    EXPECT_EQ(lines[17], "#TRUE#\r");  // natal aspects of the 2nd birthdate
    EXPECT_EQ(lines[29], "#FALSE#\r");
    EXPECT_EQ(lines[30], "#TRUE#\r");
    EXPECT_EQ(lines[32], std::to_string(configure.intOrbListIndex[0]) + "\r");
    EXPECT_EQ(lines[40], "65535\r");  // the conjunction's colour
    EXPECT_EQ(lines[47], " 0 \r");
    EXPECT_EQ(lines[48], " 0 \r");
    // A list without selection is written as a negative number without the leading blank.
    main.cboDayCE[1].SetListIndex(-1);
    EXPECT_EQ(Lines(ReadAll(Save()))[6], "-1 \r");
}

// Whatever was saved comes back, for many random states.
TEST_F(StateFile, SaveThenLoadRestoresEveryField)
{
    std::mt19937 random(20261206);
    for (int round = 0; round < 60; ++round) {
        Randomise(random);
        const std::string path = Save();
        Fresh(loadedMain, loadedConfigure);
        loadedTables.InitializeAstroTables("/nonexistent-orvane-folder/");
        loadedConfigure.chkSaveGraphicWithWhiteBackground = true;
        ASSERT_EQ(Load(path), "") << "round " << round;

        for (size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(loadedMain.txbYearCE[k], main.txbYearCE[k]);
            EXPECT_EQ(loadedMain.cboMonthCE[k].ListIndex(), main.cboMonthCE[k].ListIndex());
            EXPECT_EQ(loadedMain.cboDayCE[k].ListIndex(), main.cboDayCE[k].ListIndex());
            EXPECT_EQ(loadedMain.cboHour[k].ListIndex(), main.cboHour[k].ListIndex());
            EXPECT_EQ(loadedMain.cboTimezone[k].ListIndex(), main.cboTimezone[k].ListIndex());
        }
        EXPECT_EQ(loadedMain.SelectedMode(), main.SelectedMode());
        EXPECT_EQ(loadedMain.cboForwardBack.ListIndex(), main.cboForwardBack.ListIndex());
        for (size_t k = 0; k < configure.cboOrb.size(); ++k) {
            EXPECT_EQ(loadedConfigure.cboOrb[k].ListIndex(), configure.cboOrb[k].ListIndex());
            EXPECT_EQ(loadedConfigure.intOrbListIndex[k], configure.intOrbListIndex[k]);
        }
        EXPECT_EQ(loadedConfigure.chkUseColor, configure.chkUseColor);
        EXPECT_EQ(loadedConfigure.chkUseBoldface, configure.chkUseBoldface);
        EXPECT_EQ(loadedConfigure.cboBoldfaceFactor.ListIndex(), configure.cboBoldfaceFactor.ListIndex());
        EXPECT_EQ(loadedConfigure.opt1DegOfOrb, configure.opt1DegOfOrb);
        EXPECT_EQ(loadedConfigure.optProportionOfOrb, configure.optProportionOfOrb);
        EXPECT_EQ(loadedConfigure.cboPersonalOrbsProportion[0].ListIndex(),
                  configure.cboPersonalOrbsProportion[0].ListIndex());
        EXPECT_EQ(loadedConfigure.cboPersonalOrbsProportion[1].ListIndex(),
                  configure.cboPersonalOrbsProportion[1].ListIndex());
        EXPECT_EQ(loadedConfigure.cboOrbForMidpoints.ListIndex(), configure.cboOrbForMidpoints.ListIndex());
        EXPECT_EQ(loadedTables.dblAspectColor, tables.dblAspectColor);
        EXPECT_FALSE(loadedConfigure.chkSaveGraphicWithWhiteBackground);
        EXPECT_FALSE(loadedMain.blnInhibitCompute);
        if (HasFailure())
            break;
    }
}

TEST_F(StateFile, AFileEndingAfterLine50)
{
    configure.cboPersonalOrbsProportion[0].SetListIndex(3);
    configure.cboPersonalOrbsProportion[1].SetListIndex(0);
    const std::string path = Save();
    std::string text = ReadAll(path);
    text.erase(text.rfind("\r\n", text.size() - 3) + 2);  // drop line 51
    folder.Write("short.qvs", text);
    ASSERT_EQ(Lines(text).size(), 50U);
    Fresh(loadedMain, loadedConfigure);
    ASSERT_EQ(Load(folder.folder() + "short.qvs"), "");
    EXPECT_EQ(loadedConfigure.cboPersonalOrbsProportion[1].ListIndex(), 3);
}

TEST_F(StateFile, ReplacementsAndTolerance)
{
    const std::string path = Save();
    auto lines = Lines(ReadAll(path));
    lines[4] = " 400 \r";   // a zone beyond the list: the first zone
    lines[26] = "-1 \r";    // boldface factor: 2
    lines[31] = "-1 \r";    // first proportion: 1
    lines[40] = "0\r";      // a black conjunction keeps its colour
    lines[49] = "-1 \r";    // midpoint orb: 3
    lines[50] = "-1";       // second proportion: 1; no line end at the end of the file
    lines[21] = "  3";      // blanks around a number, LF alone
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    folder.Write("odd.qvs", text);
    Fresh(loadedMain, loadedConfigure);
    loadedTables.InitializeAstroTables("/nonexistent-orvane-folder/");
    loadedTables.dblAspectColor[1] = 12345;
    ASSERT_EQ(Load(folder.folder() + "odd.qvs"), "");
    EXPECT_EQ(loadedMain.cboTimezone[0].ListIndex(), 0);
    EXPECT_EQ(loadedConfigure.cboBoldfaceFactor.ListIndex(), 2);
    EXPECT_EQ(loadedConfigure.cboPersonalOrbsProportion[0].ListIndex(), 1);
    EXPECT_EQ(loadedConfigure.cboPersonalOrbsProportion[1].ListIndex(), 1);
    EXPECT_EQ(loadedConfigure.cboOrbForMidpoints.ListIndex(), 3);
    EXPECT_EQ(loadedTables.dblAspectColor[1], 12345);
    EXPECT_EQ(loadedMain.cboForwardBack.ListIndex(), 3);
}

// A state saved in personal transits keeps both dates.
TEST_F(StateFile, PersonalTransitDatesSurvive)
{
    main.SelectMode(Mode::PersonalTransits2nd);
    main.txbYearCE[0] = "2026";
    main.cboMonthCE[0].SetListIndex(12);
    main.cboDayCE[0].SetListIndex(6);
    main.txbYearCE[2] = "1961";
    main.cboMonthCE[2].SetListIndex(8);
    main.cboDayCE[2].SetListIndex(4);
    main.cboHour[2].SetListIndex(39);
    main.cboTimezone[2].SetListIndex(14);
    const double world = datetime::InputDateToAJDate(main, 0);
    const double birth = datetime::InputDateToAJDate(main, 2);
    const std::string path = Save();
    Fresh(loadedMain, loadedConfigure);
    ASSERT_EQ(Load(path), "");
    EXPECT_TRUE(loadedMain.optPersonal(1));
    EXPECT_DOUBLE_EQ(datetime::InputDateToAJDate(loadedMain, 0), world);
    EXPECT_DOUBLE_EQ(datetime::InputDateToAJDate(loadedMain, 2), birth);
}

TEST_F(StateFile, MalformedFilesNameTheLine)
{
    const auto lines = Lines(ReadAll(Save()));
    const auto write = [&](std::vector<std::string> changed, size_t keep) {
        changed.resize(keep);
        std::string text;
        for (const std::string& line : changed)
            text += line + "\n";
        return folder.Write("bad.qvs", text);
    };
    Fresh(loadedMain, loadedConfigure);
    EXPECT_EQ(Load(write(lines, 20)), "The state file ends after line 20; it needs at least 50 lines.");

    auto letters = lines;
    letters[21] = " 1x \r";
    EXPECT_EQ(Load(write(letters, 51)), "Line 22 of the state file: a number was expected, not “ 1x ”.");

    auto noHash = lines;
    noHash[16] = "TRUE#\r";
    EXPECT_EQ(Load(write(noHash, 51)), "Line 17 of the state file: #TRUE# or #FALSE# was expected, not “TRUE#”.");

    auto empty = lines;
    empty[0] = "\r";
    EXPECT_EQ(Load(write(empty, 51)), "Line 1 of the state file is empty; a number was expected.");

    auto noMonth13 = lines;
    noMonth13[5] = " 13 \r";
    EXPECT_EQ(Load(write(noMonth13, 51)), "Line 6 of the state file: the list has no entry 13.");

    auto noDay = lines;
    noDay[11] = " 32 \r";  // the day of the 2nd birthdate, checked after its year and hour
    EXPECT_EQ(Load(write(noDay, 51)), "Line 12 of the state file: the list has no entry 32.");

    EXPECT_FALSE(loadedMain.blnInhibitCompute);  // a failed load does not leave the mode buttons dead
    EXPECT_NE(Load(folder.folder() + "absent.qvs").find("cannot be read"), std::string::npos);
}

// Any bytes at all: read or refused with a message, never a crash.
TEST_F(StateFile, ArbitraryBytesAreReadOrRefused)
{
    std::mt19937 random(7);
    const std::string good = ReadAll(Save());
    for (int round = 0; round < 300; ++round) {
        std::string bytes = good;
        const int changes = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < changes; ++i)
            bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
        if (round % 10 == 0)
            bytes.resize(random() % bytes.size());
        folder.Write("noise.qvs", bytes);
        Fresh(loadedMain, loadedConfigure);
        const std::string error = Load(folder.folder() + "noise.qvs");
        if (error.empty()) {
            for (size_t k = 0; k < 3; ++k)
                EXPECT_LT(loadedMain.cboDayCE[k].ListIndex(), loadedMain.cboDayCE[k].ListCount());
        }
    }
}

TEST_F(StateFile, AFailedSaveLeavesTheOldFile)
{
    const std::string path = Save();
    const std::string before = ReadAll(path);
    main.txbYearCE[0] = "1999";
    // The folder cannot take a new file: here, the name the new file is written under is taken.
    std::filesystem::create_directories(path + ".saving/occupied");
    const std::string error = WriteStateFile(path, main, configure, tables, store, language);
    EXPECT_NE(error.find("cannot be written"), std::string::npos) << error;
    EXPECT_EQ(ReadAll(path), before);

    // A folder that does not exist.
    EXPECT_NE(WriteStateFile(folder.folder() + "no/such/folder/state.qvs", main, configure, tables, store, language),
              "");
    if (geteuid() != 0) {
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_exec);
        EXPECT_NE(WriteStateFile(path, main, configure, tables, store, language), "");
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
        EXPECT_EQ(ReadAll(path), before);
    }
}

TEST_F(StateFile, SavingStoresTheDisplaySettings)
{
    configure.chkShowOnlyEarthAspects = true;
    configure.chkDisplayNATZabbr = false;
    main.blnStateFileTouched = false;
    Save();
    EXPECT_TRUE(main.blnStateFileTouched);
    settings::ConfigureModel other;
    other.SetShowOnlyEarthAspects(store);
    other.SetTZDisp(store, 60);
    EXPECT_TRUE(other.chkShowOnlyEarthAspects);
    EXPECT_FALSE(other.chkDisplayNATZabbr);
}

}  // namespace
}  // namespace orvane::tools
