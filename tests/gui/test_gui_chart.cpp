// The chart's pictures: glyphs and line colours read from the painted image at computed points, the
// display filters, a crowded chart, and the right-click reports of a line and of the transit curve.

#include "gui/display/chart_view.h"
#include "gui/display/grid_view.h"
#include "app/actions.h"
#include "app/startup.h"
#include "platform/twips.h"

#include <QPainter>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace orvane::gui {

class TestGuiChart : public QObject {
    Q_OBJECT

    app::Workspace m_program;
    std::vector<platform::Message> m_shown;

    display::ChartData Data() { return display::MakeChartData(m_program.astro, m_program.main.result, m_program.main.currentMode, {}, m_program.language, "t"); }
    void Compute(core::Mode mode)
    {
        m_program.main.SelectMode(mode);
        QVERIFY(m_program.Compute().computed);
    }
    static bool Tinted(QColor pixel, double rgb)  // `rgb` smoothed onto the black ground, covering half the pixel or more
    {
        const QColor c = ToQColor(rgb);
        const double cover = std::max({pixel.red(), pixel.green(), pixel.blue()}) / double(std::max({c.red(), c.green(), c.blue()}));
        const auto near = [cover](int seen, int full) { return std::abs(seen - cover * full) <= 3; };
        return cover >= 0.5 && near(pixel.red(), c.red()) && near(pixel.green(), c.green()) && near(pixel.blue(), c.blue());
    }
    static QPointF End(const ChartResult& result, int16_t p)  // where the lines of body p's glyph (set 0) end, in pixels
    {
        return {platform::Px(result.glyphAt[size_t(p)][0].value().x + 120) + 0.5, platform::Px(result.glyphAt[size_t(p)][0].value().y + 120) + 0.5};
    }
    static QImage Paint(const display::ChartData& data, ChartResult& result)
    {
        QImage image(ChartPixelSize(data.kind), QImage::Format_RGB32);
        QPainter painter(&image);
        result = DrawChart(painter, data);
        return image;
    }
    // A view whose messages are noted.
    std::unique_ptr<ChartView> View()
    {
        auto view = std::make_unique<ChartView>(m_program);
        connect(view.get(), &ChartView::messageForUser, this, [this](const platform::Message& m) { m_shown.push_back(m); });
        m_shown.clear();
        return view;
    }

private slots:
    void initTestCase()
    {
        settings::MemorySettingsStore store;
        QVERIFY(m_program.StartUp(ORVANE_BIN_DIR "/", platform::FixedClock({}, 0), store).programText);
        m_program.main.yearTexts = {"2000", "1970", ""};
        for (size_t r : {0u, 1u})
            m_program.main.monthLists[r].SetListIndex(1), m_program.main.dayLists[r].SetListIndex(1);
        m_program.main.halfHourLists[0].SetListIndex(25);
        for (size_t k = 0; k < core::kNumAspects; ++k)
            m_program.configure.orbIndexes[k] = static_cast<int16_t>(m_program.configure.orbLists[k].ListCount() / 2);
    }

