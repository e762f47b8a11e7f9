#include "controls/alpha/win8Metro.h"

#include <utility>

#include "controls/common/paint.h"
#include "runtime/error.h"
#include "runtime/lifetime.h"

namespace controls {

namespace {

constexpr uint32_t kWindowColour = 0x80000005u;
constexpr int16_t kCustomPointer = 99;

// The icon beside the caption: 105 x 89 pixels, 16 pixels from the left edge; the caption starts
// 100 twips right of it.
constexpr float kIconLeft = 240, kIconWidth = 1575, kIconHeight = 1335, kCaptionGap = 100;

// The background as designed: a rectangle with back style 1 and border style 1, fill 57 (the
// forward diagonal gradient), mouse events wanted, stretched and centred; back transparency 1.
std::shared_ptr<const rt::PropertyBag> DesignedBackground() {
    static const auto bag = std::make_shared<const rt::PropertyBag>(rt::PropertyBag{
        {"Settings", int32_t{0x20007918}},
        {"BdrColor", 0xE47A23u},
        {"FillColor", 0xFFu},
        {"BkColor", 0xFFC0FFu},
        {"TransColors", int32_t{1}},
    });
    return bag;
}

rt::Font DesignedCaptionFont() {
    rt::Font font("Tahoma", 12, true);
    font.Charset(178);
    return font;
}

}  // namespace

void win8Metro::HiddenCheck::Value(int16_t v) {
    if (v < 0 || v > 2) rt::Raise(rt::errInvalidPropertyValue, "Check1");
    if (v == value_) return;
    value_ = v;
    if (onClick_) {
        rt::HandlerScope scope;
        onClick_();
    }
}

win8Metro::win8Metro(rt::Container& c, std::string name, int index,
                     std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowless, std::move(stored)),
      AlphaShapeCtl1(*this, "AlphaShapeCtl1", -1, DesignedBackground()) {
    DesignConstituents();
    wire();
    Create();
}

win8Metro::win8Metro(const win8Metro& templ, int index)
    : UserControl(templ, index), AlphaShapeCtl1(*this, "AlphaShapeCtl1", -1, DesignedBackground()) {
    DesignConstituents();
    wire();
    Create();
}

void win8Metro::DesignConstituents() {
    UserControl::BackColor(kWindowColour);
    AlphaShapeCtl1.Move(0, 0, 4695, 1335);
    aicAlphaImage1.Caption("");
    // The icon keeps the size the layout gives it: as a designed part it has its stored settings,
    // where AutoSize is off, not those of a control new on a form.
    aicAlphaImage1.AutoSize(false);
    aicAlphaImage1.Move(240, 120, 1215, 1095);
    Label1.Caption("Label1");
    Label1.ForeColor(0xFFFFFF);
    Label1.BackStyle(rt::vbTransparent);
    Label1.SetFont(DesignedCaptionFont());
    Label1.AutoSize(true);
    Label1.Move(2160, 600, 810, 285);
    d.HitTest(0);
    d.MouseIcon(HandPointerPicture());
    d.MousePointer(kCustomPointer);
    d.Caption("");
    d.ScaleMethod(1);
    d.Move(720, 720, 1215, 855);
}

void win8Metro::wire() {
    d.Click = [this](int, int16_t&) { RaiseEvent(Click); };
    d.MouseEnter = [this](int) { d_MouseEnter(); };
    d.MouseExit = [this](int) { d_MouseExit(); };
}

// ---- members that act

bool win8Metro::LoadImage_FromFile(const std::string& Filename, int32_t desiredIconWidth,
                                   int32_t desiredIconHeight, int32_t desiredIconBitDepth) {
    return aicAlphaImage1.LoadImage_FromFile(Filename, desiredIconWidth, desiredIconHeight,
                                             desiredIconBitDepth);
}

// The icon takes the picture as it is; the reference comes back unchanged.
bool win8Metro::LoadImage_FromStdPicture(rt::Picture& stdPic) {
    return aicAlphaImage1.LoadImage_FromStdPicture(stdPic);
}

void win8Metro::ref() {
    Layout(false);
    rt::Control::Refresh();
}

// ---- layout and the mouse surface

void win8Metro::Layout(bool resizing) {
    const auto w = static_cast<float>(rt::Control::Width());
    const auto h = static_cast<float>(rt::Control::Height());
    auto single = [](double v) { return static_cast<float>(v); };

    AlphaShapeCtl1.Width(w);
    AlphaShapeCtl1.Height(h);
    AlphaShapeCtl1.Top(0);
    AlphaShapeCtl1.Left(0);
    Label1.Top(single(AlphaShapeCtl1.Height()) / 2 - single(Label1.Height()) / 2);
    d.Width(w);
    d.Height(h);
    d.Top(0);
    d.Left(0);
    if (Check1.Value() != 0) {
        aicAlphaImage1.Top(0);
        aicAlphaImage1.Left(0);
        aicAlphaImage1.Width(w);
        aicAlphaImage1.Height(h);
        aicAlphaImage1.ScaleMethod(1);
        Label1.Left(single(AlphaShapeCtl1.Width()) / 2 - single(Label1.Width()) / 2);
    } else {
        const float left = resizing ? single(aicAlphaImage1.Left()) : kIconLeft;
        aicAlphaImage1.ScaleMethod(0);
        aicAlphaImage1.Width(kIconWidth);
        aicAlphaImage1.Height(kIconHeight);
        aicAlphaImage1.Left(left);
        aicAlphaImage1.Top(single(AlphaShapeCtl1.Height()) / 2 - single(aicAlphaImage1.Height()) / 2);
        Label1.Left(single(aicAlphaImage1.Left()) + single(aicAlphaImage1.Width()) + kCaptionGap);
    }
    aicAlphaImage1.Opacity(90);
}

// Under the pointer the icon moves 2 pixels down and right and brightens, and the gradient runs
// along the other diagonal.
void win8Metro::d_MouseEnter() {
    int32_t x = 2, y = 2;
    aicAlphaImage1.OffsetImage(true, x, y);
    aicAlphaImage1.IntensityOffset(5);
    AlphaShapeCtl1.FillStyle(58);
}

void win8Metro::d_MouseExit() {
    int32_t x = 0, y = 0;
    aicAlphaImage1.OffsetImage(true, x, y);
    aicAlphaImage1.IntensityOffset(0);
    AlphaShapeCtl1.FillStyle(57);
}

// An empty text leaves the tooltip as it was.
void win8Metro::Text1_Change() {
    if (!Text1.Text().empty()) d.ToolTipText(Text1.Text());
}

// ---- stored settings

VANTREL_PROPERTY_TABLE(win8Metro, VANTREL_TILE_PROPERTIES)

}  // namespace controls
