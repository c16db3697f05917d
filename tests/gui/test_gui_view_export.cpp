// The text viewer, the help button and the manual link, and the chart image export, on the offscreen
// platform with temporary folders.

#include "datetime/date_input.h"
#include "gui/display/chart_view.h"
#include "gui/tools/frm_view.h"
#include "gui/tools/image_export.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/window_test_main.h"
#include "text/text_numbers.h"
#include "files/text_viewer.h"

#include <QDesktopServices>
#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

using namespace orvane;
namespace fs = std::filesystem;

class TestGuiViewExport : public testing::MainWindowFixture {
    Q_OBJECT

public slots:
    void OpenUrl(const QUrl& url) { opened.append(url); }

private:
    QList<QUrl> opened;
    QTemporaryDir dir;

    QString Path(const QString& name) const { return dir.filePath(name); }

    // The image of a chart showing `mode`, with the program text and empty date rows.
    static QImage Chart(app::Workspace& program, core::Mode mode)
    {
        program.astro.InitializeAstroTables(ORVANE_BIN_DIR);
        (void)program.language.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName);
        datetime::SetUpDateRows(program.main);
        program.main.currentMode = mode;
        gui::ChartView view(program);
        view.resize(640, 460);
        return gui::ComposeChartImage(program, view.ChartImage(), false);
    }

private slots:
    // Where each caption stands is the image text's rule; here the texts are painted, blue on black.
    void theComposedImageShowsItsCaptions()
    {
        app::Workspace program;
        const QImage image = Chart(program, core::Mode::WorldTransits);
        int blue = 0;  // "World date:", its edges smoothed
        for (int y = 350; y < 366; ++y)
            for (int x = 328; x < 388; ++x)
                blue += image.pixelColor(x, y).blue() - image.pixelColor(x, y).red() > 120;
        QVERIFY(blue > 20);
        QImage white(400, 400, QImage::Format_RGB32);  // each text on a black ground, also where a line runs
        white.fill(Qt::white);
        QCOMPARE(gui::ComposeChartImage(program, white, false).pixelColor(327, 358), QColor(Qt::black));
    }

    void exportWritesAPngAndRemovesTheBitmap()
    {
        app::Workspace program;
        const QImage image = Chart(program, core::Mode::Synastry);
        const platform::Message message = gui::SaveChartImage(program, image, Path("chart.png").toStdString());
        QCOMPARE(message.text, "The chart was saved as:\r\n" + Path("chart.png").toStdString());
        QImageReader reader(Path("chart.png"));
        QCOMPARE(reader.format(), QByteArray("png"));
        QCOMPARE(reader.read().convertToFormat(image.format()), image);
        QVERIFY(!fs::exists(Path("chart.bmp").toStdString()));
    }

    void aFailedConversionKeepsTheBitmapAndNothingIsLeftInAnUnwritableFolder()
    {
        app::Workspace program;
        QVERIFY(QDir(dir.path()).mkdir("blocked.png"));  // the conversion's target cannot be written
        const QImage chart = Chart(program, core::Mode::WorldTransits);
        const platform::Message message = gui::SaveChartImage(program, chart, Path("blocked.png").toStdString());
        QCOMPARE(message.text, "The conversion to PNG failed. The chart was saved as a bitmap:\r\n" + Path("blocked.bmp").toStdString());
        QCOMPARE(QImageReader(Path("blocked.bmp")).read().size(), chart.size());
        QVERIFY(fs::is_directory(Path("blocked.png").toStdString()));
        // A folder that cannot be written to: a clear message, and no file anywhere.
        QTemporaryDir empty;
        const platform::Message unwritable = gui::SaveChartImage(program, chart, empty.filePath("missing/chart.png").toStdString());
        QCOMPARE(unwritable.icon, platform::Icon::Exclamation);
        QVERIFY(unwritable.text.find("missing/chart.bmp") != std::string::npos);
        QVERIFY(fs::is_empty(empty.path().toStdString()));
    }

    // Where the viewer cuts a long file is the text viewer's rule; the window reloads only after its
    // close box, not after Close (which hides it).
    void theViewerReloadsOnlyAfterItsCloseBox()
    {
        text::Language language;
        (void)language.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName);
        gui::frmView view(language);
        std::ofstream(Path("big.txt").toStdString()) << std::string(files::kViewerMaxCharacters, 'x');
        view.strFilename = Path("big.txt").toStdString();
        view.show();
        auto* box = FindIn<QPlainTextEdit>(&view, "txbText1");
        QVERIFY(box->toPlainText().startsWith("NOTE:"));
        std::ofstream(Path("big.txt").toStdString()) << std::string(files::kViewerMaxCharacters - 1, 'x');
        FindIn<QAbstractButton>(&view, "cmdClose")->click();
        view.show();
        QVERIFY(box->toPlainText().startsWith("NOTE:"));
        view.close();
        view.show();
        QCOMPARE(box->toPlainText(), QString(files::kViewerMaxCharacters - 1, 'x'));
    }

    // Help over a data folder without the help file, then over the build's: the viewer shows the text (or
    // nothing), and the link opens the manual of the data folder or says it cannot.
    void helpShowsTheHelpTextAndTheLinkOpensTheManual()
    {
        for (const char* file : {"qvs.dat", "hpluto.2199.slx"})
            fs::create_symlink(fs::path(ORVANE_BIN_DIR) / file, Path(file).toStdString());
        for (const std::string& folder : {dir.path().toStdString() + "/", std::string(ORVANE_BIN_DIR) + "/"}) {
            const bool build = folder == std::string(ORVANE_BIN_DIR) + "/";
            QVERIFY(OpenMainWindow(Path("orvane.usr").toStdString(), folder));
            Check({"cmdHelp"}, {"frmView", "frmView/cmdCopyToClipboard.shown", "lblURL", "boxes"},
                  {"Help", "no", "<a href=\"manual\">Orvane manual (HTML)</a>", ""});
            QCOMPARE(Read("frmView/txbText1").startsWith("ORVANE"), build);
            emit FindIn<QLabel>(window.get(), "lblURL")->linkActivated("manual");
            const QString page = QString::fromStdString(folder) + "doc/manual/index.html";
            QCOMPARE(opened, build ? QList<QUrl>{QUrl::fromLocalFile(page)} : QList<QUrl>{});
            QCOMPARE(Read("boxes").contains(page + " cannot be opened"), !build);
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
