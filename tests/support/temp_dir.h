// A private temporary folder for one test, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace testsupport {

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("vantrel-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's path in the platform's own form, with a trailing separator.
    std::string Path() const { return path_.string() + static_cast<char>(std::filesystem::path::preferred_separator); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Fs() const { return path_; }
    // Writes the bytes as they are (no line-end translation); returns the file's path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(path_ / name, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return File(name);
    }

private:
    std::filesystem::path path_;
};

}  // namespace testsupport
