#include "controls/media/slideshowacx.h"

#include <algorithm>
#include <string>

#include "controls/common/main_window_link.h"
#include "controls/common/mdlList.h"
#include "controls/common/paint.h"
#include "controls/media/Module4.h"
#include "controls/media/modGDIPlusResize.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/random.h"
#include "runtime/ui.h"
#include "runtime/win.h"

namespace controls {

namespace {

// Thrown when the control was unloaded while the message loop ran: the advance ends there.
struct ControlGone {};

// The listing's patterns: "*.jpeg" stands where the design had the misspelt "*.jpge".
constexpr const char* kPattern = "*.jpg;*.bmp;*.gif;*.jpeg;*.wmf";
constexpr int32_t kDesignInterval = 3000;
constexpr int32_t kFirstTickDelay = 5;

int32_t TimerInterval(int64_t ms) {
    return static_cast<int32_t>(std::clamp<int64_t>(ms, 0, 65535));
}

}  // namespace

slideshowacx::slideshowacx(rt::Container& c, std::string name, int index,
                           std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowed, std::move(stored)) {
    wire();
    Create();
}

slideshowacx::slideshowacx(const slideshowacx& t, int index)
    : UserControl(t, index), MouseDown(t.MouseDown), Click(t.Click) {
    wire();
    Create();
}

void slideshowacx::wire() {
    Timer1.Enabled(false);
    Timer1.Interval(kDesignInterval);
    Timer1.TimerEvent = [this](int) { Timer1_Timer(); };
    Picture7.Click = [this](int) { Picture7_Click(); };
    Picture7.MouseDown = [this](int, int16_t b, int16_t s, float x, float y) {
        RaiseEvent(MouseDown, b, s, x, y);
    };
}

void slideshowacx::UserControl_Initialize() {
    for (rt::PictureBox* box : {&Picture7, &Picture5, &Picture6}) {
        box->BorderStyle(0);
        box->AutoRedraw(true);
    }
    Picture7.Surface().BackColor(0);
    Picture7.MousePointer(rt::vbCustom);
    Picture7.MouseIcon(HandPointerPicture());
    Picture5.Visible(false);
    Picture6.Visible(false);
    File1.Visible(false);
    File1.Pattern(kPattern);
    List1.Visible(false);
    UserControl_Resize();
}

void slideshowacx::UserControl_InitProperties() {}

VANTREL_PROPERTY_TABLE(slideshowacx, VANTREL_SLIDESHOW_PROPERTIES)

void slideshowacx::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Properties().ReadAll(*this, PropBag);
    ListFolderAtLoad();
}

void slideshowacx::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    Properties().WriteAll(*this, PropBag);
}

void slideshowacx::UserControl_Resize() {
    for (rt::PictureBox* box : {&Picture7, &Picture5, &Picture6})
        rt::Try([&] { box->Move(0, 0, ScaleWidth(), ScaleHeight()); });
}

std::string slideshowacx::PictureFolder() const {
    const auto& pat = MainWindow().pat;
    return (pat ? pat() : std::string()) + settings_.FPath;
}

void slideshowacx::ListFolderAtLoad() {
    try {
        File1.Path(PictureFolder());
        if (File1.ListCount() > 0) Text1 = "0";
    } catch (...) {
        Text1 = "0";
    }
}

void slideshowacx::goslid(const std::string& pathn) {
    List1.Clear();
    mdlList::LoadItemList(pathn, List1, [] { rt::DoEvents(); });
}

void slideshowacx::Interval(int32_t v) {
    interval_ = v;
    Timer1.Interval(kFirstTickDelay);
    PropertyChanged("Interval");
}

void slideshowacx::Timer1_Timer() {
    rt::Try([&] { Timer1.Interval(TimerInterval(interval_)); });
    Advance(Step::Timer);
}

void slideshowacx::nextp() {
    Advance(Step::Next);
}

void slideshowacx::backp() {
    Advance(Step::Back);
}

void slideshowacx::playp() {
    Timer1.Enabled(true);
}

