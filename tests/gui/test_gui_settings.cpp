// The settings windows: the configuration panel as the main window builds it (its captions, and how its
// controls reach the main window), the pop-up notice and the settings store on QSettings.

#include "gui/settings/frm_configure.h"
#include "gui/settings/frm_pop_up.h"
#include "gui/settings/qsettings_store.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/window_test_main.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTimer>

using namespace orvane;

class TestGuiSettings : public testing::MainWindowFixture {
    Q_OBJECT

    gui::frmConfigure* panel = nullptr;  // owned by the main window

    // "filter": whether the chart shows only Earth's aspects, as applied.
    QString Read(const QString& probe) override
    {
        if (probe == QLatin1String("filter"))
            return program->configure.onlyEarthAspects ? "Earth" : "all";
        return MainWindowFixture::Read(probe);
    }

private slots:
    // A fresh profile, the main window started up as the program starts it, and the panel opened with
    // Configure.
    void init()
    {
        store = settings::MemorySettingsStore();
        QVERIFY(OpenMainWindow());
        Operate({"cmdConfigure"});
        panel = FindIn<gui::frmConfigure>(window.get(), QStringLiteral("frmConfigure"));
        QVERIFY(panel->isVisible());
    }

    void everyControlIsThereCaptionedAndUnclipped()
    {
        QStringList names{"Label3", "Label1", "cmdSetAllNonzeroOrbsToConjunctionOrb", "lblPersonalTransits",
                          "lblSynastry", "lblOrbForMidpoints", "chkUseBoldface", "opt1DegOfOrb", "lblOfOrb",
                          "chkDisplayZodiacSectors", "chkDisplayNATZabbr", "chkShowOnlyOuterPlanets",
                          "chkShowOnlyEarthAspects", "chkUseColor", "chkGeoRing", "cmdReset", "cmdAccept", "cmdCancel", "cmdHide"};
        for (int i = 0; i < 7; ++i)
            names << QStringLiteral("lblAspectName_%1").arg(i);
        for (const char* name : {"cboPersonalOrbsProportion_0", "cboOrbForMidpoints", "optProportionOfOrb",
                                 "chkSaveGraphicWithWhiteBackground"})
            Control(QStringLiteral("frmConfigure/") + name);
        for (const int16_t language : {text::langEnglish, text::langGerman}) {
            program->language.currentLanguage = language;
            panel->SetLanguageDependentText();
            QCOMPARE(panel->windowTitle(), language == text::langEnglish ? "Configure" : "Einstellungen");
            for (const QString& name : names) {
                QWidget* control = Control("frmConfigure/" + name);
                QVERIFY2(!Read("frmConfigure/" + name).isEmpty(), qPrintable(name));
                const QSize needed = control->sizeHint();
                QVERIFY2(needed.width() <= control->width() && needed.height() <= control->height(),
                         qPrintable(QStringLiteral("%1 clipped in language %2").arg(name).arg(language)));
            }
        }
    }

    // After an applied edit (conjunction 2°, only Earth aspects), what each action leaves in force in the
    // main window (the title's orbs, the chart's filter) and the boxes it shows; then the panel's own rules.
    void wiring_data()
    {
        WiringColumns();
        const QStringList applied{"frmConfigure/cboOrb_0#2", "frmConfigure/chkShowOnlyEarthAspects", "frmConfigure/cmdAccept"};
        const QStringList inForce{"lblTitle", "filter", "boxes", "frmConfigure.shown"};
        const QString reset = "Reset: All orbs, colours and options will be set to their defaults. Do you want to continue?";
        QTest::newRow("Apply") << applied << inForce << QStringList{"World transits (heliocentric).  Orbs: 2° to 9°", "Earth", "", "yes"};
        QTest::newRow("Reset, No") << applied + QStringList{"!No", "frmConfigure/cmdReset"} << inForce
                                   << QStringList{"World transits (heliocentric).  Orbs: 2° to 9°", "Earth", reset, "yes"};
        QTest::newRow("Reset, Yes") << applied + QStringList{"!Yes", "frmConfigure/cmdReset"} << inForce
                                    << QStringList{"World transits (heliocentric).  Orbs: 3° to 10°", "all", reset, "yes"};
        QTest::newRow("the close box resets")
            << applied + QStringList{"frmConfigure:Close"} << inForce
            << QStringList{"World transits (heliocentric).  Orbs: 3° to 10°", "all",
                           "X: Closing this panel with its close box resets all orbs, colours and options to their defaults. "
                           "Use Cancel or Hide to keep your settings.", "no"};
        const QStringList edits{"frmConfigure/chkUseBoldface", "frmConfigure/cboPersonalOrbsProportion_1#4", "frmConfigure/cboOrb_3#0"};
        QTest::newRow("boldface off") << edits << QStringList{"frmConfigure/opt1DegOfOrb.enabled", "frmConfigure/cboBoldfaceFactor.enabled"}
                                      << QStringList{"no", "no"};
        QTest::newRow("Cancel, and the next opening")
            << edits + QStringList{"frmConfigure/cmdCancel"}
            << QStringList{"frmConfigure.shown", "frmConfigure/chkUseBoldface.checked", "frmConfigure/cboBoldfaceFactor.enabled",
                           "frmConfigure/cboPersonalOrbsProportion_1"}
            << QStringList{"no", "yes", "yes", "1/3"};
        QTest::newRow("the next opening shows the applied orbs")
            << edits + QStringList{"frmConfigure/cmdCancel", "cmdConfigure"} << QStringList{"frmConfigure/cboOrb_3"} << QStringList{"7°"};
        QTest::newRow("0° refused for set all") << QStringList{"frmConfigure/cboOrb_7#0"} << QStringList{"frmConfigure/cboOrb_7", "boxes"}
                                                << QStringList{"1°", "Set all: Cannot set all non-zero orbs to zero."};
        QTest::newRow("set all non-zero orbs")
            << QStringList{"frmConfigure/cboOrb_6#0", "frmConfigure/cboOrb_7#5", "!Yes",
                           "frmConfigure/cmdSetAllNonzeroOrbsToConjunctionOrb"}
            << QStringList{"frmConfigure/cboOrb_0", "frmConfigure/cboOrb_5", "frmConfigure/cboOrb_6"} << QStringList{"5°", "5°", "0°"};
        const QString swatch = "frmConfigure/lblAspectColor_2";
        QTest::newRow("a left click on a swatch: the next colour")
            << QStringList{swatch + ":Left"} << QStringList{swatch + ".colour"} << QStringList{"#00ff00"};
        QTest::newRow("a right click excludes") << QStringList{swatch + ":Left", swatch + ":Right"} << QStringList{swatch + ".colour"}
                                                << QStringList{"#000000"};
    }
    void wiring() { CheckRow(); }

