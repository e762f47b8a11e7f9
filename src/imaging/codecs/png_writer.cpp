#include "imaging/codecs/png_writer.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

#include "runtime/byte_order.h"
#include "runtime/convert.h"

namespace imaging {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

// The predefined text keywords, slot n belonging to bit 2^n.
constexpr const char* kKeywords[10] = {"Title",    "Author",     "Description", "Copyright", "Creation Time",
                                       "Software", "Disclaimer", "Warning",     "Source",    "Comment"};

void AppendType(std::vector<uint8_t>& chunk, const char* type) {
    chunk.insert(chunk.end(), type, type + 4);
}

// A premultiplied colour divided back by its alpha (1 to 254), at most 255.
inline uint8_t Straight(uint8_t c, uint32_t a) {
    return static_cast<uint8_t>(std::min<uint32_t>(255u, c * 255u / a));
}

inline int32_t PixelValue(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return static_cast<int32_t>(v);
}

inline int32_t PaethPredictor(int32_t left, int32_t up, int32_t upLeft) {
    const int32_t p = left + up - upLeft;
    const int32_t pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
    if (pa <= pb && pa <= pc) return left;
    return pb <= pc ? up : upLeft;
}

// Filters one row with PNG filter type `type` (0 None .. 4 Paeth) into `out`.
void FilterRow(int type, const uint8_t* cur, const uint8_t* prev, size_t n, size_t bpp, uint8_t* out) {
    switch (type) {
        case 0:
            std::memcpy(out, cur, n);
            break;
        case 1:  // Sub
            for (size_t j = 0; j < n; ++j)
                out[j] = static_cast<uint8_t>(cur[j] - (j >= bpp ? cur[j - bpp] : 0));
            break;
        case 2:  // Up
            for (size_t j = 0; j < n; ++j) out[j] = static_cast<uint8_t>(cur[j] - (prev ? prev[j] : 0));
            break;
        case 3:  // Average
            for (size_t j = 0; j < n; ++j) {
                const int32_t left = j >= bpp ? cur[j - bpp] : 0, up = prev ? prev[j] : 0;
                out[j] = static_cast<uint8_t>(cur[j] - (left + up) / 2);
            }
            break;
        default:  // Paeth
            if (!prev) {
                // Without a row above, Paeth predicts the left byte.
                for (size_t j = 0; j < n; ++j)
                    out[j] = static_cast<uint8_t>(cur[j] - (j >= bpp ? cur[j - bpp] : 0));
                break;
            }
            for (size_t j = 0; j < bpp && j < n; ++j) out[j] = static_cast<uint8_t>(cur[j] - prev[j]);
            for (size_t j = bpp; j < n; ++j)
                out[j] = static_cast<uint8_t>(cur[j] - PaethPredictor(cur[j - bpp], prev[j], prev[j - bpp]));
            break;
    }
}

// The score of a filter for the adaptive choice: the sum of the differences as plain integers,
// abandoned (-1) as soon as it passes `best`.
int64_t FilterScore(int type, const uint8_t* cur, const uint8_t* prev, size_t n, size_t bpp, int64_t best) {
    int64_t sum = 0;
    for (size_t j = 0; j < n; ++j) {
        const int32_t left = j >= bpp ? cur[j - bpp] : 0;
        const int32_t up = prev ? prev[j] : 0;
        const int32_t upLeft = prev && j >= bpp ? prev[j - bpp] : 0;
        int32_t v = cur[j];
        switch (type) {
            case 0:
                break;
            case 1:
                v = j < bpp ? cur[j] : std::abs(v - left);
                break;
            case 2:
                v = std::abs(v - up);
                break;
            case 3:
                v = std::abs(v - (left + up) / 2);
                break;
            default:
                v = std::abs(v - PaethPredictor(left, up, upLeft));
                break;
        }
        sum += v;
        if (sum > best) return -1;
    }
    return sum;
}

// A direct-mapped memo of pixel values (and their palette positions).
struct ValueMemo {
    static constexpr size_t kSize = 1024;
    static size_t Hash(int32_t v) { return (static_cast<uint32_t>(v) * 2654435761u) >> 22; }
    std::array<int32_t, kSize> value{};
    std::array<uint8_t, kSize> index{};
    std::array<bool, kSize> used{};
};

// An output that appends to a byte array.
class ArrayOutput final : public PngOutput {
public:
    explicit ArrayOutput(std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    bool Write(const uint8_t* data, size_t length) override {
        bytes_.insert(bytes_.end(), data, data + length);
        return true;
    }

private:
    std::vector<uint8_t>& bytes_;
};

// "yyyy-mm-dd[ hh:nn[:ss]]" or "m/d/yyyy[ h:nn[:ss][ AM|PM]]" into year, month, day, hour,
// minute, second.
bool ParseDateText(const std::string& text, int32_t (&f)[6]) {
    std::string s = text;
    while (!s.empty() && s.front() == ' ') s.erase(s.begin());
    while (!s.empty() && s.back() == ' ') s.pop_back();
    if (s.empty()) return false;
    std::vector<int32_t> numbers;
    std::vector<char> separators;
    bool pm = false, am = false;
    size_t i = 0;
    while (i < s.size()) {
        if (s[i] >= '0' && s[i] <= '9') {
            int64_t v = 0;
            size_t digits = 0;
            while (i < s.size() && s[i] >= '0' && s[i] <= '9' && digits < 5)
                v = v * 10 + (s[i++] - '0'), ++digits;
            if (i < s.size() && s[i] >= '0' && s[i] <= '9') return false;
            numbers.push_back(static_cast<int32_t>(v));
        } else if (s[i] == '-' || s[i] == '/' || s[i] == ':' || s[i] == ' ') {
            separators.push_back(s[i++]);
        } else {
            const std::string rest = s.substr(i);
            if (rest == "AM" || rest == "am")
                am = true;
            else if (rest == "PM" || rest == "pm")
                pm = true;
            else
                return false;
            i = s.size();
        }
    }
    if (numbers.size() < 3 || numbers.size() > 6 || numbers.size() == 4) return false;
    std::string seps;
    for (char c : separators)
        if (c != ' ' || (!seps.empty() && seps.back() != ' ')) seps += c;
    while (!seps.empty() && seps.back() == ' ') seps.pop_back();
    int32_t y, mo, d;
    if (seps.compare(0, 2, "--") == 0) {
        y = numbers[0], mo = numbers[1], d = numbers[2];
        if (am || pm) return false;
    } else if (seps.compare(0, 2, "//") == 0) {
        mo = numbers[0], d = numbers[1], y = numbers[2];
    } else {
        return false;
    }
    const std::string timeSeps = seps.substr(2);
    const size_t timeFields = numbers.size() - 3;
    if ((timeFields == 0 && !timeSeps.empty()) || (timeFields == 2 && timeSeps != " :") ||
        (timeFields == 3 && timeSeps != " ::"))
        return false;
    int32_t h = timeFields ? numbers[3] : 0, n = timeFields ? numbers[4] : 0,
            sec = timeFields == 3 ? numbers[5] : 0;
    if (am || pm) {
        if (timeFields == 0 || h < 1 || h > 12) return false;
        h = h % 12 + (pm ? 12 : 0);
    }
    static const int32_t kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 100 || y > 9999 || mo < 1 || mo > 12 || d < 1 || d > kDays[mo - 1]) return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (mo == 2 && d == 29 && !leap) return false;
    if (h > 23 || n > 59 || sec > 59) return false;
    f[0] = y, f[1] = mo, f[2] = d, f[3] = h, f[4] = n, f[5] = sec;
    return true;
}

}  // namespace

