// The settings windows: the configuration panel over its model (controls, captions, Apply, Cancel, Reset,
// the close box, the colour swatches), the pop-up notice and the settings store on QSettings.

#include "app/startup.h"
#include "platform/clock.h"
#include "gui/settings/frm_configure.h"
#include "gui/settings/frm_pop_up.h"
#include "gui/settings/qsettings_store.h"
#include "tests/support/recording_message_boxes.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace orvane;

namespace {

// A program after start-up with the panel beside a main window that has finished loading.
struct PanelFixture {
    PanelFixture()
    {
        const platform::FixedClock clock({2000, 1, 1, 12, 0, 0});
        mainwindow::StartUp(program, ORVANE_BIN_DIR, clock, store);
        panel = new settings::frmConfigure(program, store, boxes, &main);
        QObject::connect(panel, &settings::frmConfigure::mainWindowActions,
                         [this](const settings::MainWindowActions& a) { actions.push_back(a); });
        panel->SetMainWindowLoaded(true);
        program.configure.SetOrbs(program.astro);  // the main window's first computation
        main.setGeometry(20, 30, 300, 200);
        main.show();
        panel->ShowPanel();
    }

    // A control by its object name; a missing one ends the tests.
    template <typename T = QWidget>
    T* Get(const QString& name) const
    {
        T* control = panel->findChild<T*>(name);
        if (!control)
            qFatal("no control %s", qPrintable(name));
        return control;
    }
    QComboBox* Orb(int k) const { return Get<QComboBox>(QStringLiteral("cboOrb_%1").arg(k)); }
    double AppliedOrbDegrees(int16_t aspect) const { return program.astro.orbs.dblOrb[aspect][0] * 180.0 / core::kPi; }

