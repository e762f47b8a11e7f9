// The main window's design-time settings, its store access and the installed-font list.
#include <windows.h>

#include <string>

#include "controls/chrome/window_shadow.h"
#include "controls/common/main_window_link.h"
#include "controls/common/paint.h"
#include "runtime/convert.h"
#include "runtime/ui.h"
#include "shell/Form1.h"
#include "shell/Module3.h"

Form1::Form1() : Form("Form1") {
    BorderStyle(rt::vbFixedDialog);
    MaxButton(false);
    MinButton(false);
    MousePointer(rt::vbCustom);
    // Hidden at design time.
    for (rt::Control* c : std::initializer_list<rt::Control*>{
             &pos,     &pacfile, &pagelast, &pcfile2,  &fntlst,    &namelist, &lk,       &Label2,   &Label3,
             &gr,      &hand,    &Option1,  &Shape1,   &Picture5,  &Picture6, &Picture7, &Picture8, &pdfsrol,
             &pdftool, &l,       &Command2, &Command3, &Picture16, &bac,      &mb})
        c->Visible(false);
    // The vector shapes' template comes with the window, the one made before a page needs it: it
    // keeps GDI+ running for the window's life, so that page builds do not start it again.
    (void)Shaper1[0];
    // The page transition's boxes keep what is drawn on them and take the size of their picture.
    for (rt::PictureBox* box : {&Picture5, &Picture6, &Picture7}) {
        box->BorderStyle(0);
        box->AutoRedraw(true);
        box->AutoSize(true);
    }
    Picture7.Move(0, 0);
    hand.SetPicture(controls::HandPointerPicture());
    pos.Caption("0");
    l.Pattern("*.mp3;*.wma;*.wav;*.mid");
    Timer3.Enabled(false);
    Timer3.Interval(400);
    Timer3.TimerEvent = [this](int) { Timer3_Timer(); };
    Timer5.Interval(1);
    Timer5.TimerEvent = [this](int) { Timer5_Timer(); };
    Timer6.Enabled(false);
    Timer6.Interval(10);
    Timer6.TimerEvent = [this](int) { Timer6_Timer(); };
}

std::shared_ptr<const rt::PropertyBag> Form1::SeekBarSettings() {
    rt::PropertyBag bag{{"Orientation", int32_t{0}}, {"Max", int32_t{1}}, {"RailStyle", int32_t{2}}};
    // The thumb's own 10 x 10 icon from the program's resources.
    if (auto icon =
            static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "SEEKTHUMB", IMAGE_ICON, 10, 10, 0)))
        bag.WriteProperty("SliderImage", rt::Picture::FromIcon(icon, true));
    return std::make_shared<const rt::PropertyBag>(std::move(bag));
}

Form1::~Form1() {
    if (controls::MainWindow().window == this) controls::MainWindow() = {};
    // An icon left in the notification area would outlive its window.
    if (Module3::TrayIconShown()) Module3::RemoveTrayIcon();
}

std::string Form1::pckex(const std::string& flinfo) {
    return archive_.pckex(flinfo);
}

std::string Form1::pckexbut(const std::string& flinfo) {
    return archive_.pckexbut(flinfo);
}

void Form1::LoadArchiveIndex() {
    archive_.LoadArchiveIndex(rt::App::Path());
}

void Form1::OpenPictureArchive(const std::string& path) {
    archive_.OpenPictureArchive(path);
}

bool Form1::StoreHasMember(const std::string& name) const {
    for (int i = 0; i < pacfile.ListCount(); ++i)
        if (rt::EqualsNoCase(pacfile.List(i), name)) return true;
    return false;
}

void Form1::LoadFontList() {
    fntlst.Clear();
    // The list is taken afresh: the launcher has just added the project's fonts.
    rt::Screen::RefreshFonts();
    for (int i = 0; i < rt::Screen::FontCount(); ++i) fntlst.AddItem(rt::Screen::Fonts(i));
}

bool Form1::chk_fnt(const std::string& font_name) {
    const std::string wanted = rt::LCase(font_name);
    for (int i = 0; i < fntlst.ListCount(); ++i)
        if (rt::LCase(fntlst.List(i)) == wanted) return true;
    return false;
}
