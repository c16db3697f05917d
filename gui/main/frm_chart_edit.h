#pragma once

// frmChartEdit: one chart of the library edited (New, Edit, Add to charts) as a Qt dialog over
// app::ChartEditor: name, first name and kind; date, time, place, zone (or local mean time) entered as in
// the ◷ dialog, the offset in effect shown as they change; the place's coordinates, tags, notes and
// source. OK saves the chart into the library (a refusal is shown and the dialog stays); Escape and
// Cancel leave it unsaved. It does not block: `saved` tells the Charts window.

#include "app/chart_editor.h"
#include "app/chart_library.h"
#include "platform/message.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimeEdit;

namespace orvane::gui {

class DateField;
class PlaceField;

class frmChartEdit : public QDialog {
    Q_OBJECT

public:
    frmChartEdit(app::ChartLibrary& library, const text::Language& language, platform::MessageBoxes& boxes,
                 QWidget* parent);

    // Opens the dialog over `chart` (a stored one, or a draft with no id), the name with the focus.
    void ShowDialog(const charts::ChartRecord& chart);

    void SyncFromModel();
    void Entry_Change();
    void cmdOK_Click();

signals:
    void saved();

private:
    void BuildControls();
    void LayOutControls();
    void SetLanguageDependentText();

    app::ChartLibrary& m_library;
    const text::Language& m_language;
    platform::MessageBoxes& m_boxes;
    app::ChartEditor m_model;
    bool m_syncing = false;

    QLineEdit* txbName = nullptr;
    QLineEdit* txbFirstName = nullptr;
    QComboBox* cboKind = nullptr;
    DateField* dtpDate = nullptr;
    QTimeEdit* dtpTime = nullptr;
    PlaceField* txbPlace = nullptr;
    QComboBox* cboZone = nullptr;
    QCheckBox* chkMeanTime = nullptr;
    QLineEdit* txbMeanLongitude = nullptr;
    QLabel* lblOffset = nullptr;
    QRadioButton* optBefore = nullptr;
    QRadioButton* optAfter = nullptr;
    QLineEdit* txbLatitude = nullptr;
    QLineEdit* txbLongitude = nullptr;
    QLineEdit* txbTags = nullptr;
    QLineEdit* txbNotes = nullptr;
    QLineEdit* txbSource = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    // The labels, by the text number of their caption.
    std::vector<std::pair<QLabel*, int16_t>> m_labels;
};

}  // namespace orvane::gui
