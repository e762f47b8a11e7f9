#include "runtime/activex.h"

#include <gtest/gtest.h>
#include <wmp.h>

#include <string>
#include <vector>

#include "comserver/axtest.h"
#include "runtime/control_array.h"
#include "runtime/controls.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/ui.h"
#include "support/error_of.h"

namespace {

class ViewerForm : public rt::Form {
public:
    ViewerForm() : Form("ViewerForm") {
        Move(0, 0, 6000, 4500);
        Picture8.Visible(false);
    }
    rt::PictureBox Picture8{*this, "Picture8"};
    rt::ControlArray<rt::MediaPlayer> WMPlayer{*this, "WMPlayer"};
};

struct ActiveXTest : ::testing::Test {
    void SetUp() override { rt::EnsureOle(); }
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
    }
};

using testsupport::ErrorOf;

BOOL CALLBACK CountChild(HWND, LPARAM p) {
    ++*reinterpret_cast<int*>(p);
    return TRUE;
}

int ChildWindows(HWND parent) {
    int n = 0;
    EnumChildWindows(parent, CountChild, reinterpret_cast<LPARAM>(&n));
    return n;
}

// The test control's own window inside the host, if it was placed in place.
HWND HostedWindow(HWND host) {
    return FindWindowExA(host, nullptr, "VantrelAxTest", nullptr);
}

TEST_F(ActiveXTest, AddingAMissingComponentFailsAndLeavesNothing) {
    ViewerForm& f = rt::Load<ViewerForm>();
    int before = ChildWindows(f.hWnd());
    size_t controls = f.Controls().size();
    for (const char* progId : {"ShockwaveFlash.ShockwaveFlash.10", "AcroPDF.PDF.1", "No.Such.Thing"})
        EXPECT_EQ(ErrorOf([&] { rt::AddControl(f, progId, "tovi1"); }), rt::errCannotCreateObject) << progId;
    EXPECT_EQ(rt::FindControl(f, "tovi1"), nullptr);
    EXPECT_EQ(f.Controls().size(), controls);
    EXPECT_EQ(ChildWindows(f.hWnd()), before);
}