// One step of the show: Picture5 the picture at the index, Picture6 its neighbour, then the
// transition. An index outside the listing, at either end or after the folder shrank, takes the
// recovery at once, as a picture that cannot be loaded does.
void slideshowacx::Advance(Step how) {
    try {
        try {
            File1.Path(PictureFolder());
            const int count = File1.ListCount();
            if (how == Step::Timer && (!StartPlayv || count == 0)) {
                Timer1.Enabled(false);
                return;
            }
            if (count == 0) return;
            const int i = rt::TextToInt32(Text1);
            const int j = how == Step::Back ? i - 1 : i + 1;
            if (i < 0 || i >= count) return Recover(how);
            LoadInto(Picture5, i);
            Fit(Picture5);
            if (j < 0 || j >= File1.ListCount()) return Recover(how);
            txtname = File1.List(j);
            LoadInto(Picture6, j);
            Fit(Picture6);
            Text1 = rt::Str(static_cast<int64_t>(j));
            trns();
        } catch (const rt::RuntimeError& e) {
            const int32_t n = e.Number();
            if (n == rt::errInvalidPicture || n == rt::errPathNotFound || n == rt::errFileNotFound)
                Recover(how);
        }
    } catch (const ControlGone&) {
    } catch (...) {
        rt::RecordCurrentException();
    }
}

// Back to the first picture (forward) or the last (back); a failure here ends the step quietly.
void slideshowacx::Recover(Step how) {
    try {
        const int count = File1.ListCount();
        const int k = how == Step::Back ? count - 1 : 0;
        Text1 = rt::Str(static_cast<int64_t>(k));
        if (count == 0) {
            if (how == Step::Timer) Timer1.Enabled(false);
            return;
        }
        LoadInto(Picture6, k);
        Fit(Picture6);
        txtname = File1.List(k);
        trns();
    } catch (const ControlGone&) {
        throw;
    } catch (...) {
        rt::RecordCurrentException();
    }
}

void slideshowacx::LoadInto(rt::PictureBox& box, int i) {
    box.SetPicture(rt::LoadPicture(File1.Path() + "\\" + File1.List(i)));
}

void slideshowacx::Pump() {
    rt::DoEvents();
    if (Unloaded()) throw ControlGone{};
}

void slideshowacx::Fit(rt::PictureBox& box) {
    Pump();
    ULONG_PTR token = modGDIPlusResize::GdipStartToken();
    try {
        const rt::Picture& current = box.GetPicture();
        box.SetPicture(modGDIPlusResize::ScalePictureGdip(current.Handle(), current.Type(),
                                                          rt::ToPixelsX(box.Width()),
                                                          rt::ToPixelsY(box.Height()), clr, true, false));
    } catch (...) {
        modGDIPlusResize::GdipEndToken(token);
        throw;
    }
    modGDIPlusResize::GdipEndToken(token);
}

void slideshowacx::rez() {
    Fit(Picture5);
}

void slideshowacx::rez2() {
    Fit(Picture6);
}

void slideshowacx::trns() {
    static const char* const kCodes[] = {"wl", "wr", "wu", "wd", "wh", "wv", "sp", "su", "rlh", "rlv"};
    if (settings_.trnsname.empty()) {
        const int n = static_cast<int>(rt::Rnd() * 10 + 1);
        Effect(kCodes[std::clamp(n, 1, 10) - 1]);
        return;
    }
    for (const char* code : kCodes)
        if (settings_.trnsname == code) return Effect(code);
}

// Every wrapper lets the message loop run once, then plays its code's effect from Picture5 to
// Picture6 on Picture7; "su" slides downward and leaves the control at Picture5's size.
void slideshowacx::Effect(const char* code) {
    Pump();
    Module4::PlayTransition(code, Module4::TransitionBoxes{Picture5, Picture6, Picture7}, 2);
    if (std::string(code) == "su") {
        Width(Picture5.Width());
        Height(Picture5.Height());
    }
}

void slideshowacx::wlss() {
    Effect("wh");
}
void slideshowacx::wv() {
    Effect("wv");
}
void slideshowacx::wl() {
    Effect("wl");
}
void slideshowacx::wu() {
    Effect("wu");
}
void slideshowacx::rlv() {
    Effect("rlv");
}
void slideshowacx::wd() {
    Effect("wd");
}
void slideshowacx::rlh() {
    Effect("rlh");
}
void slideshowacx::su() {
    Effect("su");
}
void slideshowacx::sp() {
    Effect("sp");
}
void slideshowacx::wr() {
    Effect("wr");
}
void slideshowacx::wh() {
    Effect("wh");
}

// The first item whose display text is the shown file's name runs its action list.
void slideshowacx::Picture7_Click() {
    RaiseEvent(Click);
    if (Unloaded()) return;
    const auto goOn = [this] {
        rt::DoEvents();
        return !Unloaded();
    };
    mdlList::RunFirstItem(List1, txtname, goOn, MainWindow().runActions);
}

}  // namespace controls
