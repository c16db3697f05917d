#include "gui/tools/frm_run.h"

#include "gui/platform/qt_widgets.h"
#include "text/text_numbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane::gui {
namespace {


}  // namespace

frmRun::frmRun(app::Workspace& program, platform::MessageBoxes& boxes, QWidget* mainWindow)
    : QDialog(mainWindow), m_program(program), m_model(program.runDialog), m_boxes(boxes)
{
    setObjectName(QStringLiteral("frmRun"));
    setWindowModality(Qt::ApplicationModal);
    BuildControls();
    ConnectControls();
    m_model.Prepare();
    SetLanguageDependentText();
    SyncFromModel();
}

void frmRun::BuildControls()
{
    lblRunUntilFinding = Create<QLabel>(this, QStringLiteral("lblRunUntilFinding"));
    cboAspectPattern = Create<QComboBox>(this, QStringLiteral("cboAspectPattern"));
    cboAspectPattern->setMaxVisibleItems(14);
    cboAspectPattern->setMinimumContentsLength(16);
    cmdClearAspectPattern = Create<QPushButton>(this, QStringLiteral("cmdClearAspectPattern"));

    // The planet choice in its frame: the label, the three boxes and the button that clears them.
    fraFrame = Create<QFrame>(this, QStringLiteral("fraFrame"));
    fraFrame->setFrameShape(QFrame::StyledPanel);
    lblInvolving = Create<QLabel>(fraFrame, QStringLiteral("lblInvolving"));
    auto* planets = new QGridLayout(fraFrame);
    planets->addWidget(lblInvolving, 0, 0, 1, core::kNumSoughtPlanetBoxes);
    for (size_t box = 0; box < cboSoughtPlanet.size(); ++box) {
        cboSoughtPlanet[box] = Create<QComboBox>(fraFrame, QStringLiteral("cboSoughtPlanet_%1").arg(box));
        cboSoughtPlanet[box]->setMinimumContentsLength(8);
        planets->addWidget(cboSoughtPlanet[box], 1, static_cast<int>(box));
    }
    cmdClearAll = Create<QPushButton>(fraFrame, QStringLiteral("cmdClearAll"));
    planets->addWidget(cmdClearAll, 2, core::kNumSoughtPlanetBoxes - 1);

    chkTwoOrMore = Create<QCheckBox>(this, QStringLiteral("chkTwoOrMore"));
    cboNumToFind = Create<QComboBox>(this, QStringLiteral("cboNumToFind"));
    chkRunQuickly = Create<QCheckBox>(this, QStringLiteral("chkRunQuickly"));
    cmdRun = Create<QPushButton>(this, QStringLiteral("cmdRun"));
    cmdCancel = Create<QPushButton>(this, QStringLiteral("cmdCancel"));
    cmdRun->setDefault(true);

    auto* pattern = new QHBoxLayout;
    pattern->addWidget(cboAspectPattern, 1);
    pattern->addWidget(cmdClearAspectPattern);
    auto* count = new QHBoxLayout;
    count->addWidget(chkTwoOrMore);
    count->addWidget(cboNumToFind);
    count->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdRun);
    buttons->addWidget(cmdCancel);
    auto* dialog = new QVBoxLayout(this);
    dialog->addWidget(lblRunUntilFinding);
    dialog->addLayout(pattern);
    dialog->addWidget(fraFrame);
    dialog->addLayout(count);
    dialog->addWidget(chkRunQuickly);
    dialog->addSpacing(6);
    dialog->addLayout(buttons);
    // The dialog takes the size its captions need, in either language.
    dialog->setSizeConstraint(QLayout::SetFixedSize);
}

void frmRun::ConnectControls()
{
    connect(cboAspectPattern, &QComboBox::activated, this, &frmRun::cboAspectPattern_Click);
    connect(cmdClearAspectPattern, &QPushButton::clicked, this, &frmRun::cmdClearAspectPattern_Click);
    for (size_t box = 0; box < cboSoughtPlanet.size(); ++box)
        connect(cboSoughtPlanet[box], &QComboBox::activated, this,
                [this, box](int index) { cboSoughtPlanet_Click(static_cast<int16_t>(box), index); });
    connect(cmdClearAll, &QPushButton::clicked, this, &frmRun::cmdClearAll_Click);
    connect(chkTwoOrMore, &QCheckBox::clicked, this, &frmRun::chkTwoOrMore_Click);
    connect(cboNumToFind, &QComboBox::activated, this, [this](int index) {
        if (!m_syncing)
            m_model.countList.SetListIndex(static_cast<int16_t>(index));
    });
    connect(chkRunQuickly, &QCheckBox::clicked, this, &frmRun::chkRunQuickly_Click);
    connect(cmdRun, &QPushButton::clicked, this, &frmRun::cmdRun_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRun::cmdCancel_Click);
}

