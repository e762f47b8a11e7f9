// The link label on a form: its look with and without hover mode, the jump and what reaches the
// shell, the hover sound, its rejected values, its stored settings and handles.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "labels_fixture.h"
#include "runtime/effects.h"
#include "runtime/error.h"
#include "support/temp_dir.h"

using namespace labelstest;
using controls::EtsLinkLabel;

namespace {

// Writes down the owner window of each shell call as well.
class ShellRecorder : public rt::RecordingEffects {
public:
    HINSTANCE ShellExecuteA(HWND owner, const std::string& verb, const std::string& file,
                            const std::string& parameters, const std::string& folder, int show) override {
        owners.push_back(owner);
        return RecordingEffects::ShellExecuteA(owner, verb, file, parameters, folder, show);
    }
    std::vector<HWND> owners;
};

class LinkLabel : public Labels {
protected:
    void SetUp() override {
        Labels::SetUp();
        controls::MainWindow().pat = [this] { return app.Path(); };
    }
    EtsLinkLabel& Make(const std::string& caption, const std::string& url) {
        EtsLinkLabel& l = form->link.Load(++next);
        l.Move(Tw(20), Tw(20 + 40 * next), Tw(160), Tw(24));
        l.Visible(true);
        l.Caption(caption);
        l.URL(url);
        l.ForeColor(0x000080);
        l.LinkColor(0x00FF00);
        return l;
    }
    // A pointer move over the label, as the form's window receives it.
    void MoveOver(const EtsLinkLabel& l) {
        const RECT r = l.PixelRect();
        SendMessageA(form->hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 5, r.top + 5));
    }
    void ClickOn(const EtsLinkLabel& l) {
        const RECT r = l.PixelRect();
        SendMessageA(form->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 5, r.top + 5));
        SendMessageA(form->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 5, r.top + 5));
    }
    static rt::RuntimeError Raised(const std::function<void()>& f) {
        try {
            f();
        } catch (const rt::RuntimeError& e) {
            return e;
        }
        return rt::RuntimeError(0, "", "");
    }
    size_t Sounds() const {
        size_t n = 0;
        for (const std::string& c : effects.calls)
            if (c.rfind("PlaySound ", 0) == 0) ++n;
        return n;
    }

    testsupport::TempDir app;
    ShellRecorder effects;
    rt::ScopedEffects scope{effects};
    int next = 0;
};

}  // namespace

TEST_F(LinkLabel, HoverShowsTheLinkLookUntilTheClick) {
    EtsLinkLabel& l = Make("Open", "c");
    EXPECT_EQ(l.Label1.ForeColor(), 0x000080u);
    EXPECT_FALSE(l.Label1.GetFont().Underline());
    EXPECT_EQ(l.MousePointer(), 99);
    EXPECT_NE(l.Cursor(), nullptr);  // the hand

    MoveOver(l);
    EXPECT_TRUE(l.Hovered());
    EXPECT_EQ(l.Label1.ForeColor(), 0x00FF00u);
    EXPECT_TRUE(l.Label1.GetFont().Underline());

    int clicks = 0;
    l.Click = [&](int) { ++clicks; };
    ClickOn(l);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(l.Hovered());
    EXPECT_EQ(l.Label1.ForeColor(), 0x000080u);
    EXPECT_FALSE(l.Label1.GetFont().Underline());
    // "c" is a bare name: the shell would search it as a program.
    EXPECT_TRUE(effects.owners.empty());
}

TEST_F(LinkLabel, LeavingTheLabelEndsTheLinkLook) {
    EtsLinkLabel& l = Make("Leave", "c");
    const RECT r = l.PixelRect();
    POINT over{r.left + 5, r.top + 5};
    ClientToScreen(form->hWnd(), &over);
    SetCursorPos(over.x, over.y);
    MoveOver(l);
    ASSERT_TRUE(l.Hovered());
    // The pointer stays: so does the look.
    Pump(300);
    EXPECT_TRUE(l.Hovered());
    SetCursorPos(over.x, over.y + 200);
    Pump(600);  // the platform reports the pointer's new place a little late
    EXPECT_FALSE(l.Hovered());
    EXPECT_EQ(l.Label1.ForeColor(), 0x000080u);
    EXPECT_FALSE(l.Label1.GetFont().Underline());
    // Coming back starts it again.
    SetCursorPos(over.x, over.y);
    MoveOver(l);
    EXPECT_TRUE(l.Hovered());
}

