// The launcher in this process: display mode, requirement checks, the store check, the fonts,
// the splash and the hand-over to the main window with its music.
#include <gtest/gtest.h>
#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include "runtime/convert.h"
#include "shell/Form1.h"
#include "shell/Form4.h"
#include "shell/fonts/renamed_font.h"
#include "shell/requmet.h"
#include "support/program_fixture.h"

using namespace shelltest;

namespace {

int DisplayBits() {
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    int bits = GetDeviceCaps(display, BITSPIXEL);
    DeleteDC(display);
    return bits;
}

HICON StopIcon() {
    return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_HAND));
}

struct DisplayCase {
    const char* name;
    const char* file;  // the bytes of Data\scr.res
    bool changes;
};

class DisplayModeTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayModeTest, ValidSizeIsTestedThenAppliedAtTheCurrentDepth) {
    AppFolder app;
    app.Pack(PlainStore());
    app.Write("Data/scr.res", GetParam().file);
    ProgramScope program(app);
    program.Start();

    std::vector<std::string> expected;
    if (GetParam().changes) {
        const std::string mode = "ChangeDisplaySettings 800x600x" + std::to_string(DisplayBits());
        // The platform's test first (CDS_TEST is 2; the value 4 would switch to the mode for a
        // full-screen program instead of testing it), then the change stored for the user.
        expected = {mode + " " + std::to_string(CDS_TEST), mode + " " + std::to_string(CDS_UPDATEREGISTRY)};
    }
    EXPECT_EQ(program.recorder.calls, expected);
    // Whatever the file says, the program goes on.
    EXPECT_TRUE(FormLoaded("Form1"));
}