TEST_F(ActiveXTest, ARegisteredComponentIsHostedInPlaceAndCalledByName) {
    axtest::Registration reg("ShockwaveFlash.ShockwaveFlash.10;AcroPDF.PDF.1");
    ASSERT_TRUE(reg.ok());
    axtest::CallLog log;
    ViewerForm& f = rt::Load<ViewerForm>();
    f.Show();
    {
        rt::ActiveXControl& pdf = rt::AddControl(f, "AcroPDF.PDF.1", "PDF");
        EXPECT_FALSE(pdf.Visible());  // added controls start hidden
        EXPECT_EQ(rt::FindControl(f, "pdf"), &pdf);
        pdf.Visible(true);
        pdf.Move(300, 450, 3000, 1500);
        rt::DoEvents();
        HWND inner = HostedWindow(pdf.hWnd());
        ASSERT_NE(inner, nullptr);
        RECT host, own;
        GetClientRect(pdf.hWnd(), &host);
        GetWindowRect(inner, &own);
        EXPECT_EQ(own.right - own.left, host.right);  // the control follows its host's size
        EXPECT_EQ(own.bottom - own.top, host.bottom);
        EXPECT_EQ(host.right, rt::ToPixelsX(3000));

        pdf.object().Call("LoadFile", "c:\\doc.pdf");
        pdf.object().Call("setShowToolbar", 0);
        pdf.object().Let("AllowFullScreen", true);
        EXPECT_TRUE(pdf.object().Get("AllowFullScreen").ToBool());
        try {
            pdf.object().Call("Fail");
            ADD_FAILURE() << "no error";
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.Number(), rt::errAutomation);
            EXPECT_EQ(e.Description(), "Test failure");
        }
        EXPECT_EQ(log.Calls(),
                  (std::vector<std::string>{"LoadFile(c:\\doc.pdf)", "setShowToolbar(0)",
                                            "AllowFullScreen=True", "AllowFullScreen()", "Fail()"}));

        // A second control of the same name is refused; the first stays.
        EXPECT_EQ(ErrorOf([&] { rt::AddControl(f, "ShockwaveFlash.ShockwaveFlash.10", "PDF"); }), 727);
        EXPECT_EQ(rt::FindControl(f, "PDF"), &pdf);
    }
    // Flash viewers by name, walked and removed as the page build does.
    rt::AddControl(f, "ShockwaveFlash.ShockwaveFlash.10", "tovi1");
    rt::AddControl(f, "ShockwaveFlash.ShockwaveFlash.10", "tovi2");
    EXPECT_EQ(axtest::LiveObjects(), 3);
    std::vector<std::string> names;
    for (rt::Control* c : f.Controls())
        if (c->Name().rfind("tovi", 0) == 0) names.push_back(c->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"tovi1", "tovi2"}));
    {
        rt::HandlerScope inHandler;  // removed inside a handler: the name is free at once
        rt::RemoveControl(f, "tovi1");
        EXPECT_EQ(rt::FindControl(f, "tovi1"), nullptr);
        rt::AddControl(f, "ShockwaveFlash.ShockwaveFlash.10", "tovi1");
    }
    rt::RemoveControl(f, "tovi1");
    rt::RemoveControl(f, "tovi2");
    rt::DoEvents();
    EXPECT_EQ(axtest::LiveObjects(), 1);  // only the PDF viewer is left
    EXPECT_EQ(ErrorOf([&] { rt::RemoveControl(f, "tovi2"); }), 730);
    EXPECT_EQ(ErrorOf([&] { rt::RemoveControl(f, "Picture8"); }), rt::errCannotUnloadDesignControl);

    f.Unload();
    rt::DoEvents();
    EXPECT_EQ(axtest::LiveObjects(), 0);  // the form's run-time controls went with it
}

TEST_F(ActiveXTest, UnregisteredAgainTheComponentIsMissing) {
    {
        axtest::Registration reg("AcroPDF.PDF.1");
        ASSERT_TRUE(reg.ok());
    }
    ViewerForm& f = rt::Load<ViewerForm>();
    EXPECT_EQ(ErrorOf([&] { rt::AddControl(f, "AcroPDF.PDF.1", "PDF"); }), rt::errCannotCreateObject);
}

TEST_F(ActiveXTest, MediaPlayerArrayReachesThePlayerThroughItsInterfaces) {
    ViewerForm& f = rt::Load<ViewerForm>();
    f.Show();
    rt::MediaPlayer& p = f.WMPlayer.Load(1);
    ASSERT_TRUE(p.Created());
    ASSERT_TRUE(p.Player());
    p.Move(0, 0, 3000, 2000);
    p.Visible(true);
    rt::DoEvents();
    EXPECT_TRUE(p.autoStart());  // the player's own default
    p.autoStart(false);
    EXPECT_FALSE(p.autoStart());
    p.URL("c:\\nothing.wav");
    EXPECT_EQ(p.URL(), "c:\\nothing.wav");
    auto inplace = p.Query<IOleInPlaceObject>(IID_IOleInPlaceObject);
    ASSERT_TRUE(inplace);
    HWND own = nullptr;
    if (SUCCEEDED(inplace->GetWindow(&own)) && own) {
        EXPECT_TRUE(IsChild(p.hWnd(), own));
    }

    rt::ActiveXControl& added = rt::AddControl(f, "WMPlayer.OCX", "wmp");
    EXPECT_TRUE(added.Query<IWMPPlayer4>(__uuidof(IWMPPlayer4)));
    f.WMPlayer.Unload(1);
}