cPNGwriter::cPNGwriter(ZlibApi zlib) : zlib_(std::move(zlib)) {}

bool cPNGwriter::WritePng(const PngSourceImage& image, std::vector<uint8_t>& outStream) {
    if (!image.bits || image.width < 1 || image.height < 1 || !zlib_) return false;
    std::vector<uint8_t> bytes;
    ArrayOutput output(bytes);
    if (!Encode(image, output)) {
        outStream.clear();
        return false;
    }
    outStream = std::move(bytes);
    return true;
}

bool cPNGwriter::WritePng(const PngSourceImage& image, PngOutput& output) {
    if (!image.bits || image.width < 1 || image.height < 1 || !zlib_) return false;
    return Encode(image, output);
}

bool cPNGwriter::Encode(const PngSourceImage& image, PngOutput& out) {
    bool ok = false;
    try {
        transparent_ = -1;
        if (!BuildPaletteRows(image)) BuildTrueColorRows(image);
        bool noRoom = false;
        ok = WriteHeader(image, out) && WriteTextChunks(out, true) && WritePalette(out, noRoom) &&
             (noRoom || WriteBackground(out)) && WriteTransparency(out) && FilterAndDeflate(image, out) &&
             WriteTimeChunk(out) && WriteTextChunks(out, false) && WriteCustomTexts(out) &&
             WriteEndChunk(out);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    paletteAlpha_.clear();
    palette_.clear();
    transparency_.clear();
    rows_.clear();
    rows_.shrink_to_fit();
    return ok;
}

bool cPNGwriter::BuildPaletteRows(const PngSourceImage& image) {
    table_.clear();
    const size_t pixels = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    const uint8_t* p = image.bits;
    // Values already in the table, remembered by hash in front of the binary search.
    ValueMemo known;
    for (size_t i = 0; i < pixels; ++i, p += 4) {
        const int32_t v = PixelValue(p);
        const size_t h = ValueMemo::Hash(v);
        if (known.used[h] && known.value[h] == v) continue;
        known.used[h] = true;
        known.value[h] = v;
        const auto at = std::lower_bound(table_.begin(), table_.end(), v);
        if (at != table_.end() && *at == v) continue;
        // A 257th colour: true colour instead.
        if (table_.size() == 256) return false;
        table_.insert(at, v);
    }
    const size_t count = table_.size();
    paletteAlpha_.assign(count, 255);
    size_t nonOpaque = 0, single = 0;
    for (size_t i = 0; i < count; ++i) {
        if (image.Alpha) paletteAlpha_[i] = static_cast<uint8_t>(static_cast<uint32_t>(table_[i]) >> 24);
        if (paletteAlpha_[i] != 255) ++nonOpaque, single = i;
    }
    transparent_ = nonOpaque == 0 ? -1 : nonOpaque == 1 ? static_cast<int32_t>(single) + 1 : 0;
    colorType_ = 3;

    // Greyscale only where it keeps every alpha: no transparency, or one fully transparent entry.
    const bool greyKeepsAlpha = nonOpaque == 0 || (nonOpaque == 1 && paletteAlpha_[single] == 0);
    const bool allGrey = std::all_of(table_.begin(), table_.end(), [](int32_t v) {
        const uint32_t u = static_cast<uint32_t>(v);
        return (u & 0xFF) == ((u >> 8) & 0xFF) && (u & 0xFF) == ((u >> 16) & 0xFF);
    });
    const size_t rowBytes = static_cast<size_t>(image.width);
    if (greyKeepsAlpha && allGrey) {
        colorType_ = 0;
        if (image.Alpha) {
            bool used[256] = {};
            for (size_t i = 0; i < count; ++i) {
                const uint32_t u = static_cast<uint32_t>(table_[i]);
                if ((u & 0xFFFFFF) == 0) {
                    if (paletteAlpha_[i] != 0) used[0] = true;
                } else {
                    used[u & 0xFF] = true;
                }
            }
            if (!used[0]) {
                transparent_ = 0;
            } else {
                for (size_t level = 1; level < count && level < 256; ++level)
                    if (!used[level]) {
                        transparent_ = static_cast<int32_t>(level);
                        break;
                    }
            }
        }
        rows_.resize(rowBytes * static_cast<size_t>(image.height));
        const uint8_t* s = image.bits;
        const uint8_t fill = static_cast<uint8_t>(transparent_);
        for (size_t i = 0; i < pixels; ++i, s += 4) rows_[i] = s[3] == 0 ? fill : s[0];
        paletteAlpha_.clear();
        return true;
    }

    // Palette order: with transparency the non-opaque entries first, the opaque ones after them
    // from the back.
    std::vector<uint8_t> position(count);
    if (transparent_ == -1) {
        for (size_t i = 0; i < count; ++i) position[i] = static_cast<uint8_t>(i);
    } else {
        size_t front = 0, back = count;
        for (size_t i = 0; i < count; ++i)
            position[i] = static_cast<uint8_t>(paletteAlpha_[i] != 255 ? front++ : --back);
    }
    rows_.resize(rowBytes * static_cast<size_t>(image.height));
    const uint8_t* s = image.bits;
    ValueMemo indexes;
    for (size_t i = 0; i < pixels; ++i, s += 4) {
        const int32_t v = PixelValue(s);
        const size_t h = ValueMemo::Hash(v);
        if (!indexes.used[h] || indexes.value[h] != v) {
            indexes.used[h] = true;
            indexes.value[h] = v;
            indexes.index[h] = position[static_cast<size_t>(
                std::lower_bound(table_.begin(), table_.end(), v) - table_.begin())];
        }
        rows_[i] = indexes.index[h];
    }
    palette_.assign(4 + 3 * count, 0);
    transparency_.assign(4 + (transparent_ == -1 ? 0 : nonOpaque), 0);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t u = static_cast<uint32_t>(table_[i]);
        uint8_t b = static_cast<uint8_t>(u), g = static_cast<uint8_t>(u >> 8),
                r = static_cast<uint8_t>(u >> 16);
        const uint8_t a = paletteAlpha_[i];
        if (a == 0) {
            r = g = b = 0;
        } else if (a != 255) {
            r = Straight(r, a), g = Straight(g, a), b = Straight(b, a);
        }
        uint8_t* entry = palette_.data() + 4 + 3 * static_cast<size_t>(position[i]);
        entry[0] = r, entry[1] = g, entry[2] = b;
        if (transparent_ != -1 && a != 255) transparency_[4 + position[i]] = a;
    }
    if (transparent_ == -1) paletteAlpha_.clear();
    return true;
}

