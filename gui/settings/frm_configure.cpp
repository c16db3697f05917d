#include "gui/settings/frm_configure.h"

#include "gui/platform/qt_widgets.h"
#include "platform/twips.h"
#include "gui/settings/mouse_down_label.h"
#include "text/text_numbers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>

#include <initializer_list>
#include <string>

namespace orvane::settings {
namespace {

using platform::Create;
using platform::Px;

// The panel's layout in twips: an instructions block on top; the aspects with their orb lists and colour
// swatches on the left, above "set all non-zero orbs"; the proportions of the personal-transit and
// synastry orbs, the midpoint orb and the boldface rule on the right; the display options below both;
// Reset on the left of the bottom row, Apply, Cancel and Hide on its right.
struct TwipsRect {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
};

constexpr int32_t kPanelWidth = 9000;
constexpr int32_t kPanelHeight = 6870;

constexpr TwipsRect kInstructions{120, 120, 8760, 810};

constexpr int32_t kAspectRowsTop = 1020;
constexpr int32_t kAspectRowPitch = 405;
constexpr TwipsRect kAspectName{120, 45, 1650, 270};  // tops relative to the row
constexpr TwipsRect kAspectOrb{1800, 0, 1050, 345};
constexpr TwipsRect kAspectColor{2940, 60, 1800, 225};
constexpr TwipsRect kSetAllButton{120, 3930, 3600, 375};
constexpr TwipsRect kSetAllOrb{3840, 3945, 1050, 345};

constexpr TwipsRect kProportionHeading{5160, 1020, 3720, 270};
constexpr std::array<TwipsRect, 2> kProportionLabel{{{5160, 1395, 2400, 270}, {5160, 1800, 2400, 270}}};
constexpr std::array<TwipsRect, 2> kProportionList{{{7620, 1350, 1140, 345}, {7620, 1755, 1140, 345}}};
constexpr TwipsRect kMidpointLabel{5160, 2295, 2400, 270};
constexpr TwipsRect kMidpointList{7620, 2250, 1140, 345};
constexpr TwipsRect kUseBoldface{5160, 2850, 3720, 300};
constexpr TwipsRect kOneDegree{5460, 3210, 3420, 300};
constexpr TwipsRect kProportionOption{5460, 3600, 300, 300};
constexpr TwipsRect kBoldfaceFactor{5820, 3570, 1050, 345};
constexpr TwipsRect kOfOrb{6960, 3615, 1920, 270};

constexpr int32_t kOptionsTop = 4500;
constexpr int32_t kOptionPitch = 330;
constexpr TwipsRect kOption{120, 0, 8760, 300};  // top relative to the option's place

constexpr int32_t kButtonsTop = 6360;
constexpr int32_t kButtonWidth = 1650;
constexpr int32_t kButtonHeight = 375;
constexpr std::array<int32_t, 4> kButtonLeft{120, 3690, 5460, 7230};  // Reset, Apply, Cancel, Hide

void Place(QWidget* widget, const TwipsRect& rect, int32_t dTop = 0)
{
    widget->setGeometry(Px(rect.left), Px(rect.top + dTop), Px(rect.width), Px(rect.height));
}

QString Text(const std::string& text)
{
    // The program's texts break lines with CR LF; a label breaks them at the line feed alone.
    QString result = QString::fromStdString(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

QString IndexedName(const char* name, size_t index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

// Writes a list's entries (only when they differ) and its selection from the list's model.
void SyncList(QComboBox* box, const ComboBoxModel& list)
{
    bool same = box->count() == list.ListCount();
    for (int16_t i = 0; same && i < list.ListCount(); ++i)
        same = box->itemText(i) == QString::fromStdString(list.List(i)) && box->itemData(i).toInt() == list.ItemData(i);
    if (!same) {
        box->clear();
        for (int16_t i = 0; i < list.ListCount(); ++i)
            box->addItem(QString::fromStdString(list.List(i)), list.ItemData(i));
    }
    box->setCurrentIndex(list.ListIndex());
}

// A swatch shows an RGB value (red + 256 × green + 65536 × blue) as its background, so an excluded aspect
// (colour 0) shows black.
void ShowSwatch(QLabel* swatch, double colour)
{
    const auto value = static_cast<uint32_t>(colour);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF));
    swatch->setPalette(palette);
    swatch->setAutoFillBackground(true);
    swatch->update();
}

MouseButton ModelButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    default: break;
    }
    return MouseButton::Middle;
}

}  // namespace

