// The dialog button's compositing on real device contexts, and its window outlines.
#include "controls/buttons/chameleon_draw.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "support/handle_counter.h"

namespace {

// A memory DC holding a w by h bitmap filled with one colour.
struct Surface {
    rt::ScreenDC screen;
    rt::MemoryDC dc{screen.get()};
    rt::Bitmap bitmap;
    HGDIOBJ old = nullptr;

    Surface(int w, int h, COLORREF fill) : bitmap(CreateCompatibleBitmap(screen.get(), w, h)) {
        old = SelectObject(dc.get(), bitmap.get());
        rt::Brush b(CreateSolidBrush(fill));
        RECT r{0, 0, w, h};
        FillRect(dc.get(), &r, b.get());
    }
    ~Surface() { SelectObject(dc.get(), old); }
    COLORREF At(int x, int y) const { return GetPixel(dc.get(), x, y); }
};

// A 16 by 16 picture, left half the mask grey and right half red (or w by h of one colour).
rt::Picture HalfRed(int w = 16, int h = 16) {
    Surface s(w, h, RGB(255, 0, 0));
    rt::Brush grey(CreateSolidBrush(0xC0C0C0));
    RECT left{0, 0, w / 2, h};
    FillRect(s.dc.get(), &left, grey.get());
    // The surface puts its old bitmap back as it goes; the picture owns the bitmap from here.
    return rt::Picture::FromBitmap(s.bitmap.release());
}

TEST(ChameleonMaskBlt, MaskedGreyBlendedSilhouettes) {
    const rt::Picture pic = HalfRed();
    struct Case {
        controls::ChameleonBlend how;
        COLORREF masked, red;
    };
    const Case cases[] = {
        {{true, 0xC0C0C0, -1, false, false, false}, RGB(255, 255, 255), RGB(255, 0, 0)},
        {{false, 0xC0C0C0, -1, false, false, false}, RGB(192, 192, 192), RGB(255, 0, 0)},
        {{true, 0xC0C0C0, -1, false, true, false}, RGB(255, 255, 255), RGB(76, 76, 76)},
        {{true, 0xC0C0C0, -1, false, false, true}, RGB(255, 255, 255), RGB(255, 85, 85)},
        {{true, 0xC0C0C0, 0x808080, true, false, false}, RGB(255, 255, 255), RGB(128, 128, 128)},
    };
    for (const Case& k : cases) {
        Surface s(32, 32, RGB(255, 255, 255));
        controls::ChameleonMaskBlt(s.dc.get(), 8, 8, 16, 16, pic, k.how);
        EXPECT_EQ(s.At(10, 16), k.masked);
        EXPECT_EQ(s.At(20, 16), k.red);
        EXPECT_EQ(s.At(7, 16), RGB(255, 255, 255));   // left of the box
        EXPECT_EQ(s.At(24, 16), RGB(255, 255, 255));  // right of it
    }
}

TEST(ChameleonMaskBlt, StaysInsideThePictureAndTheSurface) {
    const controls::ChameleonBlend copy{false, 0, -1, false, false, false};
    // A box larger than the picture: only the picture's 15 by 5 pixels change.
    {
        Surface s(32, 32, RGB(0, 0, 255));
        controls::ChameleonMaskBlt(s.dc.get(), 2, 2, 20, 20, HalfRed(15, 5), copy);
        EXPECT_EQ(s.At(2, 2), RGB(192, 192, 192));
        EXPECT_EQ(s.At(16, 6), RGB(255, 0, 0));
        EXPECT_EQ(s.At(17, 6), RGB(0, 0, 255));
        EXPECT_EQ(s.At(16, 7), RGB(0, 0, 255));
    }
    // Partly outside the surface on each side.
    for (POINT at : {POINT{-8, -8}, POINT{24, 24}, POINT{-8, 24}}) {
        Surface s(32, 32, RGB(0, 0, 255));
        controls::ChameleonMaskBlt(s.dc.get(), at.x, at.y, -1, -1, HalfRed(), copy);
        const int redX = at.x + 12, inY = at.y + (at.y < 0 ? 12 : 4);
        if (redX >= 0 && redX < 32 && inY >= 0 && inY < 32) {
            EXPECT_EQ(s.At(redX, inY), RGB(255, 0, 0));
        }
        EXPECT_EQ(s.At(at.x < 0 ? 9 : 22, at.y < 0 ? 9 : 22), RGB(0, 0, 255));
    }
    // The part read from the picture starts where the surface does.
    {
        Surface s(32, 32, RGB(0, 0, 255));
        controls::ChameleonMaskBlt(s.dc.get(), -4, 0, 16, 16, HalfRed(), copy);
        EXPECT_EQ(s.At(3, 0), RGB(192, 192, 192));
        EXPECT_EQ(s.At(4, 15), RGB(255, 0, 0));
        EXPECT_EQ(s.At(12, 0), RGB(0, 0, 255));
    }
    // A zero size draws nothing.
    Surface s(8, 8, RGB(0, 0, 255));
    controls::ChameleonMaskBlt(s.dc.get(), 0, 0, 0, 8, HalfRed(), copy);
    EXPECT_EQ(s.At(6, 4), RGB(0, 0, 255));
}

TEST(ChameleonMaskBlt, IconBoxTakesTheComparedMaskColour) {
    // A system colour's translated value: the box around a small icon drops out with it.
    const COLORREF mask = GetSysColor(COLOR_BTNFACE);
    HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
    const rt::Picture pic = rt::Picture::FromIcon(CopyIcon(icon));
    Surface s(64, 64, RGB(1, 2, 3));
    controls::ChameleonMaskBlt(s.dc.get(), 0, 0, 64, 64, pic, {true, mask, -1, false, false, false});
    EXPECT_EQ(s.At(63, 63), RGB(1, 2, 3));
}

TEST(ChameleonMaskBlt, LeavesNoGdiObjectBehind) {
    const rt::Picture pic = HalfRed();
    Surface s(32, 32, RGB(255, 255, 255));
    testsupport::HandleCounter counter;
    for (int i = 0; i < 200; ++i)
        controls::ChameleonMaskBlt(s.dc.get(), i % 20 - 4, 8, 16, 16, pic, {true, 0xC0C0C0, -1, false, i % 2 == 0, i % 3 == 0});
    EXPECT_GT(counter.Created(), 200u);
    EXPECT_EQ(counter.GdiObjects(), 0u) << counter.Report();
    EXPECT_EQ(counter.DeviceContexts(), 0u) << counter.Report();
}

bool SameRegion(HRGN a, HRGN b) {
    rt::Region x(CreateRectRgn(0, 0, 0, 0));
    return CombineRgn(x.get(), a, b, RGN_XOR) == NULLREGION;
}

TEST(ChameleonMakeRegion, OutlinesByType) {
    auto r3 = controls::ChameleonMakeRegion(3, 80, 25);
    for (POINT p : {POINT{0, 0}, POINT{1, 0}, POINT{0, 1}, POINT{79, 24}, POINT{78, 24}, POINT{79, 23}})
        EXPECT_FALSE(PtInRegion(r3.get(), p.x, p.y)) << p.x << "," << p.y;
    for (POINT p : {POINT{2, 0}, POINT{1, 1}, POINT{40, 12}, POINT{77, 24}})
        EXPECT_TRUE(PtInRegion(r3.get(), p.x, p.y)) << p.x << "," << p.y;

    auto r13 = controls::ChameleonMakeRegion(13, 60, 30);
    EXPECT_FALSE(PtInRegion(r13.get(), 1, 1));
    EXPECT_TRUE(PtInRegion(r13.get(), 30, 15));
    rt::Region ellipse(CreateEllipticRgn(0, 0, 60, 30));
    EXPECT_TRUE(SameRegion(r13.get(), ellipse.get()));

    auto r5 = controls::ChameleonMakeRegion(5, 80, 25);
    EXPECT_TRUE(PtInRegion(r5.get(), 0, 0));
    EXPECT_TRUE(PtInRegion(r5.get(), 79, 24));
    EXPECT_FALSE(PtInRegion(r5.get(), 0, 24));
    EXPECT_FALSE(PtInRegion(r5.get(), 79, 0));

    rt::Region whole(CreateRectRgn(0, 0, 80, 25));
    EXPECT_TRUE(SameRegion(controls::ChameleonMakeRegion(2, 80, 25).get(), whole.get()));
    EXPECT_FALSE(SameRegion(controls::ChameleonMakeRegion(14, 80, 25).get(), whole.get()));
}

}  // namespace
