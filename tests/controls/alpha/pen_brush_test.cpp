// The pen and brush object: colour conversion, what each operation keeps or replaces, textures
// from GDI+ images and from platform pictures.
#include <gtest/gtest.h>

#include <vector>

#include "controls/alpha/GDIpPenBrush.h"
#include "controls/alpha/GDIpShape.h"
#include "controls/alpha/gdip_fixture.h"
#include "runtime/picture.h"

using controls::GDIpPenBrush;
using gdiptest::DeleteCounts;
namespace gdip = imaging::gdip;

namespace {

const imaging::GdiplusShapeApi& Api() {
    return *controls::SharedGdipToken()->Shapes();
}
const imaging::GdiplusApi& Images() {
    return *controls::SharedGdipToken()->Images();
}

// A GDI+ bitmap of w x h in one 32-bit ARGB colour; the caller disposes of it.
gdip::GpImage* SolidBitmap(int w, int h, uint32_t argb) {
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h), argb);
    gdip::GpBitmap* scan = nullptr;
    EXPECT_EQ(Images().GdipCreateBitmapFromScan0(w, h, w * 4, gdip::PixelFormat32bppARGB,
                                                 reinterpret_cast<BYTE*>(pixels.data()), &scan),
              gdip::Ok);
    gdip::GpImage* copy = nullptr;  // the scan0 bitmap borrows the vector's memory
    EXPECT_EQ(Api().GdipCloneImage(scan, &copy), gdip::Ok);
    Images().GdipDisposeImage(scan);
    return copy;
}

UINT ImageWidth(gdip::GpImage* image) {
    UINT w = 0;
    Images().GdipGetImageWidth(image, &w);
    return w;
}
UINT ImageHeight(gdip::GpImage* image) {
    UINT h = 0;
    Images().GdipGetImageHeight(image, &h);
    return h;
}

}  // namespace

