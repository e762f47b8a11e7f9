// Window actions: the main window on top or not, hidden into the notification area, resized or
// minimised; page buttons hidden, shown, disabled and enabled; the secondary windows opened; and
// the end through the exit window. Each step that fails is skipped.
#include <windows.h>

#include <cstdint>
#include <string>

#include "actions/interpreter.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/picture.h"
#include "runtime/ui.h"
#include "shell/Form1.h"
#include "shell/Module3.h"
#include "windows/Form11_picture_viewer.h"
#include "windows/Form12_media_browser.h"
#include "windows/Form15_backdrop.h"
#include "windows/Form3_slideshow.h"
#include "windows/Form5_about.h"
#include "windows/Form6_exit.h"
#include "windows/Form7_movie.h"
#include "windows/Form8_picture_popup.h"
#include "windows/Form9_copy_dialog.h"
#include "windows/window_layout.h"

namespace actions {

namespace {

// The size action's factor: twips per pixel at 96 dots per inch, whatever the display's.
constexpr double kTwipsPerPixel = 15;

// The desktop backdrop while it is in use; a backdrop that is not loaded is not in use.
windows::Form15* BackdropInUse() {
    windows::Form15* backdrop = rt::LoadedForm<windows::Form15>();
    return backdrop && backdrop->Tag() == "ok" ? backdrop : nullptr;
}

void HideMainAndBackdrop(Form1& main, rt::Procedure& proc) {
    proc.step([&] { main.Visible(false); });
    proc.step([&] {
        if (windows::Form15* backdrop = BackdropInUse()) backdrop->Hide();
    });
}

// Without its picture the exit window ends the program while it loads; then nothing follows.
void End(Form1& main) {
    rt::Procedure proc(rt::OnError::Skip);
    HideMainAndBackdrop(main, proc);
    proc.step([] {
        Form6& exitWindow = rt::Load<Form6>();
        if (exitWindow.Loaded()) exitWindow.Show();
    });
}

// The page button that argument 1 numbers.
controls::vxbutton& PageButton(Form1& main, const ActionCommand& command) {
    return main.Command1[rt::TextToInt16(command.Arg(1))];
}

void StackMain(Form1& main, HWND after) {
    SetWindowPos(main.hWnd(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Resize(Form1& main, const std::string& size) {
    // Four digits each; a shorter text serves as both.
    const std::string width = size.substr(0, 4);
    const std::string height = size.size() > 4 ? size.substr(size.size() - 4) : size;
    rt::Procedure proc(rt::OnError::Skip);
    proc.step([&] { main.Height(rt::TextToDouble(height) * kTwipsPerPixel); });
    proc.step([&] { main.Width(rt::TextToDouble(width) * kTwipsPerPixel); });
    proc.step([&] { main.Refresh(); });
}

// The running page movie continues in the maximised movie window, which hands it back when it
// closes. A paused page movie reads position 0, so the window's movie starts from the beginning.
void MaximiseMovie(Form1& main) {
    Form7* window = nullptr;
    rt::Procedure proc(rt::OnError::Skip);
    proc.step([&] {
        window = &rt::Load<Form7>();
        window->Show();
    });
    if (!window) return;
    proc.step([&] { window->ll.Filename(main.mb.Filename()); });
    proc.step([&] { window->ll.PlayAMovie(); });
    proc.step([&] { window->ll.MovieSeek(main.mb.CurrentPosition()); });
    proc.step([&] { main.mb.StopAMovie(); });  // it stays visible for the hand-back
    proc.step([&] { window->Text1.Text("1"); });
    proc.step([&] { window->WindowState(rt::vbMaximized); });
}

void OpenPicturePopup(Form1& main, const ActionCommand& command) {
    Form8& popup = rt::Load<Form8>();
    rt::Procedure proc(rt::OnError::Skip);
    proc.step([&] { popup.Image1.SetPicture(rt::LoadPicture(main.pat.Text() + command.Arg(1))); });
    proc.step([&] { popup.Image1.Move(0, 0); });
    proc.step([&] { popup.Width(popup.Image1.Width()); });
    proc.step([&] { popup.Height(popup.Image1.Height()); });
    proc.step([&] {
        // Centred at the size it opens with.
        if (!popup.Visible()) windows::CentreOnScreen(popup);
        popup.Show();
    });
}

void OpenPictureViewer(Form1& main, const ActionCommand& command) {
    Form11& viewer = rt::Load<Form11>();
    rt::Try([&] { viewer.l.SetPicture(rt::LoadPicture(main.pat.Text() + command.Arg(1))); });
    viewer.Show();
}

// "sld": the slideshow window on the folder (relative to the application folder), the main
// window's background music stopped.
void OpenSlideshow(Form1& main, const std::string& folder) {
    rt::Procedure proc(rt::OnError::Skip);
    Form3* window = nullptr;
    proc.step([&] { window = &rt::Load<Form3>(); });
    if (!window) return;
    proc.step([&] { window->p.Caption(main.pat.Text() + folder); });
    proc.step([&] { window->File1.Path(main.pat.Text() + folder); });
    proc.step([&] { window->Timer1.Enabled(true); });
    proc.step([&] { window->PlaceLogo(); });
    proc.step([&] { main.bac.StopAMovie(); });
    proc.step([&] { window->Show(); });
}

void OpenCopyDialog(const ActionCommand& command) {
    const std::string folder = rt::App::Path();
    const std::string source = command.Has(1) ? command.Arg(1) : std::string();
    Form9& dialog = rt::Load<Form9>();
    if (source.empty())
        dialog.frm.Text(folder);
    else if (folder.size() > 3)
        dialog.frm.Text(folder + "\\" + source);
    else if (folder.size() == 3)
        dialog.frm.Text(folder + source);  // a drive's root ends in its backslash
    dialog.Show();
}

}  // namespace

void WindowAction(Form1& main, WindowOp op, const ActionCommand& command) {
    switch (op) {
        case WindowOp::OnTop:
            StackMain(main, HWND_TOPMOST);
            break;
        case WindowOp::NotOnTop:
            StackMain(main, HWND_NOTOPMOST);
            break;
        case WindowOp::HideButton:
            PageButton(main, command).Visible(false);
            break;
        case WindowOp::ShowButton:
            PageButton(main, command).Visible(true);
            break;
        case WindowOp::DisableButton:
            PageButton(main, command).Enabled(false);
            break;
        case WindowOp::EnableButton:
            PageButton(main, command).Enabled(true);
            break;
        case WindowOp::ToTray: {
            rt::Procedure proc(rt::OnError::Skip);
            HideMainAndBackdrop(main, proc);
            proc.step([&] { Module3::AddTrayIcon(main, "Vantrel"); });
            break;
        }
        case WindowOp::Resize:
            Resize(main, command.Arg(1));
            break;
        case WindowOp::Minimise:
            main.WindowState(rt::vbMinimized);
            break;
        case WindowOp::MaximiseMovie:
            MaximiseMovie(main);
            break;
        case WindowOp::PicturePopup:
            OpenPicturePopup(main, command);
            break;
        case WindowOp::PictureViewer:
            OpenPictureViewer(main, command);
            break;
        case WindowOp::Slideshow:
            OpenSlideshow(main, command.Arg(1));
            break;
        case WindowOp::MediaFolder:
            rt::Load<Form12>().Show();
            break;
        case WindowOp::CopyDialog:
            OpenCopyDialog(command);
            break;
        case WindowOp::About:
            rt::Load<Form5>().Show();
            break;
        case WindowOp::End:
            End(main);
            break;
        case WindowOp::EndAsked:
            if (rt::MsgBox(command.Arg(1), rt::vbYesNo + rt::vbQuestion, "Exit") == rt::vbYes) End(main);
            break;
    }
}

}  // namespace actions
