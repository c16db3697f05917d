// Two programs saving one file at the same moment, as two running Orvanes both saving the per-user state
// file: ROUNDS times (1000), two processes are released together and each saves the file once. Every save
// must succeed and the file must afterwards hold one of the two contents, whole; no temporary may remain.
//
//   save_race [ROUNDS [FOLDER]]     exits 0 when every round passed, 1 otherwise

#include "platform/saved_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A state-sized content that tells which save wrote it.
std::string Content(char which)
{
    std::string text;
    for (int line = 0; line < 51; ++line)
        text += std::string(1, which) + " " + std::to_string(line) + " \r\n";
    return text;
}

// Waits until the parent closes the pipe's other end, saves, and exits 0 when the save succeeded.
[[noreturn]] void SaveWhenReleased(int release, const std::string& path, const std::string& content)
{
    char byte = 0;
    while (::read(release, &byte, 1) < 0) {
    }
    const auto saved = orvane::platform::SaveFile(
        path, content, [](orvane::platform::ErrorCode, const std::string& folder, const std::string& reason) {
            return orvane::platform::Message::Exclamation("", folder + ": " + reason);
        });
    if (!saved.ok())
        std::fprintf(stderr, "save failed: %s\n", saved.error().text.c_str());
    ::_exit(saved.ok() ? 0 : 1);
}

}  // namespace

int main(int argc, char* argv[])
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 1000;
    const fs::path folder = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / ("save_race." + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string path = (folder / "orvane.usr").string();
    const std::string first = Content('A'), second = Content('B');
    int failedSaves = 0, emptyFiles = 0, tornFiles = 0;
    for (int round = 0; round < rounds; ++round) {
        int release[2];
        if (::pipe(release) != 0)
            return 1;
        pid_t children[2];
        for (int i = 0; i < 2; ++i) {
            children[i] = ::fork();
            if (children[i] == 0) {
                ::close(release[1]);
                SaveWhenReleased(release[0], path, i == 0 ? first : second);
            }
        }
        ::close(release[0]);
        ::close(release[1]);  // both children read the end of the pipe at once
        for (pid_t child : children) {
            int status = 0;
            ::waitpid(child, &status, 0);
            failedSaves += !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        emptyFiles += text.str().empty();
        tornFiles += !text.str().empty() && text.str() != first && text.str() != second;
    }
    int leftovers = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        leftovers += entry.path().filename() != "orvane.usr";
    std::printf("%d rounds of two simultaneous saves: %d failed saves, %d empty files, %d torn files, %d "
                "temporaries left\n",
                rounds, failedSaves, emptyFiles, tornFiles, leftovers);
    if (argc <= 2)
        fs::remove_all(folder);
    return failedSaves + emptyFiles + tornFiles + leftovers == 0 ? 0 : 1;
}
