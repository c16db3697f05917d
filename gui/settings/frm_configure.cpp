#include "gui/settings/frm_configure.h"

#include "gui/platform/qt_widgets.h"
#include "platform/twips.h"
#include "gui/settings/mouse_down_label.h"
#include "text/text_numbers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QVBoxLayout>

#include <initializer_list>
#include <string>

namespace orvane::gui {
namespace {

using platform::Px;

// The panel's sizes and gaps in twips: an instructions block on top; the aspects with their orb lists and
// colour swatches on the left, above "set all non-zero orbs"; the proportions of the personal-transit and
// synastry orbs, the midpoint orb and the boldface rule on the right; the display options below both;
// Reset on the left of the bottom row, Apply, Cancel and Hide on its right. Qt's layouts place the
// controls from these sizes and gaps.
struct TwipsSize {
    int32_t width;
    int32_t height;
};

constexpr int32_t kPanelWidth = 9000;
constexpr int32_t kOptionGap = 30;
constexpr TwipsSize kOption{8760, 300};
// The panel's height with its six display options.
constexpr int32_t kPanelHeight = 6870 + kOption.height + kOptionGap;
constexpr int32_t kMargin = 120;

constexpr TwipsSize kInstructions{8760, 810};
constexpr int32_t kInstructionsGap = 90;

constexpr TwipsSize kAspectName{1650, 270};
constexpr TwipsSize kOrbList{1050, 345};
constexpr TwipsSize kAspectColor{1800, 225};
constexpr int32_t kNameToOrb = 30;
constexpr int32_t kOrbToColor = 90;
constexpr int32_t kRowGap = 60;  // between the rows of a column
constexpr int32_t kSetAllGap = 135;
constexpr TwipsSize kSetAllButton{3600, 375};
constexpr int32_t kButtonToList = 120;
constexpr int32_t kColumnGap = 270;

constexpr TwipsSize kRightColumnLine{3720, 270};  // the heading; the boldface box is 300 high
constexpr TwipsSize kProportionLabel{2400, 270};
constexpr TwipsSize kProportionList{1140, 345};
constexpr int32_t kLabelToList = 60;
constexpr int32_t kMidpointGap = 150;
constexpr int32_t kBoldfaceGap = 255;
constexpr int32_t kOptionHeight = 300;
constexpr int32_t kRuleIndent = 300;
constexpr TwipsSize kOneDegree{3420, 300};
constexpr TwipsSize kProportionOption{300, 300};
constexpr int32_t kOptionToFactor = 60;
constexpr int32_t kFactorToLabel = 90;
constexpr TwipsSize kOfOrb{1920, 270};

constexpr int32_t kOptionsGap = 195;

constexpr int32_t kButtonsGap = 240;
constexpr TwipsSize kButton{1650, 375};
constexpr int32_t kButtonGap = 120;

void Fix(QWidget* widget, TwipsSize size)
{
    widget->setFixedSize(Px(size.width), Px(size.height));
}

// A row of controls centred on one line, `gaps[k]` twips after the k-th.
QHBoxLayout* Row(std::initializer_list<QWidget*> controls, std::initializer_list<int32_t> gaps = {})
{
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    auto gap = gaps.begin();
    for (QWidget* control : controls) {
        if (row->count() > 0 && gap != gaps.end())
            row->addSpacing(Px(*gap++));
        row->addWidget(control, 0, Qt::AlignVCenter);
    }
    row->addStretch();
    return row;
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
void SyncList(QComboBox* box, const platform::ComboBoxModel& list)
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

settings::MouseButton ModelButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return settings::MouseButton::Left;
    case Qt::RightButton: return settings::MouseButton::Right;
    default: break;
    }
    return settings::MouseButton::Middle;
}

}  // namespace

frmConfigure::frmConfigure(app::Workspace& program, settings::SettingsStore& store, platform::MessageBoxes& boxes,
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
    Fix(Label3, kInstructions);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(0);
    columns->addLayout(CreateAspectRows());
    columns->addSpacing(Px(kColumnGap));
    auto* right = CreateProportionControls();
    right->addSpacing(Px(kBoldfaceGap));
    CreateBoldfaceControls(*right);
    columns->addLayout(right);

    auto* panel = new QVBoxLayout(this);
    panel->setContentsMargins(Px(kMargin), Px(kMargin), Px(kMargin), 0);
    panel->setSpacing(0);
    panel->addWidget(Label3);
    panel->addSpacing(Px(kInstructionsGap));
    panel->addLayout(columns);
    panel->addSpacing(Px(kOptionsGap));
    CreateOptionsAndButtons(*panel);
    panel->addStretch();
}

