// The main window's start-up in this process: its steps in order and what they leave behind,
// its mouse moves, the notification-area round trip and its unload.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/convert.h"
#include "shell/Form1.h"
#include "shell/Module3.h"
#include "support/program_fixture.h"
#include "windows/Form15_backdrop.h"
#include "windows/Form17_title_bar.h"

using namespace shelltest;
using windows::Form15;
using windows::Form17;

class Form1Access {
public:
    static bool& HoverLatch(Form1& f) { return f.HoverLatch; }
};

namespace {

Form1& Main() {
    auto* main = static_cast<Form1*>(FindForm("Form1"));
    if (!main) throw std::runtime_error("no main window");
    return *main;
}

std::vector<std::string> Items(const rt::ListBox& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.ListCount(); ++i) out.push_back(list.List(i));
    return out;
}

bool CopyLeft(const std::string& member) {
    return std::filesystem::exists(CopyFolder() / member);
}

// A project with every optional file the load reads.
void FullProject(const AppFolder& app, bool titleBar) {
    std::vector<Member> members = {{"sys1 .esr", "\"Form\",0\r\n"},
                                   {"1aap1.pic", "x"},
                                   {"name.nme", "1#TXT#1#Total\r\n2#lbl#3#Head line\r\n"},
                                   {"bg1.bmp", Bitmap(8, 8, 0x00FF00)},
                                   {"sys2 .esr", "\"Form\",0\r\n"}};
    // One style record: background style 5 (field 11), border line colour 12345 (field 21).
    if (titleBar)
        members.push_back({"TbRsG.tib", "0,4210752,4210752,0,16777215,0,5189670,16777215,3947580,0,"
                                        "5,1,True,True,3,True,False,True,False,True,12345\r\n"});
    app.Pack(members);
    app.Write("data/pagecur.ico", Icon16(0xFF0000));
    app.Write("autorun.ico", Icon16(0x0000FF));
    app.Write("data/desk_c1.bmp", Bitmap(40, 20, 0x808080));
    app.Write("data/sound/a.mp3", "x");
}

