// The title bar on its window, the style file read from a packed store, the follow timer, the
// caption buttons, the desktop backdrop, and GDI objects over many repaints.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "controls/common/main_window_link.h"
#include "runtime/controls.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/list_sink.h"
#include "runtime/ui.h"
#include "shell/store/ProjectArchive.h"
#include "shell/store/dFileArc.h"
#include "support/handle_counter.h"
#include "support/store_fixture.h"
#include "support/window_helpers.h"
#include "windows/Form15_backdrop.h"
#include "windows/Form17_title_bar.h"

using windows::Form15;
using windows::Form17;
using controls::TitelBar;

namespace {

// The main window as far as the chrome sees it: a caption, a border line, and the resize
// handling that shows the title-bar window again.
class TestMain : public rt::Form {
public:
    TestMain() : Form("TestMain") {
        BorderStyle(rt::vbBSNone);
        Caption("Main caption");
        Move(1500, 3000, 6000, 4500);
    }
    rt::Shape Shape1{*this, "Shape1"};
    bool barShownOnResize = false;
    void Form_Resize() override {
        if (barShownOnResize) rt::Load<Form17>().Show();
    }
};

void Pump(int ms) {
    DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    while (static_cast<int>(end - GetTickCount()) > 0) {
        rt::DoEvents();
        Sleep(5);
    }
}

LPARAM At(double x, double y) {
    return MAKELPARAM(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
}

class Chrome : public ::testing::Test {
protected:
    void SetUp() override {
        main = &rt::Load<TestMain>();
        main->Show();
        auto& link = controls::MainWindow();
        link.window = main;
        link.setBorderColor = [this](int32_t c) {
            main->Shape1.BorderColor(static_cast<uint32_t>(c));
            borders.push_back(c);
        };
        link.pat = [this] { return temp.Work(); };
    }
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
        controls::MainWindow() = {};
    }

    // Packs a store holding the style file and points the extraction at it.
    void StoreWithStyle(const std::string& text) {
        const std::string app = temp.Work() + "app";
        std::filesystem::create_directories(app);
        const std::string src = temp.Work() + "TbRsG.tib";
        storetest::WriteFile(src, text);
        dFileArc arc;
        arc.Filename(app + storetest::Sep() + "quorlin.dat");
        arc.CreateAchive();
        arc.AddFile(src);
        arc.UpDateHeader();
        arc.CloseAchive();
        archive.LoadArchiveIndex(app);
        controls::MainWindow().pckex = [this](const std::string& name) {
            std::string path = archive.pckex(name);
            copies.push_back(path);
            return path;
        };
    }

    storetest::PrivateTemp temp;
    rt::VectorList pacfile, pagelast, pcfile2;
    ProjectArchive archive{pacfile, pagelast, pcfile2};
    TestMain* main = nullptr;
    std::vector<int32_t> borders;
    std::vector<std::string> copies;
};

// ---- The style file

// A record as a line of 21 fields.
std::string Record(const std::vector<std::string>& f) {
    std::string line;
    for (size_t i = 0; i < f.size(); ++i) line += (i ? "," : "") + f[i];
    return line + "\r\n";
}
std::vector<std::string> Fields() {
    return {"255", "65280", "16711680", "128", "8421504", "4210752", "1193046", "65535", "3355443", "255",
            "5",   "1",     "False",    "true", "4.5",    "0",       "1",       "FALSE", "-1",     "0",   "12345"};
}

TEST_F(Chrome, StyleRecordGoesThroughEachSetter) {
    StoreWithStyle(Record(Fields()));
    Form17& bar = rt::Load<Form17>();
    bar.tib();
    TitelBar& t = bar.TitelBar1;
    EXPECT_EQ(t.BackColorV1Begin(), 255u);
    EXPECT_EQ(t.BackColorV1End(), 65280u);
    EXPECT_EQ(t.BackColorV2Begin(), 16711680u);
    EXPECT_EQ(t.BackColorV2End(), 128u);
    EXPECT_EQ(t.BorderColorHighLight(), 8421504u);
    EXPECT_EQ(t.BorderColorDarkLight(), 4210752u);
    EXPECT_EQ(t.BackColor(), 1193046u);
    EXPECT_EQ(t.CaptionColor(), 65535u);
    EXPECT_EQ(t.ForeColor(), 65535u) << "the caption colour is the surface's text colour";
    EXPECT_EQ(t.CaptionShadowColor(), 3355443u);
    EXPECT_EQ(t.CaptionBorderColor(), 255u);
    EXPECT_EQ(t.Style(), 5);
    EXPECT_EQ(t.IconStyle(), 1);
    EXPECT_FALSE(t.ShowClose());
    EXPECT_TRUE(t.ShowMinimized());
    EXPECT_FLOAT_EQ(t.BackColorCover(), 4.5f);
    EXPECT_FALSE(t.Caption3DBottom());
    EXPECT_TRUE(t.Caption3DLeft());
    EXPECT_FALSE(t.Caption3DRight());
    EXPECT_TRUE(t.Caption3DTop());
    EXPECT_FALSE(t.CaptionBorder());
    EXPECT_EQ(borders, (std::vector<int32_t>{12345}));
    EXPECT_EQ(main->Shape1.BorderColor(), 12345u);
    // Not in the file: as designed.
    EXPECT_FALSE(t.ShowMaximized());
    EXPECT_EQ(t.BorderNormal(), 2);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(copies[0])) << "the copy is deleted";
}

