// The computer's zone as the TZ variable names it, read off the main window built as the program's main()
// builds it (the system clock, the settings in the temporary home), whatever /etc/localtime says: the world
// date row shows the present wall time of that zone and the zone. The expected wall time and offset are
// the C library's reading of the same TZ.

#include "gui/main/frm_main.h"
#include "gui/settings/qsettings_store.h"
#include "tests/support/recording_message_boxes.h"
#include "tests/support/window_test_main.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>

using namespace orvane;

namespace {

// The C library's wall time now (minutes since 1970 as if at Greenwich) and offset (minutes east) under `tz`.
std::pair<long, long> LibcWallMinutesAndOffset(const char* tz)
{
    setenv("TZ", tz, 1);
    tzset();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {static_cast<long>((now + local.tm_gmtoff) / 60), local.tm_gmtoff / 60};
}

}  // namespace

class TestGuiZone : public QObject {
    Q_OBJECT

private slots:
    void worldDateFollowsTz_data()
    {
        QTest::addColumn<QString>("tz");
        QTest::addColumn<QString>("shownZone");  // in the row's description; empty: on the lists
        QTest::newRow("New York") << "America/New_York" << "";
        QTest::newRow("Kathmandu") << "Asia/Kathmandu" << "Asia/Kathmandu, GMT+5:45";
        QTest::newRow("Chatham") << "Pacific/Chatham" << "Pacific/Chatham, GMT+1";
        QTest::newRow("a POSIX rule") << "<+0545>-5:45" << "GMT+5:45";
    }

    void worldDateFollowsTz()
    {
        QFETCH(QString, tz);
        QFETCH(QString, shownZone);
        std::filesystem::remove(gui::UserStateFilePath());
        const auto [expectedWall, expectedOffset] = LibcWallMinutesAndOffset(qPrintable(tz));

        // As main() builds the window, with the message boxes noted instead of shown.
        const auto program = std::make_unique<app::Workspace>();
        gui::QSettingsStore store;
        testing::RecordingMessageBoxes boxes;
        const platform::SystemClock clock;
        gui::frmMain window(*program, store, boxes, clock, {ORVANE_BIN_DIR "/", gui::UserStateFilePath(), {}});
        QVERIFY(window.Form_Load());

        const auto list = [&window](const char* name) { return window.findChild<QComboBox*>(name); };
        const auto* moment = window.findChild<QLabel*>("lblMoment_0");
        const std::chrono::sys_days date{
            std::chrono::year(window.findChild<QLineEdit*>("txbYearCE_0")->text().toInt()) /
            std::chrono::month(static_cast<unsigned>(list("cboMonthCE_0")->currentIndex())) /
            std::chrono::day(static_cast<unsigned>(list("cboDayCE_0")->currentIndex()))};
        const long rowDay = static_cast<long>(date.time_since_epoch().count());
        // On the lists the row's half hour of the zone's wall time in its offset; off them the row holds
        // the present moment precisely and says so.
        QCOMPARE(moment->isVisibleTo(&window), !shownZone.isEmpty());
        if (shownZone.isEmpty()) {
            const long rowWall = rowDay * 1440 + (list("cboHour_0")->currentIndex() - 1) * 30;
            QVERIFY2(std::abs(rowWall - expectedWall) <= 30, qPrintable(list("cboHour_0")->currentText()));
            QCOMPARE(static_cast<long>(program->main.zoneLists[0].SelectedItemData()), expectedOffset);
            QCOMPARE(list("cboTimezone_0")->currentText(), QString::fromStdString(program->main.zoneLists[0].Text()));
        } else {
            // The label tells the zone's time of day; the lists hold the same instant in the nearest list
            // zone, whose date is the day before or after near the zone's midnight (Chatham +13:45 is
            // shown at +11:30, from 00:00 to 02:15 on the day before).
            const QString text = moment->toolTip();
            const long shownMinute = text.left(2).toInt() * 60 + text.mid(3, 2).toInt();
            const long apart = ((shownMinute - expectedWall) % 1440 + 1440) % 1440;
            QVERIFY2((apart <= 1 || apart >= 1439) && std::abs(rowDay * 1440 - expectedWall) < 2 * 1440 &&
                         text.contains(shownZone),
                     qPrintable(text));
        }
    }
};

int main(int argc, char* argv[])
{
    return orvane::testing::RunWindowTest<TestGuiZone>(argc, argv);
}

#include "test_gui_zone.moc"
