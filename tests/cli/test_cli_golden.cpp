// orvane-cli against golden files: every tests/cli/golden/NAME.txt is one run of the companion.
//
//   # comment lines (why the case is there; hand checks of real dates)
//   data: none | short-pluto | damaged-text | truncated-text   (optional: the data folder to run with;
//         truncated-text: the program text cut before the first text of the companion)
//   $ orvane-cli ARGS                              (blank-separated; blanks in "…" stay in the argument)
//   exit CODE
//   --- stdout
//   what the program printed, byte for byte
//   --- stderr
//   what it printed as messages, byte for byte (the data folder written as DATA/)
//
// State files named in ARGS are the .qvs files beside the cases (the runs happen in that folder). Every run
// has the present moment noon UT of 1 January 2000 and a computer in zone GMT+1:00.
//
// To record the program's present output (after a deliberate change of it), run the test with
// ORVANE_UPDATE_GOLDEN=1 in the environment: everything below the "$ orvane-cli" line of every case is
// rewritten. Review the changes with `git diff tests/cli/golden` before committing them.

#include "cli/cli.h"

#include "core/pluto_table.h"
#include "platform/clock.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::cli {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenFolder = ORVANE_CLI_GOLDEN_DIR;
const std::string kBuildData = std::string(ORVANE_BIN_DIR) + "/";
const std::string kCommandStart = "$ orvane-cli";

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::string> CaseNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kGoldenFolder))
        if (entry.path().extension() == ".txt")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The arguments of a command line: blank-separated words; blanks between double quotes stay in the word.
std::vector<std::string> SplitArguments(const std::string& line)
{
    std::vector<std::string> args;
    bool inWord = false, quoted = false;
    for (const char c : line) {
        if (c == ' ' && !quoted) {
            inWord = false;
            continue;
        }
        if (!inWord)
            args.emplace_back();
        inWord = true;
        if (c == '"')
            quoted = !quoted;
        else
            args.back() += c;
    }
    return args;
}

// `text` with the data folder, which differs from run to run, written as "DATA/".
std::string WithoutFolder(std::string text, const std::string& folder)
{
    for (size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at))
        text.replace(at, folder.size(), "DATA/");
    return text;
}

// A data folder for the case: the build's, or a made-up one that lacks or spoils a file.
struct DataFolder {
    explicit DataFolder(const std::string& kind)
    {
        if (kind.empty())
            return;
        if (kind == "short-pluto") {
            fs::copy_file(kBuildData + "qvs.dat", temp.path() / "qvs.dat");
            temp.Write(core::kPlutoTableFileName, "short\n");
        } else if (kind == "truncated-text") {
            const std::string whole = ReadFile(kBuildData + "qvs.dat");
            temp.Write("qvs.dat", whole.substr(0, whole.find("\n1011|") + 1));
        } else if (kind == "edited-text") {
            std::string whole = ReadFile(kBuildData + "qvs.dat");
            const std::string said = "\n127|0|N aspects in total.\n";
            whole.replace(whole.find(said), said.size(), "\n127|0|N aspects, all told.\n");
            temp.Write("qvs.dat", whole);
            fs::copy_file(kBuildData + core::kPlutoTableFileName, temp.path() / core::kPlutoTableFileName);
        } else if (kind == "damaged-text") {
            temp.Write("qvs.dat", "not a program text\n");
        } else {
            EXPECT_EQ(kind, "none") << "unknown data folder";
        }
        path = temp.folder();
    }
    testing::TempFolder temp;
    std::string path = kBuildData;
};

class CliGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(CliGolden, PrintsWhatTheGoldenFileHolds)
{
    const fs::path file = kGoldenFolder / (GetParam() + ".txt");
    const std::string expected = ReadFile(file);
    const size_t commandAt = expected.find(kCommandStart);
    ASSERT_NE(commandAt, std::string::npos) << file;
    const size_t commandEnd = expected.find('\n', commandAt);
    const std::string header = expected.substr(0, commandEnd + 1);
    std::string dataKind;
    std::istringstream headerLines(header);
    for (std::string line; std::getline(headerLines, line);)
        if (line.rfind("data: ", 0) == 0)
            dataKind = line.substr(6);

    const DataFolder data(dataKind);
    const platform::FixedClock clock({2024, 5, 5, 10, 0, 0}, -3600);
    Environment environment{data.path, 2451545.0, &clock, {}};
    std::ostringstream out, err;
    const fs::path previous = fs::current_path();
    fs::current_path(kGoldenFolder);
    const size_t argsAt = commandAt + kCommandStart.size();
    const int code = cli::Run(SplitArguments(header.substr(argsAt, commandEnd - argsAt)), environment, out, err);
    fs::current_path(previous);

    const std::string actual = header + "exit " + std::to_string(code) + "\n--- stdout\n" + out.str() +
                               "--- stderr\n" + WithoutFolder(err.str(), data.path);
    if (const char* update = std::getenv("ORVANE_UPDATE_GOLDEN"); update != nullptr && std::string(update) == "1")
        std::ofstream(file, std::ios::binary) << actual;
    else
        EXPECT_EQ(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CliGolden, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

}  // namespace
}  // namespace orvane::cli
