// The run until found on the offscreen platform: the main window's Run button, its dialog frmRun and the
// steps paced by Timer2, with scripted message boxes and a temporary home.

#include "core/patterns.h"
#include "app/actions.h"
#include "gui/main/frm_main.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/window_test_main.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace orvane;

class TestGuiRun : public testing::MainWindowFixture {
    Q_OBJECT

private:
    // A control of the main window, or of the run dialog (which has its own cmdRun).
    template <typename T>
    T* Find(const QString& name, QObject* in = nullptr)
    {
        return FindIn<T>(in != nullptr ? in : window.get(), name);
    }
    void Choose(const QString& name, int index, QObject* in = nullptr)
    {
        auto* box = Find<QComboBox>(name, in);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void Click(const QString& name, QObject* in = nullptr) { Find<QAbstractButton>(name, in)->click(); }
    QString RunCaption() { return Find<QPushButton>("cmdRun")->text(); }  // the main window's
    QDialog* Dialog() { return Find<QDialog>("frmRun"); }

    // The world date's year, month and day; its half hour and zone stay.
    void EnterWorldDate(const QString& year, int month, int day)
    {
        Find<QLineEdit>("txbYearCE_0")->setText(year);
        emit Find<QLineEdit>("txbYearCE_0")->textEdited(year);
        Choose("cboMonthCE_0", month);
        Choose("cboDayCE_0", day);
    }
    QString WorldDate()
    {
        return Find<QLineEdit>("txbYearCE_0")->text() + '-' +
               QString::number(Find<QComboBox>("cboMonthCE_0")->currentIndex()) + '-' +
               QString::number(Find<QComboBox>("cboDayCE_0")->currentIndex());
    }

    // Run, then in the dialog the pattern and the bodies of the three boxes, then OK.
    void RunUntil(int pattern, std::array<int, 3> bodies = {})
    {
        Click("cmdRun");
        QVERIFY(Dialog()->isVisible());
        Choose("cboAspectPattern", pattern, Dialog());
        for (int box = 0; box < 3; ++box)
            Choose(QStringLiteral("cboSoughtPlanet_%1").arg(box), bodies[static_cast<size_t>(box)], Dialog());
        Click("cmdRun", Dialog());
    }

private slots:
    void init()
    {
        QVERIFY(OpenMainWindow("/nonexistent/x.usr"));
    }
    void cleanup() { window.reset(); }

    void theDialogRefusesABodyTwiceAndReopensAsLeft()
    {
        RunUntil(core::kPatternKite, {core::kMars, core::kMars, 0});
        QCOMPARE(boxes.shown.back().text, std::string("Planet specified more than once."));
        QVERIFY(Dialog()->isVisible() && RunCaption() == Text(36));
        Dialog()->close();  // the close box cancels
        QVERIFY(!Dialog()->isVisible() && RunCaption() == Text(36));

        RunUntil(core::kPatternKite, {core::kMars, core::kVenus, 0});
        QVERIFY(!Dialog()->isVisible() && RunCaption() == Text(43));
        Click("cmdRun");
        QCOMPARE(RunCaption(), Text(36));
        Click("cmdRun");
        QCOMPARE(Find<QComboBox>("cboAspectPattern", Dialog())->currentIndex(), int{core::kPatternKite});
        QCOMPARE(Find<QComboBox>("cboSoughtPlanet_1", Dialog())->currentText(), QStringLiteral("Venus"));
        Click("cmdCancel", Dialog());
        QCOMPARE(RunCaption(), Text(36));
    }

    void aRunStepsUntilTheRunButtonStopsIt()
    {
        // "Run quickly" shortens the pause to 100 ms in world transits only.
        Click("cmdRun");
        Click("chkRunQuickly", Dialog());
        Click("cmdRun", Dialog());
        auto* timer = Find<QTimer>("Timer2");
        QCOMPARE(std::pair(timer->isActive(), timer->interval()), std::pair(true, 100));
        QVERIFY(!Find<QWidget>("cmdCompute")->isEnabled() && !Find<QWidget>("cboForwardBack")->isEnabled());
        QVERIFY(Find<QWidget>("cmdQuit")->isEnabled() && Find<QWidget>("txbReport")->isEnabled());
        // Quit's question holds the run still; Cancel lets it go on.
        bool steppingWhileAsked = true;
        boxes.whileShown = [&] { steppingWhileAsked = timer->isActive(); };
        boxes.answers = {platform::Button::Cancel};
        Click("cmdQuit");
        boxes.whileShown = nullptr;
        QVERIFY(!steppingWhileAsked && timer->isActive());
        Click("cmdRun");
        QVERIFY(!timer->isActive() && Find<QWidget>("cmdCompute")->isEnabled());

        window->SetRunStepIntervalForTests(10);
        EnterWorldDate("2000", 3, 1);
        Click("cmdRun");
        Click("cmdRun", Dialog());
        QTRY_VERIFY(Find<QComboBox>("cboDayCE_0")->currentIndex() >= 6);
        Click("cmdRun");
        QCOMPARE(RunCaption(), Text(36));
        const QString stopped = WorldDate();
        QTest::qWait(60);
        QCOMPARE(WorldDate(), stopped);
        QVERIFY(Find<QWidget>("cboForwardBack")->isEnabled());
    }

    void aFoundPatternStopsTheRunAndShowsTheDialogAgain()
    {
        window->SetRunStepIntervalForTests(5);
        // The orbs of the command-line companion's state, by which it finds this trine on 29 January 2000.
        const std::string state = ORVANE_SOURCE_DATA_DIR "/../tests/cli/golden/world-2000-01-17.qvs";
        QVERIFY(app::LoadStateFile(*program, state, store).ok());
        Choose("cboForwardBack", 1);  // one day
        EnterWorldDate("2000", 1, 25);
        window->showMinimized();
        QVERIFY(window->isMinimized());
        RunUntil(core::kPatternGrandTrine, {core::kEarth, core::kMars, core::kPluto});
        QTRY_VERIFY(!boxes.shown.empty());
        QCOMPARE(boxes.shown.back().title, Text(122).toStdString());
        QCOMPARE(boxes.shown.back().text, std::string("Grand trine found\r\ninvolving Earth Mars Pluto."));
        QCOMPARE(WorldDate(), QStringLiteral("2000-1-29"));
        QVERIFY(!window->isMinimized() && Dialog()->isVisible() && Find<QWidget>("cmdCompute")->isEnabled());
        QCOMPARE(RunCaption(), Text(36));
    }

    void aRunIntoARefusedDateStopsWithTheDateBefore()
    {
        EnterWorldDate("2799", 12, 15);
        Choose("cboForwardBack", 4);  // one year
        RunUntil(-1);
        QCOMPARE(boxes.shown.size(), size_t{1});
        QVERIFY(boxes.shown[0].text.find("2799") != std::string::npos);
        QCOMPARE(WorldDate(), QStringLiteral("2799-12-15"));
        QCOMPARE(RunCaption(), Text(36));
        QVERIFY(!Find<QTimer>("Timer2")->isActive() && Find<QWidget>("cmdCompute")->isEnabled());
    }
};

int main(int argc, char* argv[])
{
    return orvane::testing::RunWindowTest<TestGuiRun>(argc, argv);
}

#include "test_gui_run.moc"
