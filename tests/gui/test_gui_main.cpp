// The main window's wiring, each control to what the window shows after it, on the offscreen platform with
// scripted message boxes, a fixed clock and a temporary home.

#include "tests/support/main_window_fixture.h"
#include "tests/support/window_test_main.h"

#include <QApplication>
#include <QFile>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QSettings>

#include <filesystem>

using namespace orvane;

class TestGuiMain : public testing::MainWindowFixture {
    Q_OBJECT

    static std::string UserStateFile() { return gui::UserStateFilePath(); }

private slots:
    void init()
    {
        std::filesystem::remove(UserStateFile());
        gui::StoreLanguage(text::langEnglish);
        boxes.answers.clear();
        QVERIFY(OpenMainWindow(UserStateFile()));
    }
    void cleanup() { window.reset(); }

    void everyNamedControlIsThere()
    {
        for (const char* row : {"0", "1", "2"})
            for (const char* name : {"Label1_", "txbYearCE_", "cboMonthCE_", "cboDayCE_", "cboHour_", "cboTimezone_", "cmdClear_"})
                Control(QString(name) + row);
        for (const char* name : {"optPlanetary", "optNatal_0", "optNatal_1", "optPersonal_0", "optPersonal_1", "optSynastry",
                                 "optDegrees", "optRadians", "cmdCompute", "cmdNow", "cboForwardBack", "cmdRestore", "cmdSave",
                                 "cmdLoadState", "cmdSaveAs", "cmdReport", "cmdTimeline", "cmdRun", "cmdToggleGraphic", "cmdConfigure",
                                 "cmdHelp", "cmdQuit", "txbReport", "txbReport1", "picTable", "lblFoot"})
            Control(name);
        QCOMPARE(window->objectName(), QStringLiteral("frmMain"));
        Check({}, {"cmdForwardBack_0", "cmdForwardBack_1", "boxes"}, {"Forward", "Back", ""});
    }

    void wiring_data()
    {
        WiringColumns();
        const QStringList birthdate{"txbYearCE_1=1970", "cboMonthCE_1#3", "cboDayCE_1#8", "cboHour_1#3", "cboTimezone_1#24"};
        const QStringList worldDate{"txbYearCE_0=1999", "cboMonthCE_0#12", "cboDayCE_0#31", "cboHour_0#48"};
        QTest::newRow("a mode without its birthdate")
            << QStringList{"optPersonal_0"} << QStringList{"optPlanetary.checked", "frmMain.height", "lblURL.shown", "boxes"}
            << QStringList{"yes", "638", "yes", "Input error: 1st birthdate is incomplete."};
        QTest::newRow("personal transits")
            << birthdate + QStringList{"optPersonal_0"} << QStringList{"frmMain.height", "txbReport1.shown", "lblURL.shown", "lblTitle"}
            << QStringList{"707", "yes", "no", "Personal transits to the 1st birthdate (heliocentric).  Orbs: 1° to 3°20'"};
        QTest::newRow("back to a natal chart")
            << birthdate + QStringList{"optPersonal_0", "optNatal_0"} << QStringList{"frmMain.height", "lblClickonAspect", "boxes"}
            << QStringList{"638", "", ""};
        QTest::newRow("a year cleaned as typed, Return computes its row")
            << QStringList{"txbYearCE_0=3a000", "txbYearCE_1:Return", "txbYearCE_0:Return"} << QStringList{"txbYearCE_0", "boxes"}
            << QStringList{"3000", "Input error: World date is too late (the latest date is December 31, 2799)."};
        QTest::newRow("forward half an hour into the new year")
            << worldDate + QStringList{"cboForwardBack#0", "cmdForwardBack_0"} << QStringList{"world"} << QStringList{"2000-1-1 1"};
        QTest::newRow("back half an hour into the old year")
            << QStringList{"cboHour_0#1", "cboForwardBack#0", "cmdForwardBack_1"} << QStringList{"world"} << QStringList{"1999-12-31 48"};
        QTest::newRow("Save, then Restore in world transits")
            << worldDate + QStringList{"cmdSave", "txbYearCE_0=2010"} + birthdate + QStringList{"optPersonal_0", "cmdRestore"}
            << QStringList{"world", "optPlanetary.checked", "frmMain.height", "boxes"} << QStringList{"1999-12-31 48", "yes", "638", ""};
        QTest::newRow("the language switch")
            << QStringList{"cboLanguage#1"} << QStringList{"cmdCompute", "optPlanetary", "cboForwardBack"}
            << QStringList{"Berechnen", "Welttransite", "1 Tag"};
        QTest::newRow("a cell click asks about the durations")
            << QStringList{"!No", "picTable#43"} << QStringList{"boxes"}
            << QStringList{"Heliocentric Neptune trine to heliocentric Venus: With an orb of 7° 0' this trine begins on December 28, 1999 "
                           "and ends on January 6, 2000.  List the durations of all current world transits?"};
        QTest::newRow("Clear asks, then clears the row")
            << QStringList{"!Yes", "cmdClear_0"} << QStringList{"txbYearCE_0", "cmdClear_0.shown", "boxes"}
            << QStringList{"", "no", "Clear: Clear the entries of the world date?"};
        QTest::newRow("Quit asks, Cancel keeps the window")
            << QStringList{"!Cancel", "cmdQuit"} << QStringList{"frmMain.shown", "boxes"}
            << QStringList{"yes", "Quit: Save the current state before quitting?"};
    }
    void wiring() { CheckRow(); }

