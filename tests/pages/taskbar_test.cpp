// Which windows of the running program have a taskbar button, read from the windows' real styles
// and owners: the main window has one; every window kept off the taskbar (the title-bar window,
// the backdrop, the popup menu, the About box, the picture popup, the media browser, the slider's
// value tip) is owned by a hidden window of the program or is a tool window, and none of them has
// the app-window style.
#include <string>

#include "controls/chrome/ucSlider.h"
#include "pages_fixture.h"
#include "windows/Form12_media_browser.h"
#include "windows/Form15_backdrop.h"
#include "windows/Form17_title_bar.h"
#include "windows/Form5_about.h"
#include "windows/Form8_picture_popup.h"
#include "windows/mnu_popup_menu.h"

using namespace pagestest;

namespace {

LONG_PTR ExStyle(HWND w) {
    return GetWindowLongPtrA(w, GWL_EXSTYLE);
}

// The platform shows a taskbar button for a top-level window with the app-window style, or for
// one that is neither owned nor a tool window.
bool HasTaskbarButton(HWND w) {
    const LONG_PTR ex = ExStyle(w);
    if (ex & WS_EX_APPWINDOW) return true;
    return !(ex & WS_EX_TOOLWINDOW) && !GetWindow(w, GW_OWNER);
}

void ExpectOffTheTaskbar(const rt::Form& f) {
    SCOPED_TRACE(f.Name());
    const HWND w = f.hWnd();
    EXPECT_FALSE(ExStyle(w) & WS_EX_APPWINDOW);
    EXPECT_FALSE(HasTaskbarButton(w));
    if (const HWND owner = GetWindow(w, GW_OWNER)) {
        // The owner is the program's own and never shows, so it neither appears anywhere nor
        // takes the owned window along when it is hidden or minimised.
        DWORD process = 0;
        GetWindowThreadProcessId(owner, &process);
        EXPECT_EQ(process, GetCurrentProcessId());
        EXPECT_FALSE(IsWindowVisible(owner));
        EXPECT_FALSE(IsIconic(owner));
    }
}

// A title-bar style record of 21 fields.
std::string StyleRecord() {
    return "0,4210752,4210752,0,16777215,0,5189670,16777215,3947580,0,14,1,True,True,3,True,False,True,False,"
           "True,255\r\n";
}

}  // namespace

TEST(TaskbarTest, OnlyTheMainWindowHasATaskbarButton) {
    AppFolder app;
    app.Pack({{"sys1 .esr", FormRec("Taskbar page", 3000, 4500, "0")}, {"TbRsG.tib", StyleRecord()}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    ASSERT_TRUE(main.Visible());

    // The main window: unowned, with the app-window style.
    EXPECT_TRUE(main.ShowInTaskbar());
    EXPECT_TRUE(ExStyle(main.hWnd()) & WS_EX_APPWINDOW);
    EXPECT_EQ(GetWindow(main.hWnd(), GW_OWNER), nullptr);
    EXPECT_TRUE(HasTaskbarButton(main.hWnd()));

    // The title-bar window shows above the main window, at its place.
    auto* bar = dynamic_cast<windows::Form17*>(FindForm("Form17"));
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->Visible());
    EXPECT_EQ(bar->Left(), main.Left());
    EXPECT_EQ(bar->Width(), main.Width());
    EXPECT_EQ(bar->Top(), main.Top() - bar->Height());

    {
        rt::HandlerScope scope;
        rt::Load<windows::Form15>();
        rt::Load<mnu>();
        rt::Load<Form5>();
        rt::Load<Form8>();
        rt::Load<Form12>();
        rt::Load<controls::ucSliderTip>();
    }
    int offTheTaskbar = 0;
    for (rt::Form* f : rt::Forms()) {
        if (f == &main) continue;
        EXPECT_FALSE(f->ShowInTaskbar()) << f->Name();
        ExpectOffTheTaskbar(*f);
        ++offTheTaskbar;
    }
    EXPECT_GE(offTheTaskbar, 7);

    // Shown, the title-bar window still has no button, and the main window keeps its own.
    bar->Show();
    ExpectOffTheTaskbar(*bar);
    EXPECT_TRUE(HasTaskbarButton(main.hWnd()));
}
