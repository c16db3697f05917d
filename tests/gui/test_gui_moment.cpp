// The precise moments of the date rows: the button beside each row, its dialog, what the row shows while it
// has one and what drops it; the window built as the program builds it, on the offscreen platform.

#include "tests/support/main_window_fixture.h"
#include "tests/support/window_test_main.h"

#include "gui/platform/date_field.h"

#include <QRadioButton>
#include <QTimeEdit>

using namespace orvane;

class TestGuiMoment : public testing::MainWindowFixture {
    Q_OBJECT

    // "frmMoment/dtpDate=1989-10-03", "…/dtpTime=15:30", "…/cboZone=Europe/Berlin"; other steps as Operate's.
    void Enter(const QStringList& steps)
    {
        for (const QString& step : steps) {
            const qsizetype at = step.indexOf('=');
            QWidget* control = at > 0 ? Control(step.left(at)) : nullptr;
            if (auto* date = qobject_cast<gui::DateField*>(control))
                date->setDate(QDate::fromString(step.mid(at + 1), Qt::ISODate));
            else if (auto* time = qobject_cast<QTimeEdit*>(control))
                time->setTime(QTime::fromString(step.mid(at + 1), Qt::ISODate));
            else if (auto* zone = qobject_cast<QComboBox*>(control); zone != nullptr && zone->isEditable())
                zone->setEditText(step.mid(at + 1));
            else
                Operate({step});
        }
    }

    // "name.tip": the first line of a control's hover text, where a row's description is whole; "name.text":
    // what a time box shows.
    QString Read(const QString& probe) override
    {
        if (probe.endsWith(".tip"))
            return Control(probe.chopped(4))->toolTip().section('\n', 0, 0);
        if (probe.endsWith(".text"))
            return qobject_cast<QTimeEdit*>(Control(probe.chopped(5)))->text();
        return MainWindowFixture::Read(probe);
    }

private slots:
    void init()
    {
        gui::StoreLanguage(text::langEnglish);
        QVERIFY(OpenMainWindow(gui::UserStateFilePath() + ".none"));
    }
    void cleanup() { window.reset(); }