    // What outlasts the window: the saved state (read at the next start), the language, the state files
    // named at start (the first opened, the others named), and nothing from the close box.
    void whatOutlastsTheWindow()
    {
        Operate({"txbYearCE_0=1987", "cboMonthCE_0#3", "cboDayCE_0#9", "cboHour_0#20", "cmdSave", "cboLanguage#1"});
        QCOMPARE(QSettings("Veltrane", "ZEMT").value(gui::kLanguageSetting).toInt(), 1);
        const std::string named = UserStateFile() + ".qvs";
        std::filesystem::copy_file(UserStateFile(), named, std::filesystem::copy_options::overwrite_existing);
        QVERIFY(OpenMainWindow(UserStateFile()));
        Check({"cboLanguage#0", "txbYearCE_0=2010"}, {"world"}, {"2010-3-9 20"});
        window->OpenStateFiles({named, "second.qvs", "third.qvs"});
        Check({}, {"world", "boxes"}, {"1987-3-9 20", "Load state from file: Only one state file is opened at a time. "
                                                      "These files were not opened: second.qvs third.qvs"});
        QCOMPARE(Read("lblFoot"), QString::fromStdString(named) + " loaded.");
        const QString folder = QString::fromStdString(std::filesystem::temp_directory_path().string());
        window->OpenStateFiles({folder.toStdString()});  // a folder: refused, the window as it was
        QVERIFY(Read("boxes").contains("Error loading the state file: The state file " + folder + " cannot be read"));
        QCOMPARE(Read("world"), QStringLiteral("1987-3-9 20"));
        std::filesystem::remove(named);
        std::filesystem::remove(UserStateFile());
        const size_t asked = boxes.shown.size();
        window->close();  // the close box ends the program without the question, and writes nothing
        QVERIFY(!window->isVisible() && boxes.shown.size() == asked);
        QVERIFY(!std::filesystem::exists(UserStateFile()));
    }

    // A year line of a state file is the year as typed: the per-user file at start and "Load from ..." both
    // take it, and the window shows it cleaned to its digits, as typed years are.
    void yearsFromAFile_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("cleaned");
        for (const char* year : {"20a0-5", "-44", "+7", "19'99", "1e308", "0x10"})
            QTest::newRow(year) << year << QString(year).remove(QRegularExpression("[^0-9]"));
    }
    void yearsFromAFile()
    {
        QFETCH(QString, year);
        QFETCH(QString, cleaned);
        Operate({"txbYearCE_0=2000", "cboMonthCE_0#3", "cboDayCE_0#9", "txbYearCE_1=1970", "cboMonthCE_1#1", "cboDayCE_1#1",
                 "cmdSave"});
        QFile file(QString::fromStdString(UserStateFile()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = file.readAll().split('\n');
        file.close();
        lines[2] = year.toLatin1() + '\r';
        lines[7] = year.toLatin1() + '\r';
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(lines.join('\n'));
        file.close();
        const std::string named = UserStateFile() + ".qvs";
        std::filesystem::copy_file(UserStateFile(), named, std::filesystem::copy_options::overwrite_existing);

        QVERIFY(OpenMainWindow(UserStateFile()));
        Check({}, {"world", "txbYearCE_1", "boxes"}, {cleaned + "-3-9 25", cleaned, ""});
        Operate({"txbYearCE_0=2010", "txbYearCE_1=2010"});
        window->OpenStateFiles({named});
        window->Timer1_Timer();
        Check({}, {"world", "txbYearCE_1", "boxes"}, {cleaned + "-3-9 25", cleaned, ""});
        std::filesystem::remove(named);
    }

    // "Save as ..." of a name typed without an extension saves NAME.qvs, and asks before replacing it.
    void saveAsAddsTheExtensionBeforeAskingToReplace()
    {
        const QTemporaryDir dir;
        QFile(dir.filePath("mine.qvs")).open(QIODevice::WriteOnly);
        // One timer answers the file dialog, another the question its Save button asks from within it.
        QString question;
        QTimer typist;
        QTimer answerer;
        // The user types the name into the dialog's name box, in the folder, and presses Save.
        connect(&typist, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            typist.stop();
            dialog->setDirectory(dir.path());
            FindIn<QLineEdit>(dialog, "fileNameEdit")->setText("mine");
            FindIn<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Save)->click();
        });
        connect(&answerer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                answerer.stop();
                question = box->text();
                box->button(QMessageBox::Yes)->click();
            }
        });
        typist.start(20);
        answerer.start(20);
        Operate({"cmdSaveAs"});
        QVERIFY2(question.contains("mine.qvs"), qPrintable(question));
        QVERIFY(!QFile::exists(dir.filePath("mine")) && QFileInfo(dir.filePath("mine.qvs")).size() > 100);
    }

    // Help, the durations and the panel over a main window that reaches below the screen stay on it.
    void theWindowsItOpensStayOnTheScreen()
    {
        const QRect area = window->screen()->availableGeometry();
        window->move(area.left(), area.center().y());
        Operate({"cmdHelp", "cmdReport", "cmdConfigure", "cmdTimeline"});
        for (const char* name : {"frmView", "frmDurations", "frmConfigure", "frmTimeline"})
            QVERIFY2(Control(name)->isVisible() && area.contains(Control(name)->frameGeometry()), name);
    }

    // The button row's longest German captions are not clipped.
    void theGermanButtonRowIsUnclipped()
    {
        Operate({"cboLanguage#1"});
        QApplication::processEvents();
        for (const QPushButton* button : Control("fraButtons")->findChildren<QPushButton*>())
            QVERIFY2(button->width() >= button->fontMetrics().horizontalAdvance(button->text()) + 4,
                     qPrintable(button->text()));
    }
};

int main(int argc, char* argv[])
{
    return orvane::testing::RunWindowTest<TestGuiMain>(argc, argv);
}

#include "test_gui_main.moc"
