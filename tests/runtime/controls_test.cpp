#include "runtime/controls.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "runtime/control.h"
#include "runtime/control_array.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/font_batch.h"
#include "runtime/form.h"
#include "support/window_helpers.h"

namespace {

class Plain : public rt::Form {
public:
    Plain() : Form("Plain") {}
};

struct ControlsTest : ::testing::Test {
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
    }
};

TEST_F(ControlsTest, TimerTicksOnlyFromTheMessageLoop) {
    Plain& f = rt::Load<Plain>();
    int ticks = 0;
    rt::Timer t{f, "Timer3"};
    t.TimerEvent = [&](int) { ++ticks; };
    t.Interval(400);
    Sleep(600);  // due, but nothing runs without the loop
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(testutil::PumpUntil([&] { return ticks >= 1; }, 3000));
    t.Enabled(false);
    int after = ticks;
    testutil::PumpUntil([] { return false; }, 500);
    EXPECT_EQ(ticks, after);
    EXPECT_THROW(t.Interval(65536), rt::RuntimeError);
}

// Finds the message box of this thread with the title and presses OK.
struct BoxCloser {
    std::string title;
    bool seen = false;
    static BOOL CALLBACK Visit(HWND hwnd, LPARAM data) {
        auto* self = reinterpret_cast<BoxCloser*>(data);
        char cls[32] = {}, text[64] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        GetWindowTextA(hwnd, text, sizeof text);
        if (std::string(cls) == "#32770" && self->title == text) {
            self->seen = true;
            PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
        }
        return TRUE;
    }
    void close() { EnumThreadWindows(GetCurrentThreadId(), Visit, reinterpret_cast<LPARAM>(this)); }
};

TEST_F(ControlsTest, TimerHandlerIsNotReenteredThroughAMessageBoxOrDoEvents) {
    Plain& f = rt::Load<Plain>();
    int entries = 0, depth = 0, maxDepth = 0, answer = 0, closerTicks = 0;
    BoxCloser closer{"inside the timer"};
    rt::Timer closeTimer{f, "closer"}, fast{f, "fast"};
    closeTimer.TimerEvent = [&](int) {
        ++closerTicks;
        closer.close();
    };
    fast.TimerEvent = [&](int) {
        ++entries;
        maxDepth = std::max(maxDepth, ++depth);
        if (entries == 1) answer = rt::MsgBox("stop", rt::vbOKOnly, "inside the timer");
        if (entries == 2) testutil::PumpUntil([] { return false; }, 200);  // DoEvents inside
        --depth;
    };
    closeTimer.Interval(600);
    fast.Interval(20);
    EXPECT_TRUE(testutil::PumpUntil([&] { return entries >= 3; }, 8000));
    fast.Enabled(false);
    EXPECT_TRUE(closer.seen);
    EXPECT_GE(closerTicks, 1);  // the other timer ticked while the box was open
    EXPECT_EQ(answer, rt::vbOK);
    EXPECT_EQ(maxDepth, 1);
}

