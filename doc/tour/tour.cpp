// orvane_tour: renders the desktop program's windows in typical states into PNG files, for the README and
// the AppStream metadata. It drives the windows through their handlers as a user would with the mouse,
// from the sample state files, on the offscreen platform, with a fixed clock, settings in memory and a
// temporary home, so that the pictures are the same on every machine and the user's own state is
// untouched. doc/tour/make_images builds and runs it.
//
// Usage: orvane_tour OUTPUT_FOLDER. Prints the name of every picture written; exits 1 when a picture
// could not be written, a window was missing or a message box came up.

#include "core/patterns.h"
#include "app/actions.h"
#include "app/chart_editor.h"
#include "app/chart_library.h"
#include "app/precise_moments.h"
#include "datetime/moment_parsing.h"
#include "atlas/atlas.h"
#include "gui/main/frm_chart_edit.h"
#include "gui/main/frm_charts.h"
#include "gui/main/frm_main.h"
#include "platform/clock.h"
#include "platform/message.h"
#include "platform/program_folder.h"
#include "gui/settings/frm_configure.h"
#include "settings/settings_store.h"
#include "text/language.h"
#include "gui/tools/frm_durations.h"
#include "gui/tools/frm_positions.h"
#include "gui/tools/frm_run.h"
#include "gui/tools/frm_timeline.h"
#include "gui/tools/frm_view.h"
#include "tests/support/temporary_home.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cstdint>
#include <iostream>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using namespace orvane;

// The sample states the pictures are made from.
constexpr const char* kWorldSample = ORVANE_SAMPLES_DIR "/world-grand-trine.qvs";
constexpr const char* kNatalSample = ORVANE_SAMPLES_DIR "/natal.qvs";
constexpr const char* kSynastrySample = ORVANE_SAMPLES_DIR "/synastry.qvs";

// Every message box is answered at once with its default button and noted, so that no box waits for a
// click; a box during the tour means a picture may not show what it should, and the tour fails.
class AnsweringMessageBoxes : public platform::MessageBoxes {
public:
    platform::Button Show(const platform::Message& message) override
    {
        shown.push_back(message.title + ": " + message.text);
        return message.buttons == platform::Buttons::Ok ? platform::Button::Ok : message.defaultButton;
    }

    std::vector<std::string> shown;
};

// One start of the program: its state objects and the main window over them, started up in English from
// a copy of a sample state file as the user's saved state, and shown. Start-up selects world transits
// or the natal mode the file holds; the other modes are chosen with their buttons.
class Session {
public:
    Session(const QString& sample, const QString& home, platform::MessageBoxes& boxes)
        : m_window(m_program, m_store, boxes, m_clock, {platform::DataFolder(), UserState(sample, home), {}})
    {
        gui::StoreLanguage(text::langEnglish);
        // The display settings of a user who has saved once: neither "Show only ..." option of the chart
        // ticked (a store without them ticks both as soon as a state file is read).
        m_program.configure.StoreInnerPlanetAspects(m_store);
        m_program.configure.StoreEarthAspectsOnly(m_store);
        m_loaded = m_window.Form_Load();
        m_window.show();
        // The focus where the program puts it after a computation.
        if (auto* compute = m_window.findChild<QWidget*>(QStringLiteral("cmdCompute")))
            compute->setFocus();
        QApplication::processEvents();
    }

    bool Loaded() const { return m_loaded; }
    gui::frmMain& Window() { return m_window; }
    const app::Workspace& Program() const { return m_program; }
    app::Workspace& Program() { return m_program; }

    // The first cell whose click draws a transit picture; -1 when there is none.
    int TransitPictureCell()
    {
        for (int16_t cell = 0; cell < m_program.grid.cellCount; ++cell)
            if (m_program.ClickCell(cell).kind == app::CellClickOutcome::Kind::TransitPicture)
                return cell;
        return -1;
    }

private:
    // The per-user state file of this start: the sample copied into the temporary home.
    static std::string UserState(const QString& sample, const QString& home)
    {
        const QString path = home + QStringLiteral("/orvane.usr");
        QFile::remove(path);
        QFile::copy(sample, path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path.toStdString();
    }

    app::Workspace m_program;
    settings::MemorySettingsStore m_store;
    const platform::FixedClock m_clock{{2000, 1, 1, 12, 0, 0}};
    bool m_loaded = false;
    gui::frmMain m_window;  // last: it goes before the state it shows
};

class Tour {
public:
    Tour(QString outputFolder, QString home) : m_output(std::move(outputFolder)), m_home(std::move(home)) {}

