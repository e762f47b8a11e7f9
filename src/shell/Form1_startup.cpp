// The main window's load and its own window events.
#include <windows.h>

#include <string>

#include "controls/chrome/window_shadow.h"
#include "controls/common/main_window_link.h"
#include "controls/common/mdlList.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/picture.h"
#include "runtime/ui.h"
#include "shell/Form1.h"
#include "shell/Module3.h"
#include "shell/mMain.h"
#include "shell/startup_trace.h"
#include "windows/Form15_backdrop.h"
#include "windows/Form17_title_bar.h"
#include "windows/Form6_exit.h"

namespace {
const char* const kTitleBarStyle = "TbRsG.tib";
constexpr float kTrayRightButtonUp = WM_RBUTTONUP;  // 517
using windows::Form15;
using windows::Form17;
}  // namespace

void Form1::Form_Load() {
    // What the controls and the secondary windows reach of this window; page 1's build already
    // loads the title-bar window, which takes this window's caption and icon.
    controls::MainWindowLink& link = controls::MainWindow();
    link.window = this;
    link.setBorderColor = [this](int32_t color) { Shape1.BorderColor(static_cast<uint32_t>(color)); };
    link.pckex = [this](const std::string& name) { return pckex(name); };
    link.pat = [this] { return pat.Text(); };
    link.runActions = [this](const std::string& list) { RunActionList(list); };
    link.music = &bac;
    link.musicFiles = &l;
    link.pageMovie = &mb;
    link.movieArea = &Label2;

    // The build of page 1 (step "pat") relies on everything before it.
    frameSide = rt::RoundEven((Width() - ScaleWidth()) / 2);
    frameTop = rt::RoundEven(Height() - ScaleHeight() - frameSide);
    shell::Trace("Form1 frame");
    afstme = 0;
    shell::Trace("Form1 afstme");
    LoadArchiveIndex();
    shell::Trace("Form1 LoadArchiveIndex");
    mMain::SetFormIcons(hWnd(), "AAA", true);
    shell::Trace("Form1 SetFormIcons");
    shd();
    shell::Trace("Form1 shd");
    LoadFontList();
    shell::Trace("Form1 LoadFontList");
    const std::string appPath = rt::App::Path();
    shell::Trace("Form1 pat");
    pat.Text(appPath.size() < 4 ? appPath : appPath + "\\");

    // From here on a failing step is skipped.
    rt::Procedure proc(rt::OnError::Skip);
    shell::Trace("Form1 namelist");
    proc.step([&] {
        std::string copy = pckex("name.nme");
        if (copy == "error") return;
        mdlList::LoadLineList(copy, namelist);
        rt::Kill(pckex("name.nme"));
    });
    shell::Trace("Form1 MouseIcon");
    proc.step([&] { MouseIcon(rt::LoadPicture(pat.Text() + "data\\pagecur.ico")); });
    shell::Trace("Form1 backdrop");
    proc.step([&] {
        Form15& backdrop = rt::Load<Form15>();
        backdrop.l.SetPicture(rt::LoadPicture(pat.Text() + "data\\desk_c" + page.Text() + ".bmp"));
        backdrop.l.Left(backdrop.Width() / 2 - backdrop.l.Width() / 2);
        backdrop.l.Top(backdrop.Height() / 2 - backdrop.l.Height() / 2);
    });
    shell::Trace("Form1 Icon");
    proc.step([&] { Icon(rt::LoadPicture(pat.Text() + "autorun.ico")); });
    shell::Trace("Form1 hover reset");
    proc.step([&] { gr.Visible(false); });
    proc.step([&] { Label3.Caption(""); });
    proc.step([&] { Label3.Visible(false); });
    shell::Trace("Form1 Option1");
    proc.step([&] { Option1.Value(true); });
    shell::Trace("Form1 music folder");
    proc.step([&] { l.Path(pat.Text() + "data\\sound"); });
    shell::Trace("Form1 title bar");
    if (proc.test([&] { return pckex(kTitleBarStyle) != "error"; })) {
        proc.step([&] {
            Form17& titleBar = rt::Load<Form17>();
            titleBar.tib();
        });
        proc.step([&] { rt::Load<Form17>().Visible(true); });
        proc.step([&] {
            Form17& titleBar = rt::Load<Form17>();
            titleBar.Top(Top() - titleBar.Height());
            titleBar.Left(Left());
            titleBar.Width(Width());
        });
        proc.step([&] { Shape1.Visible(true); });
        proc.step([&] { Shape1.Move(0, 0, Width(), Height()); });
    }
    shell::Trace("Form1 background");
    const std::string background = "bg" + page.Text() + ".bmp";
    if (proc.test([&] { return pckex(background) != "error"; })) {
        proc.step([&] { SetPicture(rt::LoadPicture(pckex(background))); });
        proc.step([&] { rt::Kill(pckex(background)); });
    }
    shell::Trace("Form1 loaded");
}

void Form1::shd() {
    windowShadow = std::make_unique<controls::clsShadow>();
    windowShadow->Color(255);
    windowShadow->Depth(0);
    windowShadow->Shadow(hWnd());
}

void Form1::Form_Resize() {
    if (StoreHasMember(kTitleBarStyle)) rt::Load<Form17>().Visible(true);
}

void Form1::Form_MouseMove(int16_t Button, int16_t Shift, float X, float Y) {
    // The notification-area icon reports its mouse messages as moves whose X is the message
    // number in pixels; the right button's release restores the window.
    if (X / static_cast<float>(rt::Screen::TwipsPerPixelX()) == kTrayRightButtonUp) {
        rt::Try([&] { Show(); });
        rt::Try([&] {
            Form15& backdrop = rt::Load<Form15>();
            if (backdrop.Tag() == "ok") backdrop.Show();
        });
        rt::Try([&] { Module3::RemoveTrayIcon(); });
        return;
    }
    HoverLatch = false;
    rt::Try([&] { gr.Visible(false); });
    rt::Try([&] { gr.SetPicture(rt::Picture()); });
    rt::Try([&] { Label3.Caption(""); });
    rt::Try([&] { Label3.Visible(false); });
    // Asked of the store's index: extracting the member on every move would cost a file copy.
    if (!StoreHasMember(kTitleBarStyle) && Button == rt::vbLeftButton) {
        ReleaseCapture();
        SendMessageA(hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
}

void Form1::Form_Unload(int16_t& Cancel) {
    // The exit window unloads every window, this one included, while this handler still runs.
    if (unloadRunning_) return;
    unloadRunning_ = true;
    pdfViewer = rt::Object();
    flashViewer = rt::Object();
    if (Module3::TrayIconShown()) Module3::RemoveTrayIcon();
    rt::Try([&] { Hide(); });
    rt::Try([&] {
        if (auto* backdrop = rt::LoadedForm<Form15>(); backdrop && backdrop->Tag() == "ok") backdrop->Hide();
    });
    rt::Try([&] {
        Form6& exitWindow = rt::Load<Form6>();
        if (exitWindow.Loaded()) exitWindow.Show();
    });
}
