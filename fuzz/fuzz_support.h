// What the fuzz targets share.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "imaging/dib_target.h"

namespace fuzz {

// Ends the run with a finding when a property does not hold.
inline void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    abort();
}

// A private folder for the targets that read files, in memory where the system offers it; removed
// with everything in it at the end of the run.
class WorkFolder {
public:
    explicit WorkFolder(const char* name) {
        const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/vantrel-" + name + "-XXXXXX";
        Check(mkdtemp(pattern.data()) != nullptr, "no work folder");
        path_ = pattern;
    }
    ~WorkFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// A picture target that refuses large pictures, as a system low on memory would: keeps the runs fast
// and exercises the readers' refusal paths.
class LimitedDib final : public imaging::DibTarget {
public:
    bool InitializeDIB(int32_t width, int32_t height) override {
        const int64_t h = height < 0 ? -static_cast<int64_t>(height) : height;
        if (width > 0 && h > 0 && static_cast<int64_t>(width) * h > (1 << 18)) {
            dib_.DestroyDIB();
            return false;
        }
        return dib_.InitializeDIB(width, height);
    }
    void DestroyDIB() override { dib_.DestroyDIB(); }
    bool HasPicture() const override { return dib_.HasPicture(); }
    int32_t Width() const override { return dib_.Width(); }
    int32_t Height() const override { return dib_.Height(); }
    uint8_t* Bits() override { return dib_.Bits(); }
    void SetAlpha(bool alpha) override { dib_.SetAlpha(alpha); }
    void SetImageType(int32_t type) override { dib_.SetImageType(type); }

    // Premultiplied pixels never have a colour above their alpha.
    bool PixelsArePremultiplied() const {
        const auto& p = dib_.Pixels();
        for (size_t i = 0; i + 3 < p.size(); i += 4)
            if (p[i] > p[i + 3] || p[i + 1] > p[i + 3] || p[i + 2] > p[i + 3]) return false;
        return true;
    }

private:
    imaging::MemoryDib dib_;
};

}  // namespace fuzz
