// The real program as a child process in a fixture folder: the start-up checks that end it, a
// start that reaches the main window, and the end action with and without the exit picture.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <set>
#include <string>
#include <vector>

#include "support/program_fixture.h"

using namespace shelltest;

namespace {

const std::string kProgram = std::string(VANTREL_BINARY_DIR) + "/src/app/vantrel.exe";

struct WindowSeen {
    HWND hwnd;
    std::string cls;
    std::string caption;
    std::string text;  // a dialog's static texts, joined
};

struct Collect {
    DWORD pid;
    std::vector<WindowSeen> windows;
};

BOOL CALLBACK CollectTexts(HWND child, LPARAM param) {
    auto* texts = reinterpret_cast<std::vector<std::string>*>(param);
    char cls[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0) texts->push_back(rt::WindowText(child));
    return TRUE;
}

BOOL CALLBACK CollectVisible(HWND hwnd, LPARAM param) {
    auto* c = reinterpret_cast<Collect*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != c->pid || !IsWindowVisible(hwnd)) return TRUE;
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    std::string text;
    if (lstrcmpA(cls, "#32770") == 0) {
        std::vector<std::string> texts;
        EnumChildWindows(hwnd, CollectTexts, reinterpret_cast<LPARAM>(&texts));
        for (const auto& t : texts) text += t + " | ";
    }
    c->windows.push_back({hwnd, cls, rt::WindowText(hwnd), text});
    return TRUE;
}

// The program started in the folder; ended (forcibly only if a test failed) at the end.
class Child {
public:
    explicit Child(const AppFolder& app) {
        const std::string exe = app.Fs("vantrel.exe").string();
        EXPECT_TRUE(CopyFileA(kProgram.c_str(), exe.c_str(), FALSE)) << kProgram;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string commandLine = "\"" + exe + "\"";
        const std::string folder = app.Path();
        EXPECT_TRUE(CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   folder.c_str(), &si, &pi_));
    }
    ~Child() {
        if (pi_.hProcess) {
            if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 99);
            WaitForSingleObject(pi_.hProcess, 5000);
            CloseHandle(pi_.hProcess);
            CloseHandle(pi_.hThread);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    std::vector<WindowSeen> VisibleWindows() const {
        Collect c{pi_.dwProcessId, {}};
        EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&c));
        return c.windows;
    }
    // Polls the visible windows until one passes the test; every window seen meanwhile is kept.
    const WindowSeen* WaitFor(bool (*wanted)(const WindowSeen&), int milliseconds = 20000) {
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < until) {
            for (const WindowSeen& w : VisibleWindows()) {
                seen.push_back(w);
                if (wanted(w)) {
                    found_ = w;
                    return &found_;
                }
            }
            if (Ended()) return nullptr;
            Sleep(20);
        }
        return nullptr;
    }
    bool Ended() const { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0; }
    bool WaitEnd(DWORD& code, int milliseconds = 15000) {
        // Windows that show on the way out are noted too.
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (!Ended() && std::chrono::steady_clock::now() < until) {
            for (const WindowSeen& w : VisibleWindows()) seen.push_back(w);
            Sleep(20);
        }
        return Ended() && GetExitCodeProcess(pi_.hProcess, &code);
    }

    std::vector<WindowSeen> seen;

private:
    PROCESS_INFORMATION pi_{};
    WindowSeen found_{};
};

bool IsMessageBox(const WindowSeen& w) {
    return w.cls == "#32770";
}
bool IsOtherWindow(const WindowSeen& w) {
    return w.cls != "#32770";
}

std::vector<std::string> StaticTexts(HWND box) {
    std::vector<std::string> texts;
    EnumChildWindows(box, CollectTexts, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    for (const auto& t : texts)
        if (t == text) return true;
    return false;
}

// The start-up checks that end the program: their message box, and no other window, then the end.
struct EndingStart {
    const char* name;
    bool store;
    const char* requirements;  // Data/data.req, none when null
    const char* caption;
    const char* text;
};
const EndingStart kEndingStarts[] = {
    // The warning's caption is the application's title.
    {"WithoutStoreTheWarning", false, nullptr, "vantrel",
     "Warning: Could not find data file \"quorlin.dat\""},
    {"TooHighVersionItsMessage", true, "\"99#Needs a newer system#1#Needs more memory\"\r\n",
     "Operating System", "Needs a newer system"},
};

class ProgramEndingTest : public ::testing::TestWithParam<EndingStart> {};

TEST_P(ProgramEndingTest, ShowsItsMessageThenEndsBeforeAnyMainWindow) {
    const EndingStart& c = GetParam();
    AppFolder app;
    if (c.store) app.Pack(PlainStore());
    if (c.requirements) app.Write("Data/data.req", c.requirements);
    Child child(app);
    const WindowSeen* box = child.WaitFor(IsMessageBox);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->caption, c.caption);
    EXPECT_TRUE(Contains(StaticTexts(box->hwnd), c.text));
    PostMessageA(box->hwnd, WM_COMMAND, IDOK, 0);
    DWORD code = 1;
    ASSERT_TRUE(child.WaitEnd(code));
    EXPECT_EQ(code, 0u);
    for (const WindowSeen& w : child.seen)
        EXPECT_TRUE(IsMessageBox(w)) << "a window of class " << w.cls << " showed";
}