    // A fresh start of the program in English from `sample`; nullptr (and the tour failed) when it did
    // not start.
    std::unique_ptr<Session> Start(const char* sample)
    {
        auto session = std::make_unique<Session>(QString::fromUtf8(sample), m_home, m_boxes);
        if (session->Loaded())
            return session;
        Fail(sample);
        return nullptr;
    }

    // Saves what `window` shows, as it is now, as NAME.png in the output folder.
    void Shoot(QWidget* window, const char* name)
    {
        const QString path = QDir(m_output).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
        if (window == nullptr) {
            Fail(name);
            return;
        }
        window->show();
        QApplication::processEvents();
        if (!window->grab().toImage().save(path, "PNG")) {
            Fail(path.toStdString());
            return;
        }
        std::cout << path.toStdString() << '\n';
        for (const std::string& message : m_boxes.shown)
            Fail(std::string(name) + ": a message box: " + message);
        m_boxes.shown.clear();
    }

    bool Succeeded() const { return m_succeeded; }

private:
    void Fail(const std::string& what)
    {
        std::cerr << "orvane_tour: failed: " << what << '\n';
        m_succeeded = false;
    }

    AnsweringMessageBoxes m_boxes;
    QString m_output;
    QString m_home;
    bool m_succeeded = true;
};

template <typename Window>
Window* Find(gui::frmMain& main)
{
    return main.findChild<Window*>(QString(), Qt::FindDirectChildrenOnly);
}

void RenderWorldTransits(Tour& tour)
{
    if (const auto session = tour.Start(kWorldSample)) {
        gui::frmMain& window = session->Window();
        tour.Shoot(&window, "main-world");

        window.cmdReport_Click();
        tour.Shoot(Find<gui::frmDurations>(window), "durations-world");
        window.cmdRun_Click();
        if (auto* run = Find<gui::frmRun>(window)) {
            run->cboAspectPattern_Click(core::kPatternTSquare);  // a run until the next T-square
            tour.Shoot(run, "run");
            run->cmdCancel_Click();
        }
        window.cmdConfigure_Click();
        tour.Shoot(Find<gui::frmConfigure>(window), "configure");
        window.cmdHelp_Click();
        tour.Shoot(Find<gui::frmView>(window), "help");
        window.cmdTimeline_Click();
        // The offscreen screen has no room beside the main window: the timeline as a large screen gives it.
        if (auto* timeline = Find<gui::frmTimeline>(window))
            timeline->resize(796, 715);
        tour.Shoot(Find<gui::frmTimeline>(window), "timeline");

        window.cmdToggleGraphic_Click();
        tour.Shoot(&window, "chart-one-date");
    }
}

void RenderPersonalTransits(Tour& tour)
{
    if (const auto session = tour.Start(kNatalSample)) {
        gui::frmMain& window = session->Window();
        window.cmdReport_Click();
        tour.Shoot(Find<gui::frmDurations>(window), "durations-natal");

        window.optMode_Click(core::Mode::PersonalTransits1st);
        tour.Shoot(&window, "main-personal");
        const int cell = session->TransitPictureCell();
        if (cell >= 0)
            window.txbCell_Click(cell);
        tour.Shoot(cell >= 0 ? &window : nullptr, "transit-picture");
    }
}

void RenderSynastry(Tour& tour)
{
    if (const auto session = tour.Start(kSynastrySample)) {
        gui::frmMain& window = session->Window();
        window.optMode_Click(core::Mode::Synastry);
        tour.Shoot(&window, "main-synastry");
        window.cmdToggleGraphic_Click();
        tour.Shoot(&window, "chart-two-dates");
    }
}

// The Charts window over a small library in the temporary home, its editor, and the window in German.
void RenderCharts(Tour& tour)
{
    const auto session = tour.Start(kNatalSample);
    if (!session)
        return;
    gui::frmMain& window = session->Window();
    const text::Language& language = session->Program().language;
    struct Sample {
        const char* name;
        const char* firstName;
        int year, month, day, hour, minute;
        const char* place;
        const char* tags;
    };
    const Sample samples[] = {{"Berger", "Anna", 1978, 3, 14, 6, 45, "Vienna", "client"},
                              {"Moreau", "Luc", 1962, 11, 2, 23, 10, "Lyon", "client, family"},
                              {"Lindqvist", "Maja", 1991, 6, 21, 4, 30, "Gothenburg", ""},
                              {"Founding of the club", "", 1905, 5, 1, 12, 0, "Springfield, Illinois", "event"}};
    app::ChartLibrary library(language);
    if (!library.Open({}))
        return;
    for (const Sample& sample : samples) {
        app::ChartEditor editor;
        editor.name = sample.name;
        editor.firstName = sample.firstName;
        std::tie(editor.moment.year, editor.moment.month, editor.moment.day, editor.moment.hour, editor.moment.minute) =
            std::tuple(sample.year, sample.month, sample.day, sample.hour, sample.minute);
        editor.moment.place.Type(sample.place, atlas::Atlas::Shared(), atlas::NameLanguage::English);
        editor.ChoosePlace(0, atlas::NameLanguage::English);
        editor.tagsText = sample.tags;
        if (sample.firstName[0] == '\0')
            editor.kind = charts::ChartKind::Event;
        if (auto chart = editor.Record(language))
            (void)library.Save(std::move(chart).value());
    }
    window.cmdCharts_Click();
    auto* charts = Find<gui::frmCharts>(window);
    if (charts != nullptr)
        charts->findChild<QTableWidget*>(QStringLiteral("lstCharts"))->selectRow(1);
    tour.Shoot(charts, "charts");
    if (charts != nullptr)
        charts->cmdEdit_Click();
    tour.Shoot(charts ? charts->findChild<gui::frmChartEdit*>() : nullptr, "chart-edit");
    if (auto* editor = charts ? charts->findChild<gui::frmChartEdit*>() : nullptr)
        editor->hide();
    window.cboLanguage_Click(text::langGerman);
    tour.Shoot(charts, "charts-german");
}

void RenderGerman(Tour& tour)
{
    if (const auto session = tour.Start(kWorldSample)) {
        session->Window().cboLanguage_Click(text::langGerman);
        tour.Shoot(&session->Window(), "main-german");
    }
}

// The chart's outer ring of geocentric positions, switched on in the configuration panel, for a birth
// in Vienna (so that the ring has the Ascendant and Midheaven), and the positions window beside it; both
// again in German.
void RenderGeocentric(Tour& tour)
{
    const auto session = tour.Start(kNatalSample);
    if (!session)
        return;
    gui::frmMain& window = session->Window();
    app::Workspace& program = session->Program();
    auto birth = datetime::ParsePreciseMoment("1990-06-15T08:30[Europe/Vienna]", datetime::MomentZone::Fixed(0),
                                              program.language);
    if (birth) {
        app::SetPreciseMoment(program, core::kFirstBirthdateRow, std::move(birth).value());
        program.rowPlaces[core::kFirstBirthdateRow] = {"Vienna", "Vienna", "AT", 48.2085, 16.3721};
    }
    window.cmdConfigure_Click();
    auto* panel = Find<gui::frmConfigure>(window);
    if (auto* ring = panel ? panel->findChild<QCheckBox*>(QStringLiteral("chkGeoRing")) : nullptr) {
        ring->setChecked(true);
        panel->cmdAccept_Click();
        panel->cmdHide_Click();
    }
    window.cmdToggleGraphic_Click();
    tour.Shoot(&window, "chart-geocentric");
    window.cmdPositions_Click();
    tour.Shoot(Find<gui::frmPositions>(window), "positions");
    window.cboLanguage_Click(text::langGerman);
    tour.Shoot(&window, "chart-geocentric-german");
    tour.Shoot(Find<gui::frmPositions>(window), "positions-german");
}

// Qt's own handler of its messages, which QuietAboutRaising passes everything else on to.
QtMessageHandler g_qtMessages = nullptr;

// The offscreen platform's notes that it cannot raise a window say nothing about the pictures.
void QuietAboutRaising(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        g_qtMessages(type, context, message);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2)
        return 2;
    // The windows keep their settings and the user's state in a home of their own for this run.
    const QTemporaryDir home;
    if (!home.isValid())
        return 1;
    orvane::testing::UseTemporaryHome(home);
    qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_qtMessages = qInstallMessageHandler(QuietAboutRaising);

    QApplication application(argc, argv);
    orvane::gui::SetUpApplication();
    const QString output = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(output))
        return 1;

    Tour tour(output, home.path());
    RenderWorldTransits(tour);
    RenderPersonalTransits(tour);
    RenderSynastry(tour);
    RenderGerman(tour);
    RenderCharts(tour);
    RenderGeocentric(tour);
    return tour.Succeeded() ? 0 : 1;
}
