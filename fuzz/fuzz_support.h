#pragma once

// What the fuzz targets share: the check that stops a run on a broken rule, the folder of the program's
// data files, a scratch file for the readers that take a path, and the program text.

#include "text/language.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace orvane::fuzz {

// Stops the run when a rule the target checks does not hold; libFuzzer keeps the input as a crash.
inline void Require(bool holds, const char* rule)
{
    if (!holds) {
        std::fprintf(stderr, "rule broken: %s\n", rule);
        std::abort();
    }
}

// The folder of qvs.dat and hpluto.2199.slx, with a trailing '/': $ORVANE_FUZZ_DATA, or else the fuzz
// executable's own folder, where the build puts the data files.
inline std::string DataFolder()
{
    if (const char* folder = std::getenv("ORVANE_FUZZ_DATA"); folder != nullptr && *folder != '\0') {
        const std::string path = folder;
        return path.back() == '/' ? path : path + '/';
    }
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
}

// A file of this process in the temporary folder, rewritten for every input and removed at the end.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name)
        : m_path((std::filesystem::temp_directory_path() /
                  ("orvane-fuzz-" + std::to_string(getpid()) + "-" + name)).string())
    {
    }
    ~ScratchFile()
    {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& path() const { return m_path; }

    // Replaces the file's content; returns its path.
    const std::string& Write(std::string_view content) const
    {
        std::ofstream file(m_path, std::ios::binary | std::ios::trunc);
        file.write(content.data(), static_cast<std::streamsize>(content.size()));
        file.close();
        Require(!file.fail(), "the scratch file is written");
        return m_path;
    }

    std::string Read() const
    {
        std::ifstream file(m_path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

private:
    std::string m_path;
};

// The program text of the data folder, loaded once.
inline const text::Language& ProgramText()
{
    static const text::Language language = [] {
        text::Language loaded;
        Require(loaded.LoadProgramText(DataFolder(), text::kProgramTextFileName).ok(), "qvs.dat loads");
        return loaded;
    }();
    return language;
}

}  // namespace orvane::fuzz
