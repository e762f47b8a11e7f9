// The title bar's painting steps over a memory bitmap: background styles checked pixel by pixel
// against the published gradient formulas, the caption plate's mirrored column, and the caption
// layers recorded call by call through the text seam.
#include "controls/chrome/titlebar_paint.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

using controls::TitleBarLook;

namespace {

// A 32-bit memory bitmap filled with one colour.
class Board {
public:
    Board(int w, int h, COLORREF fill = RGB(1, 2, 3)) : w_(w), h_(h) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bmp_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bmp_);
        HBRUSH b = CreateSolidBrush(fill);
        RECT r{0, 0, w, h};
        FillRect(dc_, &r, b);
        DeleteObject(b);
    }
    ~Board() {
        SelectObject(dc_, old_);
        DeleteObject(bmp_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y) & 0xFFFFFF; }

private:
    int w_, h_;
    HDC dc_;
    HBITMAP bmp_;
    HGDIOBJ old_;
};

// One gradient row as the published formula gives it: the step per channel is (b - e) / N held
// in single precision, the row colour b - i * step rounded half to even.
int Channel(int b, int e, int n, int i) {
    float step = static_cast<float>(static_cast<double>(b - e) / n);
    return static_cast<int>(std::nearbyint(b - static_cast<double>(static_cast<float>(i)) * step));
}
COLORREF Row(COLORREF b, COLORREF e, int n, int i) {
    return RGB(Channel(GetRValue(b), GetRValue(e), n, i), Channel(GetGValue(b), GetGValue(e), n, i),
               Channel(GetBValue(b), GetBValue(e), n, i));
}

constexpr COLORREF kV1B = RGB(255, 0, 0), kV1E = RGB(0, 0, 255);
constexpr COLORREF kV2B = RGB(0, 200, 0), kV2E = RGB(100, 0, 60);
constexpr COLORREF kHigh = RGB(250, 250, 0), kDark = RGB(0, 40, 80);

TitleBarLook Bar(int16_t style, int w = 200, int h = 31) {
    TitleBarLook k;
    k.ScaleWidth = w;
    k.ScaleHeight = h;
    k.Style = style;
    k.BackColorCover = 3.0f;
    k.BorderNormal = 0;
    k.BorderColorHighLight = kHigh;
    k.BorderColorDarkLight = kDark;
    k.TBAR_ = {150, 8, 16, 16};
    k.TBARX = {172, 8, 16, 16};
    return k;
}

void Paint(const Board& b, const TitleBarLook& k) {
    controls::SetVerlauf(b.dc(), k, kV1B, kV1E, kV2B, kV2E);
}

TEST(TitleBarBackground, Style14HalvesTheBarAndShadesThePlateOverTwiceTheRows) {
    Board b(200, 31);
    Paint(b, Bar(14));
    // 31 rows: L = 16 (15.5 to even), G1 and G2 over 16 rows, G3 over 32.
    for (int i = 0; i <= 15; ++i) EXPECT_EQ(b.at(5, i), Row(kV1B, kV1E, 16, i)) << "row " << i;
    EXPECT_EQ(b.at(5, 16), Row(kV2B, kV2E, 16, 0));
    for (int i = 17; i <= 30; ++i) EXPECT_EQ(b.at(5, i), Row(kV2B, kV2E, 16, i - 16)) << "row " << i;
    for (int i = 0; i <= 30; ++i) EXPECT_EQ(b.at(198, i), Row(kHigh, kDark, 32, i)) << "plate row " << i;
    // The plate's slant starts at TBAR_.Left - L - 1.2 L = 114.8 on row 0 and falls to the right.
    EXPECT_EQ(b.at(113, 0), Row(kV1B, kV1E, 16, 0));
    EXPECT_EQ(b.at(116, 0), Row(kHigh, kDark, 32, 0));
    EXPECT_EQ(b.at(123, 10), Row(kV1B, kV1E, 16, 10));
    EXPECT_EQ(b.at(126, 10), Row(kHigh, kDark, 32, 10));
}

