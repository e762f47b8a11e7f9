// The test data kept in the repository under tests/data (PngSuite with its expected pixels), and
// the readers for it. A missing file or folder fails the test that wanted it with a message naming
// the expected path, instead of an exception or a row of unrelated mismatches.
// Window-free: the decoder tests also build natively.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace testsupport {

// The full path of a file or folder under tests/data; a test failure when it is not there.
inline std::string DataPath(const std::string& relative) {
    const std::string path = std::string(VANTREL_SOURCE_DIR) + "/tests/data/" + relative;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) ADD_FAILURE() << "missing test data: " << path;
    return path;
}

// The files of a test data folder, sorted; none when it is missing (a failure says where).
inline std::vector<std::filesystem::path> DataFiles(const std::string& relative) {
    const std::string folder = DataPath(relative);
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        files.push_back(it->path());
    std::sort(files.begin(), files.end());
    return files;
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

// The numbers of a flat JSON array.
inline std::vector<unsigned> ReadJsonArray(const std::string& path) {
    std::vector<unsigned> v;
    unsigned cur = 0;
    bool in = false;
    for (uint8_t c : ReadBytes(path)) {
        if (c >= '0' && c <= '9') {
            cur = cur * 10 + (c - '0');
            in = true;
        } else if (in) {
            v.push_back(cur);
            cur = 0;
            in = false;
        }
    }
    return v;
}

}  // namespace testsupport
