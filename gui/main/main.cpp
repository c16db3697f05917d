// Orvane, the desktop program: the main window over the program's state objects.

#include "gui/main/frm_main.h"
#include "gui/main/render.h"
#include "platform/program_folder.h"
#include "gui/platform/qt_message_boxes.h"
#include "gui/settings/qsettings_store.h"
#include "orvane_version.h"
#include "text/text_numbers.h"

#include <QApplication>
#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QTimer>

#include <array>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// Quits as soon as the main window has been painted once: the whole-process start-up benchmark.
constexpr const char* kQuitAfterFirstPaint = "--quit-after-first-paint";

// Draws a state's chart into a file instead of opening the window.
constexpr const char* kRender = "--render";

// A render says what it has to say in its own lines; Qt's notes (a missing runtime folder …) stay out.
void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "orvane: " << message.toStdString() << '\n';
}

bool RenderAsked(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], kRender) == 0 || std::strncmp(argv[i], "--render=", 9) == 0)
            return true;
    return false;
}

// The program's usage, for --help: printed without a display, as the companion prints its own.
constexpr const char* kUsage =
    "Usage: orvane [Qt options] [--quit-after-first-paint] [FILE.qvs]\n"
    "  or:  orvane --render [STATE] [--birth DATE] [--birth2 DATE] [--date DATE] [--mode MODE]\n"
    "              --output FILE.svg|FILE.pdf|FILE.png [--size N]\n"
    "  or:  orvane --help | --version\n"
    "\n"
    "Without --render the main window opens, with FILE.qvs loaded as \"Load from ...\" loads it.\n"
    "--render draws the chart the window would show into FILE and ends, without a window: the chart of\n"
    "STATE, or of the moments typed as orvane-cli takes them (over STATE's when both are given):\n"
    "  --birth DATE    the 1st birthdate        --birth2 DATE   the 2nd birthdate\n"
    "  --date DATE     the world date (default: now)\n"
    "  --mode MODE     world, natal1, natal2, personal1, personal2 or synastry\n"
    "                  (default: the state's; without one natal1 with --birth, else world)\n"
    "  --output FILE   the picture: .svg, .pdf or .png      --size N   its width, 100 to 10000 pixels\n"
    "A DATE is ISO 8601 with an offset or a zone in brackets, such as 1978-03-14T06:30[Europe/Vienna];\n"
    "without either it is UT. The rows hold half hours: a moment between them is rounded, and said so.\n"
    "--birth @NAME and --birth2 @NAME take the moment of a chart of the library (orvane-cli charts; the\n"
    "file of ORVANE_CHARTS, or ~/.local/share/orvane/charts.sqlite).\n"
    "\n"
    "Exit status: 0 done, 1 no display, or a state, chart or file that could not be read, drawn or written;\n"
    "2 a usage mistake (an unknown file type or size, no --output, no chart, an extra name).\n";

// --help or --version before "--": answered at once, without a display or the program text.
std::optional<int> AnsweredAtOnce(int argc, char* argv[])
{
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << kUsage << std::flush;
            return std::cout ? 0 : 1;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "orvane " << orvane::kVersion << '\n' << std::flush;
            return std::cout ? 0 : 1;
        }
    }
    return std::nullopt;
}

// "--render=STATE" as "--render STATE": --render is a switch, and the state file one name beside it.
QStringList RenderArguments(const QStringList& arguments)
{
    QStringList split;
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1String(kRender) + '=')) {
            split << QString::fromLatin1(kRender) << argument.mid(static_cast<qsizetype>(std::strlen(kRender)) + 1);
            continue;
        }
        split << argument;
    }
    return split;
}

// Whether Qt can open a window at all: an X or Wayland display, or a platform chosen explicitly.
bool DisplayAvailable(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0)
            return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// One line on stderr instead of Qt's abort: how to start the program without a screen.
int NoDisplay(const std::string& dataFolder)
{
    orvane::text::Language language;
    language.currentLanguage = orvane::gui::StoredLanguage();
    const auto loaded = language.LoadProgramText(dataFolder, orvane::text::kProgramTextFileName);
    std::cerr << "orvane: " << (loaded.ok() ? language.Text(orvane::text::kTextNoDisplay) : loaded.error().text) << '\n';
    return 1;
}

