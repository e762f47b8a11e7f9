#include "controls/chrome/bsGradientLabel.h"

#include <windows.h>

#include <cstring>
#include <initializer_list>

#include "controls/common/paint.h"
#include "runtime/error.h"
#include "runtime/handles.h"

namespace controls {

namespace {

// One gradient corner: the colour as the platform translates it (a value it cannot translate is
// taken as it stands), each 8-bit channel in the high byte of its 16-bit field; no alpha.
TRIVERTEX Vertex(LONG x, LONG y, uint32_t colour) {
    const RgbChannels c = SplitRgb(rt::ToColorRef(colour));
    TRIVERTEX v{};
    v.x = x;
    v.y = y;
    v.Red = static_cast<COLOR16>(c.r << 8);
    v.Green = static_cast<COLOR16>(c.g << 8);
    v.Blue = static_cast<COLOR16>(c.b << 8);
    v.Alpha = 0;
    return v;
}

// Lines in one colour from the current position through the points; each stops before its end.
void LinesTo(HDC dc, COLORREF colour, std::initializer_list<POINT> points) {
    rt::Pen pen(CreatePen(PS_SOLID, 0, colour));
    rt::SelectGuard select(dc, pen.get());
    for (const POINT& p : points) LineTo(dc, p.x, p.y);
}

}  // namespace

bsGradientLabel::bsGradientLabel(rt::Container& c, std::string name, int index,
                                 std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowed, std::move(stored)) {
    Create();
}

bsGradientLabel::bsGradientLabel(const bsGradientLabel& t, int index) : UserControl(t, index) {
    Create();
}

// ---- stored properties

const rt::PropertyTable<bsGradientLabel>& bsGradientLabel::Properties() {
    using T = bsGradientLabel;
    auto name = [](T& t) { return t.Name(); };
    auto ambientFont = [](T& t) { return t.Ambient().Font.Clone(); };
    static const rt::PropertyTable<T> table{
        {"GradientType", &T::gradientType_, int32_t{0}},
        {"Caption", &T::caption_, name, name},
        {"Fount", &T::fount_, ambientFont, ambientFont},
        {"CaptionColour", &T::captionColour_, 0xFFFFFFu},
        {"Colour1", &T::colour1_, 0u},
        {"Colour2", &T::colour2_, 0xFF0000u},
        {"Colour3", &T::colour3_, 0xFFFFu},
        {"Colour4", &T::colour4_, 0xFFu},
        {"LabelType", &T::labelType_, int32_t{0}},
        {"CaptionAlignment", &T::captionAlignment_, int32_t{0}},
        {"BorderStyle", &T::borderStyle_, int32_t{0}},
        {"HighlightColour", &T::highlightColour_, 0x80000014u},
        {"HighlightDKColour", &T::highlightDKColour_, 0x80000016u},
        {"ShadowColour", &T::shadowColour_, 0x80000010u},
        {"ShadowDKColour", &T::shadowDKColour_, 0x80000015u},
        {"FlatBorderColour", &T::flatBorderColour_, 0u},
        {"TextShadowColour", &T::textShadowColour_, 0u},
        {"TextShadow", &T::textShadow_, false},
        {"TextShadowYOffset", &T::textShadowYOffset_, int16_t{2}},
        {"TextShadowXOffset", &T::textShadowXOffset_, int16_t{2}},
    };
    return table;
}

// Neither a new label nor a loaded one paints here: its show and resize do.
void bsGradientLabel::UserControl_InitProperties() {
    Properties().InitAll(*this);
}

void bsGradientLabel::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Properties().ReadAll(*this, PropBag);
}

void bsGradientLabel::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    Properties().WriteAll(*this, PropBag);
}

// ---- events

void bsGradientLabel::UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
    RaiseEvent(MouseDown, Button, Shift, X, Y);
}

// ---- painting

int32_t bsGradientLabel::TranslateColour(int32_t lColour) const {
    return static_cast<int32_t>(GetRealColor(static_cast<uint32_t>(lColour)));
}

