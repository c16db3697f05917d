// orvane --render: the chart of a sample written as SVG, PDF and PNG, each read back by an independent
// reader (librsvg, poppler, Qt's image reader); every refusal one line on stderr, a non-zero exit and
// no file left in the folder.

#include <QDir>
#include <QImage>
#include <QObject>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kSample = QStringLiteral(ORVANE_SOURCE_DATA_DIR "/samples/world-grand-trine.qvs");

// Pixels of the picture in a bright, saturated colour: the aspect lines.
int ColouredPixels(const QImage& image)
{
    int coloured = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            coloured += image.pixelColor(x, y).hsvSaturation() > 128 && image.pixelColor(x, y).value() > 128;
    return coloured;
}

}  // namespace

class TestGuiRender : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QTemporaryDir home;  // what the program may keep in a home stays out of `dir`

    // Runs a program without a display and without a chosen Qt platform, in a home of its own.
    static std::pair<int, QString> Run(const QString& program, const QStringList& arguments, const QString& home)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("HOME"), home);
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        process.waitForFinished(60000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError()).trimmed()};
    }
    std::pair<int, QString> Render(const QStringList& arguments)
    {
        return Run(QStringLiteral(ORVANE_PROGRAM), arguments, home.path());
    }

private slots:
    void eachFormatIsDrawnWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("size");
        QTest::addColumn<int>("width");
        QTest::newRow("svg at the chart's size") << "chart.svg" << QStringList{} << 400;
        QTest::newRow("pdf") << "chart.PDF" << QStringList{} << 400;
        QTest::newRow("png twice as wide") << "chart.png" << QStringList{"--size", "800"} << 800;
    }
    void eachFormatIsDrawnWhole()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, size);
        QFETCH(int, width);
        const QString path = dir.filePath(name);
        const auto [code, err] = Render(QStringList{"--render", kSample, "--output", path} + size);
        QCOMPARE(code, 0);
        QVERIFY2(err.isEmpty(), qPrintable(err));
        QImage image;
        if (name.endsWith(".svg")) {
            QVERIFY(QSvgRenderer(path).isValid());
            QCOMPARE(Run("rsvg-convert", {"-o", dir.filePath("svg.png"), path}, home.path()).first, 0);
            image.load(dir.filePath("svg.png"));
        } else if (name.endsWith(".PDF")) {
            QCOMPARE(Run("pdftoppm", {"-r", "96", "-png", "-singlefile", path, dir.filePath("pdf")}, home.path()).first, 0);
            image.load(dir.filePath("pdf.png"));
        } else {
            image.load(path);
        }
        QCOMPARE(image.size(), QSize(width, width));
        QCOMPARE(image.pixelColor(width / 2, width - 2), QColor(Qt::black));  // the chart's ground
        QVERIFY(ColouredPixels(image) > 100);
        for (const QString& leftOver : QDir(dir.path()).entryList(QDir::Files))
            QFile::remove(dir.filePath(leftOver));
    }

    // A world date held to the minute is captioned with the moment computed, not its rows' half hour.
    void captionShowsThePreciseMoment()
    {
        QFile sample(kSample);
        QVERIFY(sample.open(QIODevice::ReadOnly));
        QFile state(dir.filePath("precise.qvs"));
        QVERIFY(state.open(QIODevice::WriteOnly));
        state.write(sample.readAll() + "#PRECISE-MOMENTS#\r\n2000-01-29T12:10:00Z Europe/London\r\n\r\n\r\n");
        state.close();
        const QString path = dir.filePath("precise.svg");
        QCOMPARE(Render(QStringList{"--render", state.fileName(), "--output", path}).first, 0);
        QFile svg(path);
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QString drawn = QString::fromUtf8(svg.readAll());
        QVERIFY(drawn.contains(QStringLiteral(">12:10 Europe/London, GMT<")));
        QVERIFY(drawn.contains(QStringLiteral(">2000-01-29<")));
        QVERIFY(!drawn.contains(QStringLiteral(">12:00 ")));
        svg.close();
        QFile::remove(path);
        QFile::remove(state.fileName());
    }

    // --help and --version answer without a display.
    void helpAndVersionNeedNoDisplay()
    {
        for (const QString asked : {"--help", "--version"}) {
            QProcess process;
            process.setProcessEnvironment(QProcessEnvironment());  // no DISPLAY, no platform chosen
            process.start(QStringLiteral(ORVANE_PROGRAM), {asked});
            QVERIFY(process.waitForFinished(60000));
            QCOMPARE(process.exitCode(), 0);
            const QString out = QString::fromUtf8(process.readAllStandardOutput());
            QVERIFY2(out.startsWith(asked == "--help" ? "Usage: orvane" : "orvane 0."), qPrintable(out));
        }
    }

    void refusalsLeaveNoFile_data()
    {
        QDir(dir.path()).mkdir("folder.svg");
        QFile damaged(dir.filePath("damaged.qvs"));
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("not a state\n") > 0);
        damaged.close();
        // A natal state whose birth year lies beyond the ephemeris: no chart of another moment instead.
        QFile sample(QStringLiteral(ORVANE_SOURCE_DATA_DIR "/samples/natal.qvs"));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = sample.readAll().split('\n');
        lines[7] = "2900";
        QFile lateDate(dir.filePath("late.qvs"));
        QVERIFY(lateDate.open(QIODevice::WriteOnly) && lateDate.write(lines.join('\n')) > 0);
        lateDate.close();
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("says");
        const QString out = dir.filePath("out.svg");
        QTest::newRow("unknown format") << QStringList{kSample, "--output", dir.filePath("out.jpg")} << 2 << "Unknown picture format";
        QTest::newRow("too small") << QStringList{kSample, "--output", out, "--size", "50"} << 2 << "Unknown size: 50";
        QTest::newRow("not a number") << QStringList{kSample, "--output", out, "--size", "8x"} << 2 << "Unknown size: 8x";
        QTest::newRow("no output") << QStringList{kSample} << 2 << "--output";
        QTest::newRow("no chart") << QStringList{"--output", out} << 2 << "--render needs a state file or";
        QTest::newRow("2nd birthdate alone") << QStringList{"--birth2", "1980-01-01", "--output", out} << 2 << "--mode natal2";
        QTest::newRow("unknown mode") << QStringList{"--birth", "1980-01-01", "--mode", "natal3", "--output", out} << 2
                                      << "natal3 (valid: world, natal1";
        QTest::newRow("not a date") << QStringList{"--birth", "1980-01-01 Vienna", "--output", out} << 2 << "Vienna";
        QTest::newRow("two states") << QStringList{kSample, kSample, "--output", out} << 2 << "one too many";
        QTest::newRow("damaged state") << QStringList{dir.filePath("damaged.qvs"), "--output", out} << 1 << "damaged.qvs";
        QTest::newRow("date out of range") << QStringList{dir.filePath("late.qvs"), "--output", out} << 1
                                           << "cannot be drawn: 1st birthdate is too late";
        QTest::newRow("no such folder") << QStringList{kSample, "--output", dir.filePath("none/out.pdf")} << 1 << "could not be saved";
        QTest::newRow("a folder") << QStringList{kSample, "--output", dir.filePath("folder.svg")} << 1 << "not a file";
    }
    void refusalsLeaveNoFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exit);
        QFETCH(QString, says);
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        const auto [code, err] = Render(QStringList{"--render"} + arguments);
        QCOMPARE(code, exit);
        QVERIFY2(err.contains(says) && !err.contains('\n'), qPrintable(err));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    }
};

QTEST_GUILESS_MAIN(TestGuiRender)
#include "test_gui_render.moc"