TEST_F(LinkLabel, WithoutHoverModeOrAddressTheLookStands) {
    EtsLinkLabel& plain = Make("Always", "http://example.com/");
    plain.Hover(false);
    EXPECT_EQ(plain.Label1.ForeColor(), 0x00FF00u);
    EXPECT_TRUE(plain.Label1.GetFont().Underline());
    MoveOver(plain);
    EXPECT_FALSE(plain.Hovered());

    EtsLinkLabel& none = Make("Nowhere", "");
    MoveOver(none);
    EXPECT_FALSE(none.Hovered());
    EXPECT_EQ(none.Label1.ForeColor(), 0x000080u);
    bool before = false;
    int clicks = 0;
    none.BeforeJump = [&](int, bool&) { before = true; };
    none.Click = [&](int) { ++clicks; };
    ClickOn(none);
    EXPECT_TRUE(before);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(effects.owners.empty());
}

TEST_F(LinkLabel, OnlyAddressesAndPathsReachTheShell) {
    EtsLinkLabel& l = Make("Web", "http://example.com/");
    ClickOn(l);
    ASSERT_EQ(effects.owners.size(), 1u);
    EXPECT_EQ(effects.owners[0], GetDesktopWindow());
    EXPECT_EQ(effects.calls.back(), "ShellExecute |http://example.com/|||1");  // default verb, shown normally
    EXPECT_EQ(l.MousePointer(), 99);

    struct Case {
        const char* url;
        bool opens;
    };
    for (const Case& c :
         {Case{"mailto:someone@example.com", true}, Case{"docs\\manual.pdf", true},
          Case{"C:\\setup.exe", true}, Case{"data/readme.txt", true}, Case{"c", false},
          Case{"setup.exe", false}, Case{"", false}, Case{":nothing", false}, Case{"1http:x", false}}) {
        const size_t before = effects.owners.size();
        const int32_t result = l.HyperJump(c.url);
        EXPECT_EQ(effects.owners.size() - before, c.opens ? 1u : 0u) << c.url;
        EXPECT_EQ(result, c.opens ? 42 : 0) << c.url;
    }
}

TEST_F(LinkLabel, ACancelledJumpStillRaisesClick) {
    EtsLinkLabel& l = Make("Web", "http://example.com/");
    std::vector<std::string> order;
    l.BeforeJump = [&](int, bool& Cancel) {
        order.push_back("before");
        Cancel = true;
    };
    l.Click = [&](int) { order.push_back("click"); };
    ClickOn(l);
    EXPECT_EQ(order, (std::vector<std::string>{"before", "click"}));
    EXPECT_TRUE(effects.owners.empty());
}

TEST_F(LinkLabel, TheHoverSoundPlaysOncePerComingAndOnlyWhenThereIsOne) {
    EtsLinkLabel& l = Make("Sound", "c");
    MoveOver(l);
    EXPECT_EQ(Sounds(), 0u);  // no cross.wav: the platform's default sound is not asked for
    l.Click = [](int) {};
    ClickOn(l);

    std::filesystem::create_directories(app.Fs() / "data");
    app.Write("data/cross.wav", "RIFF");
    MoveOver(l);
    MoveOver(l);
    ASSERT_EQ(Sounds(), 1u);
    EXPECT_EQ(effects.calls.back(), "PlaySound " + app.Path() + "data\\cross.wav 8192");
    // Without hover mode every move plays it.
    l.Hover(false);
    MoveOver(l);
    MoveOver(l);
    EXPECT_EQ(Sounds(), 3u);
}