void cPNGwriter::BuildTrueColorRows(const PngSourceImage& image) {
    transparent_ = -1;
    colorType_ = 2;
    const size_t pixels = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    if (image.Alpha) {
        colorType_ = 6;
        const uint8_t* p = image.bits;
        bool keyable = true;
        for (size_t i = 0; i < pixels && keyable; ++i, p += 4) keyable = p[3] == 255 || PixelValue(p) == 0;
        // Only full transparency: a grey that no opaque pixel has stands for it in RGB.
        for (int channel = 0; keyable && channel < 3; ++channel) {
            bool seen[256] = {};
            int32_t distinct = 0;
            p = image.bits;
            for (size_t i = 0; i < pixels && distinct < 256; ++i, p += 4)
                if (p[3] == 255 && !seen[p[channel]]) seen[p[channel]] = true, ++distinct;
            if (distinct == 256) continue;
            const int32_t v = static_cast<int32_t>(std::find(seen, seen + 256, false) - seen);
            transparent_ = v + 256 * v + 65536 * v;
            colorType_ = 2;
            break;
        }
    }
    const size_t bpp = colorType_ == 6 ? 4 : 3;
    rows_.resize(pixels * bpp);
    const uint8_t* s = image.bits;
    uint8_t* d = rows_.data();
    const uint8_t key = static_cast<uint8_t>(transparent_);
    for (size_t i = 0; i < pixels; ++i, s += 4, d += bpp) {
        const uint8_t a = s[3];
        if (a == 255) {
            d[0] = s[2], d[1] = s[1], d[2] = s[0];
        } else if (a == 0) {
            d[0] = d[1] = d[2] = bpp == 4 ? 0 : key;
        } else {
            d[0] = Straight(s[2], a), d[1] = Straight(s[1], a), d[2] = Straight(s[0], a);
        }
        if (bpp == 4) d[3] = a;
    }
}

