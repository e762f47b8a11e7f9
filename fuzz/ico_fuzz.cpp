// The ICO/CUR reader on any bytes: directory checks, entry choice, bitmap and PNG entries.
#include <cstdlib>

#include "fuzz_support.h"
#include "imaging/codecs/ico_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const int32_t want = data[0], depth = data[1] % 40;
    std::span<const uint8_t> file(data + 2, size - 2);
    const std::vector<uint8_t> copy(file.begin(), file.end());
    fuzz::LimitedDib dib;
    imaging::cICOparser parser;
    parser.LoadStream(file, want, want, &dib, 0, 0, depth);
    if (!std::equal(copy.begin(), copy.end(), file.begin())) abort();  // the caller's bytes stay as they were
    if (dib.HasPicture() && !dib.PixelsArePremultiplied()) abort();
    imaging::cICOparser directoryOnly;
    directoryOnly.LoadStream(file, 0, 0, nullptr, 0, 0, 32);
    return 0;
}
