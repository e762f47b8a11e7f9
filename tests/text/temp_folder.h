// A private folder under the system's temporary folder for fixture files; removed with its
// contents when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

namespace texttest {

class TempFolder {
public:
    TempFolder() {
        static std::atomic<unsigned> counter{0};
        auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        dir_ = std::filesystem::temp_directory_path() /
               ("vantrel-text-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(dir_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Writes the bytes as they are (no line-end translation); returns the path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::filesystem::path p = dir_ / name;
        std::ofstream out(p, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return p.string();
    }
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

private:
    std::filesystem::path dir_;
};

}  // namespace texttest
