#include "windows/Form12_media_browser.h"

#include <string>

#include "controls/common/main_window_link.h"
#include "controls/media/QuendelActiveMovie.h"
#include "runtime/error.h"
#include "windows/window_layout.h"

namespace {

constexpr const char* kSoundFiles = "*.mp3;*.wma;*.wav;*.mdi";
constexpr const char* kMovieFiles = "*.avi;*.wmv;*.asf;*.mpg";
constexpr const char* kMediaFiles = "*.mp3;*.wma;*.wav;*.mdi;*.avi;*.wmv;*.asf;*.mpg";
constexpr uint32_t kBarBlue = 0xDF9E6F;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr double kClientWidth = 8190, kClientHeight = 4755;

void StyleBar(rt::Label& bar, const rt::Font& font) {
    bar.BackColor(kBarBlue);
    bar.ForeColor(kWhite);
    bar.SetFont(font);
}

}  // namespace

Form12::Form12() : Form("Form12") {
    Caption("Select Your Media Files");
    BorderStyle(rt::vbFixedDialog);
    MinButton(false);
    MaxButton(false);
    ShowInTaskbar(false);
    BackColor(kWhite);
    windows::SetClientSize(*this, kClientWidth, kClientHeight);
    windows::CentreOnScreen(*this);
    const rt::Font bars("Arial", 18, true);
    StyleBar(Label1, bars);
    Label1.Caption(" Select Your Media Files");
    Label1.Move(0, 0, kClientWidth, 495);
    StyleBar(Label2, bars);
    Label2.Caption("");
    Label2.Move(0, kClientHeight - 375, kClientWidth, 375);
    Drive1.Move(120, 615, 3135);
    Dir1.Move(120, 1000, 3135, 3240);
    File1.Move(3375, 615, 2895, 3630);
    File1.Pattern(kMediaFiles);
    const struct {
        controls::chameleonButton& button;
        const char* caption;
        const char* pattern;
    } filters[] = {
        {chameleonButton1, "Sound Files Only", kSoundFiles},
        {chameleonButton2, "Movie File Only", kMovieFiles},
        {chameleonButton3, "All Media Files", kMediaFiles},
    };
    double top = 615;
    for (const auto& f : filters) {
        f.button.ButtonType(3);
        f.button.Caption(f.caption);
        f.button.Move(6375, top, 1695, 375);
        f.button.Click = [this, pattern = f.pattern](int) { File1.Pattern(pattern); };
        top += 480;
    }
    Image1.Move(6375, top + 120);
    Drive1.Change = [this](int) { Drive1_Change(); };
    Dir1.Change = [this](int) { Dir1_Change(); };
    File1.DblClick = [this](int) { File1_DblClick(); };
}

void Form12::Drive1_Change() {
    rt::Procedure proc(rt::OnError::Skip);
    proc.step([&] { Dir1.Path(Drive1.Drive()); });
    proc.step([&] { File1.Path(Dir1.Path()); });
}

void Form12::Dir1_Change() {
    rt::Try([&] { File1.Path(Dir1.Path()); });
}

void Form12::File1_DblClick() {
    if (const controls::MainWindowLink* main = controls::LoadedMainWindow()) {
        rt::Try([&] {
            main->music->StopAMovie();
            // At a drive's root the folder already ends in a backslash.
            const std::string folder = File1.Path();
            const bool root = !folder.empty() && folder.back() == '\\';
            controls::QuendelActiveMovie& movie = *main->pageMovie;
            const rt::Control& area = *main->movieArea;
            movie.Filename(folder + (root ? "" : "\\") + File1.FileName());
            movie.PlayAMovie();
            movie.Move(area.Left(), area.Top(), area.Width(), area.Height());
            movie.Visible(true);
        });
    }
    Unload();
}