INSTANTIATE_TEST_SUITE_P(Files, DisplayModeTest,
                         ::testing::Values(DisplayCase{"OneQuotedField", "\"800#600\"\r\n", true},
                                           DisplayCase{"TwoFields", "800#,600\r\n", true},
                                           DisplayCase{"ZeroWidth", "\"0#600\"\r\n", false},
                                           DisplayCase{"OneItem", "800\r\n", false},
                                           DisplayCase{"Text", "\"abc#600\"\r\n", false},
                                           DisplayCase{"Negative", "\"-800#600\"\r\n", false},
                                           DisplayCase{"Empty", "", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LauncherTest, MissingStoreWarnsWithStopIconAndEndsBeforeAnyMainWindow) {
    AppFolder app;
    app.Write("Data/scr.res", "\"800#600\"\r\n");
    ProgramScope program(app);
    MessageBoxWatcher watcher;
    program.Start();

    ASSERT_EQ(watcher.boxes.size(), 1u);
    const SeenBox& box = watcher.boxes[0];
    EXPECT_EQ(box.caption, rt::App::Title());
    EXPECT_TRUE(HasText(box, "Warning: Could not find data file \"quorlin.dat\""));
    EXPECT_EQ(box.icon, StopIcon());
    EXPECT_EQ(program.ends, 1);
    EXPECT_FALSE(FormLoaded("Form1"));
    // The display mode was applied before the check and stays.
    EXPECT_EQ(program.recorder.calls.size(), 2u);
    EXPECT_EQ(program.StepAt("Form4 fonts"), -1);
}

struct RequirementCase {
    const char* name;
    const char* file;   // Data\data.req
    const char* title;  // the message's title; nullptr: the program starts
    const char* message;
};

class RequirementTest : public ::testing::TestWithParam<RequirementCase> {};

TEST_P(RequirementTest, FailedCheckShowsItsMessageAndEnds) {
    AppFolder app;
    app.Pack(PlainStore());
    app.Write("Data/data.req", GetParam().file);
    ProgramScope program(app);
    MessageBoxWatcher watcher;
    program.Start();

    if (!GetParam().title) {
        EXPECT_TRUE(watcher.boxes.empty());
        EXPECT_EQ(program.ends, 0);
        EXPECT_TRUE(FormLoaded("Form1"));
        return;
    }
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_EQ(watcher.boxes[0].caption, GetParam().title);
    EXPECT_TRUE(HasText(watcher.boxes[0], GetParam().message));
    EXPECT_EQ(watcher.boxes[0].icon, StopIcon());
    EXPECT_EQ(program.ends, 1);
    EXPECT_FALSE(FormLoaded("Form1"));
    // Even after the splash time the main window does not come.
    PumpUntil([] { return FormLoaded("Form1"); }, 2600);
    EXPECT_FALSE(FormLoaded("Form1"));
}

// The test system reports version 6.1 and far more than 256 MB.
INSTANTIATE_TEST_SUITE_P(
    Files, RequirementTest,
    ::testing::Values(RequirementCase{"BothPass", "\"5.1#Needs a newer system#256#Needs more memory\"\r\n",
                                      nullptr, nullptr},
                      RequirementCase{"VersionTooHigh",
                                      "\"7#Needs a newer system#256#Needs more memory\"\r\n",
                                      "Operating System", "Needs a newer system"},
                      RequirementCase{"VersionWithoutMessage", "7\r\n", "Operating System", ""},
                      RequirementCase{"MemoryTooSmall",
                                      "\"5.1#Needs a newer system#99999999#Needs more memory\"\r\n",
                                      "Physical Memory", "Needs more memory"},
                      RequirementCase{"EmptyFilePasses", "", nullptr, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LauncherTest, SystemFiguresAreReadable) {
    // The requirement cases above rest on these: the version from the registry, the memory
    // from the management service, in megabytes.
    EXPECT_EQ(requmet::RegReadValue(
                  "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\CurrentVersion"),
              "6.1");
    EXPECT_EQ(requmet::RegReadValue("HKEY_LOCAL_MACHINE\\SOFTWARE\\No\\Such\\Value"), "");
    requmet::GatherSystemInfo();
    ASSERT_FALSE(requmet::MemoryFigure().empty());
    EXPECT_GT(rt::TextToDouble(requmet::MemoryFigure()), 256);
}

std::string FontsFolder() {
    char buffer[MAX_PATH] = {};
    GetWindowsDirectoryA(buffer, MAX_PATH);
    return std::string(buffer) + "\\Fonts\\";
}

TEST(LauncherTest, ProjectFontIsInstalledAndFoundByTheMainWindowInAnyCase) {
    std::random_device rd;
    const std::string family = "Vantrel Shell Probe " + std::to_string(rd() % 1000000);
    const std::string file = "vsp" + std::to_string(rd() % 1000000) + ".ttf";
    AppFolder app;
    app.Pack(PlainStore());
    app.Write("Data/Fonts/" + file, [&] {
        auto bytes = testsupport::RenamedFont(
            "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Regular.ttf", family);
        return Bytes(bytes.begin(), bytes.end());
    }());
    app.Write("Data/Fonts/readme.txt", "not a font");
    {
        ProgramScope program(app);
        program.Start();
        auto* main = static_cast<Form1*>(FindForm("Form1"));
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(main->chk_fnt(family));
        EXPECT_TRUE(main->chk_fnt(rt::UCase(family)));
        EXPECT_TRUE(main->chk_fnt(rt::LCase(family)));
        EXPECT_FALSE(main->chk_fnt(family + " "));
        EXPECT_TRUE(std::filesystem::exists(FontsFolder() + file));
        EXPECT_LT(program.StepAt("Form4 font " + file), program.StepAt("Form1 LoadFontList"));
        EXPECT_EQ(program.StepAt("Form4 font readme.txt"), -1);
    }
    RemoveFontResourceA(file.c_str());
    std::error_code ec;
    std::filesystem::remove(FontsFolder() + file, ec);
    std::filesystem::remove(FontsFolder() + file.substr(0, file.size() - 3) + "FOT", ec);
}

TEST(LauncherTest, SplashShowsBeforeTheMainWindow) {
    AppFolder app;
    app.Pack(PlainStore());
    app.Write("data/sphe.pic", Bitmap(100, 80, 0x3366CC));
    ProgramScope program(app);
    program.Start();

    auto* launcher = static_cast<Form4*>(FindForm("Form4"));
    ASSERT_NE(launcher, nullptr);
    EXPECT_TRUE(launcher->Visible());
    EXPECT_DOUBLE_EQ(launcher->Width(), 100.0 * rt::Screen::TwipsPerPixelX());
    EXPECT_DOUBLE_EQ(launcher->Height(), 80.0 * rt::Screen::TwipsPerPixelY());
    EXPECT_FALSE(FormLoaded("Form1"));

    ASSERT_TRUE(PumpUntil([] { return FormLoaded("Form1"); }));
    EXPECT_FALSE(FormLoaded("Form4"));
    EXPECT_TRUE(FindForm("Form1")->Visible());
    const int splash = program.StepAt("Form4 splash");
    EXPECT_GE(splash, 0);
    EXPECT_LT(splash, program.StepAt("Form4 hand over"));
    EXPECT_LT(program.StepAt("Form4 hand over"), program.StepAt("Form1 frame"));
    // The timer hands over once only.
    PumpUntil([] { return false; }, 2300);
    int handOvers = 0;
    for (const auto& step : program.Trace()) handOvers += step == "Form4 hand over";
    EXPECT_EQ(handOvers, 1);
}

TEST(LauncherTest, WithoutSplashTheMainWindowComesAtOnce) {
    AppFolder app;
    app.Pack(PlainStore());
    ProgramScope program(app);
    program.Start();

    EXPECT_FALSE(FormLoaded("Form4"));
    ASSERT_TRUE(FormLoaded("Form1"));
    EXPECT_TRUE(FindForm("Form1")->Visible());
    EXPECT_EQ(program.StepAt("Form4 splash"), -1);
    EXPECT_GE(program.StepAt("Form4 hand over"), 0);
}

TEST(LauncherTest, SplashFileThatIsNoPictureShowsTheEmptyLauncherUntilTheTimer) {
    AppFolder app;
    app.Pack(PlainStore());
    app.Write("data/sphe.pic", "this is no picture");
    ProgramScope program(app);
    program.Start();

    auto* launcher = static_cast<Form4*>(FindForm("Form4"));
    ASSERT_NE(launcher, nullptr);
    EXPECT_TRUE(launcher->Visible());
    EXPECT_DOUBLE_EQ(launcher->Width(), 2130);
    EXPECT_DOUBLE_EQ(launcher->Height(), 1635);
    EXPECT_FALSE(FormLoaded("Form1"));
    EXPECT_TRUE(PumpUntil([] { return FormLoaded("Form1"); }));
}

TEST(LauncherTest, StoreThatCannotBeReadEndsTheProgramInsteadOfAnInvisibleMainWindow) {
    AppFolder app;
    app.Pack(PlainStore());
    // Another program holds the store without sharing it.
    HANDLE lock = CreateFileA(app.Fs("quorlin.dat").string().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    {
        ProgramScope program(app);
        program.Start();
        EXPECT_EQ(program.ends, 1);
        EXPECT_TRUE(rt::Forms().empty());
    }
    CloseHandle(lock);
}

TEST(LauncherTest, FirstMusicFileOfTheSoundFolderIsStarted) {
    AppFolder app;
    app.Pack(PlainStore());
    app.Write("data/sound/b.mp3", "x");
    app.Write("data/sound/a.wav", "x");
    app.Write("data/sound/c.txt", "x");
    ProgramScope program(app);
    program.Start();

    auto* main = static_cast<Form1*>(FindForm("Form1"));
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(rt::EqualsNoCase(main->bac.Filename(), app.Path() + "\\data\\sound\\a.wav"))
        << main->bac.Filename();
}

TEST(LauncherTest, EmptySoundFolderStartsNoMusic) {
    AppFolder app;
    app.Pack(PlainStore());
    app.MakeFolder("data/sound");
    ProgramScope program(app);
    program.Start();

    auto* main = static_cast<Form1*>(FindForm("Form1"));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->bac.Filename(), "");
}

}  // namespace
