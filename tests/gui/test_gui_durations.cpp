// The durations window's wiring, opened from a loaded main window on the offscreen platform with scripted
// message boxes, a fixed clock and a temporary home.

#include "platform/twips.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/window_test_main.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>

using namespace orvane;

class TestGuiDurations : public testing::MainWindowFixture {
    Q_OBJECT

private slots:
    void init() { QVERIFY(OpenMainWindow()); }

    void wiring_data()
    {
        WiringColumns();
        QTest::newRow("Report")
            << QStringList{"cmdReport"}
            << QStringList{"frmDurations.shown", "frmDurations/cboSortBy", "frmDurations/chkShowDuration.checked", "boxes"}
            << QStringList{"yes", "exactness", "yes", ""};
        QTest::newRow("Close")
            << QStringList{"cmdReport", "frmDurations/cmdClose"} << QStringList{"frmDurations.shown"} << QStringList{"no"};
        QTest::newRow("personal transits sort by the transiting planet")
            << QStringList{"txbYearCE_1=1970", "cboMonthCE_1#3", "cboDayCE_1#8", "optPersonal_0", "cmdReport", "frmDurations/cboSortBy#3"}
            << QStringList{"frmDurations/cboSortBy", "boxes"} << QStringList{"transiting planet", ""};
    }
    void wiring() { CheckRow(); }

    // The window as wide as the main window (or the screen); narrower with the list alone.
    void copyPutsTheReportOnTheClipboard()
    {
        Operate({"cmdReport"});
        QVERIFY(QTest::qWaitForWindowActive(Control("frmDurations")));
        QCOMPARE(Control("frmDurations")->frameGeometry().width(),
                 std::min(window->frameGeometry().width(), window->screen()->availableGeometry().width()));
        Operate({"frmDurations/cmdCopy"});
        const QStringList copied = QGuiApplication::clipboard()->text().remove('\r').split('\n');
        QCOMPARE(copied.size(), 12);  // the title, a blank line, nine aspects and the last line end
        QCOMPARE(copied[0].trimmed(), QStringLiteral("World transits on January 1, 2000, 12:00 (GMT).    Orbs: 3° to 10°"));
        QVERIFY(copied[1].isEmpty());
        QCOMPARE(copied[4], QStringLiteral("Venus   trine (1°19')         Neptune begins December 28, 1999,  "
                                           "ends January 6, 2000    (10 days)"));
        Operate({"frmDurations/chkShowDuration"});
        QCOMPARE(Control("frmDurations")->frameGeometry().width(), platform::Px(8500));
    }
};

int main(int argc, char* argv[])
{
    return orvane::testing::RunWindowTest<TestGuiDurations>(argc, argv);
}

#include "test_gui_durations.moc"