TEST_F(Chrome, StyleFieldsAreClampedByTheirSettersAndBadFieldsLeaveTheirProperty) {
    struct Case {
        size_t field;
        std::string text;
        int16_t style;
        uint8_t iconStyle;
        float cover;
    };
    // Designed: Style 14, IconStyle 1, BackColorCover 3.
    const Case cases[] = {
        {11, "abc", 14, 1, 4.5f},      // not a number: Style stays
        {11, "40000", 14, 1, 4.5f},    // beyond 16 bits: overflow, Style stays
        {11, "2.5", 2, 1, 4.5f},       // half to even
        {12, "3", 5, 2, 4.5f},         // 2 or more becomes 2
        {12, "256", 5, 1, 4.5f},       // not a byte: stays
        {15, "0", 5, 1, 1.0f},         // 0 or less becomes 1
        {15, "-2", 5, 1, 1.0f},
        {15, "15", 5, 1, 10.0f},       // 10 or more becomes 10
        {15, "x", 5, 1, 3.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> f = Fields();
        f[c.field - 1] = c.text;
        StoreWithStyle(Record(f));
        Form17& bar = rt::Load<Form17>();
        bar.tib();
        EXPECT_EQ(bar.TitelBar1.Style(), c.style);
        EXPECT_EQ(bar.TitelBar1.IconStyle(), c.iconStyle);
        EXPECT_FLOAT_EQ(bar.TitelBar1.BackColorCover(), c.cover);
        EXPECT_EQ(bar.TitelBar1.BackColorV1Begin(), 255u) << "the other fields still apply";
        bar.Unload();
        rt::DoEvents();
    }
}

TEST_F(Chrome, SecondRecordWinsAndAShortRecordAppliesWhatItHas) {
    std::vector<std::string> second = Fields();
    second[0] = "77";
    second[10] = "9";
    second[20] = "999";
    StoreWithStyle(Record(Fields()) + Record(second) + "1,2,3\r\n");
    Form17& bar = rt::Load<Form17>();
    bar.tib();
    EXPECT_EQ(bar.TitelBar1.BackColorV1Begin(), 1u) << "the short last record sets its three fields";
    EXPECT_EQ(bar.TitelBar1.BackColorV1End(), 2u);
    EXPECT_EQ(bar.TitelBar1.BackColorV2Begin(), 3u);
    EXPECT_EQ(bar.TitelBar1.Style(), 9);
    EXPECT_EQ(borders, (std::vector<int32_t>{12345, 999}));
    EXPECT_EQ(main->Shape1.BorderColor(), 999u);
}

TEST_F(Chrome, AStyleFileThatCannotBeOpenedChangesNothing) {
    for (std::string answer : {std::string("error"), temp.Work() + "gone.tib"}) {
        controls::MainWindow().pckex = [answer](const std::string&) { return answer; };
        Form17& bar = rt::Load<Form17>();
        bar.tib();
        EXPECT_EQ(bar.TitelBar1.Style(), 14);
        EXPECT_EQ(bar.TitelBar1.BackColorV1End(), 0x404040u);
        EXPECT_TRUE(borders.empty());
    }
    // A copy that exists but the reading gives up on is still deleted.
    StoreWithStyle("");
    rt::Load<Form17>().tib();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(copies[0]));
    EXPECT_TRUE(storetest::FolderNames(temp.Copies()).empty());
}