TEST(TitleBarBackground, Style14WithABorderDrawsTheRaisedFrame) {
    Board b(200, 31);
    TitleBarLook k = Bar(14);
    k.BorderNormal = 1;
    Paint(b, k);
    EXPECT_EQ(b.at(50, 0), kHigh);
    EXPECT_EQ(b.at(0, 20), kHigh);
    EXPECT_EQ(b.at(50, 30), kDark);
    EXPECT_EQ(b.at(199, 20), kDark);
    EXPECT_EQ(b.at(50, 1), Row(kV1B, kV1E, 16, 1));
}

TEST(TitleBarBackground, SlantedSplitsFollowTheirRowsBoundary) {
    // F = Fix(200 * 0.3) = 60; style 1 splits row i at F - i, style 5 at F + i; the left segment
    // leaves its end point to the right one.
    struct Case {
        int16_t style;
        int sign;
    };
    for (Case c : {Case{1, -1}, Case{5, +1}}) {
        Board b(200, 31);
        Paint(b, Bar(c.style));
        for (int i : {0, 7, 30}) {
            int split = 60 + c.sign * i;
            EXPECT_EQ(b.at(split - 1, i), Row(kV1B, kV1E, 31, i)) << "style " << c.style << " row " << i;
            EXPECT_EQ(b.at(split, i), Row(kV2B, kV2E, 31, i)) << "style " << c.style << " row " << i;
        }
    }
}

TEST(TitleBarBackground, StripedStylesDrawOnePixelStripesInTheFirstGradient) {
    for (int16_t style : {2, 6}) {
        Board b(200, 31);
        Paint(b, Bar(style));
        const int i = 9, s = style == 2 ? 60 - i : 60 + i;
        for (int x : {s + 2, s + 6, s + 11}) EXPECT_EQ(b.at(x, i), Row(kV1B, kV1E, 31, i)) << style << " x " << x;
        for (int x : {s + 1, s + 3, s + 5, s + 7, s + 10, s + 12})
            EXPECT_EQ(b.at(x, i), Row(kV2B, kV2E, 31, i)) << style << " x " << x;
    }
}

TEST(TitleBarBackground, Style3StopsTheSlantAboveTheBottomBorder) {
    Board b(200, 31);
    TitleBarLook k = Bar(3);
    k.BorderNormal = 2;
    Paint(b, k);
    // L = 31 - 3 = 28: rows 0 to 27 split, rows 28 to 30 whole rows of the first gradient.
    EXPECT_EQ(b.at(190, 27), Row(kV2B, kV2E, 31, 27));
    for (int i = 28; i <= 30; ++i) EXPECT_EQ(b.at(190, i), Row(kV1B, kV1E, 31, i)) << "row " << i;
}

TEST(TitleBarBackground, CoverOfTenPutsTheSplitAtTheRightEdge) {
    Board b(200, 31);
    TitleBarLook k = Bar(1);
    k.BackColorCover = 10;
    Paint(b, k);
    EXPECT_EQ(b.at(190, 5), Row(kV1B, kV1E, 31, 5));
    EXPECT_EQ(b.at(195, 5), Row(kV2B, kV2E, 31, 5));  // F - i = 195
}

TEST(TitleBarBackground, CurveBandSplitsAlongTheTangent) {
    Board b(200, 31);
    Paint(b, Bar(9));
    // Style 9: L = 31, no bands; row y has t = -1 + y * 2/31, split F + tan(t) * 31 / 1.3.
    for (int y : {0, 8, 15, 24, 31}) {
        if (y > 30) break;
        double t = -1;
        for (int k = 0; k < y; ++k) t += 2.0 / 31;
        double X = 60 + std::tan(t) * (31 / 1.3);
        int left = static_cast<int>(std::floor(X)) - 1, right = static_cast<int>(std::ceil(X)) + 1;
        EXPECT_EQ(b.at(left, y), Row(kV1B, kV1E, 31, y)) << "row " << y;
        EXPECT_EQ(b.at(right, y), Row(kV2B, kV2E, 31, y)) << "row " << y;
    }
}