    void glyphsStandAtTheirLongitudesAndLinesInTheirColours()
    {
        Compute(core::Mode::WorldTransits);
        const display::ChartData data = Data();
        ChartResult result;
        const QImage image = Paint(data, result);
        QCOMPARE(result.drawn, ChartDrawn::Complete);
        for (int16_t p = 1; p <= 9; ++p) {
            const display::TwipPoint at = result.glyphAt[size_t(p)][0].value();
            const double angle = std::atan2(3000 - (at.y + display::kGlyphOffset), at.x + display::kGlyphOffset - 3000);
            QVERIFY(std::abs(core::SignedSeparation(core::NormalizeAngle(angle), data.longitudes[size_t(p)][0].value())) < 0.01);
            int white = 0;  // the glyph reprinted in white within its box
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 17; ++x)
                    white += image.pixelColor(at.x / 15 + x, at.y / 15 + y).lightness() > 200;
            QVERIFY2(white >= 3, qPrintable(QString::number(p)));
        }
        QVERIFY(data.lines.size() >= 10);
        int samples = 0, exact = 0;
        for (const display::ChartLine& line : data.lines) {
            const QPointF a = End(result, core::IndexOf(line.to)), b = End(result, core::IndexOf(line.from));
            for (double f : {0.35, 0.45, 0.55, 0.65}) {  // the line's colour on the line, give or take a pixel
                const QPoint at = (a + f * (b - a)).toPoint();
                bool found = false;
                for (int d = 0; d < 9; ++d)
                    found = found || Tinted(image.pixelColor(at + QPoint(d % 3 - 1, d / 3 - 1)), line.color);
                exact += found;
                ++samples;
            }
            for (const auto& [from, to] : {std::pair(a, b), std::pair(b, a)}) {  // near its ends, under a backing: no line colour
                const QColor c = ToQColor(line.color), under = image.pixelColor((from + 6 / QLineF(from, to).length() * (to - from)).toPoint());
                QVERIFY((c.red() == c.green() && c.green() == c.blue()) || (under.red() == under.green() && under.green() == under.blue()));
            }
        }
        QVERIFY2(exact >= samples * 3 / 4, qPrintable(QString("%1 of %2").arg(exact).arg(samples)));
    }

    void theTwoDateChartsWhiteGlyphsAreWhite()
    {
        Compute(core::Mode::PersonalTransits1st);
        ChartResult result;
        const QImage image = Paint(Data(), result);
        for (int16_t p = 1; p <= 9; ++p)  // green, the colour of their placement, does not show at their edges
            for (int d = 0; d < 121; ++d) {
                const QColor pixel = image.pixelColor(End(result, p).toPoint() + QPoint(d % 11 - 5, d / 11 - 5));
                QVERIFY(pixel.green() - pixel.red() <= 8);
            }
    }

    void bothFiltersGiveTheMessageAndNoLine()
    {
        Compute(core::Mode::WorldTransits);
        m_program.configure.onlyOuterPlanets = m_program.configure.onlyEarthAspects = true;
        auto view = View();
        QCOMPARE(view->DrawChart(), ChartDrawn::FiltersConflict);
        m_program.configure.onlyOuterPlanets = m_program.configure.onlyEarthAspects = false;
        QVERIFY(m_shown.size() == 1 && m_shown[0].text.find("and\r\n'Show only outer planet aspects in chart'\r\ncannot") != std::string::npos);
        const QImage image = view->ChartImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QVERIFY(image.pixel(x, y) == qRgb(0, 0, 0));
    }

    void aCrowdedChartEndsWithEveryGlyphOrTheWarning()
    {
        Compute(core::Mode::WorldTransits);
        for (double spread : {0.0, 0.03}) {
            for (const core::Body p : core::kBodies)
                m_program.main.result.positions[0][p].longitude = 1.0 + spread * core::IndexOf(p);
            ChartResult result;
            Paint(Data(), result);
            int placed = 0;
            for (int16_t p = 1; p <= 9; ++p)
                placed += result.glyphAt[size_t(p)][0].has_value();
            QVERIFY(result.drawn == ChartDrawn::Complete ? placed == 9 : result.drawn == ChartDrawn::NoRoom);
            // Two at one longitude: the later placed (Mars, after Jupiter) stands further in, clear of it.
            const display::TwipPoint mars = result.glyphAt[4][0].value(), jupiter = result.glyphAt[5][0].value();
            QVERIFY(spread > 0 || std::hypot(mars.x - 3000, mars.y - 3000) < std::hypot(jupiter.x - 3000, jupiter.y - 3000) - 195);
        }
        auto view = View();
        if (view->DrawChart() == ChartDrawn::NoRoom)
            QCOMPARE(m_shown.at(0).icon, platform::Icon::Exclamation);

        // Eighteen glyphs at one longitude cannot all fit between the circle and the least radius: the
        // search inwards ends there with the warning, keeping the glyphs already placed.
        Compute(core::Mode::PersonalTransits1st);
        for (const core::Body p : core::kBodies)
            m_program.main.result.positions[0][p].longitude = m_program.main.result.positions[1][p].longitude = 1.0;
        ChartResult result;
        Paint(Data(), result);
        QCOMPARE(result.drawn, ChartDrawn::NoRoom);
        QVERIFY(result.glyphAt[9][0].has_value() && !result.glyphAt[1][1].has_value());
    }

    void rightClickOnALineNamesItsAspect()
    {
        Compute(core::Mode::WorldTransits);
        auto view = View();
        view->DrawChart();
        const QImage image = view->ChartImage();
        const double trine = m_program.astro.tables.aspectColors[core::kTrine];
        QPoint at(-1, -1);  // a pixel of a trine's line, its colour nearly unblended
        for (int y = 0; y < image.height() && at.x() < 0; ++y)
            for (int x = 0; x < image.width() && at.x() < 0; ++x)
                if (Tinted(image.pixelColor(x, y), trine) && image.pixelColor(x, y).green() > 200)
                    at = {x, y};
        QVERIFY(at.x() >= 0);
        QTest::mouseClick(view.get(), Qt::RightButton, {}, at);
        QCOMPARE(m_shown.size(), 1u);
        QCOMPARE(m_shown[0].title + ": " + m_shown[0].text, std::string("This line is a: Trine (120°)"));
    }

    void transitPictureDrawsTheCourseAndReportsIt()
    {
        Compute(core::Mode::PersonalTransits1st);
        app::CellClickOutcome click;
        for (int16_t i = 24; i < 121 && click.kind != app::CellClickOutcome::Kind::TransitPicture; ++i)
            click = m_program.ClickCell(i);
        QCOMPARE(click.kind, app::CellClickOutcome::Kind::TransitPicture);
        const display::TransitPicture picture = display::MakeTransitPicture(m_program.astro, m_program.main, 1, click.p1, click.p2, click.aspect, click.zoneMinutes, *click.beginning, *click.ending, click.pictureCaption, m_program.language);
        auto view = View();
        view->ShowTransitPicture(picture);
        const QImage image = view->ChartImage();
        QCOMPARE(image.size(), QSize(730, 440));
        int drawn = 0;
        for (int k = 0; k < display::kTransitSamples; k += 7)
            if (const auto& d = picture.course[size_t(k)]) {
                const QPoint at(int(std::round(display::CourseX(picture, *d))), display::CourseY(k));
                QCOMPARE(ChartRgb(image.pixelColor(at)), picture.color);
                if (drawn++ == 0)
                    QTest::mouseClick(view.get(), Qt::RightButton, {}, at);
            }
        QVERIFY(drawn > 10 && m_shown.size() == 1);
        QCOMPARE(m_shown[0].title, std::string("Transit curve"));
    }
};

}  // namespace orvane::gui

QTEST_MAIN(orvane::gui::TestGuiChart)
#include "test_gui_chart.moc"
