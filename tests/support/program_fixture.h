// Application folders for start-up tests: quorlin.dat packed with the program's own store class,
// a Data folder, small pictures made here; and a scope that runs the program's start in this
// process with the machine's effects recorded and the program's end only noted.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "runtime/effects.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "runtime/ui.h"
#include "shell/startup_trace.h"
#include "shell/store/ProjectArchive.h"
#include "shell/store/dFileArc.h"
#include "support/temp_dir.h"

namespace shelltest {

using Bytes = std::string;

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void Put16(Bytes& b, uint32_t v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
}
inline void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A 24-bit bitmap file of width x height in the colour back, with the rectangle [0, rw) x [0, rh)
// (rows counted from the top) in the colour front (0xRRGGBB).
inline Bytes TwoColourBitmap(int width, int height, uint32_t back, int rw, int rh, uint32_t front) {
    const int stride = (width * 3 + 3) & ~3;
    Bytes b = "BM";
    Put32(b, static_cast<uint32_t>(54 + stride * height));
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(width));
    Put32(b, static_cast<uint32_t>(height));
    Put16(b, 1);
    Put16(b, 24);
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    for (int row = height - 1; row >= 0; --row) {  // bottom-up
        for (int x = 0; x < width; ++x) {
            const uint32_t c = (x < rw && row < rh) ? front : back;
            b += static_cast<char>(c & 0xFF);
            b += static_cast<char>((c >> 8) & 0xFF);
            b += static_cast<char>((c >> 16) & 0xFF);
        }
        b.append(static_cast<size_t>(stride - width * 3), '\0');
    }
    return b;
}

// A 24-bit bitmap file of one colour (0xRRGGBB).
inline Bytes Bitmap(int width, int height, uint32_t rgb) { return TwoColourBitmap(width, height, rgb, 0, 0, rgb); }

// A 16 x 16 icon file, 32 bits, opaque, of one colour.
inline Bytes Icon16(uint32_t rgb) {
    Bytes image;
    Put32(image, 40);
    Put32(image, 16);
    Put32(image, 32);
    Put16(image, 1);
    Put16(image, 32);
    for (int i = 0; i < 6; ++i) Put32(image, 0);
    for (int i = 0; i < 256; ++i) Put32(image, 0xFF000000u | rgb);
    image.append(16 * 4, '\0');  // AND mask: all opaque
    Bytes b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, 1);
    b += static_cast<char>(16);
    b += static_cast<char>(16);
    b += '\0';
    b += '\0';
    Put16(b, 1);
    Put16(b, 32);
    Put32(b, static_cast<uint32_t>(image.size()));
    Put32(b, 22);
    return b + image;
}

struct Member {
    std::string name;
    Bytes data;
};

// One application folder: the path the program sees has no trailing backslash.
class AppFolder {
public:
    std::string Path() const {
        std::string p = dir_.Path();
        p.pop_back();
        return p;
    }
    std::filesystem::path Fs(const std::string& relative) const { return dir_.Fs() / relative; }
    void Write(const std::string& relative, const Bytes& bytes) const { WriteFile(Fs(relative), bytes); }
    void MakeFolder(const std::string& relative) const { std::filesystem::create_directories(Fs(relative)); }

    // quorlin.dat with the members, in this order.
    void Pack(const std::vector<Member>& members) const {
        testsupport::TempDir staging;
        dFileArc store;
        store.Filename(Fs("quorlin.dat").string());
        store.CreateAchive();
        for (const Member& m : members) {
            WriteFile(staging.Fs() / m.name, m.data);
            store.AddFile((staging.Fs() / m.name).string());
        }
        store.UpDateHeader();
        store.CloseAchive();
    }

private:
    testsupport::TempDir dir_;
};

// A page script member, so that the store looks like a project's.
inline std::vector<Member> PlainStore() {
    return {{"sys1 .esr", "\"Form\",0\r\n"}, {"name.nme", "1#TXT#1#Total\r\n"}};
}

inline bool FormLoaded(const std::string& name) {
    for (rt::Form* f : rt::Forms())
        if (f->Name() == name) return true;
    return false;
}
inline rt::Form* FindForm(const std::string& name) {
    for (rt::Form* f : rt::Forms())
        if (f->Name() == name) return f;
    return nullptr;
}

