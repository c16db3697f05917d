// The Charts window and the place field of the ◷ dialog: the window built as the program builds it, on
// the offscreen platform, its library the default one under the test's temporary home.

#include "tests/support/main_window_fixture.h"
#include "tests/support/window_test_main.h"

#include "charts/chart_store.h"
#include "gui/platform/date_field.h"
#include "gui/platform/place_fields.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTableWidget>
#include <QTimeEdit>

using namespace orvane;

class TestGuiCharts : public testing::MainWindowFixture {
    Q_OBJECT

    // Operate's steps, and: "…/dtpDate=1978-03-14", "…/dtpTime=06:45:00", "…/txbPlace~Munich#0" (typed,
    // then proposal 0 taken from the list under the field), "…/name@Key" (a key pressed in it, "Ctrl+K"
    // in the main window), "…/mnuAddFirst" (a menu entry).
    void Enter(const QStringList& steps)
    {
        for (const QString& step : steps) {
            const qsizetype at = step.indexOf('=');
            const qsizetype tilde = step.indexOf('~');
            const qsizetype key = step.indexOf('@');
            if (tilde > 0) {
                auto* place = qobject_cast<gui::PlaceField*>(Control(step.left(tilde)));
                const QStringList typed = step.mid(tilde + 1).split('#');
                place->setFocus();
                QTest::keyClicks(place, typed[0]);
                QAbstractItemView* list = place->completer()->popup();
                list->setCurrentIndex(list->model()->index(typed[1].toInt(), 0));
                QTest::keyClick(list, Qt::Key_Return);
            } else if (key > 0) {
                QWidget* control = Control(step.left(key));
                const QKeySequence sequence(step.mid(key + 1));
                QTest::keyClick(control, static_cast<Qt::Key>(sequence[0].key()), sequence[0].keyboardModifiers());
            } else if (step.contains("/mnu")) {
                FindIn<QAction>(window.get(), step.section('/', -1))->trigger();
            } else if (auto* date = at > 0 ? qobject_cast<gui::DateField*>(Control(step.left(at))) : nullptr) {
                date->setDate(QDate::fromString(step.mid(at + 1), Qt::ISODate));
            } else if (auto* time = at > 0 ? qobject_cast<QTimeEdit*>(Control(step.left(at))) : nullptr) {
                time->setTime(QTime::fromString(step.mid(at + 1), Qt::ISODate));
            } else {
                Operate({step});
            }
        }
    }

    // "rows": the list's names and places; "focus": the Charts window's control with the focus; "name.tip": a hover text's
    // first line.
    QString Read(const QString& probe) override
    {
        if (probe == QLatin1String("rows")) {
            auto* list = FindIn<QTableWidget>(window.get(), "lstCharts");
            QStringList names;
            for (int r = 0; r < list->rowCount(); ++r)
                names << list->item(r, 0)->text() + " | " + list->item(r, 2)->text();
            return names.join("; ");
        }
        if (probe == QLatin1String("focus")) {  // the Charts window's, active or not
            const QWidget* focus = FindIn<QWidget>(window.get(), "frmCharts")->focusWidget();
            return focus ? focus->objectName() : QString();
        }
        if (probe.endsWith(".tip"))
            return Control(probe.chopped(4))->toolTip().section('\n', 0, 0);
        return MainWindowFixture::Read(probe);
    }

    // A new chart entered whole: New, the entries, OK.
    static QStringList NewChart(const QString& name, const QString& date, const QString& place, const QString& tags)
    {
        return {"frmCharts/cmdNew", "frmChartEdit/txbName=" + name, "frmChartEdit/dtpDate=" + date,
                "frmChartEdit/dtpTime=06:45:00", "frmChartEdit/txbPlace~" + place + "#0", "frmChartEdit/txbTags=" + tags,
                "frmChartEdit/cmdOK"};
    }

private slots:
    void init()
    {
        gui::StoreLanguage(text::langEnglish);
        QFile::remove(QString::fromStdString(charts::DefaultChartsPath()));
        QVERIFY(OpenMainWindow(gui::UserStateFilePath() + ".none"));
    }
    void cleanup() { window.reset(); }

