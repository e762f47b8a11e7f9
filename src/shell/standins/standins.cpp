// Stand-ins of windows that later parts of the program replace.
#include <string>

#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/picture.h"
#include "runtime/ui.h"
#include "shell/Form1.h"
#include "shell/program.h"
#include "shell/standins/Form6.h"

Form6::Form6() : Form("Form6") {
    BorderStyle(rt::vbBSNone);
    Timer1.Enabled(false);
    Timer1.Interval(2000);
    Timer1.TimerEvent = [this](int) { Finish(); };
}

void Form6::Form_Load() {
    bool shown = rt::Try([&] {
        Image1.SetPicture(rt::LoadPicture(rt::Load<Form1>().pat.Text() + "data\\cr.pic"));
        Move((rt::Screen::Width() - Image1.Width()) / 2, (rt::Screen::Height() - Image1.Height()) / 2,
             Image1.Width(), Image1.Height());
    });
    if (shown)
        Timer1.Enabled(true);
    else
        Finish();
}

void Form6::Finish() {
    Timer1.Enabled(false);
    rt::UnloadAll();
    shell::EndProgram();
}