TEST(GdipPenBrush, ConvertsOleColoursAndOpacityToGdiplusColours) {
    const struct {
        int32_t colour, opacity;
        uint32_t expected;
    } cases[] = {
        {0xFF, 255, 0xFFFF0000u},
        {0xC08040, 128, 0x804080C0u},
        {0x12C08040, 300, 0xFF4080C0u},
        {0xC08040, -5, 0x004080C0u},
        {0, 0, 0u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GDIpPenBrush::ConvertColorToGDIplusColor(c.colour, c.opacity), c.expected)
            << std::hex << c.colour;
    // A system colour is looked up: the window colour at half opacity.
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const uint32_t expected =
        0x80000000u | (GetRValue(window) << 16) | (GetGValue(window) << 8) | GetBValue(window);
    EXPECT_EQ(GDIpPenBrush::ConvertColorToGDIplusColor(static_cast<int32_t>(0x80000005u), 128), expected);
}

TEST(GdipPenBrush, BrushTypesColoursAndWrapModes) {
    GDIpPenBrush pb;
    EXPECT_EQ(pb.BrushType(), -1);
    EXPECT_EQ(pb.SetBrushColors(1, 2), nullptr);

    ASSERT_NE(pb.CreateSolidBrush(0xFF102030u), nullptr);
    EXPECT_EQ(pb.BrushType(), GDIpPenBrush::BrushSolid);
    EXPECT_EQ(pb.SetBrushWrapMode(1), nullptr);  // solid brushes have none
    ASSERT_NE(pb.SetBrushColors(0xFF405060u, 0), nullptr);
    uint32_t colour = 0;
    Api().GdipGetSolidFillColor(pb.BrushHandle(), &colour);
    EXPECT_EQ(colour, 0xFF405060u);

    ASSERT_NE(pb.CreateHatchBrush(5, 0xFF0000FFu, 0xFFFFFFFFu), nullptr);
    EXPECT_EQ(pb.BrushType(), GDIpPenBrush::BrushHatch);
    ASSERT_NE(pb.SetBrushColors(0xFF00FF00u, 0xFF000000u), nullptr);  // made again, same style
    INT style = -1;
    uint32_t fore = 0, back = 0;
    Api().GdipGetHatchStyle(pb.BrushHandle(), &style);
    Api().GdipGetHatchForegroundColor(pb.BrushHandle(), &fore);
    Api().GdipGetHatchBackgroundColor(pb.BrushHandle(), &back);
    EXPECT_EQ(style, 5);
    EXPECT_EQ(fore, 0xFF00FF00u);
    EXPECT_EQ(back, 0xFF000000u);

    ASSERT_NE(pb.CreateGradientBrushRect(0, 0, 10, 10, 0xFFFF0000u, 0xFF0000FFu, 0, 0), nullptr);
    EXPECT_EQ(pb.BrushType(), GDIpPenBrush::BrushLinearGradient);
    for (int bad : {5, -1}) EXPECT_EQ(pb.SetBrushWrapMode(bad), nullptr);
    ASSERT_NE(pb.SetBrushWrapMode(2), nullptr);
    INT wrap = -1;
    Api().GdipGetLineWrapMode(pb.BrushHandle(), &wrap);
    EXPECT_EQ(wrap, 2);
    ASSERT_NE(pb.SetBrushColors(0xFF111111u, 0xFF222222u), nullptr);
    uint32_t line[2] = {};
    Api().GdipGetLineColors(pb.BrushHandle(), line);
    EXPECT_EQ(line[0], 0xFF111111u);
    EXPECT_EQ(line[1], 0xFF222222u);

    pb.DestroyBrush();
    EXPECT_EQ(pb.BrushType(), -1);
    EXPECT_EQ(pb.BrushHandle(), nullptr);
}

TEST(GdipPenBrush, RadialGradientsTakeCentreSurroundAndCentrePoint) {
    GDIpPenBrush pb;
    ASSERT_NE(pb.CreateGradientRadialRect(10, 20, 100, 50, 60, 45, 0xFFFF0000u, 0xFF0000FFu, 0), nullptr);
    EXPECT_EQ(pb.BrushType(), GDIpPenBrush::BrushPathGradient);
    uint32_t centre = 0, surround[4] = {};
    INT count = 4;  // room for one colour per corner
    gdip::PointF point{};
    Api().GdipGetPathGradientCenterColor(pb.BrushHandle(), &centre);
    Api().GdipGetPathGradientSurroundColorsWithCount(pb.BrushHandle(), surround, &count);
    Api().GdipGetPathGradientCenterPoint(pb.BrushHandle(), &point);
    EXPECT_EQ(centre, 0xFFFF0000u);
    EXPECT_EQ(surround[0], 0xFF0000FFu);
    EXPECT_FLOAT_EQ(point.X, 60);
    EXPECT_FLOAT_EQ(point.Y, 45);
    EXPECT_EQ(pb.CreateGradientRadialRect(0, 0, 0, 10, 0, 0, 1, 2, 0), nullptr);  // kept
    EXPECT_EQ(pb.BrushType(), GDIpPenBrush::BrushPathGradient);

    controls::GDIpShape path;
    path.AppendEllipseToPath(0, 0, 40, 40);
    ASSERT_NE(pb.CreateGradientRadialPath(path.Handle(), 20, 20, 0xFF00FF00u, 0xFF000000u, 3), nullptr);
    Api().GdipGetPathGradientCenterColor(pb.BrushHandle(), &centre);
    INT wrap = -1;
    Api().GdipGetPathGradientWrapMode(pb.BrushHandle(), &wrap);
    EXPECT_EQ(centre, 0xFF00FF00u);
    EXPECT_EQ(wrap, 3);
    EXPECT_EQ(pb.CreateGradientRadialPath(nullptr, 0, 0, 1, 2, 0), nullptr);
}

TEST(GdipPenBrush, FailedPreconditionsKeepTheOldPenOrBrushRefusalsLeaveNone) {
    GDIpPenBrush pb;
    GDIpPenBrush::GpPen* pen = pb.CreatePen(3, 1, 0xFF000000u);
    ASSERT_NE(pen, nullptr);
    INT dash = -1;
    Api().GdipGetPenDashStyle(pen, &dash);
    EXPECT_EQ(dash, 1);
    EXPECT_EQ(pb.CreatePen(0, 0, 0xFF000000u), nullptr);
    EXPECT_EQ(pb.CreatePen(1, 5, 0xFF000000u), nullptr);
    EXPECT_EQ(pb.PenHandle(), pen);
    EXPECT_EQ(pb.SetPenStyle(7), nullptr);
    ASSERT_EQ(pb.SetPenWidth(2.5f), pen);
    ASSERT_EQ(pb.SetPenColor(0x80FF0000u), pen);
    float width = 0;
    uint32_t colour = 0;
    Api().GdipGetPenWidth(pen, &width);
    Api().GdipGetPenColor(pen, &colour);
    EXPECT_FLOAT_EQ(width, 2.5f);
    EXPECT_EQ(colour, 0x80FF0000u);

    ASSERT_NE(pb.CreateSolidBrush(0xFF00FF00u), nullptr);
    GDIpPenBrush::GpBrush* brush = pb.BrushHandle();
    EXPECT_EQ(pb.CreateGradientBrushRect(0, 0, 0, 10, 1, 2, 0, 0), nullptr);
    EXPECT_EQ(pb.CreateGradientBrushRect(0, 0, 10, 10, 1, 2, 4, 0), nullptr);
    EXPECT_EQ(pb.CreateHatchBrush(55, 1, 2), nullptr);
    EXPECT_EQ(pb.BrushHandle(), brush);
    EXPECT_EQ(pb.CreateHatchBrush(53, 1, 2), nullptr);  // in range for us, refused by GDI+
    EXPECT_EQ(pb.BrushHandle(), nullptr);
    EXPECT_EQ(pb.BrushType(), -1);
}

TEST(GdipPenBrush, DestroyingTheObjectDeletesItsPenAndBrush) {
    ASSERT_FALSE(imaging::GdiplusService::Instance().Running());
    imaging::GdiplusService::Instance().SetTableFilter(&DeleteCounts::Filter);
    DeleteCounts::Clear();
    {
        GDIpPenBrush pb;
        pb.CreatePen(1, 0, 0xFF000000u);
        pb.CreateGradientBrushLine(0, 0, 10, 0, 0xFFFF0000u, 0xFF0000FFu, 0, 1);
        EXPECT_EQ(pb.BrushType(), GDIpPenBrush::BrushLinearGradient);
    }
    imaging::GdiplusService::Instance().SetTableFilter(nullptr);
    EXPECT_EQ(DeleteCounts::pens, 1);
    EXPECT_EQ(DeleteCounts::brushes, 1);
}

TEST(GdipPenBrush, TexturesFromImagesUseTheGivenPartOfTheSource) {
    GDIpPenBrush pb;
    gdip::GpImage* image = SolidBitmap(8, 6, 0xFF336699u);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pb.CreateTextureBrushHImage(image, 5), nullptr);
    EXPECT_EQ(pb.CreateTextureBrushHImage(nullptr, 0), nullptr);
    ASSERT_NE(pb.CreateTextureBrushHImage(image, 0), nullptr);
    EXPECT_EQ(pb.BrushType(), GDIpPenBrush::BrushTexture);
    gdip::GpImage* whole = pb.TextureBrushImage();
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(ImageWidth(whole), 8u);
    EXPECT_EQ(ImageHeight(whole), 6u);
    Images().GdipDisposeImage(whole);

    // Only a size given: the image's own left and top with that size.
    ASSERT_NE(pb.CreateTextureBrushHImage(image, 1, nullptr, std::nullopt, std::nullopt, 4.0f, 3.0f),
              nullptr);
    gdip::GpImage* part = pb.TextureBrushImage();
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(ImageWidth(part), 4u);
    EXPECT_EQ(ImageHeight(part), 3u);
    Images().GdipDisposeImage(part);
    INT wrap = -1;
    Api().GdipGetTextureWrapMode(pb.BrushHandle(), &wrap);
    EXPECT_EQ(wrap, 1);

    gdip::GpMatrix* m = nullptr;
    Api().GdipCreateMatrix2(2, 0, 0, 2, 5, 5, &m);
    EXPECT_TRUE(pb.SetTextureBrushTransformation(m));
    EXPECT_TRUE(pb.SetTextureBrushTransformation(nullptr));
    Api().GdipDeleteMatrix(m);
    pb.CreateSolidBrush(0xFF000000u);
    EXPECT_FALSE(pb.SetTextureBrushTransformation(nullptr));
    EXPECT_EQ(pb.TextureBrushImage(), nullptr);
    Images().GdipDisposeImage(image);
}