frmConfigure::frmConfigure(app::Workspace& program, SettingsStore& store, platform::MessageBoxes& boxes,
                           QWidget* mainWindow)
    : QDialog(mainWindow), m_program(program), m_store(store), m_boxes(boxes), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("frmConfigure"));
    setModal(false);
    setFixedSize(Px(kPanelWidth), Px(kPanelHeight));
    CreateControls();
    ConnectControls();
    SetLanguageDependentText();
    SyncFromModel();
}

void frmConfigure::CreateControls()
{
    Label3 = Create<QLabel>(this, QStringLiteral("Label3"));
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(Label3, kInstructions);
    CreateAspectRows();
    CreateProportionControls();
    CreateBoldfaceControls();
    CreateOptionsAndButtons();
}

// One row per aspect: its name, its orb list and its colour; below them the button that sets every orb.
void frmConfigure::CreateAspectRows()
{
    for (size_t i = 0; i < core::kNumAspects; ++i) {
        const auto rowTop = static_cast<int32_t>(kAspectRowsTop + kAspectRowPitch * static_cast<int32_t>(i));
        lblAspectName[i] = Create<QLabel>(this, IndexedName("lblAspectName", i));
        Place(lblAspectName[i], kAspectName, rowTop);
        cboOrb[i] = Create<QComboBox>(this, IndexedName("cboOrb", i));
        Place(cboOrb[i], kAspectOrb, rowTop);
        lblAspectColor[i] = Create<MouseDownLabel>(this, IndexedName("lblAspectColor", i));
        lblAspectColor[i]->setFrameShape(QFrame::Box);
        Place(lblAspectColor[i], kAspectColor, rowTop);
    }
    cmdSetAllNonzeroOrbsToConjunctionOrb =
        Create<QPushButton>(this, QStringLiteral("cmdSetAllNonzeroOrbsToConjunctionOrb"));
    // Enter in the panel must not change every orb: no button of the panel is a default one.
    cmdSetAllNonzeroOrbsToConjunctionOrb->setAutoDefault(false);
    Place(cmdSetAllNonzeroOrbsToConjunctionOrb, kSetAllButton);
    cboOrb[kSetAllOrbList] = Create<QComboBox>(this, IndexedName("cboOrb", kSetAllOrbList));
    Place(cboOrb[kSetAllOrbList], kSetAllOrb);
}

// The orbs of personal transits and synastry as proportions, and the orb of midpoints.
void frmConfigure::CreateProportionControls()
{
    Label1 = Create<QLabel>(this, QStringLiteral("Label1"));
    Place(Label1, kProportionHeading);
    lblPersonalTransits = Create<QLabel>(this, QStringLiteral("lblPersonalTransits"));
    Place(lblPersonalTransits, kProportionLabel[0]);
    lblSynastry = Create<QLabel>(this, QStringLiteral("lblSynastry"));
    Place(lblSynastry, kProportionLabel[1]);
    for (size_t j = 0; j < cboPersonalOrbsProportion.size(); ++j) {
        cboPersonalOrbsProportion[j] = Create<QComboBox>(this, IndexedName("cboPersonalOrbsProportion", j));
        Place(cboPersonalOrbsProportion[j], kProportionList[j]);
    }
    lblOrbForMidpoints = Create<QLabel>(this, QStringLiteral("lblOrbForMidpoints"));
    Place(lblOrbForMidpoints, kMidpointLabel);
    cboOrbForMidpoints = Create<QComboBox>(this, QStringLiteral("cboOrbForMidpoints"));
    Place(cboOrbForMidpoints, kMidpointList);
}

