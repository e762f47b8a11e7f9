// A TrueType font under a family name of the test's choosing: the glyphs of a font file that the
// system already knows, with a new naming table, so that the family is known nowhere else and
// its appearance proves the registration. Checksums are left as they were; font engines do not
// check them.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace testsupport {

namespace detail {
inline uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t{b.at(at)} << 24 | uint32_t{b.at(at + 1)} << 16 | uint32_t{b.at(at + 2)} << 8 |
           b.at(at + 3);
}
inline uint16_t Get16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b.at(at) << 8 | b.at(at + 1));
}
inline void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<uint8_t>(v >> (24 - 8 * i));
}
inline void Add16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v >> 8));
    b.push_back(static_cast<uint8_t>(v));
}
}  // namespace detail

// The bytes of the font file at sourcePath with a naming table for family/"Regular".
inline std::vector<uint8_t> RenamedFont(const std::string& sourcePath, const std::string& family) {
    using namespace detail;
    std::ifstream in(sourcePath, std::ios::binary);
    std::vector<uint8_t> font((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (font.size() < 12) throw std::runtime_error("no font at " + sourcePath);

    // Names 1 family, 2 style, 4 full name, 6 PostScript name, for the Macintosh (Roman, bytes)
    // and Windows (Unicode BMP, US English, UTF-16BE) platforms, in the required order.
    std::string postscript;
    for (char c : family)
        if (c != ' ') postscript += c;
    const std::string texts[] = {family, "Regular", family + " Regular", postscript};
    const int ids[] = {1, 2, 4, 6};
    std::vector<uint8_t> records, strings;
    auto record = [&](int platform, int encoding, int language, int id, const std::vector<uint8_t>& text) {
        for (int v : {platform, encoding, language, id, static_cast<int>(text.size()),
                      static_cast<int>(strings.size())})
            Add16(records, static_cast<uint32_t>(v));
        strings.insert(strings.end(), text.begin(), text.end());
    };
    for (int i = 0; i < 4; ++i)
        record(1, 0, 0, ids[i], std::vector<uint8_t>(texts[i].begin(), texts[i].end()));
    for (int i = 0; i < 4; ++i) {
        std::vector<uint8_t> wide;
        for (unsigned char c : texts[i]) Add16(wide, c);
        record(3, 1, 0x409, ids[i], wide);
    }
    std::vector<uint8_t> table;
    Add16(table, 0);
    Add16(table, 8);
    Add16(table, 6 + 12 * 8);
    table.insert(table.end(), records.begin(), records.end());
    table.insert(table.end(), strings.begin(), strings.end());

    // The new table goes at the end, four-byte aligned; the directory entry points at it.
    const uint16_t tables = Get16(font, 4);
    for (uint16_t t = 0; t < tables; ++t) {
        const size_t entry = 12 + 16u * t;
        if (Get32(font, entry) != 0x6E616D65) continue;  // "name"
        while (font.size() % 4) font.push_back(0);
        Put32(font, entry + 8, static_cast<uint32_t>(font.size()));
        Put32(font, entry + 12, static_cast<uint32_t>(table.size()));
        font.insert(font.end(), table.begin(), table.end());
        while (font.size() % 4) font.push_back(0);
        return font;
    }
    throw std::runtime_error("no naming table in " + sourcePath);
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace testsupport
