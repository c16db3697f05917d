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

std::string RegistryText(bool checked)
{
    return checked ? "1" : "0";
}

// Reads one display switch: "0" and "1" stand; any other value found counts as `otherValue`, a value not
// found (or a store that cannot be read) as `missingValue`.
bool ReadSwitch(RegistryStore& store, const char* valueName, bool otherValue, bool missingValue)
{
    std::string text;
    const std::string status = RegReadText(store, RegistryHive::CurrentUser, kRegistryKey, valueName, text, 0);
    if (!StatusFound(status))
        return missingValue;
    if (text == "0")
        return false;
    if (text == "1")
        return true;
    return otherValue;
}

std::string WriteSwitch(RegistryStore& store, const char* valueName, bool checked)
{
    return RegWriteText(store, RegistryHive::CurrentUser, kRegistryKey, valueName, RegistryText(checked));
}

// Stores `checked` as a switch's value where the store has none yet; a value found stays as it is.
void StoreDefaultWhereMissing(RegistryStore& store, const char* valueName, bool checked)
{
    std::string text;
    if (!StatusFound(RegReadText(store, RegistryHive::CurrentUser, kRegistryKey, valueName, text, 0)))
        WriteSwitch(store, valueName, checked);
}

// The refusal of 0° as the value that "set all" gives every non-zero orb.
platform::Message SetAllToZeroRefusal(const text::Language& language)
{
    return platform::Message::Information(language.GetText(text::kTextSetAll), language.GetText(text::kTextMessageSetAllToZero));
}

bool ValidOrbList(int16_t index)
{
    return index >= 0 && index < kNumOrbLists;
}

}  // namespace

ConfigureCaptions PanelCaptions(const text::Language& language, const core::AstroTables& tables)
{
    ConfigureCaptions captions;
    captions.Caption = language.GetText(text::kTextConfigure);
    captions.Label3 = language.GetText(text::kTextInstructions1) + text::kLineBreak + language.GetText(text::kTextInstructions2) +
                      text::kLineBreak + language.GetText(text::kTextInstructions3);
    captions.Label1 = language.GetText(text::kTextOrbs);
    for (int a = core::kConjunction; a <= core::kNumAspects; ++a)
        captions.lblAspectName[static_cast<size_t>(a - 1)] = tables.AspectText[static_cast<size_t>(a)].Name;
    captions.cmdSetAllNonzeroOrbsToConjunctionOrb = language.GetText(text::kTextSetAllNonzeroOrbs);
    captions.lblPersonalTransits = language.GetText(text::kTextPersonalTransits);
    captions.lblSynastry = text::LowerCase(language.GetText(text::kTextSynastry));
    captions.lblOrbForMidpoints = language.GetText(text::kTextOrbForMidpoints);
    captions.chkUseBoldface = language.GetText(text::kTextUseBoldface);
    captions.opt1DegOfOrb = language.GetText(text::kTextOneDegree);
    captions.lblOfOrb = language.GetText(text::kTextOfOrb);
    captions.chkDisplayZodiacSectors = language.GetText(text::kTextDisplayZodiacSectors);
    captions.chkDisplayNATZabbr = language.GetText(text::kTextDisplayNATZabbr);
    captions.chkShowOnlyOuterPlanets = language.GetText(text::kTextShowOnlyOuterPlanets);
    captions.chkShowOnlyEarthAspects = language.GetText(text::kTextShowOnlyEarthAspects);
    captions.chkSaveGraphicWithWhiteBackground.clear();
    captions.cmdReset = language.GetText(text::kTextReset);
    captions.cmdAccept = language.GetText(text::kTextAccept);
    captions.cmdCancel = language.GetText(text::kTextCancel);
    captions.cmdHide = language.GetText(text::kTextHide);
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
    for (ComboBoxModel& list : cboOrb) {
        list.Clear();
        for (int32_t k = 0; k <= kMaxOrbDegrees; ++k)
            list.AddItem(std::to_string(k) + kDegreeSign, k * 60);
    }

    cboOrbForMidpoints.Clear();
    for (size_t i = 0; i < kMidpointOrbTexts.size(); ++i)
        cboOrbForMidpoints.AddItem(kMidpointOrbTexts[i], core::kMidpointOrbMinutes[i]);

    cboBoldfaceFactor.Clear();
    for (const int32_t factor : kBoldfaceFactors)
        cboBoldfaceFactor.AddItem("1/" + std::to_string(factor), factor);

    for (ComboBoxModel& list : cboPersonalOrbsProportion) {
        list.Clear();
        for (size_t i = 0; i < kProportionTexts.size(); ++i)
            list.AddItem(kProportionTexts[i], static_cast<int32_t>(i + 1));
    }
}