    void wiring_data()
    {
        WiringColumns();
        const QStringList two = QStringList{"frmMain@Ctrl+K"} + NewChart("Berger", "1978-03-14", "Munich", "client") +
                                NewChart("Adler", "1950-07-01", "Vienna", "");
        QTest::newRow("Ctrl+K opens the window, the search box with the focus, the library in the temporary home")
            << QStringList{"frmMain@Ctrl+K"} << QStringList{"frmCharts", "focus", "frmCharts/lblCount", "frmCharts/cmdEdit.enabled"}
            << QStringList{"Charts", "txbSearch", "0 of 0 charts in " + qEnvironmentVariable("XDG_DATA_HOME") + "/orvane/charts.sqlite",
                           "no"};
        QTest::newRow("New saves a chart, its place chosen from the atlas, and the list shows it chosen")
            << two << QStringList{"rows", "frmChartEdit.shown", "frmCharts/cmdEdit.enabled"}
            << QStringList{"Adler | Vienna, AT; Berger | Munich, Bavaria, DE", "no", "yes"};
        QTest::newRow("the search narrows the list as the user types; Return goes to the list")
            << two + QStringList{"frmCharts/txbSearch=cli", "frmCharts/txbSearch@Return"} << QStringList{"rows", "focus"}
            << QStringList{"Berger | Munich, Bavaria, DE", "lstCharts"};
        QTest::newRow("Use as 1st birthdate gives the row the chart's precise moment")
            << two + QStringList{"frmCharts/txbSearch=berg", "frmCharts/txbSearch@Return", "frmCharts/cmdUseFirst"}
            << QStringList{"lblMoment_1.tip", "txbYearCE_1"} << QStringList{"06:45 Europe/Berlin, GMT+1:00", "1978"};
        QTest::newRow("Delete asks first: No keeps the chart, Yes deletes it")
            << two + QStringList{"!No", "frmCharts/lstCharts@Delete", "!Yes", "frmCharts/cmdDelete"}
            << QStringList{"rows", "boxes"}
            << QStringList{"Berger | Munich, Bavaria, DE",
                           "Charts: Delete the chart \"Adler\" from the library? | Charts: Delete the chart \"Adler\" from the library?"};
        QTest::newRow("Close hides the window")
            << two + QStringList{"frmCharts/cmdClose"} << QStringList{"frmCharts.shown"} << QStringList{"no"};
        QTest::newRow("Add to charts drafts the 1st birthdate; a name is all it needs")
            << two + QStringList{"frmCharts/lstCharts@Return", "frmChartEdit/cmdCancel", "frmCharts/cmdUseFirst",
                                 "frmCharts/mnuAddFirst", "frmChartEdit/txbName=Copy", "frmChartEdit/cmdOK"}
            << QStringList{"rows"} << QStringList{"Adler | Vienna, AT; Berger | Munich, Bavaria, DE; Copy | Vienna, AT"};
        QTest::newRow("the ◷ dialog's place fills the zone")
            << QStringList{"cmdMoment_1", "frmMoment/txbPlace~Springfield, Ill#0"}
            << QStringList{"frmMoment/txbPlace", "frmMoment/cboZone"} << QStringList{"Springfield, Illinois, US", "America/Chicago"};
    }
    void wiring()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, probes);
        QFETCH(QStringList, expected);
        Enter(steps);
        Check({}, probes, expected);
    }

    void headings()
    {
        Enter(QStringList{"frmMain@Ctrl+K"} + NewChart("Berger", "1978-03-14", "Munich", "") + NewChart("Adler", "1950-07-01", "Vienna", ""));
        QHeaderView* header = FindIn<QTableWidget>(window.get(), "lstCharts")->horizontalHeader();
        emit header->sectionClicked(1);
        QCOMPARE(Read("rows"), "Adler | Vienna, AT; Berger | Munich, Bavaria, DE");
        emit header->sectionClicked(1);
        QCOMPARE(Read("rows"), "Berger | Munich, Bavaria, DE; Adler | Vienna, AT");
    }

    // A file at the library's place that is not a library: the window says so and stays empty; the file
    // is left as it was.
    void refusedLibrary()
    {
        const QString path = QString::fromStdString(charts::DefaultChartsPath());
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("a shopping list, not a chart library\n");
        file.close();
        Enter({"cmdCharts"});
        QVERIFY(Read("boxes").contains("is not a chart library of Orvane"));
        QCOMPARE(Read("frmCharts/cmdNew.enabled"), "no");
        QCOMPARE(QFileInfo(path).size(), 37);
    }

    // The window open while the language changes follows it, its count line too; the chart editor (which
    // holds the main window while it is open) speaks the new language when it opens next.
    void german()
    {
        Enter({"cmdCharts", "frmCharts/cmdNew", "frmChartEdit/cmdCancel", "cboLanguage#1", "frmCharts/cmdNew",
               "frmChartEdit/txbName=Berger", "frmChartEdit/cboKind#1"});
        QCOMPARE(Read("frmCharts"), "Horoskope");
        QCOMPARE(Read("cmdCharts"), "Horos&kope");
        QCOMPARE(Read("frmCharts/cmdUseFirst"), "Als &1. Geburtsdatum");
        QVERIFY(Read("frmCharts/lblCount").startsWith("0 von 0 Horoskopen in "));
        QCOMPARE(Read("frmChartEdit"), "Horoskop");
        QCOMPARE(Read("frmChartEdit/cmdCancel"), "Abbrechen");
        QCOMPARE(Read("frmChartEdit/txbName"), "Berger");
        QCOMPARE(Read("frmChartEdit/cboKind"), "Ereignis");
    }
};

int main(int argc, char* argv[])
{
    return orvane::testing::RunWindowTest<TestGuiCharts>(argc, argv);
}

#include "test_gui_charts.moc"