// ---- The window and the bar

TEST_F(Chrome, LoadTakesTheMainWindowsCaptionAndTheBarCoversTheWindow) {
    Form17& bar = rt::Load<Form17>();
    EXPECT_FALSE(bar.Visible());
    EXPECT_EQ(bar.TitelBar1.Caption(), "Main caption");
    EXPECT_EQ(bar.ScaleWidth(), 7005);
    EXPECT_EQ(bar.ScaleHeight(), 495);
    EXPECT_EQ(bar.TitelBar1.ScaleWidth(), 467);
    EXPECT_EQ(bar.TitelBar1.ScaleHeight(), 33);
    bar.Width(9000);
    rt::DoEvents();
    EXPECT_EQ(bar.TitelBar1.ScaleWidth(), 600);
}

TEST_F(Chrome, DraggingTheBarWindowMovesTheMainWindowWithinOneTick) {
    Form17& bar = rt::Load<Form17>();
    bar.Move(3000, 1500);
    bar.Width(7500);
    bar.Show();
    HWND surface = bar.TitelBar1.hWnd();
    SendMessageA(surface, WM_LBUTTONDOWN, MK_LBUTTON, At(20, 10));
    EXPECT_TRUE(bar.Timer1.Enabled());
    // The platform's move loop moves the bar's window; the follow timer catches up.
    bar.Move(4500, 2250);
    Pump(200);
    EXPECT_EQ(main->Top(), bar.Top() + bar.Height());
    EXPECT_EQ(main->Left(), 4500);
    EXPECT_EQ(main->Width(), 7500);
    SendMessageA(surface, WM_LBUTTONUP, 0, At(20, 10));
    EXPECT_FALSE(bar.Timer1.Enabled());
    bar.Move(6000, 600);
    Pump(150);
    EXPECT_EQ(main->Left(), 4500) << "the main window follows only while the bar is pressed";
}