    void wiring_data()
    {
        WiringColumns();
        const QStringList berlin{"txbYearCE_1=1970", "cboMonthCE_1#3", "cboDayCE_1#8", "cmdMoment_1",
                                 "frmMoment/dtpDate=1989-10-03", "frmMoment/dtpTime=15:30", "frmMoment/cboZone=Europe/Berlin"};
        const QStringList newYork{"cmdMoment_0", "frmMoment/dtpDate=2025-11-02", "frmMoment/dtpTime=01:30",
                                  "frmMoment/cboZone=America/New_York"};
        QTest::newRow("the offset in effect follows the entries")
            << berlin << QStringList{"frmMoment/lblOffset", "frmMoment/optBefore.shown"} << QStringList{"In effect: GMT+1:00", "no"};
        QTest::newRow("OK sets the row's precise moment and its date")
            << berlin + QStringList{"frmMoment/cmdOK"}
            << QStringList{"frmMoment.shown", "lblMoment_1.tip", "cboHour_1.shown", "txbYearCE_1", "cboDayCE_1"}
            << QStringList{"no", "15:30 Europe/Berlin, GMT+1:00", "no", "1989", "3"};
        QTest::newRow("the seconds typed are kept and shown when it opens again")
            << QStringList{"cmdMoment_0", "frmMoment/dtpDate=1989-10-03", "frmMoment/dtpTime=15:30:37",
                           "frmMoment/cboZone=Europe/Berlin", "frmMoment/cmdOK", "cmdMoment_0"}
            << QStringList{"frmMoment/dtpTime.text"} << QStringList{"15:30:37"};
        QTest::newRow("a choice in the row's lists drops it")
            << berlin + QStringList{"frmMoment/cmdOK", "cboDayCE_1#4"} << QStringList{"lblMoment_1.shown", "cboHour_1.shown"}
            << QStringList{"no", "yes"};
        QTest::newRow("Remove drops it")
            << berlin + QStringList{"frmMoment/cmdOK", "cmdMoment_1", "frmMoment/cmdRemove"}
            << QStringList{"lblMoment_1.shown", "cboTimezone_1.shown"} << QStringList{"no", "yes"};
        QTest::newRow("Cancel changes nothing")
            << berlin + QStringList{"frmMoment/cmdCancel"} << QStringList{"frmMoment.shown", "lblMoment_1.shown", "txbYearCE_1"}
            << QStringList{"no", "no", "1970"};
        QTest::newRow("an unknown zone is named, and OK refuses it")
            << QStringList{"cmdMoment_0", "frmMoment/cboZone=Europe/Atlantis", "frmMoment/cmdOK"}
            << QStringList{"frmMoment/lblOffset", "frmMoment.shown", "boxes"}
            << QStringList{"Unknown time zone: Europe/Atlantis (Z, an offset such as +05:45, or a name such as Europe/Berlin)",
                           "yes", "Precise moment: Unknown time zone: Europe/Atlantis (Z, an offset such as +05:45, or a name such "
                                  "as Europe/Berlin)"};
        QTest::newRow("a repeated hour asks which of its two offsets")
            << newYork + QStringList{"frmMoment/cmdOK"}
            << QStringList{"frmMoment/optBefore", "frmMoment/optAfter", "frmMoment.shown", "boxes"}
            << QStringList{"GMT-4:00, as before the change", "GMT-5:00, as after the change", "yes",
                           "Precise moment: Please choose which of the two offsets the time was read with."};
        QTest::newRow("the chosen offset is the row's")
            << newYork + QStringList{"frmMoment/optAfter", "frmMoment/cmdOK"} << QStringList{"lblMoment_0.tip", "world"}
            << QStringList{"01:30 America/New_York, GMT-5:00", "2025-11-2 4"};
        QTest::newRow("local mean time at a longitude")
            << QStringList{"cmdMoment_0", "frmMoment/dtpDate=1850-06-01", "frmMoment/dtpTime=12:00", "frmMoment/chkMeanTime",
                           "frmMoment/txbLongitude=13°24'E", "frmMoment/cmdOK"}
            << QStringList{"frmMoment.shown", "lblMoment_0.tip"} << QStringList{"no", "12:00 local mean time 13.40° E, GMT+0:53:36"};
    }
    void wiring()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, probes);
        QFETCH(QStringList, expected);
        Enter(steps);
        Check({}, probes, expected);
    }

    // A computer whose zone the lists lack starts with a precise world date, and the foot line says so.
    void aComputerZoneTheListsLack()
    {
        clock.SetZoneName("Asia/Kathmandu");
        clock.SetOffset(-(5 * 3600 + 45 * 60));
        QVERIFY(OpenMainWindow(gui::UserStateFilePath() + ".none"));
        clock.SetZoneName({});
        clock.SetOffset(0);
        QCOMPARE(Read("lblMoment_0.tip"), QStringLiteral("12:00 Asia/Kathmandu, GMT+5:45"));
        QVERIFY2(Read("lblMoment_0").startsWith("12:00 ") && Read("lblMoment_0").endsWith(", GMT+5:45"), qPrintable(Read("lblMoment_0")));
        QVERIFY2(Read("lblFoot").contains("Asia/Kathmandu"), qPrintable(Read("lblFoot")));
    }

    // Return is OK and Escape is Cancel; Tab walks from the date through the entries to the buttons.
    void theKeyboardWorks()
    {
        Enter({"cmdMoment_2", "frmMoment/dtpDate=1985-03-02", "frmMoment/dtpTime=20:05", "frmMoment/cboZone=Asia/Kathmandu"});
        QWidget* dialog = Control("frmMoment");
        QCOMPARE(dialog->focusWidget(), Control("frmMoment/dtpDate"));
        QTest::keyClick(Control("frmMoment/dtpTime"), Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(Read("lblMoment_2.tip"), QStringLiteral("20:05 Asia/Kathmandu, GMT+5:30"));
        Operate({"cmdMoment_2"});
        QTest::keyClick(Control("frmMoment/dtpDate"), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(Read("lblMoment_2.tip"), QStringLiteral("20:05 Asia/Kathmandu, GMT+5:30"));
        QStringList order;
        Operate({"cmdMoment_2"});
        for (QWidget* at = Control("frmMoment/dtpDate"); order.size() < 7; at = at->nextInFocusChain())
            if (at->parentWidget() == dialog && (at->focusPolicy() & Qt::TabFocus))
                order << at->objectName();
        QCOMPARE(order.join(' '), QStringLiteral("dtpDate dtpTime txbPlace cboZone chkMeanTime txbLongitude optBefore"));
    }

    // A date typed into the date field as ISO 8601 writes it, or as the German form writes it, is that date;
    // a form it cannot read leaves the date as it was.
    void aTypedDateIsTheDateTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("date");
        QTest::newRow("ISO") << "1978-03-14" << QDate(1978, 3, 14);
        QTest::newRow("German") << "14.03.1978" << QDate(1978, 3, 14);
        QTest::newRow("unreadable") << "14/03" << QDate(1985, 3, 2);
    }
    void aTypedDateIsTheDateTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QDate, date);
        Enter({"cmdMoment_2", "frmMoment/dtpDate=1985-03-02"});
        auto* field = qobject_cast<gui::DateField*>(Control("frmMoment/dtpDate"));
        QVERIFY(QTest::qWaitForWindowActive(Control("frmMoment")));
        QTRY_VERIFY(field->hasFocus());
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(field->date(), date);
        QTest::keyClick(field, Qt::Key_Escape);
    }

    // In German the dialog and the row speak German, and nothing of the rows overlaps the mode options.
    void germanAndUnclipped()
    {
        Enter({"cboLanguage#1", "cmdMoment_0", "frmMoment/dtpDate=1945-05-24", "frmMoment/dtpTime=14:20",
               "frmMoment/cboZone=Europe/Berlin"});
        QCOMPARE(Read("frmMoment/lblOffset"), QStringLiteral("Es gilt: GMT+3:00"));
        QCOMPARE(Read("frmMoment/cmdCancel"), QStringLiteral("Abbrechen"));
        Enter({"frmMoment/cmdOK"});
        QCOMPARE(Read("lblMoment_0.tip"), QStringLiteral("14:20 Europe/Berlin, GMT+3:00"));
        // The button stands between the zone list and Clear, left of the mode options; the description over the
        // half-hour and zone lists.
        const int modes = Control("fraModes")->geometry().left();
        for (const char* row : {"0", "1", "2"}) {
            const auto at = [this, row](const char* name) { return Control(name + QString(row))->geometry(); };
            QVERIFY(at("cmdClear_").right() < modes);
            QVERIFY(at("cboTimezone_").right() < at("cmdMoment_").left() && at("cmdMoment_").right() < at("cmdClear_").left());
        }
        QCOMPARE(Control("lblMoment_0")->geometry(), Control("cboHour_0")->geometry().united(Control("cboTimezone_0")->geometry()));
        for (const QRadioButton* mode : Control("fraModes")->findChildren<QRadioButton*>())
            QVERIFY2(mode->width() >= mode->sizeHint().width(), qPrintable(mode->text()));
    }
};

int main(int argc, char* argv[])
{
    return orvane::testing::RunWindowTest<TestGuiMoment>(argc, argv);
}

#include "test_gui_moment.moc"