void frmRun::SetLanguageDependentText()
{
    const text::Language& language = m_program.language;
    const auto text = [&language](int16_t number) { return Q(language.Text(number)); };
    setWindowTitle(text(text::kTextRun));
    lblRunUntilFinding->setText(text(text::kTextRunUntilFinding));
    cmdClearAspectPattern->setText(text(text::kTextClear));
    lblInvolving->setText(text(text::kTextInvolving));
    cmdClearAll->setText(text(text::kTextClearPlanets));
    chkTwoOrMore->setText(text(text::kTextFindAtLeast));
    chkRunQuickly->setText(text(text::kTextRunQuickly));
    cmdRun->setText(text(text::kTextRun));
    cmdCancel->setText(text(text::kTextCancel));
}

void frmRun::SyncFromModel()
{
    if (m_syncing)
        return;
    m_syncing = true;
    SyncComboBox(cboAspectPattern, m_model.patternList);
    for (size_t box = 0; box < cboSoughtPlanet.size(); ++box)
        SyncComboBox(cboSoughtPlanet[box], m_model.soughtBodyLists[box]);
    SyncComboBox(cboNumToFind, m_model.countList);
    chkTwoOrMore->setChecked(m_model.twoOrMoreTicked);
    chkRunQuickly->setChecked(m_model.runQuicklyTicked);
    cmdClearAspectPattern->setEnabled(m_model.clearPatternEnabled);
    fraFrame->setEnabled(m_model.bodyFrameEnabled);
    lblInvolving->setEnabled(m_model.involvingEnabled);
    cmdClearAll->setEnabled(m_model.clearBodiesEnabled);
    chkTwoOrMore->setEnabled(m_model.twoOrMoreEnabled);
    cboNumToFind->setEnabled(m_model.countListEnabled);
    m_syncing = false;
}

void frmRun::ShowDialog()
{
    m_model.Activate(m_program.astro.tables);
    SetLanguageDependentText();
    SyncFromModel();
    show();
    raise();
    activateWindow();
    FocusRun();
}

void frmRun::FocusRun()
{
    if (isVisible() && cmdRun->isEnabled())
        cmdRun->setFocus();
}

// ----- Handlers ---------------------------------------------------------------------------------------------

void frmRun::cboAspectPattern_Click(int index)
{
    if (m_syncing)
        return;
    m_model.patternList.SetListIndex(static_cast<int16_t>(index));
    m_model.ChoosePattern();
    SyncFromModel();
    FocusRun();
}

void frmRun::cmdClearAspectPattern_Click()
{
    m_model.ClearPattern();
    SyncFromModel();
}

void frmRun::cmdClearAll_Click()
{
    m_model.ClearBodies();
    SyncFromModel();
}

void frmRun::cboSoughtPlanet_Click(int16_t box, int index)
{
    if (m_syncing)
        return;
    m_model.soughtBodyLists[static_cast<size_t>(box)].SetListIndex(static_cast<int16_t>(index));
    m_model.ChooseSoughtBody();
    SyncFromModel();
    FocusRun();
}

void frmRun::chkTwoOrMore_Click()
{
    m_model.twoOrMoreTicked = chkTwoOrMore->isChecked();
    m_model.ToggleTwoOrMore();
    SyncFromModel();
    FocusRun();
}

void frmRun::chkRunQuickly_Click()
{
    m_model.runQuicklyTicked = chkRunQuickly->isChecked();
}

void frmRun::cmdRun_Click()
{
    const std::optional<platform::Message> refusal = m_model.Run(m_program.language);
    SyncFromModel();
    if (refusal) {
        m_boxes.Show(*refusal);  // nothing was taken over; the dialog stays
        return;
    }
    accept();
}

void frmRun::cmdCancel_Click()
{
    reject();
}

void frmRun::reject()
{
    m_model.Cancel();
    SyncFromModel();
    QDialog::reject();
}

}  // namespace orvane::gui
