#include "windows/Form3_slideshow.h"

#include <windows.h>

#include "controls/common/main_window_link.h"
#include "controls/common/paint.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/handles.h"
#include "runtime/ui.h"
#include "runtime/win.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kLogoBlue = 0x9D6415;
constexpr int kStripWidth = 275, kStripHeight = 20;
constexpr int kFaceWidth = 16, kFaceHeight = 17;

enum class Glyph { Close, Minimise, Play, Pause, Previous, Next };

// A bitmap picture of w x h drawn by paint on a memory DC.
template <class Paint>
rt::Picture DrawnPicture(int w, int h, Paint paint) {
    rt::ScreenDC screen;
    rt::Bitmap bitmap(CreateCompatibleBitmap(screen.get(), w, h));
    rt::MemoryDC dc(screen.get());
    {
        rt::SelectGuard selected(dc.get(), bitmap.get());
        paint(dc.get());
    }
    return rt::Picture::FromBitmap(bitmap.release(), true);
}

// The strip behind the buttons and the counter: dark grey, lighter towards the top, with a
// light line along its bottom edge.
rt::Picture ToolStrip() {
    return DrawnPicture(kStripWidth, kStripHeight, [](HDC dc) {
        const controls::Gradient shade{0x505050, 0x202020, kStripHeight - 1};
        for (int y = 0; y < kStripHeight - 1; ++y)
            controls::SolidFill(dc, RECT{0, y, kStripWidth, y + 1}, shade(y));
        controls::SolidFill(dc, RECT{0, kStripHeight - 1, kStripWidth, kStripHeight}, 0x808080);
    });
}

// A button face: a white glyph on the strip's grey.
rt::Picture ButtonFace(Glyph glyph) {
    return DrawnPicture(kFaceWidth, kFaceHeight, [glyph](HDC dc) {
        controls::SolidFill(dc, RECT{0, 0, kFaceWidth, kFaceHeight}, 0x404040);
        rt::Brush white(CreateSolidBrush(kWhite));
        rt::Pen pen(CreatePen(PS_SOLID, 2, kWhite));
        rt::SelectGuard b(dc, white.get());
        rt::SelectGuard p(dc, pen.get());
        const auto triangle = [dc](POINT a, POINT c, POINT d) {
            POINT pts[] = {a, c, d};
            Polygon(dc, pts, 3);
        };
        switch (glyph) {
            case Glyph::Close:
                MoveToEx(dc, 4, 4, nullptr);
                LineTo(dc, 12, 12);
                MoveToEx(dc, 12, 4, nullptr);
                LineTo(dc, 4, 12);
                break;
            case Glyph::Minimise:
                controls::SolidFill(dc, RECT{4, 11, 12, 13}, kWhite);
                break;
            case Glyph::Play:
                triangle({5, 3}, {12, 8}, {5, 13});
                break;
            case Glyph::Pause:
                controls::SolidFill(dc, RECT{4, 4, 7, 13}, kWhite);
                controls::SolidFill(dc, RECT{9, 4, 12, 13}, kWhite);
                break;
            case Glyph::Previous:
                triangle({11, 3}, {4, 8}, {11, 13});
                break;
            case Glyph::Next:
                triangle({5, 3}, {12, 8}, {5, 13});
                controls::SolidFill(dc, RECT{12, 3, 14, 14}, kWhite);
                break;
        }
    });
}

void CounterLabel(rt::Label& label, const std::string& caption, uint32_t colour, double left) {
    label.GetFont().Name("Arial");
    label.GetFont().Size(12);
    label.BackColor(kBlack);
    label.ForeColor(colour);
    label.Caption(caption);
    label.Move(left, 0, 420, 300);
}

}  // namespace

