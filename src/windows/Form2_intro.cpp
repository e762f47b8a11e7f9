#include "windows/Form2_intro.h"

#include "controls/common/main_window_link.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/lists.h"
#include "runtime/ui.h"

namespace {

constexpr uint32_t kBlack = 0x000000;

void DesignSkipButton(controls::vxbutton& b) {
    b.ButtonStyle(8);
    b.Caption("S K I P");
    b.GetFont().Name("Tahoma");
    b.GetFont().Size(8.25f);
    b.BackColor(0xE0E0E0);
}

}  // namespace

Form2::Form2() : Form("Form2") {
    BorderStyle(rt::vbBSNone);
    BackColor(kBlack);
    // Client area 14085 x 11010 twips, centred on the screen.
    Move((rt::Screen::Width() - 14085) / 2, (rt::Screen::Height() - 11010) / 2, 14085, 11010);
    Label1.Move(480, 600, 1000, 255);
    Text1.Move(480, 960, 1000, 285);
    Text1.Text("10");
    mb.Move(480, 600, 12975, 9615);
    mb.Visible(false);
    chameleonButton1.Move(11040, 10320, 2415, 495);
    DesignSkipButton(chameleonButton1);
    Timer1.Interval(1);
    Timer1.Enabled(false);
    Timer2.Interval(1);

    Label1.Change = [this](int) { Label1_Change(); };
    Timer1.TimerEvent = [this](int) { Timer1_Timer(); };
    Timer2.TimerEvent = [this](int) { Timer2_Timer(); };
    mb.OnFinished = [this](int, bool& Finished) { mb_OnFinished(Finished); };
    mb.DblClick = [this](int) { chameleonButton1_Click(); };
    chameleonButton1.Click = [this](int) { chameleonButton1_Click(); };
}

void Form2::FinishIntro() {
    // Every way out of the intro comes here; the first one closes the window.
    if (!Loaded()) return;
    rt::Procedure proc(rt::OnError::Skip);
    if (const controls::MainWindowLink* main = controls::LoadedMainWindow()) {
        proc.step([&] { main->window->Left(rt::TextToDouble(Text1.Text())); });
        proc.step([&] { main->window->Visible(true); });
    }
    proc.step([&] { Unload(); });
}

void Form2::Label1_Change() {
    const std::string& name = Label1.Caption();
    if (name.empty() || name == "0") {
        FinishIntro();
        return;
    }
    rt::Procedure proc(rt::OnError::Skip);
    proc.step([&] { mb.Filename(rt::App::Path() + "\\Data\\" + name); });
    proc.step([&] { mb.PlayAMovie(); });
    proc.step([&] { Timer1.Enabled(true); });
}

void Form2::Timer2_Timer() {
    rt::Procedure proc(rt::OnError::Skip);
    proc.step([&] {
        if (const controls::MainWindowLink* main = controls::LoadedMainWindow()) main->music->StopAMovie();
    });
    proc.step([&] { mb.Visible(true); });
    proc.step([&] { mb.PlayAMovie(); });
    proc.step([&] { Timer2.Enabled(false); });
}

void Form2::Timer1_Timer() {
    if (mb.FileLength() == 0) FinishIntro();
}

void Form2::mb_OnFinished(bool Finished) {
    if (Finished) FinishIntro();
}

void Form2::chameleonButton1_Click() {
    FinishIntro();
}

void Form2::Form_DblClick() {
    FinishIntro();
}

void Form2::Form_Unload(int16_t&) {
    const controls::MainWindowLink* main = controls::LoadedMainWindow();
    if (!main) return;
    controls::QuendelActiveMovie& music = *main->music;
    rt::FileListBox& files = *main->musicFiles;
    rt::Procedure proc(rt::OnError::Skip);
    if (proc.test([&] { return files.ListCount() == 0; })) return;
    proc.step([&] { files.ListIndex(0); });
    proc.step([&] { music.Filename(files.Path() + "\\" + files.FileName()); });
    proc.step([&] { music.PlayAMovie(); });
}
