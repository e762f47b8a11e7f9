// The table-driven DEFLATE decoder, into a whole buffer and through a window, against the literal
// one: same acceptance, same bytes.
#include <cstdlib>
#include <vector>

#include "imaging/codecs/inflate.h"
#include "imaging/codecs/reference_inflate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const size_t limit = (static_cast<size_t>(data[0]) << 8 | data[1]) * 4;  // up to 256 KB
    std::span<const uint8_t> stream(data + 2, size - 2);
    std::vector<uint8_t> out(limit, 0), ref;
    size_t produced = 0;
    const bool ok = imaging::InflateData(out, stream, &produced);
    const bool refOk = reference::Inflate::Run(stream, limit, ref);
    if (ok != refOk) abort();
    if (ok) {
        if (produced != ref.size() || !std::equal(ref.begin(), ref.end(), out.begin())) abort();
        for (size_t i = produced; i < limit; ++i)
            if (out[i] != 0) abort();
    }
    // Through the smallest window, which moves on for outputs beyond about 128 KB: the same.
    static std::vector<uint8_t> window(imaging::kMinInflateWindow);
    std::vector<uint8_t> streamed;
    size_t streamedCount = 0;
    const bool streamOk = imaging::InflateStream(
        window, stream, limit,
        [&](const uint8_t* d, size_t n) {
            streamed.insert(streamed.end(), d, d + n);
            return true;
        },
        &streamedCount);
    if (streamOk != ok || (ok && (streamedCount != produced || streamed != ref))) abort();
    return 0;
}
