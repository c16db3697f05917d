// Orvane, the desktop program: the main window over the program's state objects.

#include "gui/main/frm_main.h"
#include "platform/program_folder.h"
#include "gui/platform/qt_message_boxes.h"
#include "gui/settings/qsettings_store.h"
#include "text/text_numbers.h"

#include <QApplication>
#include <QByteArray>

#include <cstring>
#include <iostream>
#include <memory>

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
    language.intLanguage = orvane::mainwindow::StoredLanguage();
    const std::string error = language.LoadProgramText(dataFolder, orvane::text::kProgramTextFileName);
    std::cerr << "orvane: " << (error.empty() ? language.GetText(orvane::text::kTextNoDisplay) : error) << '\n';
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
    QApplication::setOrganizationName(QStringLiteral("Veltrane"));
    QApplication::setApplicationName(QStringLiteral("ZEMT"));
    // Lets the desktop match the window to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvane.Orvane"));
    bool quitAfterFirstPaint = false;
    for (const QString& argument : QApplication::arguments())
        quitAfterFirstPaint = quitAfterFirstPaint || argument == QLatin1String(kQuitAfterFirstPaint);

    const auto program = std::make_unique<mainwindow::Program>();
    settings::QSettingsStore store;
    platform::QtMessageBoxes boxes;
    const platform::SystemClock clock;
    mainwindow::frmMain window(*program, store, boxes, clock, {dataFolder, mainwindow::UserStateFilePath()});
    boxes.SetParent(&window);
    if (quitAfterFirstPaint)
        window.QuitAfterFirstPaint();
    if (!window.Form_Load())
        return 1;
    window.show();
    return QApplication::exec();
}