bool cPNGwriter::WriteChunk(PngOutput& out, const uint8_t* chunk, size_t dataLength) {
    if (dataLength > 0x7FFFFFFFu) return false;
    uint8_t length[4], crc[4];
    rt::WriteBE32(length, static_cast<uint32_t>(dataLength));
    rt::WriteBE32(crc, zlib_.crc32(0, chunk, static_cast<uint32_t>(dataLength + 4)));
    return out.Write(length, 4) && out.Write(chunk, dataLength + 4) && out.Write(crc, 4);
}

bool cPNGwriter::WriteChunk(PngOutput& out, const char* type, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> chunk;
    chunk.reserve(4 + data.size());
    AppendType(chunk, type);
    chunk.insert(chunk.end(), data.begin(), data.end());
    return WriteChunk(out, chunk.data(), data.size());
}

bool cPNGwriter::WriteHeader(const PngSourceImage& image, PngOutput& out) {
    uint8_t ihdr[17] = {'I', 'H', 'D', 'R'};
    rt::WriteBE32(ihdr + 4, static_cast<uint32_t>(image.width));
    rt::WriteBE32(ihdr + 8, static_cast<uint32_t>(image.height));
    ihdr[12] = 8;
    ihdr[13] = static_cast<uint8_t>(colorType_);
    return out.Write(kSignature, 8) && WriteChunk(out, ihdr, 13);
}

