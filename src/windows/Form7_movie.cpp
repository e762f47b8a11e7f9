#include "windows/Form7_movie.h"

#include "controls/common/main_window_link.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/picture.h"

namespace {
constexpr uint32_t kBlack = 0x000000;
}

std::shared_ptr<const rt::PropertyBag> Form7::SeekBarSettings() {
    return std::make_shared<const rt::PropertyBag>(
        rt::PropertyBag{{"Orientation", int32_t{0}}, {"Max", int32_t{1}}, {"RailStyle", int32_t{0}}});
}

Form7::Form7() : Form("Form7") {
    Caption("Movie Window");
    BorderStyle(rt::vbBSNone);
    BackColor(kBlack);
    Text1.Text("0");
    Command1.Caption("X");
    Command1.GetFont().Name("Arial");
    Command1.GetFont().Bold(true);
    Command1.Move(0, 0, 495, 375);

    ll.movierun = [this](int, bool&) { ll_movierun(); };
    ll.DblClick = [this](int) { Unload(); };
    Command1.Click = [this](int) { Unload(); };
    Picture16.Click = [this](int) { Seek(); };
    Picture16.MouseDown = [this](int, int16_t&) { Seek(); };
    Picture16.MouseUp = [this](int, int16_t&) { Seek(); };
    // Maximised and centred, with the application's icon.
    WindowState(rt::vbMaximized);
}

void Form7::Form_Load() {
    rt::Procedure proc(rt::OnError::Skip);
    if (const controls::MainWindowLink* main = controls::LoadedMainWindow())
        proc.step([&] { Icon(main->window->Icon()); });
    // The seek bar and the close button lie over the movie.
    proc.step([&] { Picture16.ZOrder(0); });
    proc.step([&] { Command1.ZOrder(0); });
}

void Form7::ll_movierun() {
    rt::Procedure proc(rt::OnError::Skip);
    proc.step([&] { ll.Left(0); });
    proc.step([&] { ll.Top(0); });
    proc.step([&] { ll.Width(ScaleWidth()); });
    proc.step([&] { ll.Height(ScaleHeight()); });
    proc.step([&] { Picture16.Max(rt::RoundEven(ll.FileLength())); });
    // A position past the rounded length is refused by the seek bar (380): it keeps its value.
    proc.step([&] { Picture16.Value(rt::RoundEven(ll.CurrentPosition())); });
    // The seek bar spans from the close button to the window's right edge.
    proc.step([&] { Picture16.Width(ll.Width() - Command1.Width()); });
    proc.step([&] { Picture16.Top(ll.Top() + ll.Height() - Picture16.Height()); });
    proc.step([&] { Command1.Left(ll.Left()); });
    proc.step([&] { Command1.Top(ll.Top() + ll.Height() - Command1.Height()); });
    proc.step([&] { Picture16.Left(ll.Left() + Command1.Width()); });
}

void Form7::Seek() {
    rt::Try([&] { ll.MovieSeek(Picture16.Value()); });
}

void Form7::Form_Unload(int16_t&) {
    const controls::MainWindowLink* main = controls::LoadedMainWindow();
    rt::Procedure proc(rt::OnError::Skip);
    if (!main) return;
    controls::QuendelActiveMovie& pageMovie = *main->pageMovie;
    if (proc.test([&] { return rt::TextToDouble(Text1.Text()) == 1 && pageMovie.Visible(); })) {
        proc.step([&] { pageMovie.PlayAMovie(); });
        proc.step([&] { pageMovie.MovieSeek(ll.CurrentPosition()); });
        proc.step([&] { Text1.Text("0"); });
    }
}
