#pragma once

// What every test of the desktop windows starts from: a program with its main window, scripted message
// boxes, settings in memory and a fixed clock at noon on 1 January 2000; and a small script of what a
// user does with the controls and reads off them, so that each window's wiring is one table.

#include "gui/display/grid_view.h"
#include "gui/main/frm_main.h"
#include "platform/clock.h"
#include "settings/settings_store.h"
#include "tests/support/recording_message_boxes.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
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
    std::unique_ptr<gui::frmMain> window;

    // A fresh program and its main window, started up from `dataFolder` and shown, with the per-user
    // state file at `userStateFile`; false when start-up failed or the window was not shown.
    bool OpenMainWindow(const std::string& userStateFile = gui::UserStateFilePath(),
                        const std::string& dataFolder = ORVANE_BIN_DIR "/")
    {
        boxes.shown.clear();
        window.reset();  // before the program it shows
        program = std::make_unique<app::Workspace>();
        window = std::make_unique<gui::frmMain>(*program, store, boxes, clock,
                                                gui::MainWindowPlaces{dataFolder, userStateFile, {}});
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

    // A control of the main window, or "frmRun/cmdRun" of a window it owns; "frmMain" is the window.
    QWidget* Control(const QString& path)
    {
        if (path == QLatin1String("frmMain"))
            return window.get();
        const QStringList parts = path.split('/');
        QObject* in = parts.size() > 1 ? FindIn<QWidget>(window.get(), parts[0]) : window.get();
        return FindIn<QWidget>(in, parts.back());
    }

    // Does what a user does, one step a string: "name=text" types into a year box, "name#n" chooses
    // entry n of a list (or clicks cell n of the grid), "name:Return" presses Return in it, "name:Left"
    // and "name:Right" press a mouse button on it, "name:Close" clicks its close box, "!Yes" (No, Cancel)
    // answers the next message box, and a bare name clicks the button.
    void Operate(const QStringList& steps)
    {
        for (const QString& step : steps) {
            if (step.startsWith('!')) {
                const QString answer = step.mid(1);
                boxes.answers.push_back(answer == "Yes" ? platform::Button::Yes
                                        : answer == "No" ? platform::Button::No
                                                         : platform::Button::Cancel);
            } else if (const qsizetype at = step.indexOf('='); at > 0) {
                auto* box = qobject_cast<QLineEdit*>(Control(step.left(at)));
                box->clear();
                QTest::keyClicks(box, step.mid(at + 1));
            } else if (const qsizetype hash = step.indexOf('#'); hash > 0) {
                const int index = step.mid(hash + 1).toInt();
                QWidget* control = Control(step.left(hash));
                if (auto* grid = qobject_cast<gui::GridView*>(control)) {
                    emit grid->cellClicked(index);
                } else {
                    auto* list = qobject_cast<QComboBox*>(control);
                    list->setCurrentIndex(index);
                    emit list->activated(index);
                }
            } else if (const qsizetype colon = step.indexOf(':'); colon > 0) {
                QWidget* control = Control(step.left(colon));
                const QString how = step.mid(colon + 1);
                if (how == "Return")
                    QTest::keyClick(control, Qt::Key_Return);
                else if (how == "Close")
                    control->close();
                else
                    QTest::mousePress(control, how == "Right" ? Qt::RightButton : Qt::LeftButton);
            } else {
                qobject_cast<QAbstractButton*>(Control(step))->click();
            }
        }
    }

    // What a user reads: "name" its text (a list's current entry), "name.shown", "name.enabled" and
    // "name.checked" yes or no, "name.height" in pixels, "name.colour" its
    // background, "world" the world date row as year-month-day half-hour positions, and
    // "boxes" the message boxes shown so far as "title: text".
    virtual QString Read(const QString& probe)
    {
        if (probe == QLatin1String("world"))
            return Read("txbYearCE_0") + '-' + Position("cboMonthCE_0") + '-' + Position("cboDayCE_0") + ' ' +
                   Position("cboHour_0");
        if (probe == QLatin1String("boxes")) {
            QStringList shown;
            for (const platform::Message& m : boxes.shown)
                shown << QString::fromStdString(m.title + ": " + m.text).replace("\r\n", " ");
            return shown.join(" | ");
        }
        const qsizetype dot = probe.lastIndexOf('.');
        if (dot > 0) {
            QWidget* control = Control(probe.left(dot));
            const QString property = probe.mid(dot + 1);
            if (property == "height")
                return QString::number(control->height());
            if (property == "colour")
                return control->autoFillBackground() ? control->palette().color(QPalette::Window).name() : "none";
            const bool on = property == "shown"     ? control->isVisible()
                            : property == "enabled" ? control->isEnabled()
                                                    : qobject_cast<QAbstractButton*>(control)->isChecked();
            return on ? "yes" : "no";
        }
        QWidget* control = Control(probe);
        if (auto* label = qobject_cast<QLabel*>(control))
            return label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            return button->text();
        if (auto* line = qobject_cast<QLineEdit*>(control))
            return line->text();
        if (auto* list = qobject_cast<QComboBox*>(control))
            return list->currentText();
        if (auto* text = qobject_cast<QPlainTextEdit*>(control))
            return text->toPlainText();
        return control->windowTitle();
    }

    QString Position(const QString& list) { return QString::number(qobject_cast<QComboBox*>(Control(list))->currentIndex()); }

    // The columns of a window's wiring table, and one row of it: the steps, then each probe against its
    // expected reading.
    static void WiringColumns()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("probes");
        QTest::addColumn<QStringList>("expected");
    }
    void CheckRow()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, probes);
        QFETCH(QStringList, expected);
        Check(steps, probes, expected);
    }
    void Check(const QStringList& steps, const QStringList& probes, const QStringList& expected)
    {
        Operate(steps);
        QStringList read;
        for (const QString& probe : probes)
            read << Read(probe);
        QCOMPARE(read, expected);
    }
};

}  // namespace orvane::testing
