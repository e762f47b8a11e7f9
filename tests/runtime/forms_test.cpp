#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/control_array.h"
#include "runtime/controls.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/hidden_text.h"
#include "support/window_helpers.h"

namespace {

constexpr COLORREF kGreen = RGB(0, 128, 0);

// A page-like window: an array of labels over a background picture, text fields and options.
class PageForm : public rt::Form {
public:
    PageForm() : Form("PageForm") {
        Caption("Page");
        BorderStyle(rt::vbFixedDialog);
        Move(0, 0, 6000, 4500);
        Label1[0].Visible(false);
        Label1[0].BackStyle(rt::vbTransparent);
        Label1[0].ForeColor(0x000000);
        Label1[0].GetFont().Size(14);
        Label1[0].Caption("WW");
        Label1[0].Tag("template");
        Label1[0].Click = [this](int Index) { clicked.push_back(Index); };
    }
    void Form_Load() override { log().push_back("load"); }
    void Form_Unload(int16_t& Cancel) override {
        log().push_back("unload");
        Cancel = cancelUnload ? 1 : 0;
        if (unloadAgain) Unload();  // a second unload inside the first does nothing
    }

    rt::ControlArray<rt::Label> Label1{*this, "Label1"};
    rt::ControlArray<rt::TextBox> txt{*this, "txt"};
    rt::ControlArray<rt::OptionButton> o{*this, "o"};
    rt::OptionButton Option1{*this, "Option1"};
    // Outlives the form: what its events did.
    static std::vector<std::string>& log() {
        static std::vector<std::string> l;
        return l;
    }
    std::vector<int> clicked;
    bool cancelUnload = false, unloadAgain = false;
};

struct PageFormTest : ::testing::Test {
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
    }
};

TEST_F(PageFormTest, LoadsOnFirstUseAndUnloadRunsItsHandlerOnce) {
    PageForm::log().clear();
    PageForm& f = rt::Load<PageForm>();
    EXPECT_EQ(PageForm::log(), (std::vector<std::string>{"load"}));
    EXPECT_EQ(&rt::Load<PageForm>(), &f);  // the same form until it is unloaded
    EXPECT_EQ(PageForm::log().size(), 1u);
    ASSERT_EQ(rt::Forms().size(), 1u);

    f.cancelUnload = true;
    f.Unload();
    EXPECT_TRUE(f.Loaded());
    f.cancelUnload = false;
    f.unloadAgain = true;
    HWND hwnd = f.hWnd();
    f.Unload();
    EXPECT_EQ(PageForm::log(), (std::vector<std::string>{"load", "unload", "unload"}));
    EXPECT_TRUE(rt::Forms().empty());
    EXPECT_FALSE(IsWindow(hwnd));  // unloaded outside any handler: gone at once
}

TEST_F(PageFormTest, OuterSizeAndScaleAreInTwipsOfWholePixels) {
    PageForm& f = rt::Load<PageForm>();
    f.Move(1500, 750, 4500, 3000);
    RECT r;
    GetWindowRect(f.hWnd(), &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);
    EXPECT_EQ(f.Width(), 4500);
    RECT c;
    GetClientRect(f.hWnd(), &c);
    EXPECT_EQ(f.ScaleWidth(), c.right * 15.0);
    // 22.5 twips is 1.5 pixels, a half: to the even neighbour, 2 pixels; 37.5 is 2.5: 2 as well.
    f.Label1[0].Move(22.5, 37.5, 300, 300);
    EXPECT_EQ(f.Label1[0].PixelRect().left, 2);
    EXPECT_EQ(f.Label1[0].PixelRect().top, 2);
    EXPECT_EQ(f.Label1[0].Left(), 30);
}

