// The settings windows: the configuration panel as the main window builds it (controls, captions, and
// how Apply, Cancel, Reset, the close box, "set all" and the swatches reach the main window), the pop-up
// notice and the settings store on QSettings.

#include "gui/settings/frm_configure.h"
#include "gui/settings/frm_pop_up.h"
#include "gui/settings/qsettings_store.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/window_test_main.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTimer>

using namespace orvane;
using platform::Button;

class TestGuiSettings : public testing::MainWindowFixture {
    Q_OBJECT

private:
    settings::frmConfigure* panel = nullptr;  // owned by the main window

    template <typename T = QWidget>
    T* Get(const QString& name) const
    {
        return FindIn<T>(panel, name);
    }
    QComboBox* Orb(int k) const { return Get<QComboBox>(QStringLiteral("cboOrb_%1").arg(k)); }
    QColor Swatch(int i) const
    {
        const QWidget* swatch = Get(QStringLiteral("lblAspectColor_%1").arg(i));
        return swatch->autoFillBackground() ? swatch->palette().color(QPalette::Window) : QColor();
    }
    QString MainTitle() const { return FindIn<QLabel>(window.get(), QStringLiteral("lblTitle"))->text(); }

private slots:
    // A fresh profile, the main window started up as the program starts it, and the panel opened with
    // Configure.
    void init()
    {
        store = settings::MemorySettingsStore();
        QVERIFY(OpenMainWindow());
        FindIn<QAbstractButton>(window.get(), QStringLiteral("cmdConfigure"))->click();
        panel = FindIn<settings::frmConfigure>(window.get(), QStringLiteral("frmConfigure"));
        QVERIFY(panel->isVisible());
    }

    void everyControlIsThereCaptionedAndUnclipped()
    {
        QStringList names{"Label3", "Label1", "cmdSetAllNonzeroOrbsToConjunctionOrb", "lblPersonalTransits",
                          "lblSynastry", "lblOrbForMidpoints", "chkUseBoldface", "opt1DegOfOrb", "lblOfOrb",
                          "chkDisplayZodiacSectors", "chkDisplayNATZabbr", "chkShowOnlyOuterPlanets",
                          "chkShowOnlyEarthAspects", "chkUseColor", "cmdReset", "cmdAccept", "cmdCancel", "cmdHide"};
        for (int i = 0; i < 7; ++i)
            names << QStringLiteral("lblAspectName_%1").arg(i);
        for (const char* name : {"cboPersonalOrbsProportion_0", "cboPersonalOrbsProportion_1", "cboOrbForMidpoints",
                                    "cboBoldfaceFactor", "optProportionOfOrb", "chkSaveGraphicWithWhiteBackground"})
            Get(QString::fromLatin1(name));
        QCOMPARE(Orb(7)->count(), 16);
        for (const int16_t language : {text::langEnglish, text::langGerman}) {
            program->language.currentLanguage = language;
            panel->SetLanguageDependentText();
            QCOMPARE(panel->windowTitle(), Text(text::kTextConfigure));
            for (const QString& name : names) {
                QWidget* control = Get(name);
                const auto* label = qobject_cast<QLabel*>(control);
                const QString caption = label ? label->text() : qobject_cast<QAbstractButton*>(control)->text();
                QVERIFY2(!caption.isEmpty(), qPrintable(name));
                const QSize needed = control->sizeHint();
                QVERIFY2(needed.width() <= control->width() && needed.height() <= control->height(),
                         qPrintable(QStringLiteral("%1 clipped in language %2").arg(name).arg(language)));
            }
        }
    }

    // After an applied edit (conjunction 2°, only Earth aspects), what each action leaves in force in the
    // main window: its title's orbs and the chart's filter; and the box it shows.
    void panelActionsReachTheMainWindow_data()
    {
        QTest::addColumn<QString>("button");  // none: the close box
        QTest::addColumn<int>("answer");      // to a question, if one is asked
        QTest::addColumn<QString>("orbs");
        QTest::addColumn<bool>("onlyEarth");
        QTest::addColumn<QString>("boxTitle");  // empty: no box
        QTest::newRow("Apply") << "cmdAccept" << 0 << "2° to 9°" << true << "";
        QTest::newRow("Reset, No") << "cmdReset" << int(Button::No) << "2° to 9°" << true << "Reset";
        QTest::newRow("Reset, Yes") << "cmdReset" << int(Button::Yes) << "3° to 10°" << false << "Reset";
        QTest::newRow("close box") << "" << 0 << "3° to 10°" << false << "X";
    }
    void panelActionsReachTheMainWindow()
    {
        QFETCH(QString, button);
        QFETCH(int, answer);
        QVERIFY(MainTitle().endsWith("3° to 10°"));
        Orb(0)->setCurrentIndex(2);
        Get<QCheckBox>("chkShowOnlyEarthAspects")->click();
        QTest::mouseClick(Get("cmdAccept"), Qt::LeftButton);
        boxes.shown.clear();
        boxes.answers = {Button(answer)};
        if (button.isEmpty())
            panel->close();
        else
            QTest::mouseClick(Get(button), Qt::LeftButton);
        QTEST(MainTitle().section(' ', -3), "orbs");
        QTEST(program->configure.onlyEarthAspects, "onlyEarth");
        QTEST(boxes.shown.empty() ? QString() : QString::fromStdString(boxes.shown[0].title), "boxTitle");
        QCOMPARE(panel->isVisible(), !button.isEmpty());
    }

