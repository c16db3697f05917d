// The configuration panel's model: defaults, Reset / Apply / Cancel / close box with their messages and
// questions, colour swatches, "set all non-zero orbs", the orb table it feeds, and the four display
// settings in the settings store.

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <tuple>

#include "core/astro_module.h"
#include "settings/configure_model.h"
#include "settings/settings_store.h"
#include "text/language.h"

namespace {

using namespace orvane;
using namespace orvane::settings;
using core::RGB;
using platform::Message;

constexpr int16_t kZoneBerlin = 60;
const std::array<int16_t, 8> kDefaultOrbPositions{10, 9, 6, 7, 4, 3, 3, 1};
const Message kSetAllRefusal = Message::Information("Set all", "Cannot set all non-zero orbs to zero.");

double Degrees(double degrees)
{
    return degrees / 360.0 * core::kTwoPi;
}

std::optional<std::string> Value(const char* text)
{
    return std::optional<std::string>(text);
}

class ConfigurePanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(language.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName).ok());
        astro.InitializeAstroTables("/nonexistent-orvane-folder/");
        panel.Load(store, [] { return kZoneBerlin; });
    }

    PanelContext Context(bool mainWindowLoaded = true) { return {language, astro, store, mainWindowLoaded}; }
    std::optional<std::string> Stored(const char* name) const { return store.Read(name); }
    void Click(int16_t swatch, MouseButton button) { panel.PressSwatch(swatch, button, astro.tables); }

    // Every choice at the panel's default, as Load and Reset leave them; the orb lists 0° … 15°, built once.
    void ExpectDefaults() const
    {
        for (const auto& list : panel.orbLists)
            EXPECT_EQ(list.ListCount(), 16);
        EXPECT_EQ(AspectOrbPositions(), (std::array<int16_t, 7>{10, 9, 6, 7, 4, 3, 3}));
        EXPECT_EQ(panel.orbLists[7].ListIndex(), 1);
        EXPECT_EQ(panel.midpointOrbList.Text() + panel.orbProportionLists[0].Text() + panel.orbProportionLists[1].Text() +
                      panel.boldfaceFactorList.Text(),
                  "0° 30'1/31/31/4");
        EXPECT_EQ(std::tuple(panel.boldfaceBox, panel.opt1DegOfOrb, panel.proportionOfOrbSelected, panel.onlyOuterPlanetsBox,
                             panel.onlyEarthAspectsBox, panel.whiteBackgroundBox, panel.zodiacSectorsBox),
                  std::tuple(true, true, false, false, false, false, true));
        EXPECT_EQ(panel.panelColors, (std::array<double, 8>{0, 65535, 16711935, 255, 65280, 16776960, RGB(128, 128, 255),
                                                              RGB(128, 128, 128)}));
    }

    // The selected positions of the seven aspect orb lists.
    std::array<int16_t, 7> AspectOrbPositions() const
    {
        std::array<int16_t, 7> positions{};
        for (size_t k = 0; k < positions.size(); ++k)
            positions[k] = panel.orbLists[k].ListIndex();
        return positions;
    }

    text::Language language;
    core::AstroModule astro;
    MemorySettingsStore store;
    ConfigureModel panel;
};

TEST_F(ConfigurePanel, LoadSetsTheDefaultsAndStoresTheDisplayValues)
{
    // A profile's first start stores the four display values as the panel shows them: a state file read
    // next finds both "only" options off.
    EXPECT_EQ(store.values.size(), 4u);
    EXPECT_EQ(std::tuple(Stored(kValueZodiacSectors), Stored(kValueTZDisp), Stored(kValueIPAD), Stored(kValueSOEA)),
              std::tuple(Value("1"), Value("0"), Value("0"), Value("0")));

    // The "only" options start off whatever the store holds; a stored choice stays for a state file.
    store.values[kValueIPAD] = "1";
    store.values[kValueSOEA] = "1";
    panel.Load(store, [] { return kZoneBerlin; });
    EXPECT_EQ(std::tuple(Stored(kValueIPAD), Stored(kValueSOEA)), std::tuple(Value("1"), Value("1")));
    ExpectDefaults();
    EXPECT_EQ(panel.orbIndexes, kDefaultOrbPositions);
    // Zone abbreviations off on a computer east of Greenwich.
    EXPECT_EQ(std::tuple(panel.zodiacSectors, panel.zoneAbbreviationsBox, panel.everApplied, panel.onlyOuterPlanets,
                         panel.onlyEarthAspects),
              std::tuple(true, false, false, false, false));
}