void ConfigureModel::SetDefaults()
{
    for (size_t k = 0; k < cboOrb.size(); ++k) {
        cboOrb[k].SetListIndex(kDefaultOrbDegrees[k]);
        intOrbListIndex[k] = cboOrb[k].ListIndex();
    }
    cboOrbForMidpoints.SetListIndex(core::kDefaultMidpointOrbPosition);
    for (ComboBoxModel& list : cboPersonalOrbsProportion)
        list.SetListIndex(kDefaultProportionPosition);
    chkUseBoldface = true;
    opt1DegOfOrb = true;
    optProportionOfOrb = false;
    cboBoldfaceFactor.SetListIndex(kDefaultBoldfaceFactorPosition);
    dblPanelColor = core::kDefaultAspectColor;
    chkShowOnlyOuterPlanets = false;
    chkShowOnlyEarthAspects = false;
    chkSaveGraphicWithWhiteBackground = false;
    chkDisplayNATZabbr = true;
    chkDisplayZodiacSectors = true;
}

void ConfigureModel::RememberCancelValues()
{
    m_cancelValues.chkUseBoldface = chkUseBoldface;
    m_cancelValues.cboBoldfaceFactor = cboBoldfaceFactor.ListIndex();
    for (size_t j = 0; j < cboPersonalOrbsProportion.size(); ++j)
        m_cancelValues.cboPersonalOrbsProportion[j] = cboPersonalOrbsProportion[j].ListIndex();
    m_cancelValues.chkDisplayNATZabbr = chkDisplayNATZabbr;
    m_cancelValues.chkDisplayZodiacSectors = chkDisplayZodiacSectors;
    m_cancelValues.chkShowOnlyOuterPlanets = chkShowOnlyOuterPlanets;
    m_cancelValues.chkShowOnlyEarthAspects = chkShowOnlyEarthAspects;
    m_cancelValues.chkSaveGraphicWithWhiteBackground = chkSaveGraphicWithWhiteBackground;
}

void ConfigureModel::Load(RegistryStore& store, int16_t intSystemZone)
{
    BuildOrbLists();
    // The main window has not finished loading: no question, and nothing is applied yet.
    SetDefaults();
    SetTZDisp(store, intSystemZone);
    SetDisplayZodiacSectors(store);
    chkShowOnlyOuterPlanets = false;
    chkShowOnlyEarthAspects = false;
    blnShowOnlyOuterPlanets = false;
    blnShowOnlyEarthAspects = false;
    // A profile's first start stores both "only" options as the panel shows them, off, so that a state
    // file read later finds them and does not tick both (the rule for values that were lost).
    StoreDefaultWhereMissing(store, kValueIPAD, chkShowOnlyOuterPlanets);
    StoreDefaultWhereMissing(store, kValueSOEA, chkShowOnlyEarthAspects);
    RememberCancelValues();
}

void ConfigureModel::Activate(RegistryStore& store, const core::AstroTables& tables)
{
    for (size_t k = 0; k < cboOrb.size(); ++k)
        cboOrb[k].SetListIndex(intOrbListIndex[k]);
    // The swatches show the applied colours, and they are what the panel works on from here.
    for (int a = core::kConjunction; a <= core::kNumAspects; ++a)
        dblPanelColor[static_cast<size_t>(a)] = tables.dblAspectColor[static_cast<size_t>(a)];
    RememberCancelValues();
    SetDisplayZodiacSectors(store);
}

