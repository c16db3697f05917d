// The run until found on the offscreen platform: the main window's Run button, its dialog frmRun and the
// steps paced by Timer2, with scripted message boxes and a temporary home.

#include "app/actions.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/window_test_main.h"

#include <QTimer>

using namespace orvane;

class TestGuiRun : public testing::MainWindowFixture {
    Q_OBJECT

    QTimer* Timer() { return FindIn<QTimer>(window.get(), "Timer2"); }

private slots:
    void init() { QVERIFY(OpenMainWindow("/nonexistent/x.usr")); }
    void cleanup() { window.reset(); }

    // Kite (1) with Mars (4) and Venus (3) in the dialog's boxes.
    void wiring_data()
    {
        WiringColumns();
        const QStringList kite{"cmdRun", "frmRun/cboAspectPattern#1", "frmRun/cboSoughtPlanet_0#4"};
        QTest::newRow("a body twice is refused, the dialog stays")
            << kite + QStringList{"frmRun/cboSoughtPlanet_1#4", "frmRun/cmdRun"} << QStringList{"frmRun.shown", "cmdRun", "boxes"}
            << QStringList{"yes", "Run", "Input error: Planet specified more than once."};
        QTest::newRow("OK starts the run: the inputs rest, Stop and Quit stay")
            << kite + QStringList{"frmRun/cboSoughtPlanet_1#3", "frmRun/cmdRun"}
            << QStringList{"frmRun.shown", "cmdRun", "cmdCompute.enabled", "cboForwardBack.enabled", "cmdQuit.enabled", "txbReport.enabled"}
            << QStringList{"no", "Stop", "no", "no", "yes", "yes"};
        QTest::newRow("Stop, then the dialog again as it was left")
            << kite + QStringList{"frmRun/cboSoughtPlanet_1#3", "frmRun/cmdRun", "cmdRun", "cmdRun"}
            << QStringList{"cmdRun", "cmdCompute.enabled", "frmRun.shown", "frmRun/cboAspectPattern", "frmRun/cboSoughtPlanet_1"}
            << QStringList{"Run", "yes", "yes", "Kite", "Venus"};
        QTest::newRow("Cancel")
            << kite + QStringList{"frmRun/cmdCancel"} << QStringList{"frmRun.shown", "cmdRun"} << QStringList{"no", "Run"};
        QTest::newRow("a run into a refused date stops at the date before")
            << QStringList{"txbYearCE_0=2799", "cboMonthCE_0#12", "cboDayCE_0#15", "cboForwardBack#4", "cmdRun", "frmRun/cmdRun"}
            << QStringList{"world", "cmdRun", "cmdCompute.enabled", "boxes"}
            << QStringList{"2799-12-15 25", "Run", "yes", "Input error: World date is too late (the latest date is December 31, 2799)."};
    }
    void wiring()
    {
        CheckRow();
        QCOMPARE(Timer()->isActive(), Read("cmdRun") == "Stop");  // the steps run while the button offers Stop
    }

    void theDialogsCloseBoxCancels()
    {
        Operate({"cmdRun"});
        Control("frmRun")->close();
        Check({}, {"frmRun.shown", "cmdRun"}, {"no", "Run"});
    }

    // "Run quickly" paces the steps at 100 ms; Quit's question holds the run still, Cancel lets it go on;
    // the steps move the world date until Stop.
    void aRunStepsUntilTheRunButtonStopsIt()
    {
        Operate({"cmdRun", "frmRun/chkRunQuickly", "frmRun/cmdRun"});
        QCOMPARE(std::pair(Timer()->isActive(), Timer()->interval()), std::pair(true, 100));
        bool steppingWhileAsked = true;
        boxes.whileShown = [&] { steppingWhileAsked = Timer()->isActive(); };
        Operate({"!Cancel", "cmdQuit"});
        boxes.whileShown = nullptr;
        QVERIFY(!steppingWhileAsked && Timer()->isActive());
        Operate({"cmdRun"});
        QVERIFY(!Timer()->isActive());

        window->SetRunStepIntervalForTests(10);
        Operate({"cboMonthCE_0#3", "cmdRun", "frmRun/cmdRun"});
        QTRY_VERIFY(Read("world").startsWith("2000-3-") && Position("cboDayCE_0").toInt() >= 6);
        Operate({"cmdRun"});
        const QString stopped = Read("world");
        QTest::qWait(60);
        Check({}, {"world", "cmdRun", "cboForwardBack.enabled"}, {stopped, "Run", "yes"});
    }

    // A trine the companion finds from this state on 29 January 2000 ends the run there, with its message,
    // the window restored and the dialog shown again.
    void aFoundPatternStopsTheRunAndShowsTheDialogAgain()
    {
        window->SetRunStepIntervalForTests(5);
        const std::string state = ORVANE_SOURCE_DATA_DIR "/../tests/cli/golden/world-2000-01-17.qvs";
        QVERIFY(app::LoadStateFile(*program, state, store).ok());
        Operate({"cboForwardBack#1", "txbYearCE_0=2000", "cboMonthCE_0#1", "cboDayCE_0#25"});
        window->showMinimized();
        Operate({"cmdRun", "frmRun/cboAspectPattern#0", "frmRun/cboSoughtPlanet_0#1", "frmRun/cboSoughtPlanet_1#4",
                 "frmRun/cboSoughtPlanet_2#9", "frmRun/cmdRun"});
        QTRY_VERIFY(!boxes.shown.empty());
        Check({}, {"boxes", "world", "frmRun.shown", "cmdCompute.enabled", "cmdRun"},
              {"Pattern found: Grand trine found involving Earth Mars Pluto.", "2000-1-29 25", "yes", "yes", "Run"});
        QVERIFY(!window->isMinimized());
    }
};

int main(int argc, char* argv[])
{
    return orvane::testing::RunWindowTest<TestGuiRun>(argc, argv);
}

#include "test_gui_run.moc"