TEST(TitleBarBackground, StylesThatPaintNothingLeaveTheBackground) {
    struct Case {
        int16_t style;
        bool showMinimised;
    };
    for (Case c : {Case{15, true}, Case{-1, true}, Case{13, false}}) {
        Board b(200, 31);
        TitleBarLook k = Bar(c.style);
        k.ShowMinimized = c.showMinimised;
        Paint(b, k);
        for (int y : {0, 15, 30})
            for (int x : {0, 100, 199}) EXPECT_EQ(b.at(x, y), RGB(1, 2, 3)) << "style " << c.style;
    }
}

TEST(TitleBarBackground, Style13PaintsThePlateAndTheGrips) {
    Board b(200, 31);
    Paint(b, Bar(13));
    // L = 31, X0 = 150 - 37.2 = 112.8: left of the slant G1, right of it (from row 5) G2.
    EXPECT_EQ(b.at(50, 10), Row(kV1B, kV1E, 31, 10));
    EXPECT_EQ(b.at(140, 10), Row(kV2B, kV2E, 31, 10));
    EXPECT_EQ(b.at(140, 2), RGB(1, 2, 3));  // rows 0 to 4 right of the slant stay
    // Grips: D = Fix(14 / 4) = 3; first row of dots left of the minimise button.
    EXPECT_EQ(b.at(145, 10), RGB(90, 90, 90));
    EXPECT_EQ(b.at(144, 11), RGB(255, 255, 255));
    EXPECT_EQ(b.at(191, 10), RGB(90, 90, 90));  // right of the close button: 172 + 16 + 3
    EXPECT_EQ(b.at(192, 11), RGB(255, 255, 255));
}

TEST(TitleBarBackground, CaptionPlateIsColumnThreeMirrored) {
    Board b(200, 31);
    TitleBarLook k = Bar(0);
    k.BorderNormal = 2;
    k.DashBack = true;
    k.CaptionTextWidth = 50;  // W = 60
    Paint(b, k);
    // T = 4, H = 23. The platform mirrors a negative source height about the origin row, which
    // it includes: body rows T .. T + H - 1 take column 3's rows H + 2 down to 3.
    for (int r = 0; r < 23; ++r)
        EXPECT_EQ(b.at(30, 4 + r), Row(kV1B, kV1E, 31, 25 - r)) << "plate row " << r;
    EXPECT_EQ(b.at(66, 5), Row(kV1B, kV1E, 31, 25));  // right end, outer: W + 6
    EXPECT_EQ(b.at(66, 4), Row(kV1B, kV1E, 31, 4));   // above it the background stays
}

// ---- Caption through the text seam

struct Call {
    int x, y;
    COLORREF color;
    bool operator==(const Call&) const = default;
    friend void PrintTo(const Call& c, std::ostream* os) {
        *os << "(" << c.x << "," << c.y << " #" << std::hex << c.color << std::dec << ")";
    }
};

struct Recorder : controls::CaptionTextSink {
    SIZE extent{50, 16};
    std::vector<Call> calls;
    SIZE Measure(HDC, const std::string&) override { return extent; }
    void Write(HDC, int x, int y, const std::string& text, COLORREF c) override {
        EXPECT_EQ(text, "Menu");
        calls.push_back({x, y, c});
    }
};

// Layer i of W: per channel i * (back / W) + (W - i) * (shadow / W), rounded half to even.
COLORREF Layer(COLORREF back, COLORREF shadow, int W, int i) {
    auto ch = [&](int b, int s) { return static_cast<int>(std::nearbyint(i * (b / double(W)) + (W - i) * (s / double(W)))); };
    return RGB(ch(GetRValue(back), GetRValue(shadow)), ch(GetGValue(back), GetGValue(shadow)),
               ch(GetBValue(back), GetBValue(shadow)));
}

constexpr COLORREF kBack = RGB(200, 100, 0), kShadow = RGB(10, 20, 31), kText = RGB(255, 255, 254);