TEST_F(LinkLabel, StyleAndBackStyleRejectOtherValues) {
    EtsLinkLabel& l = Make("Values", "c");
    l.ClearChangedProperties();
    rt::RuntimeError style = Raised([&] { l.Style(2); });
    EXPECT_EQ(style.Number(), 380);
    EXPECT_EQ(style.Source(), "VudevIdori.Style");
    EXPECT_EQ(style.Description(), "Illegal Property Value");
    EXPECT_EQ(l.Style(), 0);
    rt::RuntimeError back = Raised([&] { l.BackStyle(2); });
    EXPECT_EQ(back.Number(), 380);
    EXPECT_EQ(back.Source(), "VudevIdori.BackStyle");
    EXPECT_EQ(l.BackStyle(), 1);
    EXPECT_TRUE(l.ChangedProperties().empty());
    // The current style again: nothing changes but the mark.
    l.Style(0);
    EXPECT_EQ(l.ChangedProperties(), (std::vector<std::string>{"Style"}));

    l.DropColorAngleLeft(70);
    l.DropColorAngleTop(-80);
    EXPECT_EQ(l.DropColorAngleLeft(), 50);
    EXPECT_EQ(l.DropColorAngleTop(), -50);
}

TEST_F(LinkLabel, NewAndStoredSettings) {
    EtsLinkLabel fresh(*form, "fresh");
    EXPECT_EQ(fresh.Caption(), "fresh");
    EXPECT_EQ(fresh.BackStyle(), 1);
    EXPECT_EQ(fresh.DropColorAngleLeft(), 15);
    EXPECT_TRUE(fresh.Hover());
    EXPECT_FALSE(fresh.URL().empty());
    // A new control's angles are not the stored defaults, so they are written.
    rt::PropertyBag bag = fresh.SaveProperties();
    EXPECT_TRUE(bag.Contains("DropColorAngleLeft"));
    EXPECT_FALSE(bag.Contains("Hover"));
    EXPECT_FALSE(bag.Contains("BackColor"));

    // A member reads its template's settings: text, font and address.
    auto stored = std::make_shared<const rt::PropertyBag>(rt::PropertyBag{
        {"Caption", "Stored"}, {"Font", rt::Font("Arial", 12, true)}, {"URL", "c"}, {"BackStyle", 0}});
    EtsLinkLabel loaded(*form, "loaded", -1, stored);
    EXPECT_EQ(loaded.Caption(), "Stored");
    EXPECT_TRUE(loaded.Font().Bold());
    EXPECT_FLOAT_EQ(loaded.Font().Size(), 12);
    EXPECT_EQ(loaded.URL(), "c");
    EXPECT_EQ(loaded.BackStyle(), 0);
    EXPECT_EQ(loaded.DropColorAngleTop(), 0);
    EXPECT_EQ(loaded.SaveProperties().Names(),
              (std::vector<std::string>{"Caption", "Font", "BackStyle", "URL"}));

    // The text fills the control and a new text lays it out again.
    int changes = 0, resizes = 0;
    loaded.Change = [&](int) { ++changes; };
    loaded.Resize = [&](int) { ++resizes; };
    loaded.Move(0, 0, Tw(100), Tw(30));
    loaded.Caption("Other");
    EXPECT_EQ(changes, 1);
    EXPECT_GE(resizes, 2);
    EXPECT_DOUBLE_EQ(loaded.Label1.Width(), Tw(100));
    EXPECT_DOUBLE_EQ(loaded.Label1.Height(), Tw(30));
}

TEST_F(LinkLabel, PaintsAndMembersLeaveNoHandles) {
    EtsLinkLabel& l = Make("Handles", "c");
    ExpectNoHandleGrowth([&](int i) {
        MoveOver(l);
        l.Refresh();
        SendMessageA(form->hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(400, 350));
        l.Hover(i % 2 == 0);
        EtsLinkLabel& m = form->link.Load(1000);
        m.Visible(true);
        m.Caption("x");
        form->link.Unload(1000);
    });
}
