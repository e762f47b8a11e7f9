#include "windows/Form6_exit.h"

#include <cstdint>
#include <string>

#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/picture.h"
#include "runtime/ui.h"
#include "windows/window_layout.h"

namespace {

// The windows that the end unloads one by one, in this order; the others close with the
// program. Windows that are not loaded are skipped.
constexpr const char* kUnloadOrder[] = {"Form1", "Form2", "Form7", "Form4", "Form5", "Form6", "Form3"};

}  // namespace

Form6::Form6() : Form("Form6") {
    BorderStyle(rt::vbBSNone);
    ShowInTaskbar(false);
    windows::SetClientSize(*this, 1845, 1380);
    windows::CentreOnScreen(*this);
    Image1.Move(0, 0);
    Timer1.TimerEvent = [this](int) { Timer1_Timer(); };
    Timer1.Interval(2000);  // running from the load on
}

void Form6::Form_Load() {
    rt::Err().Clear();
    rt::Try([&] {
        const std::string folder = rt::App::Path() + rt::App::PathSuffix();
        const std::string path = folder + "data\\cr.pic";
        if (!rt::PathExists(path))
            rt::Raise(rt::IsDirectory(folder + "data") ? rt::errFileNotFound : rt::errPathNotFound);
        Image1.SetPicture(rt::LoadPicture(path));
        Width(Image1.Width());
        Height(Image1.Height());
        Image1.Move(0, 0);
        windows::CentreOnScreen(*this);
    });
    // Without a picture there is nothing to show: the end comes at once. Any other failure leaves
    // the window up until the timer ends the program.
    const int32_t error = rt::Err().Number;
    if (error == rt::errFileNotFound || error == rt::errPathNotFound) EndAll();
}

void Form6::Timer1_Timer() {
    EndAll();
}

void Form6::EndAll() {
    Timer1.Enabled(false);
    for (const char* name : kUnloadOrder) {
        for (rt::Form* f : rt::Forms())
            if (f->Name() == name) {
                rt::Try([f] { f->Unload(); });
                break;
            }
    }
    rt::App::End();
}