bool cPNGwriter::WriteTextChunks(PngOutput& out, bool firstGroup) {
    const int firstBit = firstGroup ? 0 : 2, lastBit = firstGroup ? 1 : 9;
    for (int bit = firstBit; bit <= lastBit; ++bit) {
        if (!(ChunkFlags & (1 << bit))) continue;
        std::vector<uint8_t> data(kKeywords[bit], kKeywords[bit] + std::strlen(kKeywords[bit]));
        data.push_back(0);
        if (static_cast<size_t>(bit) < TextEntries.size())
            data.insert(data.end(), TextEntries[static_cast<size_t>(bit)].begin(),
                        TextEntries[static_cast<size_t>(bit)].end());
        // A failed chunk ends the file; later ones would hide the failure.
        if (!WriteChunk(out, "tEXt", data)) return false;
    }
    return true;
}

bool cPNGwriter::WritePalette(PngOutput& out, bool& noRoomForBackground) {
    noRoomForBackground = false;
    if (colorType_ != 3) return true;
    if (ChunkFlags & chunkBackground) {
        const uint32_t c = static_cast<uint32_t>(BackgroundColor);
        const uint8_t rgb[3] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8),
                                static_cast<uint8_t>(c >> 16)};
        const size_t entries = (palette_.size() - 4) / 3;
        size_t found = entries;
        for (size_t i = 0; i < entries && found == entries; ++i)
            if (std::memcmp(palette_.data() + 4 + 3 * i, rgb, 3) == 0) found = i;
        if (found < entries) {
            BackgroundColor = static_cast<int32_t>(found);
        } else if (entries < 256) {
            palette_.insert(palette_.end(), rgb, rgb + 3);
            BackgroundColor = static_cast<int32_t>(entries);
        } else {
            noRoomForBackground = true;
        }
    }
    std::memcpy(palette_.data(), "PLTE", 4);
    return WriteChunk(out, palette_.data(), palette_.size() - 4);
}

bool cPNGwriter::WriteBackground(PngOutput& out) {
    if (!(ChunkFlags & chunkBackground)) return true;
    const uint32_t c = static_cast<uint32_t>(BackgroundColor);
    std::vector<uint8_t> data;
    switch (colorType_) {
        case 0:
            data = {0, static_cast<uint8_t>(c)};
            break;
        case 3:
            data = {static_cast<uint8_t>(c)};
            break;
        default:
            data = {0, static_cast<uint8_t>(c),      0, static_cast<uint8_t>(c >> 8),
                    0, static_cast<uint8_t>(c >> 16)};
            break;
    }
    return WriteChunk(out, "bKGD", data);
}

