// Shared helpers of the reader-chain tests: PngSuite files and their expected pixels, the zlib
// library switched on and off, a recorder for the load error message, and picture comparison.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "imaging/c32bppDIB.h"
#include "imaging/win_support.h"
#include "imaging/zlib_access.h"
#include "support/test_data.h"

namespace readers_test {

using Bytes = std::vector<uint8_t>;

inline std::string SuitePath(const std::string& name, const char* kind = "png") {
    return testsupport::DataPath(std::string("pngsuite/") + kind + "/" + name + "." + kind);
}

using testsupport::ReadBytes;

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// What the image object holds for a picture given as straight RGBA rows from the top: bottom row
// first, blue-green-red-alpha, colours premultiplied with truncation, alpha 0 all zero.
inline Bytes PremultipliedBottomUp(const std::vector<unsigned>& rgba, int w, int h, int shift) {
    Bytes out(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned* s = &rgba[(static_cast<size_t>(y) * w + x) * 4];
            const unsigned r = s[0] >> shift, g = s[1] >> shift, b = s[2] >> shift, a = s[3] >> shift;
            uint8_t* px = &out[(static_cast<size_t>(h - 1 - y) * w + x) * 4];
            if (a == 0) continue;
            px[0] = static_cast<uint8_t>(b * a / 255);
            px[1] = static_cast<uint8_t>(g * a / 255);
            px[2] = static_cast<uint8_t>(r * a / 255);
            px[3] = static_cast<uint8_t>(a);
        }
    return out;
}

inline uint32_t BigEndian32(const Bytes& b, size_t at) {
    return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) | b[at + 3];
}

// A PngSuite file's expected picture, from its JSON (16-bit samples keep their high byte).
struct SuitePicture {
    int width = 0, height = 0;
    Bytes pixels;
};
inline SuitePicture ExpectedSuitePicture(const std::string& name) {
    const Bytes png = ReadBytes(SuitePath(name));
    SuitePicture p;
    if (png.size() < 26) return p;
    p.width = static_cast<int>(BigEndian32(png, 16));
    p.height = static_cast<int>(BigEndian32(png, 20));
    const int shift = png[24] == 16 ? 8 : 0;
    const std::vector<unsigned> rgba = testsupport::ReadJsonArray(SuitePath(name, "json"));
    if (rgba.size() != static_cast<size_t>(p.width) * p.height * 4) return SuitePicture{};
    p.pixels = PremultipliedBottomUp(rgba, p.width, p.height, shift);
    return p;
}

inline Bytes PixelsOf(const imaging::c32bppDIB& image) {
    GdiFlush();
    const uint8_t* bits = image.BitsPointer();
    if (!bits) return {};
    return Bytes(bits, bits + static_cast<size_t>(image.Width()) * image.Height() * 4);
}

// Index of the first differing pixel, -1 when equal.
inline long FirstDifference(const Bytes& a, const Bytes& b) {
    if (a.size() != b.size()) return 0;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return static_cast<long>(i / 4);
    return -1;
}

// zlib looked for in one folder only while this lives; an empty folder means no zlib at all.
using imaging_test::ZlibFolder;

inline std::string BesideExe(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string p = path;
    return p.substr(0, p.find_last_of("\\/") + 1) + name;
}

// The load error messages shown during a test (no real message box ever opens in these tests).
std::vector<std::string>& ShownMessages();

}  // namespace readers_test