// One row per aspect: its name, its orb list and its colour; below them the button that sets every orb.
QVBoxLayout* frmConfigure::CreateAspectRows()
{
    auto* rows = new QVBoxLayout;
    rows->setSpacing(Px(kRowGap));
    for (size_t i = 0; i < core::kNumAspects; ++i) {
        lblAspectName[i] = Create<QLabel>(this, IndexedName("lblAspectName", i));
        Fix(lblAspectName[i], kAspectName);
        cboOrb[i] = Create<QComboBox>(this, IndexedName("cboOrb", i));
        Fix(cboOrb[i], kOrbList);
        lblAspectColor[i] = Create<MouseDownLabel>(this, IndexedName("lblAspectColor", i));
        lblAspectColor[i]->setFrameShape(QFrame::Box);
        lblAspectColor[i]->setFocusPolicy(Qt::StrongFocus);  // Space changes the colour, Delete leaves it out
        Fix(lblAspectColor[i], kAspectColor);
        rows->addLayout(Row({lblAspectName[i], cboOrb[i], lblAspectColor[i]}, {kNameToOrb, kOrbToColor}));
    }
    cmdSetAllNonzeroOrbsToConjunctionOrb =
        Create<QPushButton>(this, QStringLiteral("cmdSetAllNonzeroOrbsToConjunctionOrb"));
    // Enter in the panel must not change every orb: no button of the panel is a default one.
    cmdSetAllNonzeroOrbsToConjunctionOrb->setAutoDefault(false);
    Fix(cmdSetAllNonzeroOrbsToConjunctionOrb, kSetAllButton);
    cboOrb[settings::kSetAllOrbList] = Create<QComboBox>(this, IndexedName("cboOrb", settings::kSetAllOrbList));
    Fix(cboOrb[settings::kSetAllOrbList], kOrbList);
    rows->addSpacing(Px(kSetAllGap - kRowGap));
    rows->addLayout(Row({cmdSetAllNonzeroOrbsToConjunctionOrb, cboOrb[settings::kSetAllOrbList]}, {kButtonToList}));
    rows->addStretch();
    return rows;
}

// The orbs of personal transits and synastry as proportions, and the orb of midpoints.
QVBoxLayout* frmConfigure::CreateProportionControls()
{
    Label1 = Create<QLabel>(this, QStringLiteral("Label1"));
    Fix(Label1, kRightColumnLine);
    lblPersonalTransits = Create<QLabel>(this, QStringLiteral("lblPersonalTransits"));
    lblSynastry = Create<QLabel>(this, QStringLiteral("lblSynastry"));
    lblOrbForMidpoints = Create<QLabel>(this, QStringLiteral("lblOrbForMidpoints"));
    for (size_t j = 0; j < cboPersonalOrbsProportion.size(); ++j)
        cboPersonalOrbsProportion[j] = Create<QComboBox>(this, IndexedName("cboPersonalOrbsProportion", j));
    cboOrbForMidpoints = Create<QComboBox>(this, QStringLiteral("cboOrbForMidpoints"));
    auto* column = new QVBoxLayout;
    column->setSpacing(0);
    column->addWidget(Label1);
    const std::array<std::pair<QLabel*, QComboBox*>, 3> rows{
        {{lblPersonalTransits, cboPersonalOrbsProportion[0]},
         {lblSynastry, cboPersonalOrbsProportion[1]},
         {lblOrbForMidpoints, cboOrbForMidpoints}}};
    for (const auto& [label, list] : rows) {
        Fix(label, kProportionLabel);
        Fix(list, kProportionList);
        column->addSpacing(Px(label == lblOrbForMidpoints ? kMidpointGap : kRowGap));
        column->addLayout(Row({label, list}, {kLabelToList}));
    }
    return column;
}