    // Set all is no default button; the panel stands beside the main window, or at the screen's right edge
    // when the main window is wider than the screen.
    void setAllIsNoDefaultAndThePanelStandsBesideTheMainWindow()
    {
        auto* setAll = FindIn<QPushButton>(panel, "cmdSetAllNonzeroOrbsToConjunctionOrb");
        QVERIFY(!setAll->autoDefault() && !setAll->isDefault());
        const QRect screen = window->screen()->geometry();
        QCOMPARE(panel->frameGeometry().topLeft(),
                 QPoint(screen.right() + 1 - panel->frameGeometry().width(), window->frameGeometry().top()));
        window->move(150 - window->frameGeometry().width(), 40);
        Operate({"cmdConfigure"});
        QCOMPARE(panel->frameGeometry().topLeft(), QPoint(window->frameGeometry().right() + 1, window->frameGeometry().top()));
    }

    // The values are the top level of the application's settings (on Windows the key itself), read again
    // by another run.
    void storeRoundTripsThroughTheSettingsFile()
    {
        {
            gui::QSettingsStore store;
            QVERIFY(!store.Read("IPAD"));
            QVERIFY(store.Write("TZDisp", "1") && store.Write("Zodiac sectors", "0"));
        }
        QCOMPARE(gui::QSettingsStore().Read("Zodiac sectors").value_or("(missing)"), std::string("0"));
        QCOMPARE(QSettings("Veltrane", "ZEMT").value("TZDisp").toString(), QStringLiteral("1"));
    }

    void noticeShowsWhereToldAndHidesOnAPressOrItsTimer()
    {
        QWidget window;
        window.setGeometry(100, 100, 400, 300);
        gui::frmPopUp popUp;
        QVERIFY(popUp.windowFlags().testFlag(Qt::FramelessWindowHint) && popUp.testAttribute(Qt::WA_ShowWithoutActivating));
        auto* label = FindIn<QLabel>(&popUp, "lblMessage");
        auto* timer = FindIn<QTimer>(&popUp, "Timer1");
        popUp.PopUp("Saved", 2400, 300, 60000, 1500, 3000);
        QCOMPARE(popUp.geometry(), QRect(200, 100, 160, 20));
        QVERIFY(label->text() == "Saved" && label->size() == popUp.size() && label->font().family() == "Tahoma");
        QTest::mousePress(label, Qt::LeftButton);
        QVERIFY(!popUp.isVisible() && !timer->isActive());

        popUp.PopUpInForm2(window, "Here", 1500, 450, 60000, 150, 300);
        QCOMPARE(popUp.pos(), window.frameGeometry().topLeft() + QPoint(20, 10));
        popUp.PopUpCenterScreen("Loading", 3000, 600, 60000);
        QCOMPARE(popUp.geometry().center(), QGuiApplication::primaryScreen()->geometry().center());

        // Beside a window at the screen's left or right edge the notice moves in until all of it shows.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        window.move(screen.left(), screen.top());
        popUp.PopUpInForm2(window, "Left", 2400, 300, 60000, 450, -2400);
        QCOMPARE(popUp.geometry().left(), screen.left());
        window.move(screen.right() - 50, screen.bottom() - 50);
        popUp.PopUpInForm2(window, "Right", 2400, 300, 60000, 450, 300);
        QVERIFY2(screen.contains(popUp.geometry()), qPrintable(QStringLiteral("%1,%2").arg(popUp.x()).arg(popUp.y())));

        // A second notice restarts the timer and the notice grows to its text.
        popUp.PopUp("First", 2400, 300, 20000, 0, 0);
        popUp.PopUp("Letzter Zustand wiederhergestellt.", 1200, 150, 40000, 0, 0);
        QVERIFY(timer->isActive() && timer->remainingTime() > 30000 && label->sizeHint().width() <= popUp.width());
        popUp.PopUp("Short", 2400, 300, 50, 0, 0);
        QVERIFY(popUp.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!popUp.isVisible(), 5000);
    }
};

int main(int argc, char* argv[])
{
    return orvane::testing::RunWindowTest<TestGuiSettings>(argc, argv);
}
#include "test_gui_settings.moc"
