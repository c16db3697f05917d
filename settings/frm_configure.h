#pragma once

// frmConfigure: the configuration panel (orbs, personal and synastry proportions, colours, boldface,
// display options) as a Qt window over settings::ConfigureModel. It is created hidden at start-up and
// afterwards only shown and hidden, so its controls keep their state for the whole run.

#include "mainwindow/program.h"
#include "platform/message.h"
#include "settings/configure_model.h"
#include "settings/registry_store.h"

#include <QDialog>

namespace orvane::settings {

class frmConfigure : public QDialog {
    Q_OBJECT

public:
    // `mainWindow` is the window the panel is placed beside; messages and questions go to `boxes`.
    frmConfigure(mainwindow::Program& program, RegistryStore& store, platform::MessageBoxes& boxes,
                 QWidget* mainWindow);

    // Every caption from the program text in the current language.
    void SetLanguageDependentText();
    // Shows the panel beside the main window, refreshed from its model, and brings it to the front.
    void ShowPanel();

signals:
    // After Apply, Reset, Cancel, Hide or the close box: what the main window has to do now.
    void mainWindowActions(const orvane::settings::MainWindowActions& actions);

private:
    mainwindow::Program& m_program;
    RegistryStore& m_store;
    platform::MessageBoxes& m_boxes;
    QWidget* m_mainWindow;
};

}  // namespace orvane::settings
