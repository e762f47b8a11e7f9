// The media file browser, the About box and the end through the exit window.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "windows/Form12_media_browser.h"
#include "windows/Form5_about.h"
#include "windows/Form6_exit.h"
#include "windows_fixture.h"

using namespace actionstest;
using namespace windowstest;

namespace {

namespace fs = std::filesystem;

// ---- media file browser

TEST_F(MainWindowTest, TheFilterButtonsSetTheThreePatterns) {
    Run("opmedf");
    Form12* browser = Loaded<Form12>();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(IsWindowVisible(browser->hWnd()));
    EXPECT_EQ(browser->Caption(), "Select Your Media Files");
    EXPECT_EQ(browser->File1.Pattern(), "*.mp3;*.wma;*.wav;*.mdi;*.avi;*.wmv;*.asf;*.mpg");
    struct Case {
        controls::chameleonButton& button;
        std::string caption, pattern;
    };
    const Case cases[] = {
        {browser->chameleonButton1, "Sound Files Only", "*.mp3;*.wma;*.wav;*.mdi"},
        {browser->chameleonButton2, "Movie File Only", "*.avi;*.wmv;*.asf;*.mpg"},
        {browser->chameleonButton3, "All Media Files", "*.mp3;*.wma;*.wav;*.mdi;*.avi;*.wmv;*.asf;*.mpg"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.button.Caption(), c.caption);
        Press(c.button.hWnd());
        EXPECT_EQ(browser->File1.Pattern(), c.pattern);
    }
}

TEST_F(MainWindowTest, AFolderChosenShowsItsMediaFilesWithTheFilter) {
    app.Write("media/song.mp3", "x");
    app.Write("media/film.avi", "x");
    app.Write("media/tune.mid", "x");
    app.Write("media/tune.mdi", "x");
    Run("opmedf");
    Form12& browser = *Loaded<Form12>();
    browser.Dir1.Path(app.Path() + "\\media");
    EXPECT_EQ(browser.File1.Path(), app.Path() + "\\media");
    EXPECT_EQ(browser.File1.ListCount(), 3);
    Press(browser.chameleonButton1.hWnd());
    std::vector<std::string> sounds;
    for (int i = 0; i < browser.File1.ListCount(); ++i) sounds.push_back(browser.File1.List(i));
    EXPECT_EQ(sounds, (std::vector<std::string>{"song.mp3", "tune.mdi"}));
    EXPECT_EQ(browser.Dir1.Path(), app.Path() + "\\media");
}

TEST_F(MainWindowTest, ADoubleClickAtADriveRootPlaysTheFileInTheMovieAreaAndCloses) {
    // A file of its own at the root of drive C of the test's prefix.
    std::random_device rd;
    const std::string name = "vantrel-" + std::to_string(rd()) + ".mp3";
    const std::string path = "C:\\" + name;
    shelltest::WriteFile(path, "x");
    main->Label2.Move(1500, 900, 3000, 2250);
    Run("opmedf");
    Form12& browser = *Loaded<Form12>();
    browser.File1.Path("C:\\");
    int index = -1;
    for (int i = 0; i < browser.File1.ListCount(); ++i)
        if (browser.File1.List(i) == name) index = i;
    ASSERT_GE(index, 0);
    browser.File1.ListIndex(index);
    SendMessageA(browser.hWnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(browser.File1.hWnd()), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(browser.File1.hWnd()));
    Pump();
    fs::remove(path);
    EXPECT_EQ(main->mb.Filename(), path);
    EXPECT_TRUE(main->mb.Visible());
    EXPECT_EQ(main->mb.Left(), 1500);
    EXPECT_EQ(main->mb.Top(), 900);
    EXPECT_EQ(main->mb.Width(), 3000);
    EXPECT_EQ(main->mb.Height(), 2250);
    EXPECT_EQ(Loaded<Form12>(), nullptr);
}

TEST_F(MainWindowTest, OpeningAndClosingTheMediaBrowserLeavesNoHandles) {
    ExpectNoHandlesLeft([&] {
        Run("opmedf");
        Form12& browser = *Loaded<Form12>();
        Press(browser.chameleonButton2.hWnd());
        browser.Unload();
        Pump(10);
    });
}

// ---- About box

TEST_F(MainWindowTest, AboutShowsTheLastTooltipAndOkUnloadsItEmpty) {
    Run("about");
    Form5* about = Loaded<Form5>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(IsWindowVisible(about->hWnd()));
    EXPECT_EQ(about->Caption(), "About");
    EXPECT_EQ(about->Label1.Caption(), "");
    Press(about->chameleonButton1.hWnd());
    Pump();
    EXPECT_EQ(Loaded<Form5>(), nullptr);

    // A clicked object with actions leaves its tooltip in the box, which loads hidden.
    rt::Label& label = Label(1);
    label.Move(0, 0, 1500, 300);
    label.Visible(true);
    label.Tag("clcd");
    label.ToolTipText("Chapter one");
    ClickAt(main->hWnd(), 10, 10);
    about = Loaded<Form5>();
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(IsWindowVisible(about->hWnd()));
    Run("about");
    EXPECT_TRUE(IsWindowVisible(about->hWnd()));
    EXPECT_EQ(about->Label1.Caption(), "Chapter one");
    EXPECT_EQ(about->chameleonButton1.Caption(), "OK");
    Press(about->chameleonButton1.hWnd());
    Pump();
    Run("about");
    EXPECT_EQ(Loaded<Form5>()->Label1.Caption(), "");
}

// ---- the end

// Windows of the fixed unload order that belong to other parts of the program: each notes, when
// it is unloaded, its name and which of the main and exit windows are still loaded.
std::vector<std::string> unloads;
template <int N>
class OtherWindow : public rt::Form {
public:
    static constexpr const char* kNames[] = {"Form2", "Form7", "Form4", "Form5", "Form3"};
    OtherWindow() : Form(kNames[N]) {}
    void Form_Unload(int16_t&) override {
        std::string note = Name();
        if (shelltest::FormLoaded("Form1")) note += "+main";
        if (shelltest::FormLoaded("Form6")) note += "+exit";
        unloads.push_back(note);
    }
};

void LoadOtherWindows() {
    unloads.clear();
    rt::Load<OtherWindow<4>>();  // loaded first, unloaded last: the order is the end's, not the load's
    rt::Load<OtherWindow<2>>();
    rt::Load<OtherWindow<0>>();
    rt::Load<OtherWindow<3>>();
    rt::Load<OtherWindow<1>>();
}

TEST_F(MainWindowTest, EndWithTheExitPictureShowsItCentredThenUnloadsInOrderAndEnds) {
    app.Write("data/cr.pic", shelltest::Bitmap(160, 120, 0xFF0000));
    LoadOtherWindows();
    Run("end");
    EXPECT_FALSE(IsWindowVisible(main->hWnd()));
    Form6* exitWindow = Loaded<Form6>();
    ASSERT_NE(exitWindow, nullptr);
    EXPECT_TRUE(IsWindowVisible(exitWindow->hWnd()));
    const RECT r = OuterRect(*exitWindow);
    EXPECT_EQ(r.right - r.left, 160);
    EXPECT_EQ(r.bottom - r.top, 120);
    EXPECT_EQ(GetWindowLongA(exitWindow->hWnd(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    EXPECT_TRUE(Centred(*exitWindow));
    EXPECT_EQ(program->ends, 0);
    EXPECT_TRUE(unloads.empty());

    ASSERT_TRUE(shelltest::PumpUntil([&] { return program->ends > 0; }, 10000));
    EXPECT_EQ(program->ends, 1);
    EXPECT_EQ(unloads,
              (std::vector<std::string>{"Form2+exit", "Form7+exit", "Form4+exit", "Form5+exit", "Form3"}));
    EXPECT_EQ(Loaded<Form6>(), nullptr);
    EXPECT_FALSE(shelltest::FormLoaded("Form1"));
    Pump(300);
    EXPECT_EQ(program->ends, 1);
}

TEST_F(MainWindowTest, EndWithoutTheExitPictureEndsWhileTheActionRunsThroughOneExitWindow) {
    LoadOtherWindows();
    Run("end");
    EXPECT_EQ(program->ends, 1);
    EXPECT_EQ(unloads,
              (std::vector<std::string>{"Form2+exit", "Form7+exit", "Form4+exit", "Form5+exit", "Form3"}));
    EXPECT_FALSE(shelltest::FormLoaded("Form1"));
    EXPECT_EQ(Loaded<Form6>(), nullptr);
    Pump(300);
    EXPECT_EQ(program->ends, 1);
}

TEST_F(MainWindowTest, EndcoAsksUnderExitAndEndsOnlyOnYes) {
    for (int answer : {IDNO, IDYES}) {
        shelltest::MessageBoxWatcher boxes([answer](const shelltest::SeenBox&) { return answer; });
        Run("endco" + kSepa + "Leave the menu?");
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].caption, "Exit");
        EXPECT_TRUE(shelltest::HasText(boxes.boxes[0], "Leave the menu?"));
        EXPECT_EQ(boxes.boxes[0].icon, LoadIconA(nullptr, IDI_QUESTION));
        if (answer == IDNO) {
            EXPECT_TRUE(IsWindowVisible(main->hWnd()));
            EXPECT_EQ(program->ends, 0);
        } else {
            EXPECT_EQ(program->ends, 1);
        }
    }
}

TEST_F(MainWindowTest, EndcoWithoutItsTextAsksNothing) {
    shelltest::MessageBoxWatcher boxes;
    Run("endco");
    Pump(200);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(program->ends, 0);
}

}  // namespace
