#pragma once

// frmDurations: the report of the current computation as a Qt window over reports::DurationsWindow. In the
// transit modes it lists every aspect with its beginning, end and duration, re-sorted with a sort box; in
// the natal and synastry modes it shows the aspects in sentences with the patterns found. It is created on
// first use and afterwards only hidden and shown, so its controls keep their state for the whole run.
//
// Every handler forwards the event to the model and then re-syncs the controls from it; the list box uses
// a fixed-pitch font so that the padded columns line up.

#include "app/workspace.h"
#include "gui/platform/picture_output.h"
#include "platform/message.h"
#include "reports/durations.h"

#include <QDialog>
#include <QMargins>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace orvane::gui {

class frmDurations : public QDialog {
    Q_OBJECT

public:
    // `mainWindow` is the window the report lies over; `gridBox` its grid, whose left offset sets the top.
    frmDurations(app::Workspace& program, reports::DurationsWindow& model, QWidget& mainWindow, const QWidget& gridBox);

    // The end of Report: places the window over the lower part of the main window, re-syncs and shows it,
    // which activates it (the model's Activate has run or runs on activation).
    void ShowReport();

    // The model the window shows.
    reports::DurationsWindow& Model() { return m_model; }

    // Writes every control from the model: captions, title, sort box, "Show durations", the list.
    void SyncFromModel();

    // ----- Handlers (slots named as the system's controls) ----------------------------------------------
    void cboSortBy_Click(int index);
    void chkShowDuration_Click(bool ticked);
    void cmdCopy_Click();
    void cmdClose_Click();
    // The title and the list printed through the print preview, or written as PDF, SVG or PNG.
    void cmdPrint_Click();
    void cmdExport_Click();
    // Each time the window becomes active: the model refills the sort box and the list.
    void Form_Activate();

signals:
    // What came of an export, for the main window's message boxes.
    void messageForUser(const orvane::platform::Message& message);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Escape closes the window as Close does.
    void reject() override;

private:
    void CreateControls();
    void ConnectControls();
    // Places the controls for the window's present size.
    void ArrangeControls();
    // The width the window keeps in its normal state: the main window's when the durations are shown,
    // narrower when only the aspects are listed; never wider than the screen's available area.
    int WantedOuterWidth() const;
    // The width of the sort label, the sort box and "Show durations" with the gaps between them.
    int SortGroupWidth() const;
    // Resizes so that the window's frame gets the given outer size, as far as the screen's available area
    // allows, and moves it into that area.
    void ResizeOuter(int width, int height);
    // The frame's title bar and borders, in pixels.
    QMargins Frame() const;
    // The title and the list as a page.
    Picture ListPicture() const;

    app::Workspace& m_program;
    reports::DurationsWindow& m_model;
    QWidget& m_mainWindow;
    const QWidget& m_gridBox;
    bool m_syncing = false;
    bool m_resizing = false;

    // Controls, named as the system names them.
    QLabel* lblTitle = nullptr;
    QLabel* lblSortBy = nullptr;
    QComboBox* cboSortBy = nullptr;
    QCheckBox* chkShowDuration = nullptr;
    QPlainTextEdit* txbOutput = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdClose = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdExport = nullptr;
};

}  // namespace orvane::gui
