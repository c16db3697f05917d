// Print, export and keys of the windows, built as main() builds them: the export dialog writes what the
// main window shows in the file type chosen; the buttons' keys press them and their tooltips name them in
// both languages; the print preview opens on the picture; the dialogs close from the keyboard.

#include "gui/tools/frm_timeline.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/window_test_main.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QImageReader>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>

using namespace orvane;

class TestGuiOutput : public testing::MainWindowFixture {
    Q_OBJECT

    // Answers the next modal dialog of type T with `answer` once it is open; whether one opened.
    template <typename T>
    bool WithDialog(const std::function<void(T&)>& answer, const QStringList& steps)
    {
        bool opened = false;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                watcher.stop();
                opened = true;
                answer(*dialog);
            }
        });
        watcher.start(20);
        Operate(steps);
        return opened;
    }

private slots:
    void init()
    {
        std::filesystem::remove(gui::UserStateFilePath());
        gui::StoreLanguage(text::langEnglish);
        QVERIFY(OpenMainWindow());
        Operate({"txbYearCE_0=2000", "cboMonthCE_0#1", "cboDayCE_0#29", "cmdCompute"});
    }
    void cleanup() { window.reset(); }

    void theExportDialogWritesTheChosenFileType_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("type");  // PDF, SVG, PNG 1×, 2×, 4×
        QTest::addColumn<QString>("file");
        QTest::newRow("grid as PDF") << QStringList{} << 0 << "out.pdf";
        QTest::newRow("chart as SVG") << QStringList{"cmdToggleGraphic"} << 1 << "out.svg";
        QTest::newRow("chart as PNG 4x") << QStringList{"cmdToggleGraphic"} << 4 << "out.png";
    }
    void theExportDialogWritesTheChosenFileType()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, type);
        QFETCH(QString, file);
        Operate(steps);
        const QTemporaryDir dir;
        QVERIFY(WithDialog<QFileDialog>([&](QFileDialog& dialog) {
            dialog.setDirectory(dir.path());
            dialog.selectNameFilter(dialog.nameFilters().at(type));
            emit dialog.filterSelected(dialog.nameFilters().at(type));
            FindIn<QLineEdit>(&dialog, "fileNameEdit")->setText("out");
            FindIn<QDialogButtonBox>(&dialog, "buttonBox")->button(QDialogButtonBox::Save)->click();
        }, {"cmdExport"}));
        const QString path = dir.filePath(file);
        QVERIFY2(Read("boxes").endsWith("The picture was saved: " + path), qPrintable(Read("boxes")));
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        if (type == 0)
            QVERIFY(written.read(5) == "%PDF-");
        else if (type == 1)
            QCOMPARE(QSvgRenderer(path).viewBox(), QRect(0, 0, 400, 400));  // the chart's own pixels
        else
            QCOMPARE(QImageReader(path).size(), QSize(1600, 1600));
    }

    // orvane --render of a birth typed as the companion takes it draws, pixel for pixel, the chart the window
    // exports after the same birth is chosen in its date row (GMT, on the half hour) and natal1 computed.
    void theRenderOfABirthIsTheWindowsChart()
    {
        Operate({"txbYearCE_1=1978", "cboMonthCE_1#3", "cboDayCE_1#14", "cboHour_1#14", "cboTimezone_1#24",
                 "optNatal_0", "cmdCompute", "cmdToggleGraphic"});
        const QTemporaryDir dir;
        QVERIFY(WithDialog<QFileDialog>([&](QFileDialog& dialog) {
            dialog.setDirectory(dir.path());
            dialog.selectNameFilter(dialog.nameFilters().at(2));  // PNG at the chart's own size
            emit dialog.filterSelected(dialog.nameFilters().at(2));
            FindIn<QLineEdit>(&dialog, "fileNameEdit")->setText("window");
            FindIn<QDialogButtonBox>(&dialog, "buttonBox")->button(QDialogButtonBox::Save)->click();
        }, {"cmdExport"}));
        QProcess render;
        render.start(QStringLiteral(ORVANE_PROGRAM), {"--render", "--birth", "1978-03-14T06:30Z", "--output",
                                                      dir.filePath("render.png")});
        QVERIFY(render.waitForFinished(60000));
        QCOMPARE(render.exitCode(), 0);
        QCOMPARE(render.readAllStandardError(), QByteArray());
        const QImage window(dir.filePath("window.png"));
        const QImage rendered(dir.filePath("render.png"));
        QCOMPARE(window.size(), QSize(400, 400));
        QCOMPARE(rendered.convertToFormat(window.format()), window);
    }

    // Alt+Right steps forward a day, Ctrl+G shows the chart; the tooltips name the keys in each language.
    void keysPressTheButtonsTheirTooltipsName()
    {
        QTest::keyClick(window.get(), Qt::Key_Right, Qt::AltModifier);
        QTest::keyClick(window.get(), Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(Read("world") + ' ' + Read("picGraphic.shown"), QStringLiteral("2000-1-30 25 yes"));
        QCOMPARE(Control("cmdSave")->toolTip(), QStringLiteral("Shortcut: Ctrl+S"));
        QCOMPARE(Control("cmdForwardBack_1")->toolTip(), QStringLiteral("Shortcut: Alt+Left"));
        Operate({"cboLanguage#1"});
        QVERIFY2(Control("cmdQuit")->toolTip().startsWith("Tastenkürzel: "), qPrintable(Control("cmdQuit")->toolTip()));
        QCOMPARE(Read("cmdPrint") + '|' + Read("cmdExport"), QStringLiteral("Drucken ...|Exportieren ..."));
    }

    // Ctrl+Shift+S saves the state whatever is shown; the chart picture has its own key, which the button
    // names while it saves the chart.
    void saveAsKeysMeanOneThingEach()
    {
        const auto dialogTitle = [this](Qt::KeyboardModifiers modifiers) {
            QString title;
            QTimer watcher;
            connect(&watcher, &QTimer::timeout, [&] {
                if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                    watcher.stop();
                    title = dialog->windowTitle();
                    dialog->reject();
                }
            });
            watcher.start(20);
            // A window's keys work while it is active again after the last dialog.
            window->activateWindow();
            if (!QTest::qWaitForWindowActive(window.get()))
                return QStringLiteral("the main window stayed inactive");
            QTest::keyClick(window.get(), Qt::Key_S, modifiers);
            return title;
        };
        QCOMPARE(Control("cmdSaveAs")->toolTip(), QStringLiteral("Shortcut: Ctrl+Shift+S"));
        QCOMPARE(dialogTitle(Qt::ControlModifier | Qt::AltModifier), QString());
        Operate({"cmdToggleGraphic"});
        QCOMPARE(Control("cmdSaveAs")->toolTip(), QStringLiteral("Shortcut: Ctrl+Alt+S"));
        QCOMPARE(dialogTitle(Qt::ControlModifier | Qt::ShiftModifier), QStringLiteral("Save state as"));
        QCOMPARE(dialogTitle(Qt::ControlModifier | Qt::AltModifier), QStringLiteral("Save chart as PNG image"));
    }

    void printOpensThePreviewOfTheChart()
    {
        Operate({"cmdToggleGraphic"});
        QString title;
        QVERIFY(WithDialog<QPrintPreviewDialog>([&](QPrintPreviewDialog& preview) {
            title = preview.windowTitle();
            preview.reject();
        }, {"cmdPrint"}));
        QCOMPARE(title, window->windowTitle());
    }

    // Ctrl+T opens the timeline, whose picture zooms with + and shows the whole span again with Home.
    void theTimelineZoomsFromTheKeyboard()
    {
        QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
        gui::TimelineCanvas& canvas = qobject_cast<gui::frmTimeline*>(Control("frmTimeline"))->Canvas();
        const double whole = canvas.Layout().view.Length();
        QTest::keyClick(&canvas, Qt::Key_Plus);
        QCOMPARE(canvas.Layout().view.Length(), whole * 0.8);
        QTest::keyClick(&canvas, Qt::Key_Home);
        QCOMPARE(canvas.Layout().view.Length(), whole);
    }

    // The durations window: Print and Export beside its title, Escape closes it.
    void theDurationsWindowClosesFromTheKeyboard()
    {
        Operate({"cmdReport"});
        QWidget* durations = Control("frmDurations");
        QCOMPARE(FindIn<QPushButton>(durations, "cmdPrint")->toolTip(), QStringLiteral("Shortcut: Ctrl+P"));
        QTest::keyClick(durations, Qt::Key_Escape);
        QVERIFY(!durations->isVisible());
    }
};

int main(int argc, char* argv[])
{
    return testing::RunWindowTest<TestGuiOutput>(argc, argv);
}
#include "test_gui_output.moc"
