// The own PNG writer against libpng's writer at the same settings: the colour type the own writer
// chooses, zlib level 9 with the default strategy, Paeth for true colour and no filter for palette
// and grey, one IDAT chunk. Pictures: a photograph, a soft-edged RGBA picture, an icon of at most
// 256 colours and a grey picture. Prints times (medians of interleaved runs) and the ratios
// own / libpng for time and size; below 1 means the own writer is faster or smaller.
// libpng is timed on rows already in its layout; the own writer's time includes its colour
// analysis and the division of premultiplied colours.
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "imaging/codecs/png_writer.h"
#include "support/system_zlib.h"
#include "timing.h"

namespace {

using testsupport::SystemZlib;

using Bytes = std::vector<uint8_t>;

// A picture as the image object holds it: bottom row first, BGRA, premultiplied.
struct Picture {
    std::string name;
    int w, h;
    bool alpha;
    Bytes bits;
};

Picture Make(const std::string& name, int w, int h, bool alpha,
             const std::function<void(int, int, uint8_t*)>& at) {
    Picture p{name, w, h, alpha, Bytes(static_cast<size_t>(w) * h * 4)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) at(x, y, &p.bits[(static_cast<size_t>(h - 1 - y) * w + x) * 4]);
    return p;
}

std::vector<Picture> Pictures() {
    std::vector<Picture> list;
    std::mt19937 rng(12345);
    // A photograph: smooth gradients, shapes and sensor noise.
    list.push_back(Make("photo 800x600", 800, 600, false, [&](int x, int y, uint8_t* p) {
        const int n = static_cast<int>(rng() % 9) - 4;
        const int dx = x - 500, dy = y - 250;
        const bool disc = dx * dx + dy * dy < 150 * 150;
        p[0] = static_cast<uint8_t>(std::clamp((disc ? 40 : 200) + y / 8 + n, 0, 255));
        p[1] = static_cast<uint8_t>(std::clamp((disc ? 120 : 150) + x / 10 - y / 12 + n, 0, 255));
        p[2] = static_cast<uint8_t>(std::clamp((disc ? 220 : 60) + (x + y) / 16 + n, 0, 255));
        p[3] = 255;
    }));
    // Soft-edged RGBA: a coloured disc whose alpha falls off over 40 pixels.
    list.push_back(Make("soft RGBA 512x512", 512, 512, true, [](int x, int y, uint8_t* p) {
        const double d = std::sqrt((x - 256.0) * (x - 256.0) + (y - 256.0) * (y - 256.0));
        const int a = static_cast<int>(std::clamp((230.0 - d) * 255.0 / 40.0, 0.0, 255.0));
        const int r = 255 - x / 2, g = 80 + y / 3, b = (x + y) / 4;
        p[0] = static_cast<uint8_t>(b * a / 255);
        p[1] = static_cast<uint8_t>(g * a / 255);
        p[2] = static_cast<uint8_t>(r * a / 255);
        p[3] = static_cast<uint8_t>(a);
    }));
    // An icon: a 256 x 256 picture of 200 flat colours and a transparent surround.
    list.push_back(Make("icon 256x256, 201 colours", 256, 256, true, [](int x, int y, uint8_t* p) {
        const int dx = x - 128, dy = y - 128;
        if (dx * dx + dy * dy > 120 * 120) {
            std::memset(p, 0, 4);
            return;
        }
        const int c = ((x / 12) * 7 + (y / 12) * 3) % 200;
        p[0] = static_cast<uint8_t>(c);
        p[1] = static_cast<uint8_t>(255 - c);
        p[2] = static_cast<uint8_t>((c * 37) & 0xFF);
        p[3] = 255;
    }));
    // Grey: a scanned-page-like picture of gradients and text-like strokes.
    list.push_back(Make("grey 1024x768", 1024, 768, false, [&](int x, int y, uint8_t* p) {
        int v = 200 + (x + y) / 64 - static_cast<int>(rng() % 5);
        if ((y % 24) < 12 && (x % 9) < 5 && ((x / 9 + y / 24) % 3)) v = 40 + static_cast<int>(rng() % 20);
        p[0] = p[1] = p[2] = static_cast<uint8_t>(std::clamp(v, 0, 255));
        p[3] = 255;
    }));
    return list;
}

// libpng's input in the colour type the own writer chose: rows top first, palette and tRNS.
struct LibpngInput {
    int colorType = 2;
    int channels = 3;
    Bytes rows;
    std::vector<png_color> palette;
    Bytes trnsAlpha;
    png_color_16 trnsColour{};
    bool hasTrns = false;
};

LibpngInput Prepare(const Picture& p, int colorType) {
    LibpngInput in;
    in.colorType = colorType;
    auto straight = [](uint8_t c, uint8_t a) { return static_cast<uint8_t>(std::min(255, c * 255 / a)); };
    const auto pixel = [&](int x, int y) {
        return &p.bits[(static_cast<size_t>(p.h - 1 - y) * p.w + x) * 4];
    };
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        in.channels = 1;
        // The own writer's order: sorted as signed values, the non-opaque entries first, the
        // opaque ones after them from the back.
        std::map<int32_t, uint8_t> index;
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x) {
                int32_t v;
                std::memcpy(&v, pixel(x, y), 4);
                index[v] = 0;
            }
        size_t front = 0, back = index.size();
        for (auto& [v, i] : index)
            i = static_cast<uint8_t>((static_cast<uint32_t>(v) >> 24) != 255 ? front++ : --back);
        in.palette.resize(index.size());
        in.trnsAlpha.resize(front);
        for (const auto& [v, i] : index) {
            const uint32_t u = static_cast<uint32_t>(v);
            const uint8_t a = static_cast<uint8_t>(u >> 24);
            const uint8_t b = static_cast<uint8_t>(u), g = static_cast<uint8_t>(u >> 8),
                          r = static_cast<uint8_t>(u >> 16);
            in.palette[i] = a == 0     ? png_color{0, 0, 0}
                            : a == 255 ? png_color{r, g, b}
                                       : png_color{straight(r, a), straight(g, a), straight(b, a)};
            if (a != 255) in.trnsAlpha[i] = a;
        }
        in.hasTrns = !in.trnsAlpha.empty();
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x) {
                int32_t v;
                std::memcpy(&v, pixel(x, y), 4);
                in.rows.push_back(index[v]);
            }
        return in;
    }
    in.channels = colorType == PNG_COLOR_TYPE_GRAY ? 1 : colorType == PNG_COLOR_TYPE_RGB ? 3 : 4;
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            const uint8_t* s = pixel(x, y);
            const uint8_t a = s[3];
            const uint8_t r = a == 0 ? 0 : a == 255 ? s[2] : straight(s[2], a);
            const uint8_t g = a == 0 ? 0 : a == 255 ? s[1] : straight(s[1], a);
            const uint8_t b = a == 0 ? 0 : a == 255 ? s[0] : straight(s[0], a);
            if (in.channels == 1) {
                in.rows.push_back(b);
            } else {
                in.rows.insert(in.rows.end(), {r, g, b});
                if (in.channels == 4) in.rows.push_back(a);
            }
        }
    return in;
}

