#pragma once

// frmPositions: the heliocentric and geocentric positions of the moment the main window shows, side by
// side with their difference, and the Ascendant and Midheaven where the date row has a place. A small
// window over app::ShownPositionsTable; it follows every computation of the main window while it is
// open. Created on first use and afterwards only hidden and shown.

#include "app/workspace.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace orvane::gui {

class frmPositions : public QDialog {
    Q_OBJECT

public:
    frmPositions(const app::Workspace& program, QWidget* mainWindow);

    // Shows the window filled for the moment shown, and brings it to the front.
    void ShowWindow();
    // Every text and cell again from the program: after a computation or a change of language.
    void SyncFromModel();

private:
    const app::Workspace& m_program;
    QLabel* lblMoment = nullptr;
    QTableWidget* lstPositions = nullptr;
    QLabel* lblPlace = nullptr;
    QLabel* lblConventions = nullptr;
    QPushButton* cmdClose = nullptr;
};

}  // namespace orvane::gui
