#include "controls/chrome/Form17.h"

#include <string>
#include <vector>

#include "controls/chrome/main_window_link.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/lifetime.h"
#include "runtime/textfile.h"
#include "runtime/ui.h"

namespace controls {

TitelBarProps Form17::DesignedBar() {
    TitelBarProps p = TitelBarProps::ReadDefaults();
    p.Font = rt::Font("Tahoma", 14.25f);
    p.Font.Charset(0);
    p.BorderNormal = 2;
    p.ShowMaximized = false;
    p.ShowMaximizedEnabled = true;
    p.DashBack = false;
    p.Caption3DWidth = 2;
    p.CaptionColorBack = 0x3C3C3C;
    p.PicturePosMode = 0;
    p.PicturePosX = 6;
    p.PicturePosY = 4;
    p.CaptionPosX = 0;
    p.CaptionPosY = 2;
    p.ShowCloseEnabled = true;
    p.ShowMinimizedEnabled = true;
    p.Style = 14;
    p.BackColor = 0x4F3026;
    p.BackColorCover = 3.0f;
    p.BackColorV1Begin = 0;
    p.BackColorV1End = 0x404040;
    p.BackColorV2Begin = 0x404040;
    p.BackColorV2End = 0;
    p.IconStyle = 1;
    p.CaptionBorder = true;
    p.CaptionColor = 0xFFFFFF;
    p.ForeColor = 0xFFFFFF;
    p.CaptionShadowColor = 0x3C3C3C;
    p.CaptionBorderColor = 0;
    p.BorderColorHighLight = 0xFFFFFF;
    p.BorderColorDarkLight = 0;
    p.ShowClose = true;
    p.ShowMinimized = true;
    p.Caption3DTop = false;
    p.Caption3DLeft = false;
    p.Caption3DRight = true;
    p.Caption3DBottom = true;
    return p;
}

Form17::Form17() : Form("Form17"), TitelBar1(*this, "TitelBar1", DesignedBar()) {
    BorderStyle(rt::vbBSNone);
    ShowInTaskbar(false);
    Move(Left(), Top(), 7005, 495);
    TitelBar1.Move(0, 0, ScaleWidth(), 495);
    TitelBar1.Visible(true);
    Timer1.Interval(60);
    Timer1.Enabled(false);
    Timer1.TimerEvent = [this](int) { Timer1_Timer(); };
    TitelBar1.MouseDown = [this](int, int16_t&, int16_t&, float&, float&) { Timer1.Enabled(true); };
    TitelBar1.MouseUp = [this](int, int16_t&, int16_t&, float&, float&) { Timer1.Enabled(false); };
}

void Form17::Form_Load() {
    rt::Form* main = MainWindow().window;
    rt::Try([&] {
        if (main) TitelBar1.Caption(main->Caption());
    });
    rt::Try([&] {
        if (!MainWindow().pat) return;
        // The folder text ends with a separator already; the doubled one is harmless.
        std::string icon = MainWindow().pat() + "\\Data\\titbricn.ico";
        if (rt::PathExists(icon) && !rt::IsDirectory(icon)) TitelBar1.PictureButton(rt::LoadPicture(icon));
    });
    rt::Try([&] {
        if (main) Icon(main->Icon());
    });
}

void Form17::Form_Resize() {
    // The bar is aligned to the top edge: it takes the window's width.
    rt::Try([&] { TitelBar1.Move(0, 0, ScaleWidth(), TitelBar1.Height()); });
}

void Form17::Timer1_Timer() {
    rt::Form* main = MainWindow().window;
    if (!main) return;
    rt::Try([&] { main->Top(Top() + Height()); });
    rt::Try([&] { main->Left(Left()); });
    rt::Try([&] { main->Width(Width()); });
}

void Form17::tib() {
    const MainWindowLink& link = MainWindow();
    std::string path;
    if (!link.pckex || !rt::Try([&] { path = link.pckex("TbRsG.tib"); })) return;
    struct CopyRemover {
        const std::string& path;
        ~CopyRemover() {
            if (!path.empty() && path != "error" && rt::PathExists(path)) rt::Try([&] { rt::Kill(path); });
        }
    } remover{path};

    rt::InputFile file;
    if (!rt::Try([&] { file.Open(path); })) return;
    // Keeps this window alive while the message loop runs between records.
    rt::HandlerScope scope;
    while (!file.AtEnd()) {
        std::vector<std::string> f;
        while (f.size() < 21 && !file.AtEnd()) {
            if (!rt::Try([&] { f.push_back(file.ReadField()); })) break;
        }
        auto field = [&](size_t n, auto apply) {
            if (n <= f.size()) rt::Try([&] { apply(f[n - 1]); });
        };
        auto colour = [](const std::string& t) { return static_cast<uint32_t>(rt::TextToInt32(t)); };
        field(1, [&](const std::string& t) { TitelBar1.BackColorV1Begin(colour(t)); });
        field(2, [&](const std::string& t) { TitelBar1.BackColorV1End(colour(t)); });
        field(3, [&](const std::string& t) { TitelBar1.BackColorV2Begin(colour(t)); });
        field(4, [&](const std::string& t) { TitelBar1.BackColorV2End(colour(t)); });
        field(5, [&](const std::string& t) { TitelBar1.BorderColorHighLight(colour(t)); });
        field(6, [&](const std::string& t) { TitelBar1.BorderColorDarkLight(colour(t)); });
        field(7, [&](const std::string& t) { TitelBar1.BackColor(colour(t)); });
        field(8, [&](const std::string& t) { TitelBar1.CaptionColor(colour(t)); });
        field(9, [&](const std::string& t) { TitelBar1.CaptionShadowColor(colour(t)); });
        field(10, [&](const std::string& t) { TitelBar1.CaptionBorderColor(colour(t)); });
        field(11, [&](const std::string& t) { TitelBar1.Style(rt::TextToInt32(t)); });
        field(12, [&](const std::string& t) { TitelBar1.IconStyle(rt::TextToByte(t)); });
        field(13, [&](const std::string& t) { TitelBar1.ShowClose(rt::TextToBoolean(t)); });
        field(14, [&](const std::string& t) { TitelBar1.ShowMinimized(rt::TextToBoolean(t)); });
        field(15, [&](const std::string& t) { TitelBar1.BackColorCover(rt::TextToSingle(t)); });
        field(16, [&](const std::string& t) { TitelBar1.Caption3DBottom(rt::TextToBoolean(t)); });
        field(17, [&](const std::string& t) { TitelBar1.Caption3DLeft(rt::TextToBoolean(t)); });
        field(18, [&](const std::string& t) { TitelBar1.Caption3DRight(rt::TextToBoolean(t)); });
        field(19, [&](const std::string& t) { TitelBar1.Caption3DTop(rt::TextToBoolean(t)); });
        field(20, [&](const std::string& t) { TitelBar1.CaptionBorder(rt::TextToBoolean(t)); });
        field(21, [&](const std::string& t) {
            int32_t c = rt::TextToInt32(t);
            if (link.setBorderColor) link.setBorderColor(c);
        });
        rt::DoEvents();
        if (f.size() < 21) break;
    }
    file.Close();
}

}  // namespace controls