Bytes LibpngWrite(const LibpngInput& in, int w, int h) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep d, png_size_t n) {
            auto* o = static_cast<Bytes*>(png_get_io_ptr(p));
            o->insert(o->end(), d, d + n);
        },
        nullptr);
    png_set_compression_level(png, 9);
    png_set_compression_strategy(png, Z_DEFAULT_STRATEGY);
    png_set_compression_mem_level(png, 8);
    png_set_compression_window_bits(png, 15);
    png_set_compression_buffer_size(png, 1u << 26);  // one IDAT, as the own writer
    const bool trueColour = in.colorType == PNG_COLOR_TYPE_RGB || in.colorType == PNG_COLOR_TYPE_RGBA;
    png_set_filter(png, PNG_FILTER_TYPE_BASE, trueColour ? PNG_FILTER_PAETH : PNG_FILTER_NONE);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8, in.colorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (in.colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_PLTE(png, info, in.palette.data(), static_cast<int>(in.palette.size()));
    if (in.hasTrns)
        png_set_tRNS(png, info, in.trnsAlpha.data(), static_cast<int>(in.trnsAlpha.size()), nullptr);
    png_write_info(png, info);
    const size_t stride = static_cast<size_t>(w) * in.channels;
    for (int y = 0; y < h; ++y) png_write_row(png, const_cast<png_bytep>(&in.rows[stride * y]));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

const char* TypeName(int type) {
    switch (type) {
        case 0:
            return "grey";
        case 2:
            return "RGB";
        case 3:
            return "palette";
        case 6:
            return "RGBA";
        default:
            return "?";
    }
}

}  // namespace

int main() {
    std::printf("%-28s %-8s %10s %10s %7s %10s %10s %7s\n", "picture", "type", "own ms", "libpng ms", "time",
                "own bytes", "libpng B", "size");
    for (const Picture& p : Pictures()) {
        imaging::cPNGwriter probe{SystemZlib()};
        Bytes own;
        if (!probe.WritePng(imaging::PngSourceImage{p.bits.data(), p.w, p.h, p.alpha}, own)) {
            std::printf("%s: the own writer failed\n", p.name.c_str());
            return 1;
        }
        const int type = probe.ColorType();
        const LibpngInput in = Prepare(p, type);
        const Bytes reference = LibpngWrite(in, p.w, p.h);
        const auto [ownMs, libpngMs] = bench::Medians(
            [&] {
                imaging::cPNGwriter writer{SystemZlib()};
                Bytes out;
                writer.WritePng(imaging::PngSourceImage{p.bits.data(), p.w, p.h, p.alpha}, out);
            },
            [&] { LibpngWrite(in, p.w, p.h); });
        std::printf("%-28s %-8s %10.2f %10.2f %7.2f %10zu %10zu %7.3f\n", p.name.c_str(), TypeName(type),
                    ownMs, libpngMs, ownMs / libpngMs, own.size(), reference.size(),
                    static_cast<double>(own.size()) / static_cast<double>(reference.size()));
    }
    return 0;
}
