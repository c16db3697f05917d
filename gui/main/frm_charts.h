#pragma once

// frmCharts: the chart library as a Qt window over app::ChartLibrary. A search box that narrows the list
// at every key press, the list of charts (name, date, place, tags) sorted by a click on a column's
// heading, and the buttons New, Edit and Delete (after a question), "Use as 1st birthdate", "Use as 2nd
// birthdate" and "Use as world date", which give the row the chart's moment as the ◷ dialog gives it, and
// "Add to charts" from either birthdate. Created on the first use and afterwards only hidden and shown.
//
// Keys: the search box has the focus; Down or Return go to the list; in the list Return edits and Delete
// deletes; Escape closes the window.

#include "app/chart_library.h"
#include "app/workspace.h"
#include "platform/clock.h"
#include "platform/message.h"

#include <QDialog>

#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace orvane::gui {

class frmChartEdit;

class frmCharts : public QDialog {
    Q_OBJECT

public:
    // `libraryPath` names the library; empty is the default library of the user's data folder.
    frmCharts(app::Workspace& program, platform::MessageBoxes& boxes, const platform::Clock& clock,
              std::string libraryPath, QWidget* mainWindow);

    // Opens the window (and the library, the first time or after it was refused), the search box with the
    // focus; a refused library is shown as a message and the window stays empty.
    void ShowWindow();
    void SetLanguageDependentText();
    void SyncFromModel();

    // ----- Handlers ------------------------------------------------------------------------------------
    void txbSearch_Change(const QString& text);
    void lstCharts_HeaderClick(int column);
    void lstCharts_SelectionChange();
    void cmdNew_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdUse_Click(int16_t row);
    void cmdAdd_Click(int16_t row);

signals:
    // A date row was given a chart's moment.
    void momentChanged(int16_t row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void LayOutControls();
    void ConnectControls();
    void Show(const platform::Result<void>& outcome);
    gui::frmChartEdit& Editor();

    app::Workspace& m_program;
    platform::MessageBoxes& m_boxes;
    const platform::Clock& m_clock;
    std::string m_libraryPath;
    app::ChartLibrary m_model;
    bool m_syncing = false;

    QLabel* lblSearch = nullptr;
    QLineEdit* txbSearch = nullptr;
    QTableWidget* lstCharts = nullptr;
    QLabel* lblCount = nullptr;
    QPushButton* cmdNew = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdUseFirst = nullptr;
    QPushButton* cmdUseSecond = nullptr;
    QPushButton* cmdUseWorld = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdClose = nullptr;
    gui::frmChartEdit* frmChartEdit = nullptr;  // created on first use
};

}  // namespace orvane::gui