TEST_F(Chrome, MinimiseHidesTheBarAndRestoreShowsIt) {
    main->barShownOnResize = true;
    Form17& bar = rt::Load<Form17>();
    bar.Show();
    const auto& b = bar.TitelBar1.Button(TitelBar::Minimise);
    HWND surface = bar.TitelBar1.hWnd();
    LPARAM centre = At(b.Left + b.Width / 2.0, b.Top + b.Height / 2.0);
    SendMessageA(surface, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageA(surface, WM_LBUTTONUP, 0, centre);
    EXPECT_EQ(main->WindowState(), rt::vbMinimized);
    EXPECT_FALSE(bar.Visible());
    main->WindowState(rt::vbNormal);
    rt::DoEvents();
    EXPECT_TRUE(bar.Visible());
}

TEST_F(Chrome, MaximiseTogglesTheBarWindowEvenWhenDrawnDisabled) {
    Form17& bar = rt::Load<Form17>();
    bar.TitelBar1.ShowMaximized(true);
    bar.TitelBar1.ShowMaximizedEnabled(false);
    bar.Show();
    const auto& b = bar.TitelBar1.Button(TitelBar::Maximise);
    EXPECT_EQ(b.PictureIndex, 13) << "IconStyle 1, disabled";
    HWND surface = bar.TitelBar1.hWnd();
    auto centre = [&] { return At(b.Left + b.Width / 2.0, b.Top + b.Height / 2.0); };
    SendMessageA(surface, WM_MOUSEMOVE, 0, centre());
    EXPECT_EQ(b.PictureIndex, 13) << "no hover picture on a disabled button";
    // The button acts on the press.
    SendMessageA(surface, WM_LBUTTONDOWN, MK_LBUTTON, centre());
    EXPECT_EQ(bar.WindowState(), rt::vbMaximized);
    SendMessageA(surface, WM_LBUTTONUP, 0, centre());
    SendMessageA(surface, WM_LBUTTONDOWN, MK_LBUTTON, centre());
    EXPECT_EQ(bar.WindowState(), rt::vbNormal);
    SendMessageA(surface, WM_LBUTTONUP, 0, centre());
}

TEST_F(Chrome, HoverShowsAndTheBarTakesAwayTheHoverPicture) {
    Form17& bar = rt::Load<Form17>();
    bar.Show();
    const auto& b = bar.TitelBar1.Button(TitelBar::Close);
    HWND surface = bar.TitelBar1.hWnd();
    SendMessageA(surface, WM_MOUSEMOVE, 0, At(b.Left + 3, b.Top + 3));
    EXPECT_EQ(b.PictureIndex, 11);
    SendMessageA(surface, WM_MOUSEMOVE, 0, At(20, 10));
    EXPECT_EQ(b.PictureIndex, 12);
}

TEST_F(Chrome, TheBarLetsGoOfThePointerOnceItLeaves) {
    Form17& bar = rt::Load<Form17>();
    bar.Move(3000, 1500);
    bar.Show();
    rt::DoEvents();
    TitelBar& t = bar.TitelBar1;
    RECT r;
    GetWindowRect(t.hWnd(), &r);
    SetCursorPos(r.left + 20, r.top + 10);
    SendMessageA(t.hWnd(), WM_MOUSEMOVE, 0, At(20, 10));
    EXPECT_TRUE(t.Tracking());
    EXPECT_EQ(GetCapture(), t.hWnd()) << "the bar holds the pointer while it is over it";
    Pump(120);
    EXPECT_TRUE(t.Tracking()) << "still inside";
    SetCursorPos(r.left + 20, r.bottom + 60);
    Pump(200);
    EXPECT_FALSE(t.Tracking());
    EXPECT_NE(GetCapture(), t.hWnd());
}

TEST_F(Chrome, HiddenMaximiseButtonStillStopsADrag) {
    Form17& bar = rt::Load<Form17>();
    bar.Show();
    int moves = 0;
    bar.TitelBar1.MouseMove = [&](int, int16_t&, int16_t&, float&, float&) { ++moves; };
    const auto& b = bar.TitelBar1.Button(TitelBar::Maximise);
    ASSERT_FALSE(b.Visible);
    RECT before;
    GetWindowRect(bar.hWnd(), &before);
    // Left button held over the hidden button's place: no drag, no event.
    SendMessageA(bar.TitelBar1.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, At(b.Left + 2, b.Top + 2));
    EXPECT_EQ(moves, 0);
    RECT after;
    GetWindowRect(bar.hWnd(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    SendMessageA(bar.TitelBar1.hWnd(), WM_MOUSEMOVE, 0, At(30, 10));
    EXPECT_EQ(moves, 1);
}

// ---- Button layout

TEST_F(Chrome, ButtonsAreLaidOutFromTheRightEdge) {
    struct Case {
        int16_t style;
        uint8_t iconStyle;
        bool close, max, min;
        double closeLeft, maxLeft, minLeft;  // -1: not laid out
        double top;                           // of every laid-out button
    };
    // Bar 400 x 33. Sizes: style 0 16 x 16, 1 26 x 18, 2 20 x 14.
    const Case cases[] = {
        {0, 0, true, true, true, 378, 356, 334, 8.5},       // 400-16-6; 378-16-6; 356-16-6
        {0, 1, true, true, true, 368, 336, 304, 7.5},
        {0, 5, true, false, true, 374, -1, 348, 9.5},       // IconStyle 5 becomes 2: 20 x 14
        {14, 1, true, true, true, 365, 333, 301, 9.5},      // m = 6, two pixels down
        {14, 1, false, true, true, -1, 365, 333, 9.5},
        {14, 1, false, false, true, -1, -1, 368, 9.5},      // ends 6 before the edge
        {13, 0, true, false, true, 365, -1, 343, 10.5},     // m = the close button's width (16)
    };
    TitelBar* t = nullptr;
    Form17& bar = rt::Load<Form17>();
    bar.Width(6000);
    rt::DoEvents();
    t = &bar.TitelBar1;
    ASSERT_EQ(t->ScaleWidth(), 400);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " icons " << int(c.iconStyle));
        t->ShowClose(c.close);
        t->ShowMaximized(c.max);
        t->ShowMinimized(c.min);
        t->IconStyle(c.iconStyle);
        t->Style(c.style);
        EXPECT_EQ(t->IconStyle(), std::min<int>(c.iconStyle, 2));
        const double lefts[3] = {c.minLeft, c.maxLeft, c.closeLeft};
        for (auto w : {TitelBar::Minimise, TitelBar::Maximise, TitelBar::Close}) {
            const auto& b = t->Button(w);
            EXPECT_EQ(b.Visible, lefts[w] >= 0);
            if (lefts[w] < 0) continue;
            EXPECT_DOUBLE_EQ(b.Left, lefts[w]) << "button " << w;
            EXPECT_DOUBLE_EQ(b.Top, c.top) << "button " << w;
            EXPECT_EQ(b.PictureIndex, std::min<int>(c.iconStyle, 2) * 10 + 2);
        }
    }
}

TEST_F(Chrome, BarPropertiesKeepTheirRanges) {
    Form17& bar = rt::Load<Form17>();
    TitelBar& t = bar.TitelBar1;
    t.Style(3);
    EXPECT_THROW(t.Style(32768), rt::RuntimeError);
    try {
        t.Style(-40000);
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), rt::errOverflow);
    }
    EXPECT_EQ(t.Style(), 3);
    t.ForeColor(0x123456);
    EXPECT_EQ(t.ForeColor(), t.CaptionColor()) << "a repaint resets the text colour";
}