bool cPNGwriter::WriteTransparency(PngOutput& out) {
    if (transparent_ == -1) return true;
    const uint32_t t = static_cast<uint32_t>(transparent_);
    switch (colorType_) {
        case 0:
            return WriteChunk(out, "tRNS", {0, static_cast<uint8_t>(t)});
        case 2:
            return WriteChunk(out, "tRNS",
                              {0, static_cast<uint8_t>(t), 0, static_cast<uint8_t>(t >> 8), 0,
                               static_cast<uint8_t>(t >> 16)});
        case 3:
            std::memcpy(transparency_.data(), "tRNS", 4);
            return WriteChunk(out, transparency_.data(), transparency_.size() - 4);
        default:
            return true;
    }
}

bool cPNGwriter::FilterAndDeflate(const PngSourceImage& image, PngOutput& out) {
    int32_t choice = FilterChoice < 0 || FilterChoice > 6 ? 0 : FilterChoice;
    const size_t bpp = colorType_ == 6 ? 4 : colorType_ == 2 ? 3 : 1;
    if (choice == 0) choice = bpp > 1 ? 5 : 1;
    const size_t rowBytes = static_cast<size_t>(image.width) * bpp;
    const size_t height = static_cast<size_t>(image.height);
    std::vector<uint8_t> filtered(height * (rowBytes + 1));
    for (size_t i = 0; i < height; ++i) {
        // PNG rows run from the top; the converted rows lie bottom row first.
        const uint8_t* cur = rows_.data() + (height - 1 - i) * rowBytes;
        const uint8_t* prev = i > 0 ? cur + rowBytes : nullptr;
        uint8_t* line = filtered.data() + i * (rowBytes + 1);
        int type = choice - 1;
        if (choice == 6) {
            type = 0;
            int64_t best = static_cast<int64_t>(rowBytes) * 254;
            for (int candidate = 0; candidate <= 4; ++candidate) {
                if (candidate >= 2 && !prev) continue;
                const int64_t score = FilterScore(candidate, cur, prev, rowBytes, bpp, best);
                if (score < 0) continue;
                best = std::max<int64_t>(score, 1);
                type = candidate;
            }
        }
        line[0] = static_cast<uint8_t>(type);
        FilterRow(type, cur, prev, rowBytes, bpp, line + 1);
    }
    rows_.clear();
    rows_.shrink_to_fit();
    std::vector<uint8_t> idat;
    if (!DeflateData(filtered.data(), filtered.size(), idat, 4)) return false;
    filtered = {};
    std::memcpy(idat.data(), "IDAT", 4);
    return WriteChunk(out, idat.data(), idat.size() - 4);
}

bool cPNGwriter::DeflateData(const uint8_t* data, size_t length, std::vector<uint8_t>& out, size_t reserved) {
    if (length > 0xFFFFFFFFu / 2) return false;
    const double n = static_cast<double>(length);
    const size_t capacity = static_cast<size_t>(std::nearbyint(n + n * 0.01 + 12));
    out.assign(reserved + capacity, 0);
    uint32_t packed = static_cast<uint32_t>(capacity);
    const int32_t result =
        zlib_.compress2
            ? zlib_.compress2(out.data() + reserved, &packed, data, static_cast<uint32_t>(length), 9)
            : zlib_.compress(out.data() + reserved, &packed, data, static_cast<uint32_t>(length));
    if (result != 0) return false;
    out.resize(reserved + packed);
    return true;
}

bool cPNGwriter::WriteTimeChunk(PngOutput& out) {
    if (!(ChunkFlags & chunkTime)) return true;
    int32_t f[6];
    if (static_cast<size_t>(kTimeSlot) >= TextEntries.size() || !ParseDateText(TextEntries[kTimeSlot], f))
        return false;
    return WriteChunk(out, "tIME",
                      {static_cast<uint8_t>(f[0] >> 8), static_cast<uint8_t>(f[0]),
                       static_cast<uint8_t>(f[1]), static_cast<uint8_t>(f[2]), static_cast<uint8_t>(f[3]),
                       static_cast<uint8_t>(f[4]), static_cast<uint8_t>(f[5])});
}