// The chart's outer ring of geocentric positions: off in a profile without it or with another value than
// "1"; applying stores it, Cancel takes back an edit, Reset switches it off with the other options.
TEST_F(ConfigurePanel, TheGeocentricRingIsOffUntilAppliedOn)
{
    EXPECT_FALSE(panel.geoRingBox || panel.geoRing || Stored(kValueGeoRing));
    for (const auto& [stored, on] : {std::pair{"1", true}, {"yes", false}, {"0", false}}) {
        store.values[kValueGeoRing] = stored;
        panel.Load(store, [] { return kZoneBerlin; });
        EXPECT_EQ(std::pair(panel.geoRingBox, panel.geoRing), std::pair(on, on)) << stored;
    }
    panel.Activate(store, astro.tables);
    panel.geoRingBox = true;
    EXPECT_FALSE(panel.geoRing);  // an edit changes no chart until it is applied
    panel.Apply(Context());
    EXPECT_EQ(std::pair(panel.geoRing, Stored(kValueGeoRing)), std::pair(true, Value("1")));
    panel.Activate(store, astro.tables);
    panel.geoRingBox = false;
    panel.Cancel();
    EXPECT_TRUE(panel.geoRingBox && panel.geoRing);
    panel.Reset(Context());
    EXPECT_EQ(std::tuple(panel.geoRingBox, panel.geoRing, Stored(kValueGeoRing)), std::tuple(false, false, Value("0")));
}

TEST_F(ConfigurePanel, TheOrbTableFollowsTheAppliedListEntries)
{
    panel.orbLists[2].SetListIndex(8);                     // square 8°
    panel.orbProportionLists[0].SetListIndex(1);  // 1/2
    panel.orbProportionLists[1].SetListIndex(2);  // 1/3
    ASSERT_FALSE(panel.Apply(Context()).message);

    // The orb table's own arithmetic (proportions, largest and smallest orb) is the astronomical module's.
    const OrbChoices choices = panel.SetOrbsValues();
    EXPECT_EQ(choices.orbMinutes, (std::array<int32_t, 7>{600, 540, 480, 420, 240, 180, 180}));
    EXPECT_EQ(choices.proportions, (std::array<int32_t, 2>{2, 3}));
    EXPECT_DOUBLE_EQ(astro.orbs.orbs[core::kSquare][1], Degrees(4));

    // An orb picked but not applied does not reach the table; a fresh table gets the applied orbs.
    panel.orbLists[2].SetListIndex(15);
    core::OrbTable fresh;
    panel.ApplyOrbs(fresh);
    EXPECT_DOUBLE_EQ(fresh.orbs[core::kSquare][1], Degrees(4));

    // Indices outside the lists give no orb and no fault; no proportion selected divides by 1.
    panel.orbIndexes = {-1, 16, 99, -32768, 0, 15, 3, 1};
    panel.Activate(store, astro.tables);
    EXPECT_EQ(std::tuple(panel.orbLists[0].ListIndex(), panel.orbLists[5].ListIndex()), std::tuple(-1, 15));
    EXPECT_EQ(panel.SetOrbsValues().orbMinutes, (std::array<int32_t, 7>{0, 0, 0, 0, 0, 900, 180}));
    panel.orbProportionLists[0].SetListIndex(-1);
    panel.ApplyOrbs(fresh);
    EXPECT_DOUBLE_EQ(fresh.orbs[core::kSemisextile][1], Degrees(15));
}