TitleBarLook CaptionBar() {
    TitleBarLook k = Bar(0);
    k.Caption = "Menu";
    k.BorderNormal = 2;
    k.CaptionColorBack = kBack;
    k.CaptionShadowColor = kShadow;
    k.ForeColor = kText;
    k.CaptionPosX = 0;
    k.CaptionPosY = 0;
    k.Caption3DTop = k.Caption3DBottom = k.Caption3DLeft = k.Caption3DRight = false;
    return k;
}

std::vector<Call> Record(const TitleBarLook& k, SIZE extent = {50, 16}) {
    Board b(200, 31);
    Recorder r;
    r.extent = extent;
    controls::Shadow(b.dc(), k, r);
    return r.calls;
}

TEST(TitleBarCaption, DiagonalLayersRunFromTheOutermostInwardsThenTheCaption) {
    TitleBarLook k = CaptionBar();
    k.Caption3DBottom = k.Caption3DRight = k.Caption3DTop = true;  // top is ignored with B and R
    // x = 6; y = (31 - 16) / 2 = 7.5, to even: 8.
    EXPECT_EQ(Record(k), (std::vector<Call>{{8, 10, Layer(kBack, kShadow, 2, 2)},
                                            {7, 9, Layer(kBack, kShadow, 2, 1)},
                                            {6, 8, kText}}));
}

TEST(TitleBarCaption, StraightDirectionsAndLeftUpDiagonal) {
    struct Case {
        bool t, b, l, r;
        std::vector<Call> layers;  // without the final caption
    };
    const COLORREF l2 = Layer(kBack, kShadow, 2, 2), l1 = Layer(kBack, kShadow, 2, 1);
    const Case cases[] = {
        {false, true, true, false, {{6, 10, l2}, {4, 8, l2}, {6, 9, l1}, {5, 8, l1}}},
        {true, false, true, false, {{4, 6, l2}, {5, 7, l1}}},
        {false, false, false, false, {}},
    };
    for (const Case& c : cases) {
        TitleBarLook k = CaptionBar();
        k.Caption3DTop = c.t;
        k.Caption3DBottom = c.b;
        k.Caption3DLeft = c.l;
        k.Caption3DRight = c.r;
        std::vector<Call> want = c.layers;
        want.push_back({6, 8, kText});
        EXPECT_EQ(Record(k), want);
    }
}

TEST(TitleBarCaption, AllFourDirectionsWriteRings) {
    TitleBarLook k = CaptionBar();
    k.Caption3DTop = k.Caption3DBottom = k.Caption3DLeft = k.Caption3DRight = true;
    std::vector<Call> calls = Record(k);
    ASSERT_EQ(calls.size(), 20u + 12u + 1u);
    std::vector<Call> ring2;
    for (int j = -2; j <= 2; ++j) {
        COLORREF c = Layer(kBack, kShadow, 2, 2);
        ring2.push_back({6 + j, 10, c});
        ring2.push_back({6 + j, 6, c});
        ring2.push_back({8, 8 + j, c});
        ring2.push_back({4, 8 - j, c});
    }
    EXPECT_EQ(std::vector<Call>(calls.begin(), calls.begin() + 20), ring2);
    for (size_t n = 20; n < 32; ++n) {
        EXPECT_EQ(calls[n].color, Layer(kBack, kShadow, 2, 1));
        EXPECT_EQ(std::max(std::abs(calls[n].x - 6), std::abs(calls[n].y - 8)), 1);
    }
}

