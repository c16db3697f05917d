#include "gui/main/frm_moment.h"

#include "gui/platform/date_field.h"
#include "gui/platform/place_fields.h"
#include "gui/platform/qt_widgets.h"
#include "text/text_numbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace orvane::gui {
namespace {

// The dates the date rows take: 1 January 1 to 31 December 2799.
const QDate kFirstDate(1, 1, 1);
const QDate kLastDate(2799, 12, 31);
// Room for the offset line's question in either language.
constexpr int kOffsetLineWidth = 420;

}  // namespace

frmMoment::frmMoment(app::Workspace& program, platform::MessageBoxes& boxes, const platform::Clock& clock,
                     QWidget* mainWindow)
    : QDialog(mainWindow), m_program(program), m_boxes(boxes), m_clock(clock)
{
    setObjectName(QStringLiteral("frmMoment"));
    setWindowModality(Qt::ApplicationModal);
    BuildControls();
    ConnectControls();
}

void frmMoment::BuildControls()
{
    lblDate = Create<QLabel>(this, QStringLiteral("lblDate"));
    dtpDate = Create<DateField>(this, QStringLiteral("dtpDate"));
    dtpDate->setDateRange(kFirstDate, kLastDate);
    lblTime = Create<QLabel>(this, QStringLiteral("lblTime"));
    dtpTime = Create<QTimeEdit>(this, QStringLiteral("dtpTime"));
    dtpTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    lblPlace = Create<QLabel>(this, QStringLiteral("lblPlace"));
    txbPlace = new PlaceField(m_model.place, m_program.language, this);
    txbPlace->setObjectName(QStringLiteral("txbPlace"));
    lblPlace->setBuddy(txbPlace);
    lblZone = Create<QLabel>(this, QStringLiteral("lblZone"));
    cboZone = CreateZoneBox(this, QStringLiteral("cboZone"));
    chkMeanTime = Create<QCheckBox>(this, QStringLiteral("chkMeanTime"));
    txbLongitude = Create<QLineEdit>(this, QStringLiteral("txbLongitude"));
    lblOffset = Create<QLabel>(this, QStringLiteral("lblOffset"));
    lblOffset->setWordWrap(true);
    lblOffset->setMinimumWidth(kOffsetLineWidth);
    optBefore = Create<QRadioButton>(this, QStringLiteral("optBefore"));
    optAfter = Create<QRadioButton>(this, QStringLiteral("optAfter"));
    cmdRemove = Create<QPushButton>(this, QStringLiteral("cmdRemove"));
    cmdOK = Create<QPushButton>(this, QStringLiteral("cmdOK"));
    cmdCancel = Create<QPushButton>(this, QStringLiteral("cmdCancel"));
    cmdOK->setDefault(true);
    for (QPushButton* button : {cmdRemove, cmdCancel})
        button->setAutoDefault(false);

    LayOutControls();
}

void frmMoment::LayOutControls()
{
    auto* entries = new QGridLayout;
    entries->addWidget(lblDate, 0, 0);
    entries->addWidget(dtpDate, 0, 1, Qt::AlignLeft);
    entries->addWidget(lblTime, 1, 0);
    entries->addWidget(dtpTime, 1, 1, Qt::AlignLeft);
    entries->addWidget(lblPlace, 2, 0);
    entries->addWidget(txbPlace, 2, 1);
    entries->addWidget(lblZone, 3, 0);
    entries->addWidget(cboZone, 3, 1);
    entries->addWidget(chkMeanTime, 4, 0);
    entries->addWidget(txbLongitude, 4, 1);
    entries->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdRemove);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* dialog = new QVBoxLayout(this);
    dialog->addLayout(entries);
    dialog->addSpacing(6);
    dialog->addWidget(lblOffset);
    dialog->addWidget(optBefore);
    dialog->addWidget(optAfter);
    dialog->addSpacing(6);
    dialog->addLayout(buttons);
    dialog->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(dtpDate, dtpTime);
    setTabOrder(dtpTime, txbPlace);
    setTabOrder(txbPlace, cboZone);
    setTabOrder(cboZone, chkMeanTime);
    setTabOrder(chkMeanTime, txbLongitude);
    setTabOrder(txbLongitude, optBefore);
    setTabOrder(optBefore, optAfter);
    setTabOrder(optAfter, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdRemove);
}

void frmMoment::ConnectControls()
{
    connect(dtpDate, &DateField::dateChanged, this, &frmMoment::Entry_Change);
    connect(dtpTime, &QTimeEdit::timeChanged, this, &frmMoment::Entry_Change);
    connect(txbPlace, &PlaceField::placeChosen, this, &frmMoment::Place_Chosen);
    connect(cboZone, &QComboBox::currentTextChanged, this, &frmMoment::Entry_Change);
    connect(chkMeanTime, &QCheckBox::toggled, this, &frmMoment::Entry_Change);
    connect(txbLongitude, &QLineEdit::textChanged, this, &frmMoment::Entry_Change);
    connect(optBefore, &QRadioButton::toggled, this, &frmMoment::Entry_Change);
    connect(optAfter, &QRadioButton::toggled, this, &frmMoment::Entry_Change);
    connect(cmdOK, &QPushButton::clicked, this, &frmMoment::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmMoment::cmdCancel_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmMoment::cmdRemove_Click);
}