TEST_F(ConfigurePanel, ApplyCopiesTheChoicesAndAsksTheMainWindowToFollow)
{
    panel.Activate(store, astro.tables);
    panel.orbLists[0].SetListIndex(12);
    panel.orbLists[7].SetListIndex(4);
    Click(1, MouseButton::Right);  // exclude the opposition
    panel.onlyEarthAspectsBox = panel.zoneAbbreviationsBox = true;
    panel.zodiacSectorsBox = false;

    EXPECT_EQ(panel.ActionsOnOpening(), MainWindowActions{});
    const PanelResult result = panel.Apply(Context());
    EXPECT_FALSE(result.message || result.hidePanel);  // the panel stays open
    const MainWindowActions opening = panel.ActionsOnOpening();  // from now on, opening recomputes
    EXPECT_TRUE(opening.hideDurationsWindow && opening.recompute && opening.resetFootLabel && opening.refreshClickHint);
    EXPECT_TRUE(result.mainWindow.rebuildTimezoneLists && result.mainWindow.restoreMinimized &&
                result.mainWindow.recompute && panel.everApplied);
    EXPECT_EQ(std::tuple(panel.orbIndexes[0], panel.orbIndexes[7]), std::tuple(12, 4));
    EXPECT_EQ(std::tuple(astro.tables.aspectColors[core::kOpposition], astro.tables.aspectColors[core::kConjunction]),
              std::tuple(0.0, 65535.0));
    EXPECT_DOUBLE_EQ(astro.orbs.orbs[core::kConjunction][0], Degrees(12));
    EXPECT_TRUE(panel.onlyEarthAspects && !panel.onlyOuterPlanets && !panel.zodiacSectors);
    // What was applied is what the next state file's load reads.
    EXPECT_EQ(std::tuple(Stored(kValueSOEA), Stored(kValueIPAD), Stored(kValueTZDisp)),
              std::tuple(Value("1"), Value("0"), Value("1")));

    // The zodiac sectors choice outlasts the next activation, which reads the store again.
    panel.Activate(store, astro.tables);
    EXPECT_FALSE(panel.zodiacSectorsBox || panel.zodiacSectors);
    EXPECT_EQ(Stored(kValueZodiacSectors), Value("0"));
    store.values[kValueZodiacSectors] = "1";
    panel.Activate(store, astro.tables);
    EXPECT_TRUE(panel.zodiacSectorsBox && panel.zodiacSectors);
}

TEST_F(ConfigurePanel, ApplyIsRefusedWhenBothOnlyOptionsAreChecked)
{
    ASSERT_FALSE(panel.Apply(Context()).message);
    const auto colours = astro.tables.aspectColors;
    const auto orbs = astro.orbs.orbs;
    const auto indices = panel.orbIndexes;

    panel.orbLists[1].SetListIndex(2);
    Click(0, MouseButton::Left);
    panel.onlyEarthAspectsBox = panel.onlyOuterPlanetsBox = true;
    panel.zodiacSectorsBox = false;
    const PanelResult result = panel.Apply(Context());

    EXPECT_EQ(result.message, Message::Information("Configure", "'Show only Earth aspects in chart' and\r\n'Show only "
                                                                "outer planet aspects in chart'\r\ncannot both be checked."));
    EXPECT_EQ(result.mainWindow, MainWindowActions{});
    EXPECT_EQ(std::tuple(astro.tables.aspectColors, astro.orbs.orbs, panel.orbIndexes), std::tuple(colours, orbs, indices));
    EXPECT_EQ(std::tuple(panel.onlyEarthAspects, panel.onlyOuterPlanets, panel.zodiacSectors), std::tuple(false, false, true));
    EXPECT_EQ(Stored(kValueZodiacSectors), Value("1"));

    // Either option alone is accepted.
    panel.onlyOuterPlanetsBox = false;
    EXPECT_FALSE(panel.Apply(Context()).message);
    EXPECT_TRUE(panel.onlyEarthAspects);
}

