// The picture resizer: where a bitmap, an icon, a WMF and an EMF drawn with GDI land in the box
// (rectangles checked a few pixels inside and outside their edges, not the interpolated edge
// pixels), the empty results, and the handles and GDI+ images a fit leaves behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "controls/media/gdip_image.h"
#include "controls/media/modGDIPlusResize.h"
#include "runtime/handles.h"
#include "runtime/picture.h"
#include "support/handle_counter.h"
#include "support/window_helpers.h"

namespace {

constexpr COLORREF kPicture = RGB(220, 30, 40);
constexpr COLORREF kBack = RGB(20, 40, 200);

bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

// The pixels of a bitmap picture.
struct Pixels {
    int width = 0, height = 0;
    std::vector<COLORREF> px;
    explicit Pixels(const rt::Picture& p) {
        BITMAP bm{};
        GetObjectA(reinterpret_cast<HBITMAP>(p.Handle()), sizeof bm, &bm);
        width = bm.bmWidth;
        height = bm.bmHeight;
        rt::ScreenDC screen;
        rt::MemoryDC dc(screen.get());
        rt::SelectGuard sel(dc.get(), reinterpret_cast<HBITMAP>(p.Handle()));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) px.push_back(GetPixel(dc.get(), x, y) & 0xFFFFFF);
    }
    COLORREF at(int x, int y) const { return px[static_cast<size_t>(y) * width + x]; }
};

// The picture colour a few pixels inside the rectangle's corners, the back colour a few pixels
// outside each edge that lies inside the box.
void ExpectFitted(const rt::Picture& result, int boxW, int boxH, RECT r) {
    ASSERT_FALSE(result.Empty());
    ASSERT_EQ(result.Type(), rt::vbPicTypeBitmap);
    Pixels p(result);
    ASSERT_EQ(p.width, boxW);
    ASSERT_EQ(p.height, boxH);
    const int m = 3;
    for (POINT in : {POINT{r.left + m, r.top + m}, POINT{r.right - 1 - m, r.top + m},
                     POINT{r.left + m, r.bottom - 1 - m}, POINT{r.right - 1 - m, r.bottom - 1 - m}})
        EXPECT_TRUE(Near(p.at(in.x, in.y), kPicture))
            << "inside at " << in.x << "," << in.y << ": " << std::hex << p.at(in.x, in.y);
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    std::vector<POINT> outside;
    if (r.left >= m + 1) outside.push_back({r.left - m, cy});
    if (r.right <= boxW - m - 1) outside.push_back({r.right - 1 + m, cy});
    if (r.top >= m + 1) outside.push_back({cx, r.top - m});
    if (r.bottom <= boxH - m - 1) outside.push_back({cx, r.bottom - 1 + m});
    for (POINT out : outside)
        EXPECT_TRUE(Near(p.at(out.x, out.y), kBack))
            << "outside at " << out.x << "," << out.y << ": " << std::hex << p.at(out.x, out.y);
}

rt::Picture Fit(uintptr_t handle, int16_t type, int w, int h) {
    struct Token {
        ULONG_PTR t = modGDIPlusResize::GdipStartToken();
        ~Token() { modGDIPlusResize::GdipEndToken(t); }
    } token;
    return modGDIPlusResize::ScalePictureGdip(handle, type, w, h, kBack, true, false);
}

rt::Picture SolidIcon(int w, int h) {
    rt::Picture colour = testutil::SolidPicture(w, h, kPicture);
    rt::Bitmap mask(CreateBitmap(w, h, 1, 1, nullptr));
    {  // an all-zero mask: every pixel opaque
        rt::ScreenDC screen;
        rt::MemoryDC dc(screen.get());
        rt::SelectGuard sel(dc.get(), mask.get());
        PatBlt(dc.get(), 0, 0, w, h, BLACKNESS);
    }
    ICONINFO info{TRUE, 0, 0, mask.get(), reinterpret_cast<HBITMAP>(colour.Handle())};
    return rt::Picture::FromIcon(CreateIconIndirect(&info), true);
}

// A metafile filling w x h logical units with the picture colour.
rt::MetaFileHandle SolidWmf(int w, int h) {
    HDC dc = CreateMetaFileA(nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, w, h, nullptr);
    rt::Brush brush(CreateSolidBrush(kPicture));
    SelectObject(dc, brush.get());
    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 0, 0, w + 1, h + 1);
    return rt::MetaFileHandle(CloseMetaFile(dc));
}

// An enhanced metafile of w x h screen pixels, filled with the picture colour.
rt::EnhMetaFileHandle SolidEmf(int w, int h) {
    rt::ScreenDC screen;
    const int mmX = GetDeviceCaps(screen.get(), HORZSIZE), mmY = GetDeviceCaps(screen.get(), VERTSIZE);
    const int pxX = GetDeviceCaps(screen.get(), HORZRES), pxY = GetDeviceCaps(screen.get(), VERTRES);
    RECT frame{0, 0, w * mmX * 100 / pxX, h * mmY * 100 / pxY};
    HDC dc = CreateEnhMetaFileA(screen.get(), nullptr, &frame, nullptr);
    rt::Brush brush(CreateSolidBrush(kPicture));
    RECT r{0, 0, w, h};
    FillRect(dc, &r, brush.get());
    return rt::EnhMetaFileHandle(CloseEnhMetaFile(dc));
}

