// The text viewer, the help button and the manual link, and the chart image export, on the offscreen
// platform with temporary folders.

#include "datetime/date_input.h"
#include "gui/display/chart_view.h"
#include "gui/main/frm_main.h"
#include "tests/support/recording_message_boxes.h"
#include "tests/support/window_test_main.h"
#include "text/text_numbers.h"
#include "gui/tools/frm_view.h"
#include "gui/tools/image_export.h"
#include "tools/text_viewer.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

using namespace orvane;
namespace fs = std::filesystem;

class TestGuiViewExport : public QObject {
    Q_OBJECT

public slots:
    void OpenUrl(const QUrl& url) { opened.append(url); }

private:
    QList<QUrl> opened;
    QTemporaryDir dir;

    QString Path(const QString& name) const { return dir.filePath(name); }

    // A program whose chart shows `mode`, with the program text and empty date rows.
    static std::unique_ptr<app::Workspace> ChartProgram(int16_t mode)
    {
        auto program = std::make_unique<app::Workspace>();
        program->astro.InitializeAstroTables(ORVANE_BIN_DIR);
        (void)program->language.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName);
        datetime::SetUpDateRows(program->main);
        program->main.currentMode = mode;
        return program;
    }

    // Pixels of blue text (Blue) or of grey text (Grey) in `area`; the text's edges are smoothed.
    enum Ink { Blue, Grey };
    static int Count(const QImage& image, const QRect& area, Ink ink)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += ink == Blue ? c.blue() - c.red() > 120 : c.red() == c.blue() && c.red() < 200;
            }
        return n;
    }

    static QImage Chart(const app::Workspace& program)
    {
        display::ChartView view(program);
        view.resize(640, 460);
        return tools::ComposeChartImage(program, view.ChartImage(), false);
    }

