// The settings windows: the pop-up notice and the settings store on QSettings.

#include "settings/frm_pop_up.h"
#include "settings/qsettings_store.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace orvane;

class TestGuiSettings : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_settingsFolder;

private slots:
    void initTestCase()
    {
        // Every settings file of these tests lives in a temporary folder, never in the user's.
        QVERIFY(m_settingsFolder.isValid());
        for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, m_settingsFolder.path());
    }

    void storeRoundTripsThroughTheSettingsFile()
    {
        const std::string key = settings::kRegistryKey;
        const auto user = settings::RegistryHive::CurrentUser;
        std::string text;
        {
            settings::QSettingsStore store;
            QCOMPARE(settings::RegReadText(store, user, key, "TZDisp", text).substr(0, 2), std::string("1 "));
            QVERIFY(settings::RegWriteText(store, user, key, "TZDisp", "1").starts_with("0 New key created."));
            QVERIFY(settings::RegWriteText(store, user, key, "Zodiac sectors", "0").starts_with("0 Key already exists."));
            QCOMPARE(settings::RegReadText(store, user, key, "IPAD", text), std::string("3 Name not found."));
        }
        settings::QSettingsStore later;  // another run
        QCOMPARE(settings::RegReadText(later, user, key, "Zodiac sectors", text), std::string("0 OK"));
        QCOMPARE(text, std::string("0"));
        QCOMPARE(settings::RegReadText(later, user, key + "\\Other", "TZDisp", text).substr(0, 2), std::string("1 "));
        // The application's own key is the top level of its settings: on Windows the real registry key.
        QCOMPARE(QSettings("Veltrane", "ZEMT").value("TZDisp").toString(), QStringLiteral("1"));
    }

    void noticeShowsWhereToldAndHidesOnAPress()
    {
        QWidget window;
        window.setGeometry(100, 100, 400, 300);
        settings::frmPopUp popUp;
        QVERIFY(popUp.windowFlags().testFlag(Qt::FramelessWindowHint) && popUp.testAttribute(Qt::WA_ShowWithoutActivating));
        popUp.PopUp("Saved", 2400, 300, 60000, 1500, 3000);
        QCOMPARE(popUp.geometry(), QRect(200, 100, 160, 20));
        auto* label = popUp.findChild<QLabel*>("lblMessage");
        QVERIFY(label && label->text() == "Saved" && label->size() == popUp.size());
        QCOMPARE(label->font().family(), QStringLiteral("Tahoma"));
        QTest::mousePress(label, Qt::LeftButton);
        QVERIFY(!popUp.isVisible() && !popUp.findChild<QTimer*>("Timer1")->isActive());

        popUp.PopUpInForm2(window, "Here", 1500, 450, 60000, 150, 300);
        QCOMPARE(popUp.pos(), window.frameGeometry().topLeft() + QPoint(20, 10));
        popUp.PopUpCenterScreen("Loading", 3000, 600, 60000);
        QCOMPARE(popUp.geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    }

    void noticeHidesOnItsTimerAndASecondOneRestartsIt()
    {
        settings::frmPopUp popUp;
        auto* timer = popUp.findChild<QTimer*>("Timer1");
        popUp.PopUp("First", 2400, 300, 20000, 0, 0);
        popUp.PopUp("Second", 1200, 300, 40000, 0, 0);
        QVERIFY(timer->isActive() && timer->remainingTime() > 30000);
        QCOMPARE(popUp.findChild<QLabel*>("lblMessage")->text(), QStringLiteral("Second"));
        QCOMPARE(popUp.width(), 80);
        popUp.PopUp("Letzter Zustand wiederhergestellt.", 1200, 150, 40000, 0, 0);  // grows to its text
        QVERIFY(popUp.findChild<QLabel*>("lblMessage")->sizeHint().width() <= popUp.width());

        popUp.PopUp("Short", 2400, 300, 50, 0, 0);
        QVERIFY(popUp.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!popUp.isVisible(), 5000);
    }
};

QTEST_MAIN(TestGuiSettings)
#include "test_gui_settings.moc"
