// The grid on screen and the chart-font layer: pixels at computed points of the grabbed grid, clicks on
// cells, and the symbols the chart font draws for every glyph letter.

#include "gui/display/chart_font.h"
#include "gui/display/grid_view.h"
#include "gui/display/page_painter.h"
#include "app/startup.h"

#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>

namespace orvane::gui {

class TestGuiDisplay : public QObject {
    Q_OBJECT

    app::Workspace m_program;
    const display::GridModel& m_grid = m_program.grid;

    // The cells of a world-transit (or personal-transit) computation on 1 January 2000, 12:00 GMT, of a
    // 1 January 1970 birthdate, with the panel's default orbs.
    void Compute(core::Mode mode)
    {
        m_program.main.SelectMode(mode);
        QVERIFY(m_program.Compute().computed);
    }
    // The pixels of a cell's face (without the line between cells) whose red, green or blue differs from
    // `colour` by more than `tolerance`.
    static int CountOther(const QImage& image, const QRect& cell, QColor colour, int tolerance = 0)
    {
        int count = 0;
        for (int y = cell.top(); y < cell.bottom(); ++y)
            for (int x = cell.left(); x < cell.right(); ++x) {
                const QColor p = image.pixelColor(x, y);
                count += std::max({abs(p.red() - colour.red()), abs(p.green() - colour.green()), abs(p.blue() - colour.blue())}) > tolerance;
            }
        return count;
    }

private slots:
    void initTestCase()
    {
        settings::MemorySettingsStore store;
        const auto started = m_program.StartUp(ORVANE_BIN_DIR "/", platform::FixedClock({}, 0), store);
        QVERIFY(started.programText && started.plutoTable);
        m_program.main.yearTexts = {"2000", "1970", ""};
        for (auto* list : {&m_program.main.monthLists, &m_program.main.dayLists})
            (*list)[0].SetListIndex(1), (*list)[1].SetListIndex(1);
        m_program.main.halfHourLists[0].SetListIndex(25);  // 12:00
    }

    void triangleCellsShowTheirColours()
    {
        Compute(core::Mode::WorldTransits);
        GridView view(m_grid);
        const QImage image = view.grab().toImage();
        const std::array<QColor, 8> defaults{QColor(), QColor(255, 255, 0), QColor(255, 0, 255), QColor(255, 0, 0),
                                             QColor(0, 255, 0), QColor(0, 255, 255), QColor(128, 128, 255), QColor(128, 128, 128)};
        const core::AspectResult& result = m_program.main.result;
        QVERIFY(result.TotalAspects() > 0);
        for (const core::AspectFound& found : result.aspects) {
            const int16_t i = m_grid.CellIndex(display::AspectCell(result.comparison, found));
            const int16_t aspect = core::IndexOf(found.aspect);
            const QRect cell = view.CellRect(i);
            QCOMPARE(image.pixelColor(cell.topLeft() + QPoint(2, 2)), QColor(Qt::black));
            // Text on black is the aspect's colour times its coverage: the most covered pixels come close.
            QVERIFY(CountOther(image, cell, defaults[static_cast<size_t>(aspect)], 48) < (cell.width() - 1) * (cell.height() - 1));
        }
        QCOMPARE(image.pixelColor(view.CellRect(0).topLeft() + QPoint(2, 2)), QColor(230, 255, 230));
        // Mars's header on the diagonal shows its symbol.
        QVERIFY(CountOther(image, view.CellRect(48), QColor(200, 200, 220)) > 20);
        // Cell 45 lies below the diagonal: the grid's grey shows there.
        const QColor hidden = image.pixelColor(view.CellRect(45).center());
        QVERIFY(hidden == view.palette().color(QPalette::Window) && hidden.hslSaturation() == 0 && hidden.value() > 0);
    }

    void boldDrawsMoreInk()
    {
        display::GridModel grid = m_grid;
        grid.cellTexts[49].text = "Sqr\r\n2°15' -";
        grid.cellTexts[49].foreColor = core::RGB(255, 0, 0);
        GridView view(grid);
        const int plain = CountOther(view.grab().toImage(), view.CellRect(49), Qt::black);
        grid.cellTexts[49].bold = true;
        view.SyncFromModel();
        QVERIFY(CountOther(view.grab().toImage(), view.CellRect(49), Qt::black) > plain + 10);
    }

    void clickOnACellEmitsItsNumber()
    {
        Compute(core::Mode::PersonalTransits1st);
        GridView view(m_grid);
        QCOMPARE(view.size(), QSize(11 * 72, 11 * 38));
        QSignalSpy clicked(&view, &GridView::cellClicked);
        QTest::mouseClick(&view, Qt::LeftButton, {}, view.CellRect(24).center());
        QTest::mouseClick(view.findChild<QWidget*>("txbCell_120"), Qt::LeftButton);
        Compute(core::Mode::WorldTransits);
        view.SyncFromModel();
        QTest::mouseClick(&view, Qt::LeftButton, {}, view.CellRect(45).center());  // below the diagonal
        QCOMPARE(clicked.size(), 2);
        QCOMPARE(QList({clicked[0][0].toInt(), clicked[1][0].toInt()}), QList({24, 120}));
    }

    // A printed list keeps every line whole: the page grows to its longest line, one line of height each.
    void aListPageNeverWrapsALine()
    {
        const QFont font(QStringLiteral("Liberation Mono"), 10);
        const QString longest = QString(150, QLatin1Char('x')) + QLatin1Char('#');
        const QString list = QStringLiteral("short\n") + longest + QStringLiteral("\nshort");
        const Picture page = TextPagePicture(QStringLiteral("Title"), list, font, font);
        const QFontMetrics metrics(font);
        QVERIFY(page.size.width() > metrics.horizontalAdvance(longest));
        const Picture oneLine = TextPagePicture(QStringLiteral("Title"), QStringLiteral("short"), font, font);
        QCOMPARE(page.size.height() - oneLine.size.height(), 2 * metrics.lineSpacing());
    }

    void everyGlyphLetterHasItsSymbolInTheChosenFont()
    {
        const core::AstroTables& t = m_program.astro.tables;
        std::vector<std::string> letters(t.bodyGlyphs.begin() + 1, t.bodyGlyphs.end());
        letters.insert(letters.end(), t.signGlyphs.begin(), t.signGlyphs.end());
        QSet<QString> symbols;
        for (const std::string& letter : letters) {
            const ChartGlyph glyph = Glyph(letter.front(), 14);
            QVERIFY2(QFontMetrics(glyph.font).inFont(glyph.text.front()), letter.c_str());
            symbols.insert(Glyph(letter.front(), 14, GlyphSource::Unicode).text);
        }
        QCOMPARE(symbols.size(), 22);
        QCOMPARE(Glyph('h', 14, GlyphSource::Unicode).text, QString(u'\u2642'));
    }
};

}  // namespace orvane::gui

QTEST_MAIN(orvane::gui::TestGuiDisplay)
#include "test_gui_display.moc"
