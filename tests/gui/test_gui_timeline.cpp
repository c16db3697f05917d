// The aspect timeline's wiring, on an offscreen screen of 1366 × 768 pixels with window frames: where it
// opens, the date it opens at, the From box, the planets' check boxes, a click and the exports.

#include "gui/platform/date_field.h"
#include "gui/tools/frm_timeline.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/window_test_main.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImageReader>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <filesystem>

using namespace orvane;

class TestGuiTimeline : public testing::MainWindowFixture {
    Q_OBJECT

    gui::frmTimeline& Timeline() { return *qobject_cast<gui::frmTimeline*>(Control("frmTimeline")); }

private slots:
    void init()
    {
        std::filesystem::remove(gui::UserStateFilePath());
        gui::StoreLanguage(text::langEnglish);
        QVERIFY(OpenMainWindow());
    }
    void cleanup() { window.reset(); }

    // Beside the main window, which moves to the screen's left edge to make room, both whole on the screen;
    // the span starts at midnight of the world date the row shows, also in the modes that never convert it.
    void itOpensBesideTheMainWindowAtTheWorldDateShown()
    {
        Operate({"txbYearCE_1=1970", "cboMonthCE_1#3", "cboDayCE_1#8", "cboHour_1#3", "cboTimezone_1#24",
                 "txbYearCE_2=1975", "cboMonthCE_2#5", "cboDayCE_2#1", "cboHour_2#3", "cboTimezone_2#24",
                 "txbYearCE_0=1995", "cboMonthCE_0#6", "cboDayCE_0#15", "cboTimezone_0#24"});
        for (const char* mode : {"optNatal_0", "optSynastry", "optPlanetary"}) {
            Operate({mode, "cmdTimeline"});
            QCOMPARE(Timeline().Model().from, 2449883.5);  // 15 June 1995, 0:00 GMT
        }
        const QRect area = window->screen()->availableGeometry();
        const QRect main = window->frameGeometry(), timeline = Timeline().frameGeometry();
        QVERIFY(area.contains(main) && area.contains(timeline) && !main.intersects(timeline));
    }

    // Printed, the timeline keeps its text size: a page a year of the span at most, as many whole rows as fit
    // under the tick band, the rows continued on further pages.
    void itPrintsOnAsManyPagesAsItNeeds()
    {
        Operate({"cmdTimeline", "frmTimeline/cboSpan#6"});
        const auto* canvas = Timeline().findChild<gui::TimelineCanvas*>();
        QVERIFY(canvas != nullptr);
        const display::TimelineLayout layout = canvas->Layout();
        const int years = static_cast<int>(std::ceil(layout.view.Length() / 366.0 - 1e-9));
        QVERIFY(years > 1);
        const std::vector<gui::Picture> tall = canvas->PagePictures(QSize(1000, 100000));
        QCOMPARE(static_cast<int>(tall.size()), years);
        const int rows = (tall.front().size.height() - layout.headerHeight) / layout.rowHeight;
        QVERIFY(rows > 10);
        const QSize page(1000, layout.headerHeight + 10 * layout.rowHeight + layout.rowHeight / 2);
        const std::vector<gui::Picture> pages = canvas->PagePictures(page);
        QCOMPARE(static_cast<int>(pages.size()), years * ((rows + 9) / 10));
        for (const gui::Picture& picture : pages) {
            QVERIFY(picture.size.width() == 1000 && picture.size.height() <= page.height());
            QCOMPARE((picture.size.height() - layout.headerHeight) % layout.rowHeight, 0);
        }
    }