TEST_F(ConfigurePanel, ResetRestoresTheDefaultsAndAppliesThemOnceLoaded)
{
    const auto edit = [this] {
        for (auto& list : panel.orbLists)
            list.SetListIndex(15);
        panel.midpointOrbList.SetListIndex(7);
        panel.orbProportionLists[1].SetListIndex(4);
        panel.boldfaceBox = panel.opt1DegOfOrb = false;
        panel.proportionOfOrbSelected = true;
        panel.boldfaceFactorList.SetListIndex(8);
        panel.onlyOuterPlanetsBox = panel.whiteBackgroundBox = true;
        panel.zoneAbbreviationsBox = panel.zodiacSectorsBox = panel.useColorBox = false;
        Click(2, MouseButton::Left);
    };

    // Before the main window has finished loading: defaults selected, nothing applied.
    edit();
    astro.tables.aspectColors[core::kTrine] = RGB(128, 64, 0);
    PanelResult result = panel.Reset(Context(false));
    EXPECT_FALSE(result.message || panel.everApplied);
    EXPECT_EQ(result.mainWindow, MainWindowActions{});
    ExpectDefaults();
    EXPECT_EQ(panel.orbIndexes, kDefaultOrbPositions);
    EXPECT_EQ(astro.tables.aspectColors[core::kTrine], RGB(128, 64, 0));

    // Afterwards: applied at once; "use colour" is not one of the panel's defaults.
    edit();
    result = panel.Reset(Context(true));
    EXPECT_FALSE(result.message);
    EXPECT_TRUE(result.mainWindow.recompute && result.mainWindow.rebuildTimezoneLists && panel.everApplied);
    ExpectDefaults();
    EXPECT_TRUE(panel.zoneAbbreviationsBox && !panel.useColorBox);
    EXPECT_EQ(astro.tables.aspectColors, panel.panelColors);
    EXPECT_DOUBLE_EQ(astro.orbs.orbs[core::kConjunction][0], Degrees(10));
    EXPECT_DOUBLE_EQ(astro.orbs.orbs[core::kQuincunx][1], Degrees(1));
}

TEST_F(ConfigurePanel, TheCloseBoxResetsWithItsNoticeThenCancels)
{
    panel.boldfaceBox = false;
    panel.orbProportionLists[0].SetListIndex(0);
    panel.Activate(store, astro.tables);
    panel.orbLists[4].SetListIndex(14);
    Click(4, MouseButton::Right);
    panel.onlyEarthAspectsBox = true;

    const PanelResult result = panel.CloseByX(Context(true));
    EXPECT_EQ(result.message, Message::Information("X", "Closing this panel with its close box\r\nresets all orbs, "
                                                        "colours and options to their defaults.\r\nUse Cancel or Hide "
                                                        "to keep your settings."));
    // The zone lists follow the applied default, not the check box Cancel put back.
    EXPECT_TRUE(result.hidePanel && result.mainWindow.recompute && result.mainWindow.zoneAbbreviations);
    EXPECT_FALSE(panel.closingByCloseBox);
    // The defaults were applied, then Cancel put back what the panel showed when it came to the front.
    EXPECT_EQ(panel.orbIndexes[4], 4);
    EXPECT_EQ(astro.tables.aspectColors[core::kSextile], 16776960.0);
    EXPECT_DOUBLE_EQ(astro.orbs.orbs[core::kSextile][1], Degrees(4) / 3);
    EXPECT_EQ(std::tuple(panel.boldfaceBox, panel.orbProportionLists[0].ListIndex(),
                         panel.onlyEarthAspectsBox),
              std::tuple(false, 0, false));

    // No notice while the panel is not being closed, and no question while it is; else the question only
    // when the user can see the panel.
    panel.closingByCloseBox = true;
    EXPECT_FALSE(panel.ResetQuestion(language, true, true));
    panel.closingByCloseBox = false;
    EXPECT_FALSE(panel.Reset(Context(true)).message || panel.ResetQuestion(language, false, true) ||
                 panel.ResetQuestion(language, true, false));
    EXPECT_EQ(panel.ResetQuestion(language, true, true),
              Message::Question("Reset", "All orbs, colours and options will be set to their defaults.\r\nDo you want to continue?"));
    language.currentLanguage = text::langGerman;
    EXPECT_EQ(panel.ResetQuestion(language, true, true)->title, "Zurücksetzen");
}

