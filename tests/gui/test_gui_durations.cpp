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

    void recordsWithoutDatesAreHiddenOnlyWhenSortedByEndingOrDuration()
    {
        QVERIFY(Report());
        const qsizetype aspects = Lines().size();
        QVERIFY(aspects >= 2);
        // A world-transit record whose second body is 10 carries blanks instead of dates.
        tools::DurationsWindow& model = Durations()->Model();
        model.records.recordLines.push_back(" 110 1 1 0.001000" + std::string(22, ' '));
        ++model.records.recordCount;
        auto* sortBy = Find<QComboBox>("cboSortBy");
        auto* showDurations = Find<QCheckBox>("chkShowDuration");
        const auto dated = [this] { return Lines().filter(" " + Text(text::kTextBegins) + " ").size(); };

        Choose(sortBy, 2);  // planet
        QCOMPARE(Lines().size(), aspects + 1);
        QCOMPARE(dated(), aspects);
        showDurations->click();  // cleared: every aspect, none with dates, in the narrow window
        QCOMPARE(Lines().size(), aspects + 1);
        QCOMPARE(dated(), 0);
        QCOMPARE(Durations()->frameGeometry().width(), platform::Px(8500));
        Choose(sortBy, 5);  // duration: ticks "Show durations" and leaves the record without dates out
        QVERIFY(showDurations->isChecked());
        QCOMPARE(Lines().size(), aspects);
        QCOMPARE(dated(), aspects);
        Choose(sortBy, 3);  // beginning
        QCOMPARE(Lines().size(), aspects + 1);
    }

    void copyPutsTheReportOnTheClipboard()
    {
        QVERIFY(Report());
        Find<QPushButton>("cmdCopy")->click();
        const std::string expected = Durations()->Model().ClipboardText();
        QVERIFY(expected.size() > 100 && QGuiApplication::clipboard()->text() == QString::fromStdString(expected));
    }

    void reportWithoutAspectsShowsTheMessageAndNoWindow()
    {
        program->configure.orbIndexes.fill(0);  // every orb 0°: no aspect at all
        Find<QPushButton>("cmdCompute", false)->click();
        Find<QPushButton>("cmdReport", false)->click();
        QCOMPARE(boxes.shown.size(), size_t{1});
        QCOMPARE(QString::fromStdString(boxes.shown[0].text), Text(text::kTextNoAspectsFound));
        QVERIFY(Durations() == nullptr);
    }
};

int main(int argc, char* argv[])
{
    return orvane::testing::RunWindowTest<TestGuiDurations>(argc, argv);
}

#include "test_gui_durations.moc"