// ---- The bar's settings in its property bag

class BarHost : public rt::Form {
public:
    BarHost() : Form("BarHost") {
        BorderStyle(rt::vbBSNone);
        Move(0, 0, 7500, 1500);
    }
};

TEST_F(Chrome, BarSettingsGoThroughThePropertyBagWithTheirOwnDefaults) {
    BarHost& host = rt::Load<BarHost>();
    using Bag = std::shared_ptr<const rt::PropertyBag>;

    // A new bar: its own initial values, along the top edge, 31 pixels high.
    auto fresh = std::make_unique<TitelBar>(host, "Fresh");
    EXPECT_EQ(fresh->BackColor(), 0x4F3026u);
    EXPECT_FLOAT_EQ(fresh->BackColorCover(), 3.0f);
    EXPECT_TRUE(fresh->ShowMaximizedEnabled());
    EXPECT_EQ(fresh->BorderNormal(), 2);
    EXPECT_EQ(fresh->Caption(), "TitelBar");
    EXPECT_EQ(fresh->GetFont().Name(), "Tahoma");
    EXPECT_EQ(fresh->Top(), 0);
    EXPECT_EQ(fresh->Height(), 31 * 15);
    EXPECT_EQ(fresh->Width(), host.ScaleWidth());

    fresh->ClearChangedProperties();
    fresh->Style(3);
    fresh->IconStyle(7);
    fresh->Caption("Menu");
    fresh->AutoRedraw(true);
    fresh->ShowMaximized(true);
    fresh->BackColorCover(12);
    EXPECT_EQ(fresh->ChangedProperties(), (std::vector<std::string>{"Style", "IconStyle", "Caption", "AutoRedraw",
                                                                     "ShowMaximized", "BackColorCover"}));

    const rt::PropertyBag bag = fresh->SaveProperties();
    EXPECT_FALSE(bag.Contains("CaptionColor")) << "a value equal to its default is not written";
    EXPECT_TRUE(bag.Contains("BorderNormal")) << "2 differs from the read default 0";
    EXPECT_EQ(bag.ReadProperty("BackColor", 0u), 0x4F3026u);
    EXPECT_TRUE(bag.ReadProperty("AutoRedraw", false)) << "the surface's flag does not wipe the stored one";

    // A bar read from that bag has the same settings and writes the same bag.
    auto copy = std::make_unique<TitelBar>(host, "Copy", std::make_shared<const rt::PropertyBag>(bag));
    EXPECT_EQ(copy->Style(), 3);
    EXPECT_EQ(copy->IconStyle(), 2);
    EXPECT_EQ(copy->Caption(), "Menu");
    EXPECT_TRUE(copy->AutoRedraw());
    EXPECT_TRUE(copy->ShowMaximized());
    EXPECT_FLOAT_EQ(copy->BackColorCover(), 10.0f);
    EXPECT_EQ(copy->BackColor(), 0x4F3026u);
    EXPECT_EQ(copy->GetFont().Name(), "Tahoma");
    EXPECT_FLOAT_EQ(copy->GetFont().Size(), fresh->GetFont().Size());
    EXPECT_EQ(copy->SaveProperties(), bag);

    // Missing keys take the read defaults; present ones go in without the setters' checks.
    auto bare = std::make_unique<TitelBar>(
        host, "Bare", Bag(std::make_shared<const rt::PropertyBag>(rt::PropertyBag{{"IconStyle", int32_t{5}}})));
    EXPECT_FLOAT_EQ(bare->BackColorCover(), 0.0f);
    EXPECT_EQ(bare->IconStyle(), 5);
    EXPECT_EQ(bare->BackColor(), 0xE6E6E6u);
    EXPECT_EQ(bare->BorderNormal(), 0);
    EXPECT_FALSE(bare->ShowMaximizedEnabled());
    EXPECT_EQ(bare->Style(), 8);
    EXPECT_EQ(bare->Caption(), "TitelBar");
    EXPECT_EQ(bare->GetFont().Name(), host.GetFont().Name()) << "the container's font";
    // BackColor is written against the system colour, not against its read default.
    EXPECT_TRUE(bare->SaveProperties().Contains("BackColor"));
}