TEST(GdipPenBrush, ATextureFromAPictureMadeFromABitmapHandleHasItsPixels) {
    // A picture made from a handle saves no file of its own here: the brush must still get it.
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 5, 4);
    ReleaseDC(nullptr, screen);
    {
        rt::MemoryDC dc(nullptr);
        HGDIOBJ old = SelectObject(dc.get(), bitmap);
        rt::Brush fill(CreateSolidBrush(RGB(200, 30, 60)));
        RECT r{0, 0, 5, 4};
        FillRect(dc.get(), &r, fill.get());
        SelectObject(dc.get(), old);
    }
    rt::Picture picture = rt::Picture::FromBitmap(bitmap);
    GDIpPenBrush pb;
    ASSERT_NE(pb.CreateTextureBrushStdPicture(picture, 0), nullptr);
    EXPECT_EQ(pb.BrushType(), GDIpPenBrush::BrushTexture);

    gdiptest::Surface surface(20, 20, RGB(255, 255, 255));
    controls::GDIpShape square;
    square.AppendRectangleToPath(0, 0, 20, 20);
    square.Render(surface.dc(), nullptr, pb.BrushHandle(), 0, 0, 0, 0, nullptr, 3);
    EXPECT_EQ(surface.At(12, 9), 0xC81E3Cu);  // tiled over the whole square

    EXPECT_EQ(pb.CreateTextureBrushStdPicture(rt::Picture(), 0), nullptr);
    EXPECT_EQ(pb.CreateTextureBrushStdPicture(picture, 9), nullptr);
}

TEST(GdipPenBrush, BytesToStreamCopiesTheData) {
    const char data[] = "abcdef";
    auto stream = GDIpPenBrush::BytesToStream(data, 6);
    ASSERT_TRUE(stream);
    char back[6] = {};
    ULONG read = 0;
    stream->Read(back, 6, &read);
    EXPECT_EQ(read, 6u);
    EXPECT_EQ(std::string(back, 6), "abcdef");
    EXPECT_FALSE(GDIpPenBrush::BytesToStream(data, 0));
    EXPECT_TRUE(GDIpPenBrush::BytesToStream(nullptr, 0));
}
