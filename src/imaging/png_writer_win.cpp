#include "imaging/png_writer_win.h"

#include "imaging/c32bppDIB.h"
#include "imaging/codecs/png_writer.h"
#include "runtime/handles.h"
#include "imaging/parsers_win.h"
#include "imaging/zlib_access.h"

namespace imaging {

namespace {

class FileOutput final : public PngOutput {
public:
    explicit FileOutput(HANDLE file) : file_(file) {}
    bool Write(const uint8_t* data, size_t length) override {
        DWORD written = 0;
        return length <= MAXDWORD && WriteFile(file_, data, static_cast<DWORD>(length), &written, nullptr) &&
               written == length;
    }

private:
    HANDLE file_;
};

}  // namespace

bool WritePng(const c32bppDIB& image, const std::string& fileName, std::vector<uint8_t>& outStream) {
    if (!image.Handle()) return false;
    const std::unique_ptr<ZlibLibrary> zlib = ZlibLibrary::Open();
    if (!zlib) return false;
    cPNGwriter writer(zlib->Api());
    GdiFlush();
    const PngSourceImage source{image.BitsPointer(), image.Width(), image.Height(), image.Alpha()};
    if (fileName.empty()) return writer.WritePng(source, outStream);
    bool written = false;
    {
        const rt::KernelHandle file(OpenFileForIO(fileName, false, false));
        if (!file) return false;
        FileOutput output(file.get());
        written = writer.WritePng(source, output);
    }
    if (!written) RemoveFile(fileName, false);
    return written;
}

}  // namespace imaging