// Boldface for close aspects: closer than one degree or than a part of the orb.
void frmConfigure::CreateBoldfaceControls()
{
    chkUseBoldface = Create<QCheckBox>(this, QStringLiteral("chkUseBoldface"));
    Place(chkUseBoldface, kUseBoldface);
    opt1DegOfOrb = Create<QRadioButton>(this, QStringLiteral("opt1DegOfOrb"));
    Place(opt1DegOfOrb, kOneDegree);
    optProportionOfOrb = Create<QRadioButton>(this, QStringLiteral("optProportionOfOrb"));
    Place(optProportionOfOrb, kProportionOption);
    auto* boldfaceRule = new QButtonGroup(this);
    boldfaceRule->addButton(opt1DegOfOrb);
    boldfaceRule->addButton(optProportionOfOrb);
    cboBoldfaceFactor = Create<QComboBox>(this, QStringLiteral("cboBoldfaceFactor"));
    Place(cboBoldfaceFactor, kBoldfaceFactor);
    lblOfOrb = Create<QLabel>(this, QStringLiteral("lblOfOrb"));
    Place(lblOfOrb, kOfOrb);
}

// The chart and table options, then the panel's buttons.
void frmConfigure::CreateOptionsAndButtons()
{
    const std::array<QCheckBox**, 5> options{&chkDisplayZodiacSectors, &chkDisplayNATZabbr, &chkShowOnlyOuterPlanets,
                                             &chkShowOnlyEarthAspects, &chkUseColor};
    const std::array<const char*, 5> optionNames{"chkDisplayZodiacSectors", "chkDisplayNATZabbr",
                                                 "chkShowOnlyOuterPlanets", "chkShowOnlyEarthAspects", "chkUseColor"};
    for (size_t k = 0; k < options.size(); ++k) {
        *options[k] = Create<QCheckBox>(this, QString::fromLatin1(optionNames[k]));
        Place(*options[k], kOption, kOptionsTop + kOptionPitch * static_cast<int32_t>(k));
    }
    // Kept unchecked and without caption: it has no part in this program, so it is not shown.
    chkSaveGraphicWithWhiteBackground = Create<QCheckBox>(this, QStringLiteral("chkSaveGraphicWithWhiteBackground"));
    chkSaveGraphicWithWhiteBackground->setEnabled(false);
    chkSaveGraphicWithWhiteBackground->hide();

    const std::array<QPushButton**, 4> buttons{&cmdReset, &cmdAccept, &cmdCancel, &cmdHide};
    const std::array<const char*, 4> buttonNames{"cmdReset", "cmdAccept", "cmdCancel", "cmdHide"};
    for (size_t k = 0; k < buttons.size(); ++k) {
        *buttons[k] = Create<QPushButton>(this, QString::fromLatin1(buttonNames[k]));
        (*buttons[k])->setAutoDefault(false);
        Place(*buttons[k], {kButtonLeft[k], kButtonsTop, kButtonWidth, kButtonHeight});
    }
}

