#include "runtime/effects.h"

#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>

#include "runtime/dib.h"
#include "runtime/system_library.h"
#include "runtime/win.h"

namespace rt {

namespace {
MachineEffects*& Current() {
    static SystemEffects system;
    static MachineEffects* current = &system;
    return current;
}
std::string Hex(uintptr_t v) {
    char buf[32];
    wsprintfA(buf, "%lu", static_cast<unsigned long>(v));
    return buf;
}
}  // namespace

MachineEffects& Effects() {
    return *Current();
}

ScopedEffects::ScopedEffects(MachineEffects& effects) : previous_(Current()) {
    Current() = &effects;
}
ScopedEffects::~ScopedEffects() {
    Current() = previous_;
}

// ---- the real calls

BOOL SystemEffects::ExitWindowsEx(UINT flags, DWORD reason) {
    return ::ExitWindowsEx(flags, reason);
}
LONG SystemEffects::ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
    return ::ChangeDisplaySettingsA(mode, flags);
}
HINSTANCE SystemEffects::ShellExecuteA(HWND owner, const std::string& verb, const std::string& file,
                                       const std::string& parameters, const std::string& folder, int show) {
    static const auto shellExecute =
        SystemFunction<decltype(::ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    if (!shellExecute) return nullptr;
    return shellExecute(owner, verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                        parameters.empty() ? nullptr : parameters.c_str(),
                        folder.empty() ? nullptr : folder.c_str(), show);
}
bool SystemEffects::StartProcess(const std::string& commandLine, const std::string& folder, int show) {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION pi{};
    std::string cmd = commandLine;  // CreateProcessA may write into it
    if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &si, &pi))
        return false;
    KernelHandle process(pi.hProcess), thread(pi.hThread);  // not waited for: closed at once
    return true;
}
BOOL SystemEffects::PlaySoundA(const std::string& sound, DWORD flags) {
    static const auto playSound = SystemFunction<decltype(::PlaySoundA)>("winmm.dll", "PlaySoundA");
    if (!playSound) return FALSE;
    return playSound(sound.empty() ? nullptr : sound.c_str(), nullptr, flags);
}
DWORD SystemEffects::MciSendStringA(const std::string& command, std::string* answer, HWND callback) {
    static const auto send = SystemFunction<decltype(::mciSendStringA)>("winmm.dll", "mciSendStringA");
    if (!send) return MCIERR_CANNOT_LOAD_DRIVER;
    char buf[256] = {};
    DWORD r = send(command.c_str(), answer ? buf : nullptr, answer ? sizeof buf : 0, callback);
    if (answer) *answer = buf;
    return r;
}

bool DrawBitmapToPage(HDC page, HBITMAP bitmap) {
    BITMAP bm{};
    if (!page || !bitmap || !GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return false;
    int pw = GetDeviceCaps(page, HORZRES), ph = GetDeviceCaps(page, VERTRES);
    if (pw <= 0 || ph <= 0) return false;
    // Fit the page, keep the aspect, centre.
    double scale = std::min(static_cast<double>(pw) / bm.bmWidth, static_cast<double>(ph) / bm.bmHeight);
    int w = static_cast<int>(bm.bmWidth * scale), h = static_cast<int>(bm.bmHeight * scale);
    BITMAPINFO bi = DibHeader(bm.bmWidth, bm.bmHeight, 32, true);
    std::string bits(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight) * 4, '\0');
    int lines = GetDIBits(ScreenDC().get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), bits.data(), &bi,
                          DIB_RGB_COLORS);
    if (lines <= 0) return false;
    SetStretchBltMode(page, HALFTONE);
    return StretchDIBits(page, (pw - w) / 2, (ph - h) / 2, w, h, 0, 0, bm.bmWidth, bm.bmHeight, bits.data(),
                         &bi, DIB_RGB_COLORS, SRCCOPY) > 0;
}

bool SystemEffects::PrintBitmap(HBITMAP bitmap, const std::string& documentName) {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof(pd);
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    static const auto printDlg = SystemFunction<decltype(::PrintDlgA)>("comdlg32.dll", "PrintDlgA");
    const bool found = printDlg && printDlg(&pd) != FALSE;
    GlobalMemory devNames(pd.hDevNames), devMode(pd.hDevMode);
    CreatedDC printer(pd.hDC);
    if (!found || !printer) return false;  // no default printer: nothing is printed
    DOCINFOA di{};
    di.cbSize = sizeof(di);
    di.lpszDocName = documentName.c_str();
    bool ok = false;
    if (StartDocA(printer.get(), &di) > 0) {
        if (StartPage(printer.get()) > 0) {
            ok = DrawBitmapToPage(printer.get(), bitmap);
            EndPage(printer.get());
        }
        ok = EndDoc(printer.get()) > 0 && ok;
    }
    return ok;
}

// ---- the recorder

BOOL RecordingEffects::ExitWindowsEx(UINT flags, DWORD reason) {
    calls.push_back("ExitWindowsEx " + std::to_string(flags) + " " +
                    std::to_string(static_cast<int32_t>(reason)));
    return TRUE;
}
LONG RecordingEffects::ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
    if (!mode)
        calls.push_back("ChangeDisplaySettings restore " + std::to_string(flags));
    else
        calls.push_back("ChangeDisplaySettings " + std::to_string(mode->dmPelsWidth) + "x" +
                        std::to_string(mode->dmPelsHeight) + "x" + std::to_string(mode->dmBitsPerPel) + " " +
                        std::to_string(flags));
    return DISP_CHANGE_SUCCESSFUL;
}
HINSTANCE RecordingEffects::ShellExecuteA(HWND, const std::string& verb, const std::string& file,
                                          const std::string& parameters, const std::string& folder,
                                          int show) {
    calls.push_back("ShellExecute " + verb + "|" + file + "|" + parameters + "|" + folder + "|" +
                    std::to_string(show));
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}
bool RecordingEffects::StartProcess(const std::string& commandLine, const std::string& folder, int show) {
    calls.push_back("StartProcess " + commandLine + "|" + folder + "|" + std::to_string(show));
    return true;
}
BOOL RecordingEffects::PlaySoundA(const std::string& sound, DWORD flags) {
    calls.push_back("PlaySound " + sound + " " + Hex(flags));
    return TRUE;
}
DWORD RecordingEffects::MciSendStringA(const std::string& command, std::string* answer, HWND) {
    calls.push_back("mciSendString " + command);
    if (answer) answer->clear();
    return 0;
}
bool RecordingEffects::PrintBitmap(HBITMAP bitmap, const std::string& documentName) {
    BITMAP bm{};
    GetObjectA(bitmap, sizeof bm, &bm);
    calls.push_back("PrintBitmap " + documentName + " " + std::to_string(bm.bmWidth) + "x" +
                    std::to_string(bm.bmHeight));
    return printerPresent;
}

}  // namespace rt
