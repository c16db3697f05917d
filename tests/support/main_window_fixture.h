#pragma once

// What every test of the desktop windows starts from: a program with its main window, scripted message
// boxes, settings in memory and a fixed clock at noon on 1 January 2000.

#include "gui/main/frm_main.h"
#include "platform/clock.h"
#include "settings/settings_store.h"
#include "tests/support/recording_message_boxes.h"

#include <QObject>
#include <QString>
#include <QTest>

#include <memory>
#include <string>

namespace orvane::testing {

class MainWindowFixture : public QObject {
protected:
    std::unique_ptr<app::Workspace> program;
    settings::MemorySettingsStore store;
    RecordingMessageBoxes boxes;
    platform::FixedClock clock{{2000, 1, 1, 12, 0, 0}};
    std::unique_ptr<app::frmMain> window;

    // A fresh program and its main window, started up from `dataFolder` and shown, with the per-user
    // state file at `userStateFile`; false when start-up failed or the window was not shown.
    bool OpenMainWindow(const std::string& userStateFile = app::UserStateFilePath(),
                        const std::string& dataFolder = ORVANE_BIN_DIR "/")
    {
        boxes.shown.clear();
        window.reset();  // before the program it shows
        program = std::make_unique<app::Workspace>();
        window = std::make_unique<app::frmMain>(*program, store, boxes, clock,
                                                       app::MainWindowPlaces{dataFolder, userStateFile});
        if (!window->Form_Load())
            return false;
        return QTest::qWaitForWindowExposed(window.get());
    }

    // A control by its name below `parent`; a missing control ends the test run at once.
    template <typename T>
    static T* FindIn(QObject* parent, const QString& name)
    {
        T* child = parent->findChild<T*>(name);
        if (child == nullptr)
            qFatal("no control %s", qPrintable(name));
        return child;
    }

    QString Text(int16_t number) const { return QString::fromStdString(program->language.Text(number)); }
};

}  // namespace orvane::testing
