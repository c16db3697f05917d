#pragma once

// A fresh folder under the system's temporary folder, removed with everything in it when the object goes.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace orvane::testing {

class TempFolder {
public:
    TempFolder()
    {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() / ("orvane-test-" + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string folder() const { return m_path.string() + "/"; }

    // Writes `content` byte for byte to `name` in the folder and returns the file's full path.
    std::string Write(const std::string& name, const std::string& content) const
    {
        const auto file = m_path / name;
        std::ofstream(file, std::ios::binary) << content;
        return file.string();
    }

private:
    std::filesystem::path m_path;
};

}  // namespace orvane::testing
