// Faults the desktop program survives at start-up and at the end: data files missing or cut short, a
// help file that is not there, a per-user folder that cannot be made.

#include "tests/support/main_window_fixture.h"
#include "tests/support/window_test_main.h"
#include "text/text_numbers.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <string>

using namespace orvane;
namespace fs = std::filesystem;

class TestGuiFaults : public testing::MainWindowFixture {
    Q_OBJECT

private:
    QTemporaryDir scratch;

    // A data folder holding the named files of the build's data folder, and the first `plutoLines`
    // lines of the Pluto table when that is not negative.
    std::string DataFolder(std::initializer_list<const char*> files, int plutoLines = -1)
    {
        const fs::path folder = fs::path(scratch.path().toStdString()) / "data";
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const char* file : files)
            fs::copy_file(fs::path(ORVANE_BIN_DIR) / file, folder / file);
        if (plutoLines >= 0) {
            std::ifstream table(fs::path(ORVANE_BIN_DIR) / "hpluto.2199.slx");
            std::ofstream cut(folder / "hpluto.2199.slx");
            std::string line;
            for (int i = 0; i < plutoLines && std::getline(table, line); ++i)
                cut << line << '\n';
        }
        return folder.string() + '/';
    }

    std::string UserFile() const { return scratch.filePath("orvane.usr").toStdString(); }

private slots:
    void cleanup() { window.reset(); }

    void missingProgramTextEndsStartUpWithOneMessage()
    {
        QVERIFY(!OpenMainWindow(UserFile(), DataFolder({"hpluto.2199.slx"})));
        QCOMPARE(boxes.shown.size(), size_t{1});
        QCOMPARE(boxes.shown[0].icon, platform::Icon::Critical);
        QVERIFY(boxes.shown[0].text.find("qvs.dat") != std::string::npos);
    }

    // Which tables the Pluto table's reader refuses is its own rule; the program starts with eight bodies
    // and says so over a finished window: computed, titled, its grid and every button row in place.
    void aMissingPlutoTableLeavesEightBodies()
    {
        const auto look = [this] {
            QStringList seen{window->isVisible() ? "shown" : "hidden", window->windowTitle(), Read("lblTitle")};
            for (const char* name : {"cmdCompute", "cmdRestore", "cmdQuit", "picTable", "txbReport", "lblFoot"})
                seen << QString::number(Control(name)->mapTo(window.get(), QPoint()).y());
            return seen;
        };
        QStringList whileBoxShown;
        boxes.whileShown = [&] { whileBoxShown = look(); };
        QVERIFY(OpenMainWindow(UserFile(), DataFolder({"qvs.dat", "zemt_help.txt"}, 1000)));
        boxes.whileShown = nullptr;
        QVERIFY(boxes.shown.size() == 1 && boxes.shown[0].icon == platform::Icon::Exclamation);
        QVERIFY(Read("boxes").contains(": Error when reading Pluto data: "));
        QCOMPARE(program->astro.bodyCount, core::kNeptune);
        QVERIFY(program->grid.cellCount > 0);
        QApplication::processEvents();
        QVERIFY(!Read("lblTitle").isEmpty());
        QCOMPARE(whileBoxShown, look());
    }

    // The viewer opens empty, as for any file it cannot read, and says nothing.
    void aMissingHelpFileOpensAnEmptyViewer()
    {
        QVERIFY(OpenMainWindow(UserFile(), DataFolder({"qvs.dat", "hpluto.2199.slx"})));
        Check({"cmdHelp"}, {"frmView.shown", "frmView/txbText1", "boxes"}, {"yes", "", ""});
    }

    // A per-user folder that cannot be made (a file stands where it would be): the program starts at the
    // present moment, and saving on Quit says why it failed and still ends.
    void aPerUserFolderThatCannotBeMade()
    {
        const std::string blocker = scratch.filePath("blocker").toStdString();
        std::ofstream(blocker) << "a file";
        QVERIFY(OpenMainWindow(blocker + "/Veltrane/orvane.usr"));
        Check({"!Yes", "cmdQuit"}, {"frmMain.shown"}, {"no"});
        QVERIFY(Read("boxes").contains(QString::fromStdString(blocker) + "/Veltrane/orvane.usr cannot be written"));
        QVERIFY(fs::is_regular_file(blocker));
    }
};

int main(int argc, char* argv[])
{
    return orvane::testing::RunWindowTest<TestGuiFaults>(argc, argv);
}

#include "test_gui_faults.moc"
