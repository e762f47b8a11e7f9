// FileExists through a directory search, so that the search's view of attributes decides.
#include <windows.h>

#include "runtime/handles.h"
#include "shell/store/dTools.h"

namespace dTools {

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    WIN32_FIND_DATAA fd;
    if (!rt::FindHandle(FindFirstFileA(path.c_str(), &fd))) return false;
    constexpr DWORD kNotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return (fd.dwFileAttributes & kNotAFile) == 0;
}

}  // namespace dTools
