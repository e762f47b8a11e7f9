// Saving as BMP or PNG bytes, the icon sizes held in the kept source bytes, and the names of
// files dropped on a control or pasted from the clipboard.
#include "imaging/c32bppDIB.h"
#include "imaging/codecs/ico_reader.h"
#include "imaging/gdiplus_bridge.h"
#include "imaging/pixels/bmp_writer.h"
#include "imaging/png_writer_win.h"
#include "runtime/ui.h"

namespace imaging {

namespace {

bool IsIconType(int32_t type) {
    return type == imgIcon || type == imgCursor || type == imgIconAlpha || type == imgIconPNG ||
           type == imgCursorAlpha;
}

// The colour code of an icon entry's bit depth.
int32_t ColourCode(int32_t bits) {
    switch (bits) {
        case 1:
            return 2;
        case 2:
            return 4;
        case 4:
            return 16;
        case 8:
            return 256;
        case 24:
            return static_cast<int32_t>(0xFF000000u);
        default:
            return bits < 24 ? 0xFFFF00 : -1;
    }
}

}  // namespace

bool c32bppDIB::SaveToStream(std::vector<uint8_t>& outStream) {
    if (!section_) return false;
    GdiFlush();
    return WriteBmp(View(), alpha_, outStream);
}

bool c32bppDIB::SaveToStream_PNG(std::vector<uint8_t>& outStream) {
    if (!section_) return false;
    if (cGDIPlus().SaveToPNG(std::string(), outStream, *this, token_)) return true;
    return WritePng(*this, std::string(), outStream);
}

int32_t c32bppDIB::SourceIconSizes(std::vector<std::array<int32_t, 4>>& sizeArray) const {
    if (!section_ || !IsIconType(imageType_)) return 0;
    if (sourceBytes_.empty()) {
        sizeArray = {{width_, height_, 32, -1}};
        return 1;
    }
    cICOparser parser;
    if (!parser.LoadStream(sourceBytes_, 32, 32, nullptr, 0, 0, 32)) return 0;
    const int32_t n = parser.IconCount();
    std::vector<std::array<int32_t, 4>> sizes;
    for (int32_t i = 1; i <= n; ++i)
        sizes.push_back(
            {parser.Width(i), parser.Height(i), parser.bitDepth(i), ColourCode(parser.bitDepth(i))});
    sizeArray = std::move(sizes);
    return n;
}

bool c32bppDIB::GetDroppedFileNames(IDataObject* OLEDragDrop_DataObject,
                                    std::vector<std::wstring>& Files) const {
    if (!OLEDragDrop_DataObject) return false;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (OLEDragDrop_DataObject->QueryGetData(&format) != S_OK) return false;
    STGMEDIUM medium{};
    if (FAILED(OLEDragDrop_DataObject->GetData(&format, &medium))) return false;
    const bool read =
        medium.tymed == TYMED_HGLOBAL && medium.hGlobal && rt::FileNamesOfDropBlock(medium.hGlobal, Files);
    ReleaseStgMedium(&medium);
    return read;
}

int32_t c32bppDIB::GetPastedFileNames(std::vector<std::wstring>& ListOfFiles) const {
    if (!rt::Clipboard::GetFileNames(ListOfFiles)) return 0;
    return static_cast<int32_t>(ListOfFiles.size());
}

}  // namespace imaging