MainWindowActions ConfigureModel::ActionsOnOpening() const
{
    MainWindowActions actions;
    if (blnAccepted) {
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
    if (blnClosingByX || !mainWindowLoaded || !panelVisible)
        return std::nullopt;
    return platform::Message::Question(language.GetText(text::kTextReset), language.GetText(text::kTextResetQuestion1) +
                                                                         text::kLineBreak +
                                                                         language.GetText(text::kTextResetQuestion2));
}

PanelResult ConfigureModel::cmdReset_Click(const PanelContext& context)
{
    PanelResult result;
    if (blnClosingByX) {
        const text::Language& language = context.language;
        result.message = platform::Message::Information(
            kTitleCloseBox, language.GetText(text::kTextCloseBoxNotice1) + text::kLineBreak +
                                language.GetText(text::kTextCloseBoxNotice2) + text::kLineBreak +
                                language.GetText(text::kTextCloseBoxNotice3));
    }
    SetDefaults();
    if (context.mainWindowLoaded) {
        PanelResult applied = cmdAccept_Click(context);
        result.mainWindow = applied.mainWindow;
    }
    return result;
}

PanelResult ConfigureModel::cmdAccept_Click(const PanelContext& context)
{
    PanelResult result;
    if (chkShowOnlyOuterPlanets && chkShowOnlyEarthAspects) {
        result.message =
            platform::Message::Information(context.language.GetText(text::kTextConfigure),
                                           context.language.GetTextWithReplacements(text::kTextMessageBothOnlyOptions, ""));
        return result;
    }
    Apply(context, result);
    return result;
}

void ConfigureModel::Apply(const PanelContext& context, PanelResult& result)
{
    auto& dblAspectColor = context.astro.tables.dblAspectColor;
    for (int a = core::kConjunction; a <= core::kNumAspects; ++a)
        dblAspectColor[static_cast<size_t>(a)] = dblPanelColor[static_cast<size_t>(a)];
    for (size_t k = 0; k < cboOrb.size(); ++k)
        intOrbListIndex[k] = cboOrb[k].ListIndex();
    SetOrbs(context.astro);
    result.mainWindow.rebuildTimezoneLists = true;
    // Taken now: the close box's Cancel puts the check box back before the main window follows.
    result.mainWindow.zoneAbbreviations = chkDisplayNATZabbr;
    blnDisplayZodiacSectors = chkDisplayZodiacSectors;
    blnShowOnlyOuterPlanets = chkShowOnlyOuterPlanets;
    blnShowOnlyEarthAspects = chkShowOnlyEarthAspects;
    blnAccepted = true;
    // The applied display options are stored: activation reads "Zodiac sectors" again, and loading a state
    // file reads the other three, so that neither undoes what was applied.
    WriteDisplayZodiacSectorsToRegistry(context.store);
    WriteInnerPlanetAspectDisplayToRegistry(context.store);
    WriteShowOnlyEarthAspectsToRegistry(context.store);
    WriteTZDispToRegistry(context.store);
    result.mainWindow.restoreMinimized = true;
    result.mainWindow.recompute = true;
}

PanelResult ConfigureModel::cmdCancel_Click()
{
    chkUseBoldface = m_cancelValues.chkUseBoldface;
    cboBoldfaceFactor.SetListIndex(m_cancelValues.cboBoldfaceFactor);
    for (size_t j = 0; j < cboPersonalOrbsProportion.size(); ++j)
        cboPersonalOrbsProportion[j].SetListIndex(m_cancelValues.cboPersonalOrbsProportion[j]);
    chkDisplayNATZabbr = m_cancelValues.chkDisplayNATZabbr;
    chkDisplayZodiacSectors = m_cancelValues.chkDisplayZodiacSectors;
    chkShowOnlyOuterPlanets = m_cancelValues.chkShowOnlyOuterPlanets;
    chkShowOnlyEarthAspects = m_cancelValues.chkShowOnlyEarthAspects;
    chkSaveGraphicWithWhiteBackground = m_cancelValues.chkSaveGraphicWithWhiteBackground;
    PanelResult result;
    result.hidePanel = true;
    return result;
}

PanelResult ConfigureModel::cmdHide_Click()
{
    PanelResult result;
    result.hidePanel = true;
    return result;
}

PanelResult ConfigureModel::CloseByX(const PanelContext& context)
{
    blnClosingByX = true;
    PanelResult result = cmdReset_Click(context);
    blnClosingByX = false;
    result.hidePanel = cmdCancel_Click().hidePanel;
    return result;
}

void ConfigureModel::lblAspectColor_MouseDown(int16_t index, MouseButton button, const core::AstroTables& tables)
{
    if (index < 0 || index >= core::kNumAspects)
        return;
    const auto aspect = static_cast<size_t>(index + 1);
    double& colour = dblPanelColor[aspect];

    if (button == MouseButton::Left) {
        const auto& palette = tables.dblColorPalette;
        const auto found = std::find(palette.begin(), palette.end(), colour);
        if (found == palette.end())
            return;  // an excluded aspect (0), or a colour from elsewhere, keeps its colour
        const auto next = std::next(found) == palette.end() ? palette.begin() : std::next(found);
        colour = *next;
    } else if (button == MouseButton::Right) {
        if (colour != 0.0) {
            dblExcludedColor[aspect] = colour;
            colour = 0.0;
        } else {
            // An aspect that was excluded before the panel remembered its colour gets its default back.
            colour = dblExcludedColor[aspect] != 0.0 ? dblExcludedColor[aspect] : core::kDefaultAspectColor[aspect];
        }
    }
}

std::optional<platform::Message> ConfigureModel::SetAllQuestion(const text::Language& language) const
{
    const int32_t minutes = cboOrb[kSetAllOrbList].SelectedItemData();
    if (minutes <= 0)
        return std::nullopt;
    std::string question = language.GetText(text::kTextSetAllQuestion);
    const std::string marker = "NEW_ORB";
    const std::string orb = std::to_string(minutes / 60) + kDegreeSign;
    for (size_t at = question.find(marker); at != std::string::npos; at = question.find(marker, at + orb.size()))
        question.replace(at, marker.size(), orb);
    return platform::Message::Question(language.GetText(text::kTextSetAllTitle), question);
}

PanelResult ConfigureModel::cmdSetAllNonzeroOrbsToConjunctionOrb_Click(const text::Language& language)
{
    PanelResult result;
    const ComboBoxModel& setAll = cboOrb[kSetAllOrbList];
    if (setAll.SelectedItemData() <= 0) {
        result.message = SetAllToZeroRefusal(language);
        return result;
    }
    const std::string zeroOrb = std::string("0") + kDegreeSign;
    for (int16_t i = 0; i < core::kNumAspects; ++i) {
        ComboBoxModel& list = cboOrb[static_cast<size_t>(i)];
        if (list.Text() != zeroOrb)
            list.SetListIndex(setAll.ListIndex());
    }
    return result;
}

PanelResult ConfigureModel::cboOrb_Click(int16_t index, bool mainWindowLoaded, const text::Language& language)
{
    PanelResult result;
    if (!ValidOrbList(index))
        return result;
    ComboBoxModel& list = cboOrb[static_cast<size_t>(index)];
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
        choices.orbMinutes[k] = cboOrb[k].ItemData(intOrbListIndex[k]);
    for (size_t j = 0; j < choices.proportions.size(); ++j)
        choices.proportions[j] = cboPersonalOrbsProportion[j].SelectedItemData();
    return choices;
}

void ConfigureModel::SetOrbs(core::OrbTable& orbs) const
{
    const OrbChoices choices = SetOrbsValues();
    orbs.SetOrbs(choices.orbMinutes, choices.proportions);
}

bool ConfigureModel::IsCloseAspect(const core::OrbTable& orbs, int16_t column, int16_t aspect, double deviation) const
{
    if (!chkUseBoldface)
        return false;
    if (opt1DegOfOrb)
        return deviation < 1.0 / 360.0 * core::kTwoPi;
    if (aspect < core::kConjunction || aspect > core::kNumAspects || column < 0 || column >= core::kOrbColumns)
        return false;
    const int32_t factor = std::max<int32_t>(1, cboBoldfaceFactor.SelectedItemData());
    return deviation < orbs.dblOrb[static_cast<size_t>(aspect)][static_cast<size_t>(column)] / factor;
}

double ConfigureModel::MidpointOrb() const
{
    return core::MidpointOrb(cboOrbForMidpoints.ListIndex());
}

void ConfigureModel::SetTZDisp(RegistryStore& store, int16_t intSystemZone)
{
    chkDisplayNATZabbr = ReadSwitch(store, kValueTZDisp, true, datetime::AbbreviationsOnByDefault(intSystemZone));
    WriteTZDispToRegistry(store);
}

std::string ConfigureModel::WriteTZDispToRegistry(RegistryStore& store) const
{
    return WriteSwitch(store, kValueTZDisp, chkDisplayNATZabbr);
}

void ConfigureModel::SetDisplayZodiacSectors(RegistryStore& store)
{
    chkDisplayZodiacSectors = ReadSwitch(store, kValueZodiacSectors, true, true);
    WriteDisplayZodiacSectorsToRegistry(store);
    blnDisplayZodiacSectors = chkDisplayZodiacSectors;
}

std::string ConfigureModel::WriteDisplayZodiacSectorsToRegistry(RegistryStore& store) const
{
    return WriteSwitch(store, kValueZodiacSectors, chkDisplayZodiacSectors);
}

void ConfigureModel::SetInnerPlanetAspectDisplay(RegistryStore& store)
{
    chkShowOnlyOuterPlanets = ReadSwitch(store, kValueIPAD, true, true);
    WriteInnerPlanetAspectDisplayToRegistry(store);
    blnShowOnlyOuterPlanets = chkShowOnlyOuterPlanets;
}

std::string ConfigureModel::WriteInnerPlanetAspectDisplayToRegistry(RegistryStore& store) const
{
    return WriteSwitch(store, kValueIPAD, chkShowOnlyOuterPlanets);
}

void ConfigureModel::SetShowOnlyEarthAspects(RegistryStore& store)
{
    chkShowOnlyEarthAspects = ReadSwitch(store, kValueSOEA, true, true);
    WriteShowOnlyEarthAspectsToRegistry(store);
    blnShowOnlyEarthAspects = chkShowOnlyEarthAspects;
}

std::string ConfigureModel::WriteShowOnlyEarthAspectsToRegistry(RegistryStore& store) const
{
    return WriteSwitch(store, kValueSOEA, chkShowOnlyEarthAspects);
}

}  // namespace orvane::settings