Form3::Form3() : Form("Form3") {
    Caption("Slide Show");
    BorderStyle(rt::vbBSNone);
    BackColor(kBlack);
    Move((rt::Screen::Width() - 9600) / 2, (rt::Screen::Height() - 7200) / 2, 9600, 7200);
    WindowState(rt::vbMaximized);
    SetPicture(ToolStrip());

    File1.Visible(false);
    File1.Pattern("*.bmp;*.jpg;*.gif;*.ico");
    p.Visible(false);
    l.Stretch(false);
    CounterLabel(n, "0", kWhite, 2520);
    n.ToolTipText("No. Of Image");
    CounterLabel(Label1, "/", kRed, 2940);
    CounterLabel(t, "0", kWhite, 3120);
    t.ToolTipText("No. of All Imeges");
    lo.Caption("Vantrel");
    lo.BackColor(kBlack);
    lo.ForeColor(kLogoBlue);
    lo.AutoSize(true);
    Timer1.Interval(3000);
    Timer1.Enabled(false);
    bm.Visible(false);

    struct ButtonDesign {
        controls::chameleonButton& button;
        double left;
        const char* tip;
        Glyph glyph;
    };
    const ButtonDesign buttons[] = {
        {chameleonButton4, 120, "Close Slide Show", Glyph::Close},
        {chameleonButton5, 420, "Minimize Slide Show", Glyph::Minimise},
        {chameleonButton6, 840, "Play Slide Show", Glyph::Play},
        {chameleonButton3, 1200, "Pasue Slide Show", Glyph::Pause},
        {chameleonButton2, 1680, "previous Image", Glyph::Previous},
        {chameleonButton1, 2040, "Next Image", Glyph::Next},
    };
    for (const ButtonDesign& d : buttons) {
        d.button.Caption("");
        d.button.ToolTipText(d.tip);
        d.button.Move(d.left, 0, 250, 255);
        d.button.PictureNormal(ButtonFace(d.glyph));
    }

    chameleonButton1.Click = [this](int) { chameleonButton1_Click(); };
    chameleonButton2.Click = [this](int) { chameleonButton2_Click(); };
    chameleonButton3.Click = [this](int) { chameleonButton3_Click(); };
    chameleonButton4.Click = [this](int) { chameleonButton4_Click(); };
    chameleonButton5.Click = [this](int) { chameleonButton5_Click(); };
    chameleonButton6.Click = [this](int) { chameleonButton6_Click(); };
    Timer1.TimerEvent = [this](int) { Timer1_Timer(); };
    bm.OnFinished = [this](int, bool& finished) { bm_OnFinished(finished); };
}

void Form3::Form_Load() {
    rt::Procedure proc(rt::OnError::Skip);
    const controls::MainWindowLink* main = controls::LoadedMainWindow();
    proc.step([&] {
        if (main) bm.Filename(main->pat() + "\\data\\slideshow.mp3");
    });
    proc.step([&] { bm.PlayAMovie(); });
    proc.step([&] { PlaceLogo(); });
}

void Form3::Form_Resize() {
    rt::Try([&] { CentrePicture(); });
    rt::Try([&] { PlaceLogo(); });
}

void Form3::PlaceLogo() {
    lo.Left(Width() - lo.Width() + 20);
    lo.Top(Height() - lo.Height() + 20);
}

void Form3::CentrePicture() {
    l.Left(Width() / 2 - l.Width() / 2);
    l.Top(Height() / 2 - l.Height() / 2);
}

// One slide forward (1) or back (-1), wrapping at both ends; a picture that does not load leaves
// the previous one, and the counter still moves.
void Form3::ShowSlide(int direction) {
    rt::Procedure proc(rt::OnError::Skip);
    proc.step([&] {
        if (direction > 0)
            File1.ListIndex(File1.ListIndex() + 1 == File1.ListCount() ? 0 : File1.ListIndex() + 1);
        else
            File1.ListIndex(File1.ListIndex() < 1 ? File1.ListCount() - 1 : File1.ListIndex() - 1);
    });
    proc.step([&] { l.SetPicture(rt::LoadPicture(p.Caption() + "\\" + File1.FileName())); });
    proc.step([&] { CentrePicture(); });
    proc.step([&] { t.Caption(rt::Str(static_cast<int64_t>(File1.ListCount()))); });
    proc.step([&] { n.Caption(rt::Str(static_cast<int64_t>(File1.ListIndex() + 1))); });
}

void Form3::chameleonButton1_Click() {
    ShowSlide(1);
}
void Form3::Timer1_Timer() {
    ShowSlide(1);
}
void Form3::chameleonButton2_Click() {
    ShowSlide(-1);
}
void Form3::chameleonButton6_Click() {
    Timer1.Enabled(true);
}
void Form3::chameleonButton3_Click() {
    Timer1.Enabled(false);
}
void Form3::chameleonButton5_Click() {
    WindowState(rt::vbMinimized);
}

void Form3::chameleonButton4_Click() {
    if (const controls::MainWindowLink* main = controls::LoadedMainWindow())
        rt::Try([&] { main->music->PlayAMovie(); });
    Unload();
}

void Form3::bm_OnFinished(bool Finished) {
    if (!Finished) return;
    rt::Procedure proc(rt::OnError::Skip);
    const controls::MainWindowLink* main = controls::LoadedMainWindow();
    proc.step([&] {
        if (main) bm.Filename(main->pat() + "data\\slideshow.mp3");
    });
    proc.step([&] { bm.PlayAMovie(); });
}
