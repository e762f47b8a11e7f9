// The shared image routines that need the platform: picture objects from bytes or handles,
// files opened with the Unicode or ANSI calls, and export checks of libraries.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <string>

#include "imaging/com_ptr.h"

namespace imaging {

using PicturePtr = ComPtr<IPicture>;

// The library loads and exports `exportName`; the library is released again at once.
bool HasDllExport(const std::string& library, const char* exportName);

// A picture object read by the platform's picture loader from `length` bytes; none on failure.
PicturePtr PictureFromBytes(const uint8_t* bytes, size_t length);

// A picture object that owns `handle` (releasing the picture deletes it); picture types 1 bitmap,
// 2 metafile, 3 icon, 4 enhanced metafile. None on failure (the handle is then still the caller's).
PicturePtr PictureFromHandle(HANDLE handle, int32_t pictureType);

// Opens a file for reading (share read, existing) or writing (create always, keeping the
// attributes of a file being replaced). INVALID_HANDLE_VALUE on failure.
HANDLE OpenFileForIO(const std::string& name, bool forReading, bool forceUnicode);

// Sets the file's attributes to normal and deletes it; true only when both worked.
bool RemoveFile(const std::string& name, bool forceUnicode);

// Text of the program's code page as UTF-16.
std::wstring Widen(const std::string& text);

// HIMETRIC units to screen pixels, halves to even.
int32_t HimetricToPixels(int32_t himetric, bool horizontal);

}  // namespace imaging