INSTANTIATE_TEST_SUITE_P(ProgramProcessTest, ProgramEndingTest, ::testing::ValuesIn(kEndingStarts),
                         [](const ::testing::TestParamInfo<EndingStart>& info) { return info.param.name; });

TEST(ProgramProcessTest, PassingRequirementsStartTheMainWindowWhichClosesTheProgram) {
    AppFolder app;
    app.Pack(PlainStore());
    app.Write("Data/data.req", "\"5.1#Needs a newer system#1#Needs more memory\"\r\n");
    Child child(app);
    const WindowSeen* main = child.WaitFor(IsOtherWindow);
    ASSERT_NE(main, nullptr);
    // A dialog caught while the system is still creating it has neither caption nor text yet; a
    // message box of the program's own always shows one of them on a later look.
    for (const WindowSeen& w : child.seen)
        EXPECT_FALSE(IsMessageBox(w) && !(w.caption.empty() && w.text.empty()))
            << "a message box \"" << w.caption << "\" showed: " << w.text;
    // Closing the main window goes through the exit window to the program's end.
    PostMessageA(main->hwnd, WM_CLOSE, 0, 0);
    DWORD code = 1;
    ASSERT_TRUE(child.WaitEnd(code));
    EXPECT_EQ(code, 0u);
}

// A page 1 whose open actions (in the tooltip label's record) are these.
std::string PageOpening(const std::string& actions) {
    return R"("Form","End**qk****qk****qk****qk**","16777215**qk**255**qk**5**qk**140**qk**0","0","0","4500","6600","0","0","0","##qk##","0","1","")"
           "\r\n"
           R"("Label3","0","","0","0","285","2400","0",")" +
           actions + R"(","0","0","0","0","0**qk**8")" + "\r\n";
}

// "end" among page 1's open actions, followed by an action that leaves a registry key.
class EndActionTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.Pack({{"sys1 .esr", PageOpening("end***code***CKEY***Sepa***HKEY_CURRENT_USER\\" + key)},
                  {"name.nme", "\r\n"}});
        RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }
    bool KeyThere() const {
        HKEY k = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
        RegCloseKey(k);
        return true;
    }
    const std::string key = "Software\\VantrelEndTest" + std::to_string(GetCurrentProcessId());
    AppFolder app;
};

TEST_F(EndActionTest, WithoutTheExitPictureTheProgramEndsWhileTheActionRuns) {
    Child child(app);
    DWORD code = 1;
    ASSERT_TRUE(child.WaitEnd(code, 30000));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(KeyThere()) << "the action after the end ran";
}

bool IsExitPicture(const WindowSeen& w) {
    RECT r{};
    GetWindowRect(w.hwnd, &r);
    return w.cls != "#32770" && r.right - r.left == 160 && r.bottom - r.top == 120;
}

TEST_F(EndActionTest, WithTheExitPictureItShowsBorderlessAndCentredBeforeTheEnd) {
    app.Write("data/cr.pic", Bitmap(160, 120, 0x0000FF));
    Child child(app);
    const WindowSeen* exitWindow = child.WaitFor(IsExitPicture, 30000);
    ASSERT_NE(exitWindow, nullptr);
    EXPECT_EQ(GetWindowLongA(exitWindow->hwnd, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    RECT r{};
    GetWindowRect(exitWindow->hwnd, &r);
    EXPECT_NEAR(r.left + r.right, GetSystemMetrics(SM_CXSCREEN), 2);
    EXPECT_NEAR(r.top + r.bottom, GetSystemMetrics(SM_CYSCREEN), 2);
    DWORD code = 1;
    ASSERT_TRUE(child.WaitEnd(code, 30000));
    EXPECT_EQ(code, 0u);
    // The exit window does not hold up the action list: what follows ran while it showed.
    EXPECT_TRUE(KeyThere());
}

}  // namespace
