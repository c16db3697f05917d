#pragma once

// The configuration panel frmConfigure without its window: the orb lists, the orb proportions for
// personal transits and synastry, the boldface rule for close aspects, the working colours of the aspects
// with their palette cycle and exclusion, the display options with their stored values, and the
// actions Reset, ApplyInto (apply), Cancel, Hide and the close box. Edits stay in the panel until they are
// applied; the astronomical module and the displays read only applied values. Where an action needs the
// user's answer, the panel first offers the question (…Question, Yes and No), and the action goes on only
// after Yes; where it must make the main window do something, it says so in its result.

#include "core/aspect_result.h"
#include "core/aspects.h"
#include "core/astro_module.h"
#include "core/vocabulary.h"
#include "platform/control_models.h"
#include "platform/message.h"
#include "settings/settings_store.h"
#include "text/language.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orvane::settings {

using platform::ComboBoxModel;

// Orb lists: orbLists 0 … 6 hold the orbs of aspects 1 … 7, orbLists 7 the value of "set all non-zero orbs".
inline constexpr int kNumOrbLists = 8;
inline constexpr int16_t kSetAllOrbList = 7;
inline constexpr int kMaxOrbDegrees = 15;  // entries 0° … 15°

// Texts of the panel that have fixed English wording.
inline constexpr const char* kTitleCloseBox = "X";

// What the main window has to do after an action of the panel.
struct MainWindowActions {
    bool rebuildTimezoneLists = false;  // SetUpTimezoneComboBoxes, keeping every row's selection,
    bool zoneAbbreviations = false;     // with North American abbreviations as applied
    bool restoreMinimized = false;      // a minimized main window returns to its normal state
    bool recompute = false;             // Compute
    bool hideDurationsWindow = false;   // when it is visible
    bool resetFootLabel = false;        // the foot label returns to its start-up text
    bool refreshClickHint = false;
    bool operator==(const MainWindowActions&) const = default;
};

struct PanelResult {
    std::optional<platform::Message> message;
    MainWindowActions mainWindow;
    bool hidePanel = false;
    bool focusAccept = false;  // FocusAccept: the ApplyInto button gets the focus
};

// The plain values the orb table is built from: the orbs of aspects 1 … 7 in minutes of arc and the
// divisors of the personal-transit and the synastry orbs.
struct OrbChoices {
    std::array<int32_t, core::kNumAspects> orbMinutes{};
    std::array<int32_t, 2> proportions{};
    bool operator==(const OrbChoices&) const = default;
};

// What the panel's actions reach outside the panel: the program text, the astronomical module whose
// colours and orb table they set, the settings store, and whether the main window has finished loading.
struct PanelContext {
    const text::Language& language;
    core::AstroModule& astro;
    SettingsStore& store;
    bool mainWindowLoaded = false;
};

enum class MouseButton { Left, Right, Middle };

// The panel's captions in the current language, by control.
struct ConfigureCaptions {
    std::string Caption;  // the panel's title
    std::string Label3;   // the instructions, three lines
    std::string Label1;
    std::array<std::string, core::kNumAspects> aspectName;
    std::string setAll;
    std::string personalTransits;
    std::string synastry;
    std::string orbForMidpoints;
    std::string boldfaceBox;
    std::string opt1DegOfOrb;
    std::string ofOrb;
    std::string zodiacSectorsBox;
    std::string zoneAbbreviationsBox;
    std::string onlyOuterPlanetsBox;
    std::string onlyEarthAspectsBox;
    std::string geoRingBox;
    std::string whiteBackgroundBox;
    std::string reset;
    std::string apply;
    std::string cancel;
    std::string hide;
};

ConfigureCaptions PanelCaptions(const text::Language& language, const core::AstroTables& tables);

// Where the panel goes when it comes to the front: beside the main window's right edge at its top,
// pushed back inside the screen. Units are those of the arguments. With the main window maximized the
// panel stands at the screen's right edge; with the main window minimized it stays where it is (none).
enum class WindowState { Normal, Minimized, Maximized };
struct PanelPosition {
    int32_t left = 0;
    int32_t top = 0;
    bool operator==(const PanelPosition&) const = default;
};
std::optional<PanelPosition> PanelPlacement(WindowState mainState, int32_t mainLeft, int32_t mainTop,
                                            int32_t mainWidth, int32_t panelWidth, int32_t screenWidth);

class ConfigureModel {
public:
    // A panel with its lists built and every setting at its default, as after Reset.
    ConfigureModel();

    // --- Controls ---
    std::array<ComboBoxModel, kNumOrbLists> orbLists;  // item data: the orb in minutes of arc
    ComboBoxModel midpointOrbList;                 // read by position; item data: minutes of arc
    std::array<ComboBoxModel, 2> orbProportionLists;  // personal transits, synastry; item data 1 … 5
    ComboBoxModel boldfaceFactorList;                  // item data: the divisor of the orb
    bool boldfaceBox = true;
    bool opt1DegOfOrb = true;
    bool proportionOfOrbSelected = false;
    bool useColorBox = true;  // use colour in the table of aspects; Reset leaves it alone
    bool zodiacSectorsBox = true;
    bool onlyOuterPlanetsBox = false;
    bool onlyEarthAspectsBox = false;
    bool zoneAbbreviationsBox = true;
    bool whiteBackgroundBox = false;  // kept unchecked
    bool geoRingBox = false;          // the chart's outer ring of geocentric positions

