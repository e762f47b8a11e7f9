#include "shell/fonts/mzInstalarFuente.h"

#include <shlobj.h>
#include <windows.h>

#include <cstring>

#include "runtime/convert.h"
#include "runtime/handles.h"
#include "runtime/system_library.h"

namespace {

// Whether a plain file of that path exists, as a directory search for normal files finds it:
// folders, hidden and system files do not count.
bool NormalFileExists(const std::string& path) {
    DWORD attr = GetFileAttributesA(path.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES) return false;
    return (attr & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

// Puts the remembered current folder back however the installation ends.
class CurrentFolderGuard {
public:
    CurrentFolderGuard() {
        DWORD n = GetCurrentDirectoryA(0, nullptr);
        if (n == 0) return;
        saved_.resize(n);
        n = GetCurrentDirectoryA(static_cast<DWORD>(saved_.size()), saved_.data());
        saved_.resize(n < saved_.size() ? n : 0);
    }
    ~CurrentFolderGuard() {
        if (!saved_.empty()) SetCurrentDirectoryA(saved_.c_str());
    }
    CurrentFolderGuard(const CurrentFolderGuard&) = delete;
    CurrentFolderGuard& operator=(const CurrentFolderGuard&) = delete;
    bool Valid() const noexcept { return !saved_.empty(); }

private:
    std::string saved_;
};

void BroadcastFontChange() {
    SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
}

}  // namespace

mzInstalarFuente::mzInstalarFuente() {
    static const auto folderLocation = rt::SystemFunction<decltype(::SHGetSpecialFolderLocation)>(
        "shell32.dll", "SHGetSpecialFolderLocation");
    static const auto pathFromList =
        rt::SystemFunction<decltype(::SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
    if (!folderLocation || !pathFromList) return;
    rt::TaskMemory<ITEMIDLIST> pidl;
    if (FAILED(folderLocation(nullptr, CSIDL_FONTS, pidl.put())) || !pidl) return;
    char buffer[MAX_PATH] = {};
    const BOOL ok = pathFromList(pidl.get(), buffer);
    pidl.reset();
    if (ok) fontsFolder_ = std::string(buffer, strnlen(buffer, MAX_PATH));
    // Keep the documented form: no trailing backslash.
    while (!fontsFolder_.empty() && fontsFolder_.back() == '\\') fontsFolder_.pop_back();
}

void mzInstalarFuente::PathTTF(const std::string& value) {
    pathTTF_ = rt::Trim(value);
    if (pathTTF_.empty() || pathTTF_.back() != '\\') pathTTF_ += '\\';
}

void mzInstalarFuente::FicheroTTF(const std::string& value) {
    ficheroTTF_ = rt::Trim(value);
}

void mzInstalarFuente::Instalar() {
    // A bare file name only: anything with a folder part would copy outside the fonts folder.
    if (ficheroTTF_.empty() || pathTTF_.empty() || fontsFolder_.empty()) return;
    if (ficheroTTF_.find_first_of("\\/:") != std::string::npos) return;
    const std::string source = pathTTF_ + ficheroTTF_;
    if (!NormalFileExists(source)) return;

    // An existing file of that name stays as it is; the font is registered from it.
    const std::string target = fontsFolder_ + "\\" + ficheroTTF_;
    if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (!CopyFileA(source.c_str(), target.c_str(), TRUE)) return;
    }

    // x.ttf gives the resource file x.FOT.
    if (ficheroTTF_.size() < 3) return;
    const std::string resourceFile = ficheroTTF_.substr(0, ficheroTTF_.size() - 3) + "FOT";

    // Both font calls get the bare name, resolved in the fonts folder.
    CurrentFolderGuard folder;
    if (!folder.Valid() || !SetCurrentDirectoryA(fontsFolder_.c_str())) return;
    CreateScalableFontResourceA(0, resourceFile.c_str(), ficheroTTF_.c_str(), fontsFolder_.c_str());
    if (AddFontResourceA(ficheroTTF_.c_str()) > 0) BroadcastFontChange();
}

void mzInstalarFuente::Desinstalar(bool BorrarFichero) {
    if (ficheroTTF_.empty()) return;
    {
        // The bare name means the file in the fonts folder, as when it was added.
        CurrentFolderGuard folder;
        if (!folder.Valid() || fontsFolder_.empty() || !SetCurrentDirectoryA(fontsFolder_.c_str())) return;
        if (!RemoveFontResourceA(ficheroTTF_.c_str())) return;
    }
    BroadcastFontChange();
    if (BorrarFichero) DeleteFileA((fontsFolder_ + "\\" + ficheroTTF_).c_str());
}
