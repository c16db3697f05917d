// Orvane, the desktop program: the main window over the program's state objects.

#include "gui/main/frm_main.h"
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
#include <string>
#include <vector>

namespace {

// Quits as soon as the main window has been painted once: the whole-process start-up benchmark.
constexpr const char* kQuitAfterFirstPaint = "--quit-after-first-paint";

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
    if (!DisplayAvailable(argc, argv))
        return NoDisplay(dataFolder);

    QApplication application(argc, argv);
    gui::SetUpApplication();
    // Qt has taken its own options (-platform …); what is left is ours: options and state files.
    QCommandLineParser parser;
    const QCommandLineOption quitOption(QString::fromLatin1(kQuitAfterFirstPaint).mid(2));
    parser.addOption(quitOption);
    parser.parse(QApplication::arguments());
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