// Boldface for close aspects: closer than one degree or than a part of the orb.
void frmConfigure::CreateBoldfaceControls(QVBoxLayout& column)
{
    chkUseBoldface = Create<QCheckBox>(this, QStringLiteral("chkUseBoldface"));
    Fix(chkUseBoldface, {kRightColumnLine.width, kOptionHeight});
    opt1DegOfOrb = Create<QRadioButton>(this, QStringLiteral("opt1DegOfOrb"));
    Fix(opt1DegOfOrb, kOneDegree);
    optProportionOfOrb = Create<QRadioButton>(this, QStringLiteral("optProportionOfOrb"));
    Fix(optProportionOfOrb, kProportionOption);
    auto* boldfaceRule = new QButtonGroup(this);
    boldfaceRule->addButton(opt1DegOfOrb);
    boldfaceRule->addButton(optProportionOfOrb);
    cboBoldfaceFactor = Create<QComboBox>(this, QStringLiteral("cboBoldfaceFactor"));
    Fix(cboBoldfaceFactor, kOrbList);
    lblOfOrb = Create<QLabel>(this, QStringLiteral("lblOfOrb"));
    Fix(lblOfOrb, kOfOrb);
    column.addWidget(chkUseBoldface);
    // The two rules stand indented below the box that switches them on.
    for (QHBoxLayout* rule : {Row({opt1DegOfOrb}), Row({optProportionOfOrb, cboBoldfaceFactor, lblOfOrb},
                                                      {kOptionToFactor, kFactorToLabel})}) {
        rule->insertSpacing(0, Px(kRuleIndent));
        column.addSpacing(Px(kRowGap));
        column.addLayout(rule);
    }
    column.addStretch();
}

// The chart and table options, then the panel's buttons.
void frmConfigure::CreateOptionsAndButtons(QVBoxLayout& panel)
{
    const std::array<QCheckBox**, 6> options{&chkDisplayZodiacSectors, &chkDisplayNATZabbr, &chkShowOnlyOuterPlanets,
                                             &chkShowOnlyEarthAspects, &chkUseColor, &chkGeoRing};
    const std::array<const char*, 6> optionNames{"chkDisplayZodiacSectors", "chkDisplayNATZabbr", "chkShowOnlyOuterPlanets",
                                                 "chkShowOnlyEarthAspects", "chkUseColor", "chkGeoRing"};
    for (size_t k = 0; k < options.size(); ++k) {
        *options[k] = Create<QCheckBox>(this, QString::fromLatin1(optionNames[k]));
        Fix(*options[k], kOption);
        if (k > 0)
            panel.addSpacing(Px(kOptionGap));
        panel.addWidget(*options[k]);
    }
    // Kept unchecked and without caption: it has no part in this program, so it is not shown.
    chkSaveGraphicWithWhiteBackground = Create<QCheckBox>(this, QStringLiteral("chkSaveGraphicWithWhiteBackground"));
    chkSaveGraphicWithWhiteBackground->setEnabled(false);
    chkSaveGraphicWithWhiteBackground->hide();

    const std::array<QPushButton**, 4> buttons{&cmdReset, &cmdAccept, &cmdCancel, &cmdHide};
    const std::array<const char*, 4> buttonNames{"cmdReset", "cmdAccept", "cmdCancel", "cmdHide"};
    auto* row = new QHBoxLayout;
    row->setSpacing(Px(kButtonGap));
    for (size_t k = 0; k < buttons.size(); ++k) {
        *buttons[k] = Create<QPushButton>(this, QString::fromLatin1(buttonNames[k]));
        (*buttons[k])->setAutoDefault(false);
        Fix(*buttons[k], kButton);
        row->addWidget(*buttons[k]);
        // Reset stands apart on the left.
        if (k == 0)
            row->addStretch();
    }
    panel.addSpacing(Px(kButtonsGap));
    panel.addLayout(row);
}