void frmMoment::ShowDialog(int16_t row)
{
    m_model.Prepare(m_program, row, m_clock);
    SetLanguageDependentText();
    SyncFromModel();
    show();
    raise();
    activateWindow();
    dtpDate->setFocus();
}

void frmMoment::SetLanguageDependentText()
{
    const text::Language& language = m_program.language;
    setWindowTitle(Q(language.Text(text::kTextMomentTitle)) + QStringLiteral(" \u2013 ") +
                   Q(m_program.main.rowNames[static_cast<size_t>(m_model.Row())]));
    lblDate->setText(Q(language.Text(text::kTextMomentDate)));
    lblTime->setText(Q(language.Text(text::kTextMomentTime)));
    lblPlace->setText(Q(language.Text(text::kTextChartPlace)));
    txbPlace->setPlaceholderText(Q(language.Text(text::kTextChartPlaceHint)));
    lblZone->setText(Q(language.Text(text::kTextMomentZone)));
    cboZone->lineEdit()->setPlaceholderText(Q(language.Text(text::kTextMomentZoneHint)));
    chkMeanTime->setText(Q(language.Text(text::kTextMomentMeanTime)));
    txbLongitude->setPlaceholderText(Q(language.Text(text::kTextMomentLongitudeHint)));
    cmdOK->setText(Q(language.Text(text::kTextMomentOk)));
    cmdCancel->setText(Q(language.Text(text::kTextMomentCancel)));
    cmdRemove->setText(Q(language.Text(text::kTextMomentRemove)));
}

void frmMoment::SyncFromModel()
{
    if (m_syncing)
        return;
    m_syncing = true;
    dtpDate->setDate(QDate(m_model.year, m_model.month, m_model.day));
    dtpTime->setTime(QTime(m_model.hour, m_model.minute, m_model.second));
    txbPlace->SyncFromModel();
    if (cboZone->currentText() != Q(m_model.zoneText))
        cboZone->setEditText(Q(m_model.zoneText));
    chkMeanTime->setChecked(m_model.meanTimeTicked);
    if (txbLongitude->text() != Q(m_model.longitudeText))
        txbLongitude->setText(Q(m_model.longitudeText));
    cboZone->setEnabled(!m_model.meanTimeTicked);
    txbLongitude->setEnabled(m_model.meanTimeTicked);

    const app::MomentReading reading = m_model.Read(m_program.language);
    lblOffset->setText(Q(reading.text));
    optBefore->setVisible(reading.twoOffsets);
    optAfter->setVisible(reading.twoOffsets);
    optBefore->setText(Q(reading.choices[0]));
    optAfter->setText(Q(reading.choices[1]));
    // Neither offset is taken for granted: the two buttons are free until one is clicked.
    optBefore->setAutoExclusive(false);
    optAfter->setAutoExclusive(false);
    optBefore->setChecked(m_model.choice == app::OffsetChoice::BeforeChange);
    optAfter->setChecked(m_model.choice == app::OffsetChoice::AfterChange);
    optBefore->setAutoExclusive(true);
    optAfter->setAutoExclusive(true);
    cmdRemove->setEnabled(m_model.RowHadMoment());
    m_syncing = false;
}

void frmMoment::Entry_Change()
{
    if (m_syncing)
        return;
    const QDate date = dtpDate->date();
    const QTime time = dtpTime->time();
    const std::string zone = cboZone->currentText().toStdString();
    const std::string longitude = txbLongitude->text().toStdString();
    // Another date, time or zone may have other offsets: a choice made for the former ones is forgotten.
    if (date.year() != m_model.year || date.month() != m_model.month || date.day() != m_model.day ||
        time.hour() != m_model.hour || time.minute() != m_model.minute || zone != m_model.zoneText ||
        chkMeanTime->isChecked() != m_model.meanTimeTicked)
        m_model.choice = app::OffsetChoice::None;
    else if (optBefore->isChecked())
        m_model.choice = app::OffsetChoice::BeforeChange;
    else if (optAfter->isChecked())
        m_model.choice = app::OffsetChoice::AfterChange;
    m_model.year = date.year();
    m_model.month = static_cast<int16_t>(date.month());
    m_model.day = static_cast<int16_t>(date.day());
    m_model.hour = static_cast<int16_t>(time.hour());
    m_model.minute = static_cast<int16_t>(time.minute());
    m_model.second = static_cast<int16_t>(time.second());
    m_model.zoneText = zone;
    m_model.meanTimeTicked = chkMeanTime->isChecked();
    m_model.longitudeText = longitude;
    SyncFromModel();
}

void frmMoment::Place_Chosen(int index)
{
    m_model.ChoosePlace(static_cast<size_t>(index), app::PlaceNames(m_program.language));
    SyncFromModel();
}

void frmMoment::cmdOK_Click()
{
    if (const platform::Result<void> accepted = m_model.Accept(m_program); !accepted) {
        m_boxes.Show(accepted.error());
        return;
    }
    hide();
    emit momentChanged(m_model.Row());
}

void frmMoment::cmdRemove_Click()
{
    m_model.Remove(m_program.main);
    hide();
    emit momentChanged(m_model.Row());
}

void frmMoment::cmdCancel_Click()
{
    reject();
}

}  // namespace orvane::gui