TEST_F(ConfigurePanel, CancelRestoresExactlyTheValuesOfActivation)
{
    // The values Cancel restores, and (last) the edits it leaves alone.
    const auto remembered = [this] {
        return std::tuple(panel.boldfaceBox, panel.boldfaceFactorList.ListIndex(),
                          panel.orbProportionLists[0].ListIndex(), panel.orbProportionLists[1].ListIndex(),
                          panel.zoneAbbreviationsBox, panel.zodiacSectorsBox, panel.onlyOuterPlanetsBox,
                          panel.onlyEarthAspectsBox, panel.whiteBackgroundBox);
    };
    const auto kept = [this] {
        return std::tuple(panel.useColorBox, panel.proportionOfOrbSelected, panel.midpointOrbList.ListIndex());
    };
    panel.orbProportionLists[0].SetListIndex(4);
    panel.boldfaceFactorList.SetListIndex(7);
    panel.zoneAbbreviationsBox = true;
    panel.Activate(store, astro.tables);
    const auto atActivation = remembered();

    panel.boldfaceBox = panel.zoneAbbreviationsBox = panel.zodiacSectorsBox = panel.useColorBox = false;
    panel.boldfaceFactorList.SetListIndex(0);
    panel.orbProportionLists[0].SetListIndex(0);
    panel.orbProportionLists[1].SetListIndex(3);
    panel.onlyOuterPlanetsBox = panel.onlyEarthAspectsBox = panel.whiteBackgroundBox = true;
    panel.proportionOfOrbSelected = true;
    panel.midpointOrbList.SetListIndex(6);
    const auto edits = kept();

    const PanelResult result = panel.Cancel();
    EXPECT_TRUE(result.hidePanel && !result.message);
    EXPECT_EQ(result.mainWindow, MainWindowActions{});
    EXPECT_EQ(remembered(), atActivation);
    EXPECT_EQ(kept(), edits);

    // The next activation shows the applied orbs and colours again, not the cancelled picks.
    panel.orbLists[2].SetListIndex(13);
    Click(3, MouseButton::Left);
    panel.Activate(store, astro.tables);
    EXPECT_EQ(std::tuple(panel.orbLists[2].ListIndex(), panel.panelColors[core::kTrine]), std::tuple(6, 65280.0));
}

TEST_F(ConfigurePanel, SwatchClicksCycleThePaletteAndExcludeAnAspect)
{
    const auto& palette = astro.tables.colorPalette;
    for (size_t i = 0; i < palette.size(); ++i) {
        panel.panelColors[core::kSquare] = palette[i];
        Click(2, MouseButton::Left);
        EXPECT_EQ(panel.panelColors[core::kSquare], palette[(i + 1) % palette.size()]) << "palette colour " << i;
    }
    // The default quincunx grey is a palette colour too.
    Click(6, MouseButton::Left);
    EXPECT_EQ(panel.panelColors[core::kQuincunx], RGB(128, 128, 255));
    // A colour outside the palette does not change; other swatches are untouched.
    panel.panelColors[core::kTrine] = RGB(1, 2, 3);
    Click(3, MouseButton::Left);
    EXPECT_EQ(panel.panelColors[core::kTrine], RGB(1, 2, 3));
    EXPECT_EQ(panel.panelColors[core::kConjunction], 65535.0);

    // Right clicks exclude and bring back; a left click on an excluded swatch does nothing.
    Click(0, MouseButton::Left);  // magenta
    Click(0, MouseButton::Right);
    EXPECT_EQ(panel.excludedColors[core::kConjunction], 16711935.0);
    Click(0, MouseButton::Left);
    EXPECT_EQ(panel.panelColors[core::kConjunction], 0.0);
    Click(0, MouseButton::Right);
    EXPECT_EQ(panel.panelColors[core::kConjunction], 16711935.0);
    // An aspect excluded before the panel remembered a colour comes back with its default colour.
    panel.panelColors[core::kSemisextile] = 0.0;
    Click(5, MouseButton::Right);
    EXPECT_EQ(panel.panelColors[core::kSemisextile], RGB(128, 128, 255));

    // Other buttons and swatch numbers outside 0 … 6 change nothing.
    const auto colours = panel.panelColors;
    Click(2, MouseButton::Middle);
    for (const int16_t index : {-1, 7, -32768})
        for (const MouseButton button : {MouseButton::Left, MouseButton::Right})
            Click(index, button);
    EXPECT_EQ(panel.panelColors, colours);
}