    void cancelRestoresAndTheNextOpeningShowsTheAppliedOrbs()
    {
        Get<QCheckBox>("chkUseBoldface")->click();
        QVERIFY(!Get("opt1DegOfOrb")->isEnabled() && !Get("cboBoldfaceFactor")->isEnabled());
        Get<QComboBox>("cboPersonalOrbsProportion_1")->setCurrentIndex(4);
        Orb(3)->setCurrentIndex(0);
        QTest::mouseClick(Get("cmdCancel"), Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QVERIFY(Get<QCheckBox>("chkUseBoldface")->isChecked() && Get("cboBoldfaceFactor")->isEnabled());
        QCOMPARE(Get<QComboBox>("cboPersonalOrbsProportion_1")->currentIndex(), 2);
        panel->ShowPanel();
        QCOMPARE(Orb(3)->currentIndex(), 7);
    }

    void setAllAsksRefusesZeroAndIsNoDefaultButton()
    {
        auto* setAll = Get<QPushButton>("cmdSetAllNonzeroOrbsToConjunctionOrb");
        QVERIFY(!setAll->autoDefault() && !setAll->isDefault());
        Orb(7)->setCurrentIndex(0);
        QCOMPARE(boxes.shown.at(0).title, std::string("Set all"));
        QCOMPARE(Orb(7)->currentIndex(), 1);
        Orb(6)->setCurrentIndex(0);
        Orb(7)->setCurrentIndex(5);
        boxes.answers = {Button::Yes};
        QTest::mouseClick(setAll, Qt::LeftButton);
        for (int k = 0; k < 6; ++k)
            QCOMPARE(Orb(k)->currentIndex(), 5);
        QCOMPARE(Orb(6)->currentIndex(), 0);
    }

    void swatchesCycleAndAnExcludedOneIsBlack()
    {
        QCOMPARE(Swatch(2), QColor(255, 0, 0));
        QTest::mousePress(Get("lblAspectColor_2"), Qt::LeftButton);
        const QColor next = Swatch(2);
        QVERIFY(next.isValid() && next != QColor(255, 0, 0));
        QTest::mousePress(Get("lblAspectColor_2"), Qt::RightButton);
        QCOMPARE(Swatch(2), QColor(0, 0, 0));
        QTest::mousePress(Get("lblAspectColor_2"), Qt::RightButton);
        QCOMPARE(Swatch(2), next);
    }

    void panelStandsBesideTheMainWindow()
    {
        // The main window is wider than the screen: the panel stands at the screen's right edge.
        const QRect screen = window->screen()->geometry();
        const QPoint rightmost(screen.right() + 1 - panel->frameGeometry().width(), window->frameGeometry().top());
        QCOMPARE(panel->frameGeometry().topLeft(), rightmost);
        window->move(150 - window->frameGeometry().width(), 40);
        panel->ShowPanel();
        const QRect main = window->frameGeometry();
        QCOMPARE(panel->frameGeometry().topLeft(), QPoint(main.right() + 1, main.top()));
    }

    void storeRoundTripsThroughTheSettingsFile()
    {
        {
            settings::QSettingsStore store;
            QVERIFY(!store.Read("IPAD"));
            QVERIFY(store.Write("TZDisp", "1") && store.Write("Zodiac sectors", "0"));
        }
        settings::QSettingsStore later;  // another run
        QCOMPARE(later.Read("Zodiac sectors").value_or("(missing)"), std::string("0"));
        // The values are the top level of the application's settings: on Windows the key itself.
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

int main(int argc, char* argv[])
{
    return orvane::testing::RunWindowTest<TestGuiSettings>(argc, argv);
}
#include "test_gui_settings.moc"