void bsGradientLabel::PaintGradientLabel() {
    Surface().ScaleMode(rt::vbPixels);
    AutoRedraw(true);
    Surface().Cls();
    const double W = ScaleWidth(), H = ScaleHeight();

    // The label keeps to its type's shape; the size change paints it again.
    if ((labelType_ == 0 && H > W) || (labelType_ == 1 && W > H)) {
        Move(Left(), Top(), Height(), Width());
        return;
    }

    HDC dc = hDC();
    const LONG right = rt::RoundEven(W), bottom = rt::RoundEven(H);
    if (gradientType_ == 2) {
        TRIVERTEX corners[4] = {Vertex(0, 0, colour1_), Vertex(right, 0, colour2_),
                                Vertex(right, bottom, colour3_), Vertex(0, bottom, colour4_)};
        GRADIENT_TRIANGLE halves[2] = {{0, 1, 2}, {0, 2, 3}};
        GradientFill(dc, corners, 4, halves, 2, GRADIENT_FILL_TRIANGLE);
    } else {
        TRIVERTEX ends[2] = {Vertex(0, 0, colour1_), Vertex(right, bottom, colour2_)};
        GRADIENT_RECT rect{0, 1};
        GradientFill(dc, ends, 2, &rect, 1, gradientType_ == 0 ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
    }

    // A caption that cannot be drawn leaves what it drew; the border is drawn all the same.
    rt::Try([&] { DrawGradientCaption(labelType_ == 0 ? 0 : 90); });
    DrawEdges();
    Refresh();
}

void bsGradientLabel::DrawGradientCaption(int16_t Angle) {
    HDC dc = hDC();
    LOGFONTA lf{};
    strncpy(lf.lfFaceName, fount_.Name().c_str(), LF_FACESIZE - 1);
    lf.lfCharSet = static_cast<BYTE>(fount_.Charset());
    lf.lfEscapement = Angle * 10;
    lf.lfHeight = -rt::RoundEven(static_cast<double>(fount_.Size()) * 20.0 / rt::TwipsPerPixelY());
    lf.lfWeight = fount_.Bold() ? FW_BOLD : 0;
    lf.lfItalic = fount_.Italic() ? 1 : 0;
    lf.lfUnderline = fount_.Underline() ? 1 : 0;
    lf.lfQuality = PROOF_QUALITY;
    // Released on every way out, a failing step included.
    rt::FontHandle font(CreateFontIndirectA(&lf));
    rt::SelectGuard select(dc, font.get());

    switch (captionAlignment_) {
        case 0:
            SetTextAlign(dc, TA_LEFT | TA_TOP);
            break;
        case 1:
            SetTextAlign(dc, TA_CENTER | TA_TOP);
            break;
        case 2:
            SetTextAlign(dc, TA_RIGHT | TA_TOP);
            break;
        default:
            break;  // the flags stay as they are
    }

    RECT measured{0, 0, 0, 0};
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &measured, DT_CALCRECT);
    const double h = measured.bottom;
    SIZE space{};
    GetTextExtentPoint32A(dc, " ", 1, &space);
    const double S = space.cx;

    const double W = ScaleWidth(), H = ScaleHeight();
    double x = 0, y = 0;
    if (labelType_ == 0) {
        if (captionAlignment_ == 0) x = S;
        if (captionAlignment_ == 1) x = W / 2;
        if (captionAlignment_ == 2) x = W - S;
        y = (H - h) / 2;
    } else {
        // Turned upwards: the text starts at the bottom and the top of its letters faces left.
        if (captionAlignment_ == 0) y = H - S;
        if (captionAlignment_ == 1) y = H / 2;
        if (captionAlignment_ == 2) y = S;
        x = (W - h) / 2;
    }
    const int px = rt::RoundEven(x), py = rt::RoundEven(y);
    const int length = static_cast<int>(caption_.size());

    SetBkMode(dc, TRANSPARENT);
    if (textShadow_) {
        SetTextColor(dc, GetRealColor(textShadowColour_));
        TextOutA(dc, px + textShadowXOffset_, py + textShadowYOffset_, caption_.c_str(), length);
    }
    SetTextColor(dc, GetRealColor(captionColour_));
    TextOutA(dc, px, py, caption_.c_str(), length);
}

void bsGradientLabel::DrawEdges() {
    HDC dc = hDC();
    if (!dc) return;
    const int W = rt::RoundEven(ScaleWidth()), H = rt::RoundEven(ScaleHeight());
    auto colour = [&](uint32_t c) { return static_cast<COLORREF>(TranslateColour(static_cast<int32_t>(c))); };

    if (borderStyle_ == 1) {
        rt::Pen pen(CreatePen(PS_SOLID, 0, colour(flatBorderColour_)));
        rt::SelectGuard selectPen(dc, pen.get());
        rt::SelectGuard hollow(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, 0, 0, W, H);
    } else if (borderStyle_ >= 2 && borderStyle_ <= 7) {
        // Top and left, then bottom and right, of the outer ring and (3, 5, 6, 7) the inner one.
        struct Look {
            uint32_t outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
            bool inner;
        };
        const Look looks[] = {
            {highlightColour_, shadowColour_, 0, 0, false},                                // 2 thin raised
            {highlightColour_, shadowDKColour_, highlightDKColour_, shadowColour_, true},  // 3 raised
            {shadowColour_, highlightColour_, 0, 0, false},                                // 4 thin sunken
            {shadowDKColour_, highlightColour_, shadowColour_, highlightDKColour_, true},  // 5 sunken
            {shadowColour_, highlightColour_, highlightColour_, shadowColour_, true},      // 6 etched
            {highlightColour_, shadowColour_, shadowColour_, highlightColour_, true},      // 7 bump
        };
        const Look& look = looks[borderStyle_ - 2];
        // With -1 the top-right corner pixel takes the second colour.
        const int E = (borderStyle_ == 2 || borderStyle_ == 4) ? 0 : -1;
        MoveToEx(dc, W, 0, nullptr);
        LinesTo(dc, colour(look.outerTopLeft), {{0, 0}, {0, H - 1}});
        LinesTo(dc, colour(look.outerBottomRight), {{W - 1, H - 1}, {W - 1, E}});
        if (look.inner) {
            MoveToEx(dc, W - 2, 1, nullptr);
            LinesTo(dc, colour(look.innerTopLeft), {{1, 1}, {1, H - 2}});
            LinesTo(dc, colour(look.innerBottomRight), {{W - 2, H - 2}, {W - 2, 0}});
        }
    }
    if (hWnd()) InvalidateRect(hWnd(), nullptr, FALSE);
}

}  // namespace controls
