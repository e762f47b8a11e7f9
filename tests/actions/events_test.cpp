// Page-object events: clicks and their sounds, the hover road with its one latch, option
// buttons, the password box, the file list and the thumbnail choice.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/main_window_fixture.h"
#include "windows/Form5_about.h"

using namespace actionstest;

namespace {

const std::string kSepa = "***Sepa***";
const std::string kCode = "***code***";

// Places a visible label or picture at x pixels, 100 wide and 20 high, at the window's top.
template <class C>
C& Place(C& c, int x) {
    c.Move(x * 15.0, 0, 1500, 300);
    c.Visible(true);
    return c;
}

void Mouse(Form1& main, UINT msg, int x, int y, WPARAM keys = 0) {
    SendMessageA(main.hWnd(), msg, keys, MAKELPARAM(x, y));
}

TEST_F(MainWindowTest, AClickPlaysTheEnterSoundThenRunsTheActionsAndKeepsTheTooltip) {
    Names({"1#TXT#1#Total"});
    Text(1).Text("old");
    rt::Label& withActions = Place(Label(1), 0);
    withActions.Tag("loadTXT" + kSepa + "Total" + kSepa + "clicked" + kCode + "opcd");
    withActions.ToolTipText("first tip");
    rt::Label& without = Place(Label(2), 200);
    without.ToolTipText("second tip");
    without.MousePointer(rt::vbCustom);

    Mouse(*main, WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    Mouse(*main, WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(Calls(), (std::vector<std::string>{Sound("enter"), "mciSendString set cdaudio door open"}));
    EXPECT_EQ(Text(1).Text(), "clicked");
    ASSERT_TRUE(shelltest::FormLoaded("Form5"));
    auto* about = static_cast<Form5*>(shelltest::FindForm("Form5"));
    EXPECT_EQ(about->Label1.Caption(), "first tip");
    EXPECT_FALSE(about->Visible());

    // Without actions: no sound, the default pointer, the About label unchanged.
    Calls().clear();
    Mouse(*main, WM_LBUTTONDOWN, 210, 10, MK_LBUTTON);
    Mouse(*main, WM_LBUTTONUP, 210, 10);
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(without.MousePointer(), rt::vbDefault);
    EXPECT_EQ(about->Label1.Caption(), "first tip");

    // A picture's click runs its actions after the sound, as the label's does.
    rt::Image& picture = Place(main->pic.Load(1), 400);
    picture.Tag("clcd");
    Mouse(*main, WM_LBUTTONDOWN, 410, 10, MK_LBUTTON);
    Mouse(*main, WM_LBUTTONUP, 410, 10);
    EXPECT_EQ(Calls(), (std::vector<std::string>{Sound("enter"), "mciSendString set cdaudio door closed"}));
}

TEST_F(MainWindowTest, AMissingSoundFileChangesNothingButTheSound) {
    std::filesystem::remove(app.Fs("data/enter.wav"));
    Label(1).Tag("opcd");
    main->Label1_Click(1);
    EXPECT_EQ(Calls(), std::vector<std::string>{"mciSendString set cdaudio door open"});
}

TEST_F(MainWindowTest, TheCrossSoundPlaysOncePerEntryFromTheWindowSurface) {
    app.Write("data/1P1lgr.pic", shelltest::Bitmap(4, 4, 0xFF0000));
    Place(Label(1), 0).Tag("opcd");
    Label(1).ToolTipText("one");
    Place(Label(2), 100).Tag("opcd");
    main->pic.Load(1);
    Place(main->pic[1], 200).Tag("opcd");
    rt::Label& quiet = Place(Label(3), 300);  // no actions
    quiet.MousePointer(rt::vbCustom);
    const int surface = 600;

    struct Step {
        int x;
        int sounds;  // cross sounds so far
    };
    const std::vector<Step> path = {
        {surface, 0}, {10, 1},      {20, 1},  {110, 1},  // onto a neighbour: no second sound
        {210, 1},     {surface, 1}, {210, 2}, {surface, 2},
        {310, 2},     {10, 3},  // the quiet label neither plays nor latches
    };
    for (const Step& s : path) {
        Mouse(*main, WM_MOUSEMOVE, s.x, 10);
        EXPECT_EQ(CountCalls(Sound("cross")), s.sounds) << "at x " << s.x;
        if (s.x == 10) {
            // The label's hover picture and tooltip.
            EXPECT_TRUE(main->gr.Visible());
            EXPECT_EQ(main->gr.GetPicture().Type(), rt::vbPicTypeBitmap);
            EXPECT_TRUE(main->Label3.Visible());
            EXPECT_EQ(main->Label3.Caption(), "one");
        }
        if (s.x == surface) {
            EXPECT_FALSE(main->gr.Visible());
            EXPECT_EQ(main->gr.GetPicture().Type(), rt::vbPicTypeNone);
            EXPECT_FALSE(main->Label3.Visible());
        }
    }
    EXPECT_EQ(quiet.MousePointer(), rt::vbDefault);
    EXPECT_EQ(CountCalls("mciSendString set cdaudio door open"), 0);
}

TEST_F(MainWindowTest, PageButtonsRunTheirActionsAndGlossyButtonsAlwaysSound) {
    auto click = [](HWND button) {
        SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
        SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
    };
    controls::vxbutton& button = Place(main->Command1.Load(1), 0);
    button.Tag("opcd");
    button.ToolTipText("button tip");
    click(button.hWnd());
    EXPECT_EQ(Calls(), (std::vector<std::string>{Sound("enter"), "mciSendString set cdaudio door open"}));
    ASSERT_TRUE(shelltest::FormLoaded("Form5"));
    auto* about = static_cast<Form5*>(shelltest::FindForm("Form5"));
    EXPECT_EQ(about->Label1.Caption(), "button tip");

    // Without actions: nothing at all.
    Calls().clear();
    button.Tag("");
    button.ToolTipText("other tip");
    click(button.hWnd());
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(about->Label1.Caption(), "button tip");

    // A glossy button sounds even without actions, and leaves the About label alone.
    controls::CandyButton& glossy = Place(main->Macbt.Load(1), 200);
    glossy.ToolTipText("glossy tip");
    click(glossy.hWnd());
    EXPECT_EQ(Calls(), std::vector<std::string>{Sound("enter")});
    EXPECT_EQ(about->Label1.Caption(), "button tip");

    // Hovering a page button: the cross sound, its hover picture and its tooltip.
    app.Write("data/1P1gr.pic", shelltest::Bitmap(4, 4, 0xFF0000));
    Calls().clear();
    button.ToolTipText("hover tip");
    SendMessageA(button.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 10));
    EXPECT_EQ(Calls(), std::vector<std::string>{Sound("cross")});
    EXPECT_TRUE(main->gr.Visible());
    EXPECT_EQ(main->gr.GetPicture().Type(), rt::vbPicTypeBitmap);
    EXPECT_TRUE(main->Label3.Visible());
    EXPECT_EQ(main->Label3.Caption(), "hover tip");
    // The glossy button right beside it: no second cross sound (the latch holds).
    SendMessageA(glossy.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 10));
    EXPECT_EQ(CountCalls(Sound("cross")), 1);
}

TEST_F(MainWindowTest, OptionButtonsShowChosenOnReleaseAndAlwaysSound) {
    rt::OptionButton& option = main->o.Load(1);
    option.ToolTipText("option tip");
    main->o.Load(2).Tag("opcd");
    option.Value(true);
    option.RaiseEvent(option.MouseDown, int16_t{2}, int16_t{0}, 0.f, 0.f);
    EXPECT_FALSE(option.Value());
    option.RaiseEvent(option.MouseUp, int16_t{2}, int16_t{0}, 0.f, 0.f);
    EXPECT_TRUE(option.Value());
    // No actions, yet the sound.
    EXPECT_EQ(Calls(), std::vector<std::string>{Sound("enter")});
    EXPECT_EQ(static_cast<Form5*>(shelltest::FindForm("Form5"))->Label1.Caption(), "option tip");

    Calls().clear();
    rt::OptionButton& other = main->o[2];
    other.RaiseEvent(other.MouseUp, int16_t{1}, int16_t{0}, 0.f, 0.f);
    other.RaiseEvent(other.MouseUp, int16_t{1}, int16_t{0}, 0.f, 0.f);  // already chosen: runs again
    EXPECT_EQ(CountCalls("mciSendString set cdaudio door open"), 2);
    EXPECT_FALSE(option.Value());
}

TEST_F(MainWindowTest, EnterInAPasswordBoxRunsItsActionsWhenTheTextMatchesIgnoringCase) {
    rt::TextBox& box = Text(1);
    box.Tag("opcd" + kCode + "clcd");
    box.Password("Secret");
    struct Case {
        std::string typed;
        int16_t key;
        bool runs;
    };
    const std::vector<Case> cases = {{"sECRET", 13, true},
                                     {"Secret", 13, true},
                                     {"Secret ", 13, false},
                                     {"Secret", 65, false},
                                     {"", 13, false}};
    for (const Case& c : cases) {
        Calls().clear();
        box.Text(c.typed);
        int16_t key = c.key;
        box.RaiseEvent(box.KeyDown, key, int16_t{1});
        const std::vector<std::string> ran = {"mciSendString set cdaudio door open",
                                              "mciSendString set cdaudio door closed"};
        EXPECT_EQ(Calls(), c.runs ? ran : std::vector<std::string>{}) << c.typed << " " << c.key;
        EXPECT_EQ(box.Text(), c.typed);
    }
    // The commands went through the scratch list.
    ASSERT_EQ(main->lk.ListCount(), 2);
    EXPECT_EQ(main->lk.List(1), "clcd");

    // A box without a stored password never runs its actions.
    Calls().clear();
    rt::TextBox& plain = Text(2);
    plain.Tag("opcd");
    int16_t key = 13;
    plain.RaiseEvent(plain.KeyDown, key, int16_t{0});
    EXPECT_TRUE(Calls().empty());
}

TEST_F(MainWindowTest, DoubleClickInTheFileListOpensTheChosenFile) {
    app.Write("docs/a.txt", "x");
    rt::FileListBox& list = main->File.Load(1);
    list.Path(app.Fs("docs").string());
    list.ListIndex(0);
    list.RaiseEvent(list.DblClick);
    EXPECT_EQ(Calls(), std::vector<std::string>{"ShellExecute |" + app.Fs("docs").string() + "\\a.txt|||1"});

    // A drive root has its backslash already; with no file chosen the folder itself opens.
    Calls().clear();
    list.Path("C:\\");
    list.ListIndex(-1);
    list.RaiseEvent(list.DblClick);
    EXPECT_EQ(Calls(), std::vector<std::string>{"ShellExecute |C:\\|||1"});
}

TEST_F(MainWindowTest, AThumbnailChoiceGoesToTheAlphaPictureItsBrowserNames) {
    Names({"2#aap#3#Big", "1#lbl#4#Big", "1#aap#5#Big", "1#aap#6#Big"});
    std::vector<int> shown;
    auto show = [&](int16_t i) { shown.push_back(i); };
    main->ThumbChoice("Big", show);
    main->ThumbChoice("", show);
    main->ThumbChoice("Small", show);
    EXPECT_EQ(shown, std::vector<int>{5});
}

}  // namespace
