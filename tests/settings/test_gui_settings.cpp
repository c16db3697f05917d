// The settings windows: the settings store on QSettings.

#include "settings/qsettings_store.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

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

};

QTEST_MAIN(TestGuiSettings)
#include "test_gui_settings.moc"
