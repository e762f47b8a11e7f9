#include "shell/Form4.h"

#include <string>
#include <vector>

#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/picture.h"
#include "runtime/ui.h"
#include "shell/Form1.h"
#include "shell/fonts/mzInstalarFuente.h"
#include "shell/mMain.h"
#include "shell/requmet.h"
#include "shell/resolution.h"
#include "shell/settings_items.h"
#include "shell/startup_trace.h"

namespace {

constexpr double kDesignWidth = 2130;
constexpr double kDesignHeight = 1635;

// A value read from the system: nothing when it is empty or is no number.
bool ReadNumber(const std::string& text, double& value) {
    return !text.empty() && rt::Try([&] { value = rt::TextToDouble(text); });
}

void StartMusic(Form1& main) {
    main.bac.Filename(main.l.Path() + "\\" + main.l.FileName());
    main.bac.PlayAMovie();
}

}  // namespace

Form4::Form4() : Form("Form4") {
    BorderStyle(rt::vbBSNone);
    Caption("");
    ShowInTaskbar(false);
    Move((rt::Screen::Width() - kDesignWidth) / 2, (rt::Screen::Height() - kDesignHeight) / 2, kDesignWidth,
         kDesignHeight);
    Image1.Move(0, 0);
    Timer1.TimerEvent = [this](int) { Timer1_Timer(); };
    Timer1.Interval(2000);
    File1.Visible(false);
    File1.Pattern("*.ttf;*.fon");
    cmdInstall.Visible(false);
    cmdInstall.Caption("Install");
}

std::string Form4::AppFile(const std::string& relative) const {
    return rt::App::Path() + AppPathSuffix + relative;
}

void Form4::Stop(const std::string& message, const std::string& title) {
    // The splash timer must not hand over while the message is open.
    Timer1.Enabled(false);
    rt::MsgBox(message, rt::vbCritical, title);
    rt::App::End();
}

void Form4::Form_Load() {
    rt::Procedure proc(rt::OnError::Skip);
    shell::Trace("Form4 load");
    proc.step([&] { AppPathSuffix = rt::App::PathSuffix(); });

    shell::Trace("Form4 display mode");
    if (proc.test([&] { return rt::PathExists(AppFile("Data\\scr.res")); })) {
        std::vector<std::string> items;
        proc.step([&] { items = shell::ReadSettingItems(AppFile("Data\\scr.res")); });
        const int32_t width = shell::ItemInt32(items, 0);
        const int32_t height = shell::ItemInt32(items, 1);
        if (width > 0 && height > 0) proc.step([&] { resolution::ChangeResolution(width, height); });
    }

    shell::Trace("Form4 requirements");
    if (proc.test([&] { return rt::PathExists(AppFile("Data\\data.req")); })) {
        std::vector<std::string> items;
        proc.step([&] { items = shell::ReadSettingItems(AppFile("Data\\data.req")); });
        const double lowestVersion = shell::ItemDouble(items, 0);
        const int32_t leastMemory = shell::ItemInt32(items, 2);
        proc.step([] { requmet::GatherSystemInfo(); });
        // A value the system does not give cannot fail the check: the check is skipped.
        double version = 0;
        if (ReadNumber(
                requmet::RegReadValue(
                    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\CurrentVersion"),
                version) &&
            version < lowestVersion) {
            Stop(shell::ItemText(items, 1), "Operating System");
            return;
        }
        double memory = 0;
        if (ReadNumber(requmet::MemoryFigure(), memory) && memory < leastMemory) {
            Stop(shell::ItemText(items, 3), "Physical Memory");
            return;
        }
    }

    shell::Trace("Form4 icons");
    proc.step([&] { mMain::SetFormIcons(hWnd(), "AAA", true); });

    shell::Trace("Form4 store check");
    const std::string store = AppFile("quorlin.dat");
    if (proc.test([&] { return !rt::PathExists(store) || rt::IsDirectory(store); })) {
        Stop("Warning: Could not find data file \"quorlin.dat\"", rt::App::Title());
        return;
    }

    shell::Trace("Form4 fonts");
    proc.step([&] { File1.Path(AppFile("Data\\Fonts\\")); });
    proc.step([&] { cmdInstall_Click(); });
}

void Form4::cmdInstall_Click() {
    // A failure ends the loop; the hand-over happens all the same.
    rt::Try([&] {
        for (int i = 0; i < File1.ListCount(); ++i) installfont(File1.List(i));
    });
    cont();
}

void Form4::installfont(const std::string& fontFile) {
    mzInstalarFuente installer;
    installer.FicheroTTF(fontFile);
    installer.PathTTF(AppFile("Data\\Fonts\\"));
    installer.Instalar();
    shell::Trace("Form4 font " + fontFile);
}

void Form4::cont() {
    const std::string picture = AppFile("data\\sphe.pic");
    try {
        if (!rt::PathExists(picture))
            rt::Raise(rt::IsDirectory(AppFile("data")) ? rt::errFileNotFound : rt::errPathNotFound);
        Image1.SetPicture(rt::LoadPicture(picture));
        Width(Image1.Width());
        Height(Image1.Height());
        Image1.Move(0, 0);
        Timer1.TimerEvent = [this](int) { Timer1_Timer(); };
        Timer1.Interval(2000);
        // Centred at the picture's size.
        Move((rt::Screen::Width() - Width()) / 2, (rt::Screen::Height() - Height()) / 2);
        shell::Trace("Form4 splash");
        return;
    } catch (const rt::RuntimeError& e) {
        if (e.Number() != rt::errFileNotFound && e.Number() != rt::errPathNotFound) {
            // Not a picture: the launcher shows empty until the timer hands over.
            shell::Trace("Form4 splash without picture");
            return;
        }
    }
    HandOver();
}

void Form4::Timer1_Timer() {
    HandOver();
}

void Form4::HandOver() {
    // Once only: the main window's load may let the message loop run.
    Timer1.Enabled(false);
    shell::Trace("Form4 hand over");
    Form1* main = nullptr;
    if (!rt::Try([&] { main = &rt::Load<Form1>(); })) {
        // A store that cannot be read leaves a main window that never shows: end through the
        // exit window instead of running on invisibly.
        main = nullptr;
        if (auto* failed = rt::LoadedForm<Form1>()) rt::Try([&] { failed->Unload(); });
    }
    rt::Try([&] {
        if (main && main->Loaded() && main->l.ListCount() >= 1) {
            main->l.ListIndex(0);
            StartMusic(*main);
        }
    });
    rt::Try([&] { Unload(); });
}
