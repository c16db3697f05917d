// A Forward click in the main window as the user sees it: the mouse press and release posted to the
// Forward button, and the time until the window has painted the new grid and handed it to the display
// (the end of the window's update in which the grid was painted). Run it on a real display or a virtual
// one (xvfb-run); on the offscreen platform nothing reaches a display and the figures mean less.
//
//   bench_forward_click [CLICKS] [--trace] [--real-mouse] [--chart]
//
// With --real-mouse each click is a real one from the X server (xdotool, which holds the button down for
// 12 ms), timed from the release reaching the program, as a click acts on the release. With --chart the window shows the chart instead of the grid, and the chart's paint counts.
// Prints the median and the slowest click's time to the painted grid, and to the first paint of the new
// date; --trace prints, for each click, every update of the window after it with the widgets it painted.

#include "gui/main/frm_main.h"
#include "gui/platform/qt_message_boxes.h"
#include "gui/settings/qsettings_store.h"
#include "platform/clock.h"
#include "tests/support/temporary_home.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace orvane;

// Watches every event the application delivers: when the grid and the world date's day list are
// painted, and when each update of the main window (its painting and the hand-over to the display) ends.
class WatchingApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonRelease && event->spontaneous() && releasedMs < 0)
            releasedMs = clock.nsecsElapsed() / 1.0e6;
        if (type == QEvent::Paint && receiver->isWidgetType()) {
            const QString name = receiver->objectName();
            if ((name == QLatin1String("picTable") || name == QLatin1String("picGraphic")) && gridPaintedMs < 0)
                gridPaintedMs = clock.nsecsElapsed() / 1.0e6;
            if (name == QLatin1String("cboDayCE_0") && datePaintedMs < 0)
                datePaintedMs = clock.nsecsElapsed() / 1.0e6;
            if (tracing)
                std::printf("      paint %s at %.2f ms (outer event %d)\n", qPrintable(name), clock.nsecsElapsed() / 1.0e6, outer);
        }
        const bool windowUpdate = type == QEvent::UpdateRequest && receiver->isWidgetType() && static_cast<QWidget*>(receiver)->isWindow();
        const bool top = depth == 0;
        if (top) outer = type;
        ++depth;
        const bool handled = QApplication::notify(receiver, event);
        --depth;
        if (top && tracing && clock.isValid() && (type == QEvent::UpdateRequest || type == QEvent::Expose || type == QEvent::Timer || type == QEvent::MouseButtonRelease || type==QEvent::MetaCall || type == QEvent::LayoutRequest))
            std::printf("    event %d to %s ends %.2f ms\n", type, receiver->metaObject()->className(), clock.nsecsElapsed() / 1.0e6);
        if (windowUpdate) {
            const double now = clock.nsecsElapsed() / 1.0e6;
            if (gridPaintedMs >= 0 && gridShownMs < 0)
                gridShownMs = now;
            if (tracing && !painted.empty())
                std::printf("    update ends %6.2f ms:%s\n", now, painted.c_str());
            painted.clear();
        }
        return handled;
    }

    void Restart()
    {
        gridPaintedMs = datePaintedMs = gridShownMs = releasedMs = -1.0;
        painted.clear();
        clock.start();
    }

    QElapsedTimer clock;
    double gridPaintedMs = -1.0;
    double datePaintedMs = -1.0;
    double gridShownMs = -1.0;
    double releasedMs = -1.0;  // a real mouse button's release reaching the program
    bool tracing = false;
    int depth = 0;
    int outer = 0;
    std::string painted;
};

void ProcessEventsFor(int milliseconds)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(500);
    }
}

void PostClick(QWidget& button)
{
    const QPointF inside(button.width() / 2.0, button.height() / 2.0);
    const QPointF global = button.mapToGlobal(inside);
    QApplication::postEvent(&button, new QMouseEvent(QEvent::MouseButtonPress, inside, global, Qt::LeftButton,
                                                     Qt::LeftButton, Qt::NoModifier));
    QApplication::postEvent(&button, new QMouseEvent(QEvent::MouseButtonRelease, inside, global, Qt::LeftButton,
                                                     Qt::NoButton, Qt::NoModifier));
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[])
{
    const QTemporaryDir home;
    orvane::testing::UseTemporaryHome(home);
    WatchingApplication application(argc, argv);
    gui::SetUpApplication();
    int clicks = 41;
    bool realMouse = false;
    bool chart = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--trace") == 0)
            application.tracing = true;
        else if (std::strcmp(argv[i], "--real-mouse") == 0)
            realMouse = true;
        else if (std::strcmp(argv[i], "--chart") == 0)
            chart = true;
        else
            clicks = std::max(1, std::atoi(argv[i]));
    }

    // The window as the program builds it, on 1 January 2000, 12:00 GMT, in world transits.
    app::Workspace program;
    gui::QSettingsStore store;
    gui::QtMessageBoxes boxes;
    const platform::FixedClock clock({2000, 1, 1, 12, 0, 0});
    gui::frmMain window(program, store, boxes, clock, {ORVANE_BIN_DIR "/", gui::UserStateFilePath(), {}});
    boxes.SetParent(&window);
    if (!window.Form_Load())
        return 1;
    window.show();
    ProcessEventsFor(1000);
    if (chart) {  // the chart in place of the grid
        window.findChild<QAbstractButton*>(QStringLiteral("cmdToggleGraphic"))->click();
        ProcessEventsFor(300);
    }
    auto* forward = window.findChild<QAbstractButton*>(QStringLiteral("cmdForwardBack_0"));
    if (forward == nullptr || !forward->isEnabled()) {
        std::fprintf(stderr, "no enabled Forward button\n");
        return 1;
    }

    std::vector<double> grid;
    std::vector<double> date;
    for (int click = 0; click < clicks; ++click) {
        application.Restart();
        if (application.tracing)
            std::printf("click %d\n", click + 1);
        if (realMouse) {
            const QPoint at = forward->mapToGlobal(QPoint(forward->width() / 2, forward->height() / 2));
            QProcess::startDetached(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(at.x()),
                                                                 QString::number(at.y()), QStringLiteral("click"),
                                                                 QStringLiteral("1")});
        } else {
            PostClick(*forward);
        }
        while (application.gridShownMs < 0 && application.clock.elapsed() < 2000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (realMouse) {  // counted from the release's arrival (a click acts on the release)
            application.gridShownMs -= application.releasedMs;
            application.datePaintedMs -= application.releasedMs;
        }
        // Later updates, for the trace; then quiet (and no double click from the next real click).
        ProcessEventsFor(application.tracing || realMouse ? 600 : 30);
        if (click == 0)
            continue;  // the first click lays out fonts and caches once
        grid.push_back(application.gridShownMs);
        date.push_back(application.datePaintedMs);
    }
    std::printf("platform %s, %zu clicks: Forward click to painted grid median %.2f ms, slowest %.2f ms; "
                "to the new date painted median %.2f ms\n",
                qPrintable(QGuiApplication::platformName()), grid.size(), Median(grid),
                *std::max_element(grid.begin(), grid.end()), Median(date));
    return 0;
}