TEST_F(PageFormTest, BorderStyleAndWindowStateReachTheWindow) {
    PageForm& f = rt::Load<PageForm>();
    LONG_PTR style = GetWindowLongPtrA(f.hWnd(), GWL_STYLE);
    EXPECT_TRUE(GetWindowLongPtrA(f.hWnd(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(style & WS_THICKFRAME);
    f.BorderStyle(rt::vbBSNone);
    style = GetWindowLongPtrA(f.hWnd(), GWL_STYLE);
    EXPECT_FALSE(style & WS_CAPTION);
    f.BorderStyle(rt::vbSizable);
    EXPECT_TRUE(GetWindowLongPtrA(f.hWnd(), GWL_STYLE) & WS_THICKFRAME);
    EXPECT_THROW(f.BorderStyle(6), rt::RuntimeError);
    f.Show();
    f.WindowState(rt::vbMaximized);
    EXPECT_TRUE(IsZoomed(f.hWnd()));
    EXPECT_EQ(f.WindowState(), rt::vbMaximized);
    f.WindowState(rt::vbNormal);
    EXPECT_FALSE(IsZoomed(f.hWnd()));
    f.ShowInTaskbar(false);
    EXPECT_FALSE(GetWindowLongPtrA(f.hWnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(PageFormTest, LabelMembersLoadHiddenFromATransparentTemplateOverTheBackground) {
    PageForm& f = rt::Load<PageForm>();
    f.SetPicture(testutil::SolidPicture(400, 300, kGreen));
    for (int i = 1; i <= 5; ++i) {
        rt::Label& l = f.Label1.Load(i);
        EXPECT_FALSE(l.Visible()) << i;
        EXPECT_EQ(l.Caption(), "WW");
        EXPECT_EQ(l.Tag(), "template");
        EXPECT_EQ(l.BackStyle(), rt::vbTransparent);
        l.Move(150.0 * 4 * i, 300, 900, 450);  // 40*i, 20 px; 60 x 30 px
    }
    testutil::Snapshot hidden(f.hWnd());
    auto dark = [](COLORREF c) { return GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64; };
    EXPECT_EQ(hidden.count(RECT{0, 0, 300, 60}, dark), 0);  // loaded members start hidden

    for (int i = 1; i <= 5; ++i) f.Label1[i].Visible(true);
    testutil::Snapshot shown(f.hWnd());
    for (int i = 1; i <= 5; ++i) {
        RECT r = f.Label1[i].PixelRect();
        EXPECT_EQ(r.left, 40 * i);
        EXPECT_GT(shown.count(r, dark), 0) << "text of member " << i;
        // Around the text the background picture shows through.
        EXPECT_EQ(shown.at(r.right - 2, r.bottom - 2), kGreen) << i;
    }
    EXPECT_EQ(shown.at(5, 5), kGreen);  // the hidden template draws nothing

    // A click on a member reaches the handler of the template with that member's index.
    RECT r3 = f.Label1[3].PixelRect();
    LPARAM at = MAKELPARAM(r3.left + 3, r3.top + 3);
    SendMessageA(f.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(f.hWnd(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(f.clicked, (std::vector<int>{3}));
}

TEST_F(PageFormTest, ArrayMembersAreAddressedByIndexWithTheRuntimesErrors) {
    PageForm& f = rt::Load<PageForm>();
    f.Label1.Load(2);
    auto number = [](auto&& fn) {
        try {
            fn();
        } catch (const rt::RuntimeError& e) {
            return e.Number();
        }
        return 0;
    };
    EXPECT_EQ(number([&] { f.Label1.Load(2); }), 360);
    EXPECT_EQ(number([&] { f.Label1.Load(0); }), 360);
    EXPECT_EQ(number([&] { f.Label1[7].Caption("x"); }), 340);
    EXPECT_EQ(number([&] { f.Label1.Unload(7); }), 340);
    EXPECT_NE(number([&] { f.Label1.Unload(0); }), 0);  // the template stays
    f.Label1.Load(9);
    std::vector<int> seen;
    for (rt::Label& l : f.Label1) seen.push_back(l.Index());
    EXPECT_EQ(seen, (std::vector<int>{0, 2, 9}));
    f.Label1.UnloadAll();
    EXPECT_EQ(f.Label1.Count(), 1);
    EXPECT_NO_THROW(f.Label1.Load(2));  // a removed index can be loaded again
}

TEST_F(PageFormTest, ZOrderRestacksWindowedAndWindowlessMembers) {
    PageForm& f = rt::Load<PageForm>();
    rt::PictureBox a{f, "a"}, b{f, "b"};
    a.Move(0, 0, 1500, 1500);
    b.Move(0, 0, 1500, 1500);
    // The newer sibling lies in front; ZOrder 0 brings a forward, 1 sends it back.
    EXPECT_EQ(GetWindow(f.hWnd(), GW_CHILD), b.hWnd());
    a.ZOrder(0);
    EXPECT_EQ(GetWindow(f.hWnd(), GW_CHILD), a.hWnd());
    a.ZOrder(1);
    EXPECT_EQ(GetWindow(a.hWnd(), GW_HWNDLAST), a.hWnd());

    rt::Label& red = f.Label1.Load(1);
    rt::Label& blue = f.Label1.Load(2);
    for (rt::Label* l : {&red, &blue}) {
        l->BackStyle(rt::vbOpaque);
        l->Caption("");
        l->Move(3000, 1500, 1500, 1500);
        l->Visible(true);
    }
    red.BackColor(0x0000FF);
    blue.BackColor(0xFF0000);
    int x = 200 + 10, y = 100 + 10;
    EXPECT_EQ(testutil::Snapshot(f.hWnd()).at(x, y), RGB(0, 0, 255));
    EXPECT_EQ(f.WindowlessAt(x, y), &blue);
    red.ZOrder(0);
    EXPECT_EQ(testutil::Snapshot(f.hWnd()).at(x, y), RGB(255, 0, 0));
    EXPECT_EQ(f.WindowlessAt(x, y), &red);
    red.ZOrder(1);
    EXPECT_EQ(f.WindowlessAt(x, y), &blue);
    EXPECT_EQ(f.WindowlessOrder().front(), &red);
}

TEST_F(PageFormTest, WindowlessControlsStayBelowWindowedOnes) {
    PageForm& f = rt::Load<PageForm>();
    rt::PictureBox box{f, "box"};
    box.BorderStyle(0);
    box.Surface().BackColor(0x00FFFF);
    box.Move(0, 0, 1500, 1500);
    rt::Label& l = f.Label1[0];
    l.BackStyle(rt::vbOpaque);
    l.BackColor(0xFF0000);
    l.Caption("");
    l.Move(0, 0, 3000, 3000);
    l.Visible(true);
    l.ZOrder(0);
    f.Show();
    f.Refresh();
    box.Refresh();
    rt::DoEvents();
    POINT inBox{50, 50}, outside{150, 150};
    ClientToScreen(f.hWnd(), &inBox);
    ClientToScreen(f.hWnd(), &outside);
    HDC screen = GetDC(nullptr);
    COLORREF boxPixel = GetPixel(screen, inBox.x, inBox.y),
             labelPixel = GetPixel(screen, outside.x, outside.y);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(boxPixel & 0xFFFFFF, RGB(255, 255, 0));
    EXPECT_EQ(labelPixel & 0xFFFFFF, RGB(0, 0, 255));
    EXPECT_EQ(WindowFromPoint(inBox), box.hWnd());
}

TEST_F(PageFormTest, TextChangeAndHiddenFieldHandlersRunInsideTheSetter) {
    PageForm& f = rt::Load<PageForm>();
    std::vector<std::string> seq;
    f.txt[0].Change = [&](int Index) { seq.push_back("change " + f.txt[Index].Text()); };
    f.txt[0].Text("abc");
    seq.push_back("after");
    f.txt[0].Text("abc");  // the same text is no change
    EXPECT_EQ(seq, (std::vector<std::string>{"change abc", "after"}));
    EXPECT_EQ(rt::WindowText(f.txt[0].hWnd()), "abc");

    seq.clear();
    rt::HiddenText page{f, "1", [&] { seq.push_back("page_Change"); }};
    page.Text("2");
    seq.push_back("after");
    page.Text("2");
    EXPECT_EQ(seq, (std::vector<std::string>{"page_Change", "after"}));
    EXPECT_EQ(page.Text(), "2");
}

TEST_F(PageFormTest, SelectingTheHiddenOptionClearsItsGroup) {
    PageForm& f = rt::Load<PageForm>();
    f.Option1.Visible(false);
    rt::OptionButton& member = f.o.Load(1);
    member.Visible(true);
    member.Value(true);
    EXPECT_EQ(SendMessageA(member.hWnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
    f.Option1.Value(true);
    EXPECT_FALSE(member.Value());
    EXPECT_EQ(SendMessageA(member.hWnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(f.Option1.hWnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
    // A click of the member selects it and clears the hidden one.
    SendMessageA(f.hWnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(member.hWnd()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(member.hWnd()));
    EXPECT_TRUE(member.Value());
    EXPECT_FALSE(f.Option1.Value());
}

TEST_F(PageFormTest, MultiLinePasswordBoxMasksWhatIsSetAndTyped) {
    PageForm& f = rt::Load<PageForm>();
    rt::TextBox& t = f.txt[0];
    t.MultiLine(true);
    t.ScrollBars(2);
    t.PasswordChar("*");
    EXPECT_TRUE(GetWindowLongPtrA(t.hWnd(), GWL_STYLE) & ES_MULTILINE);
    t.Text("ab\r\ncd");
    EXPECT_EQ(rt::WindowText(t.hWnd()), "******");
    EXPECT_EQ(t.Text(), "ab\r\ncd");

    // Typing at the end, then into a selection, then a backspace.
    SendMessageA(t.hWnd(), EM_SETSEL, 6, 6);
    SendMessageA(t.hWnd(), WM_CHAR, 'x', 0);
    EXPECT_EQ(t.Text(), "ab\r\ncdx");
    SendMessageA(t.hWnd(), EM_SETSEL, 0, 2);
    SendMessageA(t.hWnd(), WM_CHAR, 'Q', 0);
    EXPECT_EQ(t.Text(), "Q\r\ncdx");
    SendMessageA(t.hWnd(), WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(t.Text(), "\r\ncdx");
    std::string shown = rt::WindowText(t.hWnd());
    EXPECT_EQ(shown, std::string(t.Text().size(), '*'));
    EXPECT_EQ(SendMessageA(t.hWnd(), WM_COPY, 0, 0), 0);

    t.PasswordChar("");
    EXPECT_EQ(rt::WindowText(t.hWnd()), "\r\ncdx");
}

TEST_F(PageFormTest, ControlUnloadedInItsOwnClickHandlerIsDestroyedAfterIt) {
    PageForm& f = rt::Load<PageForm>();
    rt::ControlArray<rt::CommandButton> cmd{f, "cmd"};
    rt::CommandButton& b = cmd.Load(1);
    HWND hwnd = b.hWnd();
    bool aliveInside = false;
    std::string captionInside;
    cmd[0].Click = [&](int Index) {};
    b.Click = [&](int Index) {
        cmd.Unload(Index);
        aliveInside = IsWindow(hwnd) != FALSE;
        captionInside = b.Caption();  // the object is still usable here
    };
    b.Caption("go");
    SendMessageA(hwnd, BM_CLICK, 0, 0);
    EXPECT_TRUE(aliveInside);
    EXPECT_EQ(captionInside, "go");
    EXPECT_FALSE(cmd.Exists(1));
    rt::DoEvents();
    EXPECT_FALSE(IsWindow(hwnd));

    // A windowless member clicked through its container.
    rt::Label& l = f.Label1.Load(4);
    l.Move(0, 0, 1500, 1500);
    l.Visible(true);
    size_t before = f.Controls().size();
    l.Click = [&](int Index) { f.Label1.Unload(Index); };
    SendMessageA(f.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(f.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(f.Label1.Exists(4));
    rt::DoEvents();
    EXPECT_EQ(f.Controls().size(), before - 1);
}

TEST_F(PageFormTest, AutoRedrawImageKeepsDrawingForPointAndPainting) {
    PageForm& f = rt::Load<PageForm>();
    f.BackColor(0xFFFFFF);
    f.AutoRedraw(true);
    f.Surface().PSet(150, 150, 0x0000FF);
    f.Surface().Line(0, 450, 1500, 450, 0xFF0000);
    EXPECT_EQ(f.Point(150, 150), 0x0000FFu);
    EXPECT_EQ(GetPixel(f.hDC(), 10, 10), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(f.hDC(), 50, 30), RGB(0, 0, 255));
    testutil::Snapshot s(f.hWnd());
    EXPECT_EQ(s.at(10, 10), RGB(255, 0, 0));
    f.Cls();
    EXPECT_EQ(f.Point(150, 150), 0xFFFFFFu);
}

TEST_F(PageFormTest, AutoRedrawOffKeepsTheImageAsTheBackgroundThatClsReturnsTo) {
    PageForm& f = rt::Load<PageForm>();
    f.BackColor(0xFFFFFF);
    f.AutoRedraw(true);
    f.Surface().Line(0, 150, 1500, 150, 0x0000FF);  // red, row 10
    f.AutoRedraw(false);
    EXPECT_EQ(testutil::Snapshot(f.hWnd()).at(20, 10), RGB(255, 0, 0)) << "painted from the kept image";
    f.Surface().Line(0, 300, 1500, 300, 0xFF0000);  // blue, on the window only
    f.Cls();
    testutil::Snapshot s(f.hWnd());
    EXPECT_EQ(s.at(20, 10), RGB(255, 0, 0)) << "Cls goes back to the persistent drawing";
    EXPECT_EQ(s.at(20, 20), RGB(255, 255, 255));
    // Drawing again with AutoRedraw goes on in the same image.
    f.AutoRedraw(true);
    EXPECT_EQ(f.Point(300, 150), 0x0000FFu);
    f.AutoRedraw(false);
    // A new background colour erases the persistent drawing as well.
    f.BackColor(0x00FF00);
    EXPECT_EQ(testutil::Snapshot(f.hWnd()).at(20, 10), RGB(0, 255, 0));
}

TEST_F(PageFormTest, HiddenFormSetMaximisedHasTheMaximisedSizeAndShowsMaximised) {
    PageForm& f = rt::Load<PageForm>();
    f.BorderStyle(rt::vbBSNone);
    f.Move(1500, 1500, 6000, 4500);
    ASSERT_FALSE(f.Visible());
    f.WindowState(rt::vbMaximized);
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(f.WindowState(), rt::vbMaximized);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    // A window without a caption covers the screen.
    EXPECT_EQ(f.Width(), cx * 15.0);
    EXPECT_EQ(f.Height(), cy * 15.0);
    f.Show();
    rt::DoEvents();
    EXPECT_TRUE(IsZoomed(f.hWnd()));
    RECT r;
    GetWindowRect(f.hWnd(), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, cx);
    EXPECT_EQ(r.bottom, cy);
    // Restoring goes back to the place it had before.
    f.WindowState(rt::vbNormal);
    GetWindowRect(f.hWnd(), &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 300);
}

class OtherForm : public rt::Form {
public:
    OtherForm() : Form("OtherForm") { Move(0, 0, 3000, 3000); }
};

// Whether a lies above b among the top-level windows.
bool Above(HWND a, HWND b) {
    for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == b) return true;
    return false;
}

TEST_F(PageFormTest, FormZOrderSendsBehindAndBringsToTheFront) {
    PageForm& f = rt::Load<PageForm>();
    OtherForm& other = rt::Load<OtherForm>();
    f.Show();
    other.Show();
    rt::DoEvents();
    f.ZOrder(0);
    EXPECT_TRUE(Above(f.hWnd(), other.hWnd()));
    f.ZOrder(1);
    EXPECT_TRUE(Above(other.hWnd(), f.hWnd()));
    EXPECT_EQ(GetWindow(f.hWnd(), GW_HWNDNEXT), nullptr) << "behind every other window";
    f.ZOrder();
    EXPECT_TRUE(Above(f.hWnd(), other.hWnd()));
    EXPECT_THROW(f.ZOrder(2), rt::RuntimeError);
}

// Off the taskbar: owned by a hidden window of the program (captioned or not), never with the
// app-window style; back on it, unowned again. Sent to the back, it still goes behind the others.
TEST_F(PageFormTest, FormOffTheTaskbarIsOwnedByAHiddenWindowAndStillGoesToTheBack) {
    PageForm& f = rt::Load<PageForm>();
    OtherForm& other = rt::Load<OtherForm>();
    f.Show();
    other.Show();
    EXPECT_EQ(GetWindow(f.hWnd(), GW_OWNER), nullptr);
    for (int16_t border : {rt::vbFixedDialog, rt::vbBSNone}) {
        f.BorderStyle(border);
        f.ShowInTaskbar(false);
        const HWND owner = GetWindow(f.hWnd(), GW_OWNER);
        ASSERT_NE(owner, nullptr) << border;
        EXPECT_FALSE(IsWindowVisible(owner));
        EXPECT_NE(owner, other.hWnd());
        EXPECT_FALSE(GetWindowLongPtrA(f.hWnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
        EXPECT_TRUE(f.Visible());
    }
    f.ZOrder(1);
    EXPECT_TRUE(Above(other.hWnd(), f.hWnd()));
    f.ZOrder(0);
    EXPECT_TRUE(Above(f.hWnd(), other.hWnd()));
    f.ShowInTaskbar(true);
    EXPECT_EQ(GetWindow(f.hWnd(), GW_OWNER), nullptr);
    EXPECT_TRUE(GetWindowLongPtrA(f.hWnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

}  // namespace
