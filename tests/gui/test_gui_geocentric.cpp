// The geocentric view in the desktop: the chart's outer ring switched on and off in the configuration
// panel, and the positions window, with the main window built as the program builds it.

#include "display/geo_ring.h"
#include "gui/display/chart_view.h"
#include "platform/twips.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/window_test_main.h"

#include <QTableWidget>

using namespace orvane;

class TestGuiGeocentric : public testing::MainWindowFixture {
    Q_OBJECT

    QImage Chart() { return FindIn<gui::ChartView>(window.get(), QStringLiteral("picGraphic"))->ChartImage(); }

private slots:
    void init()
    {
        store = settings::MemorySettingsStore();
        QVERIFY(OpenMainWindow(gui::UserStateFilePath() + ".none"));
    }
    void cleanup() { window.reset(); }

    // Switched on, the ring widens the picture by its margin, the window takes the room, the chart inside
    // the circle is the same and the ring's glyphs stand outside it; switched off, the picture is the one
    // before to the pixel.
    void ringOnAndOff()
    {
        Operate({"cmdToggleGraphic"});
        const QImage off = Chart();
        const int height = window->height();
        QCOMPARE(off.size(), gui::ChartPixelSize(display::ChartKind::OneDate));
        Operate({"cmdConfigure", "frmConfigure/chkGeoRing", "frmConfigure/cmdAccept"});
        const QImage on = Chart();
        const int margin = platform::Px(display::kRingMargin);
        QCOMPARE(on.size(), off.size() + QSize(2 * margin, 2 * margin));
        // What is printed and exported as PDF, SVG or PNG is the same picture.
        QCOMPARE(FindIn<gui::ChartView>(window.get(), QStringLiteral("picGraphic"))->ShownPicture().size, on.size());
        QCOMPARE(window->height(), height + 2 * margin);
        QCOMPARE(store.Read(settings::kValueGeoRing), std::optional<std::string>("1"));
        const QPoint centre(off.width() / 2, off.height() / 2);
        const int inside = platform::Px(display::GeometryOf(display::ChartKind::OneDate).circleRadius) - 2;
        int changed = 0, ringInk = 0;
        for (int y = 0; y < on.height(); ++y)
            for (int x = 0; x < on.width(); ++x) {
                const QPoint p = QPoint(x, y) - QPoint(margin, margin) - centre;
                if (QPoint::dotProduct(p, p) < inside * inside)
                    changed += off.pixel(x - margin, y - margin) != on.pixel(x, y);
                else
                    ringInk += on.pixelColor(x, y) == gui::ToQColor(display::kRingGlyphColor);
            }
        QCOMPARE(changed, 0);
        QVERIFY2(ringInk > 50, qPrintable(QString::number(ringInk)));
        Operate({"frmConfigure/chkGeoRing", "frmConfigure/cmdAccept"});
        QCOMPARE(Chart(), off);
        QCOMPARE(window->height(), height);
    }

    // Ctrl+Shift+P opens the positions window for the moment shown; it follows the main window's steps
    // and its language.
    void positionsWindow()
    {
        QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Read("frmPositions.shown"), "yes");
        auto* table = FindIn<QTableWidget>(window.get(), QStringLiteral("lstPositions"));
        QCOMPARE(table->rowCount(), 11);  // Sun, Moon, Earth, Mercury … Pluto: no place, no angles
        QCOMPARE(QStringList({table->item(0, 0)->text(), table->item(0, 1)->text(), table->item(2, 2)->text()}),
                 QStringList({"Sun", "-", "-"}));
        QVERIFY(Read("frmPositions/lblPlace").startsWith("No place for this date"));
        QCOMPARE(Read("frmPositions/lblMoment"), "World date: 2000-01-01T12:00:00Z");
        Operate({"cmdForwardBack_0", "cboLanguage#1"});
        QCOMPARE(QStringList({Read("frmPositions/lblMoment"), Read("frmPositions"), table->horizontalHeaderItem(0)->text()}),
                 QStringList({"Weltdatum: 2000-01-02T12:00:00Z", "Positionen", "Körper"}));
    }
};

int main(int argc, char* argv[])
{
    return orvane::testing::RunWindowTest<TestGuiGeocentric>(argc, argv);
}

#include "test_gui_geocentric.moc"
