#include "gui/main/frm_chart_edit.h"

#include "gui/platform/date_field.h"
#include "gui/platform/place_fields.h"
#include "gui/platform/qt_widgets.h"
#include "text/language.h"
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

#include <array>

namespace orvane::gui {
namespace {

const QDate kFirstDate(1, 1, 1);
const QDate kLastDate(2799, 12, 31);
constexpr int kOffsetLineWidth = 460;
// The kinds' captions, in the order of charts::ChartKind.
constexpr std::array<int16_t, 4> kKindTexts{text::kTextChartKindPerson, text::kTextChartKindEvent,
                                            text::kTextChartKindOrganisation, text::kTextChartKindCountry};

}  // namespace

frmChartEdit::frmChartEdit(app::ChartLibrary& library, const text::Language& language, platform::MessageBoxes& boxes,
                           QWidget* parent)
    : QDialog(parent), m_library(library), m_language(language), m_boxes(boxes)
{
    setObjectName(QStringLiteral("frmChartEdit"));
    setWindowModality(Qt::WindowModal);
    BuildControls();
    const auto changed = [this] { Entry_Change(); };
    for (QLineEdit* box : {txbName, txbFirstName, txbMeanLongitude, txbLatitude, txbLongitude, txbTags, txbNotes, txbSource})
        connect(box, &QLineEdit::textChanged, this, changed);
    connect(cboKind, &QComboBox::currentIndexChanged, this, changed);
    connect(dtpDate, &DateField::dateChanged, this, changed);
    connect(dtpTime, &QTimeEdit::timeChanged, this, changed);
    connect(cboZone, &QComboBox::currentTextChanged, this, changed);
    connect(chkMeanTime, &QCheckBox::toggled, this, changed);
    connect(optBefore, &QRadioButton::toggled, this, changed);
    connect(optAfter, &QRadioButton::toggled, this, changed);
    connect(txbPlace, &PlaceField::placeChosen, this, [this](int index) {
        m_model.ChoosePlace(static_cast<size_t>(index), app::PlaceNames(m_language));
        SyncFromModel();
    });
    connect(cmdOK, &QPushButton::clicked, this, &frmChartEdit::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmChartEdit::BuildControls()
{
    txbName = Create<QLineEdit>(this, QStringLiteral("txbName"));
    txbFirstName = Create<QLineEdit>(this, QStringLiteral("txbFirstName"));
    cboKind = Create<QComboBox>(this, QStringLiteral("cboKind"));
    dtpDate = Create<DateField>(this, QStringLiteral("dtpDate"));
    dtpDate->setDateRange(kFirstDate, kLastDate);
    dtpTime = Create<QTimeEdit>(this, QStringLiteral("dtpTime"));
    dtpTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    txbPlace = new PlaceField(m_model.moment.place, m_language, this);
    txbPlace->setObjectName(QStringLiteral("txbPlace"));
    cboZone = CreateZoneBox(this, QStringLiteral("cboZone"));
    chkMeanTime = Create<QCheckBox>(this, QStringLiteral("chkMeanTime"));
    txbMeanLongitude = Create<QLineEdit>(this, QStringLiteral("txbMeanLongitude"));
    lblOffset = Create<QLabel>(this, QStringLiteral("lblOffset"));
    lblOffset->setWordWrap(true);
    lblOffset->setMinimumWidth(kOffsetLineWidth);
    optBefore = Create<QRadioButton>(this, QStringLiteral("optBefore"));
    optAfter = Create<QRadioButton>(this, QStringLiteral("optAfter"));
    txbLatitude = Create<QLineEdit>(this, QStringLiteral("txbLatitude"));
    txbLongitude = Create<QLineEdit>(this, QStringLiteral("txbLongitude"));
    txbTags = Create<QLineEdit>(this, QStringLiteral("txbTags"));
    txbNotes = Create<QLineEdit>(this, QStringLiteral("txbNotes"));
    txbSource = Create<QLineEdit>(this, QStringLiteral("txbSource"));
    cmdOK = Create<QPushButton>(this, QStringLiteral("cmdOK"));
    cmdCancel = Create<QPushButton>(this, QStringLiteral("cmdCancel"));
    cmdOK->setDefault(true);
    cmdCancel->setAutoDefault(false);
    LayOutControls();
}

void frmChartEdit::LayOutControls()
{
    auto* entries = new QGridLayout;
    int row = 0;
    const auto add = [&](int16_t caption, QWidget* field) {
        auto* label = Create<QLabel>(this, QStringLiteral("lbl") + field->objectName().mid(3));
        label->setBuddy(field);
        m_labels.emplace_back(label, caption);
        entries->addWidget(label, row, 0);
        entries->addWidget(field, row++, 1);
    };
    add(text::kTextChartName, txbName);
    add(text::kTextChartFirstName, txbFirstName);
    add(text::kTextChartKind, cboKind);
    add(text::kTextMomentDate, dtpDate);
    add(text::kTextMomentTime, dtpTime);
    add(text::kTextChartPlace, txbPlace);
    add(text::kTextMomentZone, cboZone);
    entries->addWidget(chkMeanTime, row, 0);
    entries->addWidget(txbMeanLongitude, row++, 1);
    entries->addWidget(lblOffset, row++, 0, 1, 2);
    entries->addWidget(optBefore, row++, 0, 1, 2);
    entries->addWidget(optAfter, row++, 0, 1, 2);
    add(text::kTextChartLatitude, txbLatitude);
    add(text::kTextChartLongitude, txbLongitude);
    add(text::kTextChartTags, txbTags);
    add(text::kTextChartNotes, txbNotes);
    add(text::kTextChartSource, txbSource);
    entries->setColumnStretch(1, 1);
    for (QWidget* narrow : {static_cast<QWidget*>(dtpDate), static_cast<QWidget*>(dtpTime)})
        entries->setAlignment(narrow, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* dialog = new QVBoxLayout(this);
    dialog->addLayout(entries);
    dialog->addSpacing(6);
    dialog->addLayout(buttons);
    dialog->setSizeConstraint(QLayout::SetFixedSize);
    // Tab follows the lines from top to bottom, then OK and Cancel.
    QWidget* previous = txbName;
    for (QWidget* next : std::initializer_list<QWidget*>{txbFirstName, cboKind, dtpDate, dtpTime, txbPlace, cboZone,
                                                         chkMeanTime, txbMeanLongitude, optBefore, optAfter, txbLatitude,
                                                         txbLongitude, txbTags, txbNotes, txbSource, cmdOK, cmdCancel}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void frmChartEdit::SetLanguageDependentText()
{
    const QString name = Q(charts::FullName(m_model.Base()));
    setWindowTitle(Q(m_language.Text(text::kTextChartTitle)) + (name.isEmpty() ? QString() : QStringLiteral(" \u2013 ") + name));
    for (const auto& [label, caption] : m_labels)
        label->setText(Q(m_language.Text(caption)));
    const bool syncing = std::exchange(m_syncing, true);
    cboKind->clear();
    for (const int16_t caption : kKindTexts)
        cboKind->addItem(Q(m_language.Text(caption)));
    m_syncing = syncing;
    txbPlace->setPlaceholderText(Q(m_language.Text(text::kTextChartPlaceHint)));
    cboZone->lineEdit()->setPlaceholderText(Q(m_language.Text(text::kTextMomentZoneHint)));
    chkMeanTime->setText(Q(m_language.Text(text::kTextMomentMeanTime)));
    txbMeanLongitude->setPlaceholderText(Q(m_language.Text(text::kTextMomentLongitudeHint)));
    txbTags->setPlaceholderText(Q(m_language.Text(text::kTextChartTagsHint)));
    cmdOK->setText(Q(m_language.Text(text::kTextMomentOk)));
    cmdCancel->setText(Q(m_language.Text(text::kTextMomentCancel)));
}

void frmChartEdit::ShowDialog(const charts::ChartRecord& chart)
{
    m_model.Fill(chart, m_language);
    SetLanguageDependentText();
    SyncFromModel();
    show();
    raise();
    activateWindow();
    txbName->setFocus();
}

void frmChartEdit::SyncFromModel()
{
    if (std::exchange(m_syncing, true))
        return;
    const app::MomentDialog& moment = m_model.moment;
    const auto put = [](QLineEdit* box, const std::string& text) {
        if (box->text() != Q(text))
            box->setText(Q(text));
    };
    put(txbName, m_model.name);
    put(txbFirstName, m_model.firstName);
    cboKind->setCurrentIndex(static_cast<int>(m_model.kind));
    dtpDate->setDate(QDate(moment.year, moment.month, moment.day));
    dtpTime->setTime(QTime(moment.hour, moment.minute, moment.second));
    txbPlace->SyncFromModel();
    if (cboZone->currentText() != Q(moment.zoneText))
        cboZone->setEditText(Q(moment.zoneText));
    chkMeanTime->setChecked(moment.meanTimeTicked);
    put(txbMeanLongitude, moment.longitudeText);
    cboZone->setEnabled(!moment.meanTimeTicked);
    txbMeanLongitude->setEnabled(moment.meanTimeTicked);
    const app::MomentReading reading = moment.Read(m_language);
    lblOffset->setText(Q(reading.text));
    for (QRadioButton* option : {optBefore, optAfter}) {
        option->setVisible(reading.twoOffsets);
        option->setAutoExclusive(false);
    }
    optBefore->setText(Q(reading.choices[0]));
    optAfter->setText(Q(reading.choices[1]));
    optBefore->setChecked(moment.choice == app::OffsetChoice::BeforeChange);
    optAfter->setChecked(moment.choice == app::OffsetChoice::AfterChange);
    optBefore->setAutoExclusive(true);
    optAfter->setAutoExclusive(true);
    put(txbLatitude, m_model.latitudeText);
    put(txbLongitude, m_model.longitudeText);
    put(txbTags, m_model.tagsText);
    put(txbNotes, m_model.notes);
    put(txbSource, m_model.source);
    m_syncing = false;
}

void frmChartEdit::Entry_Change()
{
    if (m_syncing)
        return;
    app::MomentDialog& moment = m_model.moment;
    const QDate date = dtpDate->date();
    const QTime time = dtpTime->time();
    const std::string zone = cboZone->currentText().toStdString();
    // Another date, time or zone may have other offsets: a choice made for the former ones is forgotten.
    if (date != QDate(moment.year, moment.month, moment.day) || time != QTime(moment.hour, moment.minute, moment.second) ||
        zone != moment.zoneText || chkMeanTime->isChecked() != moment.meanTimeTicked)
        moment.choice = app::OffsetChoice::None;
    else if (optBefore->isChecked())
        moment.choice = app::OffsetChoice::BeforeChange;
    else if (optAfter->isChecked())
        moment.choice = app::OffsetChoice::AfterChange;
    moment.year = date.year();
    moment.month = static_cast<int16_t>(date.month());
    moment.day = static_cast<int16_t>(date.day());
    moment.hour = static_cast<int16_t>(time.hour());
    moment.minute = static_cast<int16_t>(time.minute());
    moment.second = static_cast<int16_t>(time.second());
    moment.zoneText = zone;
    moment.meanTimeTicked = chkMeanTime->isChecked();
    moment.longitudeText = txbMeanLongitude->text().toStdString();
    m_model.name = txbName->text().toStdString();
    m_model.firstName = txbFirstName->text().toStdString();
    m_model.kind = static_cast<charts::ChartKind>(std::max(cboKind->currentIndex(), 0));
    m_model.latitudeText = txbLatitude->text().toStdString();
    m_model.longitudeText = txbLongitude->text().toStdString();
    m_model.tagsText = txbTags->text().toStdString();
    m_model.notes = txbNotes->text().toStdString();
    m_model.source = txbSource->text().toStdString();
    SyncFromModel();
}

void frmChartEdit::cmdOK_Click()
{
    platform::Result<charts::ChartRecord> chart = m_model.Record(m_language);
    if (!chart) {
        m_boxes.Show(chart.error());
        return;
    }
    if (const platform::Result<void> saved = m_library.Save(std::move(chart).value()); !saved) {
        m_boxes.Show(saved.error());
        return;
    }
    hide();
    emit saved();
}

}  // namespace orvane::gui