TEST_F(ConfigurePanel, SetAllChangesOnlyTheNonZeroOrbsAfterItsQuestion)
{
    panel.orbLists[1].SetListIndex(0);
    panel.orbLists[5].SetListIndex(0);
    panel.orbLists[7].SetListIndex(5);
    EXPECT_EQ(panel.SetAllQuestion(language), Message::Question("Set all", "Set every non-zero orb to 5°?"));

    EXPECT_FALSE(panel.SetAllNonzeroOrbs(language).message);
    EXPECT_EQ(AspectOrbPositions(), (std::array<int16_t, 7>{5, 0, 5, 5, 5, 0, 5}));
    EXPECT_EQ(panel.orbIndexes[0], 10);  // picked, not applied

    language.currentLanguage = text::langGerman;
    panel.orbLists[7].SetListIndex(12);
    EXPECT_EQ(panel.SetAllQuestion(language)->text, "Alle Orben ungleich 0° auf 12° setzen?");
}

TEST_F(ConfigurePanel, ZeroIsRefusedAsTheSetAllValue)
{
    // Choosing 0° in the list is refused once the main window has finished loading.
    panel.orbLists[7].SetListIndex(0);
    PanelResult result = panel.ChooseOrb(7, true, language);
    EXPECT_EQ(result.message, kSetAllRefusal);
    EXPECT_EQ(std::tuple(result.focusAccept, panel.orbLists[7].ListIndex()), std::tuple(false, 1));

    // While the main window loads, the list is set without complaint; the action itself still refuses
    // a 0° value and leaves every orb as it was.
    panel.orbLists[7].SetListIndex(0);
    EXPECT_FALSE(panel.ChooseOrb(7, false, language).message);
    EXPECT_EQ(panel.orbLists[7].ListIndex(), 0);
    EXPECT_FALSE(panel.SetAllQuestion(language));
    const auto positions = AspectOrbPositions();
    EXPECT_EQ(panel.SetAllNonzeroOrbs(language).message, kSetAllRefusal);
    EXPECT_EQ(AspectOrbPositions(), positions);

    // A 0° orb of an aspect is fine; clicks on any list but 7 only move the focus to Apply.
    panel.orbLists[0].SetListIndex(0);
    result = panel.ChooseOrb(0, true, language);
    EXPECT_TRUE(!result.message && result.focusAccept && panel.orbLists[0].ListIndex() == 0);
    for (const int16_t index : {-1, 8}) {
        result = panel.ChooseOrb(index, true, language);
        EXPECT_FALSE(result.message || result.focusAccept);
    }
}