void frmConfigure::ConnectControls()
{
    ConfigureModel& panel = m_program.configure;
    for (size_t i = 0; i < cboOrb.size(); ++i)
        connect(cboOrb[i], &QComboBox::currentIndexChanged, this, [this, i] { cboOrb_Click(static_cast<int16_t>(i)); });
    for (size_t i = 0; i < lblAspectColor.size(); ++i)
        connect(lblAspectColor[i], &MouseDownLabel::mouseDown, this,
                [this, i](Qt::MouseButton button) { lblAspectColor_MouseDown(static_cast<int16_t>(i), button); });
    for (size_t j = 0; j < cboPersonalOrbsProportion.size(); ++j)
        connect(cboPersonalOrbsProportion[j], &QComboBox::currentIndexChanged, this,
                [this, j] { cboPersonalOrbsProportion_Click(static_cast<int16_t>(j)); });
    connect(cboOrbForMidpoints, &QComboBox::currentIndexChanged, this, &frmConfigure::cboOrbForMidpoints_Click);
    connect(cboBoldfaceFactor, &QComboBox::currentIndexChanged, this, &frmConfigure::cboBoldfaceFactor_Click);
    connect(chkUseBoldface, &QCheckBox::toggled, this, &frmConfigure::chkUseBoldface_Click);
    connect(opt1DegOfOrb, &QRadioButton::toggled, this, &frmConfigure::optBoldface_Click);
    connect(optProportionOfOrb, &QRadioButton::toggled, this, &frmConfigure::optBoldface_Click);

    const std::array<std::pair<QCheckBox*, bool*>, 5> options{
        {{chkDisplayZodiacSectors, &panel.zodiacSectorsBox},
         {chkDisplayNATZabbr, &panel.zoneAbbreviationsBox},
         {chkShowOnlyOuterPlanets, &panel.onlyOuterPlanetsBox},
         {chkShowOnlyEarthAspects, &panel.onlyEarthAspectsBox},
         {chkUseColor, &panel.useColorBox}}};
    for (const auto& [box, value] : options)
        connect(box, &QCheckBox::toggled, this, [this, box = box, value = value] { chkOption_Click(box, *value); });

    connect(cmdSetAllNonzeroOrbsToConjunctionOrb, &QPushButton::clicked, this,
            &frmConfigure::cmdSetAllNonzeroOrbsToConjunctionOrb_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmConfigure::cmdReset_Click);
    connect(cmdAccept, &QPushButton::clicked, this, &frmConfigure::cmdAccept_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmConfigure::cmdCancel_Click);
    connect(cmdHide, &QPushButton::clicked, this, &frmConfigure::cmdHide_Click);
}

void frmConfigure::SetLanguageDependentText()
{
    const ConfigureCaptions captions = PanelCaptions(m_program.language, m_program.astro.tables);
    setWindowTitle(Text(captions.Caption));
    Label3->setText(Text(captions.Label3));
    Label1->setText(Text(captions.Label1));
    for (size_t i = 0; i < lblAspectName.size(); ++i)
        lblAspectName[i]->setText(Text(captions.aspectName[i]));
    cmdSetAllNonzeroOrbsToConjunctionOrb->setText(Text(captions.setAll));
    lblPersonalTransits->setText(Text(captions.personalTransits));
    lblSynastry->setText(Text(captions.synastry));
    lblOrbForMidpoints->setText(Text(captions.orbForMidpoints));
    chkUseBoldface->setText(Text(captions.boldfaceBox));
    opt1DegOfOrb->setText(Text(captions.opt1DegOfOrb));
    lblOfOrb->setText(Text(captions.ofOrb));
    chkDisplayZodiacSectors->setText(Text(captions.zodiacSectorsBox));
    chkDisplayNATZabbr->setText(Text(captions.zoneAbbreviationsBox));
    chkShowOnlyOuterPlanets->setText(Text(captions.onlyOuterPlanetsBox));
    chkShowOnlyEarthAspects->setText(Text(captions.onlyEarthAspectsBox));
    chkUseColor->setText(Text(m_program.language.Text(text::kTextUseColour)));
    chkSaveGraphicWithWhiteBackground->setText(Text(captions.whiteBackgroundBox));
    cmdReset->setText(Text(captions.reset));
    cmdAccept->setText(Text(captions.apply));
    cmdCancel->setText(Text(captions.cancel));
    cmdHide->setText(Text(captions.hide));
}