// ---- Pixels of the persistent image, and leaks

COLORREF Grad(COLORREF b, COLORREF e, int n, int i) {
    auto ch = [&](int cb, int ce) {
        float step = static_cast<float>(static_cast<double>(cb - ce) / n);
        return static_cast<int>(std::nearbyint(cb - static_cast<double>(static_cast<float>(i)) * step));
    };
    return RGB(ch(GetRValue(b), GetRValue(e)), ch(GetGValue(b), GetGValue(e)), ch(GetBValue(b), GetBValue(e)));
}

TEST_F(Chrome, Style14IsDrawnIntoThePersistentImage) {
    Form17& bar = rt::Load<Form17>();
    TitelBar& t = bar.TitelBar1;
    t.Caption("");
    t.BackColorV1Begin(RGB(200, 0, 0));
    t.BackColorV1End(RGB(0, 0, 200));
    t.BackColorV2Begin(RGB(0, 100, 0));
    t.BackColorV2End(RGB(90, 90, 90));
    // 33 rows: L = 16 (16.5 to even); the frame takes row 0 and column 0.
    HDC image = t.ImageDC();
    for (int i = 1; i <= 15; ++i) EXPECT_EQ(GetPixel(image, 5, i), Grad(RGB(200, 0, 0), RGB(0, 0, 200), 16, i));
    EXPECT_EQ(GetPixel(image, 5, 16), RGB(0, 100, 0));
    for (int i = 17; i <= 31; ++i)
        EXPECT_EQ(GetPixel(image, 5, i), Grad(RGB(0, 100, 0), RGB(90, 90, 90), 16, i - 16));
    EXPECT_EQ(GetPixel(image, 5, 32), RGB(0, 0, 0)) << "dark bottom edge";
    EXPECT_EQ(GetPixel(image, 5, 0), RGB(255, 255, 255)) << "light top edge";
}