struct FitCase {
    int pw, ph, bw, bh;
    RECT expected;  // left, top, right, bottom
};
const FitCase kFits[] = {
    {300, 200, 200, 200, {0, 34, 200, 167}},
    {300, 400, 200, 200, {25, 0, 175, 200}},
    {50, 50, 200, 100, {50, 0, 150, 100}},
};

}  // namespace

TEST(ResizerTest, FittedRectangleArithmetic) {
    for (const FitCase& c : kFits) {
        const RECT r = modGDIPlusResize::FittedRect(c.pw, c.ph, c.bw, c.bh);
        EXPECT_EQ(r.left, c.expected.left) << c.pw << "x" << c.ph;
        EXPECT_EQ(r.top, c.expected.top);
        EXPECT_EQ(r.right, c.expected.right);
        EXPECT_EQ(r.bottom, c.expected.bottom);
    }
    // Equal ratios fill the box exactly.
    const RECT same = modGDIPlusResize::FittedRect(400, 200, 200, 100);
    EXPECT_EQ(same.right - same.left, 200);
    EXPECT_EQ(same.bottom - same.top, 100);
}

TEST(ResizerTest, BitmapAndIconAreFittedOverTheBackColour) {
    for (const FitCase& c : kFits) {
        SCOPED_TRACE(std::to_string(c.pw) + "x" + std::to_string(c.ph));
        rt::Picture bitmap = testutil::SolidPicture(c.pw, c.ph, kPicture);
        ExpectFitted(Fit(bitmap.Handle(), rt::vbPicTypeBitmap, c.bw, c.bh), c.bw, c.bh, c.expected);
    }
    // Icons are square (the test platform's icon conversion fails on others).
    rt::Picture icon = SolidIcon(50, 50);
    ExpectFitted(Fit(icon.Handle(), rt::vbPicTypeIcon, 200, 100), 200, 100, RECT{50, 0, 150, 100});
}

TEST(ResizerTest, MetafilesAreFitted) {
    // An EMF keeps its own aspect.
    for (const FitCase& c : kFits) {
        SCOPED_TRACE(std::to_string(c.pw) + "x" + std::to_string(c.ph));
        rt::EnhMetaFileHandle emf = SolidEmf(c.pw, c.ph);
        ExpectFitted(Fit(reinterpret_cast<uintptr_t>(emf.get()), rt::vbPicTypeEMetafile, c.bw, c.bh), c.bw,
                     c.bh, c.expected);
    }
    // A WMF gets the box as its bounds, so it covers the whole bitmap whatever its own extent.
    rt::MetaFileHandle wmf = SolidWmf(300, 200);
    ExpectFitted(Fit(reinterpret_cast<uintptr_t>(wmf.get()), rt::vbPicTypeMetafile, 200, 200), 200, 200,
                 RECT{0, 0, 200, 200});
    // Handles stay the caller's.
    EXPECT_NE(GetObjectType(wmf.get()), 0u);
}

TEST(ResizerTest, NoPictureForAnEmptyBoxOrPicture) {
    rt::Picture bitmap = testutil::SolidPicture(30, 20, kPicture);
    EXPECT_TRUE(Fit(bitmap.Handle(), rt::vbPicTypeBitmap, 0, 100).Empty());
    EXPECT_TRUE(Fit(bitmap.Handle(), rt::vbPicTypeBitmap, 100, 0).Empty());
    EXPECT_TRUE(Fit(0, rt::vbPicTypeNone, 100, 100).Empty());
    EXPECT_TRUE(Fit(bitmap.Handle(), 7, 100, 100).Empty());
    // A WMF beyond the header's 16-bit bounds fails.
    rt::MetaFileHandle wmf = SolidWmf(10, 10);
    EXPECT_ANY_THROW(Fit(reinterpret_cast<uintptr_t>(wmf.get()), rt::vbPicTypeMetafile, 40000, 10));
}

TEST(ResizerTest, FitsLeaveNoHandlesNorImages) {
    rt::Picture bitmap = testutil::SolidPicture(120, 80, kPicture);
    Fit(bitmap.Handle(), rt::vbPicTypeBitmap, 50, 50);  // first use: GDI+ and the screen DC settle
    testsupport::HandleCounter counter;
    for (int i = 0; i < 20; ++i) {
        rt::Picture p = Fit(bitmap.Handle(), rt::vbPicTypeBitmap, 60 + i, 40);
        EXPECT_FALSE(p.Empty());
    }
    EXPECT_GT(counter.Created(), 0u);
    EXPECT_EQ(counter.GdiObjects(), 0u) << counter.Report();
    EXPECT_EQ(counter.DeviceContexts(), 0u) << counter.Report();
    EXPECT_EQ(controls::GdipImage::Live(), 0);
    EXPECT_FALSE(imaging::GdiplusService::Instance().Running());
}
