// Stored settings written and read back, the GDI+ keeper window of a top window, and handles over
// many pictures made and destroyed.
#include <fstream>
#include <iterator>

#include "alpha_fixture.h"
#include "imaging/gdiplus_service.h"
#include "support/handle_growth.h"
#include "support/test_data.h"

using namespace alphatest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kMagenta = RGB(255, 0, 255);

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool IsPng(const std::vector<uint8_t>& b) {
    static const uint8_t sig[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return b.size() > 8 && std::equal(std::begin(sig), std::end(sig), b.begin());
}

TEST_F(Alpha, KeyedMirroredInvertedBitmapIsStoredAsLoadedAndReadsBackTheSame) {
    aicAlphaImage& p = Make(10, 10);
    p.ScaleMethod(3);
    p.AutoRedraw(true);
    // Left half red, right half blue, magenta at the top-left pixel and in a square at the left.
    auto picture = Bmp(100, 100, [](int x, int y) {
        if ((x == 0 && y == 0) || (x >= 10 && x < 30 && y >= 40 && y < 60)) return kMagenta;
        return x < 50 ? kRed : kBlue;
    });
    ASSERT_TRUE(p.LoadImage_FromArray(picture));
    p.MaskUsed(2);
    p.Mirror(1);
    p.InversedImage(true);
    const POINT probes[] = {{80, 50}, {20, 50}, {20, 20}, {99, 0}, {0, 0}, {70, 70}};
    std::vector<COLORREF> shown;
    for (POINT q : probes) shown.push_back(At(10 + q.x, 10 + q.y));
    // Mirrored left to right and inverted: the red half shows cyan on the right, the blue one
    // yellow on the left; the keyed square and corner pixel moved to the right.
    EXPECT_EQ(shown[0], RGB(255, 255, 255));
    EXPECT_EQ(shown[1], RGB(255, 255, 0));
    EXPECT_EQ(shown[2], RGB(255, 255, 0));
    EXPECT_EQ(shown[4], RGB(255, 255, 0));
    EXPECT_EQ(shown[5], RGB(0, 255, 255));

    const rt::PropertyBag bag = p.SaveProperties();
    for (size_t i = 0; i < std::size(probes); ++i)
        EXPECT_EQ(At(10 + probes[i].x, 10 + probes[i].y), shown[i]) << "the shown picture changed by saving";

    // "Image": a PNG of the picture as loaded.
    const std::vector<uint8_t> image = bag.ReadProperty("Image", rt::PropertyBag::Bytes{});
    ASSERT_TRUE(IsPng(image));
    imaging::c32bppDIB stored;
    ASSERT_TRUE(stored.LoadPicture_Stream(image));
    EXPECT_EQ(stored.GetPixel(0, 0), 0xFF00FF);
    EXPECT_EQ(stored.GetPixel(20, 50), 0xFF00FF);
    EXPECT_EQ(stored.GetPixel(40, 50), 0x0000FF);
    EXPECT_EQ(stored.GetPixel(75, 50), 0xFF0000);
    int32_t alpha = 0;
    stored.GetPixel(0, 0, &alpha);
    EXPECT_EQ(alpha, 255);
    // The settings that bring it back.
    const int32_t props = bag.ReadProperty("Props", int32_t{0});
    EXPECT_EQ(props & aicAlphaImage::kBufferFlag, 0);
    EXPECT_NE(props & aicAlphaImage::kInversed, 0);
    EXPECT_NE(props & aicAlphaImage::kAutoRedraw, 0);
    EXPECT_TRUE(bag.ReadProperty("MaskUsed", false));
    EXPECT_TRUE(bag.Contains("Mask"));
    EXPECT_EQ(bag.ReadProperty("Mirror", int32_t{0}), 1);
    EXPECT_EQ(bag.ReadProperty("MaskSource", int32_t{0}), 2);
    EXPECT_FALSE(bag.Contains("ScaleCx"));

    aicAlphaImage& back = MakeFrom(std::make_shared<rt::PropertyBag>(bag), 200, 10);
    EXPECT_EQ(back.Mirror(), 1);
    EXPECT_TRUE(back.InversedImage());
    EXPECT_EQ(back.MaskUsed(), 2);
    for (size_t i = 0; i < std::size(probes); ++i)
        EXPECT_EQ(At(200 + probes[i].x, 10 + probes[i].y), shown[i]) << probes[i].x << "," << probes[i].y;
}

TEST_F(Alpha, PicturesAreStoredByKind) {
    // A PNG kept in its own format is stored byte for byte, and reports its own kind.
    const std::vector<uint8_t> png = FileBytes(testsupport::DataPath("pngsuite/png/basn2c08.png"));
    ASSERT_FALSE(png.empty());
    aicAlphaImage& kept = Make(10, 10);
    kept.KeepOriginalFormat(true);
    ASSERT_TRUE(kept.LoadImage_FromArray(png));
    EXPECT_EQ(kept.ImageType(), imaging::imgPNG);
    EXPECT_EQ(kept.SaveProperties().ReadProperty("Image", rt::PropertyBag::Bytes{}), png);
    std::vector<uint8_t> file;
    int32_t scan = 0;
    ASSERT_TRUE(kept.GetImageBytes(file, scan, false, true, true, true, true));
    EXPECT_EQ(file, png);
    // Read back, it keeps them again.
    aicAlphaImage& again = MakeFrom(std::make_shared<rt::PropertyBag>(kept.SaveProperties()), 120, 10);
    EXPECT_EQ(again.SaveProperties().ReadProperty("Image", rt::PropertyBag::Bytes{}), png);

    // A 24-bit bitmap is stored as a PNG; the fixed size of ScaleMethod 4 goes with it.
    aicAlphaImage& bmp = Make(230, 10);
    ASSERT_TRUE(bmp.LoadImage_FromArray(SolidBmp(60, 30, kRed)));
    bmp.ScaleMethod(4);
    const rt::PropertyBag bag = bmp.SaveProperties();
    EXPECT_TRUE(IsPng(bag.ReadProperty("Image", rt::PropertyBag::Bytes{})));
    EXPECT_EQ(bag.ReadProperty("ScaleCx", int32_t{0}), 100);
    EXPECT_EQ(bag.ReadProperty("ScaleCy", int32_t{0}), 50);
    aicAlphaImage& fixed = MakeFrom(std::make_shared<rt::PropertyBag>(bag), 10, 150);
    EXPECT_EQ(fixed.DrawWidth(), 100);
    EXPECT_EQ(fixed.DrawHeight(), 50);
}

TEST_F(Alpha, StoredControlWithoutAPictureComesUpReset) {
    auto bag = std::make_shared<rt::PropertyBag>(rt::PropertyBag{{"Scaler", 4},
                                                                 {"Props", 1 | 4 | 8 | 16 | 64 | 256},
                                                                 {"Angle", 30},
                                                                 {"Opacity", 40},
                                                                 {"Mirror", 2},
                                                                 {"GrayScale", -1},
                                                                 {"Caption", "Hello"}});
    aicAlphaImage& p = MakeFrom(bag, 10, 10);
    EXPECT_EQ(p.ScaleMethod(), 0);
    EXPECT_EQ(p.Rotation(), 0);
    EXPECT_EQ(p.Opacity(), 100);
    EXPECT_EQ(p.Mirror(), 0);
    EXPECT_EQ(p.PropsFlags(), 1 | 16);
    EXPECT_EQ(p.grayScale(), 0);
    EXPECT_EQ(p.Caption(), "Hello");
    const RECT r = p.PixelRect();
    EXPECT_EQ(r.right - r.left, 100);
}

class TwoPictureTile : public rt::UserControl {
public:
    explicit TwoPictureTile(rt::Container& c) : UserControl(c, "tile", -1, Windowing::Windowless) {
        Create();
    }
    aicAlphaImage d{*this, "d", -1, std::make_shared<rt::PropertyBag>()};
    aicAlphaImage icon{*this, "icon", -1, std::make_shared<rt::PropertyBag>()};
};

int KeepersOf(HWND top) {
    int n = 0;
    for (HWND w = FindWindowExA(top, nullptr, "Static", "GDI+Safe Patch"); w;
         w = FindWindowExA(top, w, "Static", "GDI+Safe Patch"))
        ++n;
    return n;
}

TEST_F(Alpha, OneKeeperWindowPerTopWindowGivesGdiplusBackAfterIt) {
    imaging::GdiplusService& service = imaging::GdiplusService::Instance();
    Pump(200);  // keepers of earlier tests have given theirs back
    const int before = service.References();
    HWND top = form->hWnd();
    ASSERT_EQ(KeepersOf(top), 0);
    aicAlphaImage& a = Make(10, 10);
    aicAlphaImage& b = Make(120, 10);
    ASSERT_TRUE(a.GDIplusEnabled());
    EXPECT_TRUE(a.GDIplusInitialized());
    EXPECT_EQ(KeepersOf(top), 1);
    EXPECT_EQ(service.References(), before + 1);
    EXPECT_EQ(a.CrossTalkClass(), b.CrossTalkClass());
    HWND keeper = cCrossComm::KeeperWindow(top);
    ASSERT_TRUE(keeper);
    EXPECT_FALSE(IsWindowVisible(keeper));

    // A container of its own on the same window: another coordinator, no second keeper.
    auto owned = std::make_unique<TwoPictureTile>(*form);
    TwoPictureTile& tile = *owned;
    EXPECT_EQ(tile.d.CrossTalkClass(), tile.icon.CrossTalkClass());
    EXPECT_NE(tile.d.CrossTalkClass(), a.CrossTalkClass());
    EXPECT_EQ(tile.d.CrossTalkClass()->gdiToken(), -1);
    EXPECT_TRUE(tile.d.GDIplusInitialized());
    EXPECT_EQ(KeepersOf(top), 1);
    EXPECT_EQ(service.References(), before + 1);
    // The pictures of the tile still draw through the running GDI+.
    EXPECT_EQ(tile.d.GetImageObject().gdiToken(), a.GetImageObject().gdiToken());

    owned.reset();
    pictures.clear();
    form->Unload();
    rt::DoEvents();
    EXPECT_TRUE(testutil::PumpUntil([&] { return service.References() == before; }, 1000));
    EXPECT_EQ(service.References(), before);
}

TEST_F(Alpha, NoHandlesLeftByPicturesMadeAndDestroyed) {
    const auto png = SolidBmp(120, 80, kRed);
    auto holed =
        Bmp(100, 100, [](int x, int y) { return x >= 30 && x < 70 && y >= 30 && y < 70 ? kMagenta : kRed; });
    testsupport::ExpectNoHandleGrowth(
        [&](int times) {
            for (int i = 0; i < times; ++i) {
                aicAlphaImage& shadow = Make(0, 0);
                shadow.ShadowEnabled(true);
                shadow.LoadImage_FromArray(png);
                aicAlphaImage& buffered = Make(100, 0);
                buffered.AutoRedraw(true);
                buffered.RotateEnabled(true);
                buffered.Rotation(30);
                buffered.ShadowEnabled(true);
                buffered.LoadImage_FromArray(png);
                aicAlphaImage& hit = Make(200, 0);
                hit.HitTest(3);
                hit.LoadImage_FromArray(holed);
                hit.MaskColor(kMagenta);
                hit.MaskUsed(1);
                aicAlphaImage& hover = Make(300, 0);
                hover.LoadImage_FromArray(png);
                hover.MouseEnter = [&hover](int) { hover.IntensityOffset(20); };
                hover.MouseExit = [&hover](int) { hover.IntensityOffset(0); };
                aicAlphaImage& faded = Make(0, 100);
                faded.LoadImage_FromArray(png);
                faded.FadeInOut(0, 50, 10);
                form->Refresh();
                PointerTo(350, 50);
                PointerTo(250, 20);
                PointerTo(150, 250);
                rt::DoEvents();
                pictures.clear();
                rt::DoEvents();
            }
            rt::FlushDeferred();
        },
        3, 60);
}

}  // namespace