// Lets the message loop run until the condition holds or the time is up.
inline bool PumpUntil(const std::function<bool()>& done, int milliseconds = 10000) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            rt::FlushDeferred();
        }
        Sleep(5);
    }
    return true;
}

// The program's start in this process: the folder's path stands for the program's own, the
// machine's effects are recorded, and the program's end is counted instead of ending the test.
// At the end every window is unloaded.
class ProgramScope {
public:
    explicit ProgramScope(const AppFolder& app) : effects_(recorder) {
        rt::App::SetPathForTests(app.Path());
        rt::App::SetEndForTests([this] { ++ends; });
        shell::StartupTrace().clear();
    }
    ~ProgramScope() {
        rt::UnloadAll();
        PumpUntil([] { return false; }, 50);
        rt::App::SetEndForTests({});
        rt::App::SetPathForTests({});
    }
    ProgramScope(const ProgramScope&) = delete;
    ProgramScope& operator=(const ProgramScope&) = delete;

    void Start() {
        rt::HandlerScope keep;  // nothing unloaded during the start is destroyed under the test
        app::StartProgram();
    }
    const std::vector<std::string>& Trace() const { return shell::StartupTrace(); }
    // The position of a step in the trace, or -1.
    int StepAt(const std::string& step) const {
        const auto& t = Trace();
        for (size_t i = 0; i < t.size(); ++i)
            if (t[i] == step) return static_cast<int>(i);
        return -1;
    }

    rt::RecordingEffects recorder;
    int ends = 0;

private:
    rt::ScopedEffects effects_;
};

// The temporary folder of the store copies.
inline std::filesystem::path CopyFolder() {
    return std::filesystem::path(ProjectArchive::TempFolder());
}

// A message box of this thread, read and answered from a timer while it is open.
struct SeenBox {
    bool seen = false;
    std::string caption;
    std::vector<std::string> texts;  // the texts of its static controls
    HICON icon = nullptr;
};

class MessageBoxWatcher {
public:
    // answer: the button to press for a box that was seen (IDOK, IDYES, IDNO ...).
    explicit MessageBoxWatcher(std::function<int(const SeenBox&)> answer = {}) : answer_(std::move(answer)) {
        Current() = this;
        timer_ = SetTimer(nullptr, 0, 50, &MessageBoxWatcher::Tick);
    }
    ~MessageBoxWatcher() {
        KillTimer(nullptr, timer_);
        Current() = nullptr;
    }
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    std::vector<SeenBox> boxes;

private:
    static MessageBoxWatcher*& Current() {
        static MessageBoxWatcher* current = nullptr;
        return current;
    }
    static BOOL CALLBACK ReadChild(HWND child, LPARAM param) {
        auto* box = reinterpret_cast<SeenBox*>(param);
        char cls[64] = {};
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") != 0) return TRUE;
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            if (IsWindowVisible(child))
                box->icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        } else {
            box->texts.push_back(rt::WindowText(child));
        }
        return TRUE;
    }
    static BOOL CALLBACK FindBox(HWND hwnd, LPARAM param) {
        char cls[64] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (std::string(cls) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
        // The window shadow's strips are captionless windows of the same class.
        if ((GetWindowLongA(hwnd, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) return TRUE;
        *reinterpret_cast<HWND*>(param) = hwnd;
        return FALSE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        MessageBoxWatcher* self = Current();
        if (!self) return;
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
        if (!box) return;
        SeenBox seen;
        seen.seen = true;
        seen.caption = rt::WindowText(box);
        EnumChildWindows(box, ReadChild, reinterpret_cast<LPARAM>(&seen));
        self->boxes.push_back(seen);
        PostMessageA(box, WM_COMMAND, self->answer_ ? self->answer_(seen) : IDOK, 0);
    }
    std::function<int(const SeenBox&)> answer_;
    UINT_PTR timer_ = 0;
};

// True when one of the texts equals the wanted one.
inline bool HasText(const SeenBox& box, const std::string& text) {
    for (const auto& t : box.texts)
        if (t == text) return true;
    return false;
}

}  // namespace shelltest
