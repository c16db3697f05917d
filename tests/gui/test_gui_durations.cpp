// The durations window on the offscreen platform, opened from a loaded main window with a scripted
// message recorder, a fixed clock and a temporary home, so that nothing touches the real user's files.

#include "gui/main/frm_main.h"
#include "platform/twips.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/window_test_main.h"
#include "text/text_numbers.h"
#include "gui/tools/frm_durations.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace orvane;

class TestGuiDurations : public testing::MainWindowFixture {
    Q_OBJECT

private:
    // A control by its name, in the main window or (with `inDurations`) in the durations window.
    template <typename T>
    T* Find(const QString& name, bool inDurations = true)
    {
        return FindIn<T>(inDurations ? static_cast<QObject*>(Durations()) : window.get(), name);
    }
    tools::frmDurations* Durations() { return window->findChild<tools::frmDurations*>("frmDurations"); }

    static void Choose(QComboBox* box, int index) { emit box->activated(index); }

    bool Report()
    {
        Find<QPushButton>("cmdReport", false)->click();
        return QTest::qWaitForWindowActive(Durations());
    }

    QStringList Lines() { return Find<QPlainTextEdit>("txbOutput")->toPlainText().split('\n', Qt::SkipEmptyParts); }

private slots:
    void init()
    {
        QVERIFY(OpenMainWindow());
    }

    void theSortBoxOffersSixKeysInWorldAndSevenInPersonalTransits()
    {
        QVERIFY(Report());
        auto* sortBy = Find<QComboBox>("cboSortBy");
        QCOMPARE(sortBy->count(), 6);
        QVERIFY(!sortBy->isHidden() && Find<QCheckBox>("chkShowDuration")->isChecked());
        QCOMPARE(Durations()->frameGeometry().width(),
                 std::min(window->frameGeometry().width(), window->screen()->availableGeometry().width()));
        Find<QPushButton>("cmdClose")->click();
        QVERIFY(!Durations()->isVisible());

        QTest::keyClicks(Find<QLineEdit>("txbYearCE_1", false), "1970");
        Choose(Find<QComboBox>("cboMonthCE_1", false), 3);
        Choose(Find<QComboBox>("cboDayCE_1", false), 8);
        Find<QAbstractButton>("optPersonal_0", false)->click();
        tools::frmDurations* first = Durations();
        QVERIFY(Report());
        QCOMPARE(Durations(), first);  // one window for the whole run
        QCOMPARE(sortBy->count(), 7);
        QVERIFY(Lines().size() >= 2 && Lines().front().startsWith("tr."));
        QVERIFY(boxes.shown.empty());
    }

    void copyPutsTheReportOnTheClipboard()
    {
        QVERIFY(Report());
        Find<QPushButton>("cmdCopy")->click();
        const QStringList copied = QGuiApplication::clipboard()->text().remove('\r').split('\n');
        QCOMPARE(copied.size(), 12);  // the title, a blank line, nine aspects and the last line end
        QCOMPARE(copied[0].trimmed(), QStringLiteral("World transits on January 1, 2000, 12:00 (GMT).    Orbs: 3° to 10°"));
        QVERIFY(copied[1].isEmpty());
        QCOMPARE(copied[4], QStringLiteral("Venus   trine (1°19')         Neptune begins December 28, 1999,  "
                                           "ends January 6, 2000    (10 days)"));
        Find<QCheckBox>("chkShowDuration")->click();  // cleared: the list alone, in the narrow window
        QCOMPARE(Durations()->frameGeometry().width(), platform::Px(8500));
    }
};

int main(int argc, char* argv[])
{
    return orvane::testing::RunWindowTest<TestGuiDurations>(argc, argv);
}

#include "test_gui_durations.moc"