void frmConfigure::SyncFromModel()
{
    const QScopedValueRollback syncing(m_syncing, true);
    const ConfigureModel& panel = m_program.configure;
    for (size_t k = 0; k < cboOrb.size(); ++k)
        SyncList(cboOrb[k], panel.orbLists[k]);
    for (size_t j = 0; j < cboPersonalOrbsProportion.size(); ++j)
        SyncList(cboPersonalOrbsProportion[j], panel.orbProportionLists[j]);
    SyncList(cboOrbForMidpoints, panel.midpointOrbList);
    SyncList(cboBoldfaceFactor, panel.boldfaceFactorList);

    chkUseBoldface->setChecked(panel.boldfaceBox);
    // An exclusive group cannot show both options cleared, as the model may hold them.
    auto* group = opt1DegOfOrb->group();
    group->setExclusive(panel.opt1DegOfOrb || panel.proportionOfOrbSelected);
    opt1DegOfOrb->setChecked(panel.opt1DegOfOrb);
    optProportionOfOrb->setChecked(panel.proportionOfOrbSelected);
    group->setExclusive(true);
    // The boldface rule can be chosen only while boldface is used.
    opt1DegOfOrb->setEnabled(panel.boldfaceBox);
    for (QWidget* control : std::initializer_list<QWidget*>{optProportionOfOrb, cboBoldfaceFactor, lblOfOrb})
        control->setEnabled(opt1DegOfOrb->isEnabled());

    chkDisplayZodiacSectors->setChecked(panel.zodiacSectorsBox);
    chkDisplayNATZabbr->setChecked(panel.zoneAbbreviationsBox);
    chkShowOnlyOuterPlanets->setChecked(panel.onlyOuterPlanetsBox);
    chkShowOnlyEarthAspects->setChecked(panel.onlyEarthAspectsBox);
    chkUseColor->setChecked(panel.useColorBox);
    chkSaveGraphicWithWhiteBackground->setChecked(panel.whiteBackgroundBox);

    for (size_t i = 0; i < lblAspectColor.size(); ++i)
        ShowSwatch(lblAspectColor[i], panel.panelColors[i + 1]);
}

void frmConfigure::ShowPanel()
{
    if (isMinimized())
        showNormal();
    m_program.configure.Activate(m_store, m_program.astro.tables);
    SyncFromModel();
    PlaceBesideMainWindow();
    show();
    raise();
    activateWindow();
    cmdCancel->setFocus();
}

void frmConfigure::PlaceBesideMainWindow()
{
    if (!m_mainWindow)
        return;
    // The screen's available area: task bars and docks do not count.
    const QRect area = platform::AvailableArea(*m_mainWindow);
    const Qt::WindowStates state = m_mainWindow->windowState();
    const WindowState mainState = state.testFlag(Qt::WindowMinimized)   ? WindowState::Minimized
                                  : state.testFlag(Qt::WindowMaximized) ? WindowState::Maximized
                                                                        : WindowState::Normal;
    // Frames on the screen, counted from the screen's own corner.
    const QRect main = m_mainWindow->frameGeometry().translated(-area.topLeft());
    // A panel not shown yet has no frame: it will get one as wide as the main window's.
    const int frameWidth = isVisible() ? frameGeometry().width() : width() + main.width() - m_mainWindow->width();
    const std::optional<PanelPosition> position =
        PanelPlacement(mainState, main.left(), main.top(), main.width(), frameWidth, area.width());
    if (!position)
        return;
    // Level with the main window, unless that would take its buttons below the screen's lower edge.
    const QMargins frame = platform::FrameMargins(isVisible() ? static_cast<const QWidget&>(*this) : *m_mainWindow);
    const QRect outer(area.topLeft() + QPoint(position->left, position->top), size().grownBy(frame));
    platform::MoveFrameTo(*this, platform::FittedInto(outer, area).topLeft());
}

PanelContext frmConfigure::Context()
{
    return {m_program.language, m_program.astro, m_store, MainWindowLoaded()};
}

void frmConfigure::Finish(const PanelResult& result)
{
    if (result.message)
        m_boxes.Show(*result.message);
    if (result.hidePanel)
        hide();
    if (result.focusAccept)
        FocusAccept();
    emit mainWindowActions(result.mainWindow);
}

void frmConfigure::FocusAccept()
{
    if (isVisible() && cmdAccept->isEnabled())
        cmdAccept->setFocus();
}

void frmConfigure::cmdReset_Click()
{
    ConfigureModel& panel = m_program.configure;
    if (const auto question = panel.ResetQuestion(m_program.language, MainWindowLoaded(), isVisible()))
        if (m_boxes.Show(*question) != platform::Button::Yes)
            return;  // No ends here
    const PanelResult result = panel.Reset(Context());
    SyncFromModel();
    Finish(result);
}

