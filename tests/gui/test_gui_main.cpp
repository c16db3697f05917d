// The main window on the offscreen platform, with a scripted message recorder, a fixed clock and a
// temporary home, data and settings folder, so that nothing touches the real user's files.

#include "gui/display/grid_view.h"
#include "gui/main/frm_main.h"
#include "gui/tools/frm_timeline.h"
#include "platform/twips.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/window_test_main.h"

#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <memory>

using namespace orvane;
using platform::Button;

class TestGuiMain : public testing::MainWindowFixture {
    Q_OBJECT

private:
    std::string UserStateFile() const { return app::UserStateFilePath(); }

    void Open()
    {
        QVERIFY(OpenMainWindow(UserStateFile()));
    }

    template <typename T>
    T* Find(const QString& name)
    {
        return FindIn<T>(window.get(), name);
    }

    void Choose(const QString& name, int index)
    {
        auto* box = Find<QComboBox>(name);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    // Enters a row's date through its controls: year, month, day, half-hour position, zone position.
    void EnterRow(int row, const QString& year, int month, int day, int hour, int zone = 24)
    {
        const QString n = QString::number(row);
        auto* yearBox = Find<QLineEdit>("txbYearCE_" + n);
        yearBox->clear();
        QTest::keyClicks(yearBox, year);
        Choose("cboMonthCE_" + n, month);
        Choose("cboDayCE_" + n, day);
        Choose("cboHour_" + n, hour);
        Choose("cboTimezone_" + n, zone);
    }

    QString WorldDate()
    {
        return Find<QLineEdit>("txbYearCE_0")->text() + '-' +
               QString::number(Find<QComboBox>("cboMonthCE_0")->currentIndex()) + '-' +
               QString::number(Find<QComboBox>("cboDayCE_0")->currentIndex()) + ' ' +
               QString::number(Find<QComboBox>("cboHour_0")->currentIndex());
    }

    void Click(const QString& name) { Find<QAbstractButton>(name)->click(); }

private slots:
    void init()
    {
        std::filesystem::remove(UserStateFile());
        boxes.shown.clear();
        boxes.answers.clear();
        Open();
    }

    void cleanup() { window.reset(); }

    void everyNamedControlIsThere()
    {
        for (const char* row : {"0", "1", "2"})
            for (const char* name : {"Label1_", "txbYearCE_", "cboMonthCE_", "cboDayCE_", "cboHour_",
                                        "cboTimezone_", "cmdClear_"})
                Find<QWidget>(QString(name) + row);
        for (const char* name :
             {"optPlanetary", "optNatal_0", "optNatal_1", "optPersonal_0", "optPersonal_1", "optSynastry",
              "optDegrees", "optRadians", "cmdCompute", "cmdNow", "cmdForwardBack_0", "cmdForwardBack_1",
              "cboForwardBack", "cmdRestore", "cmdSave", "cmdLoadState", "cmdSaveAs", "cmdReport", "cmdTimeline", "cmdRun",
              "cmdToggleGraphic", "cmdConfigure", "cmdHelp", "cmdQuit", "lblTitle", "lblClickonAspect", "txbReport",
              "txbReport1", "picTable", "cboLanguage", "lblFoot"})
            Find<QWidget>(name);
        QCOMPARE(window->objectName(), QStringLiteral("frmMain"));
        QCOMPARE(Find<QPushButton>("cmdForwardBack_0")->text(), Text(22));
        QCOMPARE(Find<QPushButton>("cmdForwardBack_1")->text(), Text(21));
        QVERIFY(boxes.shown.empty());
    }

    void aModeClickRecomputesAndResizes()
    {
        const QString worldTitle = Find<QLabel>("lblTitle")->text();
        Click("optPersonal_0");  // the empty 1st birthdate is reported and the change refused
        QVERIFY(Find<QRadioButton>("optPlanetary")->isChecked() && window->height() == platform::Px(9565));
        QVERIFY(Find<QWidget>("lblURL")->isVisible());
        EnterRow(1, "1970", 3, 8, 3);
        Click("optPersonal_0");
        QCOMPARE(window->height(), platform::Px(10600));
        QCOMPARE(program->grid.cellCount, int16_t{121});
        QVERIFY(Find<QLabel>("lblTitle")->text() != worldTitle);
        QVERIFY(Find<QWidget>("txbReport1")->isVisible());
        QVERIFY(!Find<QWidget>("lblURL")->isVisible());
        Click("optNatal_0");
        QCOMPARE(window->height(), platform::Px(9565));
        QCOMPARE(program->grid.cellCount, int16_t{90});
        QCOMPARE(Find<QLabel>("lblClickonAspect")->text(), QString());
        QCOMPARE(boxes.shown.size(), size_t{1});
    }

    void aDateErrorIsShownAndLeavesTheGrid()
    {
        const QString title = Find<QLabel>("lblTitle")->text();
        const display::GridModel grid = program->grid;
        auto* year = Find<QLineEdit>("txbYearCE_0");
        year->clear();
        QTest::keyClicks(year, "3a000");
        QCOMPARE(year->text(), QStringLiteral("3000"));  // cleaned as typed
        QTest::keyClick(Find<QLineEdit>("txbYearCE_1"), Qt::Key_Return);  // the 1st birthdate is not used
        QVERIFY(boxes.shown.empty());
        QTest::keyClick(year, Qt::Key_Return);
        QCOMPARE(boxes.shown.size(), size_t{1});
        QCOMPARE(QString::fromStdString(boxes.shown[0].title), Text(153));
        QVERIFY(QString::fromStdString(boxes.shown[0].text).startsWith(Text(4)));
        QCOMPARE(Find<QLabel>("lblTitle")->text(), title);
        QVERIFY(program->grid.cellTexts == grid.cellTexts);
    }

    void forwardAndBackCrossMonthAndYearEnds()
    {
        EnterRow(0, "1999", 12, 31, 48);
        Choose("cboForwardBack", 0);  // half an hour
        Click("cmdForwardBack_0");
        QCOMPARE(WorldDate(), QStringLiteral("2000-1-1 1"));
        Click("cmdForwardBack_1");
        QCOMPARE(WorldDate(), QStringLiteral("1999-12-31 48"));
    }

    void saveThenRestoreThroughTheUserFile()
    {
        EnterRow(0, "1987", 3, 9, 20);
        Click("cmdSave");
        QVERIFY(std::filesystem::exists(UserStateFile()));
        EnterRow(0, "2010", 7, 1, 1);
        EnterRow(1, "1970", 3, 8, 3);
        Click("optPersonal_0");
        Click("cmdRestore");  // back to world transits, and to its height
        QCOMPARE(WorldDate(), QStringLiteral("1987-3-9 20"));
        QCOMPARE(window->height(), platform::Px(9565));
        QVERIFY(boxes.shown.empty());
        Open();  // start-up loads the file that is there
        QCOMPARE(WorldDate(), QStringLiteral("1987-3-9 20"));
    }

    void stateFilesNamedAtStartOpenTheFirstAndNameTheOthers()
    {
        EnterRow(0, "1987", 3, 9, 20);
        Click("cmdSave");
        const std::string named = UserStateFile() + ".qvs";
        std::filesystem::copy_file(UserStateFile(), named);
        EnterRow(0, "2010", 7, 1, 1);
        window->OpenStateFiles({named, "second.qvs", "third.qvs"});
        QCOMPARE(WorldDate(), QStringLiteral("1987-3-9 20"));
        QCOMPARE(Find<QLabel>("lblFoot")->text(), QString::fromStdString(named + " ") + Text(387));
        QCOMPARE(boxes.shown.size(), size_t{1});
        QCOMPARE(boxes.shown[0].text, Text(1320).toStdString() + "\r\nsecond.qvs\r\nthird.qvs");
        // A folder gets the box of "Load from ..." and leaves the window as it was.
        window->OpenStateFiles({std::filesystem::temp_directory_path().string()});
        QCOMPARE(boxes.shown.size(), size_t{2});
        QCOMPARE(QString::fromStdString(boxes.shown[1].title), Text(385));
        QCOMPARE(WorldDate(), QStringLiteral("1987-3-9 20"));
        std::filesystem::remove(named);
    }

    void theLanguageSwitchRecaptionsAndIsRemembered()
    {
        Choose("cboLanguage", 1);
        QApplication::processEvents();
        // The row's longest German captions are not clipped.
        for (const QPushButton* button : Find<QWidget>("fraButtons")->findChildren<QPushButton*>())
            QVERIFY2(button->width() >= button->fontMetrics().horizontalAdvance(button->text()) + 4,
                     qPrintable(button->text()));
        QCOMPARE(Find<QPushButton>("cmdCompute")->text(), Text(19));
        QCOMPARE(Text(19), QStringLiteral("Berechnen"));
        QCOMPARE(Find<QRadioButton>("optPlanetary")->text(), Text(9));
        QCOMPARE(Find<QComboBox>("cboForwardBack")->itemText(1), Text(171));
        QCOMPARE(QSettings("Veltrane", "ZEMT").value(app::kLanguageSetting).toInt(), 1);
        Choose("cboLanguage", 0);
        QCOMPARE(Find<QPushButton>("cmdCompute")->text(), QStringLiteral("Compute"));
    }

    void aCellClickAsksAboutTheDurations()
    {
        int16_t cell = 0;
        while (cell < program->grid.cellCount && program->grid.CellAspect(program->astro.tables, cell) == 0)
            ++cell;
        QVERIFY(cell < program->grid.cellCount);
        boxes.answers.push_back(Button::No);
        emit Find<display::GridView>("picTable")->cellClicked(cell);
        QCOMPARE(boxes.shown.size(), size_t{1});
        QCOMPARE(boxes.shown[0].buttons, platform::Buttons::YesNo);
    }

    // Help, the durations and the panel over a main window that reaches below the screen stay on it.
    void theWindowsItOpensStayOnTheScreen()
    {
        const QRect area = window->screen()->availableGeometry();
        window->move(area.left(), area.center().y());
        for (const char* button : {"cmdHelp", "cmdReport", "cmdConfigure", "cmdTimeline"})
            Click(button);
        for (const char* name : {"frmView", "frmDurations", "frmConfigure", "frmTimeline"})
            QVERIFY2(Find<QWidget>(name)->isVisible() && area.contains(Find<QWidget>(name)->frameGeometry()), name);
    }

    // The timeline button opens a year from the world date; a click on an exact mark sets the world date
    // there and computes; the exports write their files or, where the folder cannot be written, none.
    void theTimelineSetsTheWorldDateAndExports()
    {
        Click("cmdTimeline");
        auto* timeline = Find<tools::frmTimeline>("frmTimeline");
        const display::Timeline& model = timeline->Model();
        QVERIFY(timeline->isVisible() && !model.rows.empty());
        QCOMPARE(model.from, 2451544.5);  // midnight GMT starting 1 January 2000
        QCOMPARE(model.to, 2451544.5 + 366);
        size_t row = 0;
        while (model.rows[row].bars.front().exacts.empty())
            ++row;
        const double exact = model.rows[row].bars.front().exacts.front();
        const display::TimelineLayout layout = timeline->Canvas().Layout();
        const QPoint at(qRound(layout.X(exact)), layout.headerHeight + int(row) * layout.rowHeight + layout.rowHeight / 2);
        QTest::mouseClick(&timeline->Canvas(), Qt::LeftButton, {}, at);
        QVERIFY(std::abs(program->main.moments[0] - exact) <= 1.0 / 96);  // to the half hour
        QCOMPARE(Find<QLineEdit>("txbYearCE_0")->text().toDouble(), 2000.0 + (exact > 2451910.5));

        const QTemporaryDir dir;
        struct Case {
            QString path;
            bool png, written;
        };
        for (const Case& c : {Case{dir.filePath("t.png"), true, true}, Case{dir.filePath("t.csv"), false, true},
                              Case{dir.filePath("no/t.png"), true, false}, Case{dir.filePath("no/t.csv"), false, false}}) {
            const bool written = c.png ? timeline->ExportPng(c.path.toStdString()) : timeline->ExportCsv(c.path.toStdString());
            QCOMPARE(written, c.written);
            QCOMPARE(QFile::exists(c.path), c.written);
            QCOMPARE(boxes.shown.back().icon, c.written ? platform::Icon::Information : platform::Icon::Exclamation);
        }
        QCOMPARE(QImageReader(dir.filePath("t.png")).size().height(),
                 layout.headerHeight + int(model.rows.size()) * layout.rowHeight);
        QFile csv(dir.filePath("t.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readLine(), QByteArray("body1,aspect,body2,enter,exact,leave\r\n"));
        QTest::keyClick(timeline, Qt::Key_Escape);
        QVERIFY(!timeline->isVisible());
    }

    void clearAsksAndQuitsCancelKeepsTheWindow()
    {
        boxes.answers = {Button::Yes};
        Click("cmdClear_0");
        QCOMPARE(Find<QLineEdit>("txbYearCE_0")->text(), QString());
        QVERIFY(!Find<QPushButton>("cmdClear_0")->isVisible());
        boxes.answers = {Button::Cancel};
        Click("cmdQuit");
        QCOMPARE(boxes.shown.back().buttons, platform::Buttons::YesNoCancel);
        QVERIFY(window->isVisible());
        // The close box ends the program without the question, and writes nothing.
        const size_t asked = boxes.shown.size();
        window->close();
        QVERIFY(!window->isVisible());
        QCOMPARE(boxes.shown.size(), asked);
        QVERIFY(!std::filesystem::exists(UserStateFile()));
    }
};

int main(int argc, char* argv[])
{
    return orvane::testing::RunWindowTest<TestGuiMain>(argc, argv);
}

#include "test_gui_main.moc"
