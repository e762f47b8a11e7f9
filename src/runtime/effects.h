// The one seam for effects on the machine: shutting down or restarting, changing the display mode,
// opening documents and starting programs, sounds, printing and the CD door. The program calls
// them through Effects(); the product uses the real calls, tests install a recorder
// (ScopedEffects) that only writes down what was asked.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace rt {

class MachineEffects {
public:
    virtual ~MachineEffects() = default;
    virtual BOOL ExitWindowsEx(UINT flags, DWORD reason) = 0;
    // mode nullptr: back to the registry's mode.
    virtual LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) = 0;
    virtual HINSTANCE ShellExecuteA(HWND owner, const std::string& verb, const std::string& file,
                                    const std::string& parameters, const std::string& folder, int show) = 0;
    // Starts a command line without waiting; false when it cannot be started.
    virtual bool StartProcess(const std::string& commandLine, const std::string& folder, int show) = 0;
    virtual BOOL PlaySoundA(const std::string& sound, DWORD flags) = 0;
    virtual DWORD MciSendStringA(const std::string& command, std::string* answer, HWND callback) = 0;
    // Prints the bitmap on the default printer, one page, scaled to fit; false without a printer.
    virtual bool PrintBitmap(HBITMAP bitmap, const std::string& documentName) = 0;
};

// The effects in force: the real ones unless a test installed others.
MachineEffects& Effects();

// The real calls.
class SystemEffects : public MachineEffects {
public:
    BOOL ExitWindowsEx(UINT flags, DWORD reason) override;
    LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) override;
    HINSTANCE ShellExecuteA(HWND owner, const std::string& verb, const std::string& file,
                            const std::string& parameters, const std::string& folder, int show) override;
    bool StartProcess(const std::string& commandLine, const std::string& folder, int show) override;
    BOOL PlaySoundA(const std::string& sound, DWORD flags) override;
    DWORD MciSendStringA(const std::string& command, std::string* answer, HWND callback) override;
    bool PrintBitmap(HBITMAP bitmap, const std::string& documentName) override;
};

// Draws a bitmap scaled to fit the printable area of a printer (or any) DC, centred, keeping its
// aspect. The real printing uses it; tests call it on a memory DC.
bool DrawBitmapToPage(HDC page, HBITMAP bitmap);

// Writes down every call, in order, as text ("ExitWindowsEx 1 -1", "ShellExecute open file ..."),
// and answers with success (ShellExecute 42, PlaySound TRUE, MCI 0, display DISP_CHANGE_SUCCESSFUL).
class RecordingEffects : public MachineEffects {
public:
    BOOL ExitWindowsEx(UINT flags, DWORD reason) override;
    LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) override;
    HINSTANCE ShellExecuteA(HWND owner, const std::string& verb, const std::string& file,
                            const std::string& parameters, const std::string& folder, int show) override;
    bool StartProcess(const std::string& commandLine, const std::string& folder, int show) override;
    BOOL PlaySoundA(const std::string& sound, DWORD flags) override;
    DWORD MciSendStringA(const std::string& command, std::string* answer, HWND callback) override;
    bool PrintBitmap(HBITMAP bitmap, const std::string& documentName) override;

    std::vector<std::string> calls;
    bool printerPresent = true;
};

// Installs effects for the length of a scope (tests).
class ScopedEffects {
public:
    explicit ScopedEffects(MachineEffects& effects);
    ~ScopedEffects();
    ScopedEffects(const ScopedEffects&) = delete;
    ScopedEffects& operator=(const ScopedEffects&) = delete;

private:
    MachineEffects* previous_;
};

}  // namespace rt