    mainwindow::Program program;
    settings::MemoryRegistryStore store;
    testing::RecordingMessageBoxes boxes;
    QWidget main;
    settings::frmConfigure* panel = nullptr;  // owned by the main window
    std::vector<settings::MainWindowActions> actions;
};

QColor SwatchColour(const QWidget* swatch)
{
    return swatch->autoFillBackground() ? swatch->palette().color(QPalette::Window) : QColor();
}

}  // namespace

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

    void everyControlIsThereCaptionedAndUnclipped()
    {
        PanelFixture f;
        QStringList names{"Label3", "Label1", "cmdSetAllNonzeroOrbsToConjunctionOrb", "lblPersonalTransits",
                          "lblSynastry", "lblOrbForMidpoints", "chkUseBoldface", "opt1DegOfOrb", "lblOfOrb",
                          "chkDisplayZodiacSectors", "chkDisplayNATZabbr", "chkShowOnlyOuterPlanets",
                          "chkShowOnlyEarthAspects", "chkUseColor", "cmdReset", "cmdAccept", "cmdCancel", "cmdHide"};
        for (int i = 0; i < 7; ++i)
            names << QStringLiteral("lblAspectName_%1").arg(i);
        for (const char* name : {"cboPersonalOrbsProportion_0", "cboPersonalOrbsProportion_1", "cboOrbForMidpoints",
                                    "cboBoldfaceFactor", "optProportionOfOrb", "chkSaveGraphicWithWhiteBackground"})
            f.Get(QString::fromLatin1(name));
        QCOMPARE(f.Orb(7)->count(), 16);
        for (const int16_t language : {text::langEnglish, text::langGerman}) {
            f.program.language.intLanguage = language;
            f.panel->SetLanguageDependentText();
            QCOMPARE(f.panel->windowTitle().toStdString(), f.program.language.GetText(text::kTextConfigure));
            for (const QString& name : names) {
                QWidget* control = f.Get(name);
                const auto* label = qobject_cast<QLabel*>(control);
                const QString caption = label ? label->text() : qobject_cast<QAbstractButton*>(control)->text();
                QVERIFY2(!caption.isEmpty(), qPrintable(name));
                const QSize needed = control->sizeHint();
                QVERIFY2(needed.width() <= control->width() && needed.height() <= control->height(),
                         qPrintable(QStringLiteral("%1 clipped in language %2").arg(name).arg(language)));
            }
        }
    }

    void applyChangesTheOrbTableAndTellsTheMainWindow()
    {
        PanelFixture f;
        f.Orb(0)->setCurrentIndex(2);
        QCOMPARE(f.AppliedOrbDegrees(core::kConjunction), 10.0);  // edits wait for Apply
        QTest::mouseClick(f.Get("cmdAccept"), Qt::LeftButton);
        QCOMPARE(qRound(f.AppliedOrbDegrees(core::kConjunction)), 2);
        QCOMPARE(f.actions.size(), size_t{1});
        QVERIFY(f.actions[0].recompute && f.actions[0].rebuildTimezoneLists);
    }

    void cancelRestoresAndTheNextOpeningShowsTheAppliedOrbs()
    {
        PanelFixture f;
        f.Get<QCheckBox>("chkUseBoldface")->click();
        QVERIFY(!f.Get("opt1DegOfOrb")->isEnabled() && !f.Get("cboBoldfaceFactor")->isEnabled());
        f.Get<QComboBox>("cboPersonalOrbsProportion_1")->setCurrentIndex(4);
        f.Orb(3)->setCurrentIndex(0);
        QTest::mouseClick(f.Get("cmdCancel"), Qt::LeftButton);
        QVERIFY(!f.panel->isVisible());
        QVERIFY(f.Get<QCheckBox>("chkUseBoldface")->isChecked() && f.Get("cboBoldfaceFactor")->isEnabled());
        QCOMPARE(f.Get<QComboBox>("cboPersonalOrbsProportion_1")->currentIndex(), 2);
        f.panel->ShowPanel();
        QCOMPARE(f.Orb(3)->currentIndex(), 7);
    }

    void resetAsksAndNoChangesNothing()
    {
        PanelFixture f;
        f.Orb(0)->setCurrentIndex(2);
        f.boxes.answers = {platform::Button::No};
        QTest::mouseClick(f.Get("cmdReset"), Qt::LeftButton);
        QVERIFY(f.boxes.shown.size() == 1 && f.boxes.shown[0].buttons == platform::Buttons::YesNo);
        QCOMPARE(f.Orb(0)->currentIndex(), 2);
        QVERIFY(f.actions.empty());

        f.boxes.answers = {platform::Button::Yes};
        QTest::mouseClick(f.Get("cmdReset"), Qt::LeftButton);
        QCOMPARE(f.Orb(0)->currentIndex(), 10);
        QVERIFY(f.actions.at(0).recompute);
    }

    void setAllAsksThenSetsEveryNonzeroOrb()
    {
        PanelFixture f;
        f.Orb(6)->setCurrentIndex(0);
        f.Orb(7)->setCurrentIndex(5);
        f.boxes.answers = {platform::Button::Yes};
        QTest::mouseClick(f.Get("cmdSetAllNonzeroOrbsToConjunctionOrb"), Qt::LeftButton);
        for (int k = 0; k < 6; ++k)
            QCOMPARE(f.Orb(k)->currentIndex(), 5);
        QCOMPARE(f.Orb(6)->currentIndex(), 0);
    }

    void closeBoxShowsItsNoticeResetsAndHides()
    {
        PanelFixture f;
        f.Orb(0)->setCurrentIndex(2);
        QTest::mouseClick(f.Get("cmdAccept"), Qt::LeftButton);
        f.panel->close();
        QCOMPARE(f.boxes.shown.at(0).title, std::string("X"));
        QVERIFY(!f.panel->isVisible());
        QCOMPARE(f.AppliedOrbDegrees(core::kConjunction), 10.0);
    }

    void swatchesCycleAndExclude()
    {
        PanelFixture f;
        QWidget* swatch = f.Get("lblAspectColor_2");
        const QColor red = SwatchColour(swatch);
        QCOMPARE(red, QColor(255, 0, 0));
        QTest::mousePress(swatch, Qt::LeftButton);
        const QColor next = SwatchColour(swatch);
        QVERIFY(next.isValid() && next != red);
        QTest::mousePress(swatch, Qt::RightButton);
        QVERIFY(!SwatchColour(swatch).isValid());  // excluded: an empty frame
        QTest::mousePress(swatch, Qt::RightButton);
        QCOMPARE(SwatchColour(swatch), next);
    }

    void panelStandsBesideTheMainWindow()
    {
        PanelFixture f;  // the panel would pass the screen's right edge
        const QRect screen = f.main.screen()->geometry();
        const QPoint rightmost(screen.right() + 1 - f.panel->frameGeometry().width(), f.main.frameGeometry().top());
        QCOMPARE(f.panel->frameGeometry().topLeft(), rightmost);
        f.main.setGeometry(10, 40, 150, 100);
        f.panel->ShowPanel();
        const QRect main = f.main.frameGeometry();
        QCOMPARE(f.panel->frameGeometry().topLeft(), QPoint(main.right() + 1, main.top()));
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
            const std::string status = settings::RegWriteText(store, user, key, "Zodiac sectors", "0");
            QVERIFY(status.starts_with("0 Key already exists."));
            QCOMPARE(settings::RegReadText(store, user, key, "IPAD", text), std::string("3 Name not found."));
        }
        settings::QSettingsStore later;  // another run
        QCOMPARE(settings::RegReadText(later, user, key, "Zodiac sectors", text), std::string("0 OK"));
        QCOMPARE(text, std::string("0"));
        // The application's own key is the top level of its settings: on Windows the real registry key.
        QCOMPARE(QSettings("Veltrane", "ZEMT").value("TZDisp").toString(), QStringLiteral("1"));
    }

    void noticeShowsWhereToldAndHidesOnAPress()
    {
        QWidget window;
        window.setGeometry(100, 100, 400, 300);
        settings::frmPopUp popUp;
        QVERIFY(popUp.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(popUp.testAttribute(Qt::WA_ShowWithoutActivating));
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
        popUp.PopUp("Letzter Zustand wiederhergestellt.", 1200, 150, 40000, 0, 0);  // grows to its text
        QVERIFY(popUp.findChild<QLabel*>("lblMessage")->sizeHint().width() <= popUp.width());

        popUp.PopUp("Short", 2400, 300, 50, 0, 0);
        QVERIFY(popUp.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!popUp.isVisible(), 5000);
    }
};

QTEST_MAIN(TestGuiSettings)
#include "test_gui_settings.moc"