TEST_F(ConfigurePanel, BoldfaceRuleForCloseAspects)
{
    panel.orbLists[2].SetListIndex(8);  // square 8°
    panel.orbProportionLists[0].SetListIndex(1);
    panel.Apply(Context());
    const core::OrbTable& orbs = astro.orbs;

    // Boldface on, the 1° rule (else a proportion, factor position 0 → 1/2, 2 → 1/4), column, deviation.
    struct Case { bool useBoldface, oneDegree; int16_t factorPosition, column; double deviationDegrees; bool bold; };
    const Case cases[] = {
        {true, true, 2, 0, 0.99, true},  {true, true, 2, 0, 1.0, false},  {false, true, 2, 0, 0.0, false},
        {false, false, 0, 0, 0.0, false}, {true, false, 2, 0, 1.99, true}, {true, false, 2, 0, 2.0, false},  // 8° / 4
        {true, false, 0, 0, 3.9, true},  {true, false, 0, 0, 4.1, false},  // 8° / 2
        {true, false, 0, 1, 1.9, true},  {true, false, 0, 1, 2.1, false},  // (8° / 2) / 2
        {true, false, 2, 2, 0.6, true},  {true, false, 2, 2, 0.7, false},  // (8° / 3) / 4
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
        panel.boldfaceBox = c.useBoldface;
        panel.opt1DegOfOrb = c.oneDegree;
        panel.proportionOfOrbSelected = !c.oneDegree;
        panel.boldfaceFactorList.SetListIndex(c.factorPosition);
        EXPECT_EQ(panel.CloseRule().IsClose(orbs, core::Aspect::Square, c.column, Degrees(c.deviationDegrees)), c.bold);
    }

    // Columns outside the table are never bold by proportion.
    panel.opt1DegOfOrb = false;
    for (const int16_t column : {3, -1})
        EXPECT_FALSE(panel.CloseRule().IsClose(orbs, core::Aspect::Square, column, 0.0));

    // The midpoint orb follows the midpoint list's position.
    panel.midpointOrbList.SetListIndex(4);
    EXPECT_DOUBLE_EQ(panel.MidpointOrb(), Degrees(1.5));
}

// ---------------------------------------------------------------------------------------------------
// Display settings in the settings store, one parameter per switch

struct SwitchMethods {
    const char* valueName;
    void (ConfigureModel::*read)(SettingsStore&);
    bool (ConfigureModel::*write)(SettingsStore&) const;
    bool ConfigureModel::*checkBox, ConfigureModel::*flag;
};

// A store that can be neither read nor written.
struct BrokenStore : SettingsStore {
    std::optional<std::string> Read(std::string_view) const override { return std::nullopt; }
    bool Write(std::string_view, std::string_view) override { return false; }
};

class DisplaySwitch : public ::testing::TestWithParam<SwitchMethods> {};

// Reading takes good values and rewrites missing or odd ones (a value stored with its terminating zero is
// good); writing stores the check box; a store that can be neither read nor written keeps the default.
TEST_P(DisplaySwitch, ReadingAndWriting)
{
    const SwitchMethods& m = GetParam();
    const std::pair<std::optional<std::string>, bool> cases[] = {
        {std::nullopt, true}, {"yes", true}, {"0", false}, {"1", true}, {std::string("0\0", 2), false}};
    for (const auto& [stored, checked] : cases) {
        SCOPED_TRACE(stored.value_or("(missing)"));
        MemorySettingsStore store;
        if (stored)
            store.values[m.valueName] = *stored;
        ConfigureModel panel;
        panel.*m.checkBox = panel.*m.flag = !checked;
        (panel.*m.read)(store);
        EXPECT_EQ(std::tuple(panel.*m.checkBox, panel.*m.flag, store.Read(m.valueName), store.values.size()),
                  std::tuple(checked, checked, Value(checked ? "1" : "0"), size_t{1}));
    }
    MemorySettingsStore store;
    ConfigureModel panel;
    for (const bool checked : {false, true}) {
        panel.*m.checkBox = checked;
        EXPECT_TRUE((panel.*m.write)(store) && store.Read(m.valueName) == Value(checked ? "1" : "0"));
    }
    BrokenStore broken;
    panel.*m.checkBox = false;
    (panel.*m.read)(broken);
    EXPECT_TRUE(panel.*m.checkBox && !(panel.*m.write)(broken));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DisplaySwitch,
    ::testing::Values(SwitchMethods{kValueZodiacSectors, &ConfigureModel::ReadZodiacSectors,
                                    &ConfigureModel::StoreZodiacSectors,
                                    &ConfigureModel::zodiacSectorsBox, &ConfigureModel::zodiacSectors},
                      SwitchMethods{kValueIPAD, &ConfigureModel::ReadInnerPlanetAspects,
                                    &ConfigureModel::StoreInnerPlanetAspects,
                                    &ConfigureModel::onlyOuterPlanetsBox, &ConfigureModel::onlyOuterPlanets},
                      SwitchMethods{kValueSOEA, &ConfigureModel::ReadEarthAspectsOnly,
                                    &ConfigureModel::StoreEarthAspectsOnly,
                                    &ConfigureModel::onlyEarthAspectsBox, &ConfigureModel::onlyEarthAspects}),
    [](const auto& info) {
        std::string name = info.param.valueName;
        std::erase(name, ' ');
        return name;
    });

