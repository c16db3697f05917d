// Orvane, the desktop program: the main window over the program's state objects.

#include "gui/main/frm_main.h"
#include "gui/main/render.h"
#include "platform/program_folder.h"
#include "gui/platform/qt_message_boxes.h"
#include "gui/settings/qsettings_store.h"
#include "text/text_numbers.h"

#include <QApplication>
#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QTimer>

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

}  // namespace

int main(int argc, char* argv[])
{
    using namespace orvane;
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
    const QCommandLineOption renderOption(QString::fromLatin1(kRender).mid(2), QString(), QStringLiteral("STATE"));
    const QCommandLineOption outputOption(QStringLiteral("output"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption sizeOption(QStringLiteral("size"), QString(), QStringLiteral("N"));
    if (render)
        parser.addOptions({renderOption, outputOption, sizeOption});
    parser.parse(QApplication::arguments());
    if (render) {
        // A name too many or an option the render does not know: one line, and nothing is drawn.
        const QStringList unknown = parser.unknownOptionNames();
        if (!parser.positionalArguments().isEmpty() || !unknown.isEmpty()) {
            text::Language language;
            language.currentLanguage = gui::StoredLanguage();
            if (language.LoadProgramText(dataFolder, text::kProgramTextFileName).ok())
                std::cerr << "orvane: "
                          << (unknown.isEmpty()
                                  ? language.TextWithReplacements(text::kTextRenderOneState,
                                                                   parser.positionalArguments().constFirst().toStdString())
                                  : language.TextWithReplacements(text::kTextUnknownOption,
                                                                  "--" + unknown.constFirst().toStdString()))
                          << '\n';
            return gui::kRenderUsage;
        }
        gui::RenderRequest request{parser.value(renderOption).toStdString(), parser.value(outputOption).toStdString(),
                                   std::nullopt, dataFolder};
        if (parser.isSet(sizeOption))
            request.width = parser.value(sizeOption).toStdString();
        return gui::RenderChart(request, std::cerr);
    }
    const bool quitAfterFirstPaint = parser.isSet(quitOption);
    std::vector<std::string> stateFiles;
    for (const QString& file : parser.positionalArguments())
        stateFiles.push_back(file.toStdString());

    const auto program = std::make_unique<app::Workspace>();
    gui::QSettingsStore store;
    gui::QtMessageBoxes boxes;
    const platform::SystemClock clock;
    gui::frmMain window(*program, store, boxes, clock, {dataFolder, gui::UserStateFilePath()});
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