private slots:
    void theComposedImageHasItsTitleAndCaptionsAtTheirPlaces()
    {
        const auto program = ChartProgram(core::kModeWorldTransits);
        const QImage image = Chart(*program);
        QVERIFY(Count(image, {328, 350, 60, 16}, Blue) > 20);   // "World date:"
        QCOMPARE(Count(image, {5, 367, 250, 40}, Blue), 0);     // no outer-planet note
        QVERIFY(Count(image, {5, 0, 50, 16}, Grey) > 20);       // "Orvane"
        QVERIFY(Count(image, {443, 17, 40, 16}, Grey) > 10);    // the version at the middle plus 123
        QImage white(400, 400, QImage::Format_RGB32);  // each text on a black ground, also where a line runs
        white.fill(Qt::white);
        QCOMPARE(tools::ComposeChartImage(*program, white, false).pixelColor(327, 358), QColor(Qt::black));  // left of "World date:"
    }

    void exportWritesAPngAndRemovesTheBitmap()
    {
        const auto program = ChartProgram(core::kModeSynastry);
        const QImage image = Chart(*program);
        const platform::Message message = tools::SaveChartImage(*program, image, Path("chart.png").toStdString());
        QCOMPARE(message.text, program->language.Text(text::kTextChartSaved) + "\r\n" + Path("chart.png").toStdString());
        QImageReader reader(Path("chart.png"));
        QCOMPARE(reader.format(), QByteArray("png"));
        QCOMPARE(reader.read().convertToFormat(image.format()), image);
        QVERIFY(!fs::exists(Path("chart.bmp").toStdString()));
    }

    void aFailedConversionKeepsTheBitmapAndNothingIsLeftInAnUnwritableFolder()
    {
        const auto program = ChartProgram(core::kModeWorldTransits);
        QVERIFY(QDir(dir.path()).mkdir("blocked.png"));  // the conversion's target cannot be written
        const QImage chart = Chart(*program);
        const platform::Message message = tools::SaveChartImage(*program, chart, Path("blocked.png").toStdString());
        QCOMPARE(message.text,
                 program->language.Text(text::kTextPngConversionFailed) + "\r\n" + Path("blocked.bmp").toStdString());
        QCOMPARE(QImageReader(Path("blocked.bmp")).read().size(), chart.size());
        QVERIFY(fs::is_directory(Path("blocked.png").toStdString()));
        // A folder that cannot be written to: a clear message, and no file anywhere.
        QTemporaryDir empty;
        const platform::Message unwritable =
            tools::SaveChartImage(*program, Chart(*program), empty.filePath("missing/chart.png").toStdString());
        QCOMPARE(unwritable.icon, platform::Icon::Exclamation);
        QVERIFY(unwritable.text.find("missing/chart.bmp") != std::string::npos);
        QVERIFY(fs::is_empty(empty.path().toStdString()));
    }

    void theViewerCutsAtTheLimitAndReloadsOnlyAfterItsCloseBox()
    {
        const auto program = ChartProgram(core::kModeWorldTransits);
        tools::frmView view(program->language);
        std::ofstream(Path("big.txt").toStdString()) << std::string(tools::kViewerMaxCharacters, 'x');
        view.strFilename = Path("big.txt").toStdString();
        view.show();
        auto* box = view.findChild<QPlainTextEdit*>("txbText1");
        const tools::ViewerNotices notices = tools::NoticesOf(program->language);
        QVERIFY(box->toPlainText().startsWith(QString::fromStdString(notices.head).replace("\r\n", "\n")));
        QVERIFY(box->toPlainText().endsWith("x\n\n" + QString::fromStdString(notices.tail).replace("\r\n", "\n")));
        std::ofstream(Path("big.txt").toStdString()) << std::string(tools::kViewerMaxCharacters - 1, 'x');
        view.findChild<QPushButton*>("cmdClose")->click();
        view.show();
        QVERIFY(box->toPlainText().startsWith("NOTE:"));  // only hidden: the text stays
        view.close();
        view.show();
        QCOMPARE(box->toPlainText(), QString(tools::kViewerMaxCharacters - 1, 'x'));
    }

    void helpShowsTheHelpTextAndTheLinkOpensTheManual()
    {
        settings::MemorySettingsStore store;
        testing::RecordingMessageBoxes boxes;
        const platform::FixedClock clock{{2000, 1, 1, 12, 0, 0}};
        // A data folder without the help file, then the build's one with it.
        for (const char* file : {"qvs.dat", "hpluto.2199.slx"})
            fs::create_symlink(fs::path(ORVANE_BIN_DIR) / file, Path(file).toStdString());
        for (const std::string& folder : {dir.path().toStdString() + "/", std::string(ORVANE_BIN_DIR) + "/"}) {
            app::Workspace program;
            app::frmMain window(program, store, boxes, clock, {folder, Path("orvane.usr").toStdString()});
            QVERIFY(window.Form_Load());
            window.show();
            auto* help = window.findChild<QPushButton*>("cmdHelp");
            QVERIFY(help->isEnabled());
            help->click();
            auto* view = window.findChild<tools::frmView*>("frmView");
            QCOMPARE(view->windowTitle(), help->text());
            QVERIFY(!view->findChild<QPushButton*>("cmdCopyToClipboard")->isVisible());
            const QString shown = view->findChild<QPlainTextEdit*>("txbText1")->toPlainText();
            QCOMPARE(shown.startsWith("ORVANE"), folder == std::string(ORVANE_BIN_DIR) + "/");
            QVERIFY(boxes.shown.empty());
            // The link opens the manual's page of the data folder; the scratch folder has none.
            auto* link = window.findChild<QLabel*>("lblURL");
            QCOMPARE(link->text(), QStringLiteral("<a href=\"manual\">Orvane manual (HTML)</a>"));
            emit link->linkActivated(QStringLiteral("manual"));
            const QString page = QString::fromStdString(folder) + "doc/manual/index.html";
            if (folder == std::string(ORVANE_BIN_DIR) + "/") {
                QVERIFY(boxes.shown.empty());
                QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(page)});
            } else {
                QCOMPARE(boxes.shown.size(), size_t{1});
                QVERIFY(QString::fromStdString(boxes.shown[0].text).contains(page + " cannot be opened"));
                boxes.shown.clear();
            }
        }
    }

public:
    TestGuiViewExport() { QDesktopServices::setUrlHandler("file", this, "OpenUrl"); }
    ~TestGuiViewExport() override { QDesktopServices::unsetUrlHandler("file"); }
};

int main(int argc, char* argv[])
{
    return orvane::testing::RunWindowTest<TestGuiViewExport>(argc, argv);
}

#include "test_gui_view_export.moc"