    // Below the aspect rows, a lane per pattern and bodies under the pattern's heading, counted in the
    // canvas' height; unticking a planet takes away the lanes of its patterns, as it takes its pairs.
    void thePatternLanes()
    {
        Operate({"cmdTimeline"});
        const gui::frmTimeline& timeline = Timeline();
        QVERIFY(!timeline.Lanes().empty());
        const display::TimelineLayout layout = Timeline().Canvas().Layout();
        QCOMPARE(Timeline().Canvas().ContentHeight(),
                 layout.headerHeight +
                     (timeline.Model().RowCount() + static_cast<int>(timeline.Lanes().size())) * layout.rowHeight);
        const size_t all = timeline.Lanes().size();
        Operate({"frmTimeline/chkBody_2"});
        QVERIFY(timeline.Lanes().size() < all);
        for (const display::PatternLane& lane : timeline.Lanes())
            QVERIFY(std::find(lane.bodies.begin(), lane.bodies.end(), core::Body::Mercury) == lane.bodies.end());
    }

    // Return in the From box takes the typed date and presses no button; unticking planets leaves the
    // rows of pairs whose two planets are both ticked.
    void theFromBoxAndThePlanets()
    {
        Operate({"cmdTimeline"});
        QSignalSpy exported(Control("frmTimeline/cmdExportPng"), SIGNAL(clicked()));
        QTimer shutter;  // a file dialog opened by mistake is closed at once
        connect(&shutter, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        shutter.start(50);
        auto* from = qobject_cast<gui::DateField*>(Control("frmTimeline/dtpFrom"));
        from->selectAll();
        QTest::keyClicks(from, "1999-01-01");
        QTest::keyClick(from, Qt::Key_Return);
        QVERIFY(Timeline().Model().from == 2451179.5 && exported.isEmpty());  // 1 January 1999

        const size_t all = Timeline().Model().rows.size();
        Operate({"frmTimeline/chkBody_2", "frmTimeline/chkBody_4"});
        QVERIFY(!Timeline().Model().rows.empty() && Timeline().Model().rows.size() < all);
        for (const display::TimelineRow& row : Timeline().Model().rows)
            for (const core::Body body : {row.pair.body1, row.pair.body2})
                QVERIFY(body != core::Body::Mercury && body != core::Body::Mars);
        for (const display::TimelineLane& lane : Timeline().Model().lanes)
            QVERIFY(lane.body != core::Body::Mercury && lane.body != core::Body::Mars);
    }

    // Every moving body's own events are marks on its lane above the aspects: a year of Mercury holds four
    // rounds of ingresses, nodes and apsides; a click beside a mark sets the world date to a mark's moment.
    void theLanesHoldTheBodiesOwnEvents()
    {
        Operate({"cmdTimeline"});
        const display::Timeline& model = Timeline().Model();
        QVERIFY(model.lanes.size() >= 4);  // in a year the Earth, Mercury, Venus and Mars change signs at least
        const display::TimelineLane& mercury = model.lanes[1];
        QCOMPARE(mercury.body, core::Body::Mercury);
        const auto count = [&mercury](core::EventKind kind) {
            return std::count_if(mercury.marks.begin(), mercury.marks.end(),
                                 [kind](const core::Event& mark) { return mark.kind == kind; });
        };
        QVERIFY(count(core::EventKind::Ingress) >= 48 && count(core::EventKind::AscendingNode) >= 4 &&
                count(core::EventKind::Perihelion) >= 4);
        const double moment = mercury.marks[mercury.marks.size() / 2].moment;
        const display::TimelineLayout layout = Timeline().Canvas().Layout();
        QTest::mouseClick(&Timeline().Canvas(), Qt::LeftButton, {},
                          QPoint(qRound(layout.X(moment)) + 2, layout.headerHeight + layout.rowHeight * 3 / 2));
        QVERIFY(std::any_of(mercury.marks.begin(), mercury.marks.end(), [this](const core::Event& mark) {
            return std::abs(program->main.moments[0] - mark.moment) <= 1.0 / 96;
        }));
        // The further aspects join the bars when ticked (the rows are filtered anew: `mercury` is gone).
        const size_t seven = model.rows.size();
        Operate({"frmTimeline/chkFurtherAspects"});
        QVERIFY(model.rows.size() > seven && std::any_of(model.rows.begin(), model.rows.end(), [](const auto& row) {
                    return core::IsExtraAspect(row.aspect);
                }));
    }

    // The timeline button opens a year from the world date; a click on an exact mark sets the world date
    // there and computes; the exports write their files or, where the folder cannot be written, none.
    void theTimelineSetsTheWorldDateAndExports()
    {
        Operate({"cmdTimeline"});
        auto* timeline = qobject_cast<gui::frmTimeline*>(Control("frmTimeline"));
        const display::Timeline& model = timeline->Model();
        QVERIFY(timeline->isVisible() && !model.rows.empty());
        QCOMPARE(model.from, 2451544.5);  // midnight GMT starting 1 January 2000
        QCOMPARE(model.to, 2451544.5 + 366);
        size_t row = 0;
        while (model.rows[row].bars.front().exacts.empty())
            ++row;
        const double exact = model.rows[row].bars.front().exacts.front();
        const display::TimelineLayout layout = timeline->Canvas().Layout();
        const int top = layout.headerHeight + int(model.lanes.size() + row) * layout.rowHeight;
        const QPoint at(qRound(layout.X(exact)), top + layout.rowHeight / 2);
        QTest::mouseClick(&timeline->Canvas(), Qt::LeftButton, {}, at);
        QVERIFY(std::abs(program->main.moments[0] - exact) <= 1.0 / 96);  // to the half hour
        QCOMPARE(Read("txbYearCE_0").toDouble(), 2000.0 + (exact > 2451910.5));

        const QTemporaryDir dir;
        struct Case {
            QString path;
            char kind;  // 'p' PNG, 'c' CSV, 'i' iCalendar
            bool written;
        };
        for (const Case& c : {Case{dir.filePath("t.png"), 'p', true}, Case{dir.filePath("t.csv"), 'c', true},
                              Case{dir.filePath("t.ics"), 'i', true}, Case{dir.filePath("no/t.png"), 'p', false},
                              Case{dir.filePath("no/t.csv"), 'c', false}, Case{dir.filePath("no/t.ics"), 'i', false}}) {
            const std::string path = c.path.toStdString();
            const platform::Result<void> written = c.kind == 'p'   ? timeline->ExportPng(path)
                                                   : c.kind == 'c' ? timeline->ExportCsv(path)
                                                                   : timeline->ExportCalendar(path);
            QCOMPARE(written.ok(), c.written);
            if (!c.written)
                QCOMPARE(written.code(), platform::ErrorCode::NoNewFile);
            QCOMPARE(QFile::exists(c.path), c.written);
            QCOMPARE(boxes.shown.back().icon, c.written ? platform::Icon::Information : platform::Icon::Exclamation);
        }
        // The calendar holds every bar shown as a window from entry to exit.
        QFile ics(dir.filePath("t.ics"));
        QVERIFY(ics.open(QIODevice::ReadOnly));
        const QByteArray calendar = ics.readAll();
        size_t bars = 0;
        for (const display::TimelineRow& shown : model.rows)
            bars += shown.bars.size();
        QVERIFY(calendar.startsWith("BEGIN:VCALENDAR\r\n"));
        QCOMPARE(size_t(calendar.count("\r\nDTEND:")), bars);
        QCOMPARE(QImageReader(dir.filePath("t.png")).size().height(),
                 layout.headerHeight + (model.RowCount() + int(timeline->Lanes().size())) * layout.rowHeight);
        QFile csv(dir.filePath("t.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readLine(), QByteArray("body1,aspect,body2,enter,exact,leave\r\n"));
        QTest::keyClick(timeline, Qt::Key_Escape);
        QVERIFY(!timeline->isVisible());
    }
};

int main(int argc, char* argv[])
{
    // The offscreen platform with a screen of 1366 × 768 pixels and frames around its windows.
    const QTemporaryDir config;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        QFile file(config.filePath("screen.json"));
        if (file.open(QIODevice::WriteOnly))
            file.write(R"({"windowFrameMargins": true, "screens": [{"name": "small", "x": 0, "y": 0, "width": 1366,
                           "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + file.fileName()).toUtf8());
    }
    return orvane::testing::RunWindowTest<TestGuiTimeline>(argc, argv);
}

#include "test_gui_timeline.moc"