bool cPNGwriter::WriteCustomTexts(PngOutput& out) {
    if (!(ChunkFlags & chunkCustomText)) return true;
    for (size_t slot = kFirstCustomSlot; slot < TextEntries.size(); ++slot) {
        const std::string& entry = TextEntries[slot];
        const size_t nul = entry.find('\0');
        std::string keyword = nul == std::string::npos ? entry : entry.substr(0, nul);
        const std::string text = nul == std::string::npos ? std::string() : entry.substr(nul + 1);
        std::vector<uint8_t> chunk;
        AppendType(chunk, "zTXt");
        chunk.insert(chunk.end(), keyword.begin(), keyword.end());
        chunk.push_back(0);
        const size_t keywordPart = chunk.size() - 4;
        std::vector<uint8_t> packed;
        if (text.size() > 1024 &&
            DeflateData(reinterpret_cast<const uint8_t*>(text.data()), text.size(), packed, 0)) {
            chunk.push_back(0);  // compression method
            chunk.insert(chunk.end(), packed.begin(), packed.end());
            if (!WriteChunk(out, chunk.data(), keywordPart + 1 + packed.size())) return false;
            continue;
        }
        std::memcpy(chunk.data(), "tEXt", 4);
        chunk.insert(chunk.end(), text.begin(), text.end());
        if (!WriteChunk(out, chunk.data(), chunk.size() - 4)) return false;
    }
    return true;
}

bool cPNGwriter::WriteEndChunk(PngOutput& out) {
    const uint8_t iend[4] = {'I', 'E', 'N', 'D'};
    return WriteChunk(out, iend, 0);
}

std::string cPNGwriter::CleanTextValue(const std::string& text) {
    if (text.empty()) return text;
    const std::string kept = text.substr(0, 32700);
    std::string out;
    out.reserve(kept.size());
    for (size_t i = 0; i < kept.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(kept[i]);
        if (c == '\r') {
            out += '\n';
            if (i + 1 < kept.size() && kept[i + 1] == '\n') ++i;
            continue;
        }
        if (c < 32 && c != '\t' && c != '\n') return std::string();
        out += static_cast<char>(c);
    }
    return out;
}

int32_t cPNGwriter::CleanKeyword(std::string& keyword) {
    std::string k = rt::Trim(std::string_view(keyword).substr(0, 79));
    for (size_t at; (at = k.find("  ")) != std::string::npos;) k.erase(at, 1);
    for (char& c : k)
        if (static_cast<unsigned char>(c) == 160) c = ' ';
    for (char c : k) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (!((u >= 32 && u <= 126) || u >= 161)) {
            k.clear();
            break;
        }
    }
    keyword = k;
    return k.empty() ? 0 : KeywordFlag(k);
}

int32_t cPNGwriter::KeywordFlag(const std::string& keyword) {
    for (int bit = 0; bit < 10; ++bit) {
        const char* name = kKeywords[bit];
        if (keyword.size() == std::strlen(name) &&
            std::equal(keyword.begin(), keyword.end(), name, [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            }))
            return 1 << bit;
    }
    return -1;
}

bool cPNGwriter::IsChunkFlag(int32_t value) {
    return value >= 1 && value <= 8192 && (value & (value - 1)) == 0;
}

int32_t cPNGwriter::TextSlot(int32_t flag, const std::string& keyword) const {
    if (flag == chunkCustomText) {
        for (size_t slot = kFirstCustomSlot; slot < TextEntries.size(); ++slot) {
            const std::string& entry = TextEntries[slot];
            if (entry.substr(0, entry.find('\0')) == keyword) return static_cast<int32_t>(slot);
        }
        return -1;
    }
    if (flag == chunkTime) return kTimeSlot;
    for (int bit = 0; bit < 10; ++bit)
        if (flag == 1 << bit) return bit;
    return -1;
}

}  // namespace imaging
