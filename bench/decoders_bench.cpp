// The own DEFLATE decoder against zlib's uncompress on PNG image data, and the whole own PNG decode
// (own inflater, GDI+ off) against libpng, on the same generated pictures from icons to photographs.
// Prints times and ratios (own / reference; below 1 means the own code is faster).
// Usage: bench_decoders [rounds] [picture]   (15 rounds by default, more on a busy machine; only the
// pictures whose name contains the given text)
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "imaging/codecs/inflate.h"
#include "imaging/codecs/png_decoder.h"
#include "imaging/dib_target.h"
#include "timing.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Gradients with noise: smooth areas and detail, as photographs; icons get an alpha edge.
Bytes MakePixels(int w, int h, int channels, uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes px(static_cast<size_t>(w) * h * channels);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &px[(static_cast<size_t>(y) * w + x) * channels];
            const int n = static_cast<int>(rng() % 13) - 6;
            p[0] = static_cast<uint8_t>(std::clamp(x * 255 / w + n, 0, 255));
            p[1] = static_cast<uint8_t>(std::clamp(y * 255 / h + n, 0, 255));
            p[2] = static_cast<uint8_t>(std::clamp(((x + y) * 97 / (w + h)) + 80 + (n / 2), 0, 255));
            if (channels == 4) {
                const int dx = 2 * x - w, dy = 2 * y - h;
                const int r2 = dx * dx + dy * dy, lim = w * w;
                p[3] = static_cast<uint8_t>(r2 > lim ? 0 : r2 > lim * 3 / 4 ? 128 : 255);
            }
        }
    return px;
}

Bytes EncodePng(const Bytes& px, int w, int h, int channels) {
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
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8,
                 channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y)
        png_write_row(png, const_cast<png_bytep>(&px[static_cast<size_t>(y) * w * channels]));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// The joined IDAT data and the inflated size of a PNG.
Bytes IdatOf(const Bytes& png) {
    Bytes idat;
    for (size_t pos = 8; pos + 12 <= png.size();) {
        const uint32_t len = (png[pos] << 24) | (png[pos + 1] << 16) | (png[pos + 2] << 8) | png[pos + 3];
        if (std::memcmp(&png[pos + 4], "IDAT", 4) == 0)
            idat.insert(idat.end(), png.begin() + static_cast<long>(pos + 8),
                        png.begin() + static_cast<long>(pos + 8 + len));
        pos += 12 + len;
    }
    return idat;
}

bool LibpngDecode(const Bytes& data, Bytes& out) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    struct Src {
        const Bytes* b;
        size_t pos;
    } src{&data, 0};
    png_set_read_fn(png, &src, [](png_structp p, png_bytep d, png_size_t n) {
        auto* s = static_cast<Src*>(png_get_io_ptr(p));
        std::memcpy(d, s->b->data() + s->pos, n);
        s->pos += n;
    });
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_read_update_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    out.assign(static_cast<size_t>(w) * h * 4, 0);
    std::vector<png_bytep> rows(h);
    for (png_uint_32 y = 0; y < h; ++y) rows[y] = &out[static_cast<size_t>(h - 1 - y) * w * 4];
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

int g_rounds = 15;

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) g_rounds = std::max(1, std::atoi(argv[1]));
    const char* only = argc > 2 ? argv[2] : "";
    struct Picture {
        const char* name;
        int w, h, channels;
    } pictures[] = {{"icon 16x16 RGBA", 16, 16, 4},         {"icon 32x32 RGBA", 32, 32, 4},
                    {"icon 48x48 RGBA", 48, 48, 4},         {"icon 256x256 RGBA", 256, 256, 4},
                    {"photo 800x600 RGB", 800, 600, 3},     {"photo 1920x1080 RGB", 1920, 1080, 3},
                    {"photo 4000x3000 RGB", 4000, 3000, 3}, {"photo 1920x1080 RGBA", 1920, 1080, 4}};
    std::printf("%-22s %9s %11s %11s %7s %11s %11s %7s\n", "picture", "PNG bytes", "inflate us", "zlib us",
                "ratio", "decode us", "libpng us", "ratio");
    double inflateOwn = 0, inflateZlib = 0, decodeOwn = 0, decodeLib = 0;
    for (const Picture& p : pictures) {
        if (!std::strstr(p.name, only)) continue;
        const Bytes png = EncodePng(MakePixels(p.w, p.h, p.channels, 42), p.w, p.h, p.channels);
        const Bytes idat = IdatOf(png);
        const size_t raw = static_cast<size_t>(p.h) * (static_cast<size_t>(p.w) * p.channels + 1);
        Bytes out(raw), check(raw);

        uLongf len = raw;
        if (uncompress(check.data(), &len, idat.data(), static_cast<uLong>(idat.size())) != Z_OK ||
            len != raw || !imaging::InflateData(out, idat) || out != check) {
            std::printf("%s: inflaters disagree\n", p.name);
            return 1;
        }
        const auto [inflateMs, zlibMs] = bench::Medians(
            [&] { imaging::InflateData(out, idat); },
            [&] {
                uLongf l = raw;
                uncompress(out.data(), &l, idat.data(), static_cast<uLong>(idat.size()));
            },
            g_rounds);
        const double tOwn = inflateMs / 1000, tZlib = zlibMs / 1000;

        imaging::MemoryDib dib;
        imaging::cPNGparser parser;  // no zlib, no GDI+: the own inflater and no CRCs
        Bytes lib;
        if (!parser.LoadStream(png, dib, 0, static_cast<int64_t>(png.size())) || !dib.HasPicture() ||
            !LibpngDecode(png, lib)) {
            std::printf("%s: decode failed\n", p.name);
            return 1;
        }
        const auto [decodeMs, libpngMs] = bench::Medians(
            [&] {
                imaging::MemoryDib d;
                imaging::cPNGparser().LoadStream(png, d, 0, static_cast<int64_t>(png.size()));
            },
            [&] {
                Bytes o;
                LibpngDecode(png, o);
            },
            g_rounds);
        const double tDecode = decodeMs / 1000, tLib = libpngMs / 1000;
        std::printf("%-22s %9zu %11.1f %11.1f %7.2f %11.1f %11.1f %7.2f\n", p.name, png.size(), tOwn * 1e6,
                    tZlib * 1e6, tOwn / tZlib, tDecode * 1e6, tLib * 1e6, tDecode / tLib);
        inflateOwn += tOwn;
        inflateZlib += tZlib;
        decodeOwn += tDecode;
        decodeLib += tLib;
    }
    std::printf("total: inflate own/zlib %.2f, PNG decode own/libpng %.2f\n", inflateOwn / inflateZlib,
                decodeOwn / decodeLib);
    return 0;
}
