// Movie and sound actions: the page movie in the page's movie area, a movie in the movie window,
// pause, stop, resume, seek and volume of the page movie, and the background music.
#include <string>

#include "actions/interpreter.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "shell/Form1.h"
#include "windows/Form7_movie.h"

namespace actions {

namespace {

// Argument 1, or nothing: a movie action without its argument is given the application folder.
std::string MovieArgument(const ActionCommand& command) {
    return command.Has(1) ? command.Arg(1) : std::string();
}

// vlm plus or minus the argument, rounded; an argument that is no number leaves vlm as it is.
void ChangeVolume(Form1& main, const ActionCommand& command, int sign) {
    rt::Try([&] { main.vlm = rt::RoundEven(main.vlm + sign * rt::TextToDouble(command.Arg(1))); });
    main.mb.SetMediaVolume(main.vlm);
}

// The page movie's position moved by the argument; an argument that is no number seeks nothing.
void SeekBy(Form1& main, const ActionCommand& command, int sign) {
    const double seconds = rt::TextToDouble(command.Arg(1));
    main.mb.MovieSeek(main.mb.CurrentPosition() + sign * seconds);
}

}  // namespace

void MovieAction(Form1& main, MovieOp op, const ActionCommand& command) {
    rt::Procedure proc(rt::OnError::Skip);
    switch (op) {
        case MovieOp::PageMovie:
            proc.step([&] { main.mb.Visible(false); });
            proc.step([&] { main.Label2.Caption(main.pat.Text() + MovieArgument(command)); });
            proc.step([&] { main.bac.StopAMovie(); });
            proc.step([&] { main.mb.Filename(main.Label2.Caption()); });
            proc.step([&] { main.mb.PlayAMovie(); });
            proc.step([&] { main.mb.Left(main.Label2.Left()); });
            proc.step([&] { main.mb.Top(main.Label2.Top()); });
            proc.step([&] { main.mb.Height(main.Label2.Height()); });
            proc.step([&] { main.mb.Width(main.Label2.Width()); });
            proc.step([&] { main.mb.Visible(true); });
            break;
        case MovieOp::MovieWindow: {
            proc.step([&] { main.Label2.Caption(main.pat.Text() + MovieArgument(command)); });
            proc.step([&] { main.bac.StopAMovie(); });
            Form7* window = nullptr;
            proc.step([&] { window = &rt::Load<Form7>(); });
            if (!window) return;
            proc.step([&] { window->Visible(true); });
            proc.step([&] { window->ll.Filename(main.Label2.Caption()); });
            proc.step([&] { window->ll.PlayAMovie(); });
            break;
        }
        case MovieOp::Resume:
            proc.step([&] { main.bac.StopAMovie(); });
            proc.step([&] { main.mb.ContinuePlay(); });
            break;
        case MovieOp::Stop:
            main.mb.StopAMovie();
            break;
        case MovieOp::Pause:
            main.mb.PauseAMovie();
            break;
        case MovieOp::FullScreen:
            // Accepted, and does nothing.
            break;
        case MovieOp::VolumeUp:
            ChangeVolume(main, command, 1);
            break;
        case MovieOp::VolumeDown:
            ChangeVolume(main, command, -1);
            break;
        case MovieOp::SeekBack:
            SeekBy(main, command, -1);
            break;
        case MovieOp::SeekForward:
            SeekBy(main, command, 1);
            break;
        case MovieOp::MusicStop:
            proc.step([&] { main.bac.StopAMovie(); });
            proc.step([&] { main.st.Text("2"); });
            break;
        case MovieOp::MusicPlay:
            proc.step([&] { main.bac.PlayAMovie(); });
            proc.step([&] { main.st.Text("1"); });
            break;
    }
}

}  // namespace actions