// orvane --render: its options read from the command line (Qt has taken its own), then the chart drawn.
// A name too many or an option the render does not know is one line, and nothing is drawn.
int Render(QCommandLineParser& parser, const std::string& dataFolder)
{
    using namespace orvane;
    const QCommandLineOption renderOption(QString::fromLatin1(kRender).mid(2));
    const QCommandLineOption outputOption(QStringLiteral("output"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption sizeOption(QStringLiteral("size"), QString(), QStringLiteral("N"));
    // The moments and mode of a chart, as the companion takes them, in date-row order.
    const std::array<QCommandLineOption, 3> momentOptions{
        QCommandLineOption(QStringLiteral("date"), QString(), QStringLiteral("DATE")),
        QCommandLineOption(QStringLiteral("birth"), QString(), QStringLiteral("DATE")),
        QCommandLineOption(QStringLiteral("birth2"), QString(), QStringLiteral("DATE"))};
    const QCommandLineOption modeOption(QStringLiteral("mode"), QString(), QStringLiteral("MODE"));
    parser.addOptions({renderOption, outputOption, sizeOption, modeOption});
    for (const QCommandLineOption& option : momentOptions)
        parser.addOption(option);
    parser.parse(RenderArguments(QApplication::arguments()));
    const QStringList unknown = parser.unknownOptionNames();
    const QStringList names = parser.positionalArguments();
    if (names.size() > 1 || !unknown.isEmpty()) {
        text::Language language;
        language.currentLanguage = gui::StoredLanguage();
        if (language.LoadProgramText(dataFolder, text::kProgramTextFileName).ok())
            std::cerr << "orvane: "
                      << (unknown.isEmpty()
                              ? language.TextWithReplacements(text::kTextRenderOneState, names.at(1).toStdString())
                              : language.TextWithReplacements(text::kTextUnknownOption,
                                                              "--" + unknown.constFirst().toStdString()))
                      << '\n';
        return gui::kRenderUsage;
    }
    gui::RenderRequest request{names.isEmpty() ? std::string() : names.constFirst().toStdString(),
                               parser.value(outputOption).toStdString(), std::nullopt, dataFolder};
    if (parser.isSet(sizeOption))
        request.width = parser.value(sizeOption).toStdString();
    for (size_t row = 0; row < momentOptions.size(); ++row)
        request.chart.moments[row] = parser.value(momentOptions[row]).toStdString();
    request.modeTyped = parser.value(modeOption).toStdString();
    return gui::RenderChart(request, std::cerr);
}

}  // namespace

int main(int argc, char* argv[])
{
    using namespace orvane;
    if (const std::optional<int> answered = AnsweredAtOnce(argc, argv))
        return *answered;
    const std::string dataFolder = platform::DataFolder();
    const bool render = RenderAsked(argc, argv);
    // A render opens no window: without a display it draws on Qt's offscreen platform.
    if (render && !DisplayAvailable(argc, argv))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (render)
        qInstallMessageHandler(QuietQtNotes);
    if (!DisplayAvailable(argc, argv))
        return NoDisplay(dataFolder);

    QApplication application(argc, argv);
    gui::SetUpApplication();
    // Qt has taken its own options (-platform …); what is left is ours: options and state files.
    QCommandLineParser parser;
    const QCommandLineOption quitOption(QString::fromLatin1(kQuitAfterFirstPaint).mid(2));
    parser.addOption(quitOption);
    if (render)
        return Render(parser, dataFolder);
    parser.parse(QApplication::arguments());
    const bool quitAfterFirstPaint = parser.isSet(quitOption);
    std::vector<std::string> stateFiles;
    for (const QString& file : parser.positionalArguments())
        stateFiles.push_back(file.toStdString());

    const auto program = std::make_unique<app::Workspace>();
    gui::QSettingsStore store;
    gui::QtMessageBoxes boxes;
    const platform::SystemClock clock;
    gui::frmMain window(*program, store, boxes, clock, {dataFolder, gui::UserStateFilePath(), {}});
    boxes.SetParent(&window);
    if (quitAfterFirstPaint)
        window.QuitAfterFirstPaint();
    if (!window.Form_Load())
        return 1;
    // An option the program does not know is named and otherwise ignored.
    for (const QString& option : parser.unknownOptionNames()) {
        const std::string written = (option.size() > 1 ? "--" : "-") + option.toStdString();
        std::cerr << "orvane: " << program->language.TextWithReplacements(text::kTextUnknownOption, written)
                  << '\n';
    }
    // The files are opened in the running window, as "Load from ..." opens them.
    if (!stateFiles.empty())
        QTimer::singleShot(0, &window, [&window, &stateFiles] { window.OpenStateFiles(stateFiles); });
    return QApplication::exec();
}
