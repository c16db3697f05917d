#include "settings/configure_model.h"

#include "core/midpoints.h"
#include "datetime/time_zones.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cctype>

namespace orvane::settings {
namespace {

// Default orbs in whole degrees: conjunction, opposition, square, trine, sextile, semisextile, quincunx,
// and the "set all" value.
constexpr std::array<int16_t, kNumOrbLists> kDefaultOrbDegrees{10, 9, 6, 7, 4, 3, 3, 1};

// The midpoint orbs by list position: their texts, their size in minutes of arc and in degrees.
constexpr std::array<const char*, 8> kMidpointOrbTexts{"0° 5'",  "0° 15'", "0° 30'", "1° 0'",
                                                        "1° 30'", "2° 0'",  "2° 30'", "3° 0'"};

constexpr std::array<const char*, 5> kProportionTexts{"1", "1/2", "1/3", "1/4", "1/5"};
constexpr std::array<int32_t, 9> kBoldfaceFactors{2, 3, 4, 5, 6, 8, 10, 15, 20};

constexpr int16_t kDefaultProportionPosition = 2;   // 1/3
constexpr int16_t kDefaultBoldfaceFactorPosition = 2;  // 1/4

constexpr const char* kDegreeSign = "°";

std::string SwitchText(bool checked)
{
    return checked ? "1" : "0";
}

// Reads one display switch: "0" and "1" stand; any other value found counts as `otherValue`, a value not
// found (or a store that cannot be read) as `missingValue`. Trailing control characters (a terminating
// zero, a line break) are not part of the value.
bool ReadSwitch(const SettingsStore& store, const char* valueName, bool otherValue, bool missingValue)
{
    std::optional<std::string> text = store.Read(valueName);
    if (!text)
        return missingValue;
    while (!text->empty() && static_cast<unsigned char>(text->back()) < 32)
        text->pop_back();
    if (*text == "0")
        return false;
    if (*text == "1")
        return true;
    return otherValue;
}

bool WriteSwitch(SettingsStore& store, const char* valueName, bool checked)
{
    return store.Write(valueName, SwitchText(checked));
}

// Stores `checked` as a switch's value where the store has none yet; a value found stays as it is.
void StoreDefaultWhereMissing(SettingsStore& store, const char* valueName, bool checked)
{
    if (!store.Read(valueName))
        WriteSwitch(store, valueName, checked);
}

// The refusal of 0° as the value that "set all" gives every non-zero orb.
platform::Message SetAllToZeroRefusal(const text::Language& language)
{
    return platform::Message::Information(language.Text(text::kTextSetAll), language.Text(text::kTextMessageSetAllToZero));
}

bool ValidOrbList(int16_t index)
{
    return index >= 0 && index < kNumOrbLists;
}

}  // namespace

ConfigureCaptions PanelCaptions(const text::Language& language, const core::AstroTables& tables)
{
    ConfigureCaptions captions;
    captions.Caption = language.Text(text::kTextConfigure);
    captions.Label3 = language.Text(text::kTextInstructions1) + text::kLineBreak + language.Text(text::kTextInstructions2) +
                      text::kLineBreak + language.Text(text::kTextInstructions3);
    captions.Label1 = language.Text(text::kTextOrbs);
    for (int a = core::kConjunction; a <= core::kNumAspects; ++a)
        captions.aspectName[static_cast<size_t>(a - 1)] = tables.AspectText[static_cast<size_t>(a)].Name;
    captions.setAll = language.Text(text::kTextSetAllNonzeroOrbs);
    captions.personalTransits = language.Text(text::kTextPersonalTransits);
    captions.synastry = text::LowerCase(language.Text(text::kTextSynastry));
    captions.orbForMidpoints = language.Text(text::kTextOrbForMidpoints);
    captions.boldfaceBox = language.Text(text::kTextUseBoldface);
    captions.opt1DegOfOrb = language.Text(text::kTextOneDegree);
    captions.ofOrb = language.Text(text::kTextOfOrb);
    captions.zodiacSectorsBox = language.Text(text::kTextDisplayZodiacSectors);
    captions.zoneAbbreviationsBox = language.Text(text::kTextDisplayNATZabbr);
    captions.onlyOuterPlanetsBox = language.Text(text::kTextShowOnlyOuterPlanets);
    captions.onlyEarthAspectsBox = language.Text(text::kTextShowOnlyEarthAspects);
    captions.whiteBackgroundBox.clear();
    captions.geoRingBox = language.Text(text::kTextGeoRingBox);
    captions.reset = language.Text(text::kTextReset);
    captions.apply = language.Text(text::kTextAccept);
    captions.cancel = language.Text(text::kTextCancel);
    captions.hide = language.Text(text::kTextHide);
    return captions;
}

std::optional<PanelPosition> PanelPlacement(WindowState mainState, int32_t mainLeft, int32_t mainTop,
                                            int32_t mainWidth, int32_t panelWidth, int32_t screenWidth)
{
    const int32_t rightmost = std::max(0, screenWidth - panelWidth);
    switch (mainState) {
    case WindowState::Normal: {
        const int32_t left = mainLeft + mainWidth;
        return PanelPosition{left + panelWidth > screenWidth ? rightmost : left, mainTop};
    }
    case WindowState::Maximized:
        return PanelPosition{rightmost, mainTop};
    case WindowState::Minimized:
        break;
    }
    return std::nullopt;
}

ConfigureModel::ConfigureModel()
{
    BuildOrbLists();
    SetDefaults();
    RememberCancelValues();
}

void ConfigureModel::BuildOrbLists()
{
    for (ComboBoxModel& list : orbLists) {
        list.Clear();
        for (int32_t k = 0; k <= kMaxOrbDegrees; ++k)
            list.AddItem(std::to_string(k) + kDegreeSign, k * 60);
    }

    midpointOrbList.Clear();
    for (size_t i = 0; i < kMidpointOrbTexts.size(); ++i)
        midpointOrbList.AddItem(kMidpointOrbTexts[i], core::kMidpointOrbMinutes[i]);

    boldfaceFactorList.Clear();
    for (const int32_t factor : kBoldfaceFactors)
        boldfaceFactorList.AddItem("1/" + std::to_string(factor), factor);

    for (ComboBoxModel& list : orbProportionLists) {
        list.Clear();
        for (size_t i = 0; i < kProportionTexts.size(); ++i)
            list.AddItem(kProportionTexts[i], static_cast<int32_t>(i + 1));
    }
}

void ConfigureModel::SetDefaults()
{
    for (size_t k = 0; k < orbLists.size(); ++k) {
        orbLists[k].SetListIndex(kDefaultOrbDegrees[k]);
        orbIndexes[k] = orbLists[k].ListIndex();
    }
    midpointOrbList.SetListIndex(core::kDefaultMidpointOrbPosition);
    for (ComboBoxModel& list : orbProportionLists)
        list.SetListIndex(kDefaultProportionPosition);
    boldfaceBox = true;
    opt1DegOfOrb = true;
    proportionOfOrbSelected = false;
    boldfaceFactorList.SetListIndex(kDefaultBoldfaceFactorPosition);
    panelColors = core::kDefaultAspectColor;
    onlyOuterPlanetsBox = false;
    onlyEarthAspectsBox = false;
    whiteBackgroundBox = false;
    zoneAbbreviationsBox = true;
    zodiacSectorsBox = true;
    geoRingBox = false;
}

void ConfigureModel::RememberCancelValues()
{
    m_cancelValues.boldfaceBox = boldfaceBox;
    m_cancelValues.boldfaceFactorList = boldfaceFactorList.ListIndex();
    for (size_t j = 0; j < orbProportionLists.size(); ++j)
        m_cancelValues.orbProportionLists[j] = orbProportionLists[j].ListIndex();
    m_cancelValues.zoneAbbreviationsBox = zoneAbbreviationsBox;
    m_cancelValues.zodiacSectorsBox = zodiacSectorsBox;
    m_cancelValues.onlyOuterPlanetsBox = onlyOuterPlanetsBox;
    m_cancelValues.onlyEarthAspectsBox = onlyEarthAspectsBox;
    m_cancelValues.whiteBackgroundBox = whiteBackgroundBox;
    m_cancelValues.geoRingBox = geoRingBox;
}

void ConfigureModel::Load(SettingsStore& store, const std::function<int16_t()>& computerZone)
{
    BuildOrbLists();
    // The main window has not finished loading: no question, and nothing is applied yet.
    SetDefaults();
    ReadZoneAbbreviations(store, computerZone);
    ReadZodiacSectors(store);
    ReadGeoRing(store);
    onlyOuterPlanetsBox = false;
    onlyEarthAspectsBox = false;
    onlyOuterPlanets = false;
    onlyEarthAspects = false;
    // A profile's first start stores both "only" options as the panel shows them, off, so that a state
    // file read later finds them and does not tick both (the rule for values that were lost).
    StoreDefaultWhereMissing(store, kValueIPAD, onlyOuterPlanetsBox);
    StoreDefaultWhereMissing(store, kValueSOEA, onlyEarthAspectsBox);
    RememberCancelValues();
}

void ConfigureModel::Activate(SettingsStore& store, const core::AstroTables& tables)
{
    for (size_t k = 0; k < orbLists.size(); ++k)
        orbLists[k].SetListIndex(orbIndexes[k]);
    // The swatches show the applied colours, and they are what the panel works on from here.
    for (int a = core::kConjunction; a <= core::kNumAspects; ++a)
        panelColors[static_cast<size_t>(a)] = tables.aspectColors[static_cast<size_t>(a)];
    RememberCancelValues();
    ReadZodiacSectors(store);
}

MainWindowActions ConfigureModel::ActionsOnOpening() const
{
    MainWindowActions actions;
    if (everApplied) {
        actions.hideDurationsWindow = true;
        actions.recompute = true;
        actions.resetFootLabel = true;
        actions.refreshClickHint = true;
    }
    return actions;
}

std::optional<platform::Message> ConfigureModel::ResetQuestion(const text::Language& language, bool mainWindowLoaded,
                                                           bool panelVisible) const
{
    if (closingByCloseBox || !mainWindowLoaded || !panelVisible)
        return std::nullopt;
    return platform::Message::Question(language.Text(text::kTextReset), language.Text(text::kTextResetQuestion1) +
                                                                         text::kLineBreak +
                                                                         language.Text(text::kTextResetQuestion2));
}

PanelResult ConfigureModel::Reset(const PanelContext& context)
{
    PanelResult result;
    if (closingByCloseBox) {
        const text::Language& language = context.language;
        result.message = platform::Message::Information(
            kTitleCloseBox, language.Text(text::kTextCloseBoxNotice1) + text::kLineBreak +
                                language.Text(text::kTextCloseBoxNotice2) + text::kLineBreak +
                                language.Text(text::kTextCloseBoxNotice3));
    }
    SetDefaults();
    if (context.mainWindowLoaded) {
        PanelResult applied = Apply(context);
        result.mainWindow = applied.mainWindow;
    }
    return result;
}

PanelResult ConfigureModel::Apply(const PanelContext& context)
{
    PanelResult result;
    if (onlyOuterPlanetsBox && onlyEarthAspectsBox) {
        result.message =
            platform::Message::Information(context.language.Text(text::kTextConfigure),
                                           context.language.TextWithReplacements(text::kTextMessageBothOnlyOptions, ""));
        return result;
    }
    ApplyInto(context, result);
    return result;
}

void ConfigureModel::ApplyInto(const PanelContext& context, PanelResult& result)
{
    auto& aspectColors = context.astro.tables.aspectColors;
    for (int a = core::kConjunction; a <= core::kNumAspects; ++a)
        aspectColors[static_cast<size_t>(a)] = panelColors[static_cast<size_t>(a)];
    for (size_t k = 0; k < orbLists.size(); ++k)
        orbIndexes[k] = orbLists[k].ListIndex();
    ApplyOrbs(context.astro);
    result.mainWindow.rebuildTimezoneLists = true;
    // Taken now: the close box's Cancel puts the check box back before the main window follows.
    result.mainWindow.zoneAbbreviations = zoneAbbreviationsBox;
    zodiacSectors = zodiacSectorsBox;
    onlyOuterPlanets = onlyOuterPlanetsBox;
    onlyEarthAspects = onlyEarthAspectsBox;
    geoRing = geoRingBox;
    everApplied = true;
    // The applied display options are stored: activation reads "Zodiac sectors" again, and loading a state
    // file reads the other three, so that neither undoes what was applied.
    StoreZodiacSectors(context.store);
    StoreInnerPlanetAspects(context.store);
    StoreEarthAspectsOnly(context.store);
    StoreZoneAbbreviations(context.store);
    StoreGeoRing(context.store);
    result.mainWindow.restoreMinimized = true;
    result.mainWindow.recompute = true;
}

PanelResult ConfigureModel::Cancel()
{
    boldfaceBox = m_cancelValues.boldfaceBox;
    boldfaceFactorList.SetListIndex(m_cancelValues.boldfaceFactorList);
    for (size_t j = 0; j < orbProportionLists.size(); ++j)
        orbProportionLists[j].SetListIndex(m_cancelValues.orbProportionLists[j]);
    zoneAbbreviationsBox = m_cancelValues.zoneAbbreviationsBox;
    zodiacSectorsBox = m_cancelValues.zodiacSectorsBox;
    onlyOuterPlanetsBox = m_cancelValues.onlyOuterPlanetsBox;
    onlyEarthAspectsBox = m_cancelValues.onlyEarthAspectsBox;
    whiteBackgroundBox = m_cancelValues.whiteBackgroundBox;
    geoRingBox = m_cancelValues.geoRingBox;
    PanelResult result;
    result.hidePanel = true;
    return result;
}

PanelResult ConfigureModel::Hide()
{
    PanelResult result;
    result.hidePanel = true;
    return result;
}

PanelResult ConfigureModel::CloseByX(const PanelContext& context)
{
    closingByCloseBox = true;
    PanelResult result = Reset(context);
    closingByCloseBox = false;
    result.hidePanel = Cancel().hidePanel;
    return result;
}

void ConfigureModel::PressSwatch(int16_t index, MouseButton button, const core::AstroTables& tables)
{
    if (index < 0 || index >= core::kNumAspects)
        return;
    const auto aspect = static_cast<size_t>(index + 1);
    double& colour = panelColors[aspect];

    if (button == MouseButton::Left) {
        const auto& palette = tables.colorPalette;
        const auto found = std::find(palette.begin(), palette.end(), colour);
        if (found == palette.end())
            return;  // an excluded aspect (0), or a colour from elsewhere, keeps its colour
        const auto next = std::next(found) == palette.end() ? palette.begin() : std::next(found);
        colour = *next;
    } else if (button == MouseButton::Right) {
        if (colour != 0.0) {
            excludedColors[aspect] = colour;
            colour = 0.0;
        } else {
            // An aspect that was excluded before the panel remembered its colour gets its default back.
            colour = excludedColors[aspect] != 0.0 ? excludedColors[aspect] : core::kDefaultAspectColor[aspect];
        }
    }
}

std::optional<platform::Message> ConfigureModel::SetAllQuestion(const text::Language& language) const
{
    const int32_t minutes = orbLists[kSetAllOrbList].SelectedItemData();
    if (minutes <= 0)
        return std::nullopt;
    std::string question = language.Text(text::kTextSetAllQuestion);
    const std::string marker = "NEW_ORB";
    const std::string orb = std::to_string(minutes / 60) + kDegreeSign;
    for (size_t at = question.find(marker); at != std::string::npos; at = question.find(marker, at + orb.size()))
        question.replace(at, marker.size(), orb);
    return platform::Message::Question(language.Text(text::kTextSetAllTitle), question);
}

PanelResult ConfigureModel::SetAllNonzeroOrbs(const text::Language& language)
{
    PanelResult result;
    const ComboBoxModel& setAll = orbLists[kSetAllOrbList];
    if (setAll.SelectedItemData() <= 0) {
        result.message = SetAllToZeroRefusal(language);
        return result;
    }
    const std::string zeroOrb = std::string("0") + kDegreeSign;
    for (int16_t i = 0; i < core::kNumAspects; ++i) {
        ComboBoxModel& list = orbLists[static_cast<size_t>(i)];
        if (list.Text() != zeroOrb)
            list.SetListIndex(setAll.ListIndex());
    }
    return result;
}

PanelResult ConfigureModel::ChooseOrb(int16_t index, bool mainWindowLoaded, const text::Language& language)
{
    PanelResult result;
    if (!ValidOrbList(index))
        return result;
    ComboBoxModel& list = orbLists[static_cast<size_t>(index)];
    if (mainWindowLoaded && index == kSetAllOrbList && list.ListIndex() == 0) {
        result.message = SetAllToZeroRefusal(language);
        list.SetListIndex(1);
        return result;
    }
    result.focusAccept = true;
    return result;
}

OrbChoices ConfigureModel::SetOrbsValues() const
{
    OrbChoices choices;
    for (size_t k = 0; k < choices.orbMinutes.size(); ++k)
        choices.orbMinutes[k] = orbLists[k].ItemData(orbIndexes[k]);
    for (size_t j = 0; j < choices.proportions.size(); ++j)
        choices.proportions[j] = orbProportionLists[j].SelectedItemData();
    return choices;
}

void ConfigureModel::ApplyOrbs(core::OrbTable& orbs) const
{
    const OrbChoices choices = SetOrbsValues();
    orbs.ApplyOrbs(choices.orbMinutes, choices.proportions);
}

core::CloseAspectRule ConfigureModel::CloseRule() const
{
    if (!boldfaceBox)
        return {};
    if (opt1DegOfOrb)
        return {core::CloseAspectRule::Kind::WithinOneDegree, 1};
    return {core::CloseAspectRule::Kind::FractionOfOrb, boldfaceFactorList.SelectedItemData()};
}

double ConfigureModel::MidpointOrb() const
{
    return core::MidpointOrb(midpointOrbList.ListIndex());
}

void ConfigureModel::ReadZoneAbbreviations(SettingsStore& store, const std::function<int16_t()>& computerZone)
{
    // The computer's zone only decides a missing value: looking it up reads the zone database.
    const bool missingValue = !store.Read(kValueTZDisp) && datetime::AbbreviationsOnByDefault(computerZone());
    zoneAbbreviationsBox = ReadSwitch(store, kValueTZDisp, true, missingValue);
    StoreZoneAbbreviations(store);
}

bool ConfigureModel::StoreZoneAbbreviations(SettingsStore& store) const
{
    return WriteSwitch(store, kValueTZDisp, zoneAbbreviationsBox);
}

void ConfigureModel::ReadZodiacSectors(SettingsStore& store)
{
    zodiacSectorsBox = ReadSwitch(store, kValueZodiacSectors, true, true);
    StoreZodiacSectors(store);
    zodiacSectors = zodiacSectorsBox;
}

bool ConfigureModel::StoreZodiacSectors(SettingsStore& store) const
{
    return WriteSwitch(store, kValueZodiacSectors, zodiacSectorsBox);
}

void ConfigureModel::ReadInnerPlanetAspects(SettingsStore& store)
{
    onlyOuterPlanetsBox = ReadSwitch(store, kValueIPAD, true, true);
    StoreInnerPlanetAspects(store);
    onlyOuterPlanets = onlyOuterPlanetsBox;
}

bool ConfigureModel::StoreInnerPlanetAspects(SettingsStore& store) const
{
    return WriteSwitch(store, kValueIPAD, onlyOuterPlanetsBox);
}

void ConfigureModel::ReadEarthAspectsOnly(SettingsStore& store)
{
    onlyEarthAspectsBox = ReadSwitch(store, kValueSOEA, true, true);
    StoreEarthAspectsOnly(store);
    onlyEarthAspects = onlyEarthAspectsBox;
}

bool ConfigureModel::StoreEarthAspectsOnly(SettingsStore& store) const
{
    return WriteSwitch(store, kValueSOEA, onlyEarthAspectsBox);
}

void ConfigureModel::ReadGeoRing(const SettingsStore& store)
{
    // An addition to the display settings: a profile from before it, or any other value, has no ring.
    geoRingBox = ReadSwitch(store, kValueGeoRing, false, false);
    geoRing = geoRingBox;
}

bool ConfigureModel::StoreGeoRing(SettingsStore& store) const
{
    return WriteSwitch(store, kValueGeoRing, geoRingBox);
}

}  // namespace orvane::settings