TEST(TitleBarCaption, OutlineAddsALayerAndEightNeighboursInItsColour) {
    TitleBarLook k = CaptionBar();
    k.Caption3DWidth = 3;
    k.Caption3DBottom = true;
    k.CaptionBorder = true;
    k.CaptionBorderColor = 0;  // black becomes RGB(0, 0, 1)
    k.CaptionPosX = 3;
    std::vector<Call> calls = Record(k);
    // W = 4 layers; x = 200 - 50 - 2 - 1 - 4 = 143: the caption ends 4 + 2 + 1 before the edge.
    ASSERT_EQ(calls.size(), 4u + 8u + 1u);
    for (int n = 0; n < 4; ++n) EXPECT_EQ(calls[size_t(n)], (Call{143, 8 + 4 - n, Layer(kBack, kShadow, 4, 4 - n)}));
    const int ring[8][2] = {{1, 0}, {1, 1}, {1, -1}, {-1, 0}, {-1, -1}, {-1, 1}, {0, -1}, {0, 1}};
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(calls[size_t(4 + n)], (Call{143 + ring[n][0], 8 + ring[n][1], RGB(0, 0, 1)}));
    EXPECT_EQ(calls.back(), (Call{143, 8, kText}));
}

TEST(TitleBarCaption, ZeroWidthWithOutlineWritesOutlineAndCaptionOnly) {
    TitleBarLook k = CaptionBar();
    k.Caption3DWidth = 0;
    k.Caption3DBottom = true;
    k.CaptionBorder = true;
    k.CaptionBorderColor = RGB(0, 128, 0);
    std::vector<Call> calls = Record(k);
    ASSERT_EQ(calls.size(), 9u);
    EXPECT_EQ(calls[0].color, RGB(0, 128, 1));
}

TEST(TitleBarCaption, PlacementsByPositionCodesAndIcon) {
    struct Case {
        int32_t posX, posY;
        bool icon;
        int x, y;
    };
    const Case cases[] = {
        {0, 0, false, 6, 8},     // centred: 7.5 to even
        {0, 2, false, 6, 6},     // (31 - 16 - 2) / 2 = 6.5 truncated
        {0, 3, false, 6, 13},    // bottom: 31 - 16 - 2
        {0, 1, false, 6, 0},     // top
        {1, 7, false, 3, 0},     // BorderNormal + 1; unknown vertical code: top
        {2, 0, false, 75, 8},    // (200 - 50) / 2
        {0, 0, true, 26, 8},     // icon 16 wide at PicturePosX 4
        {9, 0, true, 26, 8},     // any other horizontal code keeps the icon's place
    };
    for (const Case& c : cases) {
        TitleBarLook k = CaptionBar();
        k.CaptionPosX = c.posX;
        k.CaptionPosY = c.posY;
        k.IconHeld = c.icon;
        k.IconWidth = 16;
        k.PicturePosX = 4;
        std::vector<Call> calls = Record(k);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0], (Call{c.x, c.y, kText})) << c.posX << "/" << c.posY;
    }
}

TEST(TitleBarCaption, CaptionFontFollowsTheCellHeightRule) {
    for (auto [size, height] : {std::pair{14, 21}, {9, 14}, {11, 16}}) {
        HFONT f = controls::CreateCaptionFont("Tahoma", int16_t(size), 0, true, true, 178);
        LOGFONTA lf{};
        GetObjectA(f, sizeof lf, &lf);
        EXPECT_EQ(lf.lfHeight, height);
        EXPECT_EQ(lf.lfWeight, 800);
        EXPECT_EQ(lf.lfCharSet, 178);
        EXPECT_EQ(lf.lfQuality, ANTIALIASED_QUALITY);
        EXPECT_STREQ(lf.lfFaceName, "Tahoma");
        DeleteObject(f);
    }
}

TEST(TitleBarBorder, FrameIsOnePixelWhateverTheWidthAndNoneForZero) {
    for (uint8_t width : {0, 1, 5}) {
        Board b(100, 20);
        TitleBarLook k = Bar(0, 100, 20);
        controls::BSetBorder(b.dc(), k, width);
        COLORREF none = RGB(1, 2, 3);
        EXPECT_EQ(b.at(50, 0), width ? kHigh : none);
        EXPECT_EQ(b.at(0, 10), width ? kHigh : none);
        EXPECT_EQ(b.at(50, 19), width ? kDark : none);
        EXPECT_EQ(b.at(99, 10), width ? kDark : none);
        EXPECT_EQ(b.at(50, 1), none);
        EXPECT_EQ(b.at(98, 10), none);
    }
}

}  // namespace