void frmConfigure::cmdAccept_Click()
{
    const PanelResult result = m_program.configure.Apply(Context());
    SyncFromModel();
    Finish(result);
}

void frmConfigure::cmdCancel_Click()
{
    const PanelResult result = m_program.configure.Cancel();
    SyncFromModel();
    Finish(result);
}

void frmConfigure::cmdHide_Click()
{
    const PanelResult result = m_program.configure.Hide();
    SyncFromModel();
    Finish(result);
}

void frmConfigure::cmdSetAllNonzeroOrbsToConjunctionOrb_Click()
{
    ConfigureModel& panel = m_program.configure;
    if (const auto question = panel.SetAllQuestion(m_program.language))
        if (m_boxes.Show(*question) != platform::Button::Yes)
            return;  // No ends here
    const PanelResult result = panel.SetAllNonzeroOrbs(m_program.language);
    SyncFromModel();
    if (result.message)
        m_boxes.Show(*result.message);
}

void frmConfigure::closeEvent(QCloseEvent* event)
{
    const PanelResult result = m_program.configure.CloseByX(Context());
    SyncFromModel();
    Finish(result);
    event->accept();
}

void frmConfigure::reject()
{
    cmdCancel_Click();
}

void frmConfigure::cboOrb_Click(int16_t index)
{
    if (m_syncing)
        return;
    ConfigureModel& panel = m_program.configure;
    const auto k = static_cast<size_t>(index);
    panel.orbLists[k].SetListIndex(static_cast<int16_t>(cboOrb[k]->currentIndex()));
    const PanelResult result = panel.ChooseOrb(index, MainWindowLoaded(), m_program.language);
    SyncFromModel();
    if (result.message)
        m_boxes.Show(*result.message);
    if (result.focusAccept)
        FocusAccept();
}

void frmConfigure::cboPersonalOrbsProportion_Click(int16_t index)
{
    if (m_syncing)
        return;
    const auto j = static_cast<size_t>(index);
    m_program.configure.orbProportionLists[j].SetListIndex(
        static_cast<int16_t>(cboPersonalOrbsProportion[j]->currentIndex()));
    SyncFromModel();
    FocusAccept();
}

void frmConfigure::cboOrbForMidpoints_Click()
{
    if (m_syncing)
        return;
    m_program.configure.midpointOrbList.SetListIndex(static_cast<int16_t>(cboOrbForMidpoints->currentIndex()));
    SyncFromModel();
    FocusAccept();
}

void frmConfigure::cboBoldfaceFactor_Click()
{
    if (m_syncing)
        return;
    m_program.configure.boldfaceFactorList.SetListIndex(static_cast<int16_t>(cboBoldfaceFactor->currentIndex()));
    SyncFromModel();
    FocusAccept();
}

void frmConfigure::chkUseBoldface_Click()
{
    if (m_syncing)
        return;
    m_program.configure.boldfaceBox = chkUseBoldface->isChecked();
    SyncFromModel();  // enables or disables the boldface rule's controls
    FocusAccept();
}

void frmConfigure::optBoldface_Click()
{
    if (m_syncing)
        return;
    ConfigureModel& panel = m_program.configure;
    panel.opt1DegOfOrb = opt1DegOfOrb->isChecked();
    panel.proportionOfOrbSelected = optProportionOfOrb->isChecked();
    SyncFromModel();
    FocusAccept();
}

void frmConfigure::chkOption_Click(const QCheckBox* box, bool& value)
{
    if (m_syncing)
        return;
    value = box->isChecked();
    SyncFromModel();
    FocusAccept();
}

void frmConfigure::lblAspectColor_MouseDown(int16_t index, Qt::MouseButton button)
{
    m_program.configure.PressSwatch(index, ModelButton(button), m_program.astro.tables);
    SyncFromModel();
}

}  // namespace orvane::settings
