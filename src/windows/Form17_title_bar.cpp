#include "windows/Form17_title_bar.h"

#include <memory>
#include <string>
#include <vector>

#include "controls/common/main_window_link.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/lifetime.h"
#include "runtime/textfile.h"
#include "runtime/ui.h"

namespace windows {

std::shared_ptr<const rt::PropertyBag> Form17::DesignedBar() {
    rt::Font font("Tahoma", 14.25f);
    font.Charset(0);
    static const auto bag = std::make_shared<const rt::PropertyBag>(rt::PropertyBag{
        // Kept whatever the style file says.
        {"Font", font},
        {"BorderNormal", int32_t{2}},
        {"ShowMaximized", false},
        {"ShowMaximizedEnabled", true},
        {"DashBack", false},
        {"Caption3DWidth", int32_t{2}},
        {"CaptionColorBack", 0x3C3C3Cu},
        {"PicturePosMode", int32_t{0}},
        {"PicturePosX", int16_t{6}},
        {"PicturePosY", int16_t{4}},
        {"CaptionPosX", int32_t{0}},
        {"CaptionPosY", int32_t{2}},
        {"ShowCloseEnabled", true},
        {"ShowMinimizedEnabled", true},
        // In force until a style record sets them.
        {"Style", int16_t{14}},
        {"BackColor", 0x4F3026u},
        {"BackColorCover", 3.0f},
        {"BackColorV1Begin", 0u},
        {"BackColorV1End", 0x404040u},
        {"BackColorV2Begin", 0x404040u},
        {"BackColorV2End", 0u},
        {"IconStyle", int32_t{1}},
        {"CaptionBorder", true},
        {"CaptionColor", 0xFFFFFFu},
        {"CaptionShadowColor", 0x3C3C3Cu},
        {"CaptionBorderColor", 0u},
        {"BorderColorHighLight", 0xFFFFFFu},
        {"BorderColorDarkLight", 0u},
        {"ShowClose", true},
        {"ShowMinimized", true},
        {"Caption3DTop", false},
        {"Caption3DLeft", false},
        {"Caption3DRight", true},
        {"Caption3DBottom", true},
    });
    return bag;
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
    rt::Form* main = controls::MainWindow().window;
    rt::Try([&] {
        if (main) TitelBar1.Caption(main->Caption());
    });
    rt::Try([&] {
        if (!controls::MainWindow().pat) return;
        // The folder text ends with a separator already; the doubled one is harmless.
        std::string icon = controls::MainWindow().pat() + "\\Data\\titbricn.ico";
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
    rt::Form* main = controls::MainWindow().window;
    if (!main) return;
    rt::Try([&] { main->Top(Top() + Height()); });
    rt::Try([&] { main->Left(Left()); });
    rt::Try([&] { main->Width(Width()); });
}

void Form17::tib() {
    const controls::MainWindowLink& link = controls::MainWindow();
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

}  // namespace windows