TEST(MainWindowTest, LoadRunsItsStepsInOrderAndLeavesTheirResults) {
    AppFolder app;
    FullProject(app, false);
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();

    // The trace from the main window's first step on.
    std::vector<std::string> steps;
    for (int i = program.StepAt("Form1 frame"); i >= 0 && i < static_cast<int>(program.Trace().size()); ++i)
        steps.push_back(program.Trace()[static_cast<size_t>(i)]);
    const std::vector<std::string> expected = {
        "Form1 frame",        "Form1 afstme",       "Form1 LoadArchiveIndex",
        "Form1 SetFormIcons", "Form1 shd",          "Form1 LoadFontList",
        "Form1 pat",          "Form1 namelist",     "Form1 MouseIcon",
        "Form1 backdrop",     "Form1 Icon",         "Form1 hover reset",
        "Form1 Option1",      "Form1 music folder", "Form1 title bar",
        "Form1 background",   "Form1 loaded"};
    EXPECT_EQ(steps, expected);

    // Frame: one side and the caption with the top edge, measured on the fixed-dialog frame.
    EXPECT_GT(main.FrameSide(), 0);
    EXPECT_GT(main.FrameTop(), main.FrameSide());
    EXPECT_NEAR(main.Width() - main.ScaleWidth(), 2.0 * main.FrameSide(), 1.0);
    EXPECT_NEAR(main.Height() - main.ScaleHeight(), double(main.FrameTop() + main.FrameSide()), 1.0);

    // The store index and the page list.
    EXPECT_EQ(Items(main.pacfile),
              (std::vector<std::string>{"sys1 .esr", "1aap1.pic", "name.nme", "bg1.bmp", "sys2 .esr"}));
    EXPECT_EQ(Items(main.pagelast), (std::vector<std::string>{"sys1 .esr", "sys2 .esr"}));
    // The object name list, with its copies gone from the temporary folder.
    EXPECT_EQ(Items(main.namelist), (std::vector<std::string>{"1#TXT#1#Total", "2#lbl#3#Head line"}));
    EXPECT_FALSE(CopyLeft("name.nme"));
    // Installed fonts were listed.
    EXPECT_GT(main.fntlst.ListCount(), 0);

    EXPECT_EQ(main.pat.Text(), app.Path() + "\\");
    EXPECT_TRUE(main.Visible());
    EXPECT_EQ(main.afstme, 1);
    EXPECT_NE(main.WindowShadow(), nullptr);

    // Icons: the program's icon group on the window, then autorun.ico as its icon.
    EXPECT_NE(SendMessageA(main.hWnd(), WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(main.Icon().Type(), rt::vbPicTypeIcon);
    EXPECT_EQ(main.MouseIcon().Type(), rt::vbPicTypeIcon);
    EXPECT_EQ(main.MousePointer(), rt::vbCustom);

    // The backdrop picture, centred in the backdrop window, which stays hidden.
    auto* backdrop = static_cast<Form15*>(FindForm("Form15"));
    ASSERT_NE(backdrop, nullptr);
    EXPECT_FALSE(backdrop->Visible());
    EXPECT_EQ(backdrop->l.GetPicture().Type(), rt::vbPicTypeBitmap);
    EXPECT_NEAR(backdrop->l.Left() + backdrop->l.Width() / 2, backdrop->Width() / 2, 15);
    EXPECT_NEAR(backdrop->l.Top() + backdrop->l.Height() / 2, backdrop->Height() / 2, 15);
    // Maximised from its design, the hidden backdrop already has the screen's size.
    EXPECT_EQ(backdrop->WindowState(), rt::vbMaximized);
    EXPECT_EQ(backdrop->Width(), rt::Screen::Width());
    EXPECT_EQ(backdrop->Height(), rt::Screen::Height());

    EXPECT_FALSE(main.gr.Visible());
    EXPECT_FALSE(main.Label3.Visible());
    EXPECT_EQ(main.Label3.Caption(), "");
    EXPECT_TRUE(main.Option1.Value());
    EXPECT_TRUE(rt::EqualsNoCase(main.l.Path(), app.Path() + "\\data\\sound"));

    // No title-bar style: the title-bar window, if a page build placed it, stays hidden, and no
    // outline.
    if (rt::Form* titleBar = FindForm("Form17")) {
        EXPECT_FALSE(titleBar->Visible());
    }
    EXPECT_FALSE(main.Shape1.Visible());

    // The page background, its copies deleted.
    EXPECT_EQ(main.GetPicture().Type(), rt::vbPicTypeBitmap);
    EXPECT_FALSE(CopyLeft("bg1.bmp"));
}

TEST(MainWindowTest, TitleBarStyleInTheStorePlacesTheTitleBarWindowAboveTheMainWindow) {
    AppFolder app;
    FullProject(app, true);
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();

    auto* titleBar = static_cast<Form17*>(FindForm("Form17"));
    ASSERT_NE(titleBar, nullptr);
    EXPECT_TRUE(titleBar->Visible());
    EXPECT_DOUBLE_EQ(titleBar->Top(), main.Top() - titleBar->Height());
    EXPECT_DOUBLE_EQ(titleBar->Left(), main.Left());
    EXPECT_DOUBLE_EQ(titleBar->Width(), main.Width());
    EXPECT_TRUE(main.Shape1.Visible());
    EXPECT_DOUBLE_EQ(main.Shape1.Left(), 0);
    EXPECT_DOUBLE_EQ(main.Shape1.Width(), main.Width());
    EXPECT_DOUBLE_EQ(main.Shape1.Height(), main.Height());
    // The style record reached the bar and the main window's border line; the bar took the main
    // window's caption when it loaded.
    EXPECT_EQ(titleBar->TitelBar1.Style(), 5);
    EXPECT_EQ(titleBar->TitelBar1.BackColor(), 5189670u);
    EXPECT_FALSE(titleBar->TitelBar1.Caption3DLeft());
    EXPECT_EQ(main.Shape1.BorderColor(), 12345u);
    EXPECT_EQ(titleBar->TitelBar1.Caption(), main.Caption());

    // Dragging the bar moves the main window with it.
    HWND surface = titleBar->TitelBar1.hWnd();
    SendMessageA(surface, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    titleBar->Move(titleBar->Left() + 600, titleBar->Top() + 450);
    EXPECT_TRUE(PumpUntil([&] { return main.Left() == titleBar->Left(); }, 2000));
    EXPECT_DOUBLE_EQ(main.Top(), titleBar->Top() + titleBar->Height());
    SendMessageA(surface, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));

    // Mouse moves and resizes ask the index; they never copy the member out.
    std::error_code ec;
    std::filesystem::remove(CopyFolder() / "TbRsG.tib", ec);
    titleBar->Visible(false);
    main.Form_MouseMove(0, 0, 300, 300);
    main.Form_Resize();
    EXPECT_FALSE(CopyLeft("TbRsG.tib"));
    EXPECT_TRUE(titleBar->Visible());
}

// Records the caption drags the window is asked for, without letting the move loop start.
struct DragSpy {
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
        if (msg == WM_NCLBUTTONDOWN && wp == HTCAPTION) {
            ++*reinterpret_cast<int*>(data);
            return 0;
        }
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
};

TEST(MainWindowTest, MouseOverTheSurfaceEndsTheHoverAndDragsOnlyWithTheLeftButtonAlone) {
    AppFolder app;
    FullProject(app, false);
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    int drags = 0;
    ASSERT_TRUE(SetWindowSubclass(main.hWnd(), DragSpy::Proc, 1, reinterpret_cast<DWORD_PTR>(&drags)));

    Form1Access::HoverLatch(main) = true;
    main.gr.Visible(true);
    main.Label3.Caption("tip");
    main.Label3.Visible(true);
    main.Form_MouseMove(0, 0, 300, 300);
    EXPECT_FALSE(Form1Access::HoverLatch(main));
    EXPECT_FALSE(main.gr.Visible());
    EXPECT_TRUE(main.gr.GetPicture().Empty());
    EXPECT_EQ(main.Label3.Caption(), "");
    EXPECT_FALSE(main.Label3.Visible());
    EXPECT_EQ(drags, 0);

    struct Case {
        int16_t button;
        int drags;
    };
    for (Case c : {Case{rt::vbLeftButton, 1}, Case{rt::vbRightButton, 0},
                   Case{rt::vbLeftButton | rt::vbRightButton, 0}, Case{rt::vbMiddleButton, 0}}) {
        drags = 0;
        main.Form_MouseMove(c.button, 0, 300, 300);
        EXPECT_EQ(drags, c.drags) << "button " << c.button;
    }

    // A move at exactly 517 pixels is the tray icon's right-button release: no hover reset.
    main.Label3.Caption("tip");
    drags = 0;
    main.Form_MouseMove(rt::vbLeftButton, 0, 517.0f * rt::Screen::TwipsPerPixelX(), 0);
    EXPECT_EQ(main.Label3.Caption(), "tip");
    EXPECT_EQ(drags, 0);
    RemoveWindowSubclass(main.hWnd(), DragSpy::Proc, 1);
}

bool TrayIconPresent() {
    // The shell accepts a change only for an icon it holds.
    NOTIFYICONDATAA data = Module3::TrayIconData();
    data.uFlags = NIF_TIP;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

TEST(MainWindowTest, TrayIconRoundTripRestoresTheWindowsAndRemovesTheIcon) {
    AppFolder app;
    FullProject(app, false);
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    auto* backdrop = static_cast<Form15*>(FindForm("Form15"));
    ASSERT_NE(backdrop, nullptr);
    backdrop->Tag("ok");

    // The hide-to-tray action's part: hide, then add the icon.
    main.Hide();
    Module3::AddTrayIcon(main, "Vantrel");
    const NOTIFYICONDATAA& record = Module3::TrayIconData();
    EXPECT_EQ(record.hWnd, main.hWnd());
    EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(record.uCallbackMessage, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(record.hIcon, reinterpret_cast<HICON>(main.Icon().Handle()));
    EXPECT_STREQ(record.szTip, "Vantrel");
    EXPECT_TRUE(TrayIconPresent());

    // A left click on the icon is no restore.
    SendMessageA(main.hWnd(), WM_MOUSEMOVE, record.uID, MAKELPARAM(WM_LBUTTONUP, 0));
    EXPECT_FALSE(main.Visible());
    // The right button's release arrives as a move with X = 517 pixels.
    SendMessageA(main.hWnd(), WM_MOUSEMOVE, record.uID, MAKELPARAM(WM_RBUTTONUP, 0));
    EXPECT_TRUE(main.Visible());
    EXPECT_TRUE(backdrop->Visible());
    EXPECT_FALSE(TrayIconPresent());
    EXPECT_FALSE(Module3::TrayIconShown());
}

TEST(MainWindowTest, TrayTipIsCutTo63Characters) {
    AppFolder app;
    FullProject(app, false);
    ProgramScope program(app);
    program.Start();
    Module3::AddTrayIcon(Main(), std::string(70, 'x'));
    EXPECT_EQ(std::string(Module3::TrayIconData().szTip), std::string(63, 'x'));
    Module3::RemoveTrayIcon();
    EXPECT_FALSE(TrayIconPresent());
}

TEST(MainWindowTest, UnloadHidesTheWindowsShowsTheExitWindowAndRemovesTheTrayIcon) {
    AppFolder app;
    FullProject(app, false);
    app.Write("data/cr.pic", Bitmap(30, 30, 0xFFFFFF));
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    auto* backdrop = static_cast<Form15*>(FindForm("Form15"));
    ASSERT_NE(backdrop, nullptr);
    backdrop->Tag("ok");
    backdrop->Show();
    Module3::AddTrayIcon(main, "Vantrel");
    ASSERT_TRUE(TrayIconPresent());

    main.Unload();
    EXPECT_FALSE(FormLoaded("Form1"));
    EXPECT_FALSE(backdrop->Visible());
    rt::Form* exitWindow = FindForm("Form6");
    ASSERT_NE(exitWindow, nullptr);
    EXPECT_TRUE(exitWindow->Visible());
    EXPECT_FALSE(TrayIconPresent());
    // After its picture the exit window ends the program.
    EXPECT_TRUE(PumpUntil([&] { return program.ends > 0; }, 5000));
    EXPECT_EQ(program.ends, 1);
    // The windows of its list are unloaded; the others close with the program.
    EXPECT_FALSE(FormLoaded("Form1"));
    EXPECT_FALSE(FormLoaded("Form6"));
}

TEST(MainWindowTest, UnloadIsNotReenteredWhenTheExitWindowUnloadsEverything) {
    AppFolder app;
    FullProject(app, false);  // no cr.pic: the exit window ends at once
    ProgramScope program(app);
    program.Start();
    Main().Unload();
    EXPECT_EQ(program.ends, 1);
    EXPECT_FALSE(FormLoaded("Form1"));
    EXPECT_FALSE(FormLoaded("Form6"));
}

TEST(MainWindowTest, ChkFntComparesWholeNamesIgnoringCase) {
    AppFolder app;
    FullProject(app, false);
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    main.fntlst.Clear();
    EXPECT_FALSE(main.chk_fnt("Arial"));
    EXPECT_FALSE(main.chk_fnt(""));
    main.fntlst.AddItem("Tahoma");
    main.fntlst.AddItem("Arial");
    EXPECT_TRUE(main.chk_fnt("ARIAL"));
    EXPECT_TRUE(main.chk_fnt("arial"));
    EXPECT_FALSE(main.chk_fnt("ARIAL "));
    EXPECT_FALSE(main.chk_fnt("Aria"));
}

}  // namespace