TEST_F(ControlsTest, FileListShowsMatchingFilesSortedWithoutFolders) {
    Plain& f = rt::Load<Plain>();
    std::string dir = rt::SystemTempPath() + "rt_filelist_test";
    CreateDirectoryA(dir.c_str(), nullptr);
    for (const char* n : {"b.TXT", "a.txt", "c.doc", "z.bin", "hidden.txt"})
        std::ofstream(dir + "\\" + n) << "x";
    SetFileAttributesA((dir + "\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryA((dir + "\\d.txt").c_str(), nullptr);

    rt::FileListBox l{f, "l"};
    l.Pattern("*.txt;*.doc");
    l.Path(dir);
    std::vector<std::string> items;
    for (int i = 0; i < l.ListCount(); ++i) items.push_back(l.List(i));
    EXPECT_EQ(items, (std::vector<std::string>{"a.txt", "b.TXT", "c.doc"}));
    try {
        l.Path(dir + "\\missing");
        ADD_FAILURE();
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 76);
    }
    EXPECT_EQ(l.Path(), dir);

    SetFileAttributesA((dir + "\\hidden.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const char* n : {"b.TXT", "a.txt", "c.doc", "z.bin", "hidden.txt"})
        DeleteFileA((dir + "\\" + n).c_str());
    RemoveDirectoryA((dir + "\\d.txt").c_str());
    RemoveDirectoryA(dir.c_str());
}

TEST_F(ControlsTest, ListsFillByPositionAlsoWhenHidden) {
    Plain& f = rt::Load<Plain>();
    rt::ListBox hidden{f, "lk"};
    hidden.Visible(false);
    rt::ListSink& sink = hidden;
    sink.AddItem("b");
    sink.AddItem("a");
    sink.AddItem("first", 0);
    EXPECT_EQ(sink.ListCount(), 3);
    EXPECT_EQ(sink.List(0), "first");
    EXPECT_EQ(sink.List(2), "a");
    EXPECT_EQ(sink.List(3), "");
    rt::ComboBox combo{f, "combo"};
    combo.Style(2);
    combo.AddItem("one");
    combo.AddItem("two");
    int clicks = 0;
    combo.Click = [&](int) { ++clicks; };
    combo.ListIndex(1);
    EXPECT_EQ(combo.Text(), "two");
    EXPECT_EQ(clicks, 1);
    EXPECT_THROW(combo.ListIndex(5), rt::RuntimeError);
}

// The list answers from its own copy of the items: after every kind of change the copy must be
// what the window holds, in the window's order.
TEST_F(ControlsTest, ListAnswersAreTheWindowsItemsThroughEveryChange) {
    Plain& f = rt::Load<Plain>();
    rt::ListBox list{f, "list"};
    auto windowItems = [&] {
        std::vector<std::string> items;
        const int n = static_cast<int>(SendMessageA(list.hWnd(), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char text[64] = {};
            SendMessageA(list.hWnd(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            items.emplace_back(text);
        }
        return items;
    };
    auto answers = [&] {
        std::vector<std::string> items;
        for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
        return items;
    };
    using Items = std::vector<std::string>;
    list.Sorted(true);
    for (const char* item : {"pear", "Apple", "fig"}) list.AddItem(item);
    EXPECT_EQ(answers(), (Items{"Apple", "fig", "pear"}));
    EXPECT_EQ(answers(), windowItems());
    list.AddItem(std::string("date\0hidden", 11));  // the window keeps the text up to the zero
    EXPECT_EQ(answers(), (Items{"Apple", "date", "fig", "pear"}));
    list.RemoveItem(1);
    list.Sorted(false);
    list.AddItem("kiwi", 1);
    list.AddItem("lime");
    EXPECT_EQ(answers(), (Items{"Apple", "kiwi", "fig", "pear", "lime"}));
    EXPECT_EQ(answers(), windowItems());
    EXPECT_EQ(list.List(5), "");
    EXPECT_EQ(list.List(-1), "");
    EXPECT_THROW(list.RemoveItem(5), rt::RuntimeError);
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(windowItems(), Items{});
}

TEST_F(ControlsTest, FontIsSharedByReferenceAndClonedForNewMembers) {
    Plain& f = rt::Load<Plain>();
    rt::ControlArray<rt::Label> lab{f, "lab"};
    rt::Label other{f, "other"};
    other.SetFont(lab[0].GetFont());
    lab[0].GetFont().Bold(true);
    EXPECT_TRUE(other.GetFont().Bold());  // one object, two owners
    rt::Label& member = lab.Load(1);
    EXPECT_TRUE(member.GetFont().Bold());
    member.GetFont().Italic(true);
    EXPECT_FALSE(lab[0].GetFont().Italic());  // the member's copy is its own
    LOGFONTA lf{};
    GetObjectA(lab[0].GetFont().Handle(), sizeof lf, &lf);
    EXPECT_EQ(lf.lfWeight, 700);
}

// A restyled text box gets a new window. While the form holds its windows (as a page build does),
// the new window waits with the others and ends as the steps one at a time leave it: at its place,
// shown, with the new style, its text and font, in the old window's place among its siblings. A
// member unloaded meanwhile leaves the screen at once.
TEST_F(ControlsTest, TextBoxRestyledWhileHeldEndsAsOneRestyledStepByStep) {
    struct Outcome {
        RECT rect{};
        bool shown = false;
        LONG_PTR style = 0;
        std::string text;
        bool ownFont = false;
        std::vector<int> stack;  // member indexes from the top
        bool operator==(const Outcome& o) const {
            return EqualRect(&rect, &o.rect) && shown == o.shown && style == o.style && text == o.text &&
                   ownFont == o.ownFont && stack == o.stack;
        }
    };
    auto restyle = [](bool held) {
        Plain& f = rt::Load<Plain>();
        f.Show();
        rt::ControlArray<rt::TextBox> box{f, "box"};
        box.Load(3).Visible(true);
        const HWND gone = box[3].hWnd();
        Outcome out;
        {
            rt::HandlerScope handler;  // the unloaded member lives on until the handler ends
            std::optional<rt::HeldPlacement> hold;
            if (held) hold.emplace(f);
            box.Unload(3);
            EXPECT_TRUE(IsWindow(gone));
            EXPECT_FALSE(IsWindowVisible(gone));
            rt::TextBox& m = box.Load(1);
            m.Text("abc");
            m.Move(150, 300, 1500, 315);
            m.Visible(true);
            box.Load(2).Visible(true);
            m.GetFont().Size(14);
            m.Alignment(2);
            m.ScrollBars(1);
        }
        const HWND w = box[1].hWnd();
        GetWindowRect(w, &out.rect);
        MapWindowPoints(HWND_DESKTOP, f.hWnd(), reinterpret_cast<POINT*>(&out.rect), 2);
        out.shown = IsWindowVisible(w) != FALSE;
        out.style = GetWindowLongPtrA(w, GWL_STYLE) & (ES_CENTER | ES_RIGHT | WS_HSCROLL | WS_VISIBLE);
        out.text = rt::WindowText(w);
        out.ownFont = reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0)) == box[1].GetFont().Handle();
        for (HWND c = GetWindow(f.hWnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            for (int i : box.Indexes())
                if (box[i].hWnd() == c) out.stack.push_back(i);
        rt::UnloadAll();
        rt::DoEvents();
        return out;
    };
    const Outcome stepwise = restyle(false), held = restyle(true);
    EXPECT_TRUE(held == stepwise);
    EXPECT_TRUE(held.shown);
    EXPECT_EQ(held.style, static_cast<LONG_PTR>(ES_CENTER | WS_HSCROLL | WS_VISIBLE));
    EXPECT_EQ(held.text, "abc");
    EXPECT_TRUE(held.ownFont);
    EXPECT_EQ(held.stack, (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(held.rect.right - held.rect.left, 100);
}

// Fonts of one description share one platform font. When the last of them goes, the font stays
// for the next font of that description until sixteen other fonts have been made since; a batch
// of settings reaches a text box once, with the final description.
TEST_F(ControlsTest, EqualFontsShareOneHandleAndABatchReachesTheBoxOnce) {
    Plain& f = rt::Load<Plain>();
    rt::Font a("Arial", 10), b("Arial", 10), c("Arial", 12);
    const HFONT shared = a.Handle();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(b.Handle(), shared);
    EXPECT_NE(c.Handle(), shared);
    b.Bold(true);
    EXPECT_NE(b.Handle(), shared);
    EXPECT_EQ(GetObjectType(shared), static_cast<DWORD>(OBJ_FONT)) << "a still uses it";
    a.Size(12);
    EXPECT_EQ(a.Handle(), c.Handle());
    {
        rt::Font again("Arial", 10);
        EXPECT_EQ(again.Handle(), shared) << "the last user changed: the font is kept a while";
    }
    for (int size = 20; size < 36; ++size) rt::Font("Arial", static_cast<float>(size)).Handle();
    EXPECT_EQ(GetObjectType(shared), 0u) << "sixteen fonts made since: the unused font is deleted";

    rt::TextBox box{f, "box"};
    int changes = 0;
    auto sub = box.GetFont().OnChange([&] { ++changes; });
    {
        rt::FontChangeBatch batch;
        box.GetFont().Name("Arial");
        box.GetFont().Size(14);
        box.GetFont().Italic(true);
        EXPECT_EQ(changes, 0);
    }
    EXPECT_EQ(changes, 1);
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(box.hWnd(), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_EQ(lf.lfHeight, -rt::RoundEven(14 * GetDeviceCaps(rt::ScreenDC().get(), LOGPIXELSY) / 72.0));
}

TEST(Picture, LoadsThroughThePlatformLoaderAndSharesOnCopy) {
    // A 2 x 1 24-bit bitmap file.
    const unsigned char bmp[] = {'B', 'M', 62, 0, 0, 0, 0,  0, 0, 0, 54, 0, 0,   0, 40, 0, 0,   0, 2, 0, 0, 0,
                                 1,   0,   0,  0, 1, 0, 24, 0, 0, 0, 0,  0, 8,   0, 0,  0, 0,   0, 0, 0, 0, 0,
                                 0,   0,   0,  0, 0, 0, 0,  0, 0, 0, 0,  0, 255, 0, 0,  0, 255, 0, 0, 0};
    std::string path = rt::SystemTempPath() + "rt_picture_test.bmp";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bmp), sizeof bmp);
    rt::Picture p = rt::LoadPicture(path);
    DeleteFileA(path.c_str());
    EXPECT_EQ(p.Type(), rt::vbPicTypeBitmap);
    EXPECT_NE(p.Handle(), 0u);
    EXPECT_EQ(p.PixelWidth(), 2);
    EXPECT_EQ(p.PixelHeight(), 1);
    rt::Picture copy = p;
    EXPECT_TRUE(copy.SameObject(p));
    rt::Picture none;
    EXPECT_EQ(none.Type(), 0);
    EXPECT_EQ(none.Handle(), 0u);
    auto number = [](const std::string& file) {
        try {
            rt::LoadPicture(file);
        } catch (const rt::RuntimeError& e) {
            return e.Number();
        }
        return 0;
    };
    EXPECT_EQ(number(rt::SystemTempPath() + "rt_no_such_picture.bmp"), 53);
    std::string junk = rt::SystemTempPath() + "rt_junk_picture.bmp";
    std::ofstream(junk) << "not a picture at all";
    EXPECT_EQ(number(junk), 481);
    DeleteFileA(junk.c_str());
}

TEST(ClipboardTest, TextAndFileListRoundTrip) {
    rt::Clipboard::Clear();
    rt::Clipboard::SetText("caf\xe9 text");
    EXPECT_EQ(rt::Clipboard::GetText(), "caf\xe9 text");
    rt::Clipboard::SetFileNames({"C:\\a.txt", "C:\\b c.txt"});
    EXPECT_TRUE(rt::Clipboard::GetFormat(CF_HDROP));
    EXPECT_EQ(rt::Clipboard::GetFileNames(), (std::vector<std::string>{"C:\\a.txt", "C:\\b c.txt"}));
    rt::Clipboard::SetData(testutil::SolidPicture(3, 2, RGB(1, 2, 3)));
    rt::Picture got = rt::Clipboard::GetData();
    EXPECT_EQ(got.Type(), rt::vbPicTypeBitmap);
    EXPECT_EQ(got.PixelWidth(), 3);
    rt::Clipboard::Clear();
    EXPECT_EQ(rt::Clipboard::GetText(), "");
}

}  // namespace