    // --- Panel state ---
    // The working colours the swatches lblAspectColor show, by aspect index (0 unused); 0 = excluded.
    std::array<double, core::kAspectSlots> panelColors{};
    // The colour an aspect had before it was excluded.
    std::array<double, core::kAspectSlots> excludedColors{};
    bool everApplied = false;    // the panel's settings have been applied at least once
    bool closingByCloseBox = false;  // only while the panel is being closed by its close box

    // --- Applied state ---
    // The selected entry of each orb list (aspects 1 … 7 at 0 … 6, the "set all" value at 7).
    std::array<int16_t, kNumOrbLists> orbIndexes{};
    bool zodiacSectors = true;
    bool onlyOuterPlanets = false;
    bool onlyEarthAspects = false;
    bool geoRing = false;

    // Fills every list with its entries and item data; selections are lost.
    void BuildOrbLists();

    // The panel's first use: lists, defaults (neither asked nor applied), "TZDisp" and "Zodiac sectors"
    // from the store, both "only" options off (and stored so where the store has no value yet).
    // `computerZone` (minutes east) is asked only when the store has no "TZDisp".
    void Load(SettingsStore& store, const std::function<int16_t()>& computerZone);

    // The panel comes to the front: the orb lists show the applied orbs, the swatches the applied colours,
    // the values Cancel restores are remembered and "Zodiac sectors" is read again.
    void Activate(SettingsStore& store, const core::AstroTables& tables);

    // What the main window does when it opens the panel (cmdConfigure).
    MainWindowActions ActionsOnOpening() const;

    // The question Reset asks before it acts, if it asks one: only when the main window has finished
    // loading, the panel is visible and it is not being closed by its close box.
    std::optional<platform::Message> ResetQuestion(const text::Language& language, bool mainWindowLoaded,
                                               bool panelVisible) const;
    // Every orb, colour and option back to its default, applied at once when the main window has finished
    // loading. While the panel is closed by its close box, the result carries the notice about it.
    PanelResult Reset(const PanelContext& context);

    // Applies the panel's choices and stores the four display options; refused (with the message) when
    // both "only" options are checked.
    PanelResult Apply(const PanelContext& context);

    // Restores the values remembered at activation and hides the panel.
    PanelResult Cancel();
    // Hides the panel; edits stay.
    PanelResult Hide();
    // The close box: Reset (with its notice, applied when the main window is loaded), then Cancel.
    PanelResult CloseByX(const PanelContext& context);

    // A mouse button on the colour swatch of aspect index + 1 (index 0 … 6): the left button moves a
    // palette colour to the next one of the palette, the right one excludes an aspect or brings it back.
    void PressSwatch(int16_t index, MouseButton button, const core::AstroTables& tables);

    // The question before "set all non-zero orbs"; none when the value to set is 0° (the action refuses).
    std::optional<platform::Message> SetAllQuestion(const text::Language& language) const;
    // Gives every aspect with a non-zero orb the orb selected in orbLists 7 (after Yes); a value of 0° is
    // refused with a message.
    PanelResult SetAllNonzeroOrbs(const text::Language& language);

    // A click on orb list `index`: 0° chosen as the "set all" value is refused once the main window has
    // finished loading (the message, and 1° selected instead).
    PanelResult ChooseOrb(int16_t index, bool mainWindowLoaded, const text::Language& language);

    // The orb choices ApplyOrbs hands to the orb table: the item data of the applied entry of each aspect's
    // orb list and of the selected entry of each proportion list.
    OrbChoices SetOrbsValues() const;
    void ApplyOrbs(core::OrbTable& orbs) const;
    void ApplyOrbs(core::AstroModule& astro) const { ApplyOrbs(astro.orbs); }

    // The boldface rule the panel's choices make: none when "Use boldface" is clear, otherwise close below
    // 1° or below the orb divided by the selected boldface factor.
    core::CloseAspectRule CloseRule() const;

    // The midpoint orb in radians, by the position selected in midpointOrbList.
    double MidpointOrb() const;

    // The four display settings in the settings store: each reading method takes "0" or "1" from the
    // store (a missing or other value gives the default), sets its check box, writes the value back at
    // once and sets its display flag; each writing method stores its check box as "0" or "1" and tells
    // whether the store kept it.
    void ReadZoneAbbreviations(SettingsStore& store, const std::function<int16_t()>& computerZone);
    bool StoreZoneAbbreviations(SettingsStore& store) const;
    void ReadZodiacSectors(SettingsStore& store);
    bool StoreZodiacSectors(SettingsStore& store) const;
    void ReadInnerPlanetAspects(SettingsStore& store);
    bool StoreInnerPlanetAspects(SettingsStore& store) const;
    void ReadEarthAspectsOnly(SettingsStore& store);
    bool StoreEarthAspectsOnly(SettingsStore& store) const;
    // The outer ring of geocentric positions: off unless the store holds "1".
    void ReadGeoRing(const SettingsStore& store);
    bool StoreGeoRing(SettingsStore& store) const;

private:
    // The values Cancel restores, taken at activation.
    struct CancelValues {
        bool boldfaceBox = true;
        int16_t boldfaceFactorList = -1;
        std::array<int16_t, 2> orbProportionLists{-1, -1};
        bool zoneAbbreviationsBox = true;
        bool zodiacSectorsBox = true;
        bool onlyOuterPlanetsBox = false;
        bool onlyEarthAspectsBox = false;
        bool whiteBackgroundBox = false;
        bool geoRingBox = false;
    };

    void SetDefaults();
    void RememberCancelValues();
    void ApplyInto(const PanelContext& context, PanelResult& result);

    CancelValues m_cancelValues;
};

}  // namespace orvane::settings