TEST(DisplaySettings, TimeZoneAbbreviationsByStoredChoiceOrByTheComputersZone)
{
    struct Case { std::optional<std::string> stored; int16_t zone; bool on; };  // stored none: missing
    const Case cases[] = {
        {std::nullopt, -601, false},     {std::nullopt, -600, true},      {std::nullopt, -150, true},
        {std::nullopt, -149, false},     {std::nullopt, 60, false},       {std::string("0"), -300, false},
        {std::string("1"), 60, true},    {std::string("yes"), 60, true},  {std::string(""), 60, true},
        {std::string("1\0", 2), 60, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.value_or("(missing)") + " at zone " + std::to_string(c.zone));
        MemorySettingsStore store;
        if (c.stored)
            store.values[kValueTZDisp] = *c.stored;
        ConfigureModel panel;
        panel.zoneAbbreviationsBox = !c.on;
        // The computer's zone is looked up only for a missing value.
        int asked = 0;
        panel.ReadZoneAbbreviations(store, [&] { ++asked; return c.zone; });
        EXPECT_EQ(std::tuple(panel.zoneAbbreviationsBox, store.Read(kValueTZDisp), asked),
                  std::tuple(c.on, Value(c.on ? "1" : "0"), c.stored ? 0 : 1));
    }
}

// ---------------------------------------------------------------------------------------------------
// Captions and placement

TEST_F(ConfigurePanel, CaptionsJoinTheInstructionsAndTakeTheAspectNames)
{
    // The synastry caption is the lower case of "Synastry".
    const ConfigureCaptions captions = PanelCaptions(language, astro.tables);
    EXPECT_EQ(captions.Label3, language.Text(354) + "\r\n" + language.Text(355) + "\r\n" + language.Text(356));
    EXPECT_EQ(captions.aspectName[6] + " " + captions.synastry, "Quincunx synastry");
}

TEST(PanelPlacement, BesideTheMainWindowAndInsideTheScreen)
{
    // Main window 1000 wide at (200, 50); panel 400 wide.
    EXPECT_EQ(PanelPlacement(WindowState::Normal, 200, 50, 1000, 400, 1600), (PanelPosition{1200, 50}));
    EXPECT_EQ(PanelPlacement(WindowState::Normal, 200, 50, 1000, 400, 1599), (PanelPosition{1199, 50}));
    EXPECT_EQ(PanelPlacement(WindowState::Normal, 900, 10, 1000, 400, 1600), (PanelPosition{1200, 10}));
    EXPECT_EQ(PanelPlacement(WindowState::Maximized, 0, 0, 1600, 400, 1600), (PanelPosition{1200, 0}));
    EXPECT_EQ(PanelPlacement(WindowState::Normal, 0, 0, 300, 2000, 1600), (PanelPosition{0, 0}));
    EXPECT_FALSE(PanelPlacement(WindowState::Minimized, 200, 50, 1000, 400, 1920));
}

}  // namespace