void frmConfigure::ConnectControls()
{
    settings::ConfigureModel& panel = m_program.configure;
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

    const std::array<std::pair<QCheckBox*, bool*>, 6> options{
        {{chkDisplayZodiacSectors, &panel.zodiacSectorsBox},
         {chkDisplayNATZabbr, &panel.zoneAbbreviationsBox},
         {chkShowOnlyOuterPlanets, &panel.onlyOuterPlanetsBox},
         {chkShowOnlyEarthAspects, &panel.onlyEarthAspectsBox},
         {chkUseColor, &panel.useColorBox},
         {chkGeoRing, &panel.geoRingBox}}};
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
    const settings::ConfigureCaptions captions = settings::PanelCaptions(m_program.language, m_program.astro.tables);
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
    chkGeoRing->setText(Text(captions.geoRingBox));
    cmdReset->setText(Text(captions.reset));
    cmdAccept->setText(Text(captions.apply));
    cmdCancel->setText(Text(captions.cancel));
    cmdHide->setText(Text(captions.hide));
}

void frmConfigure::SyncFromModel()
{
    const QScopedValueRollback syncing(m_syncing, true);
    const settings::ConfigureModel& panel = m_program.configure;
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
    chkGeoRing->setChecked(panel.geoRingBox);

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
    const QRect area = AvailableArea(*m_mainWindow);
    const Qt::WindowStates state = m_mainWindow->windowState();
    const settings::WindowState mainState = state.testFlag(Qt::WindowMinimized)   ? settings::WindowState::Minimized
                                  : state.testFlag(Qt::WindowMaximized) ? settings::WindowState::Maximized
                                                                        : settings::WindowState::Normal;
    // Frames on the screen, counted from the screen's own corner.
    const QRect main = m_mainWindow->frameGeometry().translated(-area.topLeft());
    // A panel not shown yet has no frame: it will get one as wide as the main window's.
    const int frameWidth = isVisible() ? frameGeometry().width() : width() + main.width() - m_mainWindow->width();
    const std::optional<settings::PanelPosition> position =
        settings::PanelPlacement(mainState, main.left(), main.top(), main.width(), frameWidth, area.width());
    if (!position)
        return;
    // Level with the main window, unless that would take its buttons below the screen's lower edge.
    const QMargins frame = FrameMargins(isVisible() ? static_cast<const QWidget&>(*this) : *m_mainWindow);
    const QRect outer(area.topLeft() + QPoint(position->left, position->top), size().grownBy(frame));
    MoveFrameTo(*this, FittedInto(outer, area).topLeft());
}

settings::PanelContext frmConfigure::Context()
{
    return {m_program.language, m_program.astro, m_store, MainWindowLoaded()};
}

void frmConfigure::Finish(const settings::PanelResult& result)
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
    settings::ConfigureModel& panel = m_program.configure;
    if (const auto question = panel.ResetQuestion(m_program.language, MainWindowLoaded(), isVisible()))
        if (m_boxes.Show(*question) != platform::Button::Yes)
            return;  // No ends here
    const settings::PanelResult result = panel.Reset(Context());
    SyncFromModel();
    Finish(result);
}

void frmConfigure::cmdAccept_Click()
{
    const settings::PanelResult result = m_program.configure.Apply(Context());
    SyncFromModel();
    Finish(result);
}

void frmConfigure::cmdCancel_Click()
{
    const settings::PanelResult result = m_program.configure.Cancel();
    SyncFromModel();
    Finish(result);
}

void frmConfigure::cmdHide_Click()
{
    const settings::PanelResult result = m_program.configure.Hide();
    SyncFromModel();
    Finish(result);
}

void frmConfigure::cmdSetAllNonzeroOrbsToConjunctionOrb_Click()
{
    settings::ConfigureModel& panel = m_program.configure;
    if (const auto question = panel.SetAllQuestion(m_program.language))
        if (m_boxes.Show(*question) != platform::Button::Yes)
            return;  // No ends here
    const settings::PanelResult result = panel.SetAllNonzeroOrbs(m_program.language);
    SyncFromModel();
    if (result.message)
        m_boxes.Show(*result.message);
}

void frmConfigure::closeEvent(QCloseEvent* event)
{
    const settings::PanelResult result = m_program.configure.CloseByX(Context());
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
    settings::ConfigureModel& panel = m_program.configure;
    const auto k = static_cast<size_t>(index);
    panel.orbLists[k].SetListIndex(static_cast<int16_t>(cboOrb[k]->currentIndex()));
    const settings::PanelResult result = panel.ChooseOrb(index, MainWindowLoaded(), m_program.language);
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
    settings::ConfigureModel& panel = m_program.configure;
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

}  // namespace orvane::gui
