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

VANTREL_PROPERTY_TABLE(bsGradientLabel, VANTREL_GRADIENTLABEL_PROPERTIES)

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
    if ((settings_.LabelType == 0 && H > W) || (settings_.LabelType == 1 && W > H)) {
        Move(Left(), Top(), Height(), Width());
        return;
    }

    HDC dc = hDC();
    const LONG right = rt::RoundEven(W), bottom = rt::RoundEven(H);
    if (settings_.GradientType == 2) {
        TRIVERTEX corners[4] = {Vertex(0, 0, settings_.Colour1), Vertex(right, 0, settings_.Colour2),
                                Vertex(right, bottom, settings_.Colour3),
                                Vertex(0, bottom, settings_.Colour4)};
        GRADIENT_TRIANGLE halves[2] = {{0, 1, 2}, {0, 2, 3}};
        GradientFill(dc, corners, 4, halves, 2, GRADIENT_FILL_TRIANGLE);
    } else {
        TRIVERTEX ends[2] = {Vertex(0, 0, settings_.Colour1), Vertex(right, bottom, settings_.Colour2)};
        GRADIENT_RECT rect{0, 1};
        GradientFill(dc, ends, 2, &rect, 1,
                     settings_.GradientType == 0 ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
    }

    // A caption that cannot be drawn leaves what it drew; the border is drawn all the same.
    rt::Try([&] { DrawGradientCaption(settings_.LabelType == 0 ? 0 : 90); });
    DrawEdges();
    Refresh();
}

void bsGradientLabel::DrawGradientCaption(int16_t Angle) {
    HDC dc = hDC();
    LOGFONTA lf{};
    strncpy(lf.lfFaceName, settings_.Fount.Name().c_str(), LF_FACESIZE - 1);
    lf.lfCharSet = static_cast<BYTE>(settings_.Fount.Charset());
    lf.lfEscapement = Angle * 10;
    lf.lfHeight = -rt::RoundEven(static_cast<double>(settings_.Fount.Size()) * 20.0 / rt::TwipsPerPixelY());
    lf.lfWeight = settings_.Fount.Bold() ? FW_BOLD : 0;
    lf.lfItalic = settings_.Fount.Italic() ? 1 : 0;
    lf.lfUnderline = settings_.Fount.Underline() ? 1 : 0;
    lf.lfQuality = PROOF_QUALITY;
    // Released on every way out, a failing step included.
    rt::FontHandle font(CreateFontIndirectA(&lf));
    rt::SelectGuard select(dc, font.get());

    switch (settings_.CaptionAlignment) {
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
    DrawTextA(dc, settings_.Caption.c_str(), static_cast<int>(settings_.Caption.size()), &measured,
              DT_CALCRECT);
    const double h = measured.bottom;
    SIZE space{};
    GetTextExtentPoint32A(dc, " ", 1, &space);
    const double S = space.cx;

    const double W = ScaleWidth(), H = ScaleHeight();
    double x = 0, y = 0;
    if (settings_.LabelType == 0) {
        if (settings_.CaptionAlignment == 0) x = S;
        if (settings_.CaptionAlignment == 1) x = W / 2;
        if (settings_.CaptionAlignment == 2) x = W - S;
        y = (H - h) / 2;
    } else {
        // Turned upwards: the text starts at the bottom and the top of its letters faces left.
        if (settings_.CaptionAlignment == 0) y = H - S;
        if (settings_.CaptionAlignment == 1) y = H / 2;
        if (settings_.CaptionAlignment == 2) y = S;
        x = (W - h) / 2;
    }
    const int px = rt::RoundEven(x), py = rt::RoundEven(y);
    const int length = static_cast<int>(settings_.Caption.size());

    SetBkMode(dc, TRANSPARENT);
    if (settings_.TextShadow) {
        SetTextColor(dc, GetRealColor(settings_.TextShadowColour));
        TextOutA(dc, px + settings_.TextShadowXOffset, py + settings_.TextShadowYOffset,
                 settings_.Caption.c_str(), length);
    }
    SetTextColor(dc, GetRealColor(settings_.CaptionColour));
    TextOutA(dc, px, py, settings_.Caption.c_str(), length);
}

void bsGradientLabel::DrawEdges() {
    HDC dc = hDC();
    if (!dc) return;
    const int W = rt::RoundEven(ScaleWidth()), H = rt::RoundEven(ScaleHeight());
    auto colour = [&](uint32_t c) { return static_cast<COLORREF>(TranslateColour(static_cast<int32_t>(c))); };

    if (settings_.BorderStyle == 1) {
        rt::Pen pen(CreatePen(PS_SOLID, 0, colour(settings_.FlatBorderColour)));
        rt::SelectGuard selectPen(dc, pen.get());
        rt::SelectGuard hollow(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, 0, 0, W, H);
    } else if (settings_.BorderStyle >= 2 && settings_.BorderStyle <= 7) {
        // Top and left, then bottom and right, of the outer ring and (3, 5, 6, 7) the inner one.
        struct Look {
            uint32_t outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
            bool inner;
        };
        const Look looks[] = {
            {settings_.HighlightColour, settings_.ShadowColour, 0, 0, false},  // 2 thin raised
            {settings_.HighlightColour, settings_.ShadowDKColour, settings_.HighlightDKColour,
             settings_.ShadowColour, true},                                    // 3 raised
            {settings_.ShadowColour, settings_.HighlightColour, 0, 0, false},  // 4 thin sunken
            {settings_.ShadowDKColour, settings_.HighlightColour, settings_.ShadowColour,
             settings_.HighlightDKColour, true},  // 5 sunken
            {settings_.ShadowColour, settings_.HighlightColour, settings_.HighlightColour,
             settings_.ShadowColour, true},  // 6 etched
            {settings_.HighlightColour, settings_.ShadowColour, settings_.ShadowColour,
             settings_.HighlightColour, true},  // 7 bump
        };
        const Look& look = looks[settings_.BorderStyle - 2];
        // With -1 the top-right corner pixel takes the second colour.
        const int E = (settings_.BorderStyle == 2 || settings_.BorderStyle == 4) ? 0 : -1;
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