TEST_F(Chrome, NoGdiObjectsLeakOverManyRepaints) {
    Form17& bar = rt::Load<Form17>();
    bar.Show();
    TitelBar& t = bar.TitelBar1;
    t.DashBack(true);
    t.CaptionBorder(true);
    for (int i = 0; i < 3; ++i) t.Refresh();
    rt::DoEvents();
    testsupport::HandleCounter counter;
    for (int i = 0; i < 200; ++i) {
        t.Style(i % 15);
        if (i % 20 == 0) rt::DoEvents();
    }
    rt::DoEvents();
    EXPECT_GT(counter.Created(), 200u) << "the counter saw the painting";
    EXPECT_EQ(counter.GdiObjects(), 0u) << counter.Report();
    EXPECT_EQ(counter.DeviceContexts(), 0u) << counter.Report();
}

// ---- The backdrop

COLORREF ClientPixel(HWND wnd, int x, int y) {
    RECT r;
    GetClientRect(wnd, &r);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, r.right, r.bottom);
    HGDIOBJ old = SelectObject(dc, bmp);
    SendMessageA(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return c;
}

// Whether a is above b in the z-order of top-level windows.
bool Above(HWND a, HWND b) {
    for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == b) return true;
    return false;
}

TEST_F(Chrome, BackdropCoversTheScreenInTheDesktopColourWithTheCentredPicture) {
    Form15& back = rt::Load<Form15>();
    EXPECT_FALSE(back.Visible());
    // As the main window shows it.
    back.Visible(true);
    back.Tag("ok");
    back.WindowState(rt::vbMaximized);
    back.Label1.Caption(main->Caption());
    back.ZOrder(1);
    back.l.SetPicture(testutil::SolidPicture(40, 30, RGB(10, 200, 30)));
    back.l.Left(back.Width() / 2 - back.l.Width() / 2);
    back.l.Top(back.Height() / 2 - back.l.Height() / 2);
    rt::DoEvents();

    EXPECT_EQ(back.WindowState(), rt::vbMaximized);
    RECT r;
    GetClientRect(back.hWnd(), &r);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(ClientPixel(back.hWnd(), r.right - 3, r.bottom - 3), GetSysColor(COLOR_BACKGROUND));
    EXPECT_EQ(ClientPixel(back.hWnd(), r.right / 2, r.bottom / 2), RGB(10, 200, 30));
    EXPECT_EQ(ClientPixel(back.hWnd(), r.right / 2 + 25, r.bottom / 2), GetSysColor(COLOR_BACKGROUND));
    EXPECT_EQ(back.Label2.Caption(), "Main caption");
    back.Label1.Caption("");
    EXPECT_EQ(back.Label2.Caption(), "");
    EXPECT_TRUE(Above(main->hWnd(), back.hWnd()));
}

TEST_F(Chrome, MouseOnTheBackdropSendsItBackAndRestoresTheMainWindow) {
    Form15& back = rt::Load<Form15>();
    back.Show();
    struct Case {
        const char* what;
        int16_t mainState;
        UINT msg;
    };
    for (Case c : {Case{"move", rt::vbMaximized, WM_MOUSEMOVE}, Case{"click", rt::vbMinimized, WM_LBUTTONUP}}) {
        SCOPED_TRACE(c.what);
        main->WindowState(c.mainState);
        rt::DoEvents();
        // No message loop from here: the pointer resting over the backdrop would send it back.
        back.ZOrder(0);
        ASSERT_TRUE(Above(back.hWnd(), main->hWnd()));
        if (c.msg == WM_LBUTTONUP) SendMessageA(back.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(900, 700));
        SendMessageA(back.hWnd(), c.msg, 0, MAKELPARAM(900, 700));
        EXPECT_EQ(main->WindowState(), rt::vbNormal);
        EXPECT_TRUE(Above(main->hWnd(), back.hWnd()));
        rt::DoEvents();
    }
}

}  // namespace