// A player template between two other windows, for the order of the windows.
class PlayerBetweenForm : public rt::Form {
public:
    PlayerBetweenForm() : Form("PlayerBetweenForm") { Move(0, 0, 6000, 4500); }
    rt::PictureBox Below{*this, "Below"};
    rt::ControlArray<rt::MediaPlayer> WMPlayer{*this, "WMPlayer"};
    rt::PictureBox Above{*this, "Above"};
};

std::string ClassOf(HWND w) {
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    return name;
}

BOOL CALLBACK CountHosts(HWND w, LPARAM p) {
    if (ClassOf(w) == "AtlAxWin") ++*reinterpret_cast<int*>(p);
    return TRUE;
}

int HostWindows(HWND parent) {
    int n = 0;
    EnumChildWindows(parent, CountHosts, reinterpret_cast<LPARAM>(&n));
    return n;
}

// The place of a child window among its siblings, from the top.
int PlaceOf(HWND child) {
    int place = 0;
    for (HWND w = GetWindow(GetParent(child), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT), ++place)
        if (w == child) return place;
    return -1;
}

TEST_F(ActiveXTest, PlayerTemplateIsMadeOnFirstUseInItsPlace) {
    PlayerBetweenForm& f = rt::Load<PlayerBetweenForm>();
    rt::MediaPlayer& templ = f.WMPlayer[0];
    templ.Move(300, 450, 3000, 1500);
    templ.Visible(false);
    templ.ToolTipText("Player");
    f.Below.ZOrder(0);  // the order from the top: Below, Above, the player
    f.Show();
    rt::DoEvents();
    EXPECT_EQ(HostWindows(f.hWnd()), 0);

    // A member made from the template has its own component; the template still waits.
    rt::MediaPlayer& member = f.WMPlayer.Load(1);
    EXPECT_TRUE(member.Created());
    EXPECT_EQ(HostWindows(f.hWnd()), 1);
    f.WMPlayer.Unload(1);
    rt::DoEvents();

    ASSERT_TRUE(templ.Created());
    HWND host = templ.hWnd();
    ASSERT_TRUE(host);
    EXPECT_EQ(ClassOf(host), "AtlAxWin");
    EXPECT_EQ(rt::ControlFromWindow(host), &templ);
    EXPECT_FALSE(IsWindowVisible(host));
    EXPECT_FALSE(templ.Visible());
    EXPECT_DOUBLE_EQ(templ.Left(), 300);
    EXPECT_DOUBLE_EQ(templ.Top(), 450);
    EXPECT_DOUBLE_EQ(templ.Width(), 3000);
    EXPECT_DOUBLE_EQ(templ.Height(), 1500);
    EXPECT_LT(PlaceOf(f.Below.hWnd()), PlaceOf(f.Above.hWnd()));
    EXPECT_LT(PlaceOf(f.Above.hWnd()), PlaceOf(host));
    EXPECT_TRUE(templ.Player());
    EXPECT_EQ(HostWindows(f.hWnd()), 1);  // the stand-in went

    templ.Visible(true);
    EXPECT_TRUE(IsWindowVisible(host));
}

TEST_F(ActiveXTest, ShowingAWaitingPlayerMakesIt) {
    PlayerBetweenForm& f = rt::Load<PlayerBetweenForm>();
    f.Show();
    rt::MediaPlayer& templ = f.WMPlayer[0];
    templ.Visible(false);
    EXPECT_EQ(HostWindows(f.hWnd()), 0);
    templ.Visible(true);
    EXPECT_EQ(HostWindows(f.hWnd()), 1);
    HWND host = templ.hWnd();
    EXPECT_EQ(ClassOf(host), "AtlAxWin");
    EXPECT_LT(PlaceOf(f.Above.hWnd()), PlaceOf(host));
    EXPECT_LT(PlaceOf(host), PlaceOf(f.Below.hWnd()));
    EXPECT_TRUE(templ.Player());
}

}  // namespace
